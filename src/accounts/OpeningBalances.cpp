#include "accounts/OpeningBalances.h"

#include "data/Db.h"
#include "data/Rounding.h"

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

OpeningTotals Totals(Db &db)
{
    QSqlQuery q = db.exec(u"select coalesce(sum(Sn_St_Dt), 0), coalesce(sum(Sn_St_Kt), 0) from Sns"_s);
    q.next();
    return {RoundAmount(q.value(0).toDouble()), RoundAmount(q.value(1).toDouble())};
}

}  // namespace OpeningBalances
