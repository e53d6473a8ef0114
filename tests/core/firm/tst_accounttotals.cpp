#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "engine/Errors.h"
#include "firm/AccountTotals.h"
#include "firm/Lookups.h"
#include "posting/JournalLines.h"
#include "support/Books.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr int Year = 2026;
QDate D(int month, int day) { return QDate(Year, month, day); }


struct Books {
    TestFixture f;
    ReportingPeriod period;
    Books()
    {
        f.openNewFirm(u"Книги"_s, Year);
        period = ReadPeriod(f.dm.db());
    }
    Db &db() { return f.dm.db(); }
    TAccountValue value(int account, LotKey lots, QDate from, QDate to)
    {
        return GetAccountValue(db(), account, lots, period, from, to);
    }
};
}  // namespace

class AccountTotalsTest : public QObject {
    Q_OBJECT
private slots:
    void closingRulesByBalanceType_data()
    {
        QTest::addColumn<int>("balanceType");
        QTest::addColumn<double>("openDt");
        QTest::addColumn<double>("openKt");
        QTest::addColumn<double>("turnDt");
        QTest::addColumn<double>("turnKt");
        QTest::addColumn<double>("closeDt");
        QTest::addColumn<double>("closeKt");
        QTest::newRow("active may go negative") << 1 << 100.0 << 0.0 << 50.0 << 170.0 << -20.0 << 0.0;
        QTest::newRow("passive") << 2 << 0.0 << 300.0 << 100.0 << 0.0 << 0.0 << 200.0;
        QTest::newRow("passive may go negative") << 2 << 0.0 << 10.0 << 30.0 << 0.0 << 0.0 << -20.0;
        QTest::newRow("active/passive debit side") << 3 << 100.0 << 0.0 << 0.0 << 40.0 << 60.0 << 0.0;
        QTest::newRow("active/passive credit side") << 3 << 0.0 << 100.0 << 130.0 << 0.0 << 30.0 << 0.0;
        QTest::newRow("active/passive turns to credit") << 3 << 10.0 << 0.0 << 0.0 << 25.5 << 0.0 << 15.5;
        QTest::newRow("unknown type stays zero") << 0 << 10.0 << 0.0 << 5.0 << 0.0 << 0.0 << 0.0;
    }
    void closingRulesByBalanceType()
    {
        QFETCH(int, balanceType);
        QFETCH(double, openDt);
        QFETCH(double, openKt);
        QFETCH(double, turnDt);
        QFETCH(double, turnKt);
        QFETCH(double, closeDt);
        QFETCH(double, closeKt);
        Books b;
        ChartStore::Insert(b.db(), {9001, {}, u"Проба"_s, balanceType, 1, 1});
        ChartStore::Insert(b.db(), {9002, {}, u"Насреща"_s, 3, 1, 1});
        OpeningBalances::Insert(b.db(), {9001, {}, 0, openDt, 0, openKt});
        if (turnDt != 0)
            PostLine(b.db(), D(3, 1), 9001, {}, 9002, {}, turnDt);
        if (turnKt != 0)
            PostLine(b.db(), D(3, 2), 9002, {}, 9001, {}, turnKt);
        const TAccountValue v = b.value(9001, {}, D(1, 1), D(12, 31));
        QVERIFY2(v.valid, qPrintable(v.errorText));
        QCOMPARE(v.openDtSt, openDt);
        QCOMPARE(v.turnKtSt, turnKt);
        QCOMPARE(v.closeDtSt, closeDt);
        QCOMPARE(v.closeKtSt, closeKt);
    }

    void equalValuesCloseAllFourToZeroEvenWithQuantities()
    {
        Books b;
        ChartStore::Insert(b.db(), {9001, {}, u"Стоки А/П"_s, 3, 2, 1});
        ChartStore::Insert(b.db(), {9002, {}, u"Насреща"_s, 3, 1, 1});
        OpeningBalances::Insert(b.db(), {9001, {}, 10, 100.10, 0, 0});
        PostLine(b.db(), D(2, 1), 9001, {}, 9002, {}, 0.20, 2);
        PostLine(b.db(), D(2, 2), 9002, {}, 9001, {}, 100.30, 0, 5);  // 100.10 + 0.20 in binary is not 100.30
        const TAccountValue v = b.value(9001, {}, D(1, 1), D(12, 31));
        QVERIFY(v.valid);
        QCOMPARE(v.closeDtKol, 0.0);
        QCOMPARE(v.closeDtSt, 0.0);
        QCOMPARE(v.closeKtKol, 0.0);
        QCOMPARE(v.closeKtSt, 0.0);
    }

