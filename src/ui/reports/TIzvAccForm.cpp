#include "reports/TIzvAccForm.h"

#include "firm/TDM.h"
#include "reports/TViewerForm.h"

TViewerForm *TIzvAccForm::Run(TDM &dm, const AccountExtractOptions &options, QWidget *parent)
{
    return TViewerForm::Show(std::make_unique<AccountExtractJob>(dm.db(), options), parent);
}
