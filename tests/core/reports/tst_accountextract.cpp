#include "support/DocumentBooks.h"

#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/AccountExtract.h"
#include "reports/TrialBalance.h"
#include "support/Books.h"
#include "support/Golden.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(AccountGrouping)
Q_DECLARE_METATYPE(AccountExtractOptions)

namespace {
AccountExtractOptions Options(int account, AccountGrouping grouping)
{
    AccountExtractOptions o;
    o.from = QDate(2025, 1, 1);
    o.to = QDate(2025, 12, 31);
    o.firmName = u"Книги ООД"_s;
    o.account = account;
    o.grouping = grouping;
    return o;
}

// Debit minus credit of the amounts on every line that starts with `caption`.
double NetOf(const QString &text, const QString &caption)
{
    double net = 0;
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(caption))
            continue;
        const QStringList figures = trimmed.mid(caption.size()).split(u' ', Qt::SkipEmptyParts);
        net += figures.at(2).toDouble() - figures.at(3).toDouble();
    }
    return net;
}

QString Extract(DocumentBooks &b, const AccountExtractOptions &o)
{
    AccountExtractJob job(b.db(), o);
    rk::PageList list;
    rk::RunReport(job, list);
    return rk::ReportText(int(list.pages.size()), [&](int i) { return list.pages.at(i); });
}
}  // namespace

class AccountExtractTest : public QObject {
    Q_OBJECT
private slots:
    void eachGroupingMatchesItsGoldenText_data()
    {
        QTest::addColumn<AccountGrouping>("grouping");
        QTest::addColumn<bool>("balances");
        QTest::addColumn<bool>("totalsOnly");
        QTest::addColumn<QString>("golden");
        QTest::newRow("no grouping") << AccountGrouping::None << false << false << u"account-extract-none.txt"_s;
        QTest::newRow("posting date") << AccountGrouping::Date << false << false << u"account-extract-date.txt"_s;
        QTest::newRow("corresponding account")
            << AccountGrouping::CorrespondingAccount << false << false << u"account-extract-account.txt"_s;
        QTest::newRow("document") << AccountGrouping::Document << false << false << u"account-extract-document.txt"_s;
        QTest::newRow("analytic levels with balances")
            << AccountGrouping::Levels << true << false << u"account-extract-levels.txt"_s;
        QTest::newRow("analytic levels, totals only")
            << AccountGrouping::Levels << true << true << u"account-extract-levels-totals.txt"_s;
    }
    void eachGroupingMatchesItsGoldenText()
    {
        QFETCH(AccountGrouping, grouping);
        QFETCH(bool, balances);
        QFETCH(bool, totalsOnly);
        QFETCH(QString, golden);
        DocumentBooks b;
        AccountExtractOptions o = Options(304, grouping);
        if (balances)
            o.openings = o.closings = {true, true, false, false, false};
        o.totalsOnly = totalsOnly;
        QVERIFY(MatchesGolden(golden, Extract(b, o)));
    }