    void rangeAfterTheFirstDayOpensWithTheDaysBefore()
    {
        Books b;
        OpeningBalances::Insert(b.db(), {501, {}, 0, 1000, 0, 0});
        PostLine(b.db(), D(1, 2), 501, {}, 411, {}, 200);
        PostLine(b.db(), D(1, 4), 401, {}, 501, {}, 50);
        PostLine(b.db(), D(1, 5), 501, {}, 411, {}, 7);
        PostLine(b.db(), D(1, 10), 401, {}, 501, {}, 3);
        const TAccountValue first = b.value(501, {}, D(1, 1), D(1, 4));
        const TAccountValue fromFifth = b.value(501, {}, D(1, 5), D(1, 31));
        QVERIFY(first.valid && fromFifth.valid);
        QCOMPARE(first.closeDtSt, 1150.0);
        QCOMPARE(fromFifth.openDtSt, first.closeDtSt);
        QCOMPARE(fromFifth.openKtSt, first.closeKtSt);
        QCOMPARE(fromFifth.turnDtSt, 7.0);
        QCOMPARE(fromFifth.turnKtSt, 3.0);
        QCOMPARE(fromFifth.closeDtSt, 1154.0);
        QCOMPARE(fromFifth.dateFrom, u"05.01.2026"_s);
    }

    void lotFilters_data()
    {
        QTest::addColumn<LotKey>("lots");
        QTest::addColumn<double>("closeDtSt");
        QTest::addColumn<double>("closeDtKol");
        QTest::newRow("all lots") << LotKey{0, 0, 0, 0, 0} << 350.0 << 35.0;
        QTest::newRow("negative is like 0") << LotKey{-1, -7, 0, 0, 0} << 350.0 << 35.0;
        QTest::newRow("lot 1") << LotKey{1, 0, 0, 0, 0} << 120.0 << 12.0;
        QTest::newRow("lot 2") << LotKey{2, 0, 0, 0, 0} << 230.0 << 23.0;
        QTest::newRow("lot 2 in store 1") << LotKey{2, 1, 0, 0, 0} << 30.0 << 3.0;
        QTest::newRow("lot without postings") << LotKey{3, 0, 0, 0, 0} << 0.0 << 0.0;
    }
    void lotFilters()
    {
        QFETCH(LotKey, lots);
        QFETCH(double, closeDtSt);
        QFETCH(double, closeDtKol);
        Books b;
        OpeningBalances::Insert(b.db(), {304, {1, 5, 0, 0, 0}, 10, 100, 0, 0});
        OpeningBalances::Insert(b.db(), {304, {2, 5, 0, 0, 0}, 20, 200, 0, 0});
        PostLine(b.db(), D(3, 3), 304, {1, 5, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 20, 2);
        PostLine(b.db(), D(3, 4), 304, {2, 1, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 30, 3);
        const TAccountValue v = b.value(304, lots, D(1, 1), D(12, 31));
        QVERIFY(v.valid);
        QCOMPARE(v.closeDtSt, closeDtSt);
        QCOMPARE(v.closeDtKol, closeDtKol);
    }

    void failures_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("error");
        QTest::newRow("before the period") << 501 << QDate(2025, 12, 31) << D(1, 31) << PeriodMessage;
        QTest::newRow("after the period") << 501 << D(1, 1) << QDate(2027, 1, 1) << PeriodMessage;
        QTest::newRow("invalid date") << 501 << QDate() << D(1, 31) << PeriodMessage;
        QTest::newRow("unknown account") << 8888 << D(1, 1) << D(1, 31) << MissingAccountMessage;
    }
    void failures()
    {
        QFETCH(int, account);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, error);
        Books b;
        const TAccountValue v = b.value(account, {}, from, to);
        QVERIFY(!v.valid);
        QCOMPARE(v.errorText, error);
    }

