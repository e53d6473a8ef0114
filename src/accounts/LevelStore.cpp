#include "accounts/LevelStore.h"

#include "data/Db.h"

using namespace Qt::StringLiterals;

namespace LevelStore {

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

}  // namespace LevelStore
