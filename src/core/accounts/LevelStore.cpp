#include "accounts/LevelStore.h"

#include "engine/Db.h"
#include "firm/Lookups.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace LevelStore {

QList<NomRow> Levels(Db &db)
{
    QList<NomRow> rows;
    QSqlQuery q = db.exec(u"select Nom_No, Nom_Name, Nom_Type from nom order by Nom_Name, Nom_No"_s);
    while (q.next())
        rows << NomRow{q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt()};
    return rows;
}

std::optional<NomRow> Level(Db &db, int nomNo)
{
    QSqlQuery q = db.exec(u"select Nom_No, Nom_Name, Nom_Type from nom where Nom_No = ?"_s, {nomNo});
    if (q.next())
        return NomRow{q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt()};
    return std::nullopt;
}

QList<NomRow> LevelsOfType(Db &db, int type)
{
    QList<NomRow> rows;
    QSqlQuery q =
        db.exec(u"select Nom_No, Nom_Name, Nom_Type from nom where Nom_Type = ? order by Nom_Name, Nom_No"_s, {type});
    while (q.next())
        rows << NomRow{q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt()};
    return rows;
}

std::optional<NomElRow> Lot(Db &db, int nomNo, int nomElNo)
{
    QSqlQuery q = db.exec(u"select Nom_No, NomEl_No, NomEl_Name, NomEl_Med, NomEl_InvNo from nomel "
                          "where Nom_No = ? and NomEl_No = ?"_s,
                          {nomNo, nomElNo});
    if (!q.next())
        return std::nullopt;
    return NomElRow{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString(),
                    q.value(4).toString()};
}

namespace {
KontraRow ReadKontra(const QSqlQuery &q)
{
    return KontraRow{q.value(0).toInt(),    q.value(1).toInt(),    q.value(2).toString(), q.value(3).toString(),
                     q.value(4).toString(), q.value(5).toString(), q.value(6).toString(), q.value(7).toString(),
                     q.value(8).toString(), q.value(9).toString()};
}
const QString KontraFields = u"Nom_No, NomEl_No, NomEl_Name, NomEl_Dn, NomEl_Bs, NomEl_Sity, NomEl_Adres, NomEl_Tel, "
                             "NomEl_Other, NomEl_BancAcc"_s;
}  // namespace

std::optional<KontraRow> Kontra(Db &db, int nomElNo)
{
    QSqlQuery q = db.exec(u"select "_s + KontraFields + u" from kontra where NomEl_No = ?"_s, {nomElNo});
    if (!q.next())
        return std::nullopt;
    return ReadKontra(q);
}

QList<KontraRow> Counterparties(Db &db, int nomNo)
{
    QList<KontraRow> rows;
    QSqlQuery q = db.exec(u"select "_s + KontraFields + u" from kontra where Nom_No = ? order by NomEl_Name, NomEl_No"_s,
                          {nomNo});
    while (q.next())
        rows << ReadKontra(q);
    return rows;
}

QList<NomElRow> Lots(Db &db, int nomNo)
{
    QList<NomElRow> rows;
    QSqlQuery q = db.exec(u"select Nom_No, NomEl_No, NomEl_Name, NomEl_Med, NomEl_InvNo from nomel where Nom_No = ? "
                          "order by NomEl_Name, NomEl_No"_s,
                          {nomNo});
    while (q.next())
        rows << NomElRow{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString()};
    return rows;
}

QList<std::pair<int, QString>> LotsOfLevel(Db &db, int nomNo)
{
    QList<std::pair<int, QString>> lots;
    const QString table = LotTableOfLevel(db, nomNo);
    if (table.isEmpty())
        return lots;
    QSqlQuery q = db.exec(u"select NomEl_No, NomEl_Name from "_s + table
                              + u" where Nom_No = ? order by NomEl_Name, NomEl_No"_s,
                          {nomNo});
    while (q.next())
        lots.append({q.value(0).toInt(), q.value(1).toString()});
    return lots;
}

