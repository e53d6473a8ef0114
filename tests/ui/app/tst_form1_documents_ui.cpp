// Posting mode with the documents window: a double click on a folder docks the window in the
// data area (or opens it modal), the document tools of the main window - the folder drop-down
// with its caption, the search box, the filter menu - each ask first whether the current document
// may be left, and closing the program asks the same.
#include "accounts/FolderStore.h"
#include "app/DocumentTools.h"
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "app/UiProgramWindows.h"
#include "demo/DemoFirm.h"
#include "posting/TTranForm.h"
#include "registry/FirmChoice.h"
#include "support/TestFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Bank = 1;
constexpr int Purchases = 3;
constexpr int Sales = 4;

QAction *MenuItem(QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

// The demo firm with its main window, whose folders open the real documents window.
struct DemoWindow {
    DemoWindow()
    {
        const int firmId = EnsureDemoFirm(f.fd, 2026);
        if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(firmId)).opened)
            qFatal("the demo firm does not open");
        window = std::make_unique<TForm1>(f.fd, f.dm);
        window->firmChosen();
        window->setEditorHooks({.openFolder = [this](int folder) {
            opened = TTranForm::Browse(f.fd, f.dm, folder, window->documentsDockHost(), {});
        }});
    }

    // Opens the folder as a double click does and runs `drive` while its documents are up; a
    // documents window that `drive` leaves open is ended afterwards. False when none came up.
    [[nodiscard]] bool openFolder(int folder, const std::function<void(TTranForm &)> &drive)
    {
        window->enterPosting();
        if (!window->selectKey(folder))
            return false;
        bool drove = false;
        QTimer::singleShot(0, window.get(), [this, &drive, &drove] {
            TTranForm *docs = window->documentsWindow();
            if (!docs)
                docs = qobject_cast<TTranForm *>(QApplication::activeModalWidget());
            if (!docs)
                return;
            QPointer<TTranForm> alive(docs);
            drove = true;
            drive(*docs);
            if (alive && !alive->isHidden())
                alive->terminate();
        });
        window->activateItem();
        return drove;
    }

    TestFixture f;
    std::unique_ptr<TForm1> window;
    bool opened = false;
};

}  // namespace

