#include "reportkit/Render.h"

#include "reportkit/Band.h"
#include "reportkit/Fonts.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

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
            painter.setFont(PaintFont(item.fontPt * ItemScale(item), item.bold, k));
            const double lineH = LineHeightMm(item.fontPt) * k;
            const Qt::Alignment h = item.align == Align::Right    ? Qt::AlignRight
                                    : item.align == Align::Center ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft;
            const QStringList lines = item.lines();
            for (int i = 0; i < lines.size(); ++i) {
                const QRectF line(item.rect.x() * k, item.rect.y() * k + i * lineH, item.rect.width() * k, lineH);
                painter.drawText(line, h | Qt::AlignVCenter | Qt::TextDontClip, lines.at(i));
            }
            break;
        }
        }
    }
    painter.restore();
}

bool WritePdf(QIODevice &out, int count, const std::function<Page(int)> &pageAt)
{
    QPdfWriter writer(&out);
    if (!writer.setPageSize(QPageSize(QPageSize::A4)))
        return false;
    writer.setResolution(300);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(u"Orvalis"_s);
    const double k = 300 / 25.4;
    QPainter painter;
    for (int i = 0; i < count; ++i) {
        const Page page = pageAt(i);
        writer.setPageOrientation(page.setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (i == 0 ? !painter.begin(&writer) : !writer.newPage())
            return false;
        PaintPage(painter, page, k);
    }
    if (count == 0 && !painter.begin(&writer))
        return false;
    // The file's last part is written as the painter ends.
    return painter.end();
}

namespace {
constexpr double CharMm = 1.6;     // one text column
constexpr double RowMm = 3.5;      // one blank text row
constexpr double SameRowMm = 0.05; // lines this close share a text row

int NaturalColumn(double mm) { return int(std::lround(mm / CharMm)); }
qint64 EdgeKey(double mm) { return std::llround(mm * 100); }

// Where the edges of the text boxes land in text columns, the same on every page. Edges keep
// their order and at least their printed distance, and every box is as wide as its longest line:
// a column whose text takes more characters than its width gives widens, and what stands right
// of it moves over, so no text runs into its neighbour.
class TextColumns {
public:
    void note(const Page &page)
    {
        for (const PageItem &item : page.items) {
            if (item.kind != PageItem::Kind::Text || item.text.isEmpty())
                continue;
            int need = 0;
            for (const QString &line : item.lines())
                need = std::max(need, int(line.size()));
            const qint64 left = EdgeKey(item.rect.left()), right = EdgeKey(item.rect.right());
            m_edges.insert({left, 0});
            m_edges.insert({right, 0});
            if (right > left) {
                int &known = m_needs[{left, right}];
                known = std::max(known, need);
            }
        }
    }

    void solve()
    {
        // Every box runs left to right, so one pass in edge order settles each edge for good.
        std::map<qint64, std::vector<std::pair<qint64, int>>> byRight;
        for (const auto &[box, need] : m_needs)
            byRight[box.second].push_back({box.first, need});
        qint64 previous = 0;
        bool first = true;
        for (auto &[edge, column] : m_edges) {
            column = first ? NaturalColumn(edge / 100.0)
                           : m_edges[previous] + NaturalColumn(edge / 100.0) - NaturalColumn(previous / 100.0);
            for (const auto &[left, need] : byRight[edge])
                column = std::max(column, m_edges[left] + need);
            previous = edge;
            first = false;
        }
    }

    int at(double mm) const
    {
        const qint64 key = EdgeKey(mm);
        auto it = m_edges.upper_bound(key);
        if (it == m_edges.begin())
            return NaturalColumn(mm);
        --it;
        return it->second + NaturalColumn(mm) - NaturalColumn(it->first / 100.0);
    }

private:
    std::map<qint64, int> m_edges;
    std::map<std::pair<qint64, qint64>, int> m_needs;
};

// One text line of an item, where it stands on the page.
struct PlacedLine {
    double y;
    double pitch;
    const PageItem *item;
    QString text;
};

// The page's text rows: the lines of a row of the page share a text row, the next row of the
// page takes the next text row, so a cell of three lines makes its band three rows tall; a
// gap on the page (a spacer band, the space above the footer) becomes blank rows.
QString PageText(const Page &page, const TextColumns &columns)
{
    QList<PlacedLine> placed;
    for (const PageItem &item : page.items) {
        if (item.kind != PageItem::Kind::Text)
            continue;
        const double pitch = LineHeightMm(item.fontPt);
        const QStringList lines = item.lines();
        for (int i = 0; i < lines.size(); ++i)
            placed.append({item.rect.top() + i * pitch, pitch, &item, lines.at(i)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const PlacedLine &a, const PlacedLine &b) { return a.y < b.y; });
    QStringList rows;
    int row = -1;
    double rowY = 0, rowPitch = 0;
    for (const PlacedLine &line : placed) {
        if (row < 0 || line.y - rowY > SameRowMm) {
            // Bands follow one another with their cells' padding between the lines.
            const double gap = row < 0 ? 0 : line.y - rowY - rowPitch - 2 * CellPaddingMm;
            row += 1 + std::max(0, int(std::lround(gap / RowMm)));
            rowY = line.y;
            rowPitch = 0;
        }
        rowPitch = std::max(rowPitch, line.pitch);
        const PageItem &item = *line.item;
        const QString &text = line.text;
        const int left = columns.at(item.rect.left()), right = std::max(left, columns.at(item.rect.right()));
        const int size = int(text.size());
        int col = left;
        if (item.align == Align::Right)
            col = std::max(left, right - size);
        else if (item.align == Align::Center)
            col = std::max(left, (left + right - size) / 2);
        while (rows.size() <= row)
            rows.append(QString());
        QString &out = rows[row];
        if (out.size() < col + size)
            out.append(QString(col + size - out.size(), u' '));
        out.replace(col, size, text);
    }
    // Drop the margin columns and the trailing blanks; a cell at the margin starts in column 0.
    const int marginCols = NaturalColumn(page.setup.marginMm + CellInsetMm);
    QStringList out;
    for (const QString &line : std::as_const(rows)) {
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
}  // namespace

QString PageText(const Page &page)
{
    TextColumns columns;
    columns.note(page);
    columns.solve();
    return PageText(page, columns);
}

QString ReportText(int count, const std::function<Page(int)> &pageAt)
{
    // Columns widen alike on every page: the pages are read once for the widths, once for the text.
    TextColumns columns;
    for (int i = 0; i < count; ++i)
        columns.note(pageAt(i));
    columns.solve();
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += u"\f\n"_s;
        text += PageText(pageAt(i), columns);
    }
    return text;
}

}  // namespace rk
