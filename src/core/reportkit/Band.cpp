#include "reportkit/Band.h"

#include "reportkit/Fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

namespace rk {

Cell TextCell(double x, double w, const QString &text, Align align, bool bold)
{
    Cell c;
    c.x = x;
    c.w = w;
    c.text = text;
    c.align = align;
    c.bold = bold;
    return c;
}

Cell NumberCell(double x, double w, const QString &text, bool bold) { return TextCell(x, w, text, Align::Right, bold); }

Cell FramedCell(double x, double w, const QString &text, double fontPt, Align align, bool bold)
{
    Cell c = TextCell(x, w, text, align, bold);
    c.frame = true;
    c.wrap = true;
    c.fontPt = fontPt;
    return c;
}

double LineHeightMm(double fontPt) { return fontPt * 25.4 / 72.0 * 1.25; }

namespace {
// Metrics are made once per size and weight: a ledger measures hundreds of thousands of cells.
const QFontMetricsF &Metrics(double fontPt, bool bold)
{
    static QHash<QPair<int, bool>, std::shared_ptr<QFontMetricsF>> cache;
    const QPair<int, bool> key(qRound(fontPt * 10), bold);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, std::make_shared<QFontMetricsF>(ReportFont(fontPt, bold)));
    return **it;
}
}  // namespace

QStringList WrapTextUncached(const QString &text, double widthMm, double fontPt, bool bold);

namespace {
struct TextKey {
    QString text;
    int width;  // hundredths of a millimetre
    int font;   // tenths of a point, negative for bold
    bool wrap;
    bool operator==(const TextKey &) const = default;
};
size_t qHash(const TextKey &k, size_t seed = 0) { return qHashMulti(seed, k.text, k.width, k.font, k.wrap); }

TextKey KeyOf(const QString &text, double widthMm, double fontPt, bool bold, bool wrap)
{
    const int font = qRound(fontPt * 10);
    return {text, qRound(widthMm * 100), bold ? -font : font, wrap};
}

// Ledgers repeat the same names thousands of times; shaping text is the costly part, so what
// was measured is kept, up to a bound.
template <typename T> class TextCache {
public:
    template <typename Make> T get(const TextKey &key, Make make)
    {
        if (const auto it = m_values.constFind(key); it != m_values.constEnd())
            return *it;
        if (m_values.size() > 20000)
            m_values.clear();
        const T value = make();
        m_values.insert(key, value);
        return value;
    }

private:
    QHash<TextKey, T> m_values;
};

// The room for a line of text in a width, in metric units; wrapping and fitting measure alike.
double Room(double widthMm) { return widthMm * MetricUnitsPerMm - 1; }

bool IsNumberText(const QString &text)
{
    for (const QChar c : text)
        if (!(c >= u'0' && c <= u'9') && c != u'.' && c != u'-' && c != u',' && c != u'+')
            return false;
    return !text.isEmpty();
}

// Numbers fill most cells of a report: their width is the sum of their characters' advances
// (the report font sets digits at one width), which needs no shaping.
double NumberWidth(const QString &text, double fontPt, bool bold)
{
    using Advances = std::array<double, 128>;
    static QHash<QPair<int, bool>, Advances> fonts;
    const QPair<int, bool> key(qRound(fontPt * 10), bold);
    auto it = fonts.constFind(key);
    if (it == fonts.constEnd()) {
        const QFontMetricsF &metrics = Metrics(fontPt, bold);
        Advances advances{};
        for (char16_t c : u"0123456789.-,+")
            if (c)
                advances[c] = metrics.horizontalAdvance(QChar(c));
        it = fonts.insert(key, advances);
    }
    double width = 0;
    for (const QChar c : text)
        width += (*it)[c.unicode()];
    return width;
}

// An upper bound of a text's width in metric units: the sum of its characters' advances (no
// kerning is applied) with a margin for what shaping may change; infinite for a character
// outside Latin and Cyrillic. A text within its room by this bound needs no shaping, and most
// report texts are.
double WidthBound(const QString &text, double fontPt, bool bold)
{
    using Advances = std::array<float, 0x500>;
    static QHash<QPair<int, bool>, std::shared_ptr<Advances>> fonts;
    const QPair<int, bool> key(qRound(fontPt * 10), bold);
    auto it = fonts.constFind(key);
    if (it == fonts.constEnd()) {
        const QFontMetricsF &metrics = Metrics(fontPt, bold);
        auto advances = std::make_shared<Advances>();
        for (char16_t c = 0; c < advances->size(); ++c)
            (*advances)[c] = float(metrics.horizontalAdvance(QChar(c)));
        it = fonts.insert(key, advances);
    }
    const Advances &advances = **it;
    double width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= advances.size() || c.unicode() < 0x20)
            return std::numeric_limits<double>::infinity();
        width += advances[c.unicode()];
    }
    return width * 1.05 + 1;
}

