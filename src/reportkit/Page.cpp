#include "reportkit/Page.h"

namespace rk {

QDataStream &operator<<(QDataStream &out, const PageItem &i)
{
    return out << quint8(i.kind) << i.rect << i.lines << quint8(i.align) << i.bold << i.fontPt << i.fill << i.frame
               << i.penMm;
}

QDataStream &operator>>(QDataStream &in, PageItem &i)
{
    quint8 kind = 0, align = 0;
    in >> kind >> i.rect >> i.lines >> align >> i.bold >> i.fontPt >> i.fill >> i.frame >> i.penMm;
    i.kind = PageItem::Kind(kind);
    i.align = Align(align);
    return in;
}

QDataStream &operator<<(QDataStream &out, const Page &p)
{
    return out << qint32(p.number) << p.setup.landscape << p.setup.marginMm << p.items;
}

QDataStream &operator>>(QDataStream &in, Page &p)
{
    qint32 number = 0;
    in >> number >> p.setup.landscape >> p.setup.marginMm >> p.items;
    p.number = number;
    return in;
}

}  // namespace rk
