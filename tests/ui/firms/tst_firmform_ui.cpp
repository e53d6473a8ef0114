// The firm choice window, the firm data editor and the new-firm wizard, driven through their
// commands on the offscreen platform.
#include "accounts/OpeningBalances.h"
#include "app/TErrorHook.h"
#include "engine/Db.h"
#include "engine/Engine.h"
#include "firm/Currency.h"
#include "firm/Schema.h"
#include "firms/TFirmDataEditForm.h"
#include "firms/TFirmDataForm.h"
#include "firms/TFirmForm.h"
#include "registry/FirmChoice.h"
#include "support/TestFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString ExitQuestion = u"Сигурни ли сте че искате да излезете от програмата ?"_s;

template <class Window>
void WhenShown(const std::function<void(Window *)> &action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<Window *>(w); window && window->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(window);
                return;
            }
        }
    });
    poll->start();
}

QString FirmFile(TFD &fd, int id) { return fd.Firm(id)->Firm_DataPath + Schema::FirmFileName; }

void DropTable(const QString &file, const QString &table)
{
    Db db(u"damage"_s);
    db.open(file, false);
    db.exec(u"drop table "_s + table);
}

// Moves the wizard forward until it reaches page 4 or refuses.
QList<int> WalkForward(TFirmDataForm &wizard)
{
    QList<int> pages{wizard.pageNumber()};
    while (wizard.next())
        pages << wizard.pageNumber();
    return pages;
}

}  // namespace

class FirmFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    void emptyRegistryAllowsOnlyLeavingAndAdding()
    {
        TestFixture f;
        TFirmForm form(f.fd, f.dm, true);
        QCOMPARE(form.firmCount(), 0);
        for (const QString &caption : {u"Избор"_s, u"Редактиране"_s, u"Изтриване"_s})
            QVERIFY2(form.button(caption) && !form.button(caption)->isEnabled(), qPrintable(caption));
        QVERIFY(form.button(u"Изход "_s)->isEnabled());
        QVERIFY(form.button(u"Добавяне"_s)->isEnabled());
        QVERIFY(!form.chooseCurrent());
        QVERIFY(!f.dm.IsConnected());
    }

    void leftButtonDependsOnWhereTheWindowIsOpenedFrom_data()
    {
        QTest::addColumn<bool>("atStart");
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("absent");
        QTest::newRow("at start") << true << u"Изход "_s << u"Назад"_s;
        QTest::newRow("from the main window") << false << u"Назад"_s << u"Изход "_s;
    }
    void leftButtonDependsOnWhereTheWindowIsOpenedFrom()
    {
        QFETCH(bool, atStart);
        QFETCH(QString, present);
        QFETCH(QString, absent);
        TestFixture f;
        f.makeFirm();
        TFirmForm form(f.fd, f.dm, atStart);
        QVERIFY(form.button(present));
        QVERIFY(!form.button(absent));
        QCOMPARE(form.caption(), u"Избор на фирма:"_s);
        QVERIFY(form.button(u"Избор"_s)->isEnabled());
    }

    void everyWayOfChoosingOpensTheFirm_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Избор") << u"button"_s;
        QTest::newRow("double click") << u"double click"_s;
        QTest::newRow("space released in the grid") << u"space"_s;
    }
    void everyWayOfChoosingOpensTheFirm()
    {
        QFETCH(QString, how);
        TestFixture f;
        f.makeFirm(u"Първа ООД"_s);
        const int second = f.makeFirm(u"Втора ООД"_s, 2025);
        TFirmForm form(f.fd, f.dm, true);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.selectFirm(second));

        if (how == u"button"_s) {
            form.button(u"Избор"_s)->click();
        } else if (how == u"double click"_s) {
            QTableWidget *grid = form.grid();
            const QRect cell = grid->visualRect(grid->model()->index(grid->currentRow(), 1));
            // A real double click starts with a plain press and release.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            QTest::keyRelease(form.grid(), Qt::Key_Space);
        }
        QCOMPARE(form.result(), int(TFirmForm::Opened));
        QVERIFY(f.dm.IsConnected());
        QCOMPARE(f.fd.currentFirmId, second);
        QCOMPARE(f.dm.DataPath(), f.fd.Firm(second)->Firm_DataPath);
        QVERIFY(f.messages.shown.isEmpty());
    }

    void arrowsMoveTheCurrentRow()
    {
        TestFixture f;
        const int a = f.makeFirm(u"А"_s);
        const int b = f.makeFirm(u"Б"_s);
        TFirmForm form(f.fd, f.dm, true);
        QVERIFY(form.selectFirm(a));
        form.downButton()->click();
        QCOMPARE(form.currentFirmId(), b);
        form.downButton()->click();  // stays on the last row
        QCOMPARE(form.currentFirmId(), b);
        form.upButton()->click();
        QCOMPARE(form.currentFirmId(), a);
    }

    void firmWithMissingTableIsRefusedAndTheOpenFirmStays_data()
    {
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("mask");
        QTest::newRow("an dropped") << u"an"_s << u"an.*"_s;
        QTest::newRow("firm file deleted") << QString() << u"an.*"_s;
    }
    void firmWithMissingTableIsRefusedAndTheOpenFirmStays()
    {
        QFETCH(QString, dropped);
        QFETCH(QString, mask);
        TestFixture f;
        const int good = f.openNewFirm(u"Цяла"_s);
        const int broken = f.makeFirm(u"Непълна"_s);
        if (dropped.isEmpty())
            QVERIFY(QFile::remove(FirmFile(f.fd, broken)));
        else
            DropTable(FirmFile(f.fd, broken), dropped);

        TFirmForm form(f.fd, f.dm, false);
        QSignalSpy terminate(&form, &TFirmForm::terminateRequested);
        form.show();
        QVERIFY(form.selectFirm(broken));
        QVERIFY(!form.chooseCurrent());

        QCOMPARE(f.messages.shown, QStringList{u"Липсват файлове с данни за избраната фирма!\rФайла: "_s + mask});
        QVERIFY(form.isVisible());
        QCOMPARE(terminate.size(), 0);
        QVERIFY(f.dm.IsConnected());
        QCOMPARE(f.fd.currentFirmId, good);
        QCOMPARE(f.dm.DataPath(), f.fd.Firm(good)->Firm_DataPath);
    }

    void failureWhileOpeningClosesTheBooksAndEnds()
    {
        TestFixture f;
        f.openNewFirm(u"Отворена"_s);
        const int other = f.makeFirm(u"Друга"_s);
        // Another program's alias of the same name makes the alias set-up fail.
        EngineSession &session = EngineSession::instance();
        const AliasDef ours = session.alias(AliasFirm);
        session.defineAlias(AliasFirm, AliasDef{u"ORACLE"_s, {}});

        TFirmForm form(f.fd, f.dm, false);
        QSignalSpy terminate(&form, &TFirmForm::terminateRequested);
        QVERIFY(form.selectFirm(other));
        QVERIFY(!form.chooseCurrent());
        session.defineAlias(AliasFirm, ours);

        QCOMPARE(f.messages.shown, QStringList{AliasClashMessage});
        QCOMPARE(terminate.size(), 1);
        QVERIFY(!f.dm.IsConnected());
        QCOMPARE(form.result(), int(TFirmForm::Terminated));
    }

    void leavingAtStartAsksFirst_data()
    {
        QTest::addColumn<bool>("byGlyph");
        QTest::addColumn<int>("answer");
        QTest::newRow("Изход, Не") << false << Messages::No;
        QTest::newRow("Изход, Да") << false << Messages::Yes;
        QTest::newRow("close glyph, Не") << true << Messages::No;
        QTest::newRow("close glyph, Да") << true << Messages::Yes;
    }
    void leavingAtStartAsksFirst()
    {
        QFETCH(bool, byGlyph);
        QFETCH(int, answer);
        TestFixture f;
        f.makeFirm();
        f.messages.answers = {answer};
        TFirmForm form(f.fd, f.dm, true);
        QSignalSpy terminate(&form, &TFirmForm::terminateRequested);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (byGlyph)
            form.closeGlyph()->click();
        else
            form.button(u"Изход "_s)->click();

        QCOMPARE(f.messages.asked, QStringList{ExitQuestion});
        QCOMPARE(terminate.size(), answer == Messages::Yes ? 1 : 0);
        QCOMPARE(form.isVisible(), answer != Messages::Yes);
    }

    void leavingFromTheMainWindowKeepsTheFirm_data()
    {
        QTest::addColumn<bool>("byGlyph");
        QTest::newRow("Назад") << false;
        QTest::newRow("close glyph") << true;
    }
    void leavingFromTheMainWindowKeepsTheFirm()
    {
        QFETCH(bool, byGlyph);
        TestFixture f;
        const int open = f.openNewFirm(u"Отворена"_s);
        f.makeFirm(u"Друга"_s);
        TFirmForm form(f.fd, f.dm, false);
        QCOMPARE(form.currentFirmId(), open);  // starts on the firm that is open
        form.show();
        if (byGlyph)
            form.closeGlyph()->click();
        else
            form.button(u"Назад"_s)->click();
        QCOMPARE(form.result(), int(TFirmForm::Back));
        QVERIFY(f.messages.asked.isEmpty());
        QVERIFY(f.dm.IsConnected());
        QCOMPARE(f.fd.currentFirmId, open);
    }

    void deletingRemovesTheRecordButKeepsTheFiles_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Да") << Messages::Yes;
        QTest::newRow("Не") << Messages::No;
    }
    void deletingRemovesTheRecordButKeepsTheFiles()
    {
        QFETCH(int, answer);
        TestFixture f;
        const int keep = f.makeFirm(u"Остава"_s);
        const int gone = f.makeFirm(u"Излишна"_s);
        const QString file = FirmFile(f.fd, gone);
        f.messages.answers = {answer};
        TFirmForm form(f.fd, f.dm, true);
        QVERIFY(form.selectFirm(gone));
        form.button(u"Изтриване"_s)->click();

        QCOMPARE(f.messages.asked.size(), 1);
        QVERIFY(f.messages.asked.first().contains(u"Излишна"_s));
        const bool deleted = answer == Messages::Yes;
        QCOMPARE(f.fd.Firm(gone).has_value(), !deleted);
        QCOMPARE(form.firmCount(), deleted ? 1 : 2);
        QVERIFY(f.fd.Firm(keep).has_value());
        QVERIFY(QFileInfo::exists(file));
    }

    void deletingTheOpenFirmIsRefused()
    {
        TestFixture f;
        const int open = f.openNewFirm(u"Отворена"_s);
        f.messages.answers = {Messages::Yes};
        TFirmForm form(f.fd, f.dm, false);
        QVERIFY(form.selectFirm(open));
        form.deleteFirm();
        QVERIFY(f.messages.asked.isEmpty());
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY(f.messages.shown.first().contains(u"Отворена"_s));
        QVERIFY(f.fd.Firm(open).has_value());
    }

    void deletingTheLastFirmDisablesChoosing()
    {
        TestFixture f;
        const int only = f.makeFirm();
        f.messages.answers = {Messages::Yes};
        TFirmForm form(f.fd, f.dm, true);
        QVERIFY(form.selectFirm(only));
        form.deleteFirm();
        QCOMPARE(form.firmCount(), 0);
        QVERIFY(!form.button(u"Избор"_s)->isEnabled());
        QVERIFY(!form.button(u"Изтриване"_s)->isEnabled());
    }

    void editorWritesOnlyWhatPassesTheChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("save");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("stored");
        QTest::newRow("new name saved") << u"Нова ООД"_s << true << int(TFirmDataEditForm::Saved) << u"Нова ООД"_s;
        QTest::newRow("blank name refused") << u"  "_s << true << 0 << u"Стара ООД"_s;
        QTest::newRow("cancel writes nothing") << u"Нова ООД"_s << false << int(TFirmDataEditForm::Cancelled)
                                               << u"Стара ООД"_s;
    }
    void editorWritesOnlyWhatPassesTheChecks()
    {
        QFETCH(QString, name);
        QFETCH(bool, save);
        QFETCH(int, result);
        QFETCH(QString, stored);
        TestFixture f;
        const int id = f.makeFirm(u"Стара ООД"_s, 2026);
        TFirmDataEditForm editor(f.fd, id);
        editor.show();
        QCOMPARE(editor.caption(), u"Данни за фирма: Стара ООД"_s);
        QCOMPARE(editor.field(u"Firm_Name"_s)->maxLength(), 30);
        QCOMPARE(editor.periodBox()->value(), 2026);
        editor.field(u"Firm_Name"_s)->setText(name);
        editor.field(u"Firm_Tel"_s)->setText(u"02 111 222"_s);
        (save ? editor.saveButton() : editor.cancelButton())->click();

        QCOMPARE(editor.result(), result);
        QCOMPARE(f.fd.Firm(id)->Firm_Name, stored);
        if (result == 0) {
            QCOMPARE(f.messages.shown, QStringList{FirmRecordProblem(editor.typedRecord())});
            QVERIFY(editor.isVisible());
            QCOMPARE(editor.field(u"Firm_Tel"_s)->text(), u"02 111 222"_s);
        }
    }

    void theEditorKeepsTheYearOfAFirmWithBooksAndSaysWhy()
    {
        TestFixture f;
        const int id = f.openNewFirm(u"С книги"_s, 2025);
        {
            TFirmDataEditForm editor(f.fd, id);
            QVERIFY(!editor.periodBox()->isReadOnly());  // no books yet
            QVERIFY(!editor.yearLockLabel());
            editor.periodBox()->setValue(2026);
            editor.saveButton()->click();
            QCOMPARE(editor.result(), int(TFirmDataEditForm::Saved));
            QCOMPARE(f.dm.DateOt(), QDate(2026, 1, 1));
        }
        OpeningBalances::Insert(f.dm.db(), {501, {}, 0, 10, 0, 0});
        TFirmDataEditForm editor(f.fd, id);
        QVERIFY(editor.periodBox()->isReadOnly());
        QVERIFY(editor.yearLockLabel());
        QCOMPARE(editor.yearLockLabel()->text(), FirmYearLock(*f.fd.Firm(id)));
    }

    void wizardPageFlow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("accountsFromSource");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("new firm") << int(TFirmDataForm::NewFirm) << false << QList<int>{1, 3, 4};
        QTest::newRow("from existing, with its accounts")
            << int(TFirmDataForm::CopyOfFirm) << true << QList<int>{1, 2, 4};
        QTest::newRow("from existing, template accounts")
            << int(TFirmDataForm::CopyOfFirm) << false << QList<int>{1, 2, 3, 4};
        QTest::newRow("existing data") << int(TFirmDataForm::AttachData) << false << QList<int>{1, 4};
    }
    void wizardPageFlow()
    {
        QFETCH(int, kind);
        QFETCH(bool, accountsFromSource);
        QFETCH(QList<int>, pages);
        TestFixture f;
        f.makeFirm(u"Източник"_s);
        TFirmDataForm wizard(f.fd);
        QVERIFY(!wizard.backButton()->isEnabled());
        QVERIFY(!wizard.saveButton()->isEnabled());
        wizard.setKind(TFirmDataForm::Kind(kind));
        wizard.transferBox(TFirmDataForm::AccountsAndLots)->setChecked(accountsFromSource);

        QCOMPARE(WalkForward(wizard), pages);
        QVERIFY(wizard.saveButton()->isEnabled());
        QVERIFY(!wizard.nextButton()->isEnabled());
        QList<int> backwards{wizard.pageNumber()};
        while (wizard.pageNumber() != 1) {
            wizard.backButton()->click();
            backwards.prepend(wizard.pageNumber());
        }
        QCOMPARE(backwards, pages);
    }

    void copyingNeedsASourceFirm()
    {
        TestFixture f;
        TFirmDataForm wizard(f.fd);
        wizard.setKind(TFirmDataForm::CopyOfFirm);
        QCOMPARE(WalkForward(wizard), (QList<int>{1, 2}));
        QCOMPARE(f.messages.shown.size(), 1);
    }

    void copyingPrefillsTheFirmData()
    {
        TestFixture f;
        const int source = f.makeFirm(u"Източник ООД"_s);
        FirmRecord record = *f.fd.Firm(source);
        record.Firm_DN = u"1234567890"_s;
        record.Firm_Adres = u"София, ул. Шипка 1"_s;
        record.Firm_Hed = u"Иван Петров"_s;
        f.fd.UpdateFirm(*f.fd.Firm(source), record);

        TFirmDataForm wizard(f.fd);
        wizard.setKind(TFirmDataForm::CopyOfFirm);
        QVERIFY(wizard.next());
        wizard.sourceBox()->setCurrentIndex(wizard.sourceBox()->findData(source));
        QVERIFY(wizard.next());
        QCOMPARE(wizard.pageNumber(), 4);
        QCOMPARE(wizard.field(u"Firm_Name"_s)->text(), u"Източник ООД"_s);
        QCOMPARE(wizard.field(u"Firm_DN"_s)->text(), u"1234567890"_s);
        QCOMPARE(wizard.field(u"Firm_Adres"_s)->text(), u"София, ул. Шипка 1"_s);
        QCOMPARE(wizard.field(u"Firm_Hed"_s)->text(), u"Иван Петров"_s);
    }

    void closingBalancesComeOnlyWithTheSourceAccounts()
    {
        TestFixture f;
        int account = 0;
        for (const ChSmetkiRow &row : f.fd.ChSmetki())
            if (account == 0 && row.Checked && row.S_Act_Pas_Type == 1)
                account = row.S_UNo;  // an active account closes on the debit side
        QVERIFY(account != 0);
        const int source = f.openNewFirm(u"Източник ООД"_s, 2025);
        SnsRow opening;
        opening.Sn_UNo = account;
        opening.Sn_St_Dt = 1250.5;
        OpeningBalances::Insert(f.dm.db(), opening);

        TFirmDataForm wizard(f.fd);
        wizard.setKind(TFirmDataForm::CopyOfFirm);
        QVERIFY(wizard.next());
        QCheckBox *accounts = wizard.transferBox(TFirmDataForm::AccountsAndLots);
        QCheckBox *balances = wizard.transferBox(TFirmDataForm::ClosingBalances);
        balances->setChecked(true);
        accounts->setChecked(false);
        QVERIFY(!balances->isEnabled());
        QVERIFY(!balances->isChecked());
        accounts->setChecked(true);
        QVERIFY(balances->isEnabled());
        balances->setChecked(true);

        wizard.sourceBox()->setCurrentIndex(wizard.sourceBox()->findData(source));
        QCOMPARE(WalkForward(wizard), (QList<int>{2, 4}));
        wizard.field(u"Firm_Name"_s)->setText(u"Следваща ООД"_s);
        wizard.yearBox()->setValue(2026);
        QVERIFY(wizard.save());

        Db created(u"created"_s);
        created.open(FirmFile(f.fd, wizard.createdFirmId()), false);
        const QList<SnsRow> carried = OpeningBalances::RowsOf(created, account);
        QCOMPARE(carried.size(), 1);
        QCOMPARE(carried.first().Sn_St_Dt, LevaToEuro(1250.5));  // from a leva year into a euro year
    }

    void templateTicksWriteThrough()
    {
        TestFixture f;
        TFirmDataForm wizard(f.fd);
        QVERIFY(wizard.next());
        QCOMPARE(wizard.pageNumber(), 3);
        QTableWidget *accounts = wizard.accountsTable();
        QCOMPARE(accounts->rowCount(), int(f.fd.ChSmetki().size()));
        QVERIFY(accounts->rowCount() > 1);

        QTableWidgetItem *first = accounts->item(0, 0);
        const int account = first->data(Qt::UserRole).toInt();
        const bool wasChecked = first->checkState() == Qt::Checked;
        first->setCheckState(wasChecked ? Qt::Unchecked : Qt::Checked);
        auto checkedInRegistry = [&](int number) {
            for (const ChSmetkiRow &row : f.fd.ChSmetki())
                if (row.S_UNo == number)
                    return row.Checked;
            return false;
        };
        QCOMPARE(checkedInRegistry(account), !wasChecked);

        wizard.unmarkAllButton()->click();
        for (const ChSmetkiRow &row : f.fd.ChSmetki())
            QVERIFY(!row.Checked);
        QCOMPARE(accounts->item(1, 0)->checkState(), Qt::Unchecked);
        wizard.markAllButton()->click();
        for (const ChSmetkiRow &row : f.fd.ChSmetki())
            QVERIFY(row.Checked);
    }

    void savingRefusedInputWritesNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank name") << int(TFirmDataForm::NewFirm) << QString() << u"Въведете наименование на фирмата!"_s;
        QTest::newRow("existing data without a path")
            << int(TFirmDataForm::AttachData) << u"Свързана"_s << u"Посочете път до данните!"_s;
    }
    void savingRefusedInputWritesNothing()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestFixture f;
        TFirmDataForm wizard(f.fd);
        wizard.setKind(TFirmDataForm::Kind(kind));
        WalkForward(wizard);
        wizard.field(u"Firm_Name"_s)->setText(name);
        wizard.field(u"Firm_DN"_s)->setText(u"123"_s);
        QVERIFY(!wizard.save());
        QCOMPARE(f.messages.shown, QStringList{message});
        QCOMPARE(wizard.pageNumber(), 4);
        QCOMPARE(wizard.field(u"Firm_DN"_s)->text(), u"123"_s);
        QVERIFY(f.fd.Firms().isEmpty());
        QCOMPARE(wizard.createdFirmId(), 0);
    }

    void firmFromTheWizardIsListedAndSelected()
    {
        TestFixture f;
        f.makeFirm(u"Първа"_s);
        TFirmForm form(f.fd, f.dm, true);
        QString offeredPath;
        WhenShown<TFirmDataForm>([&](TFirmDataForm *wizard) {
            WalkForward(*wizard);
            offeredPath = wizard->pathEdit()->placeholderText();
            wizard->field(u"Firm_Name"_s)->setText(u"Нова от съветника"_s);
            wizard->yearBox()->setValue(2027);
            wizard->saveButton()->click();
        });
        form.button(u"Добавяне"_s)->click();

        QCOMPARE(form.firmCount(), 2);
        const auto created = f.fd.Firm(form.currentFirmId());
        QVERIFY(created.has_value());
        QCOMPARE(created->Firm_Name, u"Нова от съветника"_s);
        QCOMPARE(created->Firm_Period, 2027);
        // An empty path gives the firm the directory the wizard offered.
        QCOMPARE(created->Firm_DataPath, offeredPath);
        QVERIFY(form.button(u"Избор"_s)->isEnabled());
        QVERIFY(form.chooseCurrent());
        QCOMPARE(f.fd.currentFirmId, created->Firm_ID);
    }

    void attachingRegistersAnExistingDirectory()
    {
        TestFixture f;
        const int original = f.makeFirm(u"Оригинал"_s, 2024);
        const QString dir = f.fd.Firm(original)->Firm_DataPath;
        f.fd.DeleteFirm(original);

        TFirmDataForm wizard(f.fd);
        wizard.setKind(TFirmDataForm::AttachData);
        QCOMPARE(WalkForward(wizard), (QList<int>{1, 4}));
        QVERIFY(!wizard.yearBox()->isEnabled());
        wizard.field(u"Firm_Name"_s)->setText(u"Върната"_s);
        wizard.pathEdit()->setText(dir);
        QVERIFY(wizard.save());
        const auto attached = f.fd.Firm(wizard.createdFirmId());
        QVERIFY(attached.has_value());
        QCOMPARE(attached->Firm_Period, 2024);
        QCOMPARE(wizard.result(), int(TFirmDataForm::Saved));
    }
};

QTEST_MAIN(FirmFormTest)
#include "tst_firmform_ui.moc"
