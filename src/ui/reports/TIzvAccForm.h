#pragma once
// The account extract as the options dialog runs it, made page by page into its preview.
// A selection without data throws its message before any window opens.
#include "reports/AccountExtract.h"

class QWidget;
class TDM;
class TViewerForm;

class TIzvAccForm {
public:
    static TViewerForm *Run(TDM &dm, const AccountExtractOptions &options, QWidget *parent);
};
