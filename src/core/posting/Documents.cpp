#include "posting/Documents.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/RecordLocks.h"
#include "firm/Schema.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

const QString Fields =
    u"Nom_WithDDS, Nom_Dnevnik, Nom_VidDostavka, Nom_DOsnova, Nom_AccInDOsnova, Nom_DDS, Nom_Kontra, Nom_DocType, "
    "Nom_DDoc_No, Nom_P_No, Nom_Doc_No, Nom_Doc_Date, Nom_Doc_Osno, Nom_DDSDate, Nom_DostText, Nom_DocNo_Link"_s;

NomPRow Read(const QSqlQuery &q)
{
    NomPRow d;
    d.Nom_WithDDS = q.value(0).toInt();
    d.Nom_Dnevnik = q.value(1).toInt();
    d.Nom_VidDostavka = q.value(2).toInt();
    d.Nom_DOsnova = q.value(3).toDouble();
    d.Nom_AccInDOsnova = q.value(4).toDouble();
    d.Nom_DDS = q.value(5).toDouble();
    d.Nom_Kontra = q.value(6).toInt();
    d.Nom_DocType = q.value(7).toInt();
    if (!q.value(8).isNull())
        d.Nom_DDoc_No = q.value(8).toDouble();
    d.Nom_P_No = q.value(9).toInt();
    d.Nom_Doc_No = q.value(10).toInt();
    d.Nom_Doc_Date = Formats::FromSqlDate(q.value(11).toString());
    d.Nom_Doc_Osno = q.value(12).toString();
    d.Nom_DDSDate = Formats::FromSqlDate(q.value(13).toString());
    d.Nom_DostText = q.value(14).toString();
    d.Nom_DocNo_Link = q.value(15).toInt();
    return d;
}

QVariant DateValue(const QDate &d) { return d.isValid() ? QVariant(Formats::SqlDate(d)) : QVariant(); }

QList<NomPRow> ReadAll(Db &db, const QString &sql, const QVariantList &binds)
{
    QList<NomPRow> rows;
    QSqlQuery q = db.exec(sql, binds);
    while (q.next())
        rows << Read(q);
    return rows;
}

}  // namespace

