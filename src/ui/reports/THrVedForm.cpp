#include "reports/THrVedForm.h"

#include "firm/TDM.h"
#include "reports/TViewerForm.h"

TViewerForm *THrVedForm::Run(TDM &dm, const ChronologicalOptions &options, QWidget *parent)
{
    return TViewerForm::Show(std::make_unique<ChronologicalLedgerJob>(dm.db(), options), parent);
}
