#pragma once
// Closing a year, in its steps:
//   1. the closing entries in the old year (ClosingEntries.h): classes 6 and 7 against 123;
//   2. the closing balance of every account and analytic key of the closed books;
//   3. the result on 123 brought forward to 121/122, when asked (CarriedBalances.h);
//   4. carrying them as the opening balances of the next year's firm, made with the chart,
//      levels, lots, counterparties, folders, templates, statement settings and firm data of the
//      closed one; or, closing again, refreshing the balances it carried there before. From the
//      last leva year into the first euro year they are converted (EuroConversion.h) and the
//      conversion list is kept in the next year's firm;
//   5. the closed year's statement figures as the next year's previous-year rows (PreviousYear.h).
// One transaction per firm file: the old year's closing document is replaced whole, the next
// year's opening balances are written whole.
#include "accounts/OpeningBalances.h"
#include "closing/ClosingEntries.h"
#include "closing/EuroConversion.h"
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
    // Into the first euro year: the account the rounding difference opens on, and the accounts
    // owed to staff beside 421 (the firm's marks when not given; given ones become its marks).
    int differenceAccount = DefaultDifferenceAccount;
    std::optional<QList<int>> staffAccounts = std::nullopt;
    // Opening balances that do not balance are named and asked about; without, only named.
    bool confirmImbalance = true;
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
    bool cancelled = false;  // the accountant did not go on past unbalanced opening balances
    QStringList notes;     // what the accountant should know, one paragraph each
    std::optional<CurrencyConversion> conversion;  // into the first euro year
};

inline const QString ClosedBeforeMessage = QStringLiteral("Годината вече е приключена");

// The closing balance of every account and analytic key over the whole reporting period, by the
// account's balance type; keys that close at zero in value and quantity are left out.
QList<SnsRow> ClosingBalances(Db &firm);

// The text of an opening-balance difference, or empty when debits equal credits; for the last
// leva year it also names the difference in euro that the conversion carries.
QString OpeningDifference(const OpeningTotals &totals, int year);
inline const QString ProceedQuestion = QStringLiteral("Желаете ли да продължите?");

// Closes the year of firm `firmId`. A year closed before needs options.replace (else MyException
// starting with ClosedBeforeMessage). When the year's own opening balances do not balance, it says
// so with the difference and asks whether to go on (options.confirmImbalance; otherwise it only
// says so), and carries the books as they are.
ClosingOutcome CloseYear(TFD &fd, int firmId, const ClosingOptions &options = {});

// The question asked before a repeat closing.
QString RepeatClosingQuestion(const PreviousClosing &previous, int year);

// The account numbers of a list typed as "611, 612 613"; nothing for a text that is not such a
// list.
std::optional<QList<int>> ParseAccountList(const QString &text);

// Makes a firm as CreateFirm does; with carryBalances the source firm's closing balances become
// its opening balances, which needs the source's accounts and lots. From a leva year into a euro
// year they are converted as the year closing converts them, with the same list kept in the new
// firm; into the year after the source's, the source's statement figures become its
// previous-year rows.
int CreateFirmFrom(TFD &fd, NewFirmRequest request, bool carryBalances);

// The next year's firm a closing of firm `firmId` made, if it closed and that firm is registered.
std::optional<FirmRecord> ClosedInto(TFD &fd, int firmId);

// The conversion list kept in a registered firm (empty when its balances were not converted).
StoredConversion FirmConversion(TFD &fd, int firmId);
