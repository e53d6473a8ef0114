#pragma once
// The report engine's output: pages of simple items (text in a box, a line, a filled box) in
// millimetres from the page's top left corner. Pages are made one at a time and can be spooled
// to disk, so a long ledger is never held in memory whole.
#include <QColor>
#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace rk {

enum class Align : quint8 { Left, Center, Right };

struct PageItem {
    enum class Kind : quint8 { Text, Line, Box };
    Kind kind = Kind::Text;
    QRectF rect;            // mm; a line runs from the top left to the bottom right corner
    QString text;           // its lines, already wrapped to the box, "\n" between them
    QStringList lines() const { return text.split(u'\n'); }
    Align align = Align::Left;
    bool bold = false;
    double fontPt = 8;      // the line pitch follows this size …
    double scale = 1;       // … the text is set at fontPt × scale, smaller where it would not fit
    QColor fill;            // boxes; invalid = none
    bool frame = false;     // boxes: draw the border
    double penMm = 0.2;     // lines and frames
};

struct PageSetup {
    bool landscape = false;
    double marginMm = 12.7;
    double widthMm() const { return landscape ? 297.0 : 210.0; }
    double heightMm() const { return landscape ? 210.0 : 297.0; }
    double contentWidth() const { return widthMm() - 2 * marginMm; }
    double contentHeight() const { return heightMm() - 2 * marginMm; }
};

struct Page {
    int number = 0;
    PageSetup setup;
    QList<PageItem> items;
};

// A page as bytes for the spool file and back. Coordinates are kept as floats: a
// hundred-thousandth of a millimetre is more than any printer resolves.
// The page's bytes are appended to `out`.
void EncodePage(const Page &page, QByteArray &out);
Page DecodePage(const QByteArray &bytes);

}  // namespace rk
