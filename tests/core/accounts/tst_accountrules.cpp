// The account editor's rules without a window: page checks and their messages, the locks of an
// account in use, level contiguity and the save.
#include "accounts/AccountRules.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "engine/Db.h"
#include "firm/Schema.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace AccountRules;

using Levels = std::array<int, 5>;
Q_DECLARE_METATYPE(Levels)

namespace {

// Level numbers 1..3 exist; 501 and 503 are accounts of the template chart.
void AddLevels(Db &db)
{
    for (int n = 1; n <= 3; ++n)
        LevelStore::InsertLevel(db, {n, u"Ниво %1"_s.arg(n), NomType::List});
}

AccountDraft Draft(const QString &number, const QString &name)
{
    AccountDraft d = NewDraft();
    d.numberText = number;
    d.name = name;
    return d;
}

int AccountCount(Db &db) { return db.scalar(u"select count(*) from s"_s).toInt(); }

}  // namespace

class AccountRulesTest : public QObject {
    Q_OBJECT
private slots:
    void namePage_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");

        const int number = int(Focus::Number), name = int(Focus::Name), none = int(Focus::None);
        QTest::newRow("zero") << u"0"_s << u"Каса"_s << 0 << NumberMissingMessage << number;
        QTest::newRow("empty number") << QString() << u"Каса"_s << 0 << NumberMissingMessage << number;
        QTest::newRow("letters") << u"5a1"_s << u"Каса"_s << 0 << NumberMissingMessage << number;
        QTest::newRow("number first, then name") << u"x"_s << u" "_s << 0 << NumberMissingMessage << number;
        QTest::newRow("blanks only") << u"9001"_s << u"   "_s << 0 << NameMissingMessage << name;
        QTest::newRow("control characters only") << u"9001"_s << u"\t\r\n "_s << 0 << NameMissingMessage << name;
        QTest::newRow("taken on add") << u"501"_s << u"Каса"_s << 0 << u"Сметка: 501 е вече въведена"_s << number;
        QTest::newRow("typed text in the message") << u"0501"_s << u"Каса"_s << 0
                                                   << u"Сметка: 0501 е вече въведена"_s << number;
        QTest::newRow("own number on edit") << u"501"_s << u"Каса"_s << 501 << QString() << none;
        QTest::newRow("another's number on edit") << u"503"_s << u"Каса"_s << 501
                                                  << u"Сметка: 503 е вече въведена"_s << number;
        QTest::newRow("free number") << u"9001"_s << u" Каса "_s << 0 << QString() << none;
    }

    void namePage()
    {
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(int, remembered);
        QFETCH(QString, message);
        QFETCH(int, focus);
        TestFixture f;
        f.openNewFirm();
        const Problem problem = CheckNamePage(f.dm.db(), Draft(number, name), remembered);
        QCOMPARE(problem.message, message);
        QCOMPARE(int(problem.focus), focus);
        if (problem.failed())
            QCOMPARE(problem.page, int(NamePage));
    }

    void levelChoices_data()
    {
        QTest::addColumn<Levels>("start");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("level");
        QTest::addColumn<Levels>("levels");
        QTest::addColumn<int>("kind");

        QTest::newRow("first level") << Levels{} << 1 << 2 << Levels{2, 0, 0, 0, 0} << Analytic;
        QTest::newRow("level 3 while 2 is empty stays empty")
            << Levels{1, 0, 0, 0, 0} << 3 << 2 << Levels{1, 0, 0, 0, 0} << Analytic;
        QTest::newRow("level 2 after 1") << Levels{1, 0, 0, 0, 0} << 2 << 3 << Levels{1, 3, 0, 0, 0} << Analytic;
        QTest::newRow("same level at two positions")
            << Levels{1, 0, 0, 0, 0} << 2 << 1 << Levels{1, 1, 0, 0, 0} << Analytic;
        QTest::newRow("emptying level 2 empties the later ones")
            << Levels{1, 2, 3, 1, 2} << 2 << 0 << Levels{1, 0, 0, 0, 0} << Analytic;
        QTest::newRow("emptying level 1 makes the account synthetic")
            << Levels{1, 2, 3, 0, 0} << 1 << 0 << Levels{} << Synthetic;
        QTest::newRow("emptying an empty level 2 keeps level 1")
            << Levels{3, 0, 0, 0, 0} << 2 << 0 << Levels{3, 0, 0, 0, 0} << Analytic;
    }

    void levelChoices()
    {
        QFETCH(Levels, start);
        QFETCH(int, position);
        QFETCH(int, level);
        QFETCH(Levels, levels);
        QFETCH(int, kind);
        AccountDraft d = NewDraft();
        ChooseKind(d, Analytic);
        d.levels = start;
        ChooseLevel(d, position, level);
        QCOMPARE(d.levels, levels);
        QCOMPARE(d.kind, kind);
    }

    void choosingSyntheticEmptiesEveryLevel()
    {
        AccountDraft d = NewDraft();
        ChooseKind(d, Analytic);
        d.levels = {1, 2, 3, 0, 0};
        ChooseKind(d, Synthetic);
        QCOMPARE(d.levels, (Levels{}));
        ChooseLevel(d, 1, 2);  // the boxes of a synthetic account take nothing
        QCOMPARE(d.levels, (Levels{}));
        QCOMPARE(d.kind, Synthetic);
    }

    void analyticWithoutLevelCannotBeSaved()
    {
        TestFixture f;
        f.openNewFirm();
        AccountDraft d = Draft(u"9001"_s, u"Нова"_s);
        ChooseKind(d, Analytic);
        QCOMPARE(CheckAnalyticsPage(d).message, LevelMissingMessage);
        QCOMPARE(int(CheckAnalyticsPage(d).focus), int(Focus::Level1));
        const int before = AccountCount(f.dm.db());
        const SaveResult result = Save(f.dm.db(), std::nullopt, d);
        QCOMPARE(result.problem.message, LevelMissingMessage);
        QCOMPARE(result.problem.page, int(AnalyticsPage));
        QCOMPARE(AccountCount(f.dm.db()), before);
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("number 0") << u"0"_s << u"Нова"_s << NumberMissingMessage;
        QTest::newRow("blank name") << u"9001"_s << u"  "_s << NameMissingMessage;
        QTest::newRow("taken number") << u"501"_s << u"Нова"_s << DuplicateMessage(u"501"_s);
        QTest::newRow("beyond the field") << u"10000"_s << u"Нова"_s << Schema::AccountNumberMessage;
        QTest::newRow("negative") << u"-5"_s << u"Нова"_s << Schema::AccountNumberMessage;
    }

    void badInputWritesNothing()
    {
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        const int before = AccountCount(f.dm.db());
        const SaveResult added = Save(f.dm.db(), std::nullopt, Draft(number, name));
        QCOMPARE(added.problem.message, message);
        QCOMPARE(added.number, 0);
        QCOMPARE(AccountCount(f.dm.db()), before);

        // The same input on an edit leaves the edited account as it was.
        ChartStore::Insert(f.dm.db(), {9100, {}, u"Стара"_s, 2, 1, 1});
        const SaveResult edited = Save(f.dm.db(), 9100, Draft(number, name));
        QCOMPARE(edited.problem.message, message);
        QCOMPARE(ChartStore::Find(f.dm.db(), 9100)->S_Name, u"Стара"_s);
    }

    void saveAddsThenEditsInOneGo()
    {
        TestFixture f;
        f.openNewFirm();
        AddLevels(f.dm.db());
        AccountDraft d = Draft(u"9001"_s, u"  Склад  "_s);
        d.balanceType = 3;
        d.measureType = 2;
        ChooseKind(d, Analytic);
        ChooseLevel(d, 1, 2);
        ChooseLevel(d, 2, 1);
        const SaveResult added = Save(f.dm.db(), std::nullopt, d);
        QVERIFY(!added.problem.failed());
        QCOMPARE(added.number, 9001);
        auto row = ChartStore::Find(f.dm.db(), 9001);
        QVERIFY(row);
        QCOMPARE(row->S_Name, u"Склад"_s);
        QCOMPARE(row->S_Act_Pas_Type, 3);
        QCOMPARE(row->S_Kol_Val_Type, 2);
        QCOMPARE(row->S_An_Sint_Type, int(Analytic));
        QCOMPARE(row->S_An, (Levels{2, 1, 0, 0, 0}));

        // Not in use: the number moves with the edit.
        AccountDraft e = DraftOf(*row);
        e.numberText = u"9002"_s;
        ChooseLevel(e, 1, 0);
        QCOMPARE(Save(f.dm.db(), 9001, e).number, 9002);
        QVERIFY(!ChartStore::Find(f.dm.db(), 9001));
        row = ChartStore::Find(f.dm.db(), 9002);
        QCOMPARE(row->S_An_Sint_Type, int(Synthetic));
        QCOMPARE(row->S_An, Levels{});
    }

    void accountWithOnlyAnOpeningBalanceIsInUse()
    {
        TestFixture f;
        f.openNewFirm();
        AddLevels(f.dm.db());
        ChartStore::Insert(f.dm.db(), {9001, {1, 0, 0, 0, 0}, u"Доставчици"_s, 2, 1, Analytic});
        ChartStore::Insert(f.dm.db(), {9002, {}, u"Без салдо"_s, 1, 1, Synthetic});
        OpeningBalances::Insert(f.dm.db(), {9001, {1, 0, 0, 0, 0}, 0, 0, 0, 100});

        const FieldLocks used = LocksOf(f.dm.db(), 9001);
        QVERIFY(used.number() && used.measure() && used.kind() && used.levels());
        const FieldLocks free = LocksOf(f.dm.db(), 9002);
        QVERIFY(!free.number() && !free.measure() && !free.kind() && !free.levels());
        QVERIFY(!LocksOf(f.dm.db(), std::nullopt).inUse);

        // A draft that changes what the postings depend on (an editor opened before the account
        // came into use) is refused whole, never saved in part as if it were done.
        AccountDraft d = DraftOf(*ChartStore::Find(f.dm.db(), 9001));
        d.numberText = u"9003"_s;
        d.measureType = 3;
        d.levels = {2, 3, 0, 0, 0};
        d.name = u"Доставчици в страната"_s;
        d.balanceType = 3;
        QCOMPARE(Save(f.dm.db(), 9001, d).problem.message, AccountInUseMessage);
        QCOMPARE(ChartStore::Find(f.dm.db(), 9001)->S_Name, u"Доставчици"_s);
        const AccountDraft stored = DraftOf(*ChartStore::Find(f.dm.db(), 9001));
        d.numberText = stored.numberText;
        d.measureType = stored.measureType;
        d.levels = stored.levels;
        const SaveResult result = Save(f.dm.db(), 9001, d);
        QVERIFY(!result.problem.failed());
        QCOMPARE(result.number, 9001);
        const auto row = ChartStore::Find(f.dm.db(), 9001);
        QVERIFY(row);
        QVERIFY(!ChartStore::Find(f.dm.db(), 9003));
        QCOMPARE(row->S_Kol_Val_Type, 1);
        QCOMPARE(row->S_An, (Levels{1, 0, 0, 0, 0}));
        QCOMPARE(row->S_Name, u"Доставчици в страната"_s);
        QCOMPARE(row->S_Act_Pas_Type, 3);
    }

    // A renumbered account takes the statements' include rows that name it along.
    void aRenumberedAccountTakesItsStatementRowsAlong()
    {
        TestFixture f;
        f.openNewFirm();
        ChartStore::Insert(f.dm.db(), {9002, {}, u"Без салдо"_s, 1, 1, Synthetic});
        f.dm.db().exec(u"insert into balans_data (OPR_Pok_No, OPR_Account_Type, OPR_Account_No, OPR_AccCor_No) "
                       "values (1, 7, 9002, 9002)"_s);
        AccountDraft d = DraftOf(*ChartStore::Find(f.dm.db(), 9002));
        d.numberText = u"9004"_s;
        QCOMPARE(Save(f.dm.db(), 9002, d).number, 9004);
        QCOMPARE(f.dm.db().scalar(u"select count(*) from balans_data where OPR_Account_No = 9004 and "
                                  "OPR_AccCor_No = 9004"_s).toInt(),
                 1);
    }

    void codesOutsideTheirRangeLeaveTheDefaults()
    {
        SRow row;
        row.S_UNo = 7;
        row.S_Act_Pas_Type = 0;
        row.S_Kol_Val_Type = 9;
        row.S_An_Sint_Type = 5;
        const AccountDraft d = DraftOf(row);
        QCOMPARE(d.balanceType, 1);
        QCOMPARE(d.measureType, 1);
        QCOMPARE(d.kind, int(Synthetic));
        QCOMPARE(d.numberText, u"7"_s);
    }
};

QTEST_GUILESS_MAIN(AccountRulesTest)
#include "tst_accountrules.moc"
