// Operation templates: the shape and save checks of the editor in their order, the silent
// refusals of adding, storage and deletion in one piece, the lock on a template being edited,
// the folder's templates in the entry wizard, a template that names a deleted account, and the
// account delete that asks with the templates naming the account.
#include "support/EntryFixture.h"

#include "accounts/AccountRules.h"
#include "accounts/FolderStore.h"
#include "demo/DemoFirm.h"
#include "engine/Db.h"
#include "firm/Lookups.h"
#include "firm/RecordLocks.h"
#include "posting/EntryWizardData.h"
#include "posting/OpTemplate.h"
#include "posting/OpTemplateStore.h"
#include "registry/FirmChoice.h"
#include "shell/MainCommands.h"
#include "support/Books.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Templates {
    EntryFixture e;
    Templates()
    {
        FolderStore::Insert(db(), {1, u"Продажби"_s});
        FolderStore::Insert(db(), {2, u"Каса"_s});
    }
    Db &db() { return e.db(); }

    // A template of folder 1 named `name` with no elements.
    OpTemplate make(const QString &name = u"Продажба"_s, int folder = 1)
    {
        OpTemplate op = OpTemplateStore::New(e.f.fd, e.f.dm, folder);
        op.name = name;
        return op;
    }
    OpElement &add(OpTemplate &op, Grid grid, int account, LotKey lots = {})
    {
        OpElement element = OpTemplateStore::NewElement(e.f.fd, e.f.dm, IsDebit(grid));
        element.account = account;
        element.lots = lots;
        op.rows(grid).append(element);
        return op.rows(grid).last();
    }
    // Debit 411 (customer 2) against revenue 702, an excise and a VAT element.
    OpTemplate sale(int folder = 1)
    {
        OpTemplate op = make(u"Продажба"_s, folder);
        add(op, Grid::BaseDt, 411, {2, 0, 0, 0, 0}).name = u"Клиент ООД"_s;
        add(op, Grid::BaseKt, 702);
        add(op, Grid::ExciseKt, 4532);
        add(op, Grid::VatKt, 4532);
        return op;
    }
    int count(const QString &table) { return db().scalar(u"select count(*) from "_s + table).toInt(); }
};

void LockByOtherComputer(Db &db, int opId)
{
    db.exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
            "values ('op', ?, 'мария', 'счетоводство-2', 1, 1)"_s,
            {QString::number(opId)});
}

}  // namespace

class OpTemplatesTest : public QObject {
    Q_OBJECT
private slots:
    void oneBaseDebitAgainstThreeCreditsSaves()
    {
        Templates t;
        OpTemplate op = t.sale();
        QVERIFY(OpTemplateRules::ValidateForSave(t.db(), op));
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        QCOMPARE(t.e.f.messages.shown, QStringList());
        QCOMPARE(t.count(u"opeldt"_s), 1);
        QCOMPARE(t.count(u"opelkt"_s), 3);
        const auto loaded = OpTemplateStore::Load(t.db(), op.opId);
        QVERIFY(loaded);
        QCOMPARE(loaded->name, op.name);
        QCOMPARE(loaded->folder, 1);
        for (Grid g : AllGrids)
            QCOMPARE(loaded->rows(g), op.rows(g));
        QCOMPARE(t.db().scalar(u"select OpEl_Type from opelkt where OpEl_No = 702"_s).toInt(), 0);
        QCOMPARE(t.db().scalar(u"select OpEl_Type from opelkt where OpEl_Id = ?"_s,
                               {op.rows(Grid::VatKt).first().id})
                     .toInt(),
                 2);
    }

