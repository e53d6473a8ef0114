#include "reportkit/Page.h"

#include <cstring>

namespace rk {

namespace {

struct ItemHeader {
    quint8 kind, align, flags, spare;  // flags: 1 bold, 2 frame, 4 fill
    float fontPt, scale, penMm;
    float x, y, w, h;
    quint32 fill;  // ARGB
    quint32 lines;
};

template <typename T> void Put(QByteArray &out, const T &value)
{
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

template <typename T> bool Take(const QByteArray &in, qsizetype &pos, T &value)
{
    if (pos + qsizetype(sizeof value) > in.size())
        return false;
    std::memcpy(&value, in.constData() + pos, sizeof value);
    pos += sizeof value;
    return true;
}

}  // namespace

QByteArray EncodePage(const Page &page)
{
    qsizetype size = 32;
    for (const PageItem &i : page.items) {
        size += qsizetype(sizeof(ItemHeader));
        for (const QString &line : i.lines)
            size += qsizetype(sizeof(quint32)) + line.size() * 2;
    }
    QByteArray out;
    out.reserve(size);
    Put(out, qint32(page.number));
    Put(out, quint8(page.setup.landscape));
    Put(out, page.setup.marginMm);
    Put(out, quint32(page.items.size()));
    for (const PageItem &i : page.items) {
        const quint8 flags = (i.bold ? 1 : 0) | (i.frame ? 2 : 0) | (i.fill.isValid() ? 4 : 0);
        const ItemHeader h{quint8(i.kind),
                           quint8(i.align),
                           flags,
                           0,
                           float(i.fontPt),
                           float(i.scale),
                           float(i.penMm),
                           float(i.rect.x()),
                           float(i.rect.y()),
                           float(i.rect.width()),
                           float(i.rect.height()),
                           i.fill.isValid() ? quint32(i.fill.rgba()) : 0u,
                           quint32(i.lines.size())};
        Put(out, h);
        for (const QString &line : i.lines) {
            Put(out, quint32(line.size()));
            out.append(reinterpret_cast<const char *>(line.utf16()), line.size() * 2);
        }
    }
    return out;
}

Page DecodePage(const QByteArray &in)
{
    Page page;
    qsizetype pos = 0;
    qint32 number = 0;
    quint8 landscape = 0;
    quint32 count = 0;
    if (!Take(in, pos, number) || !Take(in, pos, landscape) || !Take(in, pos, page.setup.marginMm)
        || !Take(in, pos, count))
        return {};
    page.number = number;
    page.setup.landscape = landscape != 0;
    page.items.reserve(count);
    for (quint32 n = 0; n < count; ++n) {
        ItemHeader h{};
        if (!Take(in, pos, h))
            break;
        PageItem i;
        i.kind = PageItem::Kind(h.kind);
        i.align = Align(h.align);
        i.bold = (h.flags & 1) != 0;
        i.frame = (h.flags & 2) != 0;
        i.fontPt = h.fontPt;
        i.scale = h.scale;
        i.penMm = h.penMm;
        i.rect = QRectF(h.x, h.y, h.w, h.h);
        if (h.flags & 4)
            i.fill = QColor::fromRgba(h.fill);
        for (quint32 l = 0; l < h.lines; ++l) {
            quint32 size = 0;
            if (!Take(in, pos, size) || pos + qsizetype(size) * 2 > in.size())
                return page;
            i.lines << QString(reinterpret_cast<const QChar *>(in.constData() + pos), size);
            pos += size * 2;
        }
        page.items << i;
    }
    return page;
}

}  // namespace rk
