#include "reports/TOBORKOLForm.h"

#include "app/TProgressForm.h"
#include "firm/TDM.h"
#include "help/HelpSystem.h"
#include "reportkit/SnapshotJob.h"
#include "reports/TViewerForm.h"

#include <QPointer>

TViewerForm *TOBORKOLForm::Run(TDM &dm, const TrialBalanceOptions &options, QWidget *parent)
{
    TViewerForm *viewer = TViewerForm::Show(std::make_unique<rk::SnapshotJob<TrialBalanceJob>>(dm.db(), options), parent);
    if (viewer)
        SetHelpWindow(viewer, QStringLiteral("TOBORKOLForm"));  // F1 in the preview: the report's page
    if (!viewer || !viewer->generating())
        return viewer;
    // Parented to the preview: freed with it, and never left behind when the report fails.
    QPointer<TProgressForm> progress = new TProgressForm(viewer);
    progress->setMessage(QStringLiteral("Изготвяне на отчета, моля изчакайте!"));
    progress->setRange(0, 100);
    progress->show();
    QObject::connect(viewer, &TViewerForm::generationProgress, progress, [progress](int percent) {
        if (progress)
            progress->setValue(percent);
    });
    QObject::connect(viewer, &TViewerForm::generationEnded, progress, [progress] {
        if (progress)
            progress->hide();
    });
    return viewer;
}
