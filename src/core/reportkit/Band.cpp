#include "reportkit/Band.h"

#include "reportkit/Fonts.h"

#include <QFontMetricsF>
#include <QHash>
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
struct WrapKey {
    QString text;
    int width;  // hundredths of a millimetre
    int font;   // tenths of a point, negative for bold
    bool operator==(const WrapKey &) const = default;
};
size_t qHash(const WrapKey &k, size_t seed = 0) { return qHashMulti(seed, k.text, k.width, k.font); }
}  // namespace

QStringList WrapText(const QString &text, double widthMm, double fontPt, bool bold)
{
    // Ledgers repeat the same names thousands of times; shaping text is the costly part.
    static QHash<WrapKey, QStringList> cache;
    const int font = qRound(fontPt * 10);
    const WrapKey key{text, qRound(widthMm * 100), bold ? -font : font};
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    if (cache.size() > 20000)
        cache.clear();
    const QStringList lines = WrapTextUncached(text, widthMm, fontPt, bold);
    cache.insert(key, lines);
    return lines;
}

QStringList WrapTextUncached(const QString &text, double widthMm, double fontPt, bool bold)
{
    const QFontMetricsF &metrics = Metrics(fontPt, bold);
    const double limit = widthMm * MetricUnitsPerMm - 1;
    if (!text.contains(u'\n') && metrics.horizontalAdvance(text) <= limit)
        return {text};
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n')) {
        QString line;
        for (const QString &word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (line.isEmpty() || metrics.horizontalAdvance(candidate) <= limit)
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
