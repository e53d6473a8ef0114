#include "reports/ReportParts.h"

#include "engine/Engine.h"
#include "reportkit/Layout.h"

using namespace Qt::StringLiterals;

namespace ReportParts {

QString Stamp() { return Product::Name + Product::V1 + Product::V2 + Product::V3 + u" "_s + Product::Maker; }

QList<rk::Band> SignatureBlock(double width)
{
    QList<rk::Band> bands;
    for (const QString &line : {u"Дата..............................................................."_s,
                                u"Главен счетоводител:.........................................."_s,
                                u"Ръководител..................................................."_s}) {
        rk::Band b;
        b.cells << rk::TextCell(0, width * 0.6, line);
        b.minHeight = 7;
        bands << b;
    }
    rk::Band stamp;
    stamp.cells << rk::TextCell(0, width * 0.6, Stamp());
    stamp.cells.last().fontPt = 6;
    bands << stamp;
    return bands;
}

rk::Band TitleLine(const QString &text, double width, double fontPt, bool bold)
{
    rk::Band b;
    b.cells << rk::TextCell(0, width, text, rk::Align::Center, bold);
    b.cells.last().fontPt = fontPt;
    return b;
}

rk::Band TitleBlock(const QString &name, const QString &firmLine, const QString &periodLine, double width,
                    double gapMm)
{
    rk::Band block = rk::Stack({TitleLine(name, width, 13), TitleLine(firmLine, width, 10, false),
                                TitleLine(periodLine, width, 9, false)});
    block.minHeight += gapMm;
    return block;
}

rk::Band Rule(double width, double penMm)
{
    rk::Band b;
    b.minHeight = 1;
    rk::PageItem line;
    line.kind = rk::PageItem::Kind::Line;
    line.rect = QRectF(0, 0.5, width, 0);
    line.penMm = penMm;
    b.extra << line;
    return b;
}

QString Money(double value)
{
    QString text = QString::number(value, 'f', 2);
    if (text == u"-0.00"_s)
        text = u"0.00"_s;
    return text;
}

}  // namespace ReportParts
