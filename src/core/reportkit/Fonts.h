#pragma once
// One font for every report, measured in a fixed unit so that wrapping is the same on screen,
// printer, PDF and text.
#include <QFont>

namespace rk {
// Metrics are taken with the point size scaled up by this factor per millimetre, then scaled
// back, so that rounding in the font engine does not change where lines break.
inline constexpr double MetricUnitsPerMm = 10.0;
// The font for a point size as measured by WrapText (scaled) …
QFont ReportFont(double fontPt, bool bold);
// … and as painted onto a device where one unit is one millimetre times `unitsPerMm`.
QFont PaintFont(double fontPt, bool bold, double unitsPerMm);
}  // namespace rk
