#include "reportkit/Page.h"

#include <QStringEncoder>
#include <cstring>

namespace rk {

namespace {

// An item as bytes: this header, then whichever of font size, scale, pen and fill differ from
// the usual (as the flags say), then its text in UTF-8. A ledger's page holds hundreds of items,
// and a year's ledger tens of thousands of pages: every byte is written to the spool.
struct ItemHeader {
    quint8 kind, align, flags, spare;
    float x, y, w, h;
    quint32 size;  // the text's UTF-8 bytes
};
enum Flag : quint8 { Bold = 1, Frame = 2, Fill = 4, Font = 8, Scale = 16, Pen = 32 };
constexpr double UsualFontPt = 8, UsualScale = 0, UsualPenMm = 0.2;

template <typename T> char *Put(char *out, const T &value)
{
    std::memcpy(out, &value, sizeof value);
    return out + sizeof value;
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

void EncodePage(const Page &page, QByteArray &out)
{
    QStringEncoder utf8(QStringEncoder::Utf8);
    qsizetype room = 32;
    for (const PageItem &i : page.items)
        room += qsizetype(sizeof(ItemHeader)) + 4 * sizeof(float) + utf8.requiredSpace(i.text.size());
    const qsizetype start = out.size();
    out.resize(start + room);
    char *at = out.data() + start;
    at = Put(at, qint32(page.number));
    at = Put(at, quint8(page.setup.landscape));
    at = Put(at, page.setup.marginMm);
    at = Put(at, quint32(page.items.size()));
    for (const PageItem &i : page.items) {
        const bool font = i.fontPt != UsualFontPt, scale = i.scale != UsualScale, pen = i.penMm != UsualPenMm;
        const quint8 flags = (i.bold ? Bold : 0) | (i.frame ? Frame : 0) | (i.fill.isValid() ? Fill : 0)
                             | (font ? Font : 0) | (scale ? Scale : 0) | (pen ? Pen : 0);
        char *header = at;
        at += sizeof(ItemHeader);
        if (font)
            at = Put(at, float(i.fontPt));
        if (scale)
            at = Put(at, float(i.scale));
        if (pen)
            at = Put(at, float(i.penMm));
        if (i.fill.isValid())
            at = Put(at, quint32(i.fill.rgba()));
        char *text = at;
        at = utf8.appendToBuffer(at, i.text);
        Put(header, ItemHeader{quint8(i.kind), quint8(i.align), flags, 0, float(i.rect.x()), float(i.rect.y()),
                               float(i.rect.width()), float(i.rect.height()), quint32(at - text)});
    }
    out.truncate(at - out.data());
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
        i.bold = (h.flags & Bold) != 0;
        i.frame = (h.flags & Frame) != 0;
        i.rect = QRectF(h.x, h.y, h.w, h.h);
        float value = 0;
        i.fontPt = (h.flags & Font) && Take(in, pos, value) ? value : UsualFontPt;
        i.scale = (h.flags & Scale) && Take(in, pos, value) ? value : UsualScale;
        i.penMm = (h.flags & Pen) && Take(in, pos, value) ? value : UsualPenMm;
        if (quint32 fill = 0; (h.flags & Fill) && Take(in, pos, fill))
            i.fill = QColor::fromRgba(fill);
        if (pos + qsizetype(h.size) > in.size())
            return page;
        i.text = QString::fromUtf8(in.constData() + pos, h.size);
        pos += qsizetype(h.size);
        page.items << i;
    }
    return page;
}

}  // namespace rk
