#pragma once
// What the statement view shows: its grid columns for each statement and the shade of each row
// by the line's kind.
#include "statements/StatementComputation.h"

#include <QColor>

enum class StatementField { Name, PrevYear, Gross, Correction, ThisYear };

struct StatementColumn {
    QString caption;
    StatementField field;
};

// "Наименование на показател", "Предходна година", "Текуща година"; the balance sheet has
// "Отчетна стойност" and "Коректив" before "Текуща година".
QList<StatementColumn> StatementColumns(StatementType type);
// The text of a line's figure in the column: "#0.00", blank for an emptied value.
QString StatementCellText(const ComputedLine &line, StatementField field);
// The row's shade by the line's kind (light grey, silver or dark grey), or an invalid colour
// for the grid's own.
QColor StatementRowShade(StatementType type, int kind);
