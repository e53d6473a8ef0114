#include "posting/GroupPosting.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "posting/EntryWizardData.h"
#include "posting/JournalLines.h"
#include "posting/Stock.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

const QString NumberingFailure = u"Грешка при намиране на уникален номер!"_s;

void WritePair(Db &db, const EntryGroup &group, int papNo, const WorkLine &dt, const WorkLine &kt, double amount)
{
    JournalLine l;
    l.Doc_No = group.docNo;
    l.Doc_StGrp = group.group;
    l.Doc_StNo = JournalLines::NextLineNo(db);
    if (l.Doc_StNo < 1)
        throw MyException(NumberingFailure);
    l.Doc_Date = group.header.postingDate;
    l.Doc_DDSType = dt.ddsType;
    l.Doc_S_Dt = dt.account;
    l.dtLots = dt.lots;
    l.Doc_S_Dt_Kol = dt.kol;
    l.Doc_S_Kt = kt.account;
    l.ktLots = kt.lots;
    l.Doc_S_Kt_Kol = kt.kol;
    l.Doc_St = amount;
    l.papNo = papNo;
    JournalLines::Write(db, l);
}

const WorkLine *SingleRow(const EntryGroup &group, bool debit)
{
    for (Grid g : AllGrids)
        if (IsDebit(g) == debit && !group.rows(g).isEmpty())
            return &group.rows(g).first();
    return nullptr;
}

// 1 + the highest group of the document among its journal lines and work lines.
int NextGroupNumber(Db &db, int docNo)
{
    return db.scalar(u"select 1 + max(coalesce((select max(Doc_StGrp) from doc where Doc_No = ?), 0), "
                     "coalesce((select max(SDt_Grp) from SDt where SDt_Doc = ?), 0), "
                     "coalesce((select max(SKt_Grp) from SKt where SKt_Doc = ?), 0))"_s,
                     {docNo, docNo, docNo})
        .toInt();
}

void WriteWorkLines(Db &db, const EntryGroup &group)
{
    db.exec(u"delete from SDt where SDt_Doc = ? and SDt_Grp = ?"_s, {group.docNo, group.group});
    db.exec(u"delete from SKt where SKt_Doc = ? and SKt_Grp = ?"_s, {group.docNo, group.group});
    for (Grid g : AllGrids) {
        const QString p = IsDebit(g) ? u"SDt"_s : u"SKt"_s;
        const QString sql = u"insert into %1 (%1_Doc, %1_Grp, %1_Id, %1_No, %1_An1, %1_An2, %1_An3, %1_An4, %1_An5, "
                            "%1_Name, %1_DDSType, %1_Kol, %1_St) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s.arg(p);
        for (const WorkLine &r : group.rows(g))
            db.exec(sql, {group.docNo, group.group, r.id, r.account, r.lots[0], r.lots[1], r.lots[2], r.lots[3],
                          r.lots[4], r.name.left(30), r.ddsType, r.kol, r.st});
    }
}

}  // namespace

namespace GroupPosting {

void ReplaceGroupPostings(Db &db, const EntryGroup &group, int papNo)
{
    db.exec(u"delete from an where An_Doc_No = ? and An_Stat_Grp = ?"_s, {group.docNo, group.group});
    db.exec(u"delete from doc where Doc_No = ? and Doc_StGrp = ?"_s, {group.docNo, group.group});
    if (group.debitCount() == 1) {
        const WorkLine &dt = *SingleRow(group, true);
        for (Grid g : {Grid::BaseKt, Grid::ExciseKt, Grid::VatKt})
            for (const WorkLine &kt : group.rows(g))
                WritePair(db, group, papNo, dt, kt, kt.st);
    } else if (group.creditCount() == 1) {
        const WorkLine &kt = *SingleRow(group, false);
        for (Grid g : {Grid::BaseDt, Grid::ExciseDt, Grid::VatDt})
            for (const WorkLine &dt : group.rows(g))
                WritePair(db, group, papNo, dt, kt, dt.st);
    }
}

void WriteGroup(Db &db, const EntryGroup &group, int papNo)
{
    ReplaceGroupPostings(db, group, papNo);
    WriteWorkLines(db, group);
}

void UpdateVatTotals(NomPRow &doc, const EntryGroup &group)
{
    const int vid = group.header.vidDostavka;
    if (!group.withVat || vid == 0)
        return;
    doc.Nom_WithDDS = 1;
    auto first = [&](Grid g) { return group.rows(g).isEmpty() ? 0.0 : group.rows(g).first().st; };
    auto sum = [&](Grid g) {
        double s = 0;
        for (const WorkLine &r : group.rows(g))
            s += r.st;
        return s;
    };
    if (Documents::KindWithoutEntries(doc.Nom_DocType)) {
        doc.Nom_AccInDOsnova = doc.Nom_DOsnova = doc.Nom_DDS = 0;
    } else {
        doc.Nom_AccInDOsnova = first(Grid::ExciseDt) + first(Grid::ExciseKt);
        const double baseDt = sum(Grid::BaseDt), baseKt = sum(Grid::BaseKt);
        doc.Nom_DOsnova = (baseKt < baseDt ? baseKt : baseDt) + doc.Nom_AccInDOsnova;
        doc.Nom_DDS = first(Grid::VatDt) + first(Grid::VatKt);
    }
    if (vid >= 1 && vid <= 3)
        doc.Nom_Dnevnik = 1;
    else if (vid >= 4 && vid <= 7)
        doc.Nom_Dnevnik = 2;
}

void Save(Db &db, EntryGroup &group, NomPRow &doc)
{
    NomPRow saved = doc;
    if (group.withVat) {
        saved.Nom_DDSDate = group.header.postingDate;
        saved.Nom_VidDostavka = group.header.vidDostavka;
        saved.Nom_DocType = group.header.docType;
        saved.Nom_Kontra = group.header.kontra;
    }
    Transaction tx(db, Transaction::Kind::Write, u"Опитайте отново!"_s);
    // Under the write lock nothing changes between these checks and the writes: the document is
    // still there, a new group takes a number no other group has, and the stock is there.
    Documents::RequireDocument(db, group.docNo);
    // The accounts and lots were checked before the write lock, and another user may have deleted
    // one since, or given an account levels.
    for (const auto &rows : group.grids)
        for (const WorkLine &row : rows)
            if (const QString problem = EntryWizardData::AccountProblem(db, row); !problem.isEmpty())
                throw MyException(problem + u" "_s + QString::number(row.account));
    EntryGroup written = group;
    if (group.isNew || group.numberDrawn) {
        written.group = NextGroupNumber(db, group.docNo);
        for (auto &rows : written.grids)
            for (WorkLine &row : rows)
                row.grp = written.group;
    }
    Stock::CheckReleases(db, written, ReadPeriod(db));
    ReplaceGroupPostings(db, written, saved.Nom_P_No);
    UpdateVatTotals(saved, written);
    WriteWorkLines(db, written);
    Documents::Save(db, saved, false);
    tx.commit();
    doc = saved;
    group = written;
    group.isNew = false;
    group.numberDrawn = false;
}

}  // namespace GroupPosting
