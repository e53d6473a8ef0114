#pragma once
// A band is one horizontal strip of a report: cells placed across the page, each with its text,
// alignment, weight, frame and shading. The height is the tallest wrapped cell.
#include "reportkit/Page.h"

#include <QVariant>

namespace rk {

struct Cell {
    double x = 0;   // mm from the left margin
    double w = 0;   // mm
    QString text;
    Align align = Align::Left;
    bool bold = false;
    bool frame = false;
    QColor shade;   // invalid = none
    bool wrap = false;
    double fontPt = 8;
};

struct Band {
    QList<Cell> cells;
    QList<PageItem> extra;   // rules and boxes, y relative to the band's top
    double minHeight = 0;    // mm
    bool breakBefore = false;
    // What the band stands for (a statement line's number, …), for a page header that follows
    // the band about to print; the engine itself never reads it.
    QVariant tag;
};

// Cell helpers for the common shapes.
Cell TextCell(double x, double w, const QString &text, Align align = Align::Left, bool bold = false);
Cell NumberCell(double x, double w, const QString &text, bool bold = false);

// Wrapped lines of a text in a width, with the same font the painter uses.
QStringList WrapText(const QString &text, double widthMm, double fontPt, bool bold);
// The height of one text line in millimetres.
double LineHeightMm(double fontPt);

}  // namespace rk
