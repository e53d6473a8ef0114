#pragma once
// Pieces every printed report of the books shares: the program stamp, the signature block and
// the amount format of the report rows.
#include "reportkit/Band.h"

namespace ReportParts {
// "Orvalis--V1.0.2 Quillon" as the footers and closing blocks print it.
QString Stamp();
// "Дата…", "Главен счетоводител:…", "Ръководител…" and the stamp under them.
QList<rk::Band> SignatureBlock(double width);
// A bold centred title line.
rk::Band TitleLine(const QString &text, double width, double fontPt = 12, bool bold = true);
// The title block of the first page: the report's name, the firm line and the period line,
// centred, with `gapMm` below.
rk::Band TitleBlock(const QString &name, const QString &firmLine, const QString &periodLine, double width,
                    double gapMm);
// A full-width rule, `penMm` thick, at the bottom of an otherwise empty band.
rk::Band Rule(double width, double penMm);
// "0.00"
QString Money(double value);
}  // namespace ReportParts
