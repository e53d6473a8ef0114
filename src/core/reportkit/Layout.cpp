#include "reportkit/Layout.h"

#include <QVarLengthArray>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace rk {

namespace {
bool Empty(const Band &b) { return b.cells.isEmpty() && b.extra.isEmpty() && b.minHeight <= 0; }
}  // namespace

ReportLayout::ReportLayout(const PageSetup &setup, PageSink &sink) : m_setup(setup), m_sink(sink) {}

void ReportLayout::setPageHeader(const Band &band)
{
    m_header = nullptr;
    const double h = BandHeight(band);
    m_fixedHeader = Laid{BandItems(band, h), h};
}

double ReportLayout::BandHeight(const Band &band)
{
    double height = band.minHeight;
    for (const Cell &c : band.cells) {
        const int lines = !c.wrap ? int(c.text.count(u'\n')) + 1
                          : FitsOneLine(c) ? 1
                                           : std::max(1, int(FitCell(c).lines.size()));
        height = std::max(height, lines * LineHeightMm(c.fontPt) + 2 * CellPaddingMm);
    }
    return height;
}

double ReportLayout::footerHeight() const { return m_footerHeight; }

void ReportLayout::place(const Band &band, double y, double height)
{
    const qsizetype first = m_page.items.size();
    AppendBandItems(m_page.items, band, height, m_setup.marginMm, y);
    fillPageField(first);
}

void ReportLayout::placeLaid(const Laid &laid, double y)
{
    const qsizetype first = m_page.items.size();
    for (const PageItem &item : laid.items)
        m_page.items.emplace_back(item).rect.translate(m_setup.marginMm, y);
    fillPageField(first);
}

// "{page}" in a text is the number of the page the band lands on.
void ReportLayout::fillPageField(qsizetype first)
{
    for (qsizetype i = first; i < m_page.items.size(); ++i)
        if (QString &text = m_page.items[i].text; text.contains(u'{'))
            text.replace(u"{page}"_s, QString::number(m_page.number));
}

void ReportLayout::startPage(const Band &next)
{
    // The items' room is kept from page to page.
    m_page.items.clear();
    m_page.number = m_pagesDone + 1;
    m_page.setup = m_setup;
    m_open = true;
    m_y = m_setup.marginMm;
    m_pageFooter = m_footer ? m_footer(m_page.number) : Band{};
    m_footerHeight = m_footer ? BandHeight(m_pageFooter) : 0;
    const Band header = m_header ? m_header(next) : Band{};
    for (const Band *b : {m_page.number == 1 ? static_cast<const Band *>(&m_title) : nullptr, &header}) {
        if (!b || Empty(*b))
            continue;
        const double h = BandHeight(*b);
        place(*b, m_y, h);
        m_y += h;
    }
    if (m_fixedHeader) {
        placeLaid(*m_fixedHeader, m_y);
        m_y += m_fixedHeader->height;
    }
    // The groups this page continues, outermost first.
    for (const OpenGroup &g : std::as_const(m_groups)) {
        if (!g.placed)
            continue;
        for (const Band &b : g.continuation) {
            const double h = BandHeight(b);
            place(b, m_y, h);
            m_y += h;
        }
    }
    m_bodyTop = m_y;
}

void ReportLayout::closePage()
{
    if (!m_open)
        return;
    if (m_footer)
        place(m_pageFooter, m_setup.marginMm + m_setup.contentHeight() - m_footerHeight, m_footerHeight);
    ++m_pagesDone;
    m_open = false;
    m_sink.addPage(m_page);
}

void ReportLayout::add(const Band &band)
{
    if (!m_held.isEmpty()) {
        QList<Band> unit = std::exchange(m_held, {});
        unit << band;
        placeTogether(unit);
        return;
    }
    if (!m_open)
        startPage(band);
    addMeasured(band, BandHeight(band));
    markGroupsPlaced();
}

// A group is on a page once its header, or without one its first band, is: only the pages after
// that one continue it.
void ReportLayout::markGroupsPlaced()
{
    for (OpenGroup &g : m_groups)
        g.placed = true;
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
    double continuations = 0;
    for (const OpenGroup &g : m_groups)
        if (g.placed)
            continuations += g.height;
    const double header = m_fixedHeader ? m_fixedHeader->height : m_header ? BandHeight(m_header(next)) : 0;
    return m_setup.contentHeight() - footerHeight() - header - continuations;
}

void ReportLayout::addGroup(const QList<Band> &bands) { placeTogether(std::exchange(m_held, {}) + bands); }

void ReportLayout::placeTogether(const QList<Band> &bands)
{
    if (bands.isEmpty())
        return;
    if (!m_open)
        startPage(bands.first());
    QVarLengthArray<double, 8> heights;
    double height = 0;
    for (const Band &b : bands) {
        heights.append(BandHeight(b));
        height += heights.last();
    }
    if (height > spaceLeft() && height <= emptyPageSpace(bands.first())) {
        closePage();
        startPage(bands.first());
    }
    for (int i = 0; i < bands.size(); ++i)
        addMeasured(bands[i], heights[i]);
    markGroupsPlaced();
}

void ReportLayout::placeHeld() { placeTogether(std::exchange(m_held, {})); }

void ReportLayout::openGroup(const QList<Band> &header, const QList<Band> &continuation)
{
    OpenGroup g;
    g.continuation = continuation;
    for (const Band &b : continuation)
        g.height += BandHeight(b);
    m_groups.append(g);
    m_held << header;
}

void ReportLayout::closeGroup()
{
    placeHeld();
    if (!m_groups.isEmpty())
        m_groups.removeLast();
}

void ReportLayout::pageBreak()
{
    if (m_open)
        closePage();
}

void ReportLayout::finish()
{
    placeHeld();
    m_groups.clear();
    if (!m_open && m_pagesDone == 0)
        startPage(Band{});
    closePage();
}

void AppendBandItems(QList<PageItem> &items, const Band &band, double height, double dx, double dy)
{
    for (const Cell &c : band.cells) {
        const QRectF box(c.x + dx, dy, c.w, height);
        if (c.shade.isValid() || c.frame) {
            PageItem &b = items.emplace_back();
            b.kind = PageItem::Kind::Box;
            b.rect = box;
            b.fill = c.shade;
            b.frame = c.frame;
        }
        if (c.text.isEmpty())
            continue;
        PageItem &t = items.emplace_back();
        t.kind = PageItem::Kind::Text;
        t.rect = box.adjusted(CellInsetMm, CellPaddingMm, -CellInsetMm, -CellPaddingMm);
        if (c.wrap && FitsOneLine(c)) {
            t.text = c.text;
        } else if (c.wrap) {
            const FittedText fitted = FitCell(c);
            t.text = fitted.lines.join(u'\n');
            t.scale = fitted.scale;
        } else {
            t.text = c.text;
            t.scale = 0;
        }
        t.align = c.align;
        t.bold = c.bold;
        t.fontPt = c.fontPt;
    }
    for (const PageItem &e : band.extra)
        items.emplace_back(e).rect.translate(dx, dy);
}

QList<PageItem> BandItems(const Band &band, double height)
{
    QList<PageItem> items;
    AppendBandItems(items, band, height, 0, 0);
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
