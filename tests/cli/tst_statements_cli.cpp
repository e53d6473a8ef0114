// The statements through orvalis-cli: the demo firm's balance sheet balances and its income
// statement's result is the balance sheet's; two copies computing two firms' statements at once
// each print their own firm's figures.
#include "engine/Rounding.h"
#include "firm/AccountTotals.h"
#include "registry/FirmChoice.h"
#include "support/StatementBooks.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
QStringList Args(const QString &data, const QString &statement, int firm, int year, const QString &file)
{
    return {u"--data-dir"_s, data,       u"report"_s, statement, u"--firm"_s, QString::number(firm), u"--from"_s,
            u"01.01.%1"_s.arg(year), u"--to"_s, u"31.12.%1"_s.arg(year), u"--text"_s, file};
}

QString Read(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The last figure on the line that starts with `caption` (the current year, or the net amount).
double Figure(const QString &text, const QString &caption)
{
    for (const QString &line : text.split(u'\n'))
        if (line.startsWith(caption))
            return line.split(u' ', Qt::SkipEmptyParts).last().toDouble();
    return -1e9;
}
}  // namespace

class StatementsCliTest : public QObject {
    Q_OBJECT

    int run(const QStringList &args)
    {
        QProcess p;
        p.start(qEnvironmentVariable("ORVALIS_CLI"), args);
        if (!p.waitForFinished(120000))
            return -1;
        return p.exitCode();
    }

private slots:
    // Before and after the year closing: the balance sheet balances both times, and once the
    // income and expense accounts are closed the income statement's result is what 123 carries.
    void theDemoFirmsStatementsReconcileBeforeAndAfterClosing()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + u"/D"_s;
        QCOMPARE(run({u"--data-dir"_s, data, u"demo"_s}), 0);
        const int year = QDate::currentDate().year();
        const QString balance = dir.path() + u"/b.txt"_s, income = dir.path() + u"/o.txt"_s;
        double resultBefore = 0;
        for (const bool closed : {false, true}) {
            if (closed)
                QCOMPARE(run({u"--data-dir"_s, data, u"close-year"_s, u"--firm"_s, u"1"_s}), 0);
            QCOMPARE(run(Args(data, u"balance-sheet"_s, 1, year, balance)), 0);
            QCOMPARE(run(Args(data, u"income-statement"_s, 1, year, income)), 0);
            const QString b = Read(balance), o = Read(income);
            const double assets = Figure(b, u"СУМА НА АКТИВА"_s);
            QVERIFY(assets > 0);
            QCOMPARE(Figure(b, u"СУМА НА ПАСИВА"_s), assets);
            const double result = Figure(o, u"Г. ОБЩО ПРИХОДИ"_s) - Figure(o, u"Г. ОБЩО РАЗХОДИ"_s);
            QCOMPARE(result, Figure(b, u"Общо за група VI:"_s));
            const double profit = Figure(o, u"Д. ПЕЧАЛБА"_s) - Figure(o, u"Д. ЗАГУБА"_s);
            if (!closed) {
                QCOMPARE(profit, 0.0);  // the profit and loss lines read 123, still empty
                QVERIFY(result != 0);
                resultBefore = result;
                continue;
            }
            QCOMPARE(result, resultBefore);
            QCOMPARE(profit, result);
            TFD fd;
            fd.Open(data);
            TDM dm;
            QVERIFY(OpenFirm(fd, dm, *fd.Firm(1)).opened);
            const ReportingPeriod p = ReadPeriod(dm.db());
            const TAccountValue v = GetAccountValue(dm.db(), 123, {}, p, p.Date_Ot, p.Date_Do);
            QCOMPARE(RoundAmount(v.turnKtSt - v.turnDtSt), result);
        }
    }

    void twoFirmsComputedAtOnceEachPrintTheirOwn()
    {
        QTemporaryDir dir;
        QString data;
        {
            StatementBooks books;  // firm 1, 2025
            data = books.f.dataDir();
            books.f.dm.Close();
            QCOMPARE(run({u"--data-dir"_s, data, u"demo"_s}), 0);  // firm 2, this year
            const struct {
                int firm, year;
            } firms[] = {{1, 2025}, {2, QDate::currentDate().year()}};
            const QStringList statements = {u"balance-sheet"_s, u"income-statement"_s, u"cash-flow"_s};
            QHash<QString, QString> alone;
            for (const auto &f : firms)
                for (const QString &s : statements) {
                    const QString file = dir.path() + u"/alone-%1-%2.txt"_s.arg(f.firm).arg(s);
                    QCOMPARE(run(Args(data, s, f.firm, f.year, file)), 0);
                    alone.insert(u"%1-%2"_s.arg(f.firm).arg(s), Read(file));
                }
            QCOMPARE(Figure(alone[u"1-balance-sheet"_s], u"СУМА НА АКТИВА"_s), 45200.00);
            for (int round = 0; round < 2; ++round) {
                std::vector<std::unique_ptr<QProcess>> running;
                QStringList keys, files;
                for (const QString &s : statements)
                    for (const auto &f : firms) {
                        const QString file = dir.path() + u"/r%1-%2-%3.txt"_s.arg(round).arg(f.firm).arg(s);
                        running.push_back(std::make_unique<QProcess>());
                        running.back()->start(qEnvironmentVariable("ORVALIS_CLI"), Args(data, s, f.firm, f.year, file));
                        keys << u"%1-%2"_s.arg(f.firm).arg(s);
                        files << file;
                    }
                for (size_t i = 0; i < running.size(); ++i) {
                    QVERIFY(running[i]->waitForFinished(120000));
                    QCOMPARE(running[i]->exitCode(), 0);
                    QCOMPARE(Read(files[int(i)]), alone.value(keys[int(i)]));
                }
            }
        }
    }
};

QTEST_MAIN(StatementsCliTest)
#include "tst_statements_cli.moc"
