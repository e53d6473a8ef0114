#pragma once
// The amounts include rows of kinds 1..7 take from the books over one period. Rows that name
// the same account share one computation: the totals of an account are taken once, and the
// correspondence turnovers of an account against every corresponding account come from one
// grouped pass over its postings rather than one query per row.
#include "firm/AccountTotals.h"

#include <QHash>
#include <map>
#include <optional>
#include <utility>

struct IncludeRow;

class IncludeAmounts {
public:
    IncludeAmounts(Db &db, const ReportingPeriod &period, const QDate &from, const QDate &to);

    // The amount of a row of kinds 1..7; nothing when its query fails (an account missing from
    // the chart), so that the row adds nothing.
    std::optional<double> amount(const IncludeRow &row);

private:
    std::optional<double> accountFigure(const IncludeRow &row);
    std::optional<double> correspondence(const IncludeRow &row);
    bool accountExists(int account);
    const QHash<int, double> &debitsByCorrespondent(int account);

    Db &m_db;
    ReportingPeriod m_period;
    QDate m_from, m_to;
    std::map<std::pair<int, LotKey>, TAccountValue> m_values;
    QHash<int, bool> m_exists;
    QHash<int, QHash<int, double>> m_debits;  // account → corresponding account → debit amount
    std::map<std::array<int, 12>, std::optional<double>> m_lotCorrespondence;
};
