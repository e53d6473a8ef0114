#pragma once
// Documents (nom_p) of a folder and what hangs under them: journal lines (doc), postings (an) and
// the work lines of the entry groups (SDt, SKt). A document's internal number comes from the
// firm's counter so it is never reused; deleting a document or an entry group removes all four
// kinds of rows in one transaction or nothing at all.
#include "firm/AccountTotals.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class Db;

struct NomPRow {
    int Nom_WithDDS = 0;
    int Nom_Dnevnik = 0;
    int Nom_VidDostavka = 0;
    double Nom_DOsnova = 0;
    double Nom_AccInDOsnova = 0;
    double Nom_DDS = 0;
    int Nom_Kontra = 0;
    int Nom_DocType = 0;
    std::optional<double> Nom_DDoc_No;  // empty until typed
    int Nom_P_No = 0;
    int Nom_Doc_No = 0;
    QDate Nom_Doc_Date;
    QString dateTyped;  // the date box's text while it is not a date; not stored
    QString Nom_Doc_Osno;
    QDate Nom_DDSDate;
    QString Nom_DostText;
    int Nom_DocNo_Link = 0;
};

enum class DocumentFilter { All, WithVat, WithoutVat };

// One journal line as the documents window lists it.
struct DocLineView {
    int Doc_StNo = 0;
    int Doc_StGrp = 0;
    int Doc_DDSType = 0;
    int Doc_S_Dt = 0;
    QString dtName;  // "???" when the account is not in the chart
    double Doc_S_Dt_Kol = 0;
    int Doc_S_Kt = 0;
    QString ktName;
    double Doc_S_Kt_Kol = 0;
    double Doc_St = 0;
};

struct VatSummary {
    QString journal;        // "Дневника за покупки" / "Дневника за продажби" / empty
    QString counterparty;
    QString supplyKind;
    QString documentKind;
    QString supplyDate;     // shown only with a counterparty
    QString base, excise, vat, total;
};

inline const QString DocumentNumberMissing = QStringLiteral("Въведете номер на документ!");
inline const QString DocumentDateMissing = QStringLiteral("Въведете дата на документа!");
inline const QString DocumentWithoutLines = QStringLiteral("Не са въведени счетоводни статии към документа");
inline const QString DocumentLockedByOther = QStringLiteral("Документа се редактира от друг потребител!");
inline const QString DocumentLockPrefix = QStringLiteral("В момента избрания докимент се редактира от потребител: ");
inline const QString GroupNumberFailure = QStringLiteral("Грашка при намиране на уникален номер за група!");
inline const QString DocumentNotFound = QStringLiteral("Документа не е намерен!");
inline const QString FolderNotFound = QStringLiteral("Папката не е намерена!");

namespace Documents {

// Kinds 10..19 are recorded without journal entries.
bool KindWithoutEntries(int docType);

// The row of the lock table that stands for a document while it is edited or deleted.
inline const QString LockTable = QStringLiteral("nom_p");
QString LockKey(int docNo);

// The next internal number: one more than the highest document, or than the counter when that
// is higher; the counter keeps it. Runs in its own write transaction so two copies of the
// program never get the same number. Throws "Грешка при намиране на уникален номер: …".
int NextDocumentNumber(Db &db);
// The same inside the caller's write transaction.
int DrawDocumentNumber(Db &db);

// A new document of the folder: a fresh number and today's date (the period's first day when
// today is earlier, its last day when today is later). Not written until saved.
NomPRow NewDocument(Db &db, int folder, const ReportingPeriod &period, const QDate &today = QDate::currentDate());

// The date typed into the document's date box: the date it names, or none, with the text kept
// so that an unreadable date is told from a missing one.
void TypeDate(NomPRow &doc, const QString &text);

// The box that holds the first problem of a document as typed, None when it may be saved.
enum class DocumentBox { None, Number, Date, Note };
DocumentBox ProblemBox(const NomPRow &doc);
// The message of that problem (number, date missing or unreadable, number range, note
// length), or empty.
QString Problem(const NomPRow &doc);
// Writes a new or changed document row; a changed row that is no longer there (another user
// deleted it) fails with "Документа не е намерен!".
void Save(Db &db, const NomPRow &doc, bool isNew);
// The documents window's fields of a document — number, date, description, link — and nothing
// else: its VAT data belong to its entry groups, which may have changed since the window read it.
// A document deleted meanwhile fails with "Документа не е намерен!".
void SaveHeader(Db &db, const NomPRow &doc);
// The documents window's save: a new document only into a folder that still exists, checked in
// the same write transaction — another copy of the program may have deleted the folder since this
// one listed it, and a document outside every folder is never shown ("Папката не е намерена!");
// a document already there gets its header fields (SaveHeader).
void SaveInFolder(Db &db, const NomPRow &doc, bool isNew);
// Throws "Документа не е намерен!" unless the document exists.
void RequireDocument(Db &db, int docNo);
std::optional<NomPRow> Find(Db &db, int docNo);
QList<NomPRow> OfFolder(Db &db, int folder, DocumentFilter filter = DocumentFilter::All);
QList<NomPRow> All(Db &db);
// The document whose printed number is the text, which must be a whole number.
std::optional<int> FindByPrintedNumber(const QList<NomPRow> &docs, const QString &text);

QList<DocLineView> Lines(Db &db, int docNo);
int LineCount(Db &db, int docNo);

// May the user move away from the document? Shows the reason when not.
bool CanLeave(Db &db, const std::optional<NomPRow> &doc);

// 1 + the highest group of the document's lines; throws the group-number message below 1.
int NextGroup(Db &db, int docNo);
// The group of the document's VAT entry (the first line of kind 1, then 2, then 3), if any.
std::optional<int> VatGroup(Db &db, int docNo);

// Deletes an entry group (work lines, postings, journal lines) holding the document's lock; the
// group that carried the document's VAT data takes it along. Throws "Статията не е
// изтрита!\r…" and leaves every row in place on failure.
void DeleteGroup(Db &db, int docNo, int group);
// Deletes the document with all its rows under the document's lock; refuses a document that
// another user edits.
void DeleteDocument(Db &db, int docNo);
// The rows of the deletion, inside the caller's write transaction.
void DeleteDocumentRows(Db &db, int docNo);

VatSummary Summary(Db &firm, Db &registry, const NomPRow &doc);

// A folder name for the folder button: 18 characters and more are cut to 15 and "...".
QString FolderCaption(const QString &name);

}  // namespace Documents