bool LotExists(Db &db, int nomNo, int nomElNo)
{
    const QString table = LotTableOfLevel(db, nomNo);
    return !table.isEmpty()
           && db.scalar(u"select count(*) from "_s + table + u" where Nom_No = ? and NomEl_No = ?"_s, {nomNo, nomElNo})
                      .toInt()
                  > 0;
}

QString LotKeyProblem(Db &db, const std::array<int, 5> &levels, const std::array<int, 5> &lots)
{
    for (int k = 0; k < 5; ++k) {
        if (lots[k] <= 0)
            continue;
        const QString position = QString::number(k + 1);
        if (levels[k] == 0)
            return u"Сметката няма аналитично ниво на позиция "_s + position + u'!';
        if (!LotExists(db, levels[k], lots[k]))
            return u"Партида "_s + QString::number(lots[k]) + u" не е открита в аналитично ниво „"_s
                   + LevelName(db, levels[k]) + u"“!"_s;
    }
    return {};
}

void DeleteLevel(Db &db, int nomNo) { db.exec(u"delete from nom where Nom_No = ?"_s, {nomNo}); }

void DeleteLot(Db &db, int nomNo, int nomElNo)
{
    const QString table = LotTableOfLevel(db, nomNo);
    if (table.isEmpty())
        return;
    db.exec(u"delete from "_s + table + u" where Nom_No = ? and NomEl_No = ?"_s, {nomNo, nomElNo});
}

void InsertLevel(Db &db, const NomRow &r)
{
    db.exec(u"insert into nom (Nom_No, Nom_Name, Nom_Type) values (?, ?, ?)"_s, {r.Nom_No, r.Nom_Name, r.Nom_Type});
}

void InsertLot(Db &db, const NomElRow &r)
{
    db.exec(u"insert into nomel (Nom_No, NomEl_No, NomEl_Name, NomEl_Med, NomEl_InvNo) values (?, ?, ?, ?, ?)"_s,
            {r.Nom_No, r.NomEl_No, r.NomEl_Name, r.NomEl_Med, r.NomEl_InvNo});
}

void InsertKontra(Db &db, const KontraRow &r)
{
    db.exec(u"insert into kontra (Nom_No, NomEl_No, NomEl_Name, NomEl_Dn, NomEl_Bs, NomEl_Sity, NomEl_Adres, "
            "NomEl_Tel, NomEl_Other, NomEl_BancAcc) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
            {r.Nom_No, r.NomEl_No, r.NomEl_Name, r.NomEl_Dn, r.NomEl_Bs, r.NomEl_Sity, r.NomEl_Adres, r.NomEl_Tel,
             r.NomEl_Other, r.NomEl_BancAcc});
}

void RenameLevel(Db &db, int nomNo, const QString &name)
{
    db.exec(u"update nom set Nom_Name = ? where Nom_No = ?"_s, {name, nomNo});
}

void UpdateLot(Db &db, const NomElRow &r)
{
    db.exec(u"update nomel set NomEl_Name = ?, NomEl_Med = ?, NomEl_InvNo = ? where Nom_No = ? and NomEl_No = ?"_s,
            {r.NomEl_Name, r.NomEl_Med, r.NomEl_InvNo, r.Nom_No, r.NomEl_No});
}

void UpdateKontra(Db &db, const KontraRow &r)
{
    db.exec(u"update kontra set NomEl_Name = ?, NomEl_Dn = ?, NomEl_Bs = ?, NomEl_Sity = ?, NomEl_Adres = ?, "
            "NomEl_Tel = ?, NomEl_Other = ?, NomEl_BancAcc = ? where NomEl_No = ?"_s,
            {r.NomEl_Name, r.NomEl_Dn, r.NomEl_Bs, r.NomEl_Sity, r.NomEl_Adres, r.NomEl_Tel, r.NomEl_Other,
             r.NomEl_BancAcc, r.NomEl_No});
}

}  // namespace LevelStore
