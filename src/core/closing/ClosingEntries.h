#pragma once
// The closing entries of a year: one document dated the year's last day, in a folder of its own
// ("Приключване"), that brings every analytic key of the income and expense classes (6 and 7 of
// the national chart) to zero against the current-year result account 123. The accounts left
// open (work in progress and assets under construction) are carried instead. A key on its usual
// side closes with a plain entry (Дт 123 Кт 6xx, Дт 7xx Кт 123); a key on the unusual side with a
// red reversal on the same sides (a negative amount), so the expense debit turnovers and the
// income credit turnovers the statements read stay what the year booked.
#include "firm/AccountTotals.h"

#include <QList>
#include <QString>

class Db;
class TDM;
class TFD;

inline const QString ClosingFolderName = QStringLiteral("Приключване");
inline constexpr int ResultAccount = 123;
inline const QList<int> DefaultLeftOpen = {611, 612, 613};

// One key's closing: the amount and quantity posted on the key's closing side (credit for an
// expense key, debit for an income key); negative for a red reversal.
struct ClosingLine {
    int account = 0;
    LotKey lots{};
    double amount = 0;
    double quantity = 0;
};

struct ClosingPlan {
    QList<ClosingLine> expenses;  // Дт 123 Кт key
    QList<ClosingLine> income;    // Дт key Кт 123
    bool isEmpty() const { return expenses.isEmpty() && income.isEmpty(); }
};

// An account of class 6 or 7: its number starts with 6 or 7.
bool ClosesAgainstResult(int account);
// An account of the list, or a sub-account of one of them (6111 under 611).
bool LeftOpen(int account, const QList<int> &leftOpen);

// What closes every key of classes 6 and 7 not left open, from the books as they stand.
ClosingPlan PlanClosingEntries(Db &db, const QList<int> &leftOpen);

// Posts the plan as a new document of the closing folder, dated the period's last day, inside the
// caller's write transaction on `dm`'s firm: an expense group and an income group, each with its
// work lines, so the document opens in the documents window like any other. Returns its number.
int PostClosingEntries(TFD &fd, TDM &dm, const ClosingPlan &plan);
