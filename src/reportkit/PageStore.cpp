#include "reportkit/PageStore.h"

#include "data/Errors.h"

#include <QDataStream>

using namespace Qt::StringLiterals;

namespace rk {

PageStore::PageStore() : m_file(std::make_unique<QTemporaryFile>())
{
    if (!m_file->open())
        throw MyException(u"Не мога да създам временен файл за страниците на справката!"_s);
}

void PageStore::addPage(Page &&page)
{
    m_file->seek(m_file->size());
    m_offsets.push_back(m_file->pos());
    QDataStream out(m_file.get());
    out << page;
    m_file->flush();
}

Page PageStore::page(int index) const
{
    if (index < 0 || index >= count())
        return {};
    if (index != m_cachedIndex) {
        m_file->seek(m_offsets[size_t(index)]);
        QDataStream in(m_file.get());
        Page p;
        in >> p;
        m_cached = std::move(p);
        m_cachedIndex = index;
    }
    return m_cached;
}

}  // namespace rk
