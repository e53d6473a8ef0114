// The report forms the reports list runs: the trial balance with its progress window over the
// preview, and the general ledger refused before any window for a period without data.
#include "app/TProgressForm.h"
#include "demo/DemoFirm.h"
#include "engine/Errors.h"
#include "registry/FirmChoice.h"
#include "reportkit/Render.h"
#include "reports/TGl_BookForm.h"
#include "reports/TOBORKOLForm.h"
#include "reports/TViewerForm.h"
#include "support/TestFixture.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;

class ReportFormsTest : public QObject {
    Q_OBJECT
private slots:
    void trialBalanceShowsItsProgressWhileRowsArePrepared()
    {
        TestFixture f;
        QVERIFY(OpenFirm(f.fd, f.dm, *f.fd.Firm(EnsureDemoFirm(f.fd, 2026))).opened);
        const TrialBalanceOptions options{QDate(2026, 1, 1), QDate(2026, 12, 31), u"Демо ЕООД"_s, 0, true, false};
        QPointer<TViewerForm> viewer = TOBORKOLForm::Run(f.dm, options, nullptr);
        QVERIFY(viewer);
        QPointer<TProgressForm> progress = viewer->findChild<TProgressForm *>();
        QVERIFY(progress);
        QCOMPARE(progress->message(), u"Изготвяне на отчета, моля изчакайте!"_s);
        QVERIFY(progress->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!viewer->generating(), 20000);
        QVERIFY(!progress->isVisible());
        QCOMPARE(progress->value(), 100);

        TrialBalanceJob direct(f.dm.db(), options);
        rk::PageList pages;
        rk::RunReport(direct, pages);
        QCOMPARE(viewer->reportText(),
                 rk::ReportText(int(pages.pages.size()), [&](int i) { return pages.pages.at(i); }));
        viewer->close();
        QTRY_VERIFY(!viewer);
        QVERIFY(!progress);  // freed with the preview
    }

    void generalLedgerWithoutDataOpensNothing()
    {
        TestFixture f;
        f.openNewFirm(u"Празна"_s, 2026);
        const int windows = int(QApplication::topLevelWidgets().size());
        QString error;
        try {
            TGl_BookForm::Run(f.dm, {QDate(2026, 1, 1), QDate(2026, 1, 31), u"Празна"_s}, nullptr);
        } catch (const MyException &e) {
            error = e.message();
        }
        QCOMPARE(error, u"Няма данни за избрания период!"_s);
        QCOMPARE(int(QApplication::topLevelWidgets().size()), windows);
    }
};

QTEST_MAIN(ReportFormsTest)
#include "tst_reportforms_ui.moc"
