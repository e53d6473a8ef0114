#pragma once
// Places bands on pages: the title on the first page, the page header on every page, bands in
// order with a new page where one does not fit or a band asks for it, and the page footer with
// the page number. Finished pages go to a sink one at a time. The page header may follow the
// first band of its page (a side heading that names what the lines under it belong to). Open
// groups keep their header with their first band and repeat a continuation band at the top of
// every page they run onto.
#include "reportkit/Band.h"

#include <functional>
#include <optional>

namespace rk {

class PageSink {
public:
    virtual ~PageSink() = default;
    // The page is the layout's own: a sink copies what it keeps.
    virtual void addPage(const Page &page) = 0;
};

class ReportLayout {
public:
    ReportLayout(const PageSetup &setup, PageSink &sink);

    void setTitle(const Band &band) { m_title = band; }
    void setPageHeader(const Band &band);
    // A header made for each page from the first band the page will hold; `next` is an empty
    // band on a page that gets none (a report without bands).
    void setPageHeader(std::function<Band(const Band &next)> header)
    {
        m_header = std::move(header);
        m_fixedHeader.reset();
    }
    void setPageFooter(std::function<Band(int page)> footer) { m_footer = std::move(footer); }

    // Places a band; a cell text may hold "{page}", the number of the page it lands on.
    void add(const Band &band);
    // Bands that belong together (a ledger section): they start on a new page when they do not
    // fit on this one but would on an empty one.
    void addGroup(const QList<Band> &bands);
    // Opens a group: its header is held until the group's first band arrives, and the two go on
    // the same page. Until the group closes, `continuation` is printed at the top of every further
    // page, under the page header and the continuations of the groups around it.
    void openGroup(const QList<Band> &header, const QList<Band> &continuation = {});
    // Closes the innermost open group; a header still held is placed first.
    void closeGroup();
    int openGroups() const { return int(m_groups.size()); }
    void pageBreak();
    // Ends the last page; a report without bands still gets its one page.
    void finish();

    int pagesDone() const { return m_pagesDone; }
    const PageSetup &setup() const { return m_setup; }
    static double BandHeight(const Band &band);

private:
    struct OpenGroup {
        QList<Band> continuation;
        double height = 0;
        bool placed = false;  // its header or first band is on a page: further pages repeat it
    };
    void markGroupsPlaced();
    // Opens a page whose header is made for `next`, the first band it will hold.
    void startPage(const Band &next);
    void addMeasured(const Band &band, double height);
    void placeTogether(const QList<Band> &bands);
    void placeHeld();
    void closePage();
    double footerHeight() const;
    double spaceLeft() const;
    // The room of an empty page under a header made for `next`.
    double emptyPageSpace(const Band &next) const;
    void place(const Band &band, double y, double height);
    // Items laid out once at the origin, and their height.
    struct Laid {
        QList<PageItem> items;
        double height = 0;
    };
    void placeLaid(const Laid &laid, double y);
    void fillPageField(qsizetype first);

    PageSetup m_setup;
    PageSink &m_sink;
    Band m_title;
    std::function<Band(const Band &next)> m_header;  // a header made for each page, or none
    std::optional<Laid> m_fixedHeader;  // a header the same on every page is laid out once
    std::function<Band(int)> m_footer;
    Band m_pageFooter;  // the open page's footer
    QList<Band> m_held;  // group headers waiting for their group's first band
    QList<OpenGroup> m_groups;
    Page m_page;
    bool m_open = false;
    double m_y = 0;
    double m_footerHeight = 0;
    double m_bodyTop = 0;  // where the page's first band goes, under the title and header
    int m_pagesDone = 0;
};

// The items of a band laid out at the origin with the given height.
QList<PageItem> BandItems(const Band &band, double height);
// The same items moved by (dx, dy), appended to `items`.
void AppendBandItems(QList<PageItem> &items, const Band &band, double height, double dx, double dy);
// Several bands as one, each below the other (a title block, a heading of several rows).
Band Stack(const QList<Band> &rows);

// The engine's own page footer: "страница..." with the page number and, when given, a stamp at
// the right.
Band PageNumberFooter(const PageSetup &setup, int page, const QString &stamp = {});

}  // namespace rk
