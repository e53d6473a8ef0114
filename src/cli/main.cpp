// orvalis-cli: the registry and firms without a window, for scripts, servers and tests.
#include "demo/DemoFirm.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/AccountTotals.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/FirmFactory.h"
#include "registry/TFD.h"

#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/GeneralLedger.h"
#include "reports/ReportPeriod.h"
#include "reports/TrialBalance.h"

#include <QDir>
#include <QFile>
#include <unistd.h>
#include <QGuiApplication>
#include <memory>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString Usage = u"Употреба: orvalis-cli [--data-dir DIR] КОМАНДА\n"
                      "  init                                  създава регистъра на фирмите\n"
                      "  firms                                 списък на фирмите: номер, име, година, директория\n"
                      "  new-firm --name ИМЕ --year ГОДИНА [--dir DIR]   нова фирма с отметнатия сметкоплан\n"
                      "  demo                                  създава демо фирмата и извежда номера ѝ\n"
                      "  totals --firm ID --account N [--lots a,b,c,d,e] [--from дд.ММ.гггг --to дд.ММ.гггг]\n"
                      "                                        салда и обороти на сметка (и партиди)\n"
                      "  report trial-balance|general-ledger --firm ID --from дд.ММ.гггг --to дд.ММ.гггг\n"
                      "         [--account N] [--quantity] [--all-accounts] (--text ФАЙЛ | --pdf ФАЙЛ)\n"
                      "                                        справка без прозорец, като текст или PDF\n"_s;

