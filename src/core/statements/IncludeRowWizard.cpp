#include "statements/IncludeRowWizard.h"

#include "engine/Errors.h"
#include "statements/IncludeRowsEdit.h"

using namespace Qt::StringLiterals;

namespace IncludeRowWizard {

const QStringList &ChoiceTexts()
{
    static const QStringList texts = {u"Сметка"_s, u"Кореспонденция"_s, u"Сума към данните за периода"_s,
                                      u"Данни за предходна година"_s};
    return texts;
}

const QStringList &SideTexts()
{
    static const QStringList texts = {u"Начално салдо дебит"_s, u"Начално салдо кредит"_s, u"Дебитен оборот"_s,
                                      u"Кредитен оборот"_s,     u"Дебитно салдо"_s,        u"Кредитно салдо"_s};
    return texts;
}

void EnterFirstPage(IncludeWizardState &state)
{
    state.account = 0;
    state.accountLots = {};
    state.corrAccount = 0;
    state.corrLots = {};
    state.amount = 0;
    state.accountCorrection = false;
    state.amountCorrection = false;
}

int PageAfterFirst(IncludeChoice choice)
{
    return choice == IncludeChoice::Account || choice == IncludeChoice::Correspondence ? 2 : 3;
}

bool ShowsCorrection(StatementType type, int page, IncludeChoice choice)
{
    if (!HasCorrection(type))
        return false;
    return page == 2 || (page == 3 && choice == IncludeChoice::CurrentAmount);
}

QString FinishProblem(const IncludeWizardState &state)
{
    switch (state.choice) {
    case IncludeChoice::Account: return state.account > 0 ? QString() : PickAccountRowMessage;
    case IncludeChoice::Correspondence:
        return state.account > 0 && state.corrAccount > 0 ? QString() : PickAccountRowMessage;
    case IncludeChoice::CurrentAmount:
    case IncludeChoice::PreviousYearAmount: return state.amount != 0 ? QString() : PickAmountMessage;
    }
    return {};
}

IncludeRow RowOf(StatementType type, const IncludeWizardState &state, IncludeRow row)
{
    // A panel the choice does not show counts as not chosen.
    const bool accounts = state.choice == IncludeChoice::Account || state.choice == IncludeChoice::Correspondence;
    const bool correspondence = state.choice == IncludeChoice::Correspondence;
    row.OPR_Account_No = accounts ? state.account : 0;
    row.OPR_Account_An = accounts ? state.accountLots : LotKey{};
    row.OPR_AccCor_No = correspondence ? state.corrAccount : 0;
    row.OPR_AccCor_An = correspondence ? state.corrLots : LotKey{};
    switch (state.choice) {
    case IncludeChoice::Account: row.OPR_Account_Type = state.side; break;
    case IncludeChoice::Correspondence: row.OPR_Account_Type = IncludeKind::Correspondence; break;
    case IncludeChoice::CurrentAmount: row.OPR_Account_Type = IncludeKind::CurrentConstant; break;
    case IncludeChoice::PreviousYearAmount: row.OPR_Account_Type = IncludeKind::PreviousYear; break;
    }
    bool correction = false;
    if (state.choice == IncludeChoice::Account || state.choice == IncludeChoice::Correspondence)
        correction = state.accountCorrection;
    else if (state.choice == IncludeChoice::CurrentAmount)
        correction = state.amountCorrection;
    row.OPR_Kor = HasCorrection(type) && correction ? 1 : 0;
    row.OPR_ConstValue = accounts ? 0 : state.amount;
    return row;
}

IncludeWizardState StateOf(StatementType type, const IncludeRow &row)
{
    const int kind = row.OPR_Account_Type;
    if (kind < IncludeKind::OpeningDebit || kind > IncludeKind::PreviousYear)
        throw MyException(u"Неочакван тип на данните! "_s + QString::number(kind));
    IncludeWizardState s;
    if (kind <= IncludeKind::ClosingCredit) {
        s.choice = IncludeChoice::Account;
        s.side = kind;
    } else if (kind == IncludeKind::Correspondence) {
        s.choice = IncludeChoice::Correspondence;
    } else {
        s.choice = kind == IncludeKind::CurrentConstant ? IncludeChoice::CurrentAmount
                                                        : IncludeChoice::PreviousYearAmount;
        s.amount = row.OPR_ConstValue;
    }
    s.account = row.OPR_Account_No;
    s.accountLots = row.OPR_Account_An;
    s.corrAccount = row.OPR_AccCor_No;
    s.corrLots = row.OPR_AccCor_An;
    s.accountCorrection = s.amountCorrection = HasCorrection(type) && row.OPR_Kor == 1;
    return s;
}

}  // namespace IncludeRowWizard
