#pragma once
// The lines of the chronological ledger, read and put in print order by a thread of its own, on
// connections of its own that see one state of the books, while the pages are laid out: a ledger
// of a year then takes the longer of the two rather than their sum. The lines come through a queue of a few batches, so memory
// stays flat however long the ledger is. A failure of the reader is thrown to the caller of
// `next` (or of the constructor, when it fails before the first line).
#include "reports/ChronologicalRows.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

class ChronologicalFeed {
public:
    ChronologicalFeed(Db &db, const ChronologicalSelection &selection);
    ~ChronologicalFeed();
    ChronologicalFeed(const ChronologicalFeed &) = delete;
    ChronologicalFeed &operator=(const ChronologicalFeed &) = delete;

    // Ends the reading before its end; no line is handed out after it.
    void stop();
    // The next line in print order; false after the last.
    bool next(ChronologicalRow &row);
    // True when the selection has no line at all.
    bool empty() const { return m_empty; }
    // The folder names by folder number.
    const QHash<int, QString> &folderNames() const { return m_folderNames; }
    // 0..100: the lines handed out against the lines of the period.
    int progress() const;

private:
    using Batch = std::vector<ChronologicalRow>;
    static constexpr size_t BatchRows = 2048;
    static constexpr size_t QueuedBatches = 4;
    // Two: one group is put in order while the one sorted before it is read out.
    static constexpr int SortingHelpers = 2;

    void read(const QString &file, const ChronologicalSelection &selection);
    // The reader hands over a batch; false when the reading is to stop.
    bool put(Batch &&batch);
    void fail(std::exception_ptr error);

    // Set once, before the constructor returns.
    QHash<int, QString> m_folderNames;
    bool m_empty = true;
    qint64 m_estimate = 1;

    // Shared with the reader, under the mutex.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_queue;
    bool m_started = false;  // the reader has its first line, or failed
    bool m_done = false;     // the reader has handed over its last batch, or failed
    bool m_stop = false;     // the ledger is closed: the reader ends
    std::exception_ptr m_error;

    // The consumer's own.
    Batch m_batch;
    size_t m_batchPos = 0;
    qint64 m_handedOut = 0;
    std::thread m_reader;
};
