#include "reportkit/Layout.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace rk {

namespace {
bool Empty(const Band &b) { return b.cells.isEmpty() && b.extra.isEmpty() && b.minHeight <= 0; }
}  // namespace

ReportLayout::ReportLayout(const PageSetup &setup, PageSink &sink) : m_setup(setup), m_sink(sink) {}

void ReportLayout::setPageHeader(const Band &band)
{
    m_header = [band](const Band &) { return band; };
}

double ReportLayout::BandHeight(const Band &band)
{
    double height = band.minHeight;
    for (const Cell &c : band.cells) {
        const int lines = c.wrap ? std::max(1, int(FitCell(c).lines.size())) : 1;
        height = std::max(height, lines * LineHeightMm(c.fontPt) + 2 * CellPaddingMm);
    }
    return height;
}

double ReportLayout::footerHeight() const { return m_footerHeight; }

void ReportLayout::place(const Band &band, double y, double height)
{
    for (PageItem item : BandItems(band, height)) {
        item.rect.translate(m_setup.marginMm, y);
        // "{page}" in a text is the number of the page the band lands on.
        for (QString &line : item.lines)
            line.replace(u"{page}"_s, QString::number(m_page.number));
        m_page.items << item;
    }
}

void ReportLayout::startPage(const Band &next)
{
    m_page = Page{};
    m_page.number = m_pagesDone + 1;
    m_page.setup = m_setup;
    m_open = true;
    m_y = m_setup.marginMm;
    m_footerHeight = m_footer ? BandHeight(m_footer(m_page.number)) : 0;
    const Band header = m_header ? m_header(next) : Band{};
    for (const Band *b : {m_page.number == 1 ? static_cast<const Band *>(&m_title) : nullptr, &header}) {
        if (!b || Empty(*b))
            continue;
        const double h = BandHeight(*b);
        place(*b, m_y, h);
        m_y += h;
    }
    m_bodyTop = m_y;
}

void ReportLayout::closePage()
{
    if (!m_open)
        return;
    if (m_footer) {
        const Band footer = m_footer(m_page.number);
        const double h = BandHeight(footer);
        place(footer, m_setup.marginMm + m_setup.contentHeight() - h, h);
    }
    ++m_pagesDone;
    m_open = false;
    m_sink.addPage(std::move(m_page));
}

void ReportLayout::add(const Band &band)
{
    if (!m_open)
        startPage(band);
    addMeasured(band, BandHeight(band));
}

void ReportLayout::addMeasured(const Band &band, double h)
{
    const double bottom = m_setup.marginMm + m_setup.contentHeight() - footerHeight();
    const bool pageHasBands = m_y > m_bodyTop + 0.01;
    if ((band.breakBefore && pageHasBands) || (m_y + h > bottom && pageHasBands)) {
        closePage();
        startPage(band);
    }
    place(band, m_y, h);
    m_y += h;
}

double ReportLayout::spaceLeft() const
{
    return m_setup.marginMm + m_setup.contentHeight() - footerHeight() - m_y;
}

double ReportLayout::emptyPageSpace(const Band &next) const
{
    const double header = m_header ? BandHeight(m_header(next)) : 0;
    return m_setup.contentHeight() - footerHeight() - header;
}

void ReportLayout::addGroup(const QList<Band> &bands)
{
    if (bands.isEmpty())
        return;
    if (!m_open)
        startPage(bands.first());
    QList<double> heights;
    double height = 0;
    for (const Band &b : bands) {
        heights << BandHeight(b);
        height += heights.last();
    }
    if (height > spaceLeft() && height <= emptyPageSpace(bands.first())) {
        closePage();
        startPage(bands.first());
    }
    for (int i = 0; i < bands.size(); ++i)
        addMeasured(bands[i], heights[i]);
}

void ReportLayout::pageBreak()
{
    if (m_open)
        closePage();
}

void ReportLayout::finish()
{
    if (!m_open && m_pagesDone == 0)
        startPage(Band{});
    closePage();
}

QList<PageItem> BandItems(const Band &band, double height)
{
    QList<PageItem> items;
    for (const Cell &c : band.cells) {
        const QRectF box(c.x, 0, c.w, height);
        if (c.shade.isValid() || c.frame) {
            PageItem b;
            b.kind = PageItem::Kind::Box;
            b.rect = box;
            b.fill = c.shade;
            b.frame = c.frame;
            items << b;
        }
        if (c.text.isEmpty())
            continue;
        FittedText fitted = FitCell(c);
        PageItem t;
        t.kind = PageItem::Kind::Text;
        t.rect = box.adjusted(CellInsetMm, CellPaddingMm, -CellInsetMm, -CellPaddingMm);
        t.lines = std::move(fitted.lines);
        t.scale = fitted.scale;
        t.align = c.align;
        t.bold = c.bold;
        t.fontPt = c.fontPt;
        items << t;
    }
    items << band.extra;
    return items;
}

Band Stack(const QList<Band> &rows)
{
    Band stacked;
    double y = 0;
    for (const Band &row : rows) {
        const double h = ReportLayout::BandHeight(row);
        for (PageItem item : BandItems(row, h)) {
            item.rect.translate(0, y);
            stacked.extra << item;
        }
        y += h;
    }
    stacked.minHeight = y;
    return stacked;
}

Band PageNumberFooter(const PageSetup &setup, int page, const QString &stamp)
{
    Band b;
    b.cells << TextCell(0, 60, u"страница..."_s + QString::number(page));
    if (!stamp.isEmpty())
        b.cells << TextCell(setup.contentWidth() - 80, 80, stamp, Align::Right);
    for (Cell &c : b.cells)
        c.fontPt = 7;
    return b;
}

}  // namespace rk
