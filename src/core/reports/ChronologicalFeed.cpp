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
        // The later folder groups are put in order on helper connections, by a thread of their
        // own, while the earlier ones are laid out; all see the same state of the books.
        const std::vector<std::unique_ptr<SqliteReader>> books = SqliteReader::Together(file, 1 + SortingHelpers);
        std::vector<SqliteReader *> helpers;
        for (size_t i = 1; i < books.size(); ++i)
            helpers.push_back(books[i].get());
        ChronologicalRows rows(*books.front(), selection, helpers);
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
                if (!put(std::move(batch)))
                    return;
                batch = {};
                batch.reserve(BatchRows);
            }
        }
        if (!batch.empty() && !put(std::move(batch)))
            return;
        for (const auto &connection : books)
            connection->release();
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_all();
    } catch (...) {
        fail(std::current_exception());
    }
}

bool ChronologicalFeed::put(Batch &&batch)
{
    std::unique_lock lock(m_mutex);
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
