#pragma once
// The chart of accounts of the open firm (table s).
#include <QList>
#include <QString>
#include <array>
#include <optional>

class Db;

struct SRow {
    int S_UNo = 0;
    std::array<int, 5> S_An{};  // level numbers at positions 1..5, 0 = none
    QString S_Name;
    int S_Act_Pas_Type = 1;
    int S_Kol_Val_Type = 1;
    int S_An_Sint_Type = 1;
};

enum class AccountFilter { All, Active, Passive, ActivePassive, Value, Quantity, Currency, Synthetic, Analytic };

// The filter menu of the account list, in menu order, with its captions.
QList<AccountFilter> AccountFilters();
QString AccountFilterCaption(AccountFilter filter);

// Names of the account codes; code 0 reads ":" and an unknown code "??????????".
QString BalanceTypeName(int code);
QString MeasureTypeName(int code);
QString KindName(int code);

namespace ChartStore {
void Insert(Db &db, const SRow &row);
// Rewrites the account that had number `original` (its number may change with it).
void Update(Db &db, int original, const SRow &row);
std::optional<SRow> Find(Db &db, int sUNo);
QList<SRow> All(Db &db, AccountFilter filter = AccountFilter::All);
void Delete(Db &db, int sUNo);
// Attaches analytic levels to an account and makes it analytic (synthetic when all are 0).
void SetLevels(Db &db, int sUNo, const std::array<int, 5> &levels);
}  // namespace ChartStore

// The account list's search: a whole number is looked up among the numbers, any other text
// among the names, case-insensitively as a prefix. Gives the account or the message to show.
struct AccountSearchResult {
    std::optional<int> account;
    QString message;
};
AccountSearchResult SearchAccount(const QList<SRow> &accounts, const QString &text);
