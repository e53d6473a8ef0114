#include "reports/TIzvAnForm.h"

#include "firm/TDM.h"
#include "help/HelpSystem.h"
#include "reportkit/SnapshotJob.h"
#include "reports/TViewerForm.h"

TViewerForm *TIzvAnForm::Run(TDM &dm, const LotExtractOptions &options, QWidget *parent)
{
    TViewerForm *viewer = TViewerForm::Show(std::make_unique<rk::SnapshotJob<LotExtractJob>>(dm.db(), options), parent);
    if (viewer)
        SetHelpWindow(viewer, QStringLiteral("TIzvAnForm"));  // F1 in the preview: the report's page
    return viewer;
}
