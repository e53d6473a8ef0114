#include "reportkit/Band.h"

#include "reportkit/Fonts.h"

#include <QFontMetricsF>

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

QStringList WrapText(const QString &text, double widthMm, double fontPt, bool bold)
{
    const QFontMetricsF metrics(ReportFont(fontPt, bold));
    const double limit = widthMm * MetricUnitsPerMm - 1;
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
