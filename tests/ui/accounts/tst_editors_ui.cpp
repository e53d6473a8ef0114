// The level/lot/folder editor, the counterparty level chooser, the account editor and the
// opening-balance editor, driven on the offscreen platform through add, edit, "Запис+Нов",
// cancel, their label clicks and the refusal of a row another copy of the program edits.
#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/OpeningBalances.h"
#include "accounts/TKontraAddForm.h"
#include "accounts/TNomWizardForm.h"
#include "accounts/TNsWizardForm.h"
#include "accounts/TSmWizardForm.h"
#include "app/TErrorHook.h"
#include "demo/DemoFirm.h"
#include "engine/Db.h"
#include "registry/FirmChoice.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

using namespace Qt::StringLiterals;
using Box = OpeningBalanceRules::Box;

namespace {

// Cancels any editor still open when it goes out of scope's time: a refusal that should have
// kept the editor closed then fails the test instead of hanging it.
class Watchdog {
public:
    Watchdog()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &CancelOpenDialogs);
        m_timer.start(10000);
    }

private:
    QTimer m_timer;
};

void OpenDemo(TestFixture &f)
{
    const int id = EnsureDemoFirm(f.fd, 2026);
    const FirmOpenResult opened = OpenFirm(f.fd, f.dm, *f.fd.Firm(id));
    if (!opened.opened)
        qFatal("demo firm: %s", qPrintable(opened.message));
}

int Count(Db &db, const QString &table) { return db.scalar(u"select count(*) from "_s + table).toInt(); }

const QString OtherHolder = u"мария (компютър счетоводство-2)"_s;

void LockByOtherComputer(Db &db, const QString &table, const QString &key)
{
    db.exec(u"insert into RecLocks (Lock_Table, Lock_Key, Lock_User, Lock_Host, Lock_Pid, Lock_Start) "
            "values (?, ?, 'мария', 'счетоводство-2', 1, 1)"_s,
            {table, key});
}

QString LastShown(const TestFixture &f) { return f.messages.shown.isEmpty() ? QString() : f.messages.shown.last(); }

// The second copy of the program: opens the level editor on level 1 of the firm in `dir`, says
// so, and saves a new name once told to.
int EditLevelInAnotherCopy(const QString &dir)
{
    TDM dm;
    dm.Open(dir);
    TNomWizardForm form(dm, NomKind::Level, 0, 1);
    if (!form.begin())
        return 2;
    QTextStream out(stdout);
    out << "editing" << Qt::endl;
    QTextStream in(stdin);
    in.readLine();
    form.nameEdit()->setText(u"Партньори"_s);
    return form.save() ? 0 : 3;
}

struct OtherCopy {
    QProcess process;
    bool start(const QString &dir)
    {
        process.start(QCoreApplication::applicationFilePath(), {u"--edit-level"_s, dir});
        while (!process.canReadLine() && process.waitForReadyRead(20000)) {
        }
        const bool editing = process.readLine().trimmed() == "editing";
        if (!editing)
            qWarning("the other copy did not start editing: %s", process.readAllStandardError().constData());
        return editing;
    }
};

}  // namespace

class EditorsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    // --- levels, lots, folders ---

    void levelAddSaveAndNewThenCancelKeepsTheSavedOne()
    {
        TestFixture f;
        f.openNewFirm();
        bool checked = false;
        WhenShown<TNomWizardForm>([&](TNomWizardForm *form) {
            QCOMPARE(form->caption(), u"Аналитично ниво"_s);
            QCOMPARE(form->stateText(), u"Добавяне "_s);
            QVERIFY(form->typeButton(NomType::List)->isChecked());
            QVERIFY(form->typeButton(NomType::Counterparties)->isVisible());
            QCOMPARE(form->numberLabel()->text(), u"1"_s);
            form->nameEdit()->setText(u"Валута"_s);
            QVERIFY(form->saveNewButton()->isEnabled());
            QTest::mouseClick(form->saveNewButton(), Qt::LeftButton);
            QCOMPARE(form->numberLabel()->text(), u"2"_s);
            QVERIFY(form->nameEdit()->text().isEmpty());
            QVERIFY(form->adding());

            form->nameEdit()->setText(u"   "_s);
            QVERIFY(!form->save());
            QCOMPARE(LastShown(f), u"Въведете наименование!"_s);
            QVERIFY(form->isVisible());
            QCOMPARE(form->nameEdit()->text(), u"   "_s);
            checked = true;
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        });
        const auto saved = TNomWizardForm::Run(f.dm, NomKind::Level, 0, std::nullopt, nullptr);
        QVERIFY(checked);
        QCOMPARE(saved, std::optional<int>(1));
        QCOMPARE(Count(f.dm.db(), u"nom"_s), 1);
        QCOMPARE(LevelStore::Level(f.dm.db(), 1)->Nom_Type, int(NomType::List));
    }

    void aNewLevelTakesTheCounterpartyTypeFromItsButton()
    {
        TestFixture f;
        f.openNewFirm();
        TNomWizardForm form(f.dm, NomKind::Level, 0, std::nullopt);
        QVERIFY(form.begin());
        QVERIFY(!form.typeButton(NomType::Goods));  // goods and fixed assets are not offered
        form.typeButton(NomType::Counterparties)->setChecked(true);
        form.nameEdit()->setText(u"Доставчици"_s);
        QVERIFY(form.save());
        QCOMPARE(form.savedNumber(), std::optional<int>(1));
        QCOMPARE(LevelStore::Level(f.dm.db(), 1)->Nom_Type, int(NomType::Counterparties));
    }

    void editingALevelShowsItsTypeAndHoldsTheLockUntilCancel()
    {
        TestFixture f;
        OpenDemo(f);
        TNomWizardForm form(f.dm, NomKind::Level, 0, 2);
        QVERIFY(form.begin());
        QCOMPARE(form.stateText(), u"Редактиране "_s);
        QCOMPARE(form.typeLabel()->text(), u"Стоки / Материали"_s);
        QVERIFY(form.typeButton(NomType::List)->isHidden());
        QCOMPARE(form.nameEdit()->text(), u"Стоки"_s);
        QCOMPARE(Count(f.dm.db(), u"RecLocks"_s), 1);
        form.nameEdit()->setText(u"Промяна"_s);
        form.reject();
        QCOMPARE(Count(f.dm.db(), u"RecLocks"_s), 0);
        QCOMPARE(LevelStore::Level(f.dm.db(), 2)->Nom_Name, u"Стоки"_s);
        QVERIFY(!form.savedNumber());
    }

    void aCounterpartyHasItsDataOnTwoPages()
    {
        TestFixture f;
        OpenDemo(f);
        TNomWizardForm form(f.dm, NomKind::Lot, 1, 3);
        QVERIFY(form.begin());
        QCOMPARE(form.caption(), u"Партида"_s);
        QVERIFY(!form.field(u"NomEl_Dn"_s)->isHidden());
        QVERIFY(form.field(u"NomEl_Med"_s)->isHidden());
        QVERIFY(!form.extraButton()->isHidden());
        QCOMPARE(form.extraButton()->text(), u"Допълнителни данни"_s);
        QCOMPARE(form.field(u"NomEl_Dn"_s)->text(), u"3456789012"_s);

        QTest::mouseClick(form.extraButton(), Qt::LeftButton);
        QCOMPARE(form.pageIndex(), 1);
        QCOMPARE(form.extraButton()->text(), u"Обратно"_s);
        QCOMPARE(form.field(u"NomEl_Bs"_s)->text(), u"103456789"_s);
        form.field(u"NomEl_BancAcc"_s)->setText(u"BG11FINV91501012345678"_s);
        QTest::mouseClick(form.extraButton(), Qt::LeftButton);
        QCOMPARE(form.pageIndex(), 0);
        QCOMPARE(form.extraButton()->text(), u"Допълнителни данни"_s);

        QTest::mouseClick(form.extraButton(), Qt::LeftButton);
        QVERIFY(form.saveAndNew());
        QCOMPARE(LevelStore::Kontra(f.dm.db(), 3)->NomEl_BancAcc, u"BG11FINV91501012345678"_s);
        QCOMPARE(form.pageIndex(), 0);
        QCOMPARE(form.extraButton()->text(), u"Допълнитени данни"_s);
        QCOMPARE(form.stateText(), u"Добавяне "_s);
        QCOMPARE(form.number(), 5);  // after the four counterparties of the demo
        QVERIFY(form.field(u"NomEl_Bs"_s)->text().isEmpty());
        form.nameEdit()->setText(u"Нов контрагент"_s);
        form.field(u"NomEl_Dn"_s)->setText(u"5678901234"_s);
        QVERIFY(form.save());
        QCOMPARE(LevelStore::Kontra(f.dm.db(), 5)->NomEl_Dn, u"5678901234"_s);
        QCOMPARE(form.savedNumber(), std::optional<int>(5));
    }

    void aGoodsLotShowsItsUnitAndInventoryNumber()
    {
        TestFixture f;
        OpenDemo(f);
        TNomWizardForm form(f.dm, NomKind::Lot, 2, 2);
        QVERIFY(form.begin());
        QVERIFY(!form.field(u"NomEl_Med"_s)->isHidden());
        QVERIFY(!form.field(u"NomEl_InvNo"_s)->isHidden());
        QVERIFY(form.field(u"NomEl_Dn"_s)->isHidden());
        QVERIFY(form.extraButton()->isHidden());
        QCOMPARE(form.field(u"NomEl_Med"_s)->text(), u"кг"_s);
        form.field(u"NomEl_InvNo"_s)->setText(u"С-0099"_s);
        QVERIFY(form.save());
        QCOMPARE(LevelStore::Lot(f.dm.db(), 2, 2)->NomEl_InvNo, u"С-0099"_s);
    }

    void aFolderIsAddedUnderTheNextNumber()
    {
        TestFixture f;
        OpenDemo(f);
        TNomWizardForm form(f.dm, NomKind::Folder, 0, std::nullopt);
        QVERIFY(form.begin());
        QCOMPARE(form.caption(), u"Папки"_s);
        QVERIFY(form.helpText().startsWith(u"Папката в Orvalis"_s));
        QVERIFY(form.typeLabel()->isHidden());
        form.nameEdit()->setText(u"Заплати"_s);
        QVERIFY(form.save());
        QCOMPARE(form.savedNumber(), std::optional<int>(5));
        QCOMPARE(FolderStore::Find(f.dm.db(), 5)->Nom_Pap_Name, u"Заплати"_s);
    }

    // --- the counterparty level chooser ---

    void theChooserListsCounterpartyLevelsAndAddsOneFromItsLabel()
    {
        TestFixture f;
        OpenDemo(f);
        LevelStore::InsertLevel(f.dm.db(), {3, u"Валута"_s, NomType::List});
        TKontraAddForm chooser(f.dm, NomType::Counterparties);
        chooser.reload();
        chooser.show();
        QCOMPARE(chooser.caption(), u"Контрагенти"_s);
        QCOMPARE(chooser.levelList()->count(), 1);
        QCOMPARE(chooser.levelList()->item(0)->text(), u"Контрагенти"_s);

        WhenShown<TNomWizardForm>([](TNomWizardForm *editor) {
            QCOMPARE(editor->stateText(), u"Добавяне "_s);
            editor->typeButton(NomType::Counterparties)->setChecked(true);
            editor->nameEdit()->setText(u"Банки"_s);
            editor->save();
        });
        QTest::mouseClick(chooser.levelsLabel(), Qt::RightButton);
        QCOMPARE(chooser.levelList()->count(), 2);
        QCOMPARE(chooser.levelList()->item(0)->text(), u"Банки"_s);
        QCOMPARE(chooser.levelList()->currentItem()->text(), u"Банки"_s);

        // A level added with the list type does not belong here.
        WhenShown<TNomWizardForm>([](TNomWizardForm *editor) {
            editor->nameEdit()->setText(u"Обекти"_s);
            editor->save();
        });
        QTest::mouseClick(chooser.levelsLabel(), Qt::RightButton);
        QCOMPARE(chooser.levelList()->count(), 2);
        chooser.reject();
    }

    void choosingAMissingLevelIsRefused()
    {
        TestFixture f;
        f.openNewFirm();
        TKontraAddForm chooser(f.dm, NomType::Counterparties);
        chooser.reload();
        QCOMPARE(chooser.levelList()->count(), 0);
        QVERIFY(!chooser.choose());
        QCOMPARE(LastShown(f), u"Избраното аналитично ниво не е открито!"_s);
        QVERIFY(!chooser.chosenLevel());
    }

    void runChoosesALevelThenAddsTheCounterparty()
    {
        TestFixture f;
        OpenDemo(f);
        WhenShown<TKontraAddForm>([](TKontraAddForm *chooser) {
            chooser->levelList()->setCurrentRow(0);
            QTest::mouseClick(chooser->chooseButton(), Qt::LeftButton);
        });
        WhenShown<TNomWizardForm>([](TNomWizardForm *editor) {
            QCOMPARE(editor->caption(), u"Партида"_s);
            editor->nameEdit()->setText(u"Странджа ЕООД"_s);
            editor->save();
        });
        const auto added = TKontraAddForm::Run(f.dm, nullptr);
        QCOMPARE(added, std::optional<int>(5));
        QCOMPARE(LevelStore::Kontra(f.dm.db(), 5)->Nom_No, 1);
    }

    // --- the account editor ---

    void anAccountIsAddedThroughTheThreePages()
    {
        TestFixture f;
        OpenDemo(f);
        bool walked = false;
        WhenShown<TSmWizardForm>([&](TSmWizardForm *form) {
            QCOMPARE(form->caption(), u"Сметкоплан"_s);
            QCOMPARE(form->stateText(), u"Добавяне "_s);
            QVERIFY(!form->backButton()->isEnabled());
            QVERIFY(form->measureButton(1)->isChecked());
            QVERIFY(form->balanceButton(1)->isChecked());
            QVERIFY(form->kindButton(1)->isChecked());
            QVERIFY(!form->levelBox(1)->isEnabled());

            form->numberEdit()->setText(u"0"_s);
            QTest::mouseClick(form->nextButton(), Qt::LeftButton);
            QCOMPARE(LastShown(f), u"Въведете номер на сметка!"_s);
            QCOMPARE(form->pageNumber(), 1);
            QCOMPARE(form->numberEdit()->text(), u"0"_s);

            form->numberEdit()->setText(u"3043"_s);
            form->nameEdit()->setText(u"Стоки на път"_s);
            QVERIFY(form->next());
            QCOMPARE(form->pageNumber(), 2);
            form->measureButton(2)->setChecked(true);
            QVERIFY(form->next());
            QCOMPARE(form->pageNumber(), 3);
            QCOMPARE(form->nextButton()->text(), u"Запис"_s);

            form->kindButton(2)->setChecked(true);
            QVERIFY(form->levelBox(1)->isEnabled());
            form->levelBox(3)->setCurrentIndex(form->levelBox(3)->findData(2));
            QCOMPARE(form->levelBox(3)->currentData().toInt(), 0);  // level 2 is still empty
            form->levelBox(1)->setCurrentIndex(form->levelBox(1)->findData(2));
            form->levelBox(2)->setCurrentIndex(form->levelBox(2)->findData(1));
            walked = true;
            QTest::mouseClick(form->nextButton(), Qt::LeftButton);
        });
        const auto saved = TSmWizardForm::Run(f.fd, f.dm, std::nullopt, nullptr);
        QVERIFY(walked);
        QCOMPARE(saved, std::optional<int>(3043));
        QVERIFY(LastShown(f).startsWith(u"Внимание! При добавяне на нова сметка"_s));
        const auto row = ChartStore::Find(f.dm.db(), 3043);
        QVERIFY(row);
        QCOMPARE(row->S_Kol_Val_Type, 2);
        QCOMPARE(row->S_An_Sint_Type, 2);
        QCOMPARE(row->S_An, (std::array<int, 5>{2, 1, 0, 0, 0}));
    }

    void theTreeChecksThePageBeingLeft()
    {
        TestFixture f;
        OpenDemo(f);
        TSmWizardForm form(f.dm, std::nullopt);
        QVERIFY(form.begin());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.numberEdit()->setText(u"501"_s);
        form.nameEdit()->setText(u"Каса"_s);
        QTest::mouseClick(form.tree()->viewport(), Qt::LeftButton, {},
                          form.tree()->visualItemRect(form.tree()->topLevelItem(2)).center());
        QCOMPARE(LastShown(f), u"Сметка: 501 е вече въведена"_s);
        QCOMPARE(form.pageNumber(), 1);

        form.numberEdit()->setText(u"5011"_s);
        QVERIFY(form.goToPage(3));
        form.kindButton(2)->setChecked(true);
        QVERIFY(!form.goToPage(1));  // even a move back through the tree checks the page
        QCOMPARE(LastShown(f), u"Изберете аналитично ниво!"_s);
        QCOMPARE(form.pageNumber(), 3);
        form.back();  // the button does not
        QCOMPARE(form.pageNumber(), 2);
        const int accounts = Count(f.dm.db(), u"s"_s);
        QVERIFY(form.goToPage(3));
        QVERIFY(!form.save());
        QCOMPARE(Count(f.dm.db(), u"s"_s), accounts);
        form.reject();
        QCOMPARE(Count(f.dm.db(), u"s"_s), accounts);
    }

    void anAccountInUseKeepsNumberTypeAndLevels()
    {
        TestFixture f;
        OpenDemo(f);
        TSmWizardForm form(f.dm, 304);  // it has opening balances only
        QVERIFY(form.begin());
        QCOMPARE(form.stateText(), u"Редактиране "_s);
        QVERIFY(!form.numberEdit()->isEnabled());
        QVERIFY(form.nameEdit()->isEnabled());
        for (int code = 1; code <= 3; ++code) {
            QVERIFY(!form.measureButton(code)->isEnabled());
            QVERIFY(form.balanceButton(code)->isEnabled());
        }
        QVERIFY(!form.kindButton(1)->isEnabled() && !form.kindButton(2)->isEnabled());
        for (int k = 1; k <= 5; ++k)
            QVERIFY(!form.levelBox(k)->isEnabled());
        QCOMPARE(form.levelBox(1)->currentData().toInt(), 2);

        form.nameEdit()->setText(u"Стоки в склада"_s);
        QVERIFY(form.next());
        form.balanceButton(3)->setChecked(true);
        QVERIFY(form.next());
        const int shown = int(f.messages.shown.size());
        QVERIFY(form.next());  // "Запис"
        QCOMPARE(f.messages.shown.size(), shown);  // no reminder after an edit
        const auto row = ChartStore::Find(f.dm.db(), 304);
        QCOMPARE(row->S_Name, u"Стоки в склада"_s);
        QCOMPARE(row->S_Act_Pas_Type, 3);
        QCOMPARE(form.savedNumber(), std::optional<int>(304));
    }

    void emptyingLevelOneTurnsTheAccountSynthetic()
    {
        TestFixture f;
        OpenDemo(f);
        ChartStore::Insert(f.dm.db(), {9001, {1, 2, 0, 0, 0}, u"Разчети"_s, 1, 1, 2});
        TSmWizardForm form(f.dm, 9001);
        QVERIFY(form.begin());
        QVERIFY(form.goToPage(2) && form.goToPage(3));
        QVERIFY(form.kindButton(2)->isChecked());
        form.levelBox(1)->setCurrentIndex(0);
        QVERIFY(form.kindButton(1)->isChecked());
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(form.levelBox(k)->currentData().toInt(), 0);
            QVERIFY(!form.levelBox(k)->isEnabled());
        }
        form.reject();
        QCOMPARE(ChartStore::Find(f.dm.db(), 9001)->S_An, (std::array<int, 5>{1, 2, 0, 0, 0}));
    }

    void levelLabelsOpenTheLevelEditorWhileTheAccountEditorHides()
    {
        TestFixture f;
        OpenDemo(f);
        TSmWizardForm form(f.dm, std::nullopt);
        QVERIFY(form.begin());
        form.show();
        QVERIFY(form.goToPage(3) == false);  // number and name first
        form.numberEdit()->setText(u"9002"_s);
        form.nameEdit()->setText(u"Валутни сметки"_s);
        QVERIFY(form.goToPage(3));
        form.kindButton(2)->setChecked(true);

        bool hidden = false;
        WhenShown<TNomWizardForm>([&](TNomWizardForm *editor) {
            hidden = !form.isVisible();
            editor->nameEdit()->setText(u"Валута"_s);
            editor->save();
        });
        QTest::mouseClick(form.levelLabel(1), Qt::RightButton);
        QVERIFY(hidden);
        QVERIFY(form.isVisible());
        const int added = form.levelBox(1)->findData(3);
        QVERIFY(added > 0);
        QVERIFY(form.levelBox(1)->itemText(added).contains(u"Валута"_s));

        form.levelBox(1)->setCurrentIndex(added);
        QString editedName;
        WhenShown<TNomWizardForm>([&](TNomWizardForm *editor) {
            editedName = editor->nameEdit()->text();
            QCOMPARE(editor->stateText(), u"Редактиране "_s);
            editor->reject();
        });
        QTest::mouseClick(form.levelLabel(1), Qt::LeftButton);
        QCOMPARE(editedName, u"Валута"_s);
        QCOMPARE(form.levelBox(1)->currentData().toInt(), 3);  // the choice survives the re-read
        form.reject();
    }

    // --- the opening-balance editor ---

    void aValueAccountRowIsAddedOnePerLot()
    {
        TestFixture f;
        OpenDemo(f);
        TNsWizardForm form(f.dm, 411, std::nullopt);
        QVERIFY(form.begin());
        QCOMPARE(form.caption(), u"Начални салда"_s);
        QCOMPARE(form.stateText(), u"Добавяне "_s);
        QCOMPARE(form.header()->text(), u"411 Клиенти"_s);
        QVERIFY(form.valueBox(Box::KolDt)->isHidden() && form.valueLabel(Box::KolKt)->isHidden());
        QVERIFY(!form.valueBox(Box::StDt)->isHidden());
        QCOMPARE(form.valueLabel(Box::StKt)->text(), u"Стоност Кт:"_s);
        QCOMPARE(form.lotLabel(1)->text(), u"Контрагенти:"_s);
        QVERIFY(!form.lotBox(1)->isHidden() && form.lotBox(2)->isHidden());
        QVERIFY(form.saveNewButton()->isEnabled());
        QVERIFY(form.helpText().startsWith(u"Основните моменти"_s));

        const int rows = Count(f.dm.db(), u"Sns"_s);
        form.lotBox(1)->setCurrentIndex(form.lotBox(1)->findData(3));  // has a row already
        form.valueBox(Box::StDt)->setText(u"100"_s);
        QVERIFY(!form.saveAndNew());
        QCOMPARE(LastShown(f), u"За сметката/партидите вече е въведено начално салдо!"_s);
        QCOMPARE(Count(f.dm.db(), u"Sns"_s), rows);
        QCOMPARE(form.valueBox(Box::StDt)->text(), u"100"_s);

        form.lotBox(1)->setCurrentIndex(form.lotBox(1)->findData(1));
        form.valueBox(Box::StKt)->setText(u"20"_s);
        QVERIFY(!form.saveAndNew());
        QCOMPARE(LastShown(f), u"Въведени са суми по дебита и кредита!"_s);
        form.valueBox(Box::StKt)->clear();
        QVERIFY(form.saveAndNew());
        QCOMPARE(Count(f.dm.db(), u"Sns"_s), rows + 1);
        QCOMPARE(form.lotBox(1)->currentIndex(), -1);
        QCOMPARE(form.valueBox(Box::StDt)->text(), u"0"_s);

        form.lotBox(1)->setCurrentIndex(form.lotBox(1)->findData(2));
        form.valueBox(Box::StDt)->setText(u"10,005"_s);
        QVERIFY(form.save());
        QVERIFY(form.savedAny());
        const QList<SnsRow> stored = OpeningBalances::RowsOf(f.dm.db(), 411);
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored.at(1).Sn_An[0], 2);
        QCOMPARE(stored.at(1).Sn_St_Dt, 10.01);
    }

    void aQuantityAccountRowNeedsLotQuantityAndAmount()
    {
        TestFixture f;
        OpenDemo(f);
        TNsWizardForm form(f.dm, 304, std::nullopt);
        QVERIFY(form.begin());
        QVERIFY(!form.valueBox(Box::KolDt)->isHidden());
        QCOMPARE(form.lotLabel(1)->text(), u"Стоки:"_s);
        const int rows = Count(f.dm.db(), u"Sns"_s);

        form.valueBox(Box::KolDt)->setText(u"5"_s);
        QVERIFY(!form.save());
        QCOMPARE(LastShown(f), u"Въведете аналитично ниво!"_s);

        OpeningBalances::Delete(f.dm.db(), {304, {1, 0, 0, 0, 0}, 0, 0, 0, 0});
        form.lotBox(1)->setCurrentIndex(form.lotBox(1)->findData(1));
        QVERIFY(!form.save());
        QCOMPARE(LastShown(f), u"Въведете стойност!"_s);

        form.valueBox(Box::StDt)->setText(u"12a"_s);
        QVERIFY(!form.save());
        QCOMPARE(LastShown(f), u"Невалидна стойност: 12a"_s);
        QCOMPARE(form.valueBox(Box::StDt)->text(), u"12a"_s);
        QCOMPARE(Count(f.dm.db(), u"Sns"_s), rows - 1);

        form.valueBox(Box::KolDt)->setText(u"1.23456"_s);
        form.valueBox(Box::StDt)->setText(u"10.005"_s);
        QVERIFY(form.save());
        const SnsRow stored = OpeningBalances::RowsOf(f.dm.db(), 304).first();
        QCOMPARE(stored.Sn_Kol_Dt, 1.2346);
        QCOMPARE(stored.Sn_St_Dt, 10.01);
    }

    void aSyntheticAccountWithARowOpensOnlyToEditIt()
    {
        TestFixture f;
        OpenDemo(f);
        QVERIFY(!TNsWizardForm::Run(f.dm, 501, std::nullopt, nullptr));
        QCOMPARE(LastShown(f), u"За сметката е въведено начално салдо!"_s);

        const SnsRow row = OpeningBalances::RowsOf(f.dm.db(), 501).first();
        TNsWizardForm form(f.dm, 501, row);
        QVERIFY(form.begin());
        QCOMPARE(form.stateText(), u"Редактиране "_s);
        QVERIFY(!form.saveNewButton()->isEnabled());
        QVERIFY(form.lotBox(1)->isHidden());
        QCOMPARE(form.valueBox(Box::StDt)->text(), u"5000.00"_s);
        QCOMPARE(Count(f.dm.db(), u"RecLocks"_s), 1);
        form.valueBox(Box::StDt)->setText(u"5200"_s);
        QVERIFY(!form.saveAndNew());
        QVERIFY(form.save());
        QCOMPARE(Count(f.dm.db(), u"RecLocks"_s), 0);
        QCOMPARE(OpeningBalances::RowsOf(f.dm.db(), 501).first().Sn_St_Dt, 5200.0);
    }

    void cancellingAnEditWritesNothingAndAnswersFalse()
    {
        TestFixture f;
        OpenDemo(f);
        const SnsRow row = OpeningBalances::RowsOf(f.dm.db(), 401).first();
        WhenShown<TNsWizardForm>([](TNsWizardForm *form) {
            form->valueBox(Box::StKt)->setText(u"1"_s);
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!TNsWizardForm::Run(f.dm, 401, row, nullptr));
        QCOMPARE(OpeningBalances::RowsOf(f.dm.db(), 401).first().Sn_St_Kt, row.Sn_St_Kt);
        QCOMPARE(Count(f.dm.db(), u"RecLocks"_s), 0);
    }

    void aLotLabelAddsALotAndTheBoxChoosesIt()
    {
        TestFixture f;
        OpenDemo(f);
        TNsWizardForm form(f.dm, 304, std::nullopt);
        QVERIFY(form.begin());
        form.show();
        WhenShown<TNomWizardForm>([](TNomWizardForm *editor) {
            QVERIFY(!editor->field(u"NomEl_Med"_s)->isHidden());
            editor->nameEdit()->setText(u"Брашно"_s);
            editor->field(u"NomEl_Med"_s)->setText(u"кг"_s);
            editor->save();
        });
        QTest::mouseClick(form.lotLabel(1), Qt::RightButton);
        QCOMPARE(form.lotBox(1)->currentData().toInt(), 4);
        QCOMPARE(form.lotBox(1)->currentText(), u"Брашно"_s);
        QCOMPARE(LevelStore::Lot(f.dm.db(), 2, 4)->NomEl_Med, u"кг"_s);
        form.reject();
    }

    // --- rows another copy of the program is editing ---

    void aRowLockedByAnotherCopyKeepsTheEditorClosed_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::newRow("level") << u"nom"_s << u"nom"_s << u"1"_s;
        QTest::newRow("counterparty") << u"kontra"_s << u"kontra"_s << u"2"_s;
        QTest::newRow("goods lot") << u"nomel"_s << u"nomel"_s << u"2|3"_s;
        QTest::newRow("folder") << u"nom_pap"_s << u"nom_pap"_s << u"4"_s;
        QTest::newRow("account") << u"s"_s << u"s"_s << u"401"_s;
        QTest::newRow("the edited opening balance") << u"Sns"_s << u"Sns"_s << u"401|1|0|0|0|0"_s;
        QTest::newRow("another row of the account") << u"Sns"_s << u"Sns"_s << u"401|2|0|0|0|0"_s;
    }

    void aRowLockedByAnotherCopyKeepsTheEditorClosed()
    {
        QFETCH(QString, editor);
        QFETCH(QString, table);
        QFETCH(QString, key);
        TestFixture f;
        OpenDemo(f);
        LockByOtherComputer(f.dm.db(), table, key);
        Watchdog watchdog;
        bool opened = true;
        if (editor == u"nom"_s)
            opened = TNomWizardForm::Run(f.dm, NomKind::Level, 0, 1, nullptr).has_value();
        else if (editor == u"kontra"_s)
            opened = TNomWizardForm::Run(f.dm, NomKind::Lot, 1, 2, nullptr).has_value();
        else if (editor == u"nomel"_s)
            opened = TNomWizardForm::Run(f.dm, NomKind::Lot, 2, 3, nullptr).has_value();
        else if (editor == u"nom_pap"_s)
            opened = TNomWizardForm::Run(f.dm, NomKind::Folder, 0, 4, nullptr).has_value();
        else if (editor == u"s"_s)
            opened = TSmWizardForm::Run(f.fd, f.dm, 401, nullptr).has_value();
        else
            opened = TNsWizardForm::Run(f.dm, 401, SnsRow{401, {1, 0, 0, 0, 0}, 0, 0, 0, 4800}, nullptr);
        QVERIFY(!opened);
        QCOMPARE(LastShown(f), u"В момента избрания запис се редактира от потребител: "_s + OtherHolder);
        // The refusal takes no lock of its own.
        QCOMPARE(Count(f.dm.db(), u"RecLocks"_s), 1);
    }

    void anotherCopyEditingALevelKeepsItUntilItSavesOrDies()
    {
        TestFixture f;
        OpenDemo(f);
        Watchdog watchdog;
        OtherCopy saver;
        QVERIFY(saver.start(f.dm.DataPath()));
        QVERIFY(!TNomWizardForm::Run(f.dm, NomKind::Level, 0, 1, nullptr));
        // Same computer: no name of it; since when the row is held.
        QVERIFY(LastShown(f).startsWith(RecordLockPrefix + CurrentLockOwner().user + u", от "_s));
        saver.process.write("save\n");
        QVERIFY(saver.process.waitForFinished(20000));
        QCOMPARE(saver.process.exitCode(), 0);
        QCOMPARE(LevelStore::Level(f.dm.db(), 1)->Nom_Name, u"Партньори"_s);
        {
            TNomWizardForm form(f.dm, NomKind::Level, 0, 1);
            QVERIFY(form.begin());
            QCOMPARE(form.nameEdit()->text(), u"Партньори"_s);
            form.reject();
        }

        OtherCopy killed;
        QVERIFY(killed.start(f.dm.DataPath()));
        QVERIFY(!TNomWizardForm::Run(f.dm, NomKind::Level, 0, 1, nullptr));
        killed.process.kill();
        QVERIFY(killed.process.waitForFinished(20000));
        TNomWizardForm form(f.dm, NomKind::Level, 0, 1);
        QVERIFY(form.begin());
        form.reject();
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--edit-level")
        return EditLevelInAnotherCopy(QString::fromLocal8Bit(argv[2]));
    EditorsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_editors_ui.moc"
