#pragma once
// The general ledger as the reports list runs it: the period's data are checked first, so a
// period without data shows its message and no empty preview.
#include "reports/GeneralLedger.h"

class QWidget;
class TDM;
class TViewerForm;

class TGl_BookForm {
public:
    // Throws "Няма данни за избрания период!" before any window opens.
    static TViewerForm *Run(TDM &dm, const GeneralLedgerOptions &options, QWidget *parent);
};
