// orvalis-cli: the registry and firms without a window, for scripts, servers and tests.
#include "app/Engine.h"
#include "app/Messages.h"
#include "data/DemoFirm.h"
#include "data/Errors.h"
#include "data/FirmFactory.h"
#include "data/TFD.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

const QString Usage = u"Употреба: orvalis-cli [--data-dir DIR] КОМАНДА\n"
                      "  init                                  създава регистъра на фирмите\n"
                      "  firms                                 списък на фирмите: номер, име, година, директория\n"
                      "  new-firm --name ИМЕ --year ГОДИНА [--dir DIR]   нова фирма с отметнатия сметкоплан\n"
                      "  demo                                  създава демо фирмата и извежда номера ѝ\n"_s;

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
    throw UsageError(u"Непозната команда: "_s + command);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Orvalis"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        return Run(app.arguments(), out);
    } catch (const UsageError &e) {
        err << e.text() << Qt::endl << Usage;
        return 2;
    } catch (const std::exception &e) {
        err << ErrorHookText(e).replace(u'\r', u'\n') << Qt::endl;
        return 1;
    }
}
