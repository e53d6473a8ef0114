// The program as it is put together: the main window's commands open the real editors.
#include "accounts/TSmWizardForm.h"
#include "app/TForm1.h"
#include "app/UiProgramWindows.h"
#include "demo/DemoFirm.h"
#include "registry/FirmChoice.h"
#include "support/TestFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;


class ProgramWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void editCommandsOpenTheRealEditors_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("editor");
        QTest::newRow("account") << int(MainMode::Chart) << u"TSmWizardForm"_s;
        QTest::newRow("level") << int(MainMode::Levels) << u"TNomWizardForm"_s;
        QTest::newRow("folder") << int(MainMode::Folders) << u"TNomWizardForm"_s;
    }
    void editCommandsOpenTheRealEditors()
    {
        QFETCH(int, mode);
        QFETCH(QString, editor);
        TestFixture f;
        const int firm = EnsureDemoFirm(f.fd, 2026);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(firm)).opened);
        TForm1 window(f.fd, f.dm);
        InstallProgramWindows(window, f.fd, f.dm);
        window.firmChosen();
        if (mode == int(MainMode::Levels))
            window.enterLevels();
        else if (mode == int(MainMode::Folders))
            window.enterPosting();
        QVERIFY(window.editButton()->isEnabled());
        QString opened;
        QTimer::singleShot(50, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            }
        });
        const QStringList before = window.listCaptions();
        window.editItem();
        QCOMPARE(opened, editor);
        QCOMPARE(window.listCaptions(), before);  // cancelled: nothing changed
    }

    void theOperationsButtonOpensTheTemplateList()
    {
        TestFixture f;
        const int firm = EnsureDemoFirm(f.fd, 2026);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(firm)).opened);
        TForm1 window(f.fd, f.dm);
        InstallProgramWindows(window, f.fd, f.dm);
        window.firmChosen();
        window.enterPosting();
        QCOMPARE(window.balancesButton()->text(), u"Операции"_s);
        QVERIFY(window.balancesButton()->isEnabled());
        QString opened;
        int listed = 0;
        QTimer::singleShot(50, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                if (auto *list = modal->findChild<QTableWidget *>())
                    listed = list->rowCount();
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            }
        });
        window.balancesButton()->click();
        QCOMPARE(opened, u"TOpListForm"_s);
        QVERIFY(listed > 0);  // the demo's templates
        QCOMPARE(window.mode(), MainMode::Folders);
    }

    void onlyTheReportsThatExistCanBeRun()
    {
        TestFixture f;
        const int firm = EnsureDemoFirm(f.fd, 2026);
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(firm)).opened);
        TForm1 window(f.fd, f.dm);
        InstallProgramWindows(window, f.fd, f.dm);
        window.firmChosen();
        window.enterReports();
        QVERIFY(window.selectKey(3));  // trial balance
        QVERIFY(window.addButton()->isEnabled());
        QVERIFY(window.selectKey(4));  // general ledger
        QVERIFY(window.addButton()->isEnabled());
        QVERIFY(window.selectKey(0));  // balance sheet
        QVERIFY(window.addButton()->isEnabled() && window.editButton()->isEnabled());
        QVERIFY(window.selectKey(5));  // VAT
        QVERIFY(window.addButton()->isEnabled());
        for (int code = 0; code <= 8; ++code)
            QVERIFY(window.canRunReport(code));
        QVERIFY(window.selectKey(8));  // lot extract
        QVERIFY(window.addButton()->isEnabled());
        emit window.reportsMenu()->aboutToShow();
        QStringList enabled;
        for (QAction *action : window.reportsMenu()->actions())
            if (action->isEnabled())
                enabled << action->text();
        QCOMPARE(enabled, QStringList({u"Баланс"_s, u"ОПР"_s, u"ОПП"_s, u"Оборотна ведомост"_s, u"Главна книга"_s,
                                       u"Хронологична ведомост"_s, u"Извлечение от сметка"_s,
                                       u"Извлечение от партида"_s, u"ДДС"_s}));
    }
};

QTEST_MAIN(ProgramWindowsTest)
#include "tst_programwindows_ui.moc"
