#pragma once
// The closed year's statements as the next year's previous-year column: each data line's figure
// of the balance sheet, the income statement and the cash-flow statement over the whole closed
// year becomes a previous-year row (kind 9) of that line in the next year's firm, converted to
// euro when the next year is the first euro year.
#include "statements/StatementTables.h"

#include <QList>
#include <functional>

class Db;

struct PreviousYearLine {
    StatementType type = StatementType::None;
    int lineNo = 0;
    double amount = 0;
};

// The data lines of the three statements with a figure other than 0, computed over the firm's
// whole reporting period; each amount passed through `convert` (leva to euro, or as it is).
QList<PreviousYearLine> ClosedYearFigures(Db &firm, Db &registry, const std::function<double(double)> &convert);

// Converted line by line, the balance sheet's previous-year assets and liabilities can part by
// cents. The difference goes to the previous-year figure of the line that holds `equityAccount`
// (retained profit, where the opening balances carry their conversion difference too), so the
// column balances; left as it is when that line does not close the gap.
void BalancePreviousYear(Db &firm, Db &registry, QList<PreviousYearLine> &lines, int equityAccount);

// Inside the caller's transaction on the next year's firm: its previous-year rows are replaced by
// `lines`, one row each, and recorded as carried.
void ReplacePreviousYearRows(Db &next, const QList<PreviousYearLine> &lines);

// A repeat closing, inside the caller's transaction on the next year's firm: a line's previous-year
// rows are replaced by its new figure only while they still hold what the closing carried before;
// a line whose rows were changed by hand keeps them and is named in the answer. A firm carried
// before the closing recorded its figures has every line replaced.
QStringList RefreshPreviousYearRows(Db &next, const QList<PreviousYearLine> &lines);
