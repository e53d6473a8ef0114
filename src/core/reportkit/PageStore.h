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
    std::unique_ptr<QTemporaryFile> m_file;
    std::vector<qint64> m_offsets;
    qint64 m_end = 0;
    QByteArray m_bytes;  // the page being written, its room kept from page to page
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