class UsageError : public std::exception {
public:
    explicit UsageError(QString text) : m_text(std::move(text)) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// Options after the command: "--name value" pairs; anything else is an error.
QMap<QString, QString> ParseOptions(const QStringList &args, const QStringList &allowed)
{
    QMap<QString, QString> options;
    for (int i = 0; i < args.size(); ++i) {
        const QString &key = args.at(i);
        if (!allowed.contains(key))
            throw UsageError(u"Непознат параметър: "_s + key);
        if (i + 1 >= args.size())
            throw UsageError(u"Липсва стойност за "_s + key);
        options.insert(key, args.at(++i));
    }
    return options;
}

int NumberOption(const QMap<QString, QString> &options, const QString &key)
{
    if (!options.contains(key))
        throw UsageError(u"Липсва "_s + key);
    bool ok = false;
    const int value = options.value(key).toInt(&ok);
    if (!ok)
        throw UsageError(key + u" трябва да бъде число: "_s + options.value(key));
    return value;
}

QDate DateOption(const QMap<QString, QString> &options, const QString &key, const QDate &fallback)
{
    if (!options.contains(key))
        return fallback;
    const QDate date = Formats::ParseDate(options.value(key));
    if (!date.isValid())
        throw MyException(u"Въведена е невалидна дата!"_s);
    return date;
}

LotKey LotsOption(const QMap<QString, QString> &options)
{
    LotKey lots{};
    const QStringList parts = options.value(u"--lots"_s).split(u',', Qt::SkipEmptyParts);
    if (parts.size() > 5)
        throw UsageError(u"--lots приема най-много пет партиди."_s);
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        lots[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            throw UsageError(u"Партидата трябва да бъде число: "_s + parts.at(i));
    }
    return lots;
}

// Opens the firm of --firm for a command that reads its books.
void OpenFirmOption(TFD &fd, TDM &dm, const QMap<QString, QString> &options)
{
    const int firmId = NumberOption(options, u"--firm"_s);
    const auto firm = fd.Firm(firmId);
    if (!firm)
        throw MyException(u"Няма фирма с номер "_s + QString::number(firmId));
    const FirmOpenResult opened = OpenFirm(fd, dm, *firm);
    if (!opened.opened)
        throw MyException(opened.message);
}

// The twelve figures of an account's totals, one "name value" per line.
int Totals(TFD &fd, const QMap<QString, QString> &options, QTextStream &out)
{
    const int account = NumberOption(options, u"--account"_s);
    const LotKey lots = LotsOption(options);
    TDM dm;
    OpenFirmOption(fd, dm, options);
    const ReportingPeriod period = ReadPeriod(dm.db());
    const QDate from = DateOption(options, u"--from"_s, period.Date_Ot);
    const QDate to = DateOption(options, u"--to"_s, DefaultEndDate(period));
    const TAccountValue v = GetAccountValue(dm.db(), account, lots, period, from, to);
    if (!v.valid)
        throw MyException(v.errorText);
    const std::pair<const char *, QString> figures[] = {
        {"OpenDtKol", Formats::Quantity(v.openDtKol)},   {"OpenDtSt", Formats::Amount(v.openDtSt)},
        {"OpenKtKol", Formats::Quantity(v.openKtKol)},   {"OpenKtSt", Formats::Amount(v.openKtSt)},
        {"TurnDtKol", Formats::Quantity(v.turnDtKol)},   {"TurnDtSt", Formats::Amount(v.turnDtSt)},
        {"TurnKtKol", Formats::Quantity(v.turnKtKol)},   {"TurnKtSt", Formats::Amount(v.turnKtSt)},
        {"CloseDtKol", Formats::Quantity(v.closeDtKol)}, {"CloseDtSt", Formats::Amount(v.closeDtSt)},
        {"CloseKtKol", Formats::Quantity(v.closeKtKol)}, {"CloseKtSt", Formats::Amount(v.closeKtSt)}};
    for (const auto &[name, value] : figures)
        out << name << ' ' << value << Qt::endl;
    return 0;
}

// report trial-balance|general-ledger …: the same pages the preview shows, as text or PDF.
int Report(TFD &fd, QStringList args, QTextStream &out)
{
    if (args.isEmpty())
        throw UsageError(u"Посочете справка: trial-balance или general-ledger."_s);
    const QString kind = args.takeFirst();
    if (kind != u"trial-balance"_s && kind != u"general-ledger"_s)
        throw UsageError(u"Непозната справка: "_s + kind);
    bool quantity = false, allAccounts = false;
    for (const QString &flag : {u"--quantity"_s, u"--all-accounts"_s})
        if (args.removeAll(flag) > 0)
            (flag == u"--quantity"_s ? quantity : allAccounts) = true;
    const auto options = ParseOptions(args, {u"--firm"_s, u"--from"_s, u"--to"_s, u"--account"_s, u"--text"_s,
                                             u"--pdf"_s});
    if (options.contains(u"--text"_s) == options.contains(u"--pdf"_s))
        throw UsageError(u"Посочете точно едно от --text ФАЙЛ и --pdf ФАЙЛ."_s);
    TDM dm;
    OpenFirmOption(fd, dm, options);
    const ReportingPeriod period = ReadPeriod(dm.db());
    const QDate from = DateOption(options, u"--from"_s, period.Date_Ot);
    const QDate to = DateOption(options, u"--to"_s, DefaultEndDate(period));
    const QString problem = ReportPeriodProblem(from, to, period);
    if (!problem.isEmpty())
        throw MyException(problem);
    const QString firmName = fd.Firm(NumberOption(options, u"--firm"_s))->Firm_Name;

    std::unique_ptr<rk::ReportJob> job;
    if (kind == u"trial-balance"_s) {
        TrialBalanceOptions o{from, to, firmName, 0, !allAccounts, quantity};
        if (options.contains(u"--account"_s))
            o.account = NumberOption(options, u"--account"_s);
        job = std::make_unique<TrialBalanceJob>(dm.db(), o);
    } else {
        job = std::make_unique<GeneralLedgerJob>(dm.db(), GeneralLedgerOptions{from, to, firmName});
    }
    rk::PageStore pages;
    rk::RunReport(*job, pages);
    const auto pageAt = [&pages](int i) { return pages.page(i); };
    if (options.contains(u"--pdf"_s)) {
        QString error;
        if (!rk::WritePdf(options.value(u"--pdf"_s), pages.count(), pageAt, &error))
            throw MyException(error);
    } else {
        QFile file(options.value(u"--text"_s));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw MyException(u"Не мога да запиша файла: "_s + file.fileName());
        file.write(rk::ReportText(pages.count(), pageAt).toUtf8());
    }
    out << pages.count() << Qt::endl;
    return 0;
}

int Run(const QStringList &arguments, QTextStream &out)
{
    QStringList args = arguments.mid(1);
    QString dataDir;
    if (args.size() >= 2 && args.first() == u"--data-dir"_s) {
        dataDir = args.at(1);
        args = args.mid(2);
    }
    if (args.isEmpty())
        throw UsageError(u"Не е посочена команда."_s);
    const QString command = args.takeFirst();

    TFD fd;
    fd.Open(ResolveSystemDataDir(dataDir, QCoreApplication::applicationDirPath()));

    if (command == u"init"_s) {
        ParseOptions(args, {});
        out << fd.SystemDataDir() << Qt::endl;
        return 0;
    }
    if (command == u"firms"_s) {
        ParseOptions(args, {});
        for (const FirmRecord &f : fd.Firms())
            out << f.Firm_ID << '\t' << f.Firm_Name << '\t' << f.Firm_Period << '\t' << f.Firm_DataPath << Qt::endl;
        return 0;
    }
    if (command == u"new-firm"_s) {
        const auto options = ParseOptions(args, {u"--name"_s, u"--year"_s, u"--dir"_s});
        if (!options.contains(u"--name"_s) || !options.contains(u"--year"_s))
            throw UsageError(u"new-firm изисква --name и --year."_s);
        bool ok = false;
        NewFirmRequest request;
        request.firm.Firm_Name = options.value(u"--name"_s);
        request.firm.Firm_Period = options.value(u"--year"_s).toInt(&ok);
        if (!ok)
            throw UsageError(u"Годината трябва да бъде число: "_s + options.value(u"--year"_s));
        request.firm.Firm_DataPath = options.value(u"--dir"_s);
        out << CreateFirm(fd, request) << Qt::endl;
        return 0;
    }
    if (command == u"demo"_s) {
        ParseOptions(args, {});
        out << EnsureDemoFirm(fd) << Qt::endl;
        return 0;
    }
    if (command == u"report"_s)
        return Report(fd, args, out);
    if (command == u"totals"_s)
        return Totals(fd, ParseOptions(args, {u"--firm"_s, u"--account"_s, u"--lots"_s, u"--from"_s, u"--to"_s}), out);
    throw UsageError(u"Непозната команда: "_s + command);
}

}  // namespace

int main(int argc, char *argv[])
{
    // Reports measure text with the fonts the windows use; no display is needed for that.
    std::unique_ptr<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc, [](const char *a) { return qstrcmp(a, "report") == 0; })) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(getuid());
            QDir().mkpath(QString::fromLocal8Bit(runtime));
            QFile::setPermissions(QString::fromLocal8Bit(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", runtime);
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(u"Orvalis"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        return Run(QCoreApplication::arguments(), out);
    } catch (const UsageError &e) {
        err << e.text() << Qt::endl << Usage;
        return 2;
    } catch (const std::exception &e) {
        err << ErrorHookText(e).replace(u'\r', u'\n') << Qt::endl;
        return 1;
    }
}
