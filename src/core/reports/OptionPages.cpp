#include "reports/OptionPages.h"

#include "engine/Errors.h"
#include "engine/Formats.h"
#include "reports/ReportBounds.h"
#include "reports/ReportPeriod.h"

namespace {
// Both dates, in the options dialog's order of checks.
std::pair<QDate, QDate> ReadDates(const QString &from, const QString &to, const ReportingPeriod &period)
{
    if (const QString problem = OptionsDialogProblem(from, to, period); !problem.isEmpty())
        throw MyException(problem);
    return {Formats::ParseDate(from), Formats::ParseDate(to)};
}
}  // namespace

ChronologicalSelection ReadChronologicalPage(const ChronologicalPage &page, const ReportingPeriod &period)
{
    ChronologicalSelection s;
    std::tie(s.from, s.to) = ReadDates(page.from, page.to, period);
    s.byDocumentDate = page.byDocumentDate;
    s.fromDocument = DocumentBound(page.fromDocument, FromDocumentCaption);
    s.toDocument = DocumentBound(page.toDocument, ToDocumentCaption);
    s.fromAmount = AmountBound(page.fromAmount, FromAmountCaption);
    s.toAmount = AmountBound(page.toAmount, ToAmountCaption);
    s.debitAccount = page.debitAccount;
    s.creditAccount = page.creditAccount;
    s.folder = page.folder;
    s.sort = page.sort;
    return s;
}

AccountExtractOptions ReadAccountExtractPage(const AccountExtractPage &page, const ReportingPeriod &period,
                                             const QString &firmName)
{
    if (page.account <= 0)
        throw MyException(ChooseAccountMessage);
    AccountExtractOptions o;
    std::tie(o.from, o.to) = ReadDates(page.from, page.to, period);
    o.firmName = firmName;
    o.account = page.account;
    o.lots = page.lots;
    o.grouping = page.grouping;
    if (page.grouping != AccountGrouping::Levels) {
        o.fromDocument = DocumentBound(page.fromDocument, FromDocumentCaption);
        o.toDocument = DocumentBound(page.toDocument, ToDocumentCaption);
        o.correspondingAccount = page.correspondingAccount;
        o.folder = page.folder;
    }
    o.turnovers = page.turnovers;
    o.openings = page.openings;
    o.closings = page.closings;
    o.totalsOnly = page.totalsOnly;
    return o;
}

LotExtractOptions ReadLotExtractPage(const LotExtractPage &page, const ReportingPeriod &period,
                                     const QString &firmName)
{
    if (page.level <= 0)
        throw MyException(ChooseLevelMessage);
    if (page.lot <= 0)
        throw MyException(ChooseLotMessage);
    LotExtractOptions o;
    std::tie(o.from, o.to) = ReadDates(page.from, page.to, period);
    o.firmName = firmName;
    o.level = page.level;
    o.lot = page.lot;
    o.grouping = page.grouping;
    return o;
}

AccountExtractPageState AccountExtractPageFor(const std::optional<TAccountStr> &account, AccountGrouping chosen)
{
    AccountExtractPageState state;
    state.levelsGroupingAllowed = account && account->analyticType == 2;
    state.grouping = chosen == AccountGrouping::Levels && !state.levelsGroupingAllowed ? AccountGrouping::Date : chosen;
    const bool byLevels = state.grouping == AccountGrouping::Levels;
    for (size_t k = 0; k < 5; ++k) {
        state.lotLists[k] = account && account->levels[k] > 0;
        state.levelBoxes[k] = state.lotLists[k] && byLevels;
    }
    state.filtersEnabled = !byLevels;
    return state;
}
