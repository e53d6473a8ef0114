#include "posting/EntryWizardData.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "accounts/LevelStore.h"
#include "firm/Lookups.h"
#include "posting/VatProposal.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace EntryWizardData {

QList<OpRow> Operations(Db &db, int folder)
{
    QList<OpRow> rows;
    QSqlQuery q = db.exec(u"select Op_id, Op_Name from op where Pap_Id = ? order by Op_Name, Op_id"_s, {folder});
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toString()});
    return rows;
}

QList<std::pair<int, QString>> Counterparties(Db &db)
{
    QList<std::pair<int, QString>> rows;
    QSqlQuery q = db.exec(u"select NomEl_No, NomEl_Name from kontra order by NomEl_Name, NomEl_No"_s);
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toString()});
    return rows;
}

std::optional<QDate> GroupDate(Db &db, int docNo, int group)
{
    QSqlQuery q = db.exec(u"select Doc_Date from doc where Doc_No = ? and Doc_StGrp = ? order by Doc_StNo limit 1"_s,
                          {docNo, group});
    if (!q.next())
        return std::nullopt;
    const QDate date = Formats::FromSqlDate(q.value(0).toString());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

EntryHeader OpeningHeader(Db &db, const NomPRow &doc, const EntryGroup &group)
{
    EntryHeader h;
    h.docType = doc.Nom_DocType;
    if (group.withVat) {
        h.postingDate = doc.Nom_DDSDate;
        h.vidDostavka = doc.Nom_VidDostavka;
        h.kontra = doc.Nom_Kontra;
        if (group.isNew) {
            EntryRules::ApplyNewVatDefaults(h, doc.Nom_Doc_Date);
            // A folder holds one kind of paper (purchase invoices, say): its next group is likely
            // of the kind its last one was.
            h.vidDostavka = VatProposal::LastSupplyType(db, doc.Nom_P_No, doc.Nom_Doc_No).value_or(h.vidDostavka);
        }
        return h;
    }
    const auto lineDate = group.isNew ? std::nullopt : GroupDate(db, doc.Nom_Doc_No, group.group);
    h.postingDate = lineDate.value_or(doc.Nom_Doc_Date);
    return h;
}

QString AccountProblem(Db &db, const WorkLine &row)
{
    const auto account = row.account != 0 ? FindAccount(db, row.account) : std::nullopt;
    if (!account)
        return u"Не е попълнена коректна сметка!"_s;
    if (!LotsFitAccount(db, *account, row.lots))
        return u"Не е попълнена партида за сметката!"_s;
    return {};
}

TypedAccount CheckTypedAccount(Db &db, const WorkLine &typed)
{
    const auto account = typed.account != 0 ? FindAccount(db, typed.account) : std::nullopt;
    if (!account)
        return TypedAccount::Refused;
    return AccountProblem(db, typed).isEmpty() ? TypedAccount::Taken : TypedAccount::NeedsLots;
}

LotKey PickerLots(Db &db, const WorkLine &row, int kontra)
{
    LotKey lots = row.lots;
    const auto account = row.account != 0 ? FindAccount(db, row.account) : std::nullopt;
    const auto counterparty = kontra != 0 ? LevelStore::Kontra(db, kontra) : std::nullopt;
    if (!account || !counterparty)
        return lots;
    for (int i = 0; i < 5; ++i)
        if (lots[i] == 0 && account->levels[i] != 0 && account->levels[i] == counterparty->Nom_No)
            lots[i] = kontra;
    return lots;
}

}  // namespace EntryWizardData
