#include "reports/TGl_BookForm.h"

#include "firm/TDM.h"
#include "reports/TViewerForm.h"

TViewerForm *TGl_BookForm::Run(TDM &dm, const GeneralLedgerOptions &options, QWidget *parent)
{
    return TViewerForm::Show(std::make_unique<GeneralLedgerJob>(dm.db(), options), parent);
}
