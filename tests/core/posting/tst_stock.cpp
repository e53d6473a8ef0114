#include "support/Books.h"
#include "support/EntryFixture.h"

#include "engine/Errors.h"
#include "posting/GroupPosting.h"
#include "posting/Stock.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A release of `kol` units of goods lot `lot` to cost of sales.
EntryGroup Release(EntryFixture &e, int lot, double kol)
{
    EntryGroup g = e.group(false);
    e.row(g, Grid::BaseDt, 702, {}, 0);
    e.row(g, Grid::BaseKt, 304, {lot, 0, 0, 0, 0}, 0, kol);
    return g;
}
}  // namespace

class StockTest : public QObject {
    Q_OBJECT
private slots:
    void releaseIsPricedAtAverageCost_data()
    {
        QTest::addColumn<double>("kol");
        QTest::addColumn<QVariant>("amount");
        QTest::newRow("part of the stock") << 4.0 << QVariant(40.0);
        QTest::newRow("the whole stock takes the whole value") << 3.0 << QVariant(10.0);
        QTest::newRow("more than there is: untouched") << 5.0 << QVariant();
        QTest::newRow("no quantity: untouched") << 0.0 << QVariant();
    }
    void releaseIsPricedAtAverageCost()
    {
        QFETCH(double, kol);
        QFETCH(QVariant, amount);
        EntryFixture e;
        const int lot = kol == 3.0 || kol == 5.0 ? 2 : 1;  // lot 2 holds 3 units for 10.00
        EntryGroup g = Release(e, lot, kol);
        const auto cost = Stock::AverageCost(e.db(), g, 0, e.period);
        QCOMPARE(cost.has_value(), amount.isValid());
        if (cost)
            QCOMPARE(*cost, amount.toDouble());
    }

