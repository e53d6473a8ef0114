#include "closing/ConversionReport.h"

#include "firm/Currency.h"
#include "reportkit/Layout.h"
#include "reports/ReportParts.h"

using namespace Qt::StringLiterals;
using ReportParts::Money;

namespace {

struct Column {
    double x, w;
};
// Сметка, Партиди, страна, сума в лева, сума в евро, разлика
constexpr std::array<Column, 6> Columns{{{0, 16}, {16, 68}, {84, 10}, {94, 30}, {124, 30}, {154, 26}}};

rk::Cell Framed(size_t column, const QString &text, rk::Align align = rk::Align::Center, bool bold = false)
{
    return rk::FramedCell(Columns[column].x, Columns[column].w, text, 7.5, align, bold);
}

rk::Band Header(int year)
{
    rk::Band b;
    const QString amount = u"Сума в лв."_s;
    const QStringList titles = {u"Сметка"_s,
                                u"Партиди"_s,
                                u"Дт/Кт"_s,
                                CurrencyCaption(amount, year),
                                CurrencyCaption(amount, year + 1),
                                u"Разлика от закръгляване"_s};
    for (size_t i = 0; i < Columns.size(); ++i)
        b.cells << Framed(i, titles[qsizetype(i)]);
    return b;
}

}  // namespace

ConversionListJob::ConversionListJob(StoredConversion conversion, QString firmName)
    : m_conversion(std::move(conversion)), m_firmName(std::move(firmName))
{
}

QString ConversionListJob::title() const { return u"Превалутиране в евро"_s; }

rk::PageSetup ConversionListJob::setup() const { return {}; }

void ConversionListJob::begin(rk::ReportLayout &layout)
{
    const double width = setup().contentWidth();
    const int year = m_conversion.sourceYear;
    layout.setTitle(ReportParts::TitleBlock(
        u"СПИСЪК ЗА ПРЕВАЛУТИРАНЕ НА САЛДАТА"_s, u"на "_s + m_firmName,
        u"Крайни салда на %1г. от „%2“ в лева, начални салда на %3г. в евро, курс %4 лв. за 1 евро"_s.arg(
            QString::number(year), m_conversion.sourceName, QString::number(year + 1), ConversionRateText()),
        width, 3));
    layout.setPageHeader(Header(year));
    layout.setPageFooter([](int page) { return rk::PageNumberFooter(rk::PageSetup{}, page, ReportParts::Stamp()); });
}

rk::Band ConversionListJob::line(const ConversionLine &l) const
{
    const bool bold = l.kind != ConversionLine::Key;
    auto cell = [&](size_t column, const QString &text, rk::Align align) {
        rk::Cell c = rk::TextCell(Columns[column].x, Columns[column].w, text, align, bold);
        c.wrap = column == 1;
        c.fontPt = 7.5;
        return c;
    };
    QString account = l.account ? QString::number(l.account) : QString();
    QString lots = l.lots;
    QString leva = Money(l.leva);
    switch (l.kind) {
    case ConversionLine::Key: break;
    case ConversionLine::AccountTotal: lots = u"Общо за сметка "_s + account; break;
    case ConversionLine::Total: lots = l.side == u"Дт"_s ? u"Общо дебит"_s : u"Общо кредит"_s; break;
    case ConversionLine::Imbalance: lots = u"Разлика в началните салда (не се изравнява)"_s; break;
    case ConversionLine::Difference:
        lots = u"Разлика от закръгляване, по сметка "_s + account;
        leva.clear();
        break;
    }
    rk::Band b;
    b.cells << cell(0, account, rk::Align::Left) << cell(1, lots, rk::Align::Left)
            << cell(2, l.side, rk::Align::Center) << cell(3, leva, rk::Align::Right)
            << cell(4, Money(l.euro), rk::Align::Right)
            << cell(5, l.difference ? Money(*l.difference) : QString(), rk::Align::Right);
    return b;
}

bool ConversionListJob::step(rk::ReportLayout &layout)
{
    if (m_next >= m_conversion.lines.size())
        return false;
    const ConversionLine &l = m_conversion.lines[m_next++];
    if (l.kind == ConversionLine::Total && l.side == u"Дт"_s)
        layout.add(ReportParts::Rule(setup().contentWidth(), 0.4));
    layout.add(line(l));
    return true;
}

void ConversionListJob::end(rk::ReportLayout &layout)
{
    rk::Band gap;
    gap.minHeight = 6;
    layout.add(gap);
    for (const rk::Band &b : ReportParts::SignatureBlock(setup().contentWidth()))
        layout.add(b);
}

int ConversionListJob::progress() const
{
    return m_conversion.lines.isEmpty() ? 100 : int(100.0 * m_next / m_conversion.lines.size());
}

StoredConversion StoredFrom(const CurrencyConversion &conversion, const QString &sourceName, int sourceYear)
{
    return {sourceName, sourceYear, conversion.differenceAccount, conversion.lines};
}
