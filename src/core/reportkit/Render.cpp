#include "reportkit/Render.h"

#include "reportkit/Band.h"
#include "reportkit/Fonts.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace rk {

void PaintPage(QPainter &painter, const Page &page, double k)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    auto scaled = [k](const QRectF &r) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); };
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Box:
            if (item.fill.isValid())
                painter.fillRect(scaled(item.rect), item.fill);
            if (item.frame) {
                painter.setPen(QPen(Qt::black, item.penMm * k));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(scaled(item.rect));
            }
            break;
        case PageItem::Kind::Line:
            painter.setPen(QPen(Qt::black, item.penMm * k));
            painter.drawLine(QPointF(item.rect.left() * k, item.rect.top() * k),
                             QPointF(item.rect.right() * k, item.rect.bottom() * k));
            break;
        case PageItem::Kind::Text: {
            painter.setPen(Qt::black);
            painter.setFont(PaintFont(item.fontPt, item.bold, k));
            const double lineH = LineHeightMm(item.fontPt) * k;
            const Qt::Alignment h = item.align == Align::Right    ? Qt::AlignRight
                                    : item.align == Align::Center ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft;
            for (int i = 0; i < item.lines.size(); ++i) {
                const QRectF line(item.rect.x() * k, item.rect.y() * k + i * lineH, item.rect.width() * k, lineH);
                painter.drawText(line, h | Qt::AlignVCenter | Qt::TextDontClip, item.lines.at(i));
            }
            break;
        }
        }
    }
    painter.restore();
}

bool WritePdf(const QString &file, int count, const std::function<Page(int)> &pageAt, QString *error)
{
    QPdfWriter writer(file);
    if (!writer.setPageSize(QPageSize(QPageSize::A4))) {
        if (error)
            *error = u"A4"_s;
        return false;
    }
    writer.setResolution(300);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(u"Orvalis"_s);
    const double k = 300 / 25.4;
    QPainter painter;
    for (int i = 0; i < count; ++i) {
        const Page page = pageAt(i);
        writer.setPageOrientation(page.setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (i == 0) {
            if (!painter.begin(&writer)) {
                if (error)
                    *error = u"Не мога да запиша файла: "_s + file;
                return false;
            }
        } else if (!writer.newPage()) {
            if (error)
                *error = u"Не мога да запиша файла: "_s + file;
            return false;
        }
        PaintPage(painter, page, k);
    }
    if (count == 0) {
        if (!painter.begin(&writer)) {
            if (error)
                *error = u"Не мога да запиша файла: "_s + file;
            return false;
        }
    }
    painter.end();
    return true;
}

namespace {
constexpr double CharMm = 1.6;   // one text column
constexpr double RowMm = 3.5;    // one text row
}  // namespace

QString PageText(const Page &page)
{
    const int cols = int(std::ceil(page.setup.widthMm() / CharMm)) + 40;
    const int rows = int(std::ceil(page.setup.heightMm() / RowMm)) + 2;
    QList<QString> grid(rows, QString(cols, u' '));
    for (const PageItem &item : page.items) {
        if (item.kind != PageItem::Kind::Text)
            continue;
        for (int i = 0; i < item.lines.size(); ++i) {
            const QString &text = item.lines.at(i);
            const int row = int(std::lround((item.rect.top() + i * LineHeightMm(item.fontPt)) / RowMm));
            const int left = int(std::lround(item.rect.left() / CharMm));
            int col = left;
            // Text wider than its box in columns starts at the box, as it would overflow to the right.
            if (item.align == Align::Right)
                col = std::max(left, int(std::lround(item.rect.right() / CharMm)) - int(text.size()));
            else if (item.align == Align::Center)
                col = std::max(left, int(std::lround(item.rect.center().x() / CharMm)) - int(text.size()) / 2);
            if (row < 0 || row >= rows)
                continue;
            col = std::clamp(col, 0, cols - 1);
            QString &line = grid[row];
            for (int c = 0; c < text.size() && col + c < cols; ++c)
                line[col + c] = text.at(c);
        }
    }
    // Drop the margin columns and the trailing blanks.
    // Cells keep 1 mm from their left edge; a cell at the margin starts in column 0.
    const int marginCols = int(std::lround((page.setup.marginMm + 1) / CharMm));
    QStringList out;
    for (const QString &line : grid) {
        QString trimmed = line.mid(marginCols);
        while (trimmed.endsWith(u' '))
            trimmed.chop(1);
        out << trimmed;
    }
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    while (!out.isEmpty() && out.first().isEmpty())
        out.removeFirst();
    return out.join(u'\n') + u'\n';
}

QString ReportText(int count, const std::function<Page(int)> &pageAt)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += u"\f\n"_s;
        text += PageText(pageAt(i));
    }
    return text;
}

}  // namespace rk
