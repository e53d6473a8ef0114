// Operation templates on the offscreen platform: a demo template chosen in the journal entry
// wizard of a new document and posted, the template editor taken through its elements, picker
// and refusals to a saved template, the list's commands, the wizard's "Операция:" label, and a
// template another copy of the program is editing.
#include "accounts/TAccLookUpForm.h"
#include "accounts/TStatLookUpForm.h"
#include "app/TErrorHook.h"
#include "demo/DemoFirm.h"
#include "engine/Db.h"
#include "firm/AccountTotals.h"
#include "posting/Documents.h"
#include "posting/OpElementGrid.h"
#include "posting/OpTemplateStore.h"
#include "posting/TOPWizardForm.h"
#include "posting/TOpListForm.h"
#include "posting/TStatGrForm.h"
#include "registry/FirmChoice.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

enum DemoFolder { Bank = 1, Cash = 2, Purchases = 3, Sales = 4 };

struct Demo {
    TestFixture f;
    Demo()
    {
        const int id = EnsureDemoFirm(f.fd, 2026);
        if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened)
            qFatal("demo firm");
    }
    Db &db() { return f.dm.db(); }
    int templateId(const QString &name)
    {
        return db().scalar(u"select Op_id from op where Op_Name = ?"_s, {name}).toInt();
    }
    NomPRow newDocument(int folder)
    {
        NomPRow doc = Documents::NewDocument(db(), folder, ReadPeriod(db()), QDate(2026, 12, 28));
        doc.Nom_Doc_Date = QDate(2026, 12, 28);
        doc.Nom_DDoc_No = 7777;
        Documents::Save(db(), doc, true);
        return doc;
    }
};

// The next entry picker keeps its account and chooses `lot` in its first box.
void PickLotNext(int lot)
{
    WhenShown<TStatLookUpForm>([lot](TStatLookUpForm *picker) {
        picker->lotBox(1)->setCurrentIndex(picker->lotBox(1)->findData(lot));
        picker->confirm();
    });
}

// The next template picker chooses `account` (0: keeps the one it shows) and `lot` in its first
// box (0: leaves it blank).
void PickTemplateNext(int account, int lot)
{
    WhenShown<TAccLookUpForm>([account, lot](TAccLookUpForm *picker) {
        if (account)
            picker->accountBox()->setCurrentIndex(picker->accountBox()->findData(account));
        if (lot)
            picker->lotBox(1)->setCurrentIndex(picker->lotBox(1)->findData(lot));
        picker->confirm();
    });
}

void Choose(QComboBox *box, int key) { box->setCurrentIndex(box->findData(key)); }

QStringList Texts(const QTableWidget *table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        rows << cells.join(u" | "_s);
    }
    return rows;
}

const QString OtherHolder = u"мария (компютър счетоводство-2)"_s;

}  // namespace

class OpTemplatesUiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    void aDemoTemplateFillsANewPurchaseThatIsPosted()
    {
        Demo d;
        NomPRow doc = d.newDocument(Purchases);
        TStatGrForm w(d.f.fd, d.f.dm);
        QVERIFY(w.begin({true, true, 1, doc.Nom_Doc_No}));
        QComboBox *ops = w.operationBox();
        QCOMPARE(ops->currentText(), QString());
        // The purchases folder's two templates and the blank start, none of another folder.
        QCOMPARE(ops->count(), 3);
        QVERIFY(ops->findText(u"Продажба на стоки с ДДС"_s) < 0);
        w.setCounterparty(2);
        Choose(ops, d.templateId(u"Покупка на стоки с ДДС"_s));

        const EntryGroup &g = w.group();
        QCOMPARE(g.rows(Grid::BaseDt).size(), 1);
        QCOMPARE(g.rows(Grid::VatDt).size(), 1);
        QCOMPARE(g.rows(Grid::BaseKt).size(), 1);
        QCOMPARE(g.rows(Grid::BaseDt)[0].account, 304);
        QCOMPARE(g.rows(Grid::BaseDt)[0].lots, (LotKey{}));
        QCOMPARE(g.rows(Grid::BaseDt)[0].st, 0.0);

        // The lots the template leaves at 0: the goods and the supplier.
        w.grid(Grid::BaseDt)->setCurrentCell(0, EntryGrid::AccountColumn);
        PickLotNext(3);
        QVERIFY(w.pickAccount(Grid::BaseDt));
        QVERIFY(w.typeQuantity(Grid::BaseDt, 0, u"100"_s));
        QVERIFY(w.typeAmount(Grid::BaseDt, 0, u"85"_s));
        QVERIFY(w.typeAmount(Grid::VatDt, 0, u"17"_s));
        w.grid(Grid::BaseKt)->setCurrentCell(0, EntryGrid::AccountColumn);
        PickLotNext(2);
        QVERIFY(w.pickAccount(Grid::BaseKt));
        QVERIFY(w.typeAmount(Grid::BaseKt, 0, u"102"_s));
        QVERIFY(w.save());
        QCOMPARE(d.f.messages.shown, QStringList());

        QStringList lines;
        QSqlQuery q = d.db().exec(u"select Doc_S_Dt, Doc_S_Dt_An1, Doc_S_Dt_Kol, Doc_S_Kt, Doc_S_Kt_An1, Doc_St "
                                  "from doc where Doc_No = ? order by Doc_StNo"_s,
                                  {doc.Nom_Doc_No});
        while (q.next())
            lines << u"%1/%2/%3 %4/%5 %6"_s.arg(q.value(0).toInt()).arg(q.value(1).toInt()).arg(q.value(2).toDouble())
                         .arg(q.value(3).toInt()).arg(q.value(4).toInt()).arg(q.value(5).toDouble());
        QCOMPARE(lines, (QStringList{u"304/3/100 401/2 85"_s, u"4531/0/0 401/2 17"_s}));
        QCOMPARE(d.db().scalar(u"select count(*) from an where An_Doc_No = ?"_s, {doc.Nom_Doc_No}).toInt(), 4);
    }

    void theEditorBuildsATemplateThroughItsGridsAndPicker()
    {
        Demo d;
        TOPWizardForm form(d.f.fd, d.f.dm, {std::nullopt, false, Sales});
        QVERIFY(form.begin());
        QCOMPARE(form.caption(), u"Въвеждане на счетоводни операции"_s);
        QCOMPARE(form.stateText(), u"Добавяне "_s);
        QCOMPARE(form.folderBox()->currentData().toInt(), int(Sales));
        QVERIFY(form.folderLabel()->isEnabled());
        QCOMPARE(form.panelCaption(Grid::ExciseKt)->text(), u" Акциз в данъчната основа"_s);

        QVERIFY(form.addElement(Grid::BaseDt));
        QVERIFY(form.typeAccount(Grid::BaseDt, 0, u"411"_s));
        PickTemplateNext(0, 4);  // the picker starts from 411 and takes a customer
        form.grid(Grid::BaseDt)->pickerButton()->click();
        QCOMPARE(form.operation().rows(Grid::BaseDt)[0].lots, (LotKey{4, 0, 0, 0, 0}));
        QCOMPARE(form.operation().rows(Grid::BaseDt)[0].name, u"Черноморие ООД"_s);
        QCOMPARE(form.grid(Grid::BaseDt)->item(0, EntryGrid::LotsColumn)->text(), u"Черноморие ООД"_s);
        // A number typed over it takes the lots away.
        QVERIFY(form.typeAccount(Grid::BaseDt, 0, u"503"_s));
        QCOMPARE(form.operation().rows(Grid::BaseDt)[0].lots, (LotKey{}));
        QVERIFY(form.typeAccount(Grid::BaseDt, 0, u"411"_s));

        QVERIFY(form.addElement(Grid::BaseKt));
        QVERIFY(form.typeAccount(Grid::BaseKt, 0, u"702"_s));
        // An account not in the chart is refused and the picker is offered (cancelled here).
        WhenShown<TAccLookUpForm>([](TAccLookUpForm *picker) { picker->reject(); });
        QVERIFY(!form.typeAccount(Grid::BaseKt, 0, u"9998"_s));
        QCOMPARE(d.f.messages.shown.takeLast(), u"Не е попълнена коректна сметка!"_s);
        QCOMPARE(form.operation().rows(Grid::BaseKt)[0].account, 702);
        QVERIFY(form.addElement(Grid::VatKt));
        QVERIFY(!form.addElement(Grid::VatKt));  // one VAT element a side, refused silently
        QVERIFY(!form.addElement(Grid::BaseDt));  // the credit side has two
        QCOMPARE(d.f.messages.shown, QStringList());
        // The empty VAT element fails the save's account check, named by its grid.
        QVERIFY(!form.save());
        QCOMPARE(d.f.messages.shown, (QStringList{u"Не е попълнена коректна сметка!"_s, u"Таблица: SKt3"_s}));
        d.f.messages.shown.clear();
        form.grid(Grid::VatKt)->setCurrentCell(0, EntryGrid::AccountColumn);
        PickTemplateNext(4532, 0);
        QTest::keyClick(form.grid(Grid::VatKt), Qt::Key_Space);
        QTRY_COMPARE(form.operation().rows(Grid::VatKt)[0].account, 4532);

        QVERIFY(!form.save());
        QCOMPARE(d.f.messages.shown.takeLast(), u"Въведете наименование на операцията!"_s);
        form.nameEdit()->setText(u"Продажба на Черноморие"_s);
        QVERIFY(form.save());
        QVERIFY(form.savedId().has_value());
        const auto stored = OpTemplateStore::Load(d.db(), *form.savedId());
        QVERIFY(stored);
        QCOMPARE(stored->folder, int(Sales));
        QCOMPARE(stored->rows(Grid::BaseDt)[0].account, 411);
        QCOMPARE(stored->rows(Grid::BaseDt)[0].lots, (LotKey{}));
        QCOMPARE(stored->rows(Grid::BaseKt)[0].account, 702);
        QCOMPARE(stored->rows(Grid::VatKt)[0].account, 4532);
        QCOMPARE(d.db().scalar(u"select count(*) from RecLocks"_s).toInt(), 0);
    }

    void cancellingLeavesTheTablesAsTheyWere()
    {
        Demo d;
        const int before = d.db().scalar(u"select count(*) from opeldt"_s).toInt();
        const int id = d.templateId(u"Покупка на стоки с ДДС"_s);
        TOPWizardForm form(d.f.fd, d.f.dm, {id, false, 0});
        QVERIFY(form.begin());
        QCOMPARE(form.stateText(), u"Редактиране "_s);
        QCOMPARE(form.nameEdit()->text(), u"Покупка на стоки с ДДС"_s);
        form.grid(Grid::VatDt)->setCurrentCell(0, EntryGrid::AccountColumn);
        form.deleteElement(Grid::VatDt);
        form.nameEdit()->setText(u"Друго"_s);
        form.reject();
        QCOMPARE(d.db().scalar(u"select count(*) from opeldt"_s).toInt(), before);
        QCOMPARE(OpTemplateStore::Load(d.db(), id)->name, u"Покупка на стоки с ДДС"_s);
        QCOMPARE(d.db().scalar(u"select count(*) from RecLocks"_s).toInt(), 0);
    }

    void theListShowsEditsAndDeletesTemplates()
    {
        Demo d;
        TOpListForm list(d.f.fd, d.f.dm);
        list.reload();
        QCOMPARE(list.caption(), u"Операции"_s);
        QCOMPARE(list.list()->horizontalHeaderItem(0)->text(), u"Наименование на операцията:"_s);
        QCOMPARE(list.debitElements()->horizontalHeaderItem(0)->text(), u"Сметка дебит:"_s);
        QCOMPARE(list.creditElements()->horizontalHeaderItem(1)->text(), u"Партида:"_s);
        const int count = int(list.operations().size());
        QCOMPARE(count, d.db().scalar(u"select count(*) from op"_s).toInt());

        const int purchase = d.templateId(u"Покупка на стоки с ДДС"_s);
        list.reload(purchase);
        QCOMPARE(list.currentOperation(), std::optional<int>(purchase));
        QCOMPARE(Texts(list.debitElements()), (QStringList{u"304 | "_s, u"4531 | "_s}));
        QCOMPARE(Texts(list.creditElements()), QStringList{u"401 | "_s});
        QVERIFY(list.list()->item(list.list()->currentRow(), 1)->text().endsWith(u"Покупки"_s));

        // Editing: the editor opens on the current template; the list shows the new name.
        WhenShown<TOPWizardForm>([purchase](TOPWizardForm *editor) {
            QCOMPARE(editor->operation().opId, purchase);
            editor->nameEdit()->setText(u"Доставка на стоки"_s);
            editor->save();
        });
        list.editOperation();
        QCOMPARE(list.list()->item(list.list()->currentRow(), 0)->text(), u"Доставка на стоки"_s);

        // Adding, cancelled: nothing new.
        WhenShown<TOPWizardForm>([](TOPWizardForm *editor) { editor->reject(); });
        list.addOperation();
        QCOMPARE(list.operations().size(), count);

        d.f.messages.answers = {Messages::Yes};
        list.deleteOperation();
        QCOMPARE(d.f.messages.asked, QStringList{u"Желаете ли изтриване на операцията?"_s});
        QCOMPARE(list.operations().size(), count - 1);
        QVERIFY(!OpTemplateStore::Load(d.db(), purchase));
        QCOMPARE(d.db().scalar(u"select count(*) from opeldt where Op_Id = ?"_s, {purchase}).toInt(), 0);
    }

    void theWizardsOperationLabelAddsAndEditsTemplatesOfItsFolder()
    {
        Demo d;
        NomPRow doc = d.newDocument(Cash);
        TStatGrForm w(d.f.fd, d.f.dm);
        QVERIFY(w.begin({true, false, 1, doc.Nom_Doc_No}));
        const int before = w.operationBox()->count();
        WhenShown<TOPWizardForm>([](TOPWizardForm *editor) {
            QCOMPARE(editor->folderBox()->currentData().toInt(), int(Cash));
            QVERIFY(!editor->folderLabel()->isEnabled());
            editor->nameEdit()->setText(u"Внесени пари в банката"_s);
            editor->addElement(Grid::BaseDt);
            editor->typeAccount(Grid::BaseDt, 0, u"503"_s);
            editor->addElement(Grid::BaseKt);
            editor->typeAccount(Grid::BaseKt, 0, u"501"_s);
            editor->save();
        });
        w.operationLabelPressed(Qt::LeftButton);
        QCOMPARE(w.operationBox()->count(), before + 1);
        QCOMPARE(w.operationBox()->currentText(), QString());  // re-read, nothing applied
        QCOMPARE(w.group().debitCount(), 0);

        const int added = d.templateId(u"Внесени пари в банката"_s);
        Choose(w.operationBox(), added);
        QCOMPARE(w.group().rows(Grid::BaseDt)[0].account, 503);
        int edited = 0;
        WhenShown<TOPWizardForm>([&edited](TOPWizardForm *editor) {
            edited = editor->operation().opId;
            editor->reject();
        });
        w.operationLabelPressed(Qt::RightButton);
        QCOMPARE(edited, added);
        QCOMPARE(w.operationBox()->currentData().toInt(), added);
    }

    void aTemplateAnotherCopyEditsStaysClosed()
    {
        Demo d;
        const int id = d.templateId(u"Продажба на стоки с ДДС"_s);
        d.db().exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
                    "values ('op', ?, 'мария', 'счетоводство-2', 1, 1)"_s,
                    {QString::number(id)});
        QVERIFY(!TOPWizardForm::Run(d.f.fd, d.f.dm, {id, false, 0}, nullptr).has_value());
        QCOMPARE(d.f.messages.shown, QStringList{u"В момента избрания запис се редактира от потребител: "_s + OtherHolder});
    }
};

QTEST_MAIN(OpTemplatesUiTest)
#include "tst_optemplates_ui.moc"
