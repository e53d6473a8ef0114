#pragma once
// Renderers of finished pages: a painter for the preview, the printer and PDF, and plain text
// for tests and the command line.
#include "reportkit/Page.h"

#include <QString>
#include <functional>

class QIODevice;
class QPainter;

namespace rk {

// Paints the page with its top left corner at the painter's origin, `unitsPerMm` device units
// to the millimetre.
void PaintPage(QPainter &painter, const Page &page, double unitsPerMm);

// Writes pages 0..count-1 as a PDF document to an open device; false when it could not. Files
// are written through SavePdf (reportkit/Output.h), which checks them.
bool WritePdf(QIODevice &out, int count, const std::function<Page(int)> &pageAt);

// A page as text: a row of the page takes as many text rows as its tallest cell, and a column
// whose text is wider in characters than it is in print widens, moving what stands right of it.
QString PageText(const Page &page);
// All pages, separated by form feeds, their columns widened alike.
QString ReportText(int count, const std::function<Page(int)> &pageAt);

}  // namespace rk
