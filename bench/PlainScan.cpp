#include "PlainScan.h"

#include "engine/Db.h"

#include <QElapsedTimer>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
PlainScan Scan(Db &db)
{
    QElapsedTimer t;
    t.start();
    QSqlQuery q = db.exec(u"select sum(An_S_Dt_St), sum(An_S_Kt_St), sum(An_S_Dt_Kol), sum(An_S_Kt_Kol), count(*) "
                          "from an"_s);
    q.next();
    PlainScan result;
    result.debitSum = q.value(0).toDouble();
    result.seconds = t.nsecsElapsed() / 1e9;
    return result;
}
}  // namespace

PlainScan MeasurePlainScan(Db &db)
{
    Scan(db);
    return Scan(db);
}
