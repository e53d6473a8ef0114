#pragma once
// The include-row wizard's rules: page 1 chooses what the row is, page 2 its account (and the
// corresponding account) with the side, page 3 an amount. "Коректив" exists only on the balance
// sheet, on page 3 only for an amount of the current period.
#include "statements/StatementTables.h"

#include <QStringList>

enum class IncludeChoice { Account = 0, Correspondence = 1, CurrentAmount = 2, PreviousYearAmount = 3 };

struct IncludeWizardState {
    IncludeChoice choice = IncludeChoice::Account;
    int side = IncludeKind::ClosingDebit;  // kinds 1..6 of an account row
    int account = 0;
    LotKey accountLots{};
    int corrAccount = 0;
    LotKey corrLots{};
    double amount = 0;
    bool accountCorrection = false;  // the "Коректив" box of page 2
    bool amountCorrection = false;   // the "Коректив" box of page 3
};

namespace IncludeRowWizard {
// "Сметка", "Кореспонденция", "Сума към данните за периода", "Данни за предходна година".
const QStringList &ChoiceTexts();
// "Начално салдо дебит" … "Кредитно салдо", in the order of kinds 1..6.
const QStringList &SideTexts();

// Entering page 1 clears both accounts, the amount and both "Коректив" boxes.
void EnterFirstPage(IncludeWizardState &state);
// The page after page 1: 2 for the two account choices, 3 for the amounts.
int PageAfterFirst(IncludeChoice choice);
// Whether the "Коректив" box of a page (2 or 3) is shown.
bool ShowsCorrection(StatementType type, int page, IncludeChoice choice);
// "Посочете сметка!" / "Посочете сума!" when the wizard cannot finish, else empty.
QString FinishProblem(const IncludeWizardState &state);
// The row the wizard writes: accounts, kind, correction (balance sheet only), amount.
IncludeRow RowOf(StatementType type, const IncludeWizardState &state, IncludeRow row = {});
// The wizard filled from a row it edits; throws MyException "Неочакван тип на данните! " with the
// stored value for a kind outside 1..9.
IncludeWizardState StateOf(StatementType type, const IncludeRow &row);
}  // namespace IncludeRowWizard
