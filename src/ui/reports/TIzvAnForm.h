#pragma once
// The lot extract as the options dialog runs it, made page by page into its preview.
// A selection without data throws its message before any window opens.
#include "reports/LotExtract.h"

class QWidget;
class TDM;
class TViewerForm;

class TIzvAnForm {
public:
    static TViewerForm *Run(TDM &dm, const LotExtractOptions &options, QWidget *parent);
};
