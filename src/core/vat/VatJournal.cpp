#include "vat/VatJournal.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "posting/EntryGroup.h"

#include <QHash>
#include <QSqlQuery>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// A supply of "VAT in other cases" may be entered without a counterparty.
constexpr int OtherCasesSupply = 7;

// A stored amount as stotinki; nothing when the value is not an amount the books can hold.
std::optional<long long> StoredAmount(const QVariant &value)
{
    const double v = value.isNull() ? 0.0 : value.toDouble();
    if (!std::isfinite(v) || std::fabs(v) > AmountLimit)
        return std::nullopt;
    return ToStotinki(v);
}

QString RowProblem(const JournalRow &row, VatJournalKind kind)
{
    QStringList lacks;
    if (!row.amountsValid)
        lacks << u"невалидна сума"_s;
    if (row.Doc_Text.isEmpty())
        lacks << u"видът на документа (%1) липсва в регистъра"_s.arg(row.DocType, 2, 10, QChar(u'0'));
    if (row.KontraNo != 0 && !row.kontraFound)
        lacks << u"контрагентът (%1) не е намерен"_s.arg(row.KontraNo);
    else if (row.KontraNo == 0 && row.VidDostavka != OtherCasesSupply)
        lacks << u"няма контрагент"_s;
    if (!VatJournals::SupplyTypeOf(kind, row.VidDostavka))
        lacks << u"видът на доставката (%1) не е за този дневник"_s.arg(row.VidDostavka);
    return lacks.join(u", "_s);
}

}  // namespace

QStringList VatJournal::problems() const
{
    QStringList list;
    for (const JournalRow &row : rows)
        if (!row.problem.isEmpty())
            list << Formats::DocNo(double(row.Doc_No)) + u" от "_s + Formats::Date(row.Doc_Date) + u": "_s
                        + row.problem;
    return list;
}

