#include "accounts/ChartStore.h"
#include "accounts/OpeningBalances.h"
#include "closing/KeyTotals.h"
#include "closing/YearClosing.h"
#include "engine/Rounding.h"
#include "firm/Currency.h"
#include "firm/TDM.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "engine/Formats.h"
#include "reports/AccountExtract.h"
#include "reports/ChronologicalLedger.h"
#include "reports/LotExtract.h"
#include "reports/TrialBalance.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Debit turnovers of the expense accounts, credit turnovers of the income accounts.
QMap<int, double> StatementTurnovers(Db &db)
{
    const ReportingPeriod p = ReadPeriod(db);
    QMap<int, double> turnovers;
    for (const SRow &a : ChartStore::All(db))
        if (ClosesAgainstResult(a.S_UNo)) {
            const TAccountValue v = GetAccountValue(db, a.S_UNo, {}, p, p.Date_Ot, p.Date_Do);
            turnovers[a.S_UNo] = QString::number(a.S_UNo).startsWith(u'6') ? v.turnDtSt : v.turnKtSt;
        }
    return turnovers;
}

// Every opening balance of a firm, one line each.
QStringList OpeningLines(Db &db)
{
    QStringList lines;
    QSqlQuery q = db.exec(u"select Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, Sn_Kol_Dt, Sn_St_Dt, Sn_Kol_Kt, "
                          "Sn_St_Kt from Sns order by 1, 2, 3, 4, 5, 6"_s);
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < 10; ++i)
            fields << q.value(i).toString();
        lines << fields.join(u' ');
    }
    return lines;
}

double Balance(Db &db, int account)
{
    return RoundAmount(
        db.scalar(u"select coalesce(sum(Sn_St_Dt - Sn_St_Kt), 0) from Sns where Sn_UNo = ?"_s, {account}).toDouble());
}

}  // namespace

class CliTest : public QObject {
    Q_OBJECT

