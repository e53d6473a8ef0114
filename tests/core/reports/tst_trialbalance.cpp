#include "support/ReportFixture.h"

#include "engine/Errors.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reportkit/SnapshotJob.h"
#include "reports/TrialBalance.h"
#include "support/Books.h"
#include "support/Golden.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
struct Run {
    QString text;
    int rows = 0;
    std::array<double, 12> totals{};
};
Run Report(ReportFixture &r, TrialBalanceOptions o)
{
    o.firmName = u"Отчети ООД"_s;
    TrialBalanceJob job(r.db(), o);
    rk::PageList pages;
    rk::RunReport(job, pages);
    return {rk::ReportText(int(pages.pages.size()), [&](int i) { return pages.pages.at(i); }), job.rowsPrinted(),
            job.totals()};
}
}  // namespace

class TrialBalanceTest : public QObject {
    Q_OBJECT
private slots:
    // A report read through a snapshot of the books leaves out what is posted while it runs, so
    // its debit and credit totals still agree.
    void aReportOnASnapshotReadsOneStateOfTheBooks()
    {
        ReportFixture r;
        const TrialBalanceOptions o{QDate(2025, 1, 1), QDate(2025, 12, 31), u"Отчети ООД"_s, 0, true, false};
        const Run before = Report(r, o);
        rk::SnapshotJob<TrialBalanceJob> job(r.db(), o);
        PostLine(r.db(), QDate(2025, 5, 5), 501, {}, 702, {}, 1000.00);
        rk::PageList pages;
        rk::RunReport(job, pages);
        QCOMPARE(job.job().totals(), before.totals);
        QVERIFY(Report(r, o).totals != before.totals);
    }

    void valueFormMatchesItsGoldenText()
    {
        ReportFixture r;
        const Run run = Report(r, {QDate(2025, 1, 1), QDate(2025, 12, 31), {}, 0, true, false});
        QVERIFY(MatchesGolden(u"trial-balance-value.txt"_s, run.text));
    }

    void quantityFormMatchesItsGoldenText()
    {
        ReportFixture r;
        const Run run = Report(r, {QDate(2025, 1, 1), QDate(2025, 6, 30), {}, 0, true, true});
        QVERIFY(MatchesGolden(u"trial-balance-quantity.txt"_s, run.text));
    }

    // Amounts of a hundred thousand million and their larger total: in text their columns
    // widen, every figure whole.
    void largeAmountsMatchTheirGoldenText()
    {
        ReportFixture r;
        r.addReversalsAndLargeAmounts();
        const Run run = Report(r, {QDate(2025, 3, 1), QDate(2025, 12, 31), {}, 0, true, false});
        QVERIFY(MatchesGolden(u"trial-balance-large.txt"_s, run.text));
        QVERIFY(run.text.contains(u" -99999999064.99 "_s));
        QVERIFY(run.text.contains(u" -199999999824.98\n"_s));
    }

    void rowsByTheUsedAccountsOption_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<bool>("usedOnly");
        QTest::addColumn<int>("rows");
        QTest::newRow("whole year, used only") << QDate(2025, 1, 1) << QDate(2025, 12, 31) << true << 9;
        QTest::newRow("whole year, every account") << QDate(2025, 1, 1) << QDate(2025, 12, 31) << false << 9;
        // In July nothing moves: only accounts with an opening balance are left.
        QTest::newRow("quiet month") << QDate(2025, 7, 1) << QDate(2025, 7, 31) << true << 6;
    }
    void rowsByTheUsedAccountsOption()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(bool, usedOnly);
        QFETCH(int, rows);
        ReportFixture r;
        ChartStore::Insert(r.db(), {9001, {}, u"Неизползвана"_s, 1, 1, 1});
        const Run run = Report(r, {from, to, {}, 0, usedOnly, false});
        QCOMPARE(run.rows, usedOnly ? rows : rows + 1);
        QCOMPARE(run.text.contains(u"Неизползвана"_s), !usedOnly);
    }

    void emptyPeriodPrintsNoRowsAndZeroTotals()
    {
        TestFixture f;
        f.openNewFirm(u"Празна"_s, 2025);
        TrialBalanceJob job(f.dm.db(), {QDate(2025, 1, 1), QDate(2025, 1, 31), u"Празна"_s, 0, true, false});
        rk::PageList pages;
        rk::RunReport(job, pages);
        QCOMPARE(job.rowsPrinted(), 0);
        for (double t : job.totals())
            QCOMPARE(t, 0.0);
        const QString text = rk::PageText(pages.pages.first());
        QVERIFY(text.contains(u"ОБОРОТНА ВЕДОМОСТ"_s));
        QVERIFY2(text.contains(QRegularExpression(u"Всичко:(\\s+0\\.00){6}\n"_s)), qPrintable(text));
    }

    void oneAccountAtMostOneRowAndQuantitiesTotalledInTheValueForm()
    {
        ReportFixture r;
        const Run one = Report(r, {QDate(2025, 1, 1), QDate(2025, 12, 31), {}, 304, true, false});
        QCOMPARE(one.rows, 1);
        QCOMPARE(one.totals[0], 10.0);   // opening debit quantity
        QCOMPARE(one.totals[4], 40.0);   // debit turnover quantity
        QCOMPARE(one.totals[8], 25.0);   // closing debit quantity
        QVERIFY(!one.text.contains(u"Количество"_s));
        QVERIFY(!one.text.contains(u"25.00 "_s + u"   125.00"_s));
    }

    void activePassiveWithEqualAmountsClosesAtZero()
    {
        ReportFixture r;
        const Run run = Report(r, {QDate(2025, 1, 1), QDate(2025, 12, 31), {}, 453, true, true});
        QCOMPARE(run.rows, 1);
        QCOMPARE(run.totals[8], 0.0);
        QCOMPARE(run.totals[9], 0.0);
        QCOMPARE(run.totals[10], 0.0);
        QCOMPARE(run.totals[11], 0.0);
    }

    void outOfPeriodDatesEndTheReport()
    {
        ReportFixture r;
        TrialBalanceJob job(r.db(), {QDate(2024, 12, 1), QDate(2025, 1, 31), u"x"_s, 0, true, false});
        rk::PageList pages;
        QString error;
        try {
            rk::RunReport(job, pages);
        } catch (const MyException &e) {
            error = e.message();
        }
        QCOMPARE(error, PeriodMessage);
    }
};

QTEST_MAIN(TrialBalanceTest)
#include "tst_trialbalance.moc"
