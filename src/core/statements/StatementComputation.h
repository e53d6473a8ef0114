#pragma once
// Computing a statement for a period: each data line sums its include rows, each total line
// shows its group accumulators by the statement's own rules. The result belongs to the
// computation that made it; the view and the print show exactly that result, so two firms
// computed at once never see each other's figures. A line kind or group outside the statement's
// ranges stops the computation before any amount is taken.
#include "statements/StatementTables.h"

#include <QDate>
#include <functional>
#include <optional>

struct LineFigures {
    std::optional<double> thisYear;    // empty: printed blank
    std::optional<double> prevYear;
    std::optional<double> gross;       // balance sheet: "Отчетна стойност"
    std::optional<double> correction;  // balance sheet: "Коректив"
};

struct ComputedLine {
    StatementLine line;
    LineFigures figures;
};

struct ComputedStatement {
    StatementType type = StatementType::None;
    QDate from, to;
    QList<ComputedLine> lines;
    // The line of that number, or nothing.
    const ComputedLine *line(int lineNo) const;
};

// After each line: lines done, lines in all.
using ComputeProgress = std::function<void(int done, int total)>;

// Computes the statement of the open firm from the registry's lines and the firm's include rows.
// Throws MyException for a period outside the reporting period and for a line whose kind or
// group the statement does not know (naming the line).
ComputedStatement ComputeStatement(Db &firm, Db &registry, StatementType type, const QDate &from, const QDate &to,
                                   const ComputeProgress &progress = {});
// The same on given lines and include rows.
ComputedStatement ComputeStatement(Db &firm, StatementType type, const QList<StatementLine> &lines,
                                   const QList<IncludeRow> &rows, const QDate &from, const QDate &to,
                                   const ComputeProgress &progress = {});

// Why the statement cannot be computed with these lines, or an empty text.
QString StatementLinesProblem(StatementType type, const QList<StatementLine> &lines);
