#pragma once
// Closing a year, in its steps:
//   1. the closing entries in the old year (ClosingEntries.h): classes 6 and 7 against 123;
//   2. the closing balance of every account and analytic key of the closed books;
//   3. the result on 123 brought forward to 121/122, when asked (CarriedBalances.h);
//   4. carrying them as the opening balances of the next year's firm, made with the chart,
//      levels, lots, counterparties, folders, templates, statement settings and firm data of the
//      closed one; or, closing again, refreshing the balances it carried there before.
// One transaction per firm file: the old year's closing document is replaced whole, the next
// year's opening balances are written whole.
#include "accounts/OpeningBalances.h"
#include "closing/ClosingEntries.h"
#include "registry/FirmFactory.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

class Db;
class TFD;

struct ClosingOptions {
    QList<int> leftOpen = DefaultLeftOpen;
    bool resultBroughtForward = true;  // 123 opens the next year on 121/122
    bool replace = false;              // a repeat closing replaces the earlier one
};

// The closing a year already had: its document and its identity.
struct PreviousClosing {
    int docNo = 0;
    QString id;
    QDate date;
};
std::optional<PreviousClosing> ClosedBefore(Db &firm);

struct ClosingOutcome {
    int nextFirmId = 0;
    int closingDocNo = 0;  // 0 when no key of classes 6 and 7 had a balance
    bool repeated = false;
    QStringList notes;     // what the accountant should know, one paragraph each
};

inline const QString ClosedBeforeMessage = QStringLiteral("Годината вече е приключена");

// The closing balance of every account and analytic key over the whole reporting period, by the
// account's balance type; keys that close at zero in value and quantity are left out.
QList<SnsRow> ClosingBalances(Db &firm);

// The text of an opening-balance difference, or empty when debits equal credits.
QString OpeningDifference(const OpeningTotals &totals, int year);

// Closes the year of firm `firmId`. A year closed before needs options.replace (else MyException
// starting with ClosedBeforeMessage). When the year's own opening balances do not balance, it says
// so with the difference (Messages::show) and carries the books as they are.
ClosingOutcome CloseYear(TFD &fd, int firmId, const ClosingOptions &options = {});

// The question asked before a repeat closing.
QString RepeatClosingQuestion(const PreviousClosing &previous, int year);

// The account numbers of a list typed as "611, 612 613"; nothing for a text that is not such a
// list.
std::optional<QList<int>> ParseAccountList(const QString &text);

// Makes a firm as CreateFirm does; with carryBalances the source firm's closing balances become
// its opening balances, which needs the source's accounts and lots.
int CreateFirmFrom(TFD &fd, NewFirmRequest request, bool carryBalances);
