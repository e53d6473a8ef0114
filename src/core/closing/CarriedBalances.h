#pragma once
// The opening balances a year closing carries into the next year's firm. The firm keeps what the
// closing carried (SnsCarried) and which closing it came from (CarriedFrom): a repeat closing
// refreshes only the opening balances that still hold the values it carried, and leaves those
// the accountant has changed since.
#include "accounts/OpeningBalances.h"

#include <QList>
#include <QString>
#include <QStringList>

class Db;

inline constexpr int LossBroughtForward = 121;
inline constexpr int ProfitBroughtForward = 122;

// The result of the year carried on 123 opens on 122 (a profit, credit) or 121 (a loss, debit)
// instead, added to what those accounts carry, so 123 starts the year at zero.
QList<SnsRow> ResultBroughtForward(QList<SnsRow> rows);

// Debit and credit sums of the rows' values.
OpeningTotals TotalsOf(const QList<SnsRow> &rows);

// The first carry: the rows become the firm's opening balances, and what was carried and from
// which closing is recorded. Inside the caller's write transaction.
void WriteCarried(Db &next, const QList<SnsRow> &rows, const QString &closingId, const QString &sourceName,
                  int sourceYear);

// The closing that carried the firm's opening balances, or an empty text.
QString CarriedFromClosing(Db &next);

struct RefreshOutcome {
    int changed = 0;          // opening balances written, changed or removed
    QStringList keptByHand;   // keys whose balances were changed by hand and kept, one line each
};

// A repeat carry, inside the caller's write transaction: a key whose opening balance still holds
// what was carried last time takes the new figures (or goes when there are none); a key changed
// by hand keeps its balance and is listed. The new figures become what was carried.
RefreshOutcome RefreshCarried(Db &next, const QList<SnsRow> &rows);

// "304 / 1 / 0 / 0 / 0 / 0: Дт 10.0000 120.00, Кт 0.0000 0.00"
QString DescribeBalance(const SnsRow &row);
