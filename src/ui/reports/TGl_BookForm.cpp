#include "reports/TGl_BookForm.h"

#include "firm/TDM.h"
#include "help/HelpSystem.h"
#include "reportkit/SnapshotJob.h"
#include "reports/TViewerForm.h"

TViewerForm *TGl_BookForm::Run(TDM &dm, const GeneralLedgerOptions &options, QWidget *parent)
{
    TViewerForm *viewer = TViewerForm::Show(std::make_unique<rk::SnapshotJob<GeneralLedgerJob>>(dm.db(), options), parent);
    if (viewer)
        SetHelpWindow(viewer, QStringLiteral("TGl_BookForm"));  // F1 in the preview: the report's page
    return viewer;
}
