#include "reportkit/PageStore.h"

#include "engine/Errors.h"


using namespace Qt::StringLiterals;

namespace rk {

namespace {
constexpr qsizetype WriteBytes = 1 << 20;
}  // namespace

PageStore::PageStore() : m_file(std::make_unique<QTemporaryFile>())
{
    if (!m_file->open())
        throw MyException(u"Не мога да създам временен файл за страниците на справката!"_s);
    m_waiting.reserve(2 * WriteBytes);
}

void PageStore::addPage(const Page &page)
{
    m_offsets.push_back(m_written + m_waiting.size());
    EncodePage(page, m_waiting);
    if (m_waiting.size() >= WriteBytes)
        writeWaiting();
}

void PageStore::writeWaiting() const
{
    if (m_waiting.isEmpty())
        return;
    // Pages are appended where the last one ended; only a read in between moves the file's
    // position.
    if (m_readSinceWrite) {
        m_file->seek(m_written);
        m_readSinceWrite = false;
    }
    if (m_file->write(m_waiting) != m_waiting.size())
        throw MyException(u"Не мога да запиша страниците на справката във временния файл!"_s);
    m_written += m_waiting.size();
    m_waiting.resize(0);
}

Page PageStore::page(int index) const
{
    if (index < 0 || index >= count())
        return {};
    if (index != m_cachedIndex) {
        const qint64 offset = m_offsets[size_t(index)];
        const qint64 end = size_t(index) + 1 < m_offsets.size() ? m_offsets[size_t(index) + 1]
                                                                 : m_written + m_waiting.size();
        QByteArray bytes;
        if (offset >= m_written) {
            bytes = m_waiting.mid(offset - m_written, end - offset);
        } else {
            writeWaiting();
            m_file->flush();
            m_file->seek(offset);
            m_readSinceWrite = true;
            bytes = m_file->read(end - offset);
            if (bytes.size() != end - offset)
                throw MyException(u"Не мога да прочета страниците на справката от временния файл!"_s);
        }
        m_cached = DecodePage(bytes);
        FitPage(m_cached);
        m_cachedIndex = index;
    }
    return m_cached;
}

}  // namespace rk