    void periodCheckComesBeforeAnyQuery()
    {
        Db closed(u"never-opened"_s);
        const ReportingPeriod period{D(1, 1), D(12, 31)};
        const TAccountValue v = GetAccountValue(closed, 501, {}, period, QDate(2025, 1, 1), D(1, 1));
        QCOMPARE(v.errorText, PeriodMessage);
        const TKorespValue k = GetKorespValue(closed, 501, 411, {}, {}, period, D(1, 1), QDate(2027, 1, 1));
        QCOMPARE(k.errorText, PeriodMessage);
    }

    void accountWithNothingIsValidWithZeros()
    {
        Books b;
        const TAccountValue v = b.value(501, {}, D(6, 1), D(6, 30));
        QVERIFY(v.valid);
        QCOMPARE(v.account.name, u"Каса в левове"_s);
        for (double x : {v.openDtKol, v.openDtSt, v.openKtKol, v.openKtSt, v.turnDtKol, v.turnDtSt, v.turnKtKol,
                         v.turnKtSt, v.closeDtKol, v.closeDtSt, v.closeKtKol, v.closeKtSt})
            QCOMPARE(x, 0.0);
    }

    void accountValueRoundsAndLotValueDoesNot()
    {
        Books b;
        LevelStore::InsertLevel(b.db(), {1, u"Каси"_s, 1});
        LevelStore::InsertLot(b.db(), {1, 1, u"Централна"_s, {}, {}});
        ChartStore::SetLevels(b.db(), 501, {1, 0, 0, 0, 0});
        PostLine(b.db(), D(2, 1), 501, {1, 0, 0, 0, 0}, 411, {}, 0.1);
        PostLine(b.db(), D(2, 2), 501, {1, 0, 0, 0, 0}, 411, {}, 0.2);
        QCOMPARE(b.value(501, {}, D(1, 1), D(12, 31)).turnDtSt, 0.3);
        const TAccountValue lot = GetAnValue(b.db(), 1, 1, D(1, 1), D(12, 31));
        QVERIFY(lot.valid);
        QCOMPARE(lot.turnDtSt, 0.1 + 0.2);
        QVERIFY(lot.turnDtSt != 0.3);
    }

    void lotValueAcrossAccountsAtDifferentPositions()
    {
        Books b;
        LevelStore::InsertLevel(b.db(), {1, u"Контрагенти"_s, 2});
        LevelStore::InsertLevel(b.db(), {2, u"Обекти"_s, 1});
        ChartStore::SetLevels(b.db(), 411, {1, 0, 0, 0, 0});   // counterparty at position 1
        ChartStore::SetLevels(b.db(), 401, {2, 1, 0, 0, 0});   // counterparty at position 2
        OpeningBalances::Insert(b.db(), {411, {7, 0, 0, 0, 0}, 0, 500, 0, 0});
        OpeningBalances::Insert(b.db(), {401, {3, 7, 0, 0, 0}, 0, 0, 0, 120});
        OpeningBalances::Insert(b.db(), {401, {7, 3, 0, 0, 0}, 0, 0, 0, 999});  // lot 7 of level 2, not ours
        PostLine(b.db(), D(4, 1), 411, {7, 0, 0, 0, 0}, 702, {}, 80);
        PostLine(b.db(), D(4, 2), 401, {3, 7, 0, 0, 0}, 503, {}, 20);
        PostLine(b.db(), D(5, 2), 503, {}, 411, {7, 0, 0, 0, 0}, 60);
        const TAccountValue all = GetAnValue(b.db(), 1, 7, D(1, 1), D(12, 31));
        QVERIFY2(all.valid, qPrintable(all.errorText));
        QCOMPARE(all.openDtSt, 500.0);
        QCOMPARE(all.openKtSt, 120.0);
        QCOMPARE(all.turnDtSt, 100.0);
        QCOMPARE(all.turnKtSt, 60.0);
        QCOMPARE(all.closeDtSt, 420.0);
        const TAccountValue fromMay = GetAnValue(b.db(), 1, 7, D(5, 1), D(12, 31));
        QCOMPARE(fromMay.openDtSt, all.openDtSt + all.turnDtSt - all.openKtSt - 0.0);
        QCOMPARE(fromMay.closeDtSt, 420.0);
        QCOMPARE(GetAnValue(b.db(), 1, 7, QDate(2025, 5, 1), D(12, 31)).errorText, PeriodMessage);
    }

