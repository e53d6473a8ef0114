#pragma once
// The VAT purchase and sales journals: one row per document recorded in the journal whose VAT
// date falls in the period, ordered by document date and number. The amount columns follow the
// document's supply type; the column totals are kept in whole stotinki, so they are exact
// however many rows are summed.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Db;

enum class VatJournalKind { Purchases = 1, Sales = 2 };  // the value of Nom_Dnevnik

inline constexpr int JournalAmountCount = 7;
using JournalAmounts = std::array<std::optional<long long>, JournalAmountCount>;  // stotinki; empty = not filled
using JournalTotals = std::array<long long, JournalAmountCount>;

// Purchases: TotalDost, DONoDDS, DODDS, DDSDK, DOHDDS, HDDSDK, AccInDOsnova.
// Sales: DprodTotalDost, DprodDOOb, DprodObDDS, DprodDOIznos, DprodDOOsv, DprodDDSOther, AccInDOsnova.
namespace JournalColumn {
inline constexpr int Total = 0;
inline constexpr int PurchaseNoCredit = 1;
inline constexpr int PurchaseFullBase = 2;
inline constexpr int PurchaseFullVat = 3;
inline constexpr int PurchasePartialBase = 4;
inline constexpr int PurchasePartialVat = 5;
inline constexpr int SaleTaxableBase = 1;
inline constexpr int SaleTaxableVat = 2;
inline constexpr int SaleExportBase = 3;
inline constexpr int SaleExemptBase = 4;
inline constexpr int SaleOtherVat = 5;
inline constexpr int Excise = 6;
}  // namespace JournalColumn

struct JournalRow {
    int Nom_P_No = 0;
    int Nom_Doc_No = 0;
    int WithDDS = 0;
    int Dnevnik = 0;
    int DocType = 0;
    QString Doc_Text;       // empty when the type is missing from the registry
    qint64 Doc_No = 0;      // the document's printed number
    QDate Doc_Date;
    int KontraNo = 0;
    bool kontraFound = false;
    QString Kontra_Text;
    QString Kontra_DN;
    QString DostText;
    int VidDostavka = 0;
    long long DOsnova = 0, DDS = 0, AccInDOsnova = 0;  // stotinki
    JournalAmounts amounts;
    bool amountsValid = true;  // false when a stored amount is not a number of the books
    QString problem;        // what the row lacks, empty when complete
};

struct VatJournal {
    VatJournalKind kind = VatJournalKind::Purchases;
    QDate from, to;
    QList<JournalRow> rows;
    // Empty when the journal has not been summed (not read, or a stored amount is not a number).
    std::optional<JournalTotals> totals;

    // "0000000012 от 15.03.2026: няма контрагент" for each row that lacks data.
    QStringList problems() const;
};

inline const QString NoJournalDataMessage = QStringLiteral("Няма данни отговарящи на зададеното условие!");
inline const QString JournalSumsMessage = QStringLiteral("Грешка при сумиране на данните от дневниците!");

namespace VatJournals {

QString Title(VatJournalKind kind);  // "Дневник на покупките" / "Дневник на продажбите"
// Field names and grid headings of the seven amount columns.
const std::array<QString, JournalAmountCount> &AmountFields(VatJournalKind kind);
const std::array<QString, JournalAmountCount> &AmountHeadings(VatJournalKind kind);
// The supply types that belong to the journal: 1..3 purchases, 4..7 sales.
bool SupplyTypeOf(VatJournalKind kind, int vidDostavka);

// The amount columns of one document by its supply type; the columns the type does not name
// stay empty. The excise column always carries the document's excise.
JournalAmounts AmountsOf(VatJournalKind kind, int vidDostavka, long long base, long long vat, long long excise);

// The journal of the period. Every document of the journal with its VAT date in the period is
// listed, also one without a counterparty or with a document type the registry lacks; such
// rows carry their problem.
VatJournal Read(Db &firm, Db &registry, VatJournalKind kind, const QDate &from, const QDate &to);

// An amount in stotinki as "#0.00".
QString AmountText(long long stotinki);

// Column totals of the rows; empty when an amount cannot be summed.
std::optional<JournalTotals> Sum(const QList<JournalRow> &rows);

}  // namespace VatJournals
