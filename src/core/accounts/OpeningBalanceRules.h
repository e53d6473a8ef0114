#pragma once
// Rules of the opening-balance editor, usable without a window: which lot boxes an account
// shows, what a row must hold (checked in a fixed order, the first failure answers), and the
// save that rounds every value first and reports a second row for one analytic key.
#include "accounts/OpeningBalances.h"
#include "engine/Formats.h"
#include "firm/AccountTotals.h"
#include "firm/RecordLocks.h"

#include <QList>
#include <QString>
#include <optional>

class Db;

namespace OpeningBalanceRules {

inline const QString LotMissingMessage = QStringLiteral("Въведете аналитично ниво!");
inline const QString ValueMissingMessage = QStringLiteral("Въведете стойност!");
inline const QString BothSidesMessage = QStringLiteral("Въведени са суми по дебита и кредита!");
inline const QString SyntheticHasRowMessage = QStringLiteral("За сметката е въведено начално салдо!");
// A box whose text is not a number the field can hold.
using Formats::InvalidValueMessage;

enum class Box { None, Lot1, Lot2, Lot3, Lot4, Lot5, KolDt, StDt, KolKt, StKt };
Box LotBox(int position);  // 1..5

struct Problem {
    QString message;
    Box focus = Box::None;
    bool failed() const { return !message.isEmpty(); }
};

// A lot box of the editor: position k of the account whose level has lots.
struct LotSlot {
    int position = 0;  // 1..5
    int level = 0;
    QString label;     // the level's name + ":"
};
QList<LotSlot> LotSlots(Db &db, const TAccountStr &account);

bool ShowsQuantities(const TAccountStr &account);  // quantity and currency accounts
// A synthetic account has one row at most, so it never asks for another.
bool SaveAndNewAllowed(const TAccountStr &account);
// Why the editor may not open to add a row, or an empty text.
QString AddRefusal(Db &db, const TAccountStr &account);

// The four value boxes as typed.
struct TypedValues {
    QString kolDt, stDt, kolKt, stKt;
};
// A blank box is 0; a decimal comma is taken like a point. Nothing for any other text and for
// magnitudes beyond what the field keeps at its decimals.
std::optional<double> ParseValue(const QString &text, int decimals);
// Reads the four boxes into `row`; a box that does not parse is the problem.
Problem ReadValues(const TypedValues &typed, SnsRow &row);

// The checks of a row in their order: lots, a value at all, debit and credit together, quantity
// and amount on each side. Runs on the rounded values, which are the ones stored.
Problem Check(const TAccountStr &account, const QList<LotSlot> &lotSlots, const SnsRow &row);

inline const QString OpeningRowGoneMessage = QStringLiteral("Записът е изтрит от друг потребител!");
inline const QString AccountChangedMessage =
    QStringLiteral("Сметката или партидите ѝ са изтрити или променени от друг потребител!");

// Writes the row (a new one when `original` is empty): the account's number and 0 at positions
// without a lot box are put in, values rounded before the post. Validation failures, a second
// row for the same key and a row another user deleted meanwhile come back as the problem;
// nothing is written then.
Problem Save(Db &db, const TAccountStr &account, const std::optional<SnsRow> &original, const SnsRow &row);

// Record-lock address of a row, and the holder of another copy's lock on any row of an account.
inline const QString LockTable = QStringLiteral("Sns");
QString LockKey(const SnsRow &row);
std::optional<LockHolder> LockedRowOfAccount(Db &db, int account);

// "#0.00;-#0.00;0" and "#0.0000;-#0.0000;0".
QString ShowAmount(double value);
QString ShowQuantity(double value);

}  // namespace OpeningBalanceRules
