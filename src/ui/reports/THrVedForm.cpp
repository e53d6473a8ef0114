#include "reports/THrVedForm.h"

#include "firm/TDM.h"
#include "help/HelpSystem.h"
#include "reportkit/SnapshotJob.h"
#include "reports/TViewerForm.h"

TViewerForm *THrVedForm::Run(TDM &dm, const ChronologicalOptions &options, QWidget *parent)
{
    TViewerForm *viewer = TViewerForm::Show(std::make_unique<rk::SnapshotJob<ChronologicalLedgerJob>>(dm.db(), options), parent);
    if (viewer)
        SetHelpWindow(viewer, QStringLiteral("THrVedForm"));  // F1 in the preview: the report's page
    return viewer;
}