namespace VatJournals {

QString Title(VatJournalKind kind)
{
    return kind == VatJournalKind::Purchases ? u"Дневник на покупките"_s : u"Дневник на продажбите"_s;
}

const std::array<QString, JournalAmountCount> &AmountFields(VatJournalKind kind)
{
    static const std::array<QString, JournalAmountCount> purchases = {
        u"TotalDost"_s, u"DONoDDS"_s, u"DODDS"_s, u"DDSDK"_s, u"DOHDDS"_s, u"HDDSDK"_s, u"AccInDOsnova"_s};
    static const std::array<QString, JournalAmountCount> sales = {
        u"DprodTotalDost"_s, u"DprodDOOb"_s, u"DprodObDDS"_s,  u"DprodDOIznos"_s,
        u"DprodDOOsv"_s,     u"DprodDDSOther"_s, u"AccInDOsnova"_s};
    return kind == VatJournalKind::Purchases ? purchases : sales;
}

const std::array<QString, JournalAmountCount> &AmountHeadings(VatJournalKind kind)
{
    static const std::array<QString, JournalAmountCount> purchases = {
        u"Обща стойност на сделката"_s,
        u"Стойност за доставките без данък или без право на ДК"_s,
        u"Данъчна основа на доставките и вноса с право на пълен ДК"_s,
        u"Начислен данък при доставки и внос с право на пълен ДК"_s,
        u"Стойност на доставките и вноса с право на частичен ДК"_s,
        u"Начислен данък при доставки и внос с право на частичен ДК"_s,
        u"Акциз, включен в данъчната основа"_s};
    static const std::array<QString, JournalAmountCount> sales = {
        u"Обща стойност на доставката"_s,
        u"Данъчна основа на облагаемите доставки без износа"_s,
        u"Начислен данък по облагаеми доставки"_s,
        u"Данъчна основа на износа"_s,
        u"Данъчна основа на освободените доставки"_s,
        u"Начислен данък в други случаи"_s,
        u"Акциз, включен в данъчната основа"_s};
    return kind == VatJournalKind::Purchases ? purchases : sales;
}

bool SupplyTypeOf(VatJournalKind kind, int vidDostavka)
{
    return kind == VatJournalKind::Purchases ? vidDostavka >= 1 && vidDostavka <= 3
                                             : vidDostavka >= 4 && vidDostavka <= 7;
}

JournalAmounts AmountsOf(VatJournalKind kind, int vidDostavka, long long base, long long vat, long long excise)
{
    using namespace JournalColumn;
    JournalAmounts a;
    a[Excise] = excise;
    if (!SupplyTypeOf(kind, vidDostavka))
        return a;
    switch (vidDostavka) {
    case 1: a[Total] = base; a[PurchaseNoCredit] = base; break;
    case 2: a[Total] = base + vat; a[PurchaseFullBase] = base; a[PurchaseFullVat] = vat; break;
    case 3: a[Total] = base + vat; a[PurchasePartialBase] = base; a[PurchasePartialVat] = vat; break;
    case 4: a[Total] = base + vat; a[SaleTaxableBase] = base; a[SaleTaxableVat] = vat; break;
    case 5: a[Total] = base; a[SaleExportBase] = base; break;
    case 6: a[Total] = base; a[SaleExemptBase] = base; break;
    case 7: a[SaleOtherVat] = vat; break;
    default: break;
    }
    return a;
}

VatJournal Read(Db &firm, Db &registry, VatJournalKind kind, const QDate &from, const QDate &to)
{
    QHash<int, QString> docNames;
    QSqlQuery names = registry.exec(u"SELECT Doc_DDS_No, Doc_Name FROM DDSDoc"_s);
    while (names.next())
        docNames.insert(names.value(0).toInt(), names.value(1).toString());

    VatJournal journal;
    journal.kind = kind;
    journal.from = from;
    journal.to = to;
    // A document without a counterparty (or whose counterparty is gone) is still listed: its VAT
    // belongs in the journal whatever the counterparty columns show.
    QSqlQuery q = firm.exec(
        u"SELECT p.Nom_P_No, p.Nom_Doc_No, p.Nom_WithDDS, p.Nom_Dnevnik, p.Nom_DocType, p.Nom_DDoc_No, "
        "p.Nom_Doc_Date, p.Nom_Kontra, k.NomEl_No, k.NomEl_Name, k.NomEl_Dn, p.Nom_Doc_Osno, p.Nom_VidDostavka, "
        "p.Nom_DOsnova, p.Nom_DDS, p.Nom_AccInDOsnova "
        "FROM nom_p p LEFT JOIN kontra k ON k.NomEl_No = p.Nom_Kontra "
        "WHERE p.Nom_Dnevnik = ? AND p.Nom_DDSDate BETWEEN ? AND ? "
        "ORDER BY p.Nom_Doc_Date, p.Nom_DDoc_No, p.Nom_Doc_No"_s,
        {int(kind), Formats::SqlDate(from), Formats::SqlDate(to)});
    while (q.next()) {
        JournalRow r;
        r.Nom_P_No = q.value(0).toInt();
        r.Nom_Doc_No = q.value(1).toInt();
        r.WithDDS = q.value(2).toInt();
        r.Dnevnik = q.value(3).toInt();
        r.DocType = q.value(4).toInt();
        r.Doc_Text = docNames.value(r.DocType);
        r.Doc_No = std::llround(q.value(5).toDouble());
        r.Doc_Date = Formats::FromSqlDate(q.value(6).toString());
        r.KontraNo = q.value(7).toInt();
        r.kontraFound = !q.value(8).isNull();
        r.Kontra_Text = q.value(9).toString();
        r.Kontra_DN = q.value(10).toString();
        r.DostText = q.value(11).toString();
        r.VidDostavka = q.value(12).toInt();
        const auto base = StoredAmount(q.value(13)), vat = StoredAmount(q.value(14)),
                   excise = StoredAmount(q.value(15));
        r.amountsValid = base && vat && excise;
        r.DOsnova = base.value_or(0);
        r.DDS = vat.value_or(0);
        r.AccInDOsnova = excise.value_or(0);
        r.amounts = AmountsOf(kind, r.VidDostavka, r.DOsnova, r.DDS, r.AccInDOsnova);
        r.problem = RowProblem(r, kind);
        journal.rows << r;
    }
    journal.totals = Sum(journal.rows);
    return journal;
}

QString AmountText(long long stotinki) { return Formats::Amount(FromStotinki(stotinki)); }

std::optional<JournalTotals> Sum(const QList<JournalRow> &rows)
{
    JournalTotals totals{};
    for (const JournalRow &row : rows) {
        if (!row.amountsValid)
            return std::nullopt;
        for (int i = 0; i < JournalAmountCount; ++i)
            if (__builtin_add_overflow(totals[i], row.amounts[i].value_or(0), &totals[i]))
                return std::nullopt;
    }
    return totals;
}

}  // namespace VatJournals
