#include "closing/CarriedBalances.h"

#include "closing/ClosingEntries.h"
#include "engine/Db.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"

#include <QSqlQuery>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Key = std::pair<int, std::array<int, 5>>;
Key KeyOf(const SnsRow &row) { return {row.Sn_UNo, row.Sn_An}; }

bool SameFigures(const SnsRow &a, const SnsRow &b)
{
    const SnsRow x = OpeningBalances::Rounded(a), y = OpeningBalances::Rounded(b);
    return x.Sn_Kol_Dt == y.Sn_Kol_Dt && x.Sn_St_Dt == y.Sn_St_Dt && x.Sn_Kol_Kt == y.Sn_Kol_Kt
           && x.Sn_St_Kt == y.Sn_St_Kt;
}

bool Same(const std::optional<SnsRow> &a, const std::optional<SnsRow> &b)
{
    if (!a || !b)
        return !a && !b;
    return SameFigures(*a, *b);
}

std::map<Key, SnsRow> ReadRows(Db &db, const QString &table)
{
    std::map<Key, SnsRow> rows;
    QSqlQuery q = db.exec(u"select Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, Sn_Kol_Dt, Sn_St_Dt, Sn_Kol_Kt, "
                          "Sn_St_Kt from "_s
                          + table);
    while (q.next()) {
        SnsRow row{q.value(0).toInt(),
                   {q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(), q.value(5).toInt()},
                   q.value(6).toDouble(), q.value(7).toDouble(), q.value(8).toDouble(), q.value(9).toDouble()};
        rows[KeyOf(row)] = row;
    }
    return rows;
}

std::optional<SnsRow> Lookup(const std::map<Key, SnsRow> &rows, const Key &key)
{
    const auto it = rows.find(key);
    return it == rows.end() ? std::nullopt : std::optional<SnsRow>(it->second);
}

void RecordCarried(Db &next, const QList<SnsRow> &rows)
{
    next.exec(u"delete from SnsCarried"_s);
    for (const SnsRow &r : rows) {
        const SnsRow row = OpeningBalances::Rounded(r);
        next.exec(u"insert into SnsCarried (Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, Sn_Kol_Dt, Sn_St_Dt, "
                  "Sn_Kol_Kt, Sn_St_Kt) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  {row.Sn_UNo, row.Sn_An[0], row.Sn_An[1], row.Sn_An[2], row.Sn_An[3], row.Sn_An[4], row.Sn_Kol_Dt,
                   row.Sn_St_Dt, row.Sn_Kol_Kt, row.Sn_St_Kt});
    }
}

}  // namespace

QList<SnsRow> ResultBroughtForward(QList<SnsRow> rows)
{
    double result = 0;
    for (qsizetype i = rows.size() - 1; i >= 0; --i)
        if (rows[i].Sn_UNo == ResultAccount) {
            result += rows[i].Sn_St_Dt - rows[i].Sn_St_Kt;
            rows.removeAt(i);
        }
    result = RoundAmount(result);
    if (result == 0)
        return rows;
    const int target = result > 0 ? LossBroughtForward : ProfitBroughtForward;
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const SnsRow &r) { return r.Sn_UNo == target && r.Sn_An == std::array<int, 5>{}; });
    if (it == rows.end()) {
        rows.append({target, {}, 0, 0, 0, 0});
        it = rows.end() - 1;
    }
    (result > 0 ? it->Sn_St_Dt : it->Sn_St_Kt) += std::abs(result);
    // One side only, as a balance is kept.
    const double net = RoundAmount(it->Sn_St_Dt - it->Sn_St_Kt);
    it->Sn_St_Dt = net > 0 ? net : 0;
    it->Sn_St_Kt = net < 0 ? -net : 0;
    if (it->Sn_St_Dt == 0 && it->Sn_St_Kt == 0 && it->Sn_Kol_Dt == 0 && it->Sn_Kol_Kt == 0)
        rows.erase(it);
    return rows;
}

OpeningTotals TotalsOf(const QList<SnsRow> &rows)
{
    OpeningTotals totals;
    for (const SnsRow &row : rows) {
        totals.debit += row.Sn_St_Dt;
        totals.credit += row.Sn_St_Kt;
    }
    totals.debit = RoundAmount(totals.debit);
    totals.credit = RoundAmount(totals.credit);
    return totals;
}

void WriteCarried(Db &next, const QList<SnsRow> &rows, const QString &closingId, const QString &sourceName,
                  int sourceYear)
{
    for (const SnsRow &row : rows)
        OpeningBalances::Insert(next, row);
    RecordCarried(next, rows);
    next.exec(u"delete from CarriedFrom"_s);
    next.exec(u"insert into CarriedFrom (Closing_Id, Source_Name, Source_Year) values (?, ?, ?)"_s,
              {closingId, sourceName, sourceYear});
}

QString CarriedFromClosing(Db &next)
{
    QVariant id;
    if (!next.tableExists(u"CarriedFrom"_s) || !next.tryScalar(u"select Closing_Id from CarriedFrom"_s, {}, id))
        return {};
    return id.toString();
}

RefreshOutcome RefreshCarried(Db &next, const QList<SnsRow> &rows)
{
    const std::map<Key, SnsRow> current = ReadRows(next, u"Sns"_s), before = ReadRows(next, u"SnsCarried"_s);
    std::map<Key, SnsRow> now;
    for (const SnsRow &row : rows)
        now[KeyOf(row)] = OpeningBalances::Rounded(row);
    std::map<Key, bool> keys;
    for (const auto &[key, row] : before)
        keys[key] = true;
    for (const auto &[key, row] : now)
        keys[key] = true;

    RefreshOutcome outcome;
    for (const auto &[key, unused] : keys) {
        const auto cur = Lookup(current, key), prev = Lookup(before, key), fresh = Lookup(now, key);
        if (Same(cur, fresh))
            continue;
        if (!Same(cur, prev)) {  // changed by hand since it was carried: the accountant's stays
            outcome.keptByHand << (cur ? DescribeBalance(*cur)
                                       : DescribeBalance({key.first, key.second, 0, 0, 0, 0}) + u" (изтрито)"_s);
            continue;
        }
        if (cur)
            OpeningBalances::Delete(next, *cur);
        if (fresh)
            OpeningBalances::Insert(next, *fresh);
        ++outcome.changed;
    }
    RecordCarried(next, rows);
    return outcome;
}

QString DescribeBalance(const SnsRow &row)
{
    QStringList key{QString::number(row.Sn_UNo)};
    for (int lot : row.Sn_An)
        key << QString::number(lot);
    return key.join(u" / "_s) + u": Дт "_s + Formats::Quantity(row.Sn_Kol_Dt) + u' ' + Formats::Amount(row.Sn_St_Dt)
           + u", Кт "_s + Formats::Quantity(row.Sn_Kol_Kt) + u' ' + Formats::Amount(row.Sn_St_Kt);
}