namespace Documents {

bool KindWithoutEntries(int docType) { return docType >= 10 && docType <= 19; }

QString LockKey(int docNo) { return QString::number(docNo); }

int NextDocumentNumber(Db &db)
{
    Transaction tx(db);
    const int p = DrawDocumentNumber(db);
    tx.commit();
    return p;
}

int DrawDocumentNumber(Db &db)
{
    QVariant highest;
    if (!db.tryScalar(u"Select max(Nom_Doc_No) From nom_p"_s, {}, highest))
        throw MyException(u"Грешка при намиране на уникален номер: GetUniqueID >> Nom_p"_s);
    int p = highest.toInt() + 1;
    QSqlQuery net = db.exec(u"select NetDoc_ID from net"_s);
    if (!net.next()) {
        net.finish();
        db.exec(u"insert into net (NetDoc_ID) values (0)"_s);
        net = db.exec(u"select NetDoc_ID from net"_s);
        net.next();
    }
    const int counter = net.value(0).toInt();
    net.finish();
    if (counter >= p)
        p = counter + 1;
    db.exec(u"update net set NetDoc_ID = ?"_s, {p});
    return p;
}

NomPRow NewDocument(Db &db, int folder, const ReportingPeriod &period, const QDate &today)
{
    NomPRow d;
    d.Nom_P_No = folder;
    d.Nom_Doc_No = NextDocumentNumber(db);
    d.Nom_Doc_Date = DefaultEntryDate(period, today);
    return d;
}

namespace {
// A date box left empty asks for a date; one holding text that is not a date says so.
QString DateProblem(const NomPRow &doc) { return doc.dateTyped.isEmpty() ? DocumentDateMissing : InvalidDateMessage; }
}  // namespace

void TypeDate(NomPRow &doc, const QString &text)
{
    doc.Nom_Doc_Date = Formats::ParseDate(text);
    doc.dateTyped = doc.Nom_Doc_Date.isValid() ? QString() : text.trimmed();
}

DocumentBox ProblemBox(const NomPRow &doc)
{
    if (!doc.Nom_DDoc_No)
        return DocumentBox::Number;
    if (!doc.Nom_Doc_Date.isValid())
        return DocumentBox::Date;
    if (*doc.Nom_DDoc_No <= 0 || *doc.Nom_DDoc_No > 9999999999.0)
        return DocumentBox::Number;
    if (doc.Nom_Doc_Osno.size() > 50)
        return DocumentBox::Note;
    return DocumentBox::None;
}

QString Problem(const NomPRow &doc)
{
    switch (ProblemBox(doc)) {
    case DocumentBox::None: return {};
    case DocumentBox::Number: return doc.Nom_DDoc_No ? Schema::DocumentNumberMessage : DocumentNumberMissing;
    case DocumentBox::Date: return DateProblem(doc);
    case DocumentBox::Note: return u"Бележката е най-много 50 знака!"_s;
    }
    return {};
}

void Save(Db &db, const NomPRow &d, bool isNew)
{
    const QString problem = Problem(d);
    if (!problem.isEmpty())
        throw MyException(problem);
    const QVariantList values{d.Nom_WithDDS, d.Nom_Dnevnik, d.Nom_VidDostavka, d.Nom_DOsnova, d.Nom_AccInDOsnova,
                              d.Nom_DDS, d.Nom_Kontra, d.Nom_DocType, *d.Nom_DDoc_No, d.Nom_P_No, d.Nom_Doc_No,
                              DateValue(d.Nom_Doc_Date), d.Nom_Doc_Osno, DateValue(d.Nom_DDSDate), d.Nom_DostText,
                              d.Nom_DocNo_Link};
    if (isNew) {
        db.exec(u"insert into nom_p ("_s + Fields + u") values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"_s, values);
        return;
    }
    QVariantList update = values;
    update << d.Nom_Doc_No;
    const QSqlQuery changed = db.exec(u"update nom_p set Nom_WithDDS = ?, Nom_Dnevnik = ?, Nom_VidDostavka = ?, Nom_DOsnova = ?, "
            "Nom_AccInDOsnova = ?, Nom_DDS = ?, Nom_Kontra = ?, Nom_DocType = ?, Nom_DDoc_No = ?, Nom_P_No = ?, "
            "Nom_Doc_No = ?, Nom_Doc_Date = ?, Nom_Doc_Osno = ?, Nom_DDSDate = ?, Nom_DostText = ?, "
            "Nom_DocNo_Link = ? where Nom_Doc_No = ?"_s,
            update);
    // Another copy of the program deleted the document meanwhile: nothing was saved.
    if (changed.numRowsAffected() == 0)
        throw MyException(DocumentNotFound);
}

void SaveHeader(Db &db, const NomPRow &doc)
{
    const QSqlQuery changed =
        db.exec(u"update nom_p set Nom_DDoc_No = ?, Nom_Doc_Date = ?, Nom_Doc_Osno = ?, Nom_DocNo_Link = ? "
                "where Nom_Doc_No = ?"_s,
                {*doc.Nom_DDoc_No, DateValue(doc.Nom_Doc_Date), doc.Nom_Doc_Osno, doc.Nom_DocNo_Link, doc.Nom_Doc_No});
    if (changed.numRowsAffected() == 0)
        throw MyException(DocumentNotFound);
}

void SaveInFolder(Db &db, const NomPRow &doc, bool isNew)
{
    if (!isNew) {
        SaveHeader(db, doc);
        return;
    }
    Transaction tx(db);
    if (db.scalar(u"select count(*) from nom_pap where Nom_Pap_No = ?"_s, {doc.Nom_P_No}).toInt() == 0)
        throw MyException(FolderNotFound);
    Save(db, doc, true);
    tx.commit();
}

void RequireDocument(Db &db, int docNo)
{
    if (db.scalar(u"select count(*) from nom_p where Nom_Doc_No = ?"_s, {docNo}).toInt() == 0)
        throw MyException(DocumentNotFound);
}

std::optional<NomPRow> Find(Db &db, int docNo)
{
    const QList<NomPRow> rows = ReadAll(db, u"select "_s + Fields + u" from nom_p where Nom_Doc_No = ?"_s, {docNo});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

QList<NomPRow> OfFolder(Db &db, int folder, DocumentFilter filter)
{
    QString where = u" where Nom_P_No = ?"_s;
    if (filter == DocumentFilter::WithVat)
        where += u" and Nom_WithDDS = 1"_s;
    else if (filter == DocumentFilter::WithoutVat)
        where += u" and Nom_WithDDS = 0"_s;
    return ReadAll(db, u"select "_s + Fields + u" from nom_p"_s + where + u" order by Nom_Doc_No"_s, {folder});
}

QList<NomPRow> All(Db &db)
{
    return ReadAll(db, u"select "_s + Fields + u" from nom_p order by Nom_Doc_No"_s, {});
}

std::optional<int> FindByPrintedNumber(const QList<NomPRow> &docs, const QString &text)
{
    bool ok = false;
    const qlonglong wanted = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    for (const NomPRow &d : docs)
        if (d.Nom_DDoc_No && qRound64(*d.Nom_DDoc_No) == wanted)
            return d.Nom_Doc_No;
    return std::nullopt;
}

QList<DocLineView> Lines(Db &db, int docNo)
{
    QList<DocLineView> lines;
    QSqlQuery q = db.exec(
        u"select d.Doc_StNo, d.Doc_StGrp, d.Doc_DDSType, d.Doc_S_Dt, sd.S_Name, d.Doc_S_Dt_Kol, d.Doc_S_Kt, sk.S_Name, "
        "d.Doc_S_Kt_Kol, d.Doc_St from doc d left join s sd on sd.S_UNo = d.Doc_S_Dt "
        "left join s sk on sk.S_UNo = d.Doc_S_Kt where d.Doc_No = ? order by d.Doc_StNo"_s,
        {docNo});
    auto name = [](const QVariant &v) { return v.isNull() ? u"???"_s : v.toString(); };
    while (q.next())
        lines << DocLineView{q.value(0).toInt(),    q.value(1).toInt(),    q.value(2).toInt(),
                             q.value(3).toInt(),    name(q.value(4)),      q.value(5).toDouble(),
                             q.value(6).toInt(),    name(q.value(7)),      q.value(8).toDouble(),
                             q.value(9).toDouble()};
    return lines;
}

int LineCount(Db &db, int docNo)
{
    return db.scalar(u"select count(*) from doc where Doc_No = ?"_s, {docNo}).toInt();
}

bool CanLeave(Db &db, const std::optional<NomPRow> &doc)
{
    if (!doc)
        return true;
    if (!doc->Nom_DDoc_No) {
        Messages::show(DocumentNumberMissing);
        return false;
    }
    if (!doc->Nom_Doc_Date.isValid()) {
        Messages::show(DateProblem(*doc));
        return false;
    }
    if (LineCount(db, doc->Nom_Doc_No) == 0 && !KindWithoutEntries(doc->Nom_DocType)) {
        Messages::show(DocumentWithoutLines);
        return false;
    }
    return true;
}

int NextGroup(Db &db, int docNo)
{
    QVariant highest;
    if (!db.tryScalar(u"select coalesce(max(Doc_StGrp), 0) from doc where Doc_No = ?"_s, {docNo}, highest))
        throw MyException(GroupNumberFailure);
    const int group = highest.toInt() + 1;
    if (group < 1)
        throw MyException(GroupNumberFailure);
    return group;
}

std::optional<int> VatGroup(Db &db, int docNo)
{
    for (int kind = 1; kind <= 3; ++kind) {
        QVariant group;
        QSqlQuery q = db.exec(u"select Doc_StGrp from doc where Doc_No = ? and Doc_DDSType = ? order by Doc_StNo"_s,
                              {docNo, kind});
        if (q.next())
            return q.value(0).toInt();
    }
    return std::nullopt;
}

bool CarriesVat(Db &db, int docNo, int group)
{
    const QVariantList key{docNo, group};
    return db.scalar(u"select exists (select 1 from doc where Doc_No = ? and Doc_StGrp = ? and Doc_DDSType "
                     "between 1 and 3) or exists (select 1 from SDt where SDt_Doc = ? and SDt_Grp = ? and "
                     "SDt_DDSType between 1 and 3) or exists (select 1 from SKt where SKt_Doc = ? and SKt_Grp = ? "
                     "and SKt_DDSType between 1 and 3)"_s,
                     key + key + key)
               .toInt()
           != 0;
}

void DeleteGroup(Db &db, int docNo, int group)
{
    RecordLock lock;
    if (const auto holder = RecordLock::Acquire(db, LockTable, LockKey(docNo), lock))
        throw EngineError(LockMessage(DocumentLockPrefix, *holder), {{EngineCode::RecordLocked, QString()}});
    Transaction tx(db);
    try {
        // The document's VAT data came from this group, so it goes with it: the document leaves
        // the VAT journals and the "with VAT" filter. Its kind stays, as it decides whether the
        // document may stand without lines.
        if (CarriesVat(db, docNo, group))
            db.exec(u"update nom_p set Nom_WithDDS = 0, Nom_Dnevnik = 0, Nom_VidDostavka = 0, Nom_DOsnova = 0, "
                    "Nom_AccInDOsnova = 0, Nom_DDS = 0, Nom_Kontra = 0, Nom_DDSDate = null where Nom_Doc_No = ?"_s,
                    {docNo});
        db.exec(u"delete from SDt where SDt_Doc = ? and SDt_Grp = ?"_s, {docNo, group});
        db.exec(u"delete from SKt where SKt_Doc = ? and SKt_Grp = ?"_s, {docNo, group});
        db.exec(u"delete from an where An_Doc_No = ? and An_Stat_Grp = ?"_s, {docNo, group});
        db.exec(u"delete from doc where Doc_No = ? and Doc_StGrp = ?"_s, {docNo, group});
        tx.commit();
    } catch (const std::exception &e) {
        throw MyException(u"Статията не е изтрита!\r"_s + ErrorHookText(e));
    }
}

void DeleteDocument(Db &db, int docNo)
{
    // Held for the whole deletion, as an edit holds it: a group cannot be saved into the
    // document while it goes, nor the document deleted while a group is being entered.
    RecordLock lock;
    if (RecordLock::Acquire(db, LockTable, LockKey(docNo), lock))
        throw MyException(DocumentLockedByOther);
    Transaction tx(db);
    DeleteDocumentRows(db, docNo);
    tx.commit();
}

void DeleteDocumentRows(Db &db, int docNo)
{
    db.exec(u"delete from SDt where SDt_Doc = ?"_s, {docNo});
    db.exec(u"delete from SKt where SKt_Doc = ?"_s, {docNo});
    QSqlQuery lines = db.exec(u"select Doc_StNo from doc where Doc_No = ? order by Doc_StNo"_s, {docNo});
    QList<int> numbers;
    while (lines.next())
        numbers << lines.value(0).toInt();
    lines.finish();
    for (int line : numbers) {
        db.exec(u"delete from an where An_Doc_No = ? and An_StNo = ?"_s, {docNo, line});
        db.exec(u"delete from doc where Doc_No = ? and Doc_StNo = ?"_s, {docNo, line});
    }
    db.exec(u"delete from nom_p where Nom_Doc_No = ?"_s, {docNo});
}

VatSummary Summary(Db &firm, Db &registry, const NomPRow &doc)
{
    VatSummary s;
    if (doc.Nom_Dnevnik == 1)
        s.journal = u"Дневника за покупки"_s;
    else if (doc.Nom_Dnevnik == 2)
        s.journal = u"Дневника за продажби"_s;
    QVariant counterparty, supply, kind;
    const bool found =
        firm.tryScalar(u"SELECT NomEl_Name FROM kontra WHERE NomEl_No = ?"_s, {doc.Nom_Kontra}, counterparty)
        && registry.tryScalar(u"SELECT Dost_Name FROM DDSDostType WHERE Dost_No = ?"_s, {doc.Nom_VidDostavka}, supply)
        && registry.tryScalar(u"SELECT Doc_Name FROM DDSDoc WHERE Doc_DDS_No = ?"_s, {doc.Nom_DocType}, kind)
        && !counterparty.isNull() && !supply.isNull() && !kind.isNull();
    if (found) {
        s.counterparty = counterparty.toString();
        s.supplyKind = supply.toString();
        s.documentKind = kind.toString();
        s.supplyDate = Formats::Date(doc.Nom_Doc_Date);
    } else {
        s.journal.clear();
    }
    s.base = Formats::Amount(doc.Nom_DOsnova);
    s.excise = Formats::Amount(doc.Nom_AccInDOsnova);
    s.vat = Formats::Amount(doc.Nom_DDS);
    s.total = Formats::Amount(doc.Nom_DDS + doc.Nom_DOsnova);
    return s;
}

QString FolderCaption(const QString &name)
{
    return name.size() >= 18 ? name.left(15) + u"..."_s : name;
}

}  // namespace Documents
