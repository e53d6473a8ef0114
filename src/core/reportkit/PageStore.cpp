#include "reportkit/PageStore.h"

#include "engine/Errors.h"


using namespace Qt::StringLiterals;

namespace rk {

PageStore::PageStore() : m_file(std::make_unique<QTemporaryFile>())
{
    if (!m_file->open())
        throw MyException(u"Не мога да създам временен файл за страниците на справката!"_s);
}

void PageStore::addPage(const Page &page)
{
    EncodePage(page, m_bytes);
    const QByteArray &bytes = m_bytes;
    m_offsets.push_back(m_end);
    // Pages are appended where the last one ended; only a read in between moves the file's
    // position (and a seek would flush the write buffer on every page).
    if (m_readSinceWrite) {
        m_file->seek(m_end);
        m_readSinceWrite = false;
    }
    if (m_file->write(bytes) != bytes.size())
        throw MyException(u"Не мога да запиша страниците на справката във временния файл!"_s);
    m_end += bytes.size();
}

Page PageStore::page(int index) const
{
    if (index < 0 || index >= count())
        return {};
    if (index != m_cachedIndex) {
        m_file->flush();
        m_file->seek(m_offsets[size_t(index)]);
        m_readSinceWrite = true;
        const qint64 end = size_t(index) + 1 < m_offsets.size() ? m_offsets[size_t(index) + 1] : m_end;
        const QByteArray bytes = m_file->read(end - m_offsets[size_t(index)]);
        m_cached = DecodePage(bytes);
        FitPage(m_cached);
        m_cachedIndex = index;
    }
    return m_cached;
}

}  // namespace rk
