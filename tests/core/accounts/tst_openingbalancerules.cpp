// Opening balances without a window: the checks in their order, rounding before the post, one
// row per analytic key, the synthetic account's single row, and the lock probe of an account.
#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalanceRules.h"
#include "engine/Db.h"
#include "firm/Lookups.h"
#include "firm/RecordLocks.h"
#include "firm/Schema.h"
#include "shell/MainCommands.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace OpeningBalanceRules;

namespace {

// 9001 value, analytic on a list level and a fixed-asset level; 9002 quantity, analytic on a
// goods level; 9003 value, synthetic.
constexpr int ValueAccount = 9001, QuantityAccount = 9002, SyntheticAccount = 9003;
constexpr int ListLevel = 1, GoodsLevel = 2, AssetLevel = 3;

void MakeBooks(Db &db)
{
    LevelStore::InsertLevel(db, {ListLevel, u"Валута"_s, NomType::List});
    LevelStore::InsertLevel(db, {GoodsLevel, u"Стоки"_s, NomType::Goods});
    LevelStore::InsertLevel(db, {AssetLevel, u"ДМА"_s, NomType::FixedAssets});
    for (int lot = 1; lot <= 2; ++lot) {
        LevelStore::InsertLot(db, {ListLevel, lot, u"Валута %1"_s.arg(lot), {}, {}});
        LevelStore::InsertLot(db, {GoodsLevel, lot, u"Стока %1"_s.arg(lot), u"бр."_s, {}});
    }
    ChartStore::Insert(db, {ValueAccount, {ListLevel, AssetLevel, 0, 0, 0}, u"Валутни сметки"_s, 3, 1, 2});
    ChartStore::Insert(db, {QuantityAccount, {GoodsLevel, 0, 0, 0, 0}, u"Стоки"_s, 1, 2, 2});
    ChartStore::Insert(db, {SyntheticAccount, {}, u"Капитал"_s, 2, 1, 1});
}

TAccountStr Account(Db &db, int number) { return *FindAccount(db, number); }

SnsRow Row(int account, int lot, double kolDt, double stDt, double kolKt, double stKt)
{
    return SnsRow{account, {lot, 0, 0, 0, 0}, kolDt, stDt, kolKt, stKt};
}

int RowCount(Db &db) { return db.scalar(u"select count(*) from Sns"_s).toInt(); }

}  // namespace

class OpeningBalanceRulesTest : public QObject {
    Q_OBJECT

