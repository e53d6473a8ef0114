#pragma once
// Opening balances (Sns): one row per account and analytic key. Quantities are rounded to 4
// decimals and values to 2 on every path that writes a row.
#include <QList>
#include <array>

class Db;

struct SnsRow {
    int Sn_UNo = 0;
    std::array<int, 5> Sn_An{};
    double Sn_Kol_Dt = 0;
    double Sn_St_Dt = 0;
    double Sn_Kol_Kt = 0;
    double Sn_St_Kt = 0;
};

// The amounts of all opening balances of the firm, each side rounded.
struct OpeningTotals {
    double debit = 0;
    double credit = 0;
    double difference() const;  // debit − credit, rounded
};

// The four sums of an account's opening balances.
struct SnsSums {
    double kolDt = 0, stDt = 0, kolKt = 0, stKt = 0;
};

namespace OpeningBalances {
QList<SnsRow> RowsOf(Db &db, int account);
SnsSums SumsOf(Db &db, int account);
// Deletes the row of that account and analytic key.
void Delete(Db &db, const SnsRow &key);
// A synthetic account has at most one opening balance; an analytic account any number.
bool CanAdd(Db &db, int account);
SnsRow Rounded(SnsRow row);
// Writes the row rounded; a second row for the same key is refused with the key message.
void Insert(Db &db, const SnsRow &row);
// Replaces the row of `original`'s key with `row`, rounded; a key another row has is refused
// with the key message. False when no row has that key any more (another user deleted it).
bool Update(Db &db, const SnsRow &original, const SnsRow &row);
OpeningTotals Totals(Db &db);
}  // namespace OpeningBalances