double WidthUnits(const QString &text, double fontPt, bool bold)
{
    if (IsNumberText(text))
        return NumberWidth(text, fontPt, bold);
    static TextCache<double> cache;
    return cache.get(KeyOf(text, 0, fontPt, bold, false),
                     [&] { return Metrics(fontPt, bold).horizontalAdvance(text); });
}

// A font a little smaller than the exact fit: the painter rounds font sizes to whole device
// units, which may make the text a shade wider than measured.
double Shrink(double room, double width) { return std::max(0.05, std::floor(room / width * 97) / 100); }

// The factor lines set on their own are made smaller by so that the widest fits the width.
double LinesScale(const QStringList &lines, double innerMm, double fontPt, bool bold)
{
    const double room = Room(innerMm);
    double width = 0;
    for (const QString &line : lines) {
        if (WidthBound(line, fontPt, bold) > room)
            width = std::max(width, WidthUnits(line, fontPt, bold));
    }
    return width > room ? Shrink(room, width) : 1.0;
}

FittedText FitUncached(const Cell &cell, double innerMm)
{
    const double room = Room(innerMm);
    if (!cell.wrap) {
        // A line break in the text starts a new line; the widest line decides the size.
        const QStringList lines = cell.text.split(u'\n');
        return {lines, LinesScale(lines, innerMm, cell.fontPt, cell.bold)};
    }
    const QStringList lines = WrapText(cell.text, innerMm, cell.fontPt, cell.bold);
    // Only a line of one word can be wider than the cell: it is set smaller, never broken.
    double widest = 0;
    for (const QString &line : lines)
        if (!line.contains(u' '))
            widest = std::max(widest, WidthUnits(line, cell.fontPt, cell.bold));
    if (widest <= room)
        return {lines, 1.0};
    const double scale = Shrink(room, widest);
    return {WrapText(cell.text, innerMm, cell.fontPt * scale, cell.bold), scale};
}
}  // namespace

QStringList WrapText(const QString &text, double widthMm, double fontPt, bool bold)
{
    static TextCache<QStringList> cache;
    return cache.get(KeyOf(text, widthMm, fontPt, bold, true),
                     [&] { return WrapTextUncached(text, widthMm, fontPt, bold); });
}

double TextWidthMm(const QString &text, double fontPt, bool bold)
{
    return WidthUnits(text, fontPt, bold) / MetricUnitsPerMm;
}

FittedText FitCell(const Cell &cell)
{
    const double inner = cell.w - 2 * CellInsetMm;
    if (cell.text.isEmpty())
        return {{}, 1.0};
    // A number that fits, measured on the spot; anything else once per text, width and font.
    if (!cell.wrap && IsNumberText(cell.text) && NumberWidth(cell.text, cell.fontPt, cell.bold) <= Room(inner))
        return {{cell.text}, 1.0};
    // Lines of their own are measured one by one, each line's width kept: their combinations (an
    // account over its lots) are too many to keep whole.
    if (cell.text.contains(u'\n')) {
        if (!cell.wrap)
            return FitUncached(cell, inner);
    } else if (WidthBound(cell.text, cell.fontPt, cell.bold) <= Room(inner)) {
        return {{cell.text}, 1.0};  // fits on one line: nothing to measure or keep
    }
    static TextCache<FittedText> cache;
    return cache.get(KeyOf(cell.text, inner, cell.fontPt, cell.bold, cell.wrap),
                     [&] { return FitUncached(cell, inner); });
}

bool FitsOneLine(const Cell &cell)
{
    return !cell.text.contains(u'\n') && WidthBound(cell.text, cell.fontPt, cell.bold) <= Room(cell.w - 2 * CellInsetMm);
}

double ItemScale(const PageItem &item)
{
    if (item.scale > 0 || item.kind != PageItem::Kind::Text)
        return item.scale;
    return LinesScale(item.lines(), item.rect.width(), item.fontPt, item.bold);
}

void FitPage(Page &page)
{
    for (PageItem &item : page.items)
        item.scale = ItemScale(item);
}

QStringList WrapTextUncached(const QString &text, double widthMm, double fontPt, bool bold)
{
    const QFontMetricsF &metrics = Metrics(fontPt, bold);
    const double limit = Room(widthMm);
    auto fits = [&](const QString &line) {
        return WidthBound(line, fontPt, bold) <= limit || metrics.horizontalAdvance(line) <= limit;
    };
    if (!text.contains(u'\n') && fits(text))
        return {text};
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n')) {
        QString line;
        for (const QString &word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (line.isEmpty() || fits(candidate))
                line = candidate;
            else {
                lines << line;
                line = word;
            }
        }
        lines << line;
    }
    return lines;
}

}  // namespace rk
