#include "vat/Declaration.h"

#include "engine/Errors.h"

using namespace Qt::StringLiterals;

namespace Declarations {

namespace {

// numerator / denominator rounded half away from zero; the denominator is not 0.
long long DivideRounded(__int128 numerator, __int128 denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const __int128 half = denominator / 2;
    const __int128 q = numerator >= 0 ? (numerator + half) / denominator
                                      : -((-numerator + half) / denominator);
    return static_cast<long long>(q);
}

using namespace JournalColumn;

}  // namespace

bool SingleMonth(const QDate &from, const QDate &to)
{
    return from.year() == to.year() && from.month() == to.month();
}

Declaration Compute(const FirmRecord &firm, const VatJournal &purchases, const VatJournal &sales,
                    const std::optional<SdMonth> &month)
{
    if (!purchases.totals || !sales.totals)
        throw MyException(JournalSumsMessage);
    const JournalTotals &p = *purchases.totals, &s = *sales.totals;
    Declaration d;
    d.firmName = firm.Firm_Name.left(30);
    d.address = firm.Firm_Adres.left(50);
    d.taxNumber = firm.Firm_DN.left(10);
    d.bulstat = firm.Firm_BS.left(10);
    d.signatory = firm.Firm_HedDDS.left(30);
    d.position = firm.Firm_HedDDSPr.left(15);
    d.from = sales.from;
    d.to = sales.to;

    d.c01 = s[SaleTaxableBase];
    d.c02 = s[SaleExportBase];
    d.c03 = s[SaleExemptBase];
    d.c31 = s[SaleTaxableVat];
    d.c32 = s[SaleOtherVat];
    d.c30 = d.c31 + d.c32;
    d.c21 = p[PurchaseNoCredit];
    d.c22 = p[PurchaseFullBase];
    d.c23 = p[PurchasePartialBase];
    d.c41 = p[PurchaseFullVat];
    d.c42 = p[PurchasePartialVat];

    // Without any supplies the share of taxable supplies has no value: it is 0, and the VAT of
    // purchases with partial credit gives no credit.
    const long long supplies = d.c01 + d.c02 + d.c03;
    d.c24 = supplies == 0 ? 0 : DivideRounded(__int128(d.c01 + d.c02) * CoefficientScale, supplies);
    // The partial credit is taken with the coefficient as printed and rounded to the cent before
    // the result is formed, so the printed 30 − 40 is the printed 50 or 60.
    d.c40 = DivideRounded(__int128(d.c42) * d.c24, CoefficientScale) + d.c41;
    const long long result = d.c30 - d.c40;
    d.c50 = result > 0 ? result : 0;
    d.c60 = result < 0 ? result : 0;

    if (month) {
        d.c71 = month->SD_KL71;
        d.c72 = month->SD_KL72;
        d.c80 = month->SD_KL80;
        d.paymentDate = month->SD_PlDate;
    }
    return d;
}

Declaration Build(Db &firm, Db &registry, const FirmRecord &record, const QDate &from, const QDate &to)
{
    std::optional<SdMonth> month;
    if (SingleMonth(from, to)) {
        month = MonthlyData::Find(firm, from.month());
        if (!month)
            throw MyException(MissingMonthMessage + QString::number(from.month()));
    }
    const VatJournal purchases = VatJournals::Read(firm, registry, VatJournalKind::Purchases, from, to);
    const VatJournal sales = VatJournals::Read(firm, registry, VatJournalKind::Sales, from, to);
    return Compute(record, purchases, sales, month);
}

QString CoefficientText(long long billionths)
{
    const long long magnitude = billionths < 0 ? -billionths : billionths;
    return (billionths < 0 ? u"-"_s : QString()) + QString::number(magnitude / CoefficientScale) + u'.'
           + u"%1"_s.arg(magnitude % CoefficientScale, 9, 10, QChar(u'0'));
}

QList<std::pair<QString, QString>> CellTexts(const Declaration &d)
{
    return {{u"01"_s, VatJournals::AmountText(d.c01)}, {u"02"_s, VatJournals::AmountText(d.c02)}, {u"03"_s, VatJournals::AmountText(d.c03)},
            {u"21"_s, VatJournals::AmountText(d.c21)}, {u"22"_s, VatJournals::AmountText(d.c22)}, {u"23"_s, VatJournals::AmountText(d.c23)},
            {u"24"_s, CoefficientText(d.c24)}, {u"30"_s, VatJournals::AmountText(d.c30)}, {u"31"_s, VatJournals::AmountText(d.c31)},
            {u"32"_s, VatJournals::AmountText(d.c32)}, {u"40"_s, VatJournals::AmountText(d.c40)}, {u"41"_s, VatJournals::AmountText(d.c41)},
            {u"42"_s, VatJournals::AmountText(d.c42)}, {u"50"_s, VatJournals::AmountText(d.c50)}, {u"60"_s, VatJournals::AmountText(d.c60)},
            {u"71"_s, VatJournals::AmountText(d.c71)}, {u"72"_s, VatJournals::AmountText(d.c72)}, {u"80"_s, VatJournals::AmountText(d.c80)}};
}

}  // namespace Declarations
