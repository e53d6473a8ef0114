#pragma once
// The opening balances of the first euro year: the leva balances that close the last leva year,
// converted at the fixed rate key by key (the smallest analytic unit), each side rounded to the
// cent on its own — half up, or up for amounts owed to staff. Quantities stay as they are; a
// currency account's lot held in euro opens with its quantity as its value. What the rounding of
// the keys adds up to beyond the converted leva imbalance is the rounding difference, carried on
// an account of its own choosing so debits and credits still differ only by that converted
// imbalance. The conversion list records every key with its leva and euro amounts.
#include "accounts/OpeningBalances.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Db;

inline constexpr int DefaultDifferenceAccount = 122;
inline constexpr int StaffAccount = 421;

// How one key's amounts become euro.
enum class KeyConversion {
    HalfUp,        // the fixed rate, rounded half up
    Up,            // the fixed rate, rounded up (staff)
    QuantityIsEuro // a currency lot held in euro: the value is the quantity
};

struct ConversionLine {
    enum Kind { Key, AccountTotal, Total, Imbalance, Difference };
    Kind kind = Key;
    int account = 0;
    QString lots;         // the lots' names, "/" between them
    QString side;         // "Дт" / "Кт"
    double leva = 0;
    double euro = 0;
    std::optional<double> difference;
};

struct CurrencyConversion {
    QList<SnsRow> rows;           // the euro opening balances, the difference included
    QList<ConversionLine> lines;  // the conversion list, in account order
    double levaDebit = 0, levaCredit = 0;
    double euroDebit = 0, euroCredit = 0;  // of the converted keys, before the difference
    double difference = 0;                 // (euro Дт − euro Кт) − the leva imbalance converted
    int differenceAccount = DefaultDifferenceAccount;
};

// The list's and the firm's own words for a key: its lots' names.
using KeyRule = std::function<KeyConversion(const SnsRow &row)>;
using KeyLots = std::function<QString(const SnsRow &row)>;

// Converts `rows` (leva) by `rule`, key by key, and carries the rounding difference on the
// synthetic `differenceAccount` (credit when the keys' debits came out higher, else debit).
CurrencyConversion ConvertRows(const QList<SnsRow> &rows, const KeyRule &rule, const KeyLots &lots,
                               int differenceAccount);

// The staff accounts: 421, the accounts in `marked`, and the sub-accounts of each.
bool RoundsUp(int account, const QList<int> &marked);

// A lot name that stands for the euro ("EUR", "Евро", …).
bool IsEuroLotName(const QString &name);

// The conversion of a closed leva year's balances, with the rules read from its firm: the staff
// accounts (421 and `marked`), the euro lots of its currency accounts, the lots' names. Throws
// MyException when the difference account is an account with analytic levels.
CurrencyConversion ConvertFirmBalances(Db &source, const QList<SnsRow> &rows, const QList<int> &marked,
                                       int differenceAccount);

// The accounts the firm marked for rounding up beside 421, and marking them.
QList<int> MarkedStaffAccounts(Db &firm);
void SetMarkedStaffAccounts(Db &firm, const QList<int> &accounts);

// The conversion list kept in the first euro year's firm, so it can be printed again.
struct StoredConversion {
    QString sourceName;
    int sourceYear = 0;
    int differenceAccount = DefaultDifferenceAccount;
    QList<ConversionLine> lines;
    bool isEmpty() const { return lines.isEmpty(); }
};
void StoreConversion(Db &next, const CurrencyConversion &conversion, const QString &sourceName, int sourceYear);
StoredConversion ReadConversion(Db &firm);

// Whether balances carried from `fromYear` into `toYear` change currency.
bool ConvertsCurrency(int fromYear, int toYear);
