#include "registry/FirmChoice.h"
#include "statements/IncludeRowWizard.h"
#include "statements/IncludeRowsEdit.h"
#include "support/StatementBooks.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
int Count(Db &db, const QString &table) { return db.scalar(u"select count(*) from "_s + table).toInt(); }

IncludeRow Constant(double amount, int kind = IncludeKind::CurrentConstant)
{
    return IncludeRowOf(0, kind, 0, 0, amount);
}

IncludeRow Account(int kind, int account, int corr = 0) { return IncludeRowOf(0, kind, account, corr); }
}  // namespace

class StatementSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void theRegistryHoldsTheShippedLinesAndTemplates()
    {
        TestFixture f;
        const QList<std::pair<QString, int>> counts = {{u"BALANS"_s, 117},     {u"OPR"_s, 61},        {u"OPP"_s, 54},
                                                       {u"balans_data"_s, 277}, {u"opr_data"_s, 159}, {u"opp_data"_s, 2925}};
        for (const auto &[table, rows] : counts)
            QCOMPARE(Count(f.fd.db(), table), rows);
        const QList<StatementLine> lines = ReadStatementLines(f.fd.db(), StatementType::Balance);
        QCOMPARE(lines[61].OPR_Pok_No, 62);
        QCOMPARE(lines[61].OPR_Pok_Name, u"СУМА НА АКТИВА (А+Б+В+Г)"_s);
        QCOMPARE(lines[61].OPR_Value, 44);
        // An emptied table is filled again when the registry opens.
        f.fd.db().exec(u"delete from OPP"_s);
        f.fd.Reopen();
        QCOMPARE(Count(f.fd.db(), u"OPP"_s), 54);
    }

    void aNewFirmStartsFromTheTemplates()
    {
        TestFixture f;
        f.openNewFirm();
        for (const StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow})
            QCOMPARE(ReadIncludeRows(f.dm.db(), type).size(), Count(f.fd.db(), IncludeTableOf(type)));
        const QList<IncludeRow> cash = ReadIncludeRows(f.dm.db(), StatementType::Balance, 56);
        QCOMPARE(cash.size(), 2);  // the till in leva and in currency
        QCOMPARE(cash[0].OPR_Account_No, 501);
        QCOMPARE(cash[1].OPR_Account_No, 502);
        QCOMPARE(cash[0].OPR_Account_Type, IncludeKind::ClosingDebit);
    }

    void anOlderFirmWithEmptyTablesGetsTheDefaultsOnce()
    {
        TestFixture f;
        const int id = f.openNewFirm();
        Db &db = f.dm.db();
        db.exec(u"delete from opr_data"_s);
        db.exec(u"delete from balans_data where OPR_Pok_No <> 56"_s);
        db.exec(u"delete from StmtSeed"_s);  // as a firm made before the defaults shipped
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened);
        QCOMPARE(Count(f.dm.db(), u"opr_data"_s), 159);
        QCOMPARE(Count(f.dm.db(), u"balans_data"_s), 2);  // a table with rows is the user's
        f.dm.db().exec(u"delete from opr_data"_s);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened);
        QCOMPARE(Count(f.dm.db(), u"opr_data"_s), 0);  // once only: removed rows stay removed
    }

    void theDefaultSettingIsRestoredAfterAYes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no") << Messages::No;
        QTest::newRow("yes") << Messages::Yes;
    }
    void theDefaultSettingIsRestoredAfterAYes()
    {
        QFETCH(int, answer);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        db.exec(u"delete from opp_data where OPR_Pok_No = 3"_s);
        db.exec(u"insert into opp_data (OPR_Pok_No, OPR_Account_Type, OPR_ConstValue) values (3, 8, 5)"_s);
        const int changed = Count(db, u"opp_data"_s);
        f.messages.answers = {answer};
        QCOMPARE(RestoreDefaultIncludeRows(db, f.fd.db(), StatementType::CashFlow), answer == Messages::Yes);
        QCOMPARE(f.messages.asked, QStringList{RestoreDefaultsQuestion});
        QCOMPARE(Count(db, u"opp_data"_s), answer == Messages::Yes ? 2925 : changed);
        QCOMPARE(db.scalar(u"select count(*) from opp_data where OPR_Account_Type = 8"_s).toInt(),
                 answer == Messages::Yes ? 0 : 1);
    }

    void cancellingTheSettingsLeavesTheTableAsItWas()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const QList<IncludeRow> before = ReadIncludeRows(db, StatementType::Balance);
        IncludeRowsEdit edit(db, StatementType::Balance, 13);
        QVERIFY(edit.open());
        const qsizetype rows = edit.rows().size();
        QVERIFY(rows > 1);
        edit.add(Constant(100));
        edit.add(Account(IncludeKind::ClosingDebit, 501));
        edit.remove(0);
        edit.replace(0, Constant(7, IncludeKind::PreviousYear));
        edit.remove(int(edit.rows().size()) - 1);
        QVERIFY(edit.changed());
        edit.cancel();
        QVERIFY(!edit.changed());
        QCOMPARE(ReadIncludeRows(db, StatementType::Balance), before);
    }

    // Rows replaced meanwhile by another writer (a repeat closing, a restore of the defaults) are
    // not edited by their old numbers: the save says so and writes nothing.
    void aLineChangedMeanwhileIsNotWrittenOver()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        IncludeRowsEdit edit(db, StatementType::Income, 3);
        QVERIFY(edit.open());
        edit.add(Constant(100));
        db.exec(u"insert into opr_data (OPR_Pok_No, OPR_Account_Type, OPR_ConstValue) values (3, ?, 1200)"_s,
                {IncludeKind::PreviousYear});
        const QList<IncludeRow> meanwhile = ReadIncludeRows(db, StatementType::Income, 3);
        QVERIFY(!edit.save());
        QCOMPARE(f.messages.shown.last(), LineChangedMessage);
        QCOMPARE(ReadIncludeRows(db, StatementType::Income, 3), meanwhile);
        QVERIFY(!Transaction::anyActive());
    }

    void savingWritesEveryChangeOfTheLine()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const QList<IncludeRow> others = ReadIncludeRows(db, StatementType::Income, 4);
        IncludeRowsEdit edit(db, StatementType::Income, 3);
        QVERIFY(edit.open());
        const IncludeRow kept = edit.rows().at(1);
        edit.remove(0);
        edit.replace(1, Account(IncludeKind::CreditTurnover, 702));
        IncludeRow kor = Constant(250);
        kor.OPR_Kor = 1;  // no correction outside the balance sheet
        edit.add(kor);
        const QList<IncludeRow> expected = edit.rows();
        QVERIFY(edit.save());
        const QList<IncludeRow> saved = ReadIncludeRows(db, StatementType::Income, 3);
        QCOMPARE(saved.size(), expected.size());
        QCOMPARE(saved[0], kept);
        QCOMPARE(saved[1].OPR_Account_Type, IncludeKind::CreditTurnover);
        QCOMPARE(saved[1].OPR_ID, expected[1].OPR_ID);
        QCOMPARE(saved.last().OPR_ConstValue, 250.0);
        QCOMPARE(saved.last().OPR_Kor, 0);
        QCOMPARE(ReadIncludeRows(db, StatementType::Income, 4), others);
    }

    void saveChecksEveryRow_data()
    {
        QTest::addColumn<IncludeRow>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("account row without an account") << Account(IncludeKind::OpeningCredit, 0) << PickAccountRowMessage;
        QTest::newRow("account row") << Account(IncludeKind::OpeningCredit, 401) << QString();
        QTest::newRow("correspondence without its other account") << Account(7, 501, 0) << PickAccountRowMessage;
        QTest::newRow("correspondence without its account") << Account(7, 0, 501) << PickAccountRowMessage;
        QTest::newRow("correspondence") << Account(7, 503, 501) << QString();
        QTest::newRow("a constant of 0.4 rounds to nothing") << Constant(0.4) << PickAmountMessage;
        QTest::newRow("a constant of -0.6") << Constant(-0.6) << QString();
        QTest::newRow("previous year of 0") << Constant(0, IncludeKind::PreviousYear) << PickAmountMessage;
        QTest::newRow("unknown kind") << Account(10, 501) << UnknownRowKindMessage;
        QTest::newRow("kind 0") << Account(0, 501) << UnknownRowKindMessage;
    }
    void saveChecksEveryRow()
    {
        QFETCH(IncludeRow, row);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        IncludeRowsEdit edit(f.dm.db(), StatementType::Balance, 61);
        QVERIFY(edit.open());
        edit.add(Constant(5));
        edit.add(row);
        QCOMPARE(edit.save(), message.isEmpty());
        QCOMPARE(f.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(ReadIncludeRows(f.dm.db(), StatementType::Balance, 61).size(), message.isEmpty() ? 2 : 0);
    }

    void theWizardWritesItsChoice_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<IncludeWizardState>("state");
        QTest::addColumn<IncludeRow>("row");
        IncludeWizardState account;
        account.choice = IncludeChoice::Account;
        account.side = IncludeKind::OpeningCredit;
        account.account = 411;
        account.accountLots = {3, 0, 0, 0, 0};
        account.corrAccount = 501;  // left from an earlier choice: not shown, not written
        account.accountCorrection = true;
        account.amount = 12;
        IncludeRow accountRow = Account(IncludeKind::OpeningCredit, 411);
        accountRow.OPR_Account_An = {3, 0, 0, 0, 0};
        accountRow.OPR_Kor = 1;
        QTest::newRow("balance sheet account with correction") << int(StatementType::Balance) << account << accountRow;
        accountRow.OPR_Kor = 0;
        QTest::newRow("income account: never a correction") << int(StatementType::Income) << account << accountRow;
        IncludeWizardState corr = account;
        corr.choice = IncludeChoice::Correspondence;
        corr.corrLots = {0, 2, 0, 0, 0};
        IncludeRow corrRow = Account(7, 411, 501);
        corrRow.OPR_Account_An = {3, 0, 0, 0, 0};
        corrRow.OPR_AccCor_An = {0, 2, 0, 0, 0};
        corrRow.OPR_Kor = 1;
        QTest::newRow("correspondence") << int(StatementType::Balance) << corr << corrRow;
        IncludeWizardState amount;
        amount.choice = IncludeChoice::CurrentAmount;
        amount.amount = 0.4;
        amount.accountCorrection = true;  // page 2's box does not apply to an amount
        QTest::newRow("amount of the period") << int(StatementType::Balance) << amount << Constant(0.4);
        amount.amountCorrection = true;
        IncludeRow amountRow = Constant(0.4);
        amountRow.OPR_Kor = 1;
        QTest::newRow("amount of the period as correction") << int(StatementType::Balance) << amount << amountRow;
        amount.choice = IncludeChoice::PreviousYearAmount;
        QTest::newRow("previous year: no correction")
            << int(StatementType::Balance) << amount << Constant(0.4, IncludeKind::PreviousYear);
    }
    void theWizardWritesItsChoice()
    {
        QFETCH(int, type);
        QFETCH(IncludeWizardState, state);
        QFETCH(IncludeRow, row);
        QCOMPARE(IncludeRowWizard::FinishProblem(state), QString());
        QCOMPARE(IncludeRowWizard::RowOf(StatementType(type), state), row);
        // Edit mode reads the row back into the same choice.
        const IncludeWizardState back = IncludeRowWizard::StateOf(StatementType(type), row);
        QCOMPARE(int(back.choice), int(state.choice));
        QCOMPARE(IncludeRowWizard::RowOf(StatementType(type), back), row);
    }

    void theWizardChecksAndPages()
    {
        using namespace IncludeRowWizard;
        IncludeWizardState s;
        s.choice = IncludeChoice::Correspondence;
        s.account = 501;
        QCOMPARE(FinishProblem(s), PickAccountRowMessage);
        s.corrAccount = 503;
        QCOMPARE(FinishProblem(s), QString());
        s.amount = 5;
        s.accountCorrection = true;
        EnterFirstPage(s);
        QVERIFY(s.account == 0 && s.corrAccount == 0 && s.amount == 0 && !s.accountCorrection);
        s.choice = IncludeChoice::PreviousYearAmount;
        QCOMPARE(FinishProblem(s), PickAmountMessage);
        QCOMPARE(PageAfterFirst(IncludeChoice::Account), 2);
        QCOMPARE(PageAfterFirst(IncludeChoice::Correspondence), 2);
        QCOMPARE(PageAfterFirst(IncludeChoice::CurrentAmount), 3);
        QVERIFY(ShowsCorrection(StatementType::Balance, 2, IncludeChoice::Account));
        QVERIFY(ShowsCorrection(StatementType::Balance, 3, IncludeChoice::CurrentAmount));
        QVERIFY(!ShowsCorrection(StatementType::Balance, 3, IncludeChoice::PreviousYearAmount));
        QVERIFY(!ShowsCorrection(StatementType::Income, 2, IncludeChoice::Account));
        QVERIFY(!ShowsCorrection(StatementType::CashFlow, 3, IncludeChoice::CurrentAmount));
        QCOMPARE(ErrorOf([] { StateOf(StatementType::Balance, Account(12, 501)); }), u"Неочакван тип на данните! 12"_s);
        QCOMPARE(StateOf(StatementType::Balance, Account(IncludeKind::ClosingCredit, 401)).side, IncludeKind::ClosingCredit);
        QCOMPARE(IncludeKindText(7), u"Кореспонденция"_s);
        QCOMPARE(IncludeKindText(0), u"Не е посочена сметка"_s);
    }
};

QTEST_MAIN(StatementSettingsTest)
#include "tst_statementsettings.moc"
