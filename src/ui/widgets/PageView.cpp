#include "widgets/PageView.h"

#include "reportkit/Render.h"

#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {
constexpr double MinScale = 0.05;

int Extent(double mm, double scale) { return int(std::floor(mm * scale)); }
}  // namespace

double FitScale(ZoomFit fit, const QSizeF &pageMm, const QSize &room, int gap, int scrollBar)
{
    if (pageMm.isEmpty())
        return 1;
    const double w = room.width() - 2 * gap, h = room.height() - 2 * gap;
    double s = 1;
    switch (fit) {
    case ZoomFit::None:
        return 1;
    case ZoomFit::PageWidth:
        s = w / pageMm.width();
        // The page runs past the bottom, so a vertical bar takes part of the width.
        if (Extent(pageMm.height(), s) > h)
            s = (w - scrollBar) / pageMm.width();
        break;
    case ZoomFit::PageHeight:
        s = h / pageMm.height();
        if (Extent(pageMm.width(), s) > w)
            s = (h - scrollBar) / pageMm.height();
        break;
    case ZoomFit::WholePage:
        s = std::min(w / pageMm.width(), h / pageMm.height());
        break;
    }
    return std::max(s, MinScale);
}

class PageView::Canvas : public QWidget {
public:
    explicit Canvas(PageView *view) : QWidget(view), m_view(view) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        const rk::Page *page = m_view->page();
        if (!page)
            return;
        QPainter painter(this);
        const QRect r = m_view->pageRect();
        painter.fillRect(r.translated(Shadow, Shadow), QColor(64, 64, 64));
        painter.fillRect(r, Qt::white);
        painter.setClipRect(r);
        painter.translate(r.topLeft());
        rk::PaintPage(painter, *page, m_view->scale());
    }

private:
    PageView *m_view;
};

PageView::PageView(QWidget *parent) : QScrollArea(parent), m_canvas(new Canvas(this))
{
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setWidget(m_canvas);
    m_canvas->setAutoFillBackground(false);
    m_canvas->resize(0, 0);
}

double PageView::naturalScale() const { return logicalDpiX() / 25.4; }

QSizeF PageView::pageMm() const
{
    if (!m_page)
        return {};
    return {m_page->setup.widthMm(), m_page->setup.heightMm()};
}

QRect PageView::pageRect() const
{
    const QSizeF mm = pageMm();
    return {Gap, Gap, Extent(mm.width(), m_scale), Extent(mm.height(), m_scale)};
}

void PageView::setPage(const rk::Page &page)
{
    const bool sizeChanged = !m_page || m_page->setup.landscape != page.setup.landscape;
    m_page = page;
    if (sizeChanged)
        applyZoom();
    m_canvas->update();
}

void PageView::clearPage()
{
    m_page.reset();
    applyZoom();
}

void PageView::setZoomPercent(int percent)
{
    m_fit = ZoomFit::None;
    m_percent = percent;
    applyZoom();
}

void PageView::setZoomFit(ZoomFit fit)
{
    m_fit = fit;
    applyZoom();
}

void PageView::applyZoom()
{
    if (m_fit == ZoomFit::None)
        m_scale = naturalScale() * m_percent / 100.0;
    else
        m_scale = FitScale(m_fit, pageMm(), maximumViewportSize(), Gap,
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    if (!m_page) {
        m_canvas->resize(0, 0);
        return;
    }
    const QRect r = pageRect();
    m_canvas->resize(r.width() + 2 * Gap, r.height() + 2 * Gap);
    m_canvas->update();
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_fit != ZoomFit::None)
        applyZoom();
}