    void aReleaseLeftAtZeroTakesTheAverageCost_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("kept");
        QTest::addColumn<bool>("priced");
        QTest::newRow("release at 0.00") << int(Grid::BaseKt) << 0.0 << 40.0 << true;
        QTest::newRow("release with a typed amount") << int(Grid::BaseKt) << 35.0 << 35.0 << false;
        QTest::newRow("a debit row is never priced") << int(Grid::BaseDt) << 0.0 << 0.0 << false;
    }
    void aReleaseLeftAtZeroTakesTheAverageCost()
    {
        QFETCH(int, grid);
        QFETCH(double, typed);
        QFETCH(double, kept);
        QFETCH(bool, priced);
        EntryFixture e;
        EntryGroup g = e.group(false);
        const Grid other = Grid(grid) == Grid::BaseKt ? Grid::BaseDt : Grid::BaseKt;
        e.row(g, other, 702, {}, 0);
        e.row(g, Grid(grid), 304, {1, 0, 0, 0, 0}, typed, 4);  // lot 1: 10 units for 100.00
        QCOMPARE(Stock::PriceBlankRelease(e.db(), g, Grid(grid), 0, e.period), priced);
        QCOMPARE(g.rows(Grid(grid)).at(0).st, kept);
    }

    void oneThirdOfAThirdIsRoundedToCents()
    {
        EntryFixture e;
        EntryGroup g = Release(e, 2, 1);  // 10.00 / 3
        QCOMPARE(Stock::AverageCost(e.db(), g, 0, e.period).value_or(-1), 3.33);
    }

    void availability_data()
    {
        QTest::addColumn<int>("lot");
        QTest::addColumn<double>("kol");
        QTest::addColumn<bool>("available");
        QTest::newRow("within stock") << 1 << 10.0 << true;
        QTest::newRow("beyond stock") << 1 << 10.5 << false;
        QTest::newRow("lot without stock") << 3 << 1.0 << false;
    }
    void availability()
    {
        QFETCH(int, lot);
        QFETCH(double, kol);
        QFETCH(bool, available);
        EntryFixture e;
        EntryGroup g = Release(e, lot, kol);
        const QString error = ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseKt, 0, e.period); });
        QCOMPARE(error.isEmpty(), available);
        if (!available)
            QVERIFY2(error.startsWith(u" Няма налично количество в сметка304\rОсататъка е:"_s), qPrintable(error));
    }

    void twoCreditRowsOfOneLotCountTogether()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseDt, 702, {}, 0);
        e.row(g, Grid::BaseKt, 304, {1, 0, 0, 0, 0}, 0, 6);
        e.row(g, Grid::BaseKt, 304, {1, 0, 0, 0, 0}, 0, 6);
        QCOMPARE(ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseKt, 1, e.period); }),
                 u" Няма налично количество в сметка304\rОсататъка е:10Посочено за изписване12"_s);
    }

    void aNegativeReceiptNeedsTheStockToo()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseDt, 304, {2, 0, 0, 0, 0}, -20, -4);
        e.row(g, Grid::BaseKt, 401, {1, 0, 0, 0, 0}, -20);
        QVERIFY(!ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseDt, 0, e.period); }).isEmpty());
        g.rows(Grid::BaseDt)[0].kol = -3;
        QVERIFY(ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseDt, 0, e.period); }).isEmpty());
    }

    void editingAGroupCountsItsOwnReleaseAsAvailable()
    {
        EntryFixture e;
        EntryGroup g = Release(e, 2, 3);
        g.rows(Grid::BaseKt)[0].st = *Stock::AverageCost(e.db(), g, 0, e.period);
        g.rows(Grid::BaseDt)[0].st = g.rows(Grid::BaseKt)[0].st;
        QVERIFY(EntryRules::ValidateForSave(e.db(), g, e.period));
        GroupPosting::Save(e.db(), g, e.doc);
        const TAccountValue after = GetAccountValue(e.db(), 304, {2, 0, 0, 0, 0}, e.period, e.period.Date_Ot,
                                                    e.period.Date_Do);
        QCOMPARE(after.closeDtKol, 0.0);
        QCOMPARE(after.closeDtSt, 0.0);  // no remainder stays behind

        EntryGroup edited = EntryRules::Load(e.db(), g.docNo, g.group, false, false);
        edited.header = g.header;
        QVERIFY(ErrorOf([&] { Stock::CheckAvailability(e.db(), edited, Grid::BaseKt, 0, e.period); }).isEmpty());
        QCOMPARE(Stock::AverageCost(e.db(), edited, 0, e.period).value_or(-1), 10.0);
        // A new group on the same lot finds nothing left.
        EntryGroup another = Release(e, 2, 1);
        QVERIFY(!ErrorOf([&] { Stock::CheckAvailability(e.db(), another, Grid::BaseKt, 0, e.period); }).isEmpty());
    }

    void theCheckRunsInsideATransactionThePriceDoesNot()
    {
        EntryFixture e;
        EntryGroup g = Release(e, 1, 50);
        Transaction busy(e.f.fd.db());
        // The save checks its releases inside its own transaction.
        QVERIFY(ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseKt, 0, e.period); })
                    .startsWith(u" Няма налично количество в сметка304"_s));
        QVERIFY(!Stock::AverageCost(e.db(), g, 0, e.period));
    }

    void theSaveChecksEveryReleaseAgain_data()
    {
        QTest::addColumn<int>("lot");
        QTest::addColumn<double>("kol");
        QTest::addColumn<QDate>("date");
        QTest::newRow("more than the lot holds") << 1 << 50.0 << QDate(2026, 3, 10);
        QTest::newRow("lot changed after the quantity") << 2 << 5.0 << QDate(2026, 3, 10);
        QTest::newRow("date moved before a receipt") << 1 << 12.0 << QDate(2026, 3, 9);
    }
    void theSaveChecksEveryReleaseAgain()
    {
        QFETCH(int, lot);
        QFETCH(double, kol);
        QFETCH(QDate, date);
        EntryFixture e;
        PostLine(e.db(), QDate(2026, 3, 10), 304, {1, 0, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 50.00, 5);
        EntryGroup g = Release(e, 1, kol);
        QVERIFY(ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseKt, 0, e.period); }).isEmpty()
                || kol == 50.0);
        g.rows(Grid::BaseKt)[0].lots[0] = lot;
        g.header.postingDate = date;
        g.rows(Grid::BaseKt)[0].st = g.rows(Grid::BaseDt)[0].st = 10;
        const int postings = e.f.dm.RecordCount(u"an"_s);
        QVERIFY(ErrorOf([&] { GroupPosting::Save(e.db(), g, e.doc); })
                    .startsWith(u" Няма налично количество в сметка304\rОсататъка е:"_s));
        QCOMPARE(e.f.dm.RecordCount(u"an"_s), postings);
        QCOMPARE(e.f.dm.RecordCount(u"SKt"_s), 0);
    }

    void aCheckThatCannotRunRefusesWithTheReason()
    {
        EntryFixture e;
        EntryGroup g = Release(e, 1, 1);
        g.header.postingDate = QDate(2025, 12, 31);  // outside the period: no balance
        QCOMPARE(ErrorOf([&] { Stock::CheckAvailability(e.db(), g, Grid::BaseKt, 0, e.period); }),
                 StockCheckFailure + u"304\r"_s + PeriodMessage);
        g.rows(Grid::BaseKt)[0].st = g.rows(Grid::BaseDt)[0].st = 10;
        QVERIFY(ErrorOf([&] { GroupPosting::Save(e.db(), g, e.doc); }).startsWith(StockCheckFailure));
        QCOMPARE(e.f.dm.RecordCount(u"doc"_s), 0);
    }

    void onlyTheEditedGroupIsLeftOutOfTheStock()
    {
        EntryFixture e;  // lot 2 holds 3 units
        for (const double kol : {2.0, 1.0}) {
            EntryGroup g = Release(e, 2, kol);
            g.rows(Grid::BaseKt)[0].st = g.rows(Grid::BaseDt)[0].st = kol;
            GroupPosting::Save(e.db(), g, e.doc);
        }
        // The second group asks for 2 again: the first group's 2 stay released, 1 is left.
        EntryGroup second = EntryRules::Load(e.db(), e.doc.Nom_Doc_No, 2, false, false);
        second.header.postingDate = QDate(2026, 3, 10);
        second.rows(Grid::BaseKt)[0].kol = 2;
        QVERIFY(ErrorOf([&] { Stock::CheckAvailability(e.db(), second, Grid::BaseKt, 0, e.period); })
                    .startsWith(u" Няма налично количество в сметка304\rОсататъка е:1Посочено за изписване2"_s));
        second.rows(Grid::BaseKt)[0].kol = 1;
        QVERIFY(ErrorOf([&] { Stock::CheckAvailability(e.db(), second, Grid::BaseKt, 0, e.period); }).isEmpty());
    }

    void averageCostWarning()
    {
        EntryFixture e;
        EntryGroup g = e.group(false);
        e.row(g, Grid::BaseKt, 503, {}, 5);
        QVERIFY(!Stock::NeedsAverageCostWarning(g));
        e.row(g, Grid::BaseKt, 304, {1, 0, 0, 0, 0}, 5, 1);
        QVERIFY(Stock::NeedsAverageCostWarning(g));
    }

    void balanceHint()
    {
        EntryFixture e;
        EntryGroup g = Release(e, 1, 1);
        const QString hint = Stock::BalanceHint(e.db(), g, g.rows(Grid::BaseKt).first(), u"10.03.2026"_s, e.period);
        QVERIFY2(hint.startsWith(u"Сметка: 304 Стоки\rПартида:Олио,,,,,\rОт: 01.01.2026 до: 10.03.2026\r\r"_s),
                 qPrintable(hint));
        QVERIFY(hint.contains(u"КСДт: Кол:10.0000 Ст:100.00 Ед.Цена:10.00\r"_s));
        const QString value = Stock::BalanceHint(e.db(), g, g.rows(Grid::BaseDt).first(), u"bad"_s, e.period);
        QVERIFY2(value.contains(u"до: 31.12.2026\r\rНСДт: 0.00\r"_s), qPrintable(value));
        WorkLine none;
        QCOMPARE(Stock::BalanceHint(e.db(), g, none, {}, e.period), u"Изберете сметка!"_s);
    }
};

QTEST_GUILESS_MAIN(StockTest)
#include "tst_stock.moc"
