#pragma once
// Finished pages spooled to a temporary file: the preview asks for any page by number while
// later pages are still being made, and memory stays flat however long the report is.
#include "reportkit/Layout.h"

#include <QTemporaryFile>
#include <memory>
#include <vector>

namespace rk {

class PageStore : public PageSink {
public:
    PageStore();
    void addPage(const Page &page) override;
    int count() const { return int(m_offsets.size()); }
    Page page(int index) const;  // 0-based

private:
    // Writes the pages waiting to the file.
    void writeWaiting() const;

    std::unique_ptr<QTemporaryFile> m_file;
    std::vector<qint64> m_offsets;
    mutable qint64 m_written = 0;  // the bytes in the file
    // The last pages' bytes, written to the file a megabyte at a time: a page at a time costs
    // more in writing than in laying out. Their room is kept.
    mutable QByteArray m_waiting;
    mutable bool m_readSinceWrite = false;
    mutable int m_cachedIndex = -1;
    mutable Page m_cached;
};

// Keeps every page in memory; for small reports and tests.
class PageList : public PageSink {
public:
    void addPage(const Page &page) override
    {
        pages.append(page);
        FitPage(pages.last());
    }
    QList<Page> pages;
};

}  // namespace rk
