#include "reports/ChronologicalFeed.h"

#include "engine/Db.h"


ChronologicalFeed::ChronologicalFeed(Db &db, const ChronologicalSelection &selection)
{
    m_reader = std::thread([this, file = db.fileName(), selection] { read(file, selection); });
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_started; });
    if (m_error) {
        lock.unlock();
        m_reader.join();
        std::rethrow_exception(m_error);
    }
}

ChronologicalFeed::~ChronologicalFeed() { stop(); }

void ChronologicalFeed::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_queue.clear();
        m_done = true;
    }
    m_changed.notify_all();
    if (m_reader.joinable())
        m_reader.join();
    m_batch.clear();
    m_batchPos = 0;
}

void ChronologicalFeed::read(const QString &file, const ChronologicalSelection &selection)
{
    try {
        // Every folder group is read from the same state of the books, while others go on posting.
        SqliteReader books(file);
        ChronologicalRows rows(books, selection);
        {
            const std::lock_guard lock(m_mutex);
            m_folderNames = rows.folderNames();
            m_empty = rows.empty();
            m_estimate = rows.estimate();
            m_started = true;
        }
        m_changed.notify_all();
        Batch batch;
        batch.reserve(BatchRows);
        ChronologicalRow row;
        while (rows.next(row)) {
            batch.push_back(std::move(row));
            if (batch.size() == BatchRows) {
                if (!put(std::move(batch), rows))
                    return;
                batch = {};
                batch.reserve(BatchRows);
            }
        }
        if (!batch.empty() && !put(std::move(batch), rows))
            return;
        books.release();
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
    } catch (...) {
        fail(std::current_exception());
    }
}

bool ChronologicalFeed::put(Batch &&batch, ChronologicalRows &rows)
{
    std::unique_lock lock(m_mutex);
    if (!m_stop && m_queue.size() >= QueuedBatches) {
        // The pages are behind: the wait puts the next folder's lines in order.
        lock.unlock();
        rows.prepareNext();
        lock.lock();
    }
    m_changed.wait(lock, [this] { return m_stop || m_queue.size() < QueuedBatches; });
    if (m_stop)
        return false;
    m_queue.push_back(std::move(batch));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void ChronologicalFeed::fail(std::exception_ptr error)
{
    {
        const std::lock_guard lock(m_mutex);
        m_error = error;
        m_started = m_done = true;
    }
    m_changed.notify_all();
}

bool ChronologicalFeed::next(ChronologicalRow &row)
{
    if (m_batchPos == m_batch.size()) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_done; });
        if (m_queue.empty()) {
            // Every batch is taken: the reader has ended, well or not.
            if (m_error)
                std::rethrow_exception(m_error);
            return false;
        }
        m_batch = std::move(m_queue.front());
        m_queue.pop_front();
        m_batchPos = 0;
        lock.unlock();
        m_changed.notify_all();
    }
    row = std::move(m_batch[m_batchPos++]);
    ++m_handedOut;
    return true;
}

int ChronologicalFeed::progress() const { return int(std::min<qint64>(99, 100 * m_handedOut / m_estimate)); }