    void correspondenceTurnover()
    {
        Books b;
        PostLine(b.db(), D(3, 1), 304, {1, 0, 0, 0, 0}, 401, {2, 0, 0, 0, 0}, 100, 10);
        PostLine(b.db(), D(3, 2), 304, {2, 0, 0, 0, 0}, 401, {1, 0, 0, 0, 0}, 40, 4);
        PostLine(b.db(), D(3, 3), 304, {1, 0, 0, 0, 0}, 503, {}, 7, 1);
        const ReportingPeriod p = b.period;
        const TKorespValue all = GetKorespValue(b.db(), 304, 401, {}, {}, p, D(1, 1), D(12, 31));
        QVERIFY(all.valid);
        QCOMPARE(all.dtSt, 140.0);
        QCOMPARE(all.dtKol, 14.0);
        const TKorespValue narrowed = GetKorespValue(b.db(), 304, 401, {1, 0, 0, 0, 0}, {2, 0, 0, 0, 0}, p, D(1, 1), D(12, 31));
        QCOMPARE(narrowed.dtSt, 100.0);
        QCOMPARE(GetKorespValue(b.db(), 304, 8888, {}, {}, p, D(1, 1), D(12, 31)).errorText, MissingAccountMessage);
    }

    void accountInUse_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("debit of a journal line") << u"insert into doc (Doc_StNo, Doc_S_Dt, Doc_S_Kt) values (1, 501, 0)"_s;
        QTest::newRow("credit of a journal line") << u"insert into doc (Doc_StNo, Doc_S_Dt, Doc_S_Kt) values (1, 0, 501)"_s;
        QTest::newRow("posting account") << u"insert into an (An_S_No, An_S_Cr_No) values (501, 0)"_s;
        QTest::newRow("corresponding account") << u"insert into an (An_S_No, An_S_Cr_No) values (0, 501)"_s;
        QTest::newRow("opening balance") << u"insert into Sns (Sn_UNo) values (501)"_s;
        QTest::newRow("debit work line of a group") << u"insert into SDt (SDt_Doc, SDt_Grp, SDt_No) values (1, 1, 501)"_s;
        QTest::newRow("credit work line of a group") << u"insert into SKt (SKt_Doc, SKt_Grp, SKt_No) values (1, 1, 501)"_s;
    }
    void accountInUse()
    {
        QFETCH(QString, sql);
        Books b;
        QVERIFY(!AccountInUse(b.db(), 501));
        b.db().exec(sql);
        QVERIFY(AccountInUse(b.db(), 501));
        QVERIFY(!AccountInUse(b.db(), 503));
    }

    void levelInUse_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("inUse");
        QTest::newRow("list lot") << 1 << u"insert into nomel (Nom_No, NomEl_No, NomEl_Name) values (4, 1, 'a')"_s
                                  << true;
        QTest::newRow("counterparty") << 2 << u"insert into kontra (Nom_No, NomEl_No, NomEl_Name) values (4, 1, 'a')"_s
                                      << true;
        QTest::newRow("account position 5") << 4 << u"update s set S_An5 = 4 where S_UNo = 501"_s << true;
        // A lot number that happens to equal the level's number is no use of the level.
        QTest::newRow("lot 4 in an opening balance") << 1 << u"insert into Sns (Sn_UNo, Sn_An3) values (501, 4)"_s
                                                     << false;
        QTest::newRow("lot 4 in a posting") << 1 << u"insert into an (An_S_No, An_S_An1, An_Date) values (501, 4, "
                                                    "'2026-02-01')"_s
                                            << false;
    }
    void levelInUse()
    {
        QFETCH(int, type);
        QFETCH(QString, sql);
        QFETCH(bool, inUse);
        Books b;
        LevelStore::InsertLevel(b.db(), {4, u"Ниво"_s, type});
        QVERIFY(!LevelInUse(b.db(), 4));
        b.db().exec(sql);
        QCOMPARE(LevelInUse(b.db(), 4), inUse);
    }

    void lotFreeLooksAtThePositionOfTheLevel()
    {
        Books b;
        LevelStore::InsertLevel(b.db(), {1, u"Обекти"_s, 1});
        LevelStore::InsertLevel(b.db(), {2, u"Стоки"_s, 3});
        ChartStore::SetLevels(b.db(), 304, {1, 2, 0, 0, 0});
        QVERIFY(LotFree(b.db(), 2, 5));
        OpeningBalances::Insert(b.db(), {304, {5, 1, 0, 0, 0}, 0, 1, 0, 0});  // 5 is a lot of level 1 here
        QVERIFY(LotFree(b.db(), 2, 5));
        QVERIFY(!LotFree(b.db(), 1, 5));
        PostLine(b.db(), D(2, 1), 304, {1, 5, 0, 0, 0}, 401, {}, 10, 1);
        QVERIFY(!LotFree(b.db(), 2, 5));
        QVERIFY(LotFree(b.db(), 2, 6));
    }

    void aCounterpartyOfAVatDocumentIsNotFree()
    {
        Books b;
        LevelStore::InsertLevel(b.db(), {1, u"Контрагенти"_s, 2});
        LevelStore::InsertLevel(b.db(), {2, u"Обекти"_s, 1});
        LevelStore::InsertKontra(b.db(), {1, 7, u"Клиент"_s, {}, {}, {}, {}, {}, {}, {}});
        LevelStore::InsertLot(b.db(), {2, 7, u"Склад"_s, {}, {}});
        QVERIFY(LotFree(b.db(), 1, 7));
        b.db().exec(u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No, Nom_P_No, Nom_WithDDS, Nom_Kontra) "
                    "values (1, 1, 1, 1, 7)"_s);
        QVERIFY(!LotFree(b.db(), 1, 7));
        QVERIFY(LotFree(b.db(), 2, 7));  // a list lot of the same number is not a counterparty
    }

    void namesAndTypes()
    {
        Books b;
        LevelStore::InsertLevel(b.db(), {1, u"Контрагенти"_s, 2});
        LevelStore::InsertLevel(b.db(), {2, u"Дълготрайни"_s, 4});
        LevelStore::InsertKontra(b.db(), {1, 3, u"Дунав АД"_s, {}, {}, {}, {}, {}, {}, {}});
        QCOMPARE(LevelType(b.db(), 1), 2);
        QCOMPARE(LevelType(b.db(), 99), 0);
        QCOMPARE(LevelTypeName(3), u"Стоки / материали"_s);
        QCOMPARE(LevelTypeName(5), QString());
        QCOMPARE(LotTableOfLevel(b.db(), 1), u"kontra"_s);
        QCOMPARE(LotTableOfLevel(b.db(), 2), QString());
        QCOMPARE(LevelNames(b.db(), {1, 0, 2, 0, 0}), QStringList({u"Контрагенти"_s, {}, u"Дълготрайни"_s, {}, {}}));
        QCOMPARE(LotName(b.db(), 1, 3), u"Дунав АД"_s);
        QCOMPARE(LotName(b.db(), 1, 0), QString());
        QCOMPARE(LotName(b.db(), 2, 3), QString());
        b.db().exec(u"drop table kontra"_s);
        QCOMPARE(LotName(b.db(), 1, 3), FailedLotName);
        QCOMPARE(b.f.messages.shown.size(), 1);
        QVERIFY(CheckAccountAn(b.db(), 501) == false);
        QVERIFY_THROWS_EXCEPTION(MyException, CheckAccountAn(b.db(), 8888));
        QVERIFY(!FolderHasDocuments(b.db(), 1));
        b.db().exec(u"insert into nom_p (Nom_Doc_No, Nom_P_No) values (1, 1)"_s);
        QVERIFY(FolderHasDocuments(b.db(), 1));
    }

    void defaultEndDate()
    {
        const ReportingPeriod p{D(1, 1), D(12, 31)};
        QCOMPARE(DefaultEndDate(p, D(6, 15)), D(6, 15));
        QCOMPARE(DefaultEndDate(p, QDate(2027, 2, 1)), D(12, 31));
    }
};

QTEST_GUILESS_MAIN(AccountTotalsTest)
#include "tst_accounttotals.moc"
