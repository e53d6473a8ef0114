#include "posting/Stock.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "firm/Lookups.h"

using namespace Qt::StringLiterals;

namespace {

bool TracksStock(const TAccountStr &a) { return a.measureType == 2 || (a.measureType == 3 && a.balanceType == 1); }

std::optional<ExcludedGroup> Exclusion(const EntryGroup &group)
{
    if (group.isNew)
        return std::nullopt;
    return ExcludedGroup{group.docNo, group.group};
}

QString Number(double v) { return QString::number(v, 'g', 15); }

}  // namespace

namespace Stock {

TAccountValue Balance(Db &db, const EntryGroup &group, const WorkLine &row, const QDate &postingDate,
                      const ReportingPeriod &period)
{
    return GetAccountValue(db, row.account, row.lots, period, period.Date_Ot, postingDate, u"an"_s, Exclusion(group));
}

std::optional<TAccountValue> RowBalance(Db &db, const EntryGroup &group, const WorkLine &row,
                                        const QDate &postingDate, const ReportingPeriod &period)
{
    if (Transaction::anyActive())
        return std::nullopt;
    const TAccountValue v = Balance(db, group, row, postingDate, period);
    if (!v.valid)
        return std::nullopt;
    return v;
}

void CheckAvailability(Db &db, const EntryGroup &group, Grid grid, int rowIndex, const ReportingPeriod &period)
{
    const WorkLine &row = group.rows(grid).at(rowIndex);
    const auto account = FindAccount(db, row.account);
    if (!account || !TracksStock(*account))
        return;
    // A balance that cannot be computed proves nothing about the stock: the check fails with
    // the reason instead of passing.
    const TAccountValue balance = Balance(db, group, row, group.header.postingDate, period);
    if (!balance.valid)
        throw MyException(StockCheckFailure + QString::number(row.account) + u"\r"_s + balance.errorText);
    const double r = balance.closeDtKol;
    const bool debit = IsDebit(grid);
    double q = 0;
    for (Grid g : AllGrids)
        if (IsDebit(g) == debit)
            for (const WorkLine &other : group.rows(g))
                if (other.account == row.account && other.lots == row.lots
                    && (debit ? other.kol < 0 : other.kol > 0))
                    q += other.kol;
    bool short_ = false;
    if (!debit)
        short_ = (r > 0 && row.kol > 0 && q > r) || (r <= 0 && row.kol > 0);
    else
        short_ = (r > 0 && row.kol < 0 && std::abs(q) > r) || (r <= 0 && row.kol < 0);
    if (short_)
        throw MyException(u" Няма налично количество в сметка"_s + QString::number(row.account) + u"\r"_s
                          + u"Осататъка е:"_s + Number(r) + u"Посочено за изписване"_s + Number(q));
}

void CheckReleases(Db &db, const EntryGroup &group, const ReportingPeriod &period)
{
    for (Grid g : AllGrids)
        for (int i = 0; i < group.rows(g).size(); ++i)
            CheckAvailability(db, group, g, i, period);
}

std::optional<double> AverageCost(Db &db, const EntryGroup &group, int rowIndex, const ReportingPeriod &period)
{
    const WorkLine &row = group.rows(Grid::BaseKt).at(rowIndex);
    const auto account = FindAccount(db, row.account);
    if (!account || !TracksStock(*account))
        return std::nullopt;
    const auto balance = RowBalance(db, group, row, group.header.postingDate, period);
    if (!balance)
        return std::nullopt;
    const double q = balance->closeDtKol, v = balance->closeDtSt, k = row.kol;
    if (k <= 0 || q <= 0 || k > q)
        return std::nullopt;
    if (k == q)
        return RoundAmount(v);
    const double amount = k * (v / q);
    return std::isfinite(amount) ? RoundAmount(amount) : 0.0;
}

bool PriceBlankRelease(Db &db, EntryGroup &group, Grid grid, int rowIndex, const ReportingPeriod &period)
{
    if (grid != Grid::BaseKt || rowIndex < 0 || rowIndex >= group.rows(grid).size()
        || group.rows(grid).at(rowIndex).st != 0)
        return false;
    const auto cost = AverageCost(db, group, rowIndex, period);
    if (!cost)
        return false;
    group.rows(grid)[rowIndex].st = *cost;
    return true;
}

bool NeedsAverageCostWarning(const EntryGroup &group)
{
    for (const WorkLine &row : group.rows(Grid::BaseKt))
        if (row.kol > 0)
            return true;
    return false;
}

QString BalanceHint(Db &db, const EntryGroup &group, const WorkLine &row, const QString &dateText,
                    const ReportingPeriod &period)
{
    if (row.account == 0)
        return u"Изберете сметка!"_s;
    QDate date = Formats::ParseDate(dateText);
    if (!date.isValid())
        date = period.Date_Do;
    const auto balance = RowBalance(db, group, row, date, period);
    if (!balance)
        return {};
    const TAccountStr &a = balance->account;
    QString text = u"Сметка: "_s + QString::number(a.number) + u" "_s + a.name + u"\r"_s + u"Партида:"_s;
    for (int k = 0; k < 5; ++k)
        text += LotName(db, a.levels[k], row.lots[k]) + u","_s;
    text += u"\r"_s + u"От: "_s + Formats::Date(period.Date_Ot) + u" до: "_s + Formats::Date(date) + u"\r"_s + u"\r"_s;
    auto qty = [](double x) { return QString::number(x, 'f', 4); };
    auto val = [](double x) { return QString::number(x, 'f', 2); };
    const TAccountValue &b = *balance;
    if (a.measureType == 2 || a.measureType == 3) {
        auto price = [&](double value, double quantity) { return quantity != 0 ? val(value / quantity) : val(0); };
        text += u"НСДт: Кол:"_s + qty(b.openDtKol) + u" Ст:"_s + val(b.openDtSt) + u"\r"_s;
        text += u"НСКт: Кол:"_s + qty(b.openKtKol) + u" Ст:"_s + val(b.openKtSt) + u"\r"_s + u"\r"_s;
        text += u"ОБДт: Кол:"_s + qty(b.turnDtKol) + u" Ст:"_s + val(b.turnDtSt) + u"\r"_s;
        text += u"ОБКт: Кол:"_s + qty(b.turnKtKol) + u" Ст:"_s + val(b.turnKtSt) + u"\r"_s + u"\r"_s;
        text += u"КСДт: Кол:"_s + qty(b.closeDtKol) + u" Ст:"_s + val(b.closeDtSt) + u" Ед.Цена:"_s
                + price(b.closeDtSt, b.closeDtKol) + u"\r"_s;
        text += u"КСКт: Кол:"_s + qty(b.closeKtKol) + u" Ст:"_s + val(b.closeKtSt) + u" Ед.Цена:"_s
                + price(b.closeKtSt, b.closeKtKol);
    } else {
        text += u"НСДт: "_s + val(b.openDtSt) + u"\r"_s + u"НСКт: "_s + val(b.openKtSt) + u"\r"_s + u"\r"_s;
        text += u"ОБДт: "_s + val(b.turnDtSt) + u"\r"_s + u"ОБКт: "_s + val(b.turnKtSt) + u"\r"_s + u"\r"_s;
        text += u"КСДт: "_s + val(b.closeDtSt) + u"\r"_s + u"КСКт: "_s + val(b.closeKtSt);
    }
    return text;
}

}  // namespace Stock