    TestFixture *m_f = nullptr;
    Db &db() { return m_f->dm.db(); }

private slots:
    void init()
    {
        m_f = new TestFixture;
        m_f->openNewFirm();
        MakeBooks(db());
    }
    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
    }

    void lotBoxesFollowTheLevelsThatHaveLots()
    {
        const QList<LotSlot> value = LotSlots(db(), Account(db(), ValueAccount));
        QCOMPARE(value.size(), 1);  // the fixed-asset level has no lots to choose
        QCOMPARE(value.first().position, 1);
        QCOMPARE(value.first().label, u"Валута:"_s);
        QVERIFY(LotSlots(db(), Account(db(), SyntheticAccount)).isEmpty());
        QVERIFY(!ShowsQuantities(Account(db(), ValueAccount)));
        QVERIFY(ShowsQuantities(Account(db(), QuantityAccount)));
    }

    void checksInTheirOrder_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<int>("lot");
        QTest::addColumn<double>("kolDt");
        QTest::addColumn<double>("stDt");
        QTest::addColumn<double>("kolKt");
        QTest::addColumn<double>("stKt");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");

        const QString none;
        const int lot1 = int(Box::Lot1), kolDt = int(Box::KolDt), stDt = int(Box::StDt), kolKt = int(Box::KolKt),
                  nowhere = int(Box::None);
        QTest::newRow("lot missing before anything else")
            << ValueAccount << 0 << 0.0 << 5.0 << 0.0 << 5.0 << LotMissingMessage << lot1;
        QTest::newRow("quantity account, all four 0")
            << QuantityAccount << 1 << 0.0 << 0.0 << 0.0 << 0.0 << ValueMissingMessage << kolDt;
        QTest::newRow("value account, both amounts 0")
            << ValueAccount << 1 << 0.0 << 0.0 << 0.0 << 0.0 << ValueMissingMessage << stDt;
        QTest::newRow("amount that rounds to 0") << ValueAccount << 1 << 0.0 << 0.004 << 0.0 << 0.0
                                                 << ValueMissingMessage << stDt;
        QTest::newRow("debit and credit amounts") << ValueAccount << 1 << 0.0 << 10.0 << 0.0 << 20.0
                                                  << BothSidesMessage << stDt;
        QTest::newRow("debit quantity and credit quantity")
            << QuantityAccount << 1 << 3.0 << 0.0 << 2.0 << 0.0 << BothSidesMessage << kolDt;
        QTest::newRow("credit amount and debit quantity")
            << QuantityAccount << 1 << 3.0 << 0.0 << 0.0 << 6.0 << BothSidesMessage << kolDt;
        QTest::newRow("credit quantity and debit amount")
            << QuantityAccount << 1 << 0.0 << 6.0 << 2.0 << 0.0 << BothSidesMessage << stDt;
        QTest::newRow("both sides before quantity without amount")
            << QuantityAccount << 1 << 5.0 << 0.0 << 0.0 << 7.0 << BothSidesMessage << kolDt;
        QTest::newRow("quantity without amount") << QuantityAccount << 1 << 5.0 << 0.0 << 0.0 << 0.0
                                                 << ValueMissingMessage << stDt;
        QTest::newRow("amount without quantity, credit")
            << QuantityAccount << 1 << 0.0 << 0.0 << 0.0 << 7.0 << ValueMissingMessage << kolKt;
        QTest::newRow("value account, debit amount only")
            << ValueAccount << 2 << 0.0 << 15.5 << 0.0 << 0.0 << none << nowhere;
        QTest::newRow("quantity account, credit side whole")
            << QuantityAccount << 2 << 0.0 << 0.0 << 4.0 << 8.0 << none << nowhere;
        QTest::newRow("synthetic, credit amount only")
            << SyntheticAccount << 0 << 0.0 << 0.0 << 0.0 << 100.0 << none << nowhere;
    }

    void checksInTheirOrder()
    {
        QFETCH(int, account);
        QFETCH(int, lot);
        QFETCH(double, kolDt);
        QFETCH(double, stDt);
        QFETCH(double, kolKt);
        QFETCH(double, stKt);
        QFETCH(QString, message);
        QFETCH(int, focus);
        const TAccountStr a = Account(db(), account);
        const SnsRow row = Row(account, lot, kolDt, stDt, kolKt, stKt);
        const Problem problem = Check(a, LotSlots(db(), a), row);
        QCOMPARE(problem.message, message);
        QCOMPARE(int(problem.focus), focus);

        // Save runs the same checks and writes only what passes.
        const int before = RowCount(db());
        QCOMPARE(Save(db(), a, std::nullopt, row).message, message);
        QCOMPARE(RowCount(db()), before + (message.isEmpty() ? 1 : 0));
    }

    void valuesAreRoundedBeforeEveryPost()
    {
        const TAccountStr goods = Account(db(), QuantityAccount);
        QVERIFY(!Save(db(), goods, std::nullopt, Row(QuantityAccount, 1, 1.23456, 10.005, 0, 0)).failed());
        SnsRow stored = OpeningBalances::RowsOf(db(), QuantityAccount).first();
        QCOMPARE(stored.Sn_Kol_Dt, 1.2346);
        QCOMPARE(stored.Sn_St_Dt, 10.01);

        QVERIFY(!Save(db(), goods, stored, Row(QuantityAccount, 1, 0, 0, 2.00005, 3.335)).failed());
        stored = OpeningBalances::RowsOf(db(), QuantityAccount).first();
        QCOMPARE(stored.Sn_Kol_Dt, 0.0);
        QCOMPARE(stored.Sn_Kol_Kt, 2.0001);
        QCOMPARE(stored.Sn_St_Kt, 3.34);
    }

    void oneRowPerAnalyticKey()
    {
        const TAccountStr value = Account(db(), ValueAccount);
        QVERIFY(!Save(db(), value, std::nullopt, Row(ValueAccount, 1, 0, 100, 0, 0)).failed());
        const Problem again = Save(db(), value, std::nullopt, Row(ValueAccount, 1, 0, 0, 0, 50));
        QCOMPARE(again.message, u"За сметката/партидите вече е въведено начално салдо!"_s);
        QCOMPARE(RowCount(db()), 1);
        QCOMPARE(OpeningBalances::RowsOf(db(), ValueAccount).first().Sn_St_Dt, 100.0);

        QVERIFY(!Save(db(), value, std::nullopt, Row(ValueAccount, 2, 0, 0, 0, 50)).failed());
        QCOMPARE(RowCount(db()), 2);

        // Moving a row onto another row's lot is the same second row.
        const SnsRow second = Row(ValueAccount, 2, 0, 0, 0, 50);
        QCOMPARE(Save(db(), value, second, Row(ValueAccount, 1, 0, 0, 0, 50)).message,
                 Schema::OpeningBalanceKeyMessage);
        QCOMPARE(OpeningBalances::RowsOf(db(), ValueAccount).last().Sn_An[0], 2);
    }

    void positionsWithoutLotsAndHiddenQuantitiesStoreZero()
    {
        const TAccountStr value = Account(db(), ValueAccount);
        SnsRow typed{ValueAccount, {1, 7, 7, 0, 0}, 3, 12, 0, 0};
        QVERIFY(!Save(db(), value, std::nullopt, typed).failed());
        const SnsRow stored = OpeningBalances::RowsOf(db(), ValueAccount).first();
        QCOMPARE(stored.Sn_An, (std::array<int, 5>{1, 0, 0, 0, 0}));
        QCOMPARE(stored.Sn_Kol_Dt, 0.0);
        QCOMPARE(stored.Sn_St_Dt, 12.0);
    }

    void aSyntheticAccountTakesOneRow()
    {
        const TAccountStr capital = Account(db(), SyntheticAccount);
        QVERIFY(!SaveAndNewAllowed(capital));
        QVERIFY(SaveAndNewAllowed(Account(db(), ValueAccount)));
        QVERIFY(AddRefusal(db(), capital).isEmpty());
        QVERIFY(!Save(db(), capital, std::nullopt, Row(SyntheticAccount, 0, 0, 0, 0, 500)).failed());
        QCOMPARE(AddRefusal(db(), capital), SyntheticHasRowMessage);
        QCOMPARE(Save(db(), capital, std::nullopt, Row(SyntheticAccount, 0, 0, 20, 0, 0)).message,
                 SyntheticHasRowMessage);
        QCOMPARE(RowCount(db()), 1);
        // Its one row stays editable.
        QVERIFY(!Save(db(), capital, Row(SyntheticAccount, 0, 0, 0, 0, 500), Row(SyntheticAccount, 0, 0, 0, 0, 600))
                     .failed());
        QCOMPARE(OpeningBalances::RowsOf(db(), SyntheticAccount).first().Sn_St_Kt, 600.0);
    }

    void typedValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("blank is 0") << u"  "_s << 2 << true << 0.0;
        QTest::newRow("decimal comma") << u"1,5"_s << 2 << true << 1.5;
        QTest::newRow("decimal point") << u" 1234.567 "_s << 2 << true << 1234.567;
        QTest::newRow("negative") << u"-3"_s << 4 << true << -3.0;
        QTest::newRow("letters") << u"12a"_s << 2 << false << 0.0;
        QTest::newRow("two separators") << u"1.2.3"_s << 2 << false << 0.0;
        QTest::newRow("amount within the field") << u"9999999999999.99"_s << 2 << true << 9999999999999.99;
        QTest::newRow("amount beyond the field") << u"10000000000000"_s << 2 << false << 0.0;
        QTest::newRow("quantity beyond the field") << u"100000000000"_s << 4 << false << 0.0;
        QTest::newRow("not a finite number") << u"inf"_s << 2 << false << 0.0;
    }

    void typedValues()
    {
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = ParseValue(text, decimals);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void aBoxThatIsNoNumberIsNamed()
    {
        SnsRow row;
        const Problem problem = ReadValues({u"1"_s, u"2"_s, u"x5"_s, u""_s}, row);
        QCOMPARE(problem.message, InvalidValueMessage(u"x5"_s));
        QCOMPARE(int(problem.focus), int(Box::KolKt));
        QVERIFY(!ReadValues({u""_s, u"2,50"_s, u""_s, u""_s}, row).failed());
        QCOMPARE(row.Sn_St_Dt, 2.5);
    }

    void aRowLockedByAnotherCopyIsFound()
    {
        const TAccountStr value = Account(db(), ValueAccount);
        QVERIFY(!Save(db(), value, std::nullopt, Row(ValueAccount, 1, 0, 10, 0, 0)).failed());
        QVERIFY(!Save(db(), value, std::nullopt, Row(ValueAccount, 2, 0, 10, 0, 0)).failed());
        QVERIFY(!LockedRowOfAccount(db(), ValueAccount));
        db().exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
                  "values (?, ?, 'иван', 'склад-1', 1, 1)"_s,
                  {LockTable, LockKey(Row(ValueAccount, 2, 0, 0, 0, 0))});
        const auto holder = LockedRowOfAccount(db(), ValueAccount);
        QVERIFY(holder);
        QCOMPARE(holder->user, u"иван"_s);
        QVERIFY(!LockedRowOfAccount(db(), QuantityAccount));
    }

    // A row open in one copy's editor cannot be deleted from another; a row deleted meanwhile
    // (before the editor took it) makes the save say so instead of reading as saved.
    void aRowBeingEditedElsewhereIsNotLostSilently()
    {
        const TAccountStr value = Account(db(), ValueAccount);
        const SnsRow stored = Row(ValueAccount, 1, 0, 10, 0, 0);
        QVERIFY(!Save(db(), value, std::nullopt, stored).failed());
        db().exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
                  "values (?, ?, 'иван', 'склад-1', 1, 1)"_s,
                  {LockTable, LockKey(stored)});
        m_f->messages.answers = {6};
        QVERIFY(!MainCommands::DeleteOpeningBalance(db(), stored));
        QVERIFY(m_f->messages.shown.last().startsWith(RecordLockPrefix));
        QCOMPARE(RowCount(db()), 1);

        db().exec(u"delete from RecLocks"_s);
        db().exec(u"delete from Sns"_s);  // by another user
        QCOMPARE(Save(db(), value, stored, Row(ValueAccount, 1, 0, 15, 0, 0)).message, OpeningRowGoneMessage);
        QCOMPARE(RowCount(db()), 0);
        // A lot another user deleted after it was chosen takes no balance.
        const int level = value.levels[0];
        db().exec(u"delete from nomel where Nom_No = ? and NomEl_No = 1"_s, {level});
        db().exec(u"delete from kontra where Nom_No = ? and NomEl_No = 1"_s, {level});
        QCOMPARE(Save(db(), value, std::nullopt, Row(ValueAccount, 1, 0, 15, 0, 0)).message, AccountChangedMessage);
        QCOMPARE(RowCount(db()), 0);
    }

    void displayShowsZeroBare()
    {
        QCOMPARE(ShowAmount(0), u"0"_s);
        QCOMPARE(ShowAmount(10.5), u"10.50"_s);
        QCOMPARE(ShowQuantity(0), u"0"_s);
        QCOMPARE(ShowQuantity(1.5), u"1.5000"_s);
    }
};

QTEST_GUILESS_MAIN(OpeningBalanceRulesTest)
#include "tst_openingbalancerules.moc"