    void addingFollowsTheOneToManyShape_data()
    {
        QTest::addColumn<QList<int>>("present");  // grids that already hold one element each
        QTest::addColumn<int>("grid");
        QTest::addColumn<bool>("allowed");
        const int bd = int(Grid::BaseDt), ed = int(Grid::ExciseDt), vd = int(Grid::VatDt);
        const int bk = int(Grid::BaseKt), ek = int(Grid::ExciseKt), vk = int(Grid::VatKt);
        QTest::newRow("first base debit") << QList<int>{} << bd << true;
        QTest::newRow("second base debit against one credit") << QList<int>{bd, bk} << bd << true;
        QTest::newRow("second base debit against two credits") << QList<int>{bd, bk, vk} << bd << false;
        QTest::newRow("base debit against two credits when none yet") << QList<int>{bk, vk} << bd << true;
        QTest::newRow("second base credit against two debits") << QList<int>{bd, vd, bk} << bk << false;
        QTest::newRow("second base credit against one debit") << QList<int>{bd, bk} << bk << true;
        QTest::newRow("second excise debit") << QList<int>{ed} << ed << false;
        QTest::newRow("second VAT debit") << QList<int>{vd} << vd << false;
        QTest::newRow("second excise credit") << QList<int>{ek} << ek << false;
        QTest::newRow("second VAT credit") << QList<int>{vk} << vk << false;
        QTest::newRow("first VAT credit") << QList<int>{bk} << vk << true;
    }
    void addingFollowsTheOneToManyShape()
    {
        QFETCH(QList<int>, present);
        QFETCH(int, grid);
        QFETCH(bool, allowed);
        Templates t;
        OpTemplate op = t.make();
        for (int g : present)
            t.add(op, Grid(g), 501);
        const int before = op.debitCount() + op.creditCount();
        const int row = OpTemplateRules::AddElement(t.e.f.fd, t.e.f.dm, op, Grid(grid), -1);
        QCOMPARE(row >= 0, allowed);
        QCOMPARE(op.debitCount() + op.creditCount(), before + (allowed ? 1 : 0));
        QCOMPARE(t.e.f.messages.shown, QStringList());  // refusals are silent
        if (allowed)
            QCOMPARE(op.rows(Grid(grid)).at(row).account, 0);
    }

    void addingNeedsAGoodAccountInTheCurrentElement()
    {
        Templates t;
        OpTemplate op = t.make();
        t.add(op, Grid::BaseKt, 702);
        t.add(op, Grid::BaseKt, 0);
        QCOMPARE(OpTemplateRules::AddElement(t.e.f.fd, t.e.f.dm, op, Grid::BaseKt, 1), -1);
        QCOMPARE(t.e.f.messages.shown, QStringList{u"Не е попълнена коректна сметка!"_s});
        op.rows(Grid::BaseKt)[1].account = 9998;  // not in the chart
        QCOMPARE(OpTemplateRules::AddElement(t.e.f.fd, t.e.f.dm, op, Grid::BaseKt, 1), -1);
        op.rows(Grid::BaseKt)[1].account = 4532;
        QCOMPARE(OpTemplateRules::AddElement(t.e.f.fd, t.e.f.dm, op, Grid::BaseKt, 1), 2);
        // The current element is the one checked, not the last.
        op.rows(Grid::BaseKt)[2].account = 709;
        op.rows(Grid::BaseKt)[0].account = 0;
        QCOMPARE(OpTemplateRules::AddElement(t.e.f.fd, t.e.f.dm, op, Grid::BaseKt, 2), 3);
        QCOMPARE(OpTemplateRules::AddElement(t.e.f.fd, t.e.f.dm, op, Grid::BaseKt, 0), -1);
    }

