#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "engine/Settings.h"
#include "reports/ReportList.h"
#include "shell/MainCommands.h"
#include "support/TestFixture.h"

#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class MainCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void deletingAnAccount_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no") << QList<int>{7} << false << false << QStringList();
        QTest::newRow("yes") << QList<int>{6} << false << true << QStringList();
        QTest::newRow("yes but in use") << QList<int>{6} << true << false
                                        << QStringList{u"Сметката се използва и не може да бъде изтрита!"_s};
    }
    void deletingAnAccount()
    {
        QFETCH(QList<int>, answers);
        QFETCH(bool, inUse);
        QFETCH(bool, deleted);
        QFETCH(QStringList, shown);
        TestFixture f;
        f.openNewFirm();
        for (const QString &includes : {u"balans_data"_s, u"opr_data"_s, u"opp_data"_s})  // named by nothing
            f.dm.db().exec(u"delete from "_s + includes + u" where OPR_Account_No = 501 or OPR_AccCor_No = 501"_s);
        if (inUse)
            OpeningBalances::Insert(f.dm.db(), {501, {}, 0, 1, 0, 0});
        f.messages.answers = answers;
        QCOMPARE(MainCommands::DeleteAccount(f.dm.db(), 501), deleted);
        QCOMPARE(f.messages.asked, QStringList{u"Желаете ли изтриване на сметката?"_s});
        QCOMPARE(f.messages.shown, shown);
        QCOMPARE(ChartStore::Find(f.dm.db(), 501).has_value(), !deleted);
    }

    void theDeleteQuestionNamesTemplatesAndStatementLines_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no") << Messages::No;
        QTest::newRow("yes") << Messages::Yes;
    }
    void theDeleteQuestionNamesTemplatesAndStatementLines()
    {
        QFETCH(int, answer);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        db.exec(u"insert into op (Op_id, Pap_Id, Op_Name) values (1, 1, 'Покупка в брой')"_s);
        db.exec(u"insert into opelkt (Op_Id, OpEl_Id, OpEl_No) values (1, 1, 501)"_s);
        db.exec(u"insert into opr_data (OPR_Pok_No, OPR_Account_No, OPR_AccCor_No) values (912, 602, 501)"_s);
        f.fd.db().exec(u"insert into OPR (OPR_Pok_No, OPR_Pok_Name) values (912, 'Разходи платени в брой')"_s);
        f.messages.answers = {Messages::Yes, answer};
        QCOMPARE(MainCommands::DeleteAccount(db, 501, &f.fd.db()), answer == Messages::Yes);
        QCOMPARE(f.messages.asked.size(), 2);
        QVERIFY2(f.messages.asked[1].startsWith(u"Сметката е посочена в:\rоперация: Покупка в брой\r"_s),
                 qPrintable(f.messages.asked[1]));
        QVERIFY(f.messages.asked[1].contains(u"\rОПР, ред: Разходи платени в брой\r"_s));
        QCOMPARE(ChartStore::Find(db, 501).has_value(), answer != Messages::Yes);
    }

    void deletingOnAnEmptyListAsksNothing()
    {
        TestFixture f;
        f.openNewFirm();
        QVERIFY(!MainCommands::DeleteAccount(f.dm.db(), std::nullopt));
        QVERIFY(!MainCommands::DeleteLevel(f.dm.db(), std::nullopt));
        QVERIFY(!MainCommands::DeleteFolder(f.dm.db(), std::nullopt));
        QVERIFY(!MainCommands::DeleteOpeningBalance(f.dm.db(), std::nullopt));
        LevelStore::InsertLevel(f.dm.db(), {1, u"ДМА"_s, NomType::FixedAssets});
        QVERIFY(!MainCommands::DeleteLot(f.dm.db(), 1, 3));  // a level without a lot table
        QVERIFY(f.messages.asked.isEmpty());
    }

    void levelsLotsAndFoldersInUseAreKept()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        LevelStore::InsertLevel(db, {1, u"Стоки"_s, NomType::Goods});
        LevelStore::InsertLot(db, {1, 1, u"Олио"_s, u"бр."_s, {}});
        LevelStore::InsertLot(db, {1, 2, u"Захар"_s, u"кг"_s, {}});
        ChartStore::SetLevels(db, 304, {1, 0, 0, 0, 0});
        OpeningBalances::Insert(db, {304, {1, 0, 0, 0, 0}, 1, 1, 0, 0});
        FolderStore::Insert(db, {1, u"Банка"_s});
        db.exec(u"insert into nom_p (Nom_Doc_No, Nom_P_No) values (1, 1)"_s);
        f.messages.answers = {6, 6, 6, 6};
        QVERIFY(!MainCommands::DeleteLevel(db, 1));
        QVERIFY(!MainCommands::DeleteLot(db, 1, 1));
        QVERIFY(MainCommands::DeleteLot(db, 1, 2));
        QVERIFY(!MainCommands::DeleteFolder(db, 1));
        QCOMPARE(f.messages.shown, QStringList({u"Аналитичното ниво се използва и не може да бъде изтрито!"_s,
                                                u"Партидата се използва и не може да бъде изтрита!"_s,
                                                u"Папката съдържа документи и не може да бъде изтрита!"_s}));
        QCOMPARE(LevelStore::Lots(db, 1).size(), 1);
        QCOMPARE(FolderStore::All(db).size(), 1);
    }

    void filterThatLeavesNothingFallsBackToAll()
    {
        TestFixture f;
        f.openNewFirm();
        f.dm.db().exec(u"update s set S_Kol_Val_Type = 1 where S_Kol_Val_Type = 3"_s);
        const auto currency = MainCommands::FilterAccounts(f.dm.db(), AccountFilter::Currency);
        QCOMPARE(currency.filter, AccountFilter::All);
        QCOMPARE(currency.accounts.size(), f.dm.RecordCount(u"s"_s));
        QCOMPARE(f.messages.shown, QStringList{u"Няма сметки, които да отговарят на зададеното условие!"_s});
        const auto quantity = MainCommands::FilterAccounts(f.dm.db(), AccountFilter::Quantity);
        QCOMPARE(quantity.filter, AccountFilter::Quantity);
        QVERIFY(!quantity.accounts.isEmpty());
        for (const SRow &a : quantity.accounts)
            QCOMPARE(a.S_Kol_Val_Type, 2);
        QCOMPARE(AccountFilterCaption(AccountFilter::Currency), u"Валутни сметки"_s);
        QCOMPARE(AccountFilters().size(), 9);
    }

    void accountSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("account");
        QTest::addColumn<QString>("message");
        QTest::newRow("number") << u"411"_s << 411 << QString();
        QTest::newRow("unknown number") << u"9998"_s << 0 << u"Не е намерена сметка с посочения номер!"_s;
        QTest::newRow("name prefix any case") << u"клиен"_s << 411 << QString();
        QTest::newRow("digits and a letter search names") << u"12a"_s << 0
                                                          << u"Не е намерена сметка с посоченото наименование!"_s;
        QTest::newRow("digits and a letter found by name") << u"12 месеца"_s << 9000 << QString();
    }
    void accountSearch()
    {
        QFETCH(QString, text);
        QFETCH(int, account);
        QFETCH(QString, message);
        const QList<SRow> accounts = {{401, {}, u"Доставчици"_s, 2, 1, 1},
                                      {411, {}, u"Клиенти"_s, 1, 1, 1},
                                      {9000, {}, u"12 месеца разходи"_s, 1, 1, 1},
                                      {12, {}, u"Дванадесета"_s, 1, 1, 1}};
        const AccountSearchResult r = SearchAccount(accounts, text);
        QCOMPARE(r.account.value_or(0), account);
        QCOMPARE(r.message, message);
    }

    void syntheticAccountHasOneOpeningBalance()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        QVERIFY(OpeningBalances::CanAdd(db, 501));
        OpeningBalances::Insert(db, {501, {}, 0, 10, 0, 0});
        QVERIFY(!OpeningBalances::CanAdd(db, 501));
        LevelStore::InsertLevel(db, {1, u"Контрагенти"_s, NomType::Counterparties});
        ChartStore::SetLevels(db, 411, {1, 0, 0, 0, 0});
        OpeningBalances::Insert(db, {411, {1, 0, 0, 0, 0}, 0, 10, 0, 0});
        QVERIFY(OpeningBalances::CanAdd(db, 411));
        OpeningBalances::Insert(db, {411, {2, 0, 0, 0, 0}, 0, 5.5, 0, 0});
        QCOMPARE(OpeningBalances::RowsOf(db, 411).size(), 2);
        QCOMPARE(OpeningBalances::SumsOf(db, 411).stDt, 15.5);
        f.messages.answers = {6};
        QVERIFY(MainCommands::DeleteOpeningBalance(db, OpeningBalances::RowsOf(db, 411).first()));
        QCOMPARE(OpeningBalances::RowsOf(db, 411).size(), 1);
        QCOMPARE(OpeningBalances::RowsOf(db, 411).first().Sn_An[0], 2);
    }

    void codeNames()
    {
        QCOMPARE(BalanceTypeName(3), u"Активно/Пасивна"_s);
        QCOMPARE(MeasureTypeName(2), u"Количествена"_s);
        QCOMPARE(KindName(2), u"Аналитична"_s);
        QCOMPARE(KindName(0), u":"_s);
        QCOMPARE(KindName(5), u"??????????"_s);
    }

    void reportList()
    {
        QStringList captions;
        for (const ReportEntry &e : ReportEntries())
            captions << e.listCaption;
        QCOMPARE(captions, QStringList({u"1. Баланс"_s, u"2. ОПР"_s, u"3. ОПП"_s, u"4. Оборотна ведомост"_s,
                                        u"5. Главна книга"_s, u"9. ДДС"_s, u"6. Хронологична ведомост"_s,
                                        u"7. Извлечение от сметка"_s, u"8. Извлечение от партида"_s}));
        QCOMPARE(ReportMenuEntries().last().menuCaption, u"ДДС"_s);
        QVERIFY(ReportHasSettings(2) && !ReportHasSettings(3));
        QCOMPARE(StatementKindOfReport(0), 2);
        QCOMPARE(StatementKindOfReport(1), 0);
        QCOMPARE(StatementKindOfReport(2), 1);
    }

    void viewStyleIsKeptInTheIniFile()
    {
        Settings::SetListViewStyle(2);
        QCOMPARE(Settings::ListViewStyle(), 2);
        QVERIFY(Settings::FilePath().endsWith(u"/Orvalis.INI"_s));
        Settings::SetListViewStyle(9);
        QCOMPARE(Settings::ListViewStyle(), 0);
        Settings::SetListViewStyle(3);
        QCOMPARE(Settings::ListViewStyle(), 3);
    }
};

QTEST_GUILESS_MAIN(MainCommandsTest)
#include "tst_maincommands.moc"
