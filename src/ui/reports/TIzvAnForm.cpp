#include "reports/TIzvAnForm.h"

#include "firm/TDM.h"
#include "reports/TViewerForm.h"

TViewerForm *TIzvAnForm::Run(TDM &dm, const LotExtractOptions &options, QWidget *parent)
{
    return TViewerForm::Show(std::make_unique<LotExtractJob>(dm.db(), options), parent);
}
