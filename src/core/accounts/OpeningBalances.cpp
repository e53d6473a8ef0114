#include "accounts/OpeningBalances.h"

#include "engine/Db.h"
#include "engine/Rounding.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace OpeningBalances {

SnsRow Rounded(SnsRow r)
{
    r.Sn_Kol_Dt = RoundQuantity(r.Sn_Kol_Dt);
    r.Sn_Kol_Kt = RoundQuantity(r.Sn_Kol_Kt);
    r.Sn_St_Dt = RoundAmount(r.Sn_St_Dt);
    r.Sn_St_Kt = RoundAmount(r.Sn_St_Kt);
    return r;
}

void Insert(Db &db, const SnsRow &row)
{
    const SnsRow r = Rounded(row);
    db.exec(u"insert into Sns (Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, Sn_Kol_Dt, Sn_St_Dt, Sn_Kol_Kt, "
            "Sn_St_Kt) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
            {r.Sn_UNo, r.Sn_An[0], r.Sn_An[1], r.Sn_An[2], r.Sn_An[3], r.Sn_An[4], r.Sn_Kol_Dt, r.Sn_St_Dt,
             r.Sn_Kol_Kt, r.Sn_St_Kt});
}

bool Update(Db &db, const SnsRow &original, const SnsRow &row)
{
    const SnsRow r = Rounded(row);
    const SnsRow &k = original;
    const QSqlQuery changed = db.exec(u"update Sns set Sn_UNo = ?, Sn_An1 = ?, Sn_An2 = ?, Sn_An3 = ?, Sn_An4 = ?, Sn_An5 = ?, Sn_Kol_Dt = ?, "
            "Sn_St_Dt = ?, Sn_Kol_Kt = ?, Sn_St_Kt = ? where Sn_UNo = ? and Sn_An1 = ? and Sn_An2 = ? "
            "and Sn_An3 = ? and Sn_An4 = ? and Sn_An5 = ?"_s,
            {r.Sn_UNo, r.Sn_An[0], r.Sn_An[1], r.Sn_An[2], r.Sn_An[3], r.Sn_An[4], r.Sn_Kol_Dt, r.Sn_St_Dt,
             r.Sn_Kol_Kt, r.Sn_St_Kt, k.Sn_UNo, k.Sn_An[0], k.Sn_An[1], k.Sn_An[2], k.Sn_An[3], k.Sn_An[4]});
    return changed.numRowsAffected() > 0;
}

QList<SnsRow> RowsOf(Db &db, int account)
{
    QList<SnsRow> rows;
    QSqlQuery q = db.exec(u"select Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, Sn_Kol_Dt, Sn_St_Dt, Sn_Kol_Kt, "
                          "Sn_St_Kt from Sns where Sn_UNo = ? order by Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5"_s,
                          {account});
    while (q.next())
        rows << SnsRow{q.value(0).toInt(),
                       {q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(),
                        q.value(5).toInt()},
                       q.value(6).toDouble(),
                       q.value(7).toDouble(),
                       q.value(8).toDouble(),
                       q.value(9).toDouble()};
    return rows;
}

SnsSums SumsOf(Db &db, int account)
{
    QSqlQuery q = db.exec(u"SELECT SUM( Sn_Kol_Dt ), SUM( Sn_St_Dt ), SUM( Sn_Kol_Kt ), SUM( Sn_St_Kt ) "
                          "FROM Sns WHERE Sn_UNo = ?"_s,
                          {account});
    q.next();
    return {q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble()};
}

void Delete(Db &db, const SnsRow &k)
{
    db.exec(u"delete from Sns where Sn_UNo = ? and Sn_An1 = ? and Sn_An2 = ? and Sn_An3 = ? and Sn_An4 = ? "
            "and Sn_An5 = ?"_s,
            {k.Sn_UNo, k.Sn_An[0], k.Sn_An[1], k.Sn_An[2], k.Sn_An[3], k.Sn_An[4]});
}

bool CanAdd(Db &db, int account)
{
    const int kind = db.scalar(u"select S_An_Sint_Type from s where S_UNo = ?"_s, {account}).toInt();
    if (kind == 2)
        return true;
    return db.scalar(u"select count(*) from Sns where Sn_UNo = ?"_s, {account}).toInt() == 0;
}

}  // namespace OpeningBalances

double OpeningTotals::difference() const { return RoundAmount(debit - credit); }

namespace OpeningBalances {

OpeningTotals Totals(Db &db)
{
    QSqlQuery q = db.exec(u"select coalesce(sum(Sn_St_Dt), 0), coalesce(sum(Sn_St_Kt), 0) from Sns"_s);
    q.next();
    return {RoundAmount(q.value(0).toDouble()), RoundAmount(q.value(1).toDouble())};
}

}  // namespace OpeningBalances
