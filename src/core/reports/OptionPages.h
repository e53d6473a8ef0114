#pragma once
// What the report options dialog decides for the chronological ledger and the two extracts,
// without the dialog: each page read into the options of its report (the first problem is
// thrown as MyException with its message, and the page keeps what was typed), and which
// controls of the account-extract page an account and a grouping leave open.
#include "reports/AccountExtract.h"
#include "reports/ChronologicalLedger.h"
#include "reports/LotExtract.h"
#include "reports/ReportPeriod.h"

#include <optional>

inline const QString ChooseAccountMessage = QStringLiteral("Посочете сметка!");
inline const QString ChooseLevelMessage = QStringLiteral("Посочете аналитично ниво!");
inline const QString ChooseLotMessage = QStringLiteral("Посочете партида!");

// The captions of the boxes a bound is typed into, as the messages name them.
inline const QString FromDocumentCaption = QStringLiteral("От документ:");
inline const QString ToDocumentCaption = QStringLiteral("До документ:");
inline const QString FromAmountCaption = QStringLiteral("От сума:");
inline const QString ToAmountCaption = QStringLiteral("До сума:");

struct ChronologicalPage {
    QString from, to;
    bool byDocumentDate = false;
    QString fromDocument, toDocument, fromAmount, toAmount;
    int debitAccount = 0, creditAccount = 0, folder = 0;
    ChronologicalSort sort = ChronologicalSort::DateAndNumber;
};
// The dates first (as the options dialog checks them), then the bounds in page order.
ChronologicalSelection ReadChronologicalPage(const ChronologicalPage &page, const ReportingPeriod &period);

struct AccountExtractPage {
    QString from, to;
    int account = 0;  // 0: none chosen
    LotKey lots{};
    AccountGrouping grouping = AccountGrouping::Date;
    QString fromDocument, toDocument;
    int correspondingAccount = 0, folder = 0;
    std::array<bool, 5> turnovers{true, true, true, true, true}, openings{}, closings{};
    bool totalsOnly = false;
};
// The account ("Посочете сметка!"), the dates, then the document bounds — these, the
// corresponding account and the folder only when the grouping is not by analytic levels.
AccountExtractOptions ReadAccountExtractPage(const AccountExtractPage &page, const ReportingPeriod &period,
                                             const QString &firmName);

struct LotExtractPage {
    QString from, to;
    int level = 0, lot = 0;  // 0: none chosen
    LotGrouping grouping = LotGrouping::Date;
};
// The level ("Посочете аналитично ниво!"), the lot ("Посочете партида!"), then the dates.
LotExtractOptions ReadLotExtractPage(const LotExtractPage &page, const ReportingPeriod &period,
                                     const QString &firmName);

// The account-extract page after its account or grouping changed.
struct AccountExtractPageState {
    std::array<bool, 5> lotLists{};       // a lot list for each level the account has
    bool levelsGroupingAllowed = false;   // "аналитични нива" only for an analytic account
    AccountGrouping grouping = AccountGrouping::Date;  // by levels falls back to the posting date
    std::array<bool, 5> levelBoxes{};     // "ГР", "НС", "КС" of level k, grouped by levels only
    bool filtersEnabled = true;           // document bounds, corresponding account, folder
};
AccountExtractPageState AccountExtractPageFor(const std::optional<TAccountStr> &account, AccountGrouping chosen);