    struct Result {
        int code;
        QString out;
        QString err;
    };
    Result run(const QStringList &args)
    {
        QProcess p;
        p.start(qEnvironmentVariable("ORVALIS_CLI"), args);
        if (!p.waitForFinished(60000))
            return {-1, {}, u"timed out"_s};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(qEnvironmentVariable("ORVALIS_CLI")).isExecutable(), "ORVALIS_CLI must name orvalis-cli");
    }

    void initDemoAndFirms()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        QCOMPARE(run({u"--data-dir"_s, data, u"init"_s}).code, 0);
        const Result demo = run({u"--data-dir"_s, data, u"demo"_s});
        QCOMPARE(demo.code, 0);
        QCOMPARE(demo.out.trimmed(), u"1"_s);
        QCOMPARE(run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed(), u"1"_s);  // created once
        const Result made = run({u"--data-dir"_s, data, u"new-firm"_s, u"--name"_s, u"Втора ООД"_s, u"--year"_s, u"2025"_s});
        QCOMPARE(made.code, 0);
        QCOMPARE(made.out.trimmed(), u"2"_s);
        const Result firms = run({u"--data-dir"_s, data, u"firms"_s});
        QCOMPARE(firms.code, 0);
        const QStringList lines = firms.out.trimmed().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith(u"1\tДемо ЕООД\t"_s));
        QVERIFY(lines.at(1).startsWith(u"2\tВтора ООД\t2025\tBGN\t"_s));
    }

    // An answer printed to an output that cannot take it is a failure, not a success.
    void anUnwritableStandardOutputFails()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        QProcess p;
        p.setStandardOutputFile(u"/dev/full"_s);
        p.start(qEnvironmentVariable("ORVALIS_CLI"),
                {u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"501"_s});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(u"Изходът на командата не е записан."_s));
    }

    void totalsPrintTheTwelveFigures()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        const int year = QDate::currentDate().year();
        // The demo's documents start on the fifth of January: the first day shows the opening balances.
        const QString from = u"01.01.%1"_s.arg(year), to = u"01.01.%1"_s.arg(year);
        const Result goods = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"304"_s,
                                  u"--lots"_s, u"2"_s, u"--from"_s, from, u"--to"_s, to});
        QCOMPARE(goods.code, 0);
        const QStringList lines = goods.out.trimmed().split(u'\n');
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.at(0), u"OpenDtKol 1250.0000"_s);
        QCOMPARE(lines.at(1), u"OpenDtSt 2500.00"_s);
        QCOMPARE(lines.at(9), u"CloseDtSt 2500.00"_s);
        QCOMPARE(lines.at(11), u"CloseKtSt 0.00"_s);

        const Result suppliers = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"401"_s,
                                      u"--to"_s, to});
        QCOMPARE(suppliers.code, 0);
        QVERIFY(suppliers.out.contains(u"CloseKtSt 6900.00\n"_s));

        const Result outside = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"401"_s,
                                    u"--from"_s, u"01.01.%1"_s.arg(year - 1), u"--to"_s, to});
        QCOMPARE(outside.code, 1);
        QCOMPARE(outside.err.trimmed(), u"Заявката е с дата извън отчетния период!"_s);
        const Result unknown = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"8888"_s});
        QCOMPARE(unknown.code, 1);
        QCOMPARE(unknown.err.trimmed(), u"Сметката липсва е сметкоплана!"_s);
        const Result badDate = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"401"_s,
                                    u"--from"_s, u"32.01.2026"_s});
        QCOMPARE(badDate.code, 2);
        QVERIFY(badDate.err.startsWith(u"--from: Въведена е невалидна дата!\n"_s));
        const Result reversed = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"401"_s,
                                     u"--from"_s, u"02.02.%1"_s.arg(year), u"--to"_s, u"01.02.%1"_s.arg(year)});
        QCOMPARE(reversed.code, 1);
        QCOMPARE(reversed.err.trimmed(), u"Крайната дата е по-малка от началната!"_s);
        const Result noLot = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"304"_s,
                                  u"--lots"_s, u"999"_s});
        QCOMPARE(noLot.code, 1);
        QVERIFY2(noLot.err.startsWith(u"Партида 999 не е открита"_s), qPrintable(noLot.err));
        const Result noLevel = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, firm, u"--account"_s, u"304"_s,
                                    u"--lots"_s, u"1,1"_s});
        QCOMPARE(noLevel.code, 1);
        QCOMPARE(noLevel.err.trimmed(), u"Сметката няма аналитично ниво на позиция 2!"_s);
    }

    void reportsAsTextAndPdf()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        const QString year = QString::number(QDate::currentDate().year());
        const QStringList period{u"--from"_s, u"01.01."_s + year, u"--to"_s, u"31.12."_s + year};
        const QString text = dir.path() + u"/tb.txt"_s;
        const Result tb = run(QStringList{u"--data-dir"_s, data, u"report"_s, u"trial-balance"_s, u"--firm"_s, firm}
                              + period + QStringList{u"--text"_s, text});
        QCOMPARE(tb.code, 0);
        QCOMPARE(tb.err, QString());

        // The same pages made here, as the preview makes them, read the same.
        TFD fd;
        fd.Open(data);
        TDM dm;
        QVERIFY(OpenFirm(fd, dm, *fd.Firm(firm.toInt())).opened);
        TrialBalanceJob job(dm.db(), {QDate(year.toInt(), 1, 1), QDate(year.toInt(), 12, 31), u"Демо ЕООД"_s});
        rk::PageStore pages;
        rk::RunReport(job, pages);
        QFile file(text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 rk::ReportText(pages.count(), [&](int i) { return pages.page(i); }));

        const QString pdf = dir.path() + u"/gl.pdf"_s;
        const Result gl = run(QStringList{u"--data-dir"_s, data, u"report"_s, u"general-ledger"_s, u"--firm"_s, firm}
                              + period + QStringList{u"--pdf"_s, pdf});
        QCOMPARE(gl.code, 0);
        QFile out(pdf);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(out.read(5) == "%PDF-");

        const Result reversed = run(QStringList{u"--data-dir"_s, data, u"report"_s, u"trial-balance"_s, u"--firm"_s,
                                                firm, u"--from"_s, u"02.02."_s + year, u"--to"_s, u"01.02."_s + year,
                                                u"--text"_s, text});
        QCOMPARE(reversed.code, 1);
        QCOMPARE(reversed.err.trimmed(), u"Крайната дата е по-малка от началната!"_s);
    }

    // A report that could not be written fails with the reason; a database file is never
    // written over, and the firm stays as it was.
    void unwritableReportsFail_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        const QString full = u"Справката не е записана във файла „/dev/full“: "_s;
        const QString books = u"е файл с данни на програмата и не се презаписва."_s;
        QTest::newRow("text on a full device") << u"general-ledger"_s << u"--text"_s << u"/dev/full"_s << full;
        QTest::newRow("PDF on a full device") << u"trial-balance"_s << u"--pdf"_s << u"/dev/full"_s << full;
        QTest::newRow("text over the firm") << u"trial-balance"_s << u"--text"_s << u"FIRM"_s << books;
        QTest::newRow("PDF over the registry") << u"general-ledger"_s << u"--pdf"_s << u"REGISTRY"_s << books;
        QTest::newRow("VAT return over the firm") << u"vat declaration"_s << u"--text"_s << u"FIRM"_s << books;
        QTest::newRow("VAT return on a full device") << u"vat declaration"_s << u"--text"_s << u"/dev/full"_s << full;
        QTest::newRow("VAT file over the firm") << u"vat purchases"_s << u"--file"_s << u"FIRM"_s << books;
    }
    void unwritableReportsFail()
    {
        QFETCH(QString, kind);
        QFETCH(QString, output);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        TFD fd;
        fd.Open(data);
        if (file == u"FIRM"_s)
            file = fd.Firm(firm.toInt())->Firm_DataPath + u"/Orvalis-firm.sqlite"_s;
        else if (file == u"REGISTRY"_s)
            file = fd.RegistryFile();
        fd.Close();
        QFile before(file);
        const QByteArray bytes = file.startsWith(u"/dev/"_s) || !before.open(QIODevice::ReadOnly) ? QByteArray() : before.readAll();
        QStringList command{u"--data-dir"_s, data};
        if (kind.startsWith(u"vat "_s))
            command << u"vat"_s << kind.mid(4) << u"--firm"_s << firm << u"--from"_s << u"01.01.2026"_s << u"--to"_s
                    << u"31.01.2026"_s;
        else
            command << u"report"_s << kind << u"--firm"_s << firm;
        command << output << file;
        const Result r = run(command);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        if (!bytes.isEmpty()) {
            QFile after(file);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QVERIFY(after.readAll() == bytes);
            QCOMPARE(run({u"--data-dir"_s, data, u"firms"_s}).code, 0);
        }
    }

    // The chronological ledger and the extracts as text read as the same reports made here.
    void ledgerReportsAsText()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        const int year = QDate::currentDate().year();
        const QDate from(year, 1, 1), to(year, 12, 31);
        const QStringList period{u"--from"_s, Formats::Date(from), u"--to"_s, Formats::Date(to)};
        TFD fd;
        fd.Open(data);
        TDM dm;
        QVERIFY(OpenFirm(fd, dm, *fd.Firm(firm.toInt())).opened);
        const QString name = fd.Firm(firm.toInt())->Firm_Name;
        auto textOf = [](rk::ReportJob &&job) {
            rk::PageStore pages;
            rk::RunReport(job, pages);
            return rk::ReportText(pages.count(), [&](int i) { return pages.page(i); });
        };
        ChronologicalOptions chronological;
        chronological.selection.from = from;
        chronological.selection.to = to;
        chronological.selection.fromDocument = 123;
        chronological.selection.sort = ChronologicalSort::Number;
        chronological.firmName = name;
        AccountExtractOptions account;
        account.from = from;
        account.to = to;
        account.firmName = name;
        account.account = 304;
        account.grouping = AccountGrouping::Levels;
        account.totalsOnly = true;
        account.openings.fill(true);
        account.closings.fill(true);
        const QList<std::pair<QStringList, QString>> runs = {
            {{u"chronological"_s, u"--from-document"_s, u"0000000123"_s, u"--sort"_s, u"number"_s},
             textOf(ChronologicalLedgerJob(dm.db(), chronological))},
            {{u"account-extract"_s, u"--account"_s, u"304"_s, u"--group-by"_s, u"levels"_s, u"--totals-only"_s},
             textOf(AccountExtractJob(dm.db(), account))},
            {{u"lot-extract"_s, u"--level"_s, u"1"_s, u"--lot"_s, u"1"_s, u"--group-by"_s, u"account"_s},
             textOf(LotExtractJob(dm.db(), {from, to, name, 1, 1, LotGrouping::Account}))},
        };
        for (const auto &[args, expected] : runs) {
            const QString file = dir.path() + u"/r.txt"_s;
            const Result r = run(QStringList{u"--data-dir"_s, data, u"report"_s} + args
                                 + QStringList{u"--firm"_s, firm, u"--text"_s, file} + period);
            QCOMPARE(r.code, 0);
            QFile text(file);
            QVERIFY(text.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(text.readAll()), expected);
        }
        const QList<std::pair<QStringList, QString>> failures = {
            {{u"account-extract"_s, u"--account"_s, u"8888"_s}, AccountNotInChartMessage},
            {{u"chronological"_s, u"--debit-account"_s, u"8888"_s}, MissingAccountMessage},
            {{u"chronological"_s, u"--from-amount"_s, u"99999999"_s}, NoChronologicalDataMessage},
            // a bound past the int range is still a bound, not "from the first document"
            {{u"chronological"_s, u"--from-document"_s, u"3000000001"_s}, NoChronologicalDataMessage},
            {{u"lot-extract"_s, u"--level"_s, u"1"_s, u"--lot"_s, u"9999"_s}, u"Партида 9999 не е открита"_s},
        };
        for (const auto &[args, message] : failures) {
            const Result r = run(QStringList{u"--data-dir"_s, data, u"report"_s} + args
                                 + QStringList{u"--firm"_s, firm, u"--text"_s, dir.path() + u"/x.txt"_s});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
        }
    }

    // Nothing is opened or created until the whole line is known good: a usage error exits 2
    // with the usage, a run-time error 1 with its reason, and the empty data directory stays empty.
    void badLinesFailWithAMessageAndCreateNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QStringList output{u"--text"_s, u"out.txt"_s};
        QTest::newRow("no command") << QStringList() << 2 << u"Не е посочена команда."_s;
        QTest::newRow("unknown command") << QStringList{u"nonsense"_s} << 2 << u"Непозната команда: nonsense"_s;
        QTest::newRow("init with an option") << QStringList{u"init"_s, u"--dir"_s, u"X"_s} << 2 << u"init не приема --dir."_s;
        QTest::newRow("new-firm without year")
            << QStringList{u"new-firm"_s, u"--name"_s, u"X"_s} << 2 << u"new-firm изисква --year."_s;
        QTest::newRow("year not a number") << QStringList{u"new-firm"_s, u"--name"_s, u"X"_s, u"--year"_s, u"abc"_s}
                                           << 2 << u"--year: очаква се цяло число, а е „abc“."_s;
        QTest::newRow("a repeated option")
            << QStringList{u"new-firm"_s, u"--name"_s, u"X"_s, u"--name"_s, u"Y"_s, u"--year"_s, u"2026"_s} << 2
            << u"--name е посочен повече от веднъж."_s;
        QTest::newRow("option without value") << QStringList{u"new-firm"_s, u"--name"_s} << 2 << u"Липсва стойност за --name."_s;
        QTest::newRow("unknown option") << QStringList{u"firms"_s, u"--all"_s, u"1"_s} << 2 << u"firms не приема --all."_s;
        QTest::newRow("a firm number past the largest")
            << QStringList{u"totals"_s, u"--firm"_s, u"4294967297"_s, u"--account"_s, u"401"_s} << 2
            << u"--firm: очаква се цяло число, а е „4294967297“."_s;
        QTest::newRow("an account number past the largest")
            << QStringList{u"totals"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"4294967697"_s} << 2
            << u"--account: очаква се цяло число, а е „4294967697“."_s;
        QTest::newRow("totals without account")
            << QStringList{u"totals"_s, u"--firm"_s, u"1"_s} << 2 << u"totals изисква --account."_s;
        QTest::newRow("six lots")
            << QStringList{u"totals"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"1"_s, u"--lots"_s, u"1,2,3,4,5,6"_s} << 2
            << u"--lots: приема най-много пет партиди."_s;
        QTest::newRow("an empty lot")
            << QStringList{u"totals"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"1"_s, u"--lots"_s, u"1,,2"_s} << 2
            << u"--lots: очакват се цели числа, разделени със запетая, а е „1,,2“."_s;
        QTest::newRow("a leading comma")
            << QStringList{u"totals"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"1"_s, u"--lots"_s, u",1"_s} << 2
            << u"--lots: очакват се цели числа, разделени със запетая, а е „,1“."_s;
        QTest::newRow("a date that is not one")
            << QStringList{u"totals"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"1"_s, u"--to"_s, u"31.02.2026"_s} << 2
            << u"--to: Въведена е невалидна дата!"_s;
        const QStringList chronological{u"report"_s, u"chronological"_s, u"--firm"_s, u"1"_s};
        QTest::newRow("a document bound that is not a number")
            << chronological + QStringList{u"--from-document"_s, u"1 OR 1=1"_s} + output << 2
            << u"--from-document: очаква се цяло число до десет цифри, а е „1 OR 1=1“."_s;
        QTest::newRow("an eleven-digit document bound")
            << chronological + QStringList{u"--to-document"_s, u"12345678901"_s} + output << 2
            << u"--to-document: очаква се цяло число до десет цифри, а е „12345678901“."_s;
        QTest::newRow("an amount that is not a number") << chronological + QStringList{u"--to-amount"_s, u"5;"_s} + output
                                                        << 2 << u"--to-amount: очаква се число, а е „5;“."_s;
        QTest::newRow("an unknown sort") << chronological + QStringList{u"--sort"_s, u"random"_s} + output << 2
                                         << u"--sort: очаква се едно от date-number, number, date, none."_s;
        QTest::newRow("an account extract without an account")
            << QStringList{u"report"_s, u"account-extract"_s, u"--firm"_s, u"1"_s} + output << 2
            << u"report account-extract изисква --account."_s;
        QTest::newRow("levels with a folder")
            << QStringList{u"report"_s, u"account-extract"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"304"_s,
                           u"--group-by"_s, u"levels"_s, u"--folder"_s, u"1"_s}
                   + output
            << 2 << u"--group-by levels не се съчетава с --folder."_s;
        QTest::newRow("a lot extract without a lot")
            << QStringList{u"report"_s, u"lot-extract"_s, u"--firm"_s, u"1"_s, u"--level"_s, u"1"_s} + output << 2
            << u"report lot-extract изисква --lot."_s;
        QTest::newRow("report without output")
            << QStringList{u"report"_s, u"trial-balance"_s, u"--firm"_s, u"1"_s} << 2
            << u"Посочете точно едно от --text, --pdf."_s;
        QTest::newRow("report with both outputs")
            << QStringList{u"report"_s, u"trial-balance"_s, u"--firm"_s, u"1"_s, u"--text"_s, u"a"_s, u"--pdf"_s, u"b"_s}
            << 2 << u"Посочете точно едно от --text, --pdf."_s;
        QTest::newRow("the ledger takes no account")
            << QStringList{u"report"_s, u"general-ledger"_s, u"--firm"_s, u"1"_s, u"--account"_s, u"1"_s} + output << 2
            << u"report general-ledger не приема --account."_s;
        QTest::newRow("the ledger takes no quantity")
            << QStringList{u"report"_s, u"general-ledger"_s, u"--firm"_s, u"1"_s, u"--quantity"_s} + output << 2
            << u"report general-ledger не приема --quantity."_s;
        QTest::newRow("unknown report") << QStringList{u"report"_s, u"balance"_s, u"--firm"_s, u"1"_s} << 2
                                        << u"Непозната справка/команда: report balance"_s;
        QTest::newRow("blank name") << QStringList{u"new-firm"_s, u"--name"_s, u" "_s, u"--year"_s, u"2026"_s} << 2
                                    << u"--name: стойността е празна."_s;
        QTest::newRow("data directory after the command")
            << QStringList{u"firms"_s, u"--data-dir"_s, u"X"_s} << 2 << u"--data-dir стои преди командата."_s;
        QTest::newRow("no registry for totals")
            << QStringList{u"totals"_s, u"--firm"_s, u"9"_s, u"--account"_s, u"1"_s} << 1 << u"Няма регистър на фирмите"_s;
        QTest::newRow("no registry for firms") << QStringList{u"firms"_s} << 1 << u"Няма регистър на фирмите"_s;
        QTest::newRow("no registry for a report")
            << QStringList{u"report"_s, u"trial-balance"_s, u"--firm"_s, u"1"_s} + output << 1
            << u"Няма регистър на фирмите"_s;
    }
    void badLinesFailWithAMessageAndCreateNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const Result r = run(QStringList{u"--data-dir"_s, data} + args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
        QCOMPARE(r.err.contains(u"Употреба: orvalis-cli"_s), code == 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(!QFileInfo::exists(data), "nothing may be created for a bad line");
        QVERIFY(!QFileInfo::exists(u"out.txt"_s));
    }

    void helpAndAnEmptyDataDirectory()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const Result help = run({u"--data-dir"_s, data, u"init"_s, u"--help"_s});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith(u"Употреба: orvalis-cli"_s));
        QVERIFY(help.out.contains(u"report general-ledger --firm ID"_s));
        QVERIFY(!QFileInfo::exists(data));
        const Result blank = run({u"--data-dir"_s, u""_s, u"init"_s});
        QCOMPARE(blank.code, 2);
        QVERIFY(blank.err.startsWith(u"--data-dir: посочете директория."_s));
    }

    void missingFirmsAndAccountsAreErrors()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        const Result noFirm = run({u"--data-dir"_s, data, u"totals"_s, u"--firm"_s, u"9"_s, u"--account"_s, u"401"_s});
        QCOMPARE(noFirm.code, 1);
        QCOMPARE(noFirm.err.trimmed(), u"Няма фирма с номер 9"_s);
        const QString text = dir.path() + u"/tb.txt"_s;
        const Result noAccount = run({u"--data-dir"_s, data, u"report"_s, u"trial-balance"_s, u"--firm"_s, firm,
                                      u"--account"_s, u"8888"_s, u"--text"_s, text});
        QCOMPARE(noAccount.code, 1);
        QCOMPARE(noAccount.err.trimmed(), u"Сметката липсва е сметкоплана!"_s);
        QVERIFY(!QFileInfo::exists(text));
    }

    void aFirmNameWithALineBreakIsListedOnOneLine()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        QCOMPARE(run({u"--data-dir"_s, data, u"new-firm"_s, u"--name"_s, u"Две\nРеда"_s, u"--year"_s, u"2026"_s}).code, 0);
        const Result firms = run({u"--data-dir"_s, data, u"firms"_s});
        QCOMPARE(firms.out.count(u'\n'), 1);
        QVERIFY(firms.out.startsWith(u"1\tДве Реда\t2026\t"_s));
    }

    void unwritableDataDirectoryIsRefused()
    {
        QTemporaryDir dir;
        QFile plain(dir.path() + u"/plain"_s);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        const Result r = run({u"--data-dir"_s, dir.path() + u"/plain/sub"_s, u"init"_s});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"Не мога да създам директорията със системни данни"_s), qPrintable(r.err));
    }

    void closeYearOnTheDemoFirm()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm = run({u"--data-dir"_s, data, u"demo"_s}).out.trimmed();
        TFD fd;
        fd.Open(data);
        TDM old;
        QVERIFY(OpenFirm(fd, old, *fd.Firm(firm.toInt())).opened);
        const QMap<int, double> turnovers = StatementTurnovers(old.db());
        double result = 0;
        for (const auto &[key, v] : KeyTotals(old.db()))
            if (ClosesAgainstResult(key.first))
                result -= SignedValue(v);
        const double equity = -Balance(old.db(), 122) + Balance(old.db(), 121);

        const Result closed = run({u"--data-dir"_s, data, u"close-year"_s, u"--firm"_s, firm});
        QCOMPARE(closed.code, 0);
        const int next = closed.out.trimmed().toInt();
        QVERIFY(next != firm.toInt());
        QCOMPARE(old.db().scalar(u"select count(*) from nom_p where Nom_P_No = (select Nom_Pap_No from nom_pap "
                                 "where Nom_Pap_Name = 'Приключване')"_s).toInt(), 1);
        for (const auto &[key, v] : KeyTotals(old.db()))
            if (ClosesAgainstResult(key.first) && !LeftOpen(key.first, DefaultLeftOpen))
                QCOMPARE(SignedValue(v), 0.0);
        QCOMPARE(StatementTurnovers(old.db()), turnovers);

        TDM books;
        QVERIFY(OpenFirm(fd, books, *fd.Firm(next)).opened);
        QCOMPARE(books.db().scalar(u"select count(*) from Sns where (Sn_UNo between 600 and 799 or Sn_UNo between "
                                   "6000 and 7999) and Sn_UNo not in (611, 612, 613)"_s).toInt(), 0);
        const OpeningTotals totals = OpeningBalances::Totals(books.db());
        QCOMPARE(RoundAmount(totals.debit), RoundAmount(totals.credit));
        QCOMPARE(Balance(books.db(), 123), 0.0);
        QCOMPARE(-Balance(books.db(), 122) + Balance(books.db(), 121), RoundAmount(equity + result));
        const QStringList opening = OpeningLines(books.db());
        books.Close();

        const Result refused = run({u"--data-dir"_s, data, u"close-year"_s, u"--firm"_s, firm});
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.startsWith(ClosedBeforeMessage), qPrintable(refused.err));
        const Result again = run({u"--data-dir"_s, data, u"close-year"_s, u"--firm"_s, firm, u"--replace"_s});
        QCOMPARE(again.code, 0);
        QCOMPARE(again.out.trimmed().toInt(), next);
        QVERIFY(OpenFirm(fd, books, *fd.Firm(next)).opened);
        QCOMPARE(OpeningLines(books.db()), opening);
        QCOMPARE(StatementTurnovers(old.db()), turnovers);
    }
    void closeYearConvertsALevaYearIntoEuro()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const QString firm =
            run({u"--data-dir"_s, data, u"new-firm"_s, u"--name"_s, u"Лева ООД"_s, u"--year"_s, u"2025"_s}).out.trimmed();
        QStringList leva;
        {
            TFD fd;
            fd.Open(data);
            TDM dm;
            QVERIFY(OpenFirm(fd, dm, *fd.Firm(firm.toInt())).opened);
            OpeningBalances::Insert(dm.db(), {503, {}, 0, 1000.00, 0, 0});
            OpeningBalances::Insert(dm.db(), {421, {}, 0, 0, 0, 0.02});
            OpeningBalances::Insert(dm.db(), {101, {}, 0, 0, 0, 999.98});
        }
        const QString list = dir.path() + u"/list.txt"_s;
        const Result closed = run({u"--data-dir"_s, data, u"close-year"_s, u"--firm"_s, firm, u"--difference-account"_s,
                                   u"123"_s, u"--list-text"_s, list});
        QCOMPARE(closed.code, 0);
        const QString next = closed.out.trimmed();
        const QStringList firms = run({u"--data-dir"_s, data, u"firms"_s}).out.trimmed().split(u'\n');
        QVERIFY2(firms.last().startsWith(next + u"\tЛева ООД\t2026\tEUR\t"_s), qPrintable(firms.last()));

        TFD fd;
        fd.Open(data);
        TDM books;
        QVERIFY(OpenFirm(fd, books, *fd.Firm(next.toInt())).opened);
        QCOMPARE(Balance(books.db(), 503), LevaToEuro(1000.00));          // 511.29
        QCOMPARE(Balance(books.db(), 421), -0.02);                         // rounded up for staff
        QCOMPARE(Balance(books.db(), 101), -LevaToEuro(999.98));           // 511.28
        QCOMPARE(Balance(books.db(), 123), 0.01);                          // the rounding difference
        const OpeningTotals totals = OpeningBalances::Totals(books.db());
        QCOMPARE(totals.debit, totals.credit);
        QFile text(list);
        QVERIFY(text.open(QIODevice::ReadOnly));
        const QString written = QString::fromUtf8(text.readAll());
        QVERIFY(written.contains(u"Разлика от закръгляване, по сметка 123"_s));
        books.Close();

        const QString pdf = dir.path() + u"/again.pdf"_s;
        QCOMPARE(run({u"--data-dir"_s, data, u"report"_s, u"conversion-list"_s, u"--firm"_s, next, u"--pdf"_s, pdf}).code, 0);
        QVERIFY(QFileInfo(pdf).size() > 0);
        const Result none = run({u"--data-dir"_s, data, u"report"_s, u"conversion-list"_s, u"--firm"_s, firm,
                                 u"--text"_s, dir.path() + u"/none.txt"_s});
        QCOMPARE(none.code, 1);
    }

    void demoRolloverClosesALevaDemoIntoEuro()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        const Result made = run({u"--data-dir"_s, data, u"demo"_s, u"--rollover"_s});
        QCOMPARE(made.code, 0);
        const QStringList ids = made.out.trimmed().split(u'\n');
        QCOMPARE(ids.size(), 2);
        QCOMPARE(run({u"--data-dir"_s, data, u"demo"_s, u"--rollover"_s}).out, made.out);  // made once
        TFD fd;
        fd.Open(data);
        QCOMPARE(fd.Firm(ids[0].toInt())->Firm_Period, 2025);
        QCOMPARE(fd.Firm(ids[1].toInt())->Firm_Period, 2026);
        QVERIFY(!FirmConversion(fd, ids[1].toInt()).isEmpty());
        TDM books;
        QVERIFY(OpenFirm(fd, books, *fd.Firm(ids[1].toInt())).opened);
        const OpeningTotals totals = OpeningBalances::Totals(books.db());
        QCOMPARE(totals.debit, totals.credit);
        QVERIFY(totals.debit > 0);
    }
};

QTEST_MAIN(CliTest)
#include "tst_cli.moc"
