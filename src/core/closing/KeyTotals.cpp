#include "closing/KeyTotals.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

void AddSums(Db &db, const QString &sql, const QVariantList &binds, std::map<AccountKey, TAccountValue> &byKey,
             bool opening)
{
    QSqlQuery q = db.exec(sql, binds);
    while (q.next()) {
        const AccountKey key{q.value(0).toInt(), {q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                                                  q.value(4).toInt(), q.value(5).toInt()}};
        TAccountValue &v = byKey[key];
        const double kolDt = RoundQuantity(q.value(6).toDouble()), stDt = RoundAmount(q.value(7).toDouble());
        const double kolKt = RoundQuantity(q.value(8).toDouble()), stKt = RoundAmount(q.value(9).toDouble());
        if (opening) {
            v.openDtKol = kolDt, v.openDtSt = stDt, v.openKtKol = kolKt, v.openKtSt = stKt;
        } else {
            v.turnDtKol = kolDt, v.turnDtSt = stDt, v.turnKtKol = kolKt, v.turnKtSt = stKt;
        }
    }
}

}  // namespace

std::map<AccountKey, TAccountValue> KeyTotals(Db &db)
{
    const ReportingPeriod period = ReadPeriod(db);
    std::map<AccountKey, TAccountValue> byKey;
    AddSums(db,
            u"select Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5, sum(Sn_Kol_Dt), sum(Sn_St_Dt), sum(Sn_Kol_Kt), "
            "sum(Sn_St_Kt) from Sns group by Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5"_s,
            {}, byKey, true);
    AddSums(db,
            u"select An_S_No, An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5, sum(An_S_Dt_Kol), sum(An_S_Dt_St), "
            "sum(An_S_Kt_Kol), sum(An_S_Kt_St) from an where An_Date between ? and ? "
            "group by An_S_No, An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5"_s,
            {Formats::SqlDate(period.Date_Ot), Formats::SqlDate(period.Date_Do)}, byKey, false);
    return byKey;
}

double SignedValue(const TAccountValue &v)
{
    return RoundAmount(v.openDtSt + v.turnDtSt - v.openKtSt - v.turnKtSt);
}

double SignedQuantity(const TAccountValue &v)
{
    return RoundQuantity(v.openDtKol + v.turnDtKol - v.openKtKol - v.turnKtKol);
}
