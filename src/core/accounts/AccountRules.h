#pragma once
// The account editor's rules, usable without a window: what each of its three pages accepts,
// which fields an account in use keeps, and how the five analytic levels stay contiguous from
// position 1 (a synthetic account has none).
#include "accounts/ChartStore.h"

#include <QString>
#include <array>
#include <optional>

class Db;

namespace AccountRules {

inline const QString NumberMissingMessage = QStringLiteral("Въведете номер на сметка!");
inline const QString NameMissingMessage = QStringLiteral("Въведете име на сметка!");
inline const QString LevelMissingMessage = QStringLiteral("Изберете аналитично ниво!");
inline const QString AccountInUseMessage =
    QStringLiteral("Сметката вече се използва: номерът, видът и аналитичните нива не могат да се променят!");
inline const QString AddReminder = QStringLiteral(
    "Внимание! При добавяне на нова сметка, тябва да\rпосочете съответните пера по, които сметката се "
    "отразва\rв Годишните счетоводни отчети!");
// "Сметка: <number as typed> е вече въведена"
QString DuplicateMessage(const QString &typedNumber);

inline constexpr int Synthetic = 1;
inline constexpr int Analytic = 2;

enum Page { NamePage = 1, TypePage = 2, AnalyticsPage = 3 };
enum class Focus { None, Number, Name, Level1 };

struct Problem {
    QString message;
    int page = 0;
    Focus focus = Focus::None;
    bool failed() const { return !message.isEmpty(); }
};

// What the editor holds while it is open: the number as typed and the button choices.
struct AccountDraft {
    QString numberText;
    QString name;
    int balanceType = 1;  // S_Act_Pas_Type
    int measureType = 1;  // S_Kol_Val_Type
    int kind = Synthetic; // S_An_Sint_Type
    std::array<int, 5> levels{};
};

// The defaults of a new record: active, value, synthetic, no levels.
AccountDraft NewDraft();
// A code outside its range leaves the default choice, as an unselectable button would.
AccountDraft DraftOf(const SRow &row);

// An integer other than 0, or nothing.
std::optional<int> ParseNumber(const QString &text);
// Trims characters below code 33 at both ends.
QString TrimmedName(const QString &name);

Problem CheckNamePage(Db &db, const AccountDraft &draft, int rememberedNumber);
Problem CheckAnalyticsPage(const AccountDraft &draft);
// The check made when leaving `page`; the type page accepts anything.
Problem CheckPage(Db &db, const AccountDraft &draft, int rememberedNumber, int page);

// An account in use keeps its number, measure, kind and levels; name and characteristic stay
// editable.
struct FieldLocks {
    bool inUse = false;
    bool number() const { return inUse; }
    bool measure() const { return inUse; }
    bool kind() const { return inUse; }
    bool levels() const { return inUse; }
};
FieldLocks LocksOf(Db &db, std::optional<int> account);

// Synthetic empties all five levels; analytic only opens them for choosing.
void ChooseKind(AccountDraft &draft, int kind);
// Sets level `position` (1..5) to `level` (0 = emptied). A level after an empty one does not
// take; emptying a level empties every later one, and with nothing left the account turns
// synthetic.
void ChooseLevel(AccountDraft &draft, int position, int level);

struct SaveResult {
    Problem problem;
    int number = 0;  // the saved account's number
};
// Checks every page and writes the account at once: a new row when `original` is empty, else the
// row that had that number. An account in use keeps its locked fields whatever the draft says.
SaveResult Save(Db &db, std::optional<int> original, const AccountDraft &draft);

// The record-lock address of an account.
inline const QString LockTable = QStringLiteral("s");
QString LockKey(int account);

}  // namespace AccountRules
