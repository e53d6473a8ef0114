#include "reportkit/Fonts.h"

namespace rk {

static QFont Base(bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont ReportFont(double fontPt, bool bold)
{
    QFont font = Base(bold);
    // pixel size in "metric units": pt → mm → units
    font.setPixelSize(qMax(1, qRound(fontPt * 25.4 / 72.0 * MetricUnitsPerMm)));
    return font;
}

QFont PaintFont(double fontPt, bool bold, double unitsPerMm)
{
    QFont font = Base(bold);
    font.setPixelSize(qMax(1, qRound(fontPt * 25.4 / 72.0 * unitsPerMm)));
    return font;
}

}  // namespace rk
