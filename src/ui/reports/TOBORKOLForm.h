#pragma once
// The trial balance as the options dialog runs it: the progress window stays on top while the
// rows are prepared, and the pages go to the preview.
#include "reports/TrialBalance.h"

class QWidget;
class TDM;
class TViewerForm;

class TOBORKOLForm {
public:
    // Shows the trial balance of the open firm; the preview owns the report and the progress
    // window and frees both when it closes.
    static TViewerForm *Run(TDM &dm, const TrialBalanceOptions &options, QWidget *parent);
};