class Form1DocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
    }

    void aFolderOpensDockedInTheDataArea()
    {
        DemoWindow d;
        TForm1 &w = *d.window;
        QVERIFY(w.dockCheckBox()->isChecked());
        QVERIFY(!w.dockCheckBox()->isHidden());
        QVERIFY(w.documentTools()->isHidden());
        bool checked = false;
        QVERIFY(d.openFolder(Purchases, [&](TTranForm &docs) {
            QCOMPARE(w.mode(), MainMode::Documents);
            QCOMPARE(w.listTitle(), u"Осчетоводяване - Документи"_s);
            QVERIFY(docs.docked());
            QCOMPARE(docs.folder(), Purchases);
            QCOMPARE(docs.documentsGrid()->rowCount(), 12);
            QVERIFY(!w.viewStyleButton()->isEnabled());
            QVERIFY(!w.documentTools()->isHidden());
            QCOMPARE(w.documentTools()->folderButton()->text(), u"Покупки"_s);
            QCOMPARE(w.documentTools()->filterButton()->text(), u"Всички документи"_s);
            QVERIFY(!w.navigationButton(u"    Сметкоплан"_s)->isEnabled());
            w.runNavigation(NavEntry::Chart);  // the documents come first
            QCOMPARE(w.mode(), MainMode::Documents);
            docs.button(u"Назад"_s)->click();
            checked = true;
        }));
        QVERIFY(checked);
        QVERIFY(d.opened);
        QCOMPARE(w.mode(), MainMode::Folders);
        QCOMPARE(w.listTitle(), u"Осчетоводяване - Папки"_s);
        QVERIFY(w.viewStyleButton()->isEnabled());
        QVERIFY(w.documentTools()->isHidden());
        QVERIFY(!w.documentsWindow());
        QCOMPARE(w.currentKey(), std::optional<int>(Purchases));
    }

    void theProgramOpensTheDocumentsWindowFromItsFolders()
    {
        DemoWindow d;
        InstallProgramWindows(*d.window, d.f.fd, d.f.dm);
        int folder = 0;
        bool wizardReachable = false;
        QVERIFY(d.openFolder(Bank, [&](TTranForm &docs) {
            folder = docs.docked() ? docs.folder() : 0;
            // The program installs the journal entry wizard behind "С ДДС" and "Без ДДС".
            wizardReachable = docs.button(u"Без ДДС"_s)->isEnabled() && docs.button(u"С ДДС"_s)->isEnabled();
            docs.back();
        }));
        QCOMPARE(folder, Bank);
        QVERIFY(wizardReachable);
    }

    void withoutTheDockCheckTheFolderOpensModal()
    {
        DemoWindow d;
        d.window->dockCheckBox()->setChecked(false);
        bool modal = false;
        QVERIFY(d.openFolder(Bank, [&](TTranForm &docs) {
            modal = !docs.docked() && docs.isWindow();
            QCOMPARE(d.window->mode(), MainMode::Documents);
            docs.closeGlyph()->click();
        }));
        QVERIFY(modal);
        QVERIFY(d.opened);
        QCOMPARE(d.window->mode(), MainMode::Folders);
    }

    void theFolderButtonShowsTheFolderName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("17 characters whole") << u"Покупки от чужбин"_s << u"Покупки от чужбин"_s;
        QTest::newRow("18 characters cut") << u"Покупки от чужбина"_s << u"Покупки от чужб..."_s;
    }
    void theFolderButtonShowsTheFolderName()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        DemoWindow d;
        FolderStore::Rename(d.f.dm.db(), Purchases, name);
        QString shown;
        QVERIFY(d.openFolder(Purchases, [&](TTranForm &) { shown = d.window->documentTools()->folderButton()->text(); }));
        QCOMPARE(shown, caption);
    }

    void anotherFolderFromTheDropDown()
    {
        DemoWindow d;
        QVERIFY(d.openFolder(Purchases, [&](TTranForm &docs) {
            QMenu *folders = d.window->documentTools()->folderMenu();
            QCOMPARE(folders->actions().size(), 4);
            MenuItem(folders, u"Продажби"_s)->trigger();
            QCOMPARE(docs.folder(), Sales);
            QCOMPARE(d.window->documentTools()->folderButton()->text(), u"Продажби"_s);
            QCOMPARE(docs.numberEdit()->text(), u"0000000001"_s);
            docs.back();
        }));
        QCOMPARE(d.window->currentKey(), std::optional<int>(Sales));
    }

    void searchingByThePrintedNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("message");
        QTest::newRow("found") << u"7"_s << u"0000000007"_s << QString();
        QTest::newRow("with leading zeros") << u"0000000011"_s << u"0000000011"_s << QString();
        QTest::newRow("not found") << u"99"_s << u"0000000001"_s << u"Документа не е намерен!"_s;
        QTest::newRow("not a number") << u"7a"_s << u"0000000001"_s << QString();
    }
    void searchingByThePrintedNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, current);
        QFETCH(QString, message);
        DemoWindow d;
        QVERIFY(d.openFolder(Sales, [&](TTranForm &docs) {
            QLineEdit *search = d.window->documentTools()->searchBox();
            QTest::keyClicks(search, typed);
            QTest::keyClick(search, Qt::Key_Return);
            QVERIFY(search->text().isEmpty());
            QCOMPARE(docs.numberEdit()->text(), current);
            QCOMPARE(d.f.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
        }));
    }

    void filteringTheDocuments_data()
    {
        QTest::addColumn<int>("folder");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("message");
        const QString none = u"Няма документи, които да отговарят на зададеното условие!"_s;
        QTest::newRow("sales with VAT") << Sales << u"Документи отразени в дневниците по ДДС"_s
                                        << u"Документи с ДДС"_s << 12 << QString();
        QTest::newRow("sales without VAT") << Sales << u"Документи неотразени в дневниците по ДДС"_s
                                           << u"Всички документи"_s << 12 << none;
        QTest::newRow("bank without VAT") << Bank << u"Документи неотразени в дневниците по ДДС"_s
                                          << u"Документи без ДДС"_s << 12 << QString();
        QTest::newRow("bank with VAT") << Bank << u"Документи отразени в дневниците по ДДС"_s
                                       << u"Всички документи"_s << 12 << none;
    }
    void filteringTheDocuments()
    {
        QFETCH(int, folder);
        QFETCH(QString, item);
        QFETCH(QString, status);
        QFETCH(int, rows);
        QFETCH(QString, message);
        DemoWindow d;
        QVERIFY(d.openFolder(folder, [&](TTranForm &docs) {
            MenuItem(d.window->documentTools()->filterMenu(), item)->trigger();
            QCOMPARE(d.window->documentTools()->filterButton()->text(), status);
            QCOMPARE(docs.documentsGrid()->rowCount(), rows);
            QCOMPARE(d.f.messages.shown, message.isEmpty() ? QStringList() : QStringList{message});
            // A new document shows every document again, and the tools say so.
            docs.newDocument();
            QCOMPARE(d.window->documentTools()->filterButton()->text(), u"Всички документи"_s);
            QCOMPARE(docs.documentsGrid()->rowCount(), 13);
            docs.cancelEdit();
        }));
    }

    void theToolsWaitForADocumentThatMayNotBeLeft()
    {
        DemoWindow d;
        QVERIFY(d.openFolder(Sales, [&](TTranForm &docs) {
            DocumentTools *tools = d.window->documentTools();
            docs.newDocument();
            const int docNo = docs.currentDocument()->Nom_Doc_No;
            QTest::keyClicks(docs.numberEdit(), u"500"_s);
            QTest::keyClicks(tools->searchBox(), u"3"_s);
            QTest::keyClick(tools->searchBox(), Qt::Key_Return);
            MenuItem(tools->filterMenu(), u"Документи отразени в дневниците по ДДС"_s)->trigger();
            MenuItem(tools->folderMenu(), u"Банка"_s)->trigger();
            QCOMPARE(d.f.messages.shown, QStringList(3, DocumentWithoutLines));
            QCOMPARE(docs.currentDocument()->Nom_Doc_No, docNo);
            QCOMPARE(docs.state(), EditState::Insert);
            QCOMPARE(docs.folder(), Sales);
            QCOMPARE(tools->folderButton()->text(), u"Продажби"_s);
            QCOMPARE(tools->filterButton()->text(), u"Всички документи"_s);
            QCOMPARE(docs.numberEdit()->text(), u"500"_s);  // what was typed stays
        }));
    }

    void closingTheProgramAsksTheDocumentsWindow()
    {
        DemoWindow d;
        bool stayed = false, closed = false;
        QVERIFY(d.openFolder(Sales, [&](TTranForm &docs) {
            docs.newDocument();
            QTest::keyClicks(docs.numberEdit(), u"500"_s);
            d.f.messages.answers = {Messages::Yes};
            stayed = !d.window->close() && d.f.messages.shown == QStringList{DocumentWithoutLines};
            docs.cancelEdit();

            QTest::keyClicks(docs.noteEdit(), u" (final)"_s);
            const int docNo = docs.currentDocument()->Nom_Doc_No;
            d.f.messages.answers = {Messages::Yes};
            closed = d.window->close() && Documents::Find(d.f.dm.db(), docNo)->Nom_Doc_Osno.endsWith(u" (final)"_s);
        }));
        QVERIFY(stayed);
        QVERIFY(closed);
        QVERIFY(!d.opened);  // the program ending is no "Назад"
    }
};

QTEST_MAIN(Form1DocumentsTest)
#include "tst_form1_documents_ui.moc"
