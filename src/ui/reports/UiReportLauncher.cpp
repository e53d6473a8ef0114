#include "reports/UiReportLauncher.h"

#include "app/TErrorHook.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reports/ReportList.h"
#include "reports/TGl_BookForm.h"
#include "reports/TRepDateForm.h"
#include "reports/TReportSetForm.h"
#include "reports/TViewerForm.h"
#include "statements/StatementReport.h"
#include "statements/TReportForm.h"
#include "vat/TDpokForm.h"

namespace {
constexpr int TrialBalanceCode = 3;
constexpr int GeneralLedgerCode = 4;
constexpr int VatCode = 5;
constexpr int ChronologicalCode = 6;
constexpr int AccountExtractCode = 7;
constexpr int LotExtractCode = 8;

QString CurrentFirmName(TFD &fd)
{
    const auto firm = fd.Firm(fd.currentFirmId);
    return firm ? firm->Firm_Name : QString();
}

// The period, the statement computed for it without a view, then its pages in the preview.
void RunStatement(TFD &fd, TDM &dm, StatementType type, QWidget *parent)
{
    const auto dates = TRepDateForm::Ask(ReadPeriod(dm.db()), parent);
    if (!dates)
        return;
    auto statement = TReportForm::Open(fd, dm, type, TReportForm::ComputeOnly, dates->from, dates->to, parent);
    if (statement)
        TViewerForm::Show(std::make_unique<StatementReportJob>(std::move(*statement), CurrentFirmName(fd)), parent);
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

bool ReportAvailable(int code)
{
    return StatementKindOfReport(code) >= 0 || (code >= TrialBalanceCode && code <= LotExtractCode);
}

void OpenStatementView(TFD &fd, TDM &dm, int statementKind, QWidget *host)
{
    RunGuarded([&] {
        const ReportingPeriod period = ReadPeriod(dm.db());
        TReportForm::Open(fd, dm, StatementTypeOf(statementKind), host ? TReportForm::Docked : TReportForm::Modal,
                          period.Date_Ot, period.Date_Do, host);
    });
}

void LaunchReport(TFD &fd, TDM &dm, int code, QWidget *parent)
{
    RunGuarded([&] {
        if (const int kind = StatementKindOfReport(code); kind >= 0) {
            RunStatement(fd, dm, StatementTypeOf(kind), parent);
            return;
        }
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
        case ChronologicalCode:
            TReportSetForm::Run(dm, CurrentFirmName(fd), TReportSetForm::ChronologicalLedger, parent);
            break;
        case AccountExtractCode:
            TReportSetForm::Run(dm, CurrentFirmName(fd), TReportSetForm::AccountExtract, parent);
            break;
        case LotExtractCode:
            TReportSetForm::Run(dm, CurrentFirmName(fd), TReportSetForm::LotExtract, parent);
            break;
        default:
            Messages::show(UnknownReportMessage);
            break;
        }
    });
}