    // The lots' opening balances plus the period's turnovers are their closing balances, and
    // these add up to the account's closing balance in the trial balance, for every period —
    // also one in which lots moved only before it.
    void lotsGroupedByLevelsReconcileWithTheTrialBalance_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("place");  // a lot chosen at the second level, 0 for every one
        QTest::newRow("the year") << QDate(2025, 1, 1) << QDate(2025, 12, 31) << 0;
        QTest::newRow("from March") << QDate(2025, 3, 1) << QDate(2025, 12, 31) << 0;
        QTest::newRow("after the last movement") << QDate(2025, 6, 1) << QDate(2025, 12, 31) << 0;
        QTest::newRow("February") << QDate(2025, 2, 1) << QDate(2025, 2, 28) << 0;
        // The goods' groups count only the warehouse: the shop's movements are not listed.
        QTest::newRow("the warehouse only") << QDate(2025, 1, 1) << QDate(2025, 12, 31) << 1;
        QTest::newRow("the shop only, from March") << QDate(2025, 3, 1) << QDate(2025, 12, 31) << 2;
    }
    void lotsGroupedByLevelsReconcileWithTheTrialBalance()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, place);
        DocumentBooks b;
        AccountExtractOptions o = Options(304, AccountGrouping::Levels);
        o.from = from;
        o.to = to;
        o.lots = {0, place, 0, 0, 0};
        o.openings = o.closings = {true, false, false, false, false};
        const QString text = Extract(b, o);
        const double openings = NetOf(text, u"Начално салдо:"_s), closings = NetOf(text, u"Крайно салдо:"_s);
        const double turnover = NetOf(text, u"Всичко оборот:"_s);
        QCOMPARE(qRound64((openings + turnover) * 100), qRound64(closings * 100));
        if (place > 0)
            return;  // the trial balance holds the whole account
        TrialBalanceJob trial(b.db(), {from, to, u"Книги ООД"_s, 304, true, false});
        rk::PageList pages;
        rk::RunReport(trial, pages);
        const auto totals = trial.totals();
        QCOMPARE(qRound64(closings * 100), qRound64((totals[9] - totals[11]) * 100));
        QCOMPARE(qRound64(openings * 100), qRound64((totals[1] - totals[3]) * 100));
    }

    void aLotWithOnlyAnOpeningBalanceIsARowWithoutADate()
    {
        DocumentBooks b;
        AccountExtractOptions o = Options(304, AccountGrouping::Levels);
        o.lots = {3, 0, 0, 0, 0};  // flour
        const QString text = Extract(b, o);
        const QStringList rows = text.split(u'\n').filter(u"Брашно, Склад"_s);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().trimmed(), u"Брашно, Склад"_s);  // no date, no document, no amounts
        AccountExtractJob job(b.db(), o);
        QCOMPARE(job.totals().dtSt.stotinki, 0);
    }

    void theGroupingCodeFollowsTheAccountsLevels_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<AccountGrouping>("grouping");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("two levels") << 304 << AccountGrouping::Levels << 5 << QString();
        QTest::newRow("one level") << 401 << AccountGrouping::Levels << 4 << QString();
        QTest::newRow("no level") << 501 << AccountGrouping::Levels << 0 << NoLastLevelMessage;
        QTest::newRow("not in the chart, by levels") << 9999 << AccountGrouping::Levels << 0 << NoLastLevelMessage;
        QTest::newRow("not in the chart, by date") << 9999 << AccountGrouping::Date << 0 << AccountNotInChartMessage;
        QTest::newRow("by document") << 501 << AccountGrouping::Document << 3 << QString();
        QTest::newRow("by corresponding account") << 501 << AccountGrouping::CorrespondingAccount << 2 << QString();
        QTest::newRow("nothing in the period") << 453 << AccountGrouping::None << 0 << NoExtractDataMessage;
    }
    void theGroupingCodeFollowsTheAccountsLevels()
    {
        QFETCH(int, account);
        QFETCH(AccountGrouping, grouping);
        QFETCH(int, code);
        QFETCH(QString, error);
        DocumentBooks b;
        AccountExtractOptions o = Options(account, grouping);
        o.to = QDate(2025, 1, 31);
        if (error != NoExtractDataMessage)
            o.to = QDate(2025, 12, 31);
        int made = -1;
        QCOMPARE(ErrorOf([&] { made = AccountExtractJob(b.db(), o).code(); }), error);
        if (error.isEmpty())
            QCOMPARE(made, code);
    }

    void theFiltersNarrowThePostings_data()
    {
        QTest::addColumn<AccountExtractOptions>("options");
        QTest::addColumn<qint64>("debit");
        QTest::addColumn<qint64>("credit");
        auto with = [](int account, auto change) {
            AccountExtractOptions o = Options(account, AccountGrouping::Date);
            change(o);
            return o;
        };
        QTest::newRow("corresponding account") << with(304, [](auto &o) { o.correspondingAccount = 401; })
                                               << qint64(28000) << qint64(0);
        QTest::newRow("folder") << with(304, [](auto &o) { o.folder = DocumentBooks::Sales; }) << qint64(0)
                                << qint64(12500);
        QTest::newRow("documents 7 to 12, both kept")
            << with(304, [](auto &o) {
                   o.fromDocument = 7;
                   o.toDocument = 12;
               })
            << qint64(20000) << qint64(12500);
        QTest::newRow("a lot of the second level") << with(304, [](auto &o) { o.lots = {0, 2, 0, 0, 0}; })
                                                   << qint64(11000) << qint64(0);
        QTest::newRow("inner joins leave out the unknown account") << with(503, [](auto &) {}) << qint64(30000)
                                                                   << qint64(24000);
    }
    void theFiltersNarrowThePostings()
    {
        QFETCH(AccountExtractOptions, options);
        QFETCH(qint64, debit);
        QFETCH(qint64, credit);
        DocumentBooks b;
        AccountExtractJob job(b.db(), options);
        rk::PageList pages;
        rk::RunReport(job, pages);
        QCOMPARE(job.totals().dtSt.stotinki, debit);
        QCOMPARE(job.totals().ktSt.stotinki, credit);
    }
};

QTEST_MAIN(AccountExtractTest)
#include "tst_accountextract.moc"
