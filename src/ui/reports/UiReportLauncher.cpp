#include "reports/UiReportLauncher.h"

#include "app/TErrorHook.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reports/TGl_BookForm.h"
#include "reports/TRepDateForm.h"
#include "reports/TReportSetForm.h"
#include "vat/TDpokForm.h"

namespace {
constexpr int TrialBalanceCode = 3;
constexpr int GeneralLedgerCode = 4;
constexpr int VatCode = 5;

QString CurrentFirmName(TFD &fd)
{
    const auto firm = fd.Firm(fd.currentFirmId);
    return firm ? firm->Firm_Name : QString();
}

void RunGeneralLedger(TFD &fd, TDM &dm, QWidget *parent)
{
    const auto dates = TRepDateForm::Ask(ReadPeriod(dm.db()), parent);
    if (!dates)
        return;
    TGl_BookForm::Run(dm, GeneralLedgerOptions{dates->from, dates->to, CurrentFirmName(fd)}, parent);
}

void RunVat(TFD &fd, TDM &dm, QWidget *parent)
{
    const auto dates = TRepDateForm::Ask(ReadPeriod(dm.db()), parent);
    if (!dates)
        return;
    TDpokForm::Run(fd, dm, dates->from, dates->to, parent);
}
}  // namespace

bool ReportAvailable(int code) { return code == TrialBalanceCode || code == GeneralLedgerCode || code == VatCode; }

void LaunchReport(TFD &fd, TDM &dm, int code, QWidget *parent)
{
    RunGuarded([&] {
        switch (code) {
        case TrialBalanceCode:
            TReportSetForm::Run(dm, CurrentFirmName(fd), TReportSetForm::TrialBalance, parent);
            break;
        case GeneralLedgerCode:
            RunGeneralLedger(fd, dm, parent);
            break;
        case VatCode:
            RunVat(fd, dm, parent);
            break;
        default:
            Messages::show(UnknownReportMessage);
            break;
        }
    });
}