    void saveChecksInTheirOrder_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no credit element") << u"no credit, no name"_s << QStringList{u"Посочете сметка по кредита!"_s};
        QTest::newRow("no debit element") << u"no debit, no name"_s << QStringList{u"Посочете сметка по дебита!"_s};
        QTest::newRow("two VAT elements on one side")
            << u"two VAT, no name"_s << QStringList{u"Посочени са две сметки за ДДС/Акциз"_s};
        QTest::newRow("many to many")
            << u"many to many, missing account"_s
            << QStringList{u"Съставена е статия от тип: \"много към много\"!"_s};
        QTest::newRow("missing account names its grid")
            << u"missing account, no name"_s
            << QStringList{u"Не е попълнена коректна сметка!"_s, u"Таблица: SKt2"_s};
        QTest::newRow("blank name") << u"no name"_s << QStringList{u"Въведете наименование на операцията!"_s};
        QTest::newRow("no folder") << u"no folder"_s << QStringList{u"Изберете папка!"_s};
        QTest::newRow("good") << QString() << QStringList();
    }
    void saveChecksInTheirOrder()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, messages);
        Templates t;
        OpTemplate op = t.sale();
        if (change.contains(u"no credit"_s))
            for (Grid g : {Grid::BaseKt, Grid::ExciseKt, Grid::VatKt})
                op.rows(g).clear();
        if (change.contains(u"no debit"_s))
            op.rows(Grid::BaseDt).clear();
        if (change.contains(u"two VAT"_s))
            t.add(op, Grid::VatKt, 4531);
        if (change.contains(u"many to many"_s))
            t.add(op, Grid::VatDt, 4531);
        if (change.contains(u"missing account"_s))
            op.rows(Grid::ExciseKt)[0].account = 9998;
        if (change.contains(u"no name"_s))
            op.name = u"   "_s;
        if (change.contains(u"no folder"_s))
            op.folder = 0;
        QCOMPARE(OpTemplateRules::ValidateForSave(t.db(), op), messages.isEmpty());
        QCOMPARE(t.e.f.messages.shown, messages);
    }

    void gridNamesOfTheSaveCheck()
    {
        QStringList names;
        for (Grid g : AllGrids)
            names << OpTemplateRules::GridName(g);
        QCOMPARE(names, (QStringList{u"SDt"_s, u"SDt2"_s, u"SDt3"_s, u"SKt"_s, u"SKt2"_s, u"SKt3"_s}));
    }

    void aNewAccountDropsTheOldOnesLots()
    {
        OpElement e{7, 304, {2, 0, 0, 0, 0}, u"Олио"_s, 3, 9};
        OpElement typed = e;
        OpTemplateRules::SetAccount(typed, 411);
        QCOMPARE(typed, (OpElement{7, 411, {}, QString(), 0, 0}));
        OpElement picked = e;
        TAccountStr same;
        same.number = 304;
        same.levels = {1, 0, 0, 0, 0};
        same.name = u"Захар"_s;
        OpTemplateRules::TakePicked(picked, same);
        QCOMPARE(picked, (OpElement{7, 304, {1, 0, 0, 0, 0}, u"Захар"_s, 3, 9}));
        TAccountStr other = same;
        other.number = 411;
        OpTemplateRules::TakePicked(picked, other);
        QCOMPARE(picked, (OpElement{7, 411, {1, 0, 0, 0, 0}, u"Захар"_s, 0, 0}));
    }

    void savingAgainReplacesTheElementsAndTrimsTheName()
    {
        Templates t;
        OpTemplate op = t.sale();
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        op.rows(Grid::ExciseKt).clear();
        op.rows(Grid::BaseDt)[0].account = 412;
        op.name = u"  Продажба на дребно "_s;
        op.folder = 2;
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        QCOMPARE(t.count(u"op"_s), 1);
        QCOMPARE(t.count(u"opelkt"_s), 2);
        const auto loaded = OpTemplateStore::Load(t.db(), op.opId);
        QVERIFY(loaded);
        QCOMPARE(loaded->name, u"Продажба на дребно"_s);
        QCOMPARE(loaded->folder, 2);
        QCOMPARE(loaded->rows(Grid::BaseDt).first().account, 412);
        QVERIFY(loaded->rows(Grid::ExciseKt).isEmpty());
    }

    void aSaveWaitsForAnotherTransaction()
    {
        Templates t;
        OpTemplate op = t.sale();
        {
            Transaction busy(t.db(), Transaction::Kind::Read);
            QVERIFY(!OpTemplateStore::Save(t.db(), op));
        }
        QCOMPARE(t.e.f.messages.shown, QStringList{u"Опитайте отново!"_s});
        QCOMPARE(t.count(u"op"_s), 0);
        QVERIFY(OpTemplateStore::Save(t.db(), op));
    }

    void aFailedSaveLeavesTheTablesAsTheyWere()
    {
        Templates t;
        OpTemplate op = t.sale();
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        // A second element with the number of the first cannot be stored.
        op.rows(Grid::VatKt)[0].id = op.rows(Grid::BaseKt)[0].id;
        op.name = u"Друго"_s;
        QVERIFY(!ErrorOf([&] { OpTemplateStore::Save(t.db(), op); }).isEmpty());
        QCOMPARE(t.count(u"opelkt"_s), 3);
        QCOMPARE(OpTemplateStore::Load(t.db(), op.opId)->name, u"Продажба"_s);
        QVERIFY(!Transaction::anyActive());
    }

    void numbersComeFromTheSharedCounter()
    {
        Templates t;
        const OpTemplate first = t.make();
        const OpTemplate second = t.make();
        QCOMPARE(second.opId, first.opId + 1);
        const int a = OpTemplateStore::NewElement(t.e.f.fd, t.e.f.dm, true).id;
        const int b = OpTemplateStore::NewElement(t.e.f.fd, t.e.f.dm, true).id;
        const int c = OpTemplateStore::NewElement(t.e.f.fd, t.e.f.dm, false).id;
        QCOMPARE(b, a + 1);
        QCOMPARE(c, 1);  // each element table has its own count
        QCOMPARE(t.e.f.fd.db().scalar(u"select LastID from AUTOINC where TableName = 'op.DB'"_s).toInt(),
                 second.opId);
    }

    void deletingRemovesTheElementsAndLeavesOtherTemplates()
    {
        Templates t;
        OpTemplate first = t.sale(1);
        OpTemplate second = t.sale(2);
        QVERIFY(OpTemplateStore::Save(t.db(), first));
        QVERIFY(OpTemplateStore::Save(t.db(), second));
        t.e.f.messages.answers = {Messages::No};
        QVERIFY(!OpTemplateStore::Delete(t.db(), first.opId));
        QCOMPARE(t.count(u"op"_s), 2);
        t.e.f.messages.answers = {Messages::Yes};
        QVERIFY(OpTemplateStore::Delete(t.db(), first.opId));
        QCOMPARE(t.e.f.messages.asked,
                 (QStringList{u"Желаете ли изтриване на операцията?"_s, u"Желаете ли изтриване на операцията?"_s}));
        QVERIFY(!OpTemplateStore::Load(t.db(), first.opId));
        QCOMPARE(t.db().scalar(u"select count(*) from opeldt where Op_Id = ?"_s, {first.opId}).toInt(), 0);
        QCOMPARE(t.db().scalar(u"select count(*) from opelkt where Op_Id = ?"_s, {first.opId}).toInt(), 0);
        QCOMPARE(t.count(u"opeldt"_s), 1);
        QCOMPARE(t.count(u"opelkt"_s), 3);
        QCOMPARE(OpTemplateStore::All(t.db()).size(), 1);
    }

    void aTemplateAnotherCopyEditsIsNotDeleted()
    {
        Templates t;
        OpTemplate op = t.sale();
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        LockByOtherComputer(t.db(), op.opId);
        t.e.f.messages.answers = {Messages::Yes};
        QVERIFY(!OpTemplateStore::Delete(t.db(), op.opId));
        QCOMPARE(t.e.f.messages.shown,
                 QStringList{u"В момента избрания запис се редактира от потребител: мария (компютър счетоводство-2)"_s});
        QVERIFY(OpTemplateStore::Load(t.db(), op.opId));
    }

    void theWizardOffersOnlyTheDocumentsFolder()
    {
        Templates t;
        OpTemplate own = t.sale(1);
        OpTemplate other = t.sale(2);
        other.name = u"Друга папка"_s;
        QVERIFY(OpTemplateStore::Save(t.db(), own));
        QVERIFY(OpTemplateStore::Save(t.db(), other));
        const QList<OpRow> offered = EntryWizardData::Operations(t.db(), 1);
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered.first().Op_id, own.opId);
    }

    void aTemplateNamingADeletedAccountLeavesItsRowEmpty()
    {
        Templates t;
        OpTemplate op = t.make();
        t.add(op, Grid::BaseDt, 503);
        t.add(op, Grid::BaseKt, 709);
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        t.e.f.messages.answers = {Messages::Yes, Messages::Yes};
        QVERIFY(MainCommands::DeleteAccount(t.db(), 709));
        t.e.f.messages.shown.clear();
        EntryGroup g = t.e.group(false);
        QVERIFY(EntryRules::ApplyTemplate(t.e.f.fd, t.e.f.dm, g, op.opId));
        QCOMPARE(t.e.f.messages.shown, QStringList{u"Не е попълнена коректна сметка!"_s});
        QCOMPARE(g.rows(Grid::BaseDt).first().account, 503);
        QCOMPARE(g.rows(Grid::BaseKt).size(), 1);
        QCOMPARE(g.rows(Grid::BaseKt).first().account, 0);
    }

    void deletingAnAccountAsksWithTheTemplatesThatNameIt()
    {
        Templates t;
        OpTemplate op = t.sale();
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        OpTemplate other = t.make(u"Акциз"_s);
        t.add(other, Grid::BaseDt, 503);
        t.add(other, Grid::BaseKt, 4532);
        QVERIFY(OpTemplateStore::Save(t.db(), other));
        QCOMPARE(OpTemplateStore::NamingAccount(t.db(), 4532),
                 (QStringList{u"Акциз (Продажби)"_s, u"Продажба (Продажби)"_s}));
        QCOMPARE(OpTemplateStore::NamingAccount(t.db(), 411), QStringList{u"Продажба (Продажби)"_s});
        QVERIFY(OpTemplateStore::NamingAccount(t.db(), 401).isEmpty());
        // Template elements do not put an account in use.
        QVERIFY(!AccountInUse(t.db(), 4532));

        for (const QString &includes : {u"balans_data"_s, u"opr_data"_s, u"opp_data"_s})  // no statement line
            t.db().exec(u"delete from "_s + includes + u" where OPR_Account_No in (4531, 4532) or OPR_AccCor_No in (4531, 4532)"_s);
        const QString question = u"Сметката е посочена в:\rоперация: Акциз (Продажби)\r"
                                 "операция: Продажба (Продажби)\r"
                                 "Желаете ли все пак изтриване на сметката?"_s;
        t.e.f.messages.answers = {Messages::Yes, Messages::No};
        QVERIFY(!MainCommands::DeleteAccount(t.db(), 4532));
        QCOMPARE(t.e.f.messages.asked, (QStringList{u"Желаете ли изтриване на сметката?"_s, question}));
        QVERIFY(FindAccount(t.db(), 4532));
        t.e.f.messages.asked.clear();
        t.e.f.messages.answers = {Messages::Yes, Messages::Yes};
        QVERIFY(MainCommands::DeleteAccount(t.db(), 4532));
        QVERIFY(!FindAccount(t.db(), 4532));
        // An account no template names is deleted after the one question.
        t.e.f.messages.asked.clear();
        t.e.f.messages.answers = {Messages::Yes};
        QVERIFY(MainCommands::DeleteAccount(t.db(), 4531));
        QCOMPARE(t.e.f.messages.asked, QStringList{u"Желаете ли изтриване на сметката?"_s});
    }

    void aRenumberedAccountTakesItsTemplatesAlong()
    {
        Templates t;
        OpTemplate op = t.make();
        t.add(op, Grid::BaseDt, 503);
        t.add(op, Grid::BaseKt, 709);
        QVERIFY(OpTemplateStore::Save(t.db(), op));
        AccountRules::AccountDraft draft = AccountRules::DraftOf(*ChartStore::Find(t.db(), 709));
        draft.numberText = u"7091"_s;
        QCOMPARE(AccountRules::Save(t.db(), 709, draft).number, 7091);
        const auto moved = OpTemplateStore::Load(t.db(), op.opId);
        QCOMPARE(moved->rows(Grid::BaseKt).first().account, 7091);
        QCOMPARE(moved->rows(Grid::BaseDt).first().account, 503);
    }

    void aLongListOfReferencesIsCut()
    {
        QStringList references;
        for (int i = 1; i <= 17; ++i)
            references << u"операция: %1"_s.arg(i);
        const QString question = MainCommands::ReferencesQuestion(references);
        QVERIFY(question.contains(u"\rоперация: 15\r... и още 2\r"_s));
        QVERIFY(!question.contains(u"операция: 16"_s));
    }

    void anElementNumberIsUniqueInItsTemplate()
    {
        Templates t;
        Db &db = t.db();
        db.exec(u"insert into opeldt (Op_Id, OpEl_Id, OpEl_No) values (1, 1, 501), (2, 1, 501)"_s);
        QVERIFY(!ErrorOf([&] { db.exec(u"insert into opeldt (Op_Id, OpEl_Id, OpEl_No) values (1, 1, 503)"_s); })
                     .isEmpty());
        QVERIFY(!ErrorOf([&] { db.exec(u"insert into opelkt (Op_Id, OpEl_Id, OpEl_No) values (3, 4, 503), "
                                       "(3, 4, 501)"_s); })
                     .isEmpty());
    }

    // A deleted folder takes its templates along, so a new folder that gets its number starts
    // empty; a template still open in an editor is refused when saved into the deleted folder.
    void aDeletedFolderTakesItsTemplatesAlong()
    {
        Templates t;
        OpTemplate kept = t.sale(2);
        QVERIFY(OpTemplateStore::Save(t.db(), kept));
        OpTemplate gone = t.sale(1);
        QVERIFY(OpTemplateStore::Save(t.db(), gone));
        t.db().exec(u"update nom_p set Nom_P_No = 2"_s);  // the fixture's document leaves folder 1
        t.e.f.messages.answers = {6};
        QVERIFY(MainCommands::DeleteFolder(t.db(), 1));
        QCOMPARE(t.count(u"op"_s), 1);
        QCOMPARE(t.count(u"opeldt"_s), 1);
        QCOMPARE(t.count(u"opelkt"_s), 3);
        QVERIFY(OpTemplateStore::Load(t.db(), kept.opId));
        QVERIFY(!OpTemplateStore::Save(t.db(), gone));
        QCOMPARE(t.e.f.messages.shown.last(), u"Папката не е намерена!"_s);
        QCOMPARE(t.count(u"op"_s), 1);
        FolderStore::Insert(t.db(), {1, u"Нова"_s});
        const QList<OpListRow> listed = OpTemplateStore::All(t.db());
        QVERIFY(std::none_of(listed.begin(), listed.end(), [](const OpListRow &r) { return r.Pap_Id == 1; }));
    }

    void theDemoFirmHasEverydayTemplatesInItsFolders()
    {
        TestFixture f;
        const int id = EnsureDemoFirm(f.fd, 2026);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened);
        Db &db = f.dm.db();
        QHash<QString, int> folderOf, idOf;
        for (const OpListRow &row : OpTemplateStore::All(db)) {
            folderOf.insert(row.Op_Name, row.Pap_Id);
            idOf.insert(row.Op_Name, row.Op_id);
            const auto op = OpTemplateStore::Load(db, row.Op_id);
            QVERIFY(op);
            QVERIFY2(OpTemplateRules::ValidateForSave(db, *op), qPrintable(row.Op_Name));
        }
        QCOMPARE(folderOf.value(u"Покупка на стоки с ДДС"_s), 3);
        QCOMPARE(folderOf.value(u"Продажба на стоки с ДДС"_s), 4);
        QCOMPARE(folderOf.value(u"Себестойност на продадените стоки"_s), 4);
        QCOMPARE(folderOf.value(u"Получено плащане от клиент в брой"_s), 2);
        const auto purchase = OpTemplateStore::Load(db, idOf.value(u"Покупка на стоки с ДДС"_s));
        QVERIFY(purchase);
        QCOMPARE(purchase->rows(Grid::BaseDt).first().account, 304);
        QCOMPARE(purchase->rows(Grid::VatDt).first().account, 4531);
        QCOMPARE(purchase->rows(Grid::BaseKt).first().account, 401);
        QCOMPARE(f.messages.shown, QStringList());
    }
};

QTEST_GUILESS_MAIN(OpTemplatesTest)
#include "tst_optemplates.moc"
