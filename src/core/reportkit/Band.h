#pragma once
// A band is one horizontal strip of a report: cells placed across the page, each with its text,
// alignment, weight, frame and shading. Its height follows its content: the cell with the most
// lines, wrapped to its width or broken where its text has line breaks.
#include "reportkit/Page.h"

#include <QVariant>

namespace rk {

// Text keeps this far from the left and right edges of its cell …
inline constexpr double CellInsetMm = 1;
// … and this far from its top and bottom.
inline constexpr double CellPaddingMm = 0.8;

struct Cell {
    double x = 0;   // mm from the left margin
    double w = 0;   // mm
    QString text;   // "\n" starts a new line
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
// A framed cell whose text wraps: the column headings and boxes of the printed lists.
Cell FramedCell(double x, double w, const QString &text, double fontPt, Align align = Align::Center, bool bold = true);

// Wrapped lines of a text in a width, with the same font the painter uses.
QStringList WrapText(const QString &text, double widthMm, double fontPt, bool bold);

// A cell's text as it is set: its lines, and the factor its font is set smaller by when a line
// (a number, or one word of a wrapped text) would not fit the cell at the cell's own size. The
// lines keep the cell's line pitch, so a smaller font never changes the band's height.
struct FittedText {
    QStringList lines;
    double scale = 1;
};
FittedText FitCell(const Cell &cell);
// True when the cell's text stands on one line at its own size, told without measuring most
// texts: what a band's height and a wrapped cell's lines need for the common short text.
bool FitsOneLine(const Cell &cell);
// The layout sets the lines of a cell that does not wrap as they stand and leaves their size
// unmeasured (scale 0): measuring takes longer than laying out, and most pages of a long report
// are never drawn. A page is fitted when it is taken for drawing or reading.
double ItemScale(const PageItem &item);
void FitPage(Page &page);
// The width of a text in millimetres at a point size.
double TextWidthMm(const QString &text, double fontPt, bool bold);
// The height of one text line in millimetres.
double LineHeightMm(double fontPt);

}  // namespace rk
