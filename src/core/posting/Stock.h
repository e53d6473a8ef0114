#pragma once
// Stock rules of the journal entry wizard: a release must find its quantity in the account and
// lot at the posting date, a release is priced at weighted-average cost, and the balance hint.
// While an existing group is edited, its own postings are left out of every balance.
#include "posting/EntryGroup.h"

#include <optional>

class Db;

inline const QString AverageCostWarningText = QStringLiteral(
    "Въведени са операции по кредита на количествени/валутни сметки!\rСледва да имате предвид, че изчисляването "
    "на средо претеглената цена/себестойност\rсе извършва към датата на осчетоводяване на счетоводните статии. "
    "Промяната на\rтази дата води до промяна на съответната средо претеглена цена/себестойност.\rАко желаете да "
    "бъде извършено изчисление към новата дата позоционирайте курсора\rв клетката за въвеждане на \"снойност за "
    "операцията\" и натиснете клавиша \"SPACE\"!");

inline const QString StockCheckFailure =
    QStringLiteral("Наличността не може да бъде проверена за сметка ");

namespace Stock {

// The balance of the row's account and lots from the period's start to `postingDate`; nothing
// while another transaction is active.
std::optional<TAccountValue> RowBalance(Db &db, const EntryGroup &group, const WorkLine &row,
                                        const QDate &postingDate, const ReportingPeriod &period);

// Throws MyException with the shortage message when the row releases more than is there, and
// with the reason when the balance cannot be computed (a date outside the period, a failed read).
// Runs inside a transaction too: the save checks every row again in its own.
void CheckAvailability(Db &db, const EntryGroup &group, Grid grid, int rowIndex, const ReportingPeriod &period);
// The check of every row of the group, in grid order; the first shortage is thrown.
void CheckReleases(Db &db, const EntryGroup &group, const ReportingPeriod &period);

// The average-cost amount of a base credit row, or nothing when the row is left alone.
std::optional<double> AverageCost(Db &db, const EntryGroup &group, int rowIndex, const ReportingPeriod &period);

// A base credit row whose amount is 0 takes the average cost of its quantity; answers whether
// the amount was set.
bool PriceBlankRelease(Db &db, EntryGroup &group, Grid grid, int rowIndex, const ReportingPeriod &period);

// True when a base credit row has a quantity, so a change of the posting date may change prices.
bool NeedsAverageCostWarning(const EntryGroup &group);

// The floating hint of a row; `dateText` is the date box's text.
QString BalanceHint(Db &db, const EntryGroup &group, const WorkLine &row, const QString &dateText,
                    const ReportingPeriod &period);

}  // namespace Stock
