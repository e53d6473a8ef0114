#include "accounts/ChartStore.h"

#include "data/Db.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
const QString Fields =
    u"S_UNo, S_An1, S_An2, S_An3, S_An4, S_An5, S_Name, S_Act_Pas_Type, S_Kol_Val_Type, S_An_Sint_Type"_s;

SRow Read(const QSqlQuery &q)
{
    SRow r;
    r.S_UNo = q.value(0).toInt();
    for (int i = 0; i < 5; ++i)
        r.S_An[i] = q.value(1 + i).toInt();
    r.S_Name = q.value(6).toString();
    r.S_Act_Pas_Type = q.value(7).toInt();
    r.S_Kol_Val_Type = q.value(8).toInt();
    r.S_An_Sint_Type = q.value(9).toInt();
    return r;
}
}  // namespace

namespace ChartStore {

void Insert(Db &db, const SRow &r)
{
    db.exec(u"insert into s ("_s + Fields + u") values (?,?,?,?,?,?,?,?,?,?)"_s,
            {r.S_UNo, r.S_An[0], r.S_An[1], r.S_An[2], r.S_An[3], r.S_An[4], r.S_Name, r.S_Act_Pas_Type,
             r.S_Kol_Val_Type, r.S_An_Sint_Type});
}

std::optional<SRow> Find(Db &db, int sUNo)
{
    QSqlQuery q = db.exec(u"select "_s + Fields + u" from s where S_UNo = ?"_s, {sUNo});
    if (q.next())
        return Read(q);
    return std::nullopt;
}

QList<SRow> All(Db &db)
{
    QList<SRow> rows;
    QSqlQuery q = db.exec(u"select "_s + Fields + u" from s order by S_UNo"_s);
    while (q.next())
        rows << Read(q);
    return rows;
}

void SetLevels(Db &db, int sUNo, const std::array<int, 5> &levels)
{
    const bool analytic = levels[0] != 0;
    db.exec(u"update s set S_An1 = ?, S_An2 = ?, S_An3 = ?, S_An4 = ?, S_An5 = ?, S_An_Sint_Type = ? "
            "where S_UNo = ?"_s,
            {levels[0], levels[1], levels[2], levels[3], levels[4], analytic ? 2 : 1, sUNo});
}

}  // namespace ChartStore
