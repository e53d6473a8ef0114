#include "posting/OpTemplateStore.h"

#include "accounts/FolderStore.h"
#include "engine/Db.h"
#include "engine/Messages.h"
#include "firm/RecordLocks.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "registry/AutoInc.h"
#include "registry/TFD.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

QString ElementTable(bool debit) { return debit ? u"opeldt"_s : u"opelkt"_s; }

void InsertElement(Db &db, int opId, bool debit, const OpElement &e, int type)
{
    db.exec(u"insert into "_s + ElementTable(debit)
                + u" (Op_Id, OpEl_Id, OpEl_No, OpEl_An1, OpEl_An2, OpEl_An3, OpEl_An4, OpEl_An5, OpEl_Name, "
                  "OpEl_Type, OpEl_Kol, OpEl_St) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
            {opId, e.id, e.account, e.lots[0], e.lots[1], e.lots[2], e.lots[3], e.lots[4], e.name, type, e.kol,
             e.st});
}

void DeleteElements(Db &db, int opId)
{
    for (const bool debit : {true, false})
        db.exec(u"delete from "_s + ElementTable(debit) + u" where Op_Id = ?"_s, {opId});
}

}  // namespace

namespace OpTemplateStore {

QString LockKey(int opId) { return QString::number(opId); }

QList<OpListRow> All(Db &db)
{
    QList<OpListRow> rows;
    QSqlQuery q = db.exec(u"select op.Op_id, op.Pap_Id, op.Op_Name, nom_pap.Nom_Pap_Name from op "
                          "left join nom_pap on nom_pap.Nom_Pap_No = op.Pap_Id order by op.Op_id"_s);
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString()});
    return rows;
}

QList<StoredOpElement> Elements(Db &db, int opId, bool debit)
{
    QList<StoredOpElement> elements;
    QSqlQuery q = db.exec(u"select OpEl_Id, OpEl_No, OpEl_An1, OpEl_An2, OpEl_An3, OpEl_An4, OpEl_An5, OpEl_Name, "
                          "OpEl_Type, OpEl_Kol, OpEl_St from "_s
                              + ElementTable(debit) + u" where Op_Id = ? order by OpEl_Id"_s,
                          {opId});
    while (q.next()) {
        StoredOpElement s;
        s.element.id = q.value(0).toInt();
        s.element.account = q.value(1).toInt();
        for (int i = 0; i < 5; ++i)
            s.element.lots[i] = q.value(2 + i).toInt();
        s.element.name = q.value(7).toString();
        s.type = q.value(8).toInt();
        s.element.kol = q.value(9).toDouble();
        s.element.st = q.value(10).toDouble();
        elements.append(s);
    }
    return elements;
}

std::optional<OpTemplate> Load(Db &db, int opId)
{
    QSqlQuery q = db.exec(u"select Pap_Id, Op_Name from op where Op_id = ?"_s, {opId});
    if (!q.next())
        return std::nullopt;
    OpTemplate op;
    op.opId = opId;
    op.folder = q.value(0).toInt();
    op.name = q.value(1).toString();
    q.finish();
    for (const bool debit : {true, false})
        for (const StoredOpElement &s : Elements(db, opId, debit)) {
            Grid grid;
            if (OpTemplateRules::GridOfKind(s.type, debit, grid))
                op.rows(grid).append(s.element);
        }
    return op;
}

OpTemplate New(TFD &fd, TDM &dm, int folder)
{
    OpTemplate op;
    op.opId = TAutoIncTable(fd, dm, u"op.DB"_s, u"Op_id"_s).NewRecordId();
    op.folder = folder;
    return op;
}

OpElement NewElement(TFD &fd, TDM &dm, bool debit)
{
    OpElement e;
    e.id = TAutoIncTable(fd, dm, debit ? u"opeldt.DB"_s : u"opelkt.DB"_s, u"OpEl_Id"_s).NewRecordId();
    return e;
}

bool Save(Db &db, const OpTemplate &op)
{
    if (Transaction::anyActive()) {
        Messages::show(OpRetryMessage);
        return false;
    }
    Transaction tx(db, Transaction::Kind::Write, OpRetryMessage);
    if (!FolderStore::Find(db, op.folder)) {
        Messages::show(FolderNotFound);
        return false;
    }
    DeleteElements(db, op.opId);
    for (Grid g : AllGrids)
        for (const OpElement &e : op.rows(g))
            InsertElement(db, op.opId, IsDebit(g), e, OpTemplateRules::KindOfGrid(g));
    const QString name = op.name.trimmed();
    if (db.scalar(u"select count(*) from op where Op_id = ?"_s, {op.opId}).toInt() > 0)
        db.exec(u"update op set Pap_Id = ?, Op_Name = ? where Op_id = ?"_s, {op.folder, name, op.opId});
    else
        db.exec(u"insert into op (Op_id, Pap_Id, Op_Name) values (?, ?, ?)"_s, {op.opId, op.folder, name});
    tx.commit();
    return true;
}

void DeleteOfFolder(Db &db, int folder)
{
    for (const bool debit : {true, false})
        db.exec(u"delete from "_s + ElementTable(debit) + u" where Op_Id in (select Op_id from op where Pap_Id = ?)"_s,
                {folder});
    db.exec(u"delete from op where Pap_Id = ?"_s, {folder});
}

bool Delete(Db &db, int opId)
{
    if (!Messages::confirmed(OpDeleteQuestion))
        return false;
    if (Transaction::anyActive()) {
        Messages::show(OpRetryMessage);
        return false;
    }
    if (const auto holder = LockedByOther(db, LockTable, LockKey(opId))) {
        Messages::show(LockMessage(RecordLockPrefix, *holder));
        return false;
    }
    Transaction tx(db, Transaction::Kind::Write, OpRetryMessage);
    DeleteElements(db, opId);
    db.exec(u"delete from op where Op_id = ?"_s, {opId});
    tx.commit();
    return true;
}

QStringList NamingAccount(Db &db, int account)
{
    QStringList names;
    QSqlQuery q = db.exec(u"select op.Op_Name, nom_pap.Nom_Pap_Name from op "
                          "left join nom_pap on nom_pap.Nom_Pap_No = op.Pap_Id "
                          "where op.Op_id in (select Op_Id from opeldt where OpEl_No = ? "
                          "union select Op_Id from opelkt where OpEl_No = ?) "
                          "order by op.Op_Name, op.Op_id"_s,
                          {account, account});
    while (q.next()) {
        const QString folder = q.value(1).toString();
        names << (folder.isEmpty() ? q.value(0).toString() : u"%1 (%2)"_s.arg(q.value(0).toString(), folder));
    }
    return names;
}

}  // namespace OpTemplateStore
