#pragma once
// The year's figures of every account and analytic key at once: the opening balance and the
// turnovers over the whole reporting period, rounded as the account totals round them.
#include "firm/AccountTotals.h"

#include <map>
#include <utility>

class Db;

using AccountKey = std::pair<int, LotKey>;  // account, lots

// Opening and turnover figures per key; the closing figures are left for the caller.
std::map<AccountKey, TAccountValue> KeyTotals(Db &db);

// Debit minus credit of the opening and turnover figures: the key's signed balance in value and
// in quantity, rounded.
double SignedValue(const TAccountValue &v);
double SignedQuantity(const TAccountValue &v);
