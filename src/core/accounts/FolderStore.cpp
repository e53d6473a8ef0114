#include "accounts/FolderStore.h"

#include "engine/Db.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace FolderStore {

void Insert(Db &db, const NomPapRow &r)
{
    db.exec(u"insert into nom_pap (Nom_Pap_No, Nom_Pap_Name) values (?, ?)"_s, {r.Nom_Pap_No, r.Nom_Pap_Name});
}

void Delete(Db &db, int nomPapNo) { db.exec(u"delete from nom_pap where Nom_Pap_No = ?"_s, {nomPapNo}); }

QList<NomPapRow> All(Db &db)
{
    QList<NomPapRow> rows;
    QSqlQuery q = db.exec(u"select Nom_Pap_No, Nom_Pap_Name from nom_pap order by Nom_Pap_Name"_s);
    while (q.next())
        rows << NomPapRow{q.value(0).toInt(), q.value(1).toString()};
    return rows;
}

std::optional<NomPapRow> Find(Db &db, int nomPapNo)
{
    QSqlQuery q = db.exec(u"select Nom_Pap_No, Nom_Pap_Name from nom_pap where Nom_Pap_No = ?"_s, {nomPapNo});
    if (!q.next())
        return std::nullopt;
    return NomPapRow{q.value(0).toInt(), q.value(1).toString()};
}

void Rename(Db &db, int nomPapNo, const QString &name)
{
    db.exec(u"update nom_pap set Nom_Pap_Name = ? where Nom_Pap_No = ?"_s, {name, nomPapNo});
}

}  // namespace FolderStore
