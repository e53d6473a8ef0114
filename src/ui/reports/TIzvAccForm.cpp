#include "reports/TIzvAccForm.h"

#include "firm/TDM.h"
#include "help/HelpSystem.h"
#include "reportkit/SnapshotJob.h"
#include "reports/TViewerForm.h"

TViewerForm *TIzvAccForm::Run(TDM &dm, const AccountExtractOptions &options, QWidget *parent)
{
    TViewerForm *viewer = TViewerForm::Show(std::make_unique<rk::SnapshotJob<AccountExtractJob>>(dm.db(), options), parent);
    if (viewer)
        SetHelpWindow(viewer, QStringLiteral("TIzvAccForm"));  // F1 in the preview: the report's page
    return viewer;
}
