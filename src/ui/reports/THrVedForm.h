#pragma once
// The chronological ledger as the options dialog runs it, made page by page into its preview.
// A selection without data throws its message before any window opens.
#include "reports/ChronologicalLedger.h"

class QWidget;
class TDM;
class TViewerForm;

class THrVedForm {
public:
    static TViewerForm *Run(TDM &dm, const ChronologicalOptions &options, QWidget *parent);
};
