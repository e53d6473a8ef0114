#pragma once
// The preview's page: one report page painted at a zoom, white with a shadow on a grey ground,
// scrollable when larger than the view. The fitting zooms follow the view's size.
#include "reportkit/Page.h"

#include <QScrollArea>
#include <optional>

enum class ZoomFit { None, PageWidth, PageHeight, WholePage };

// Pixels per millimetre that fit a page of `pageMm`, with `gap` pixels around it, into `room`; a
// scroll bar of `scrollBar` pixels is allowed for where the other side overflows.
double FitScale(ZoomFit fit, const QSizeF &pageMm, const QSize &room, int gap, int scrollBar);

class PageView : public QScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPage(const rk::Page &page);
    void clearPage();
    bool hasPage() const { return m_page.has_value(); }
    const rk::Page *page() const { return m_page ? &*m_page : nullptr; }

    void setZoomPercent(int percent);
    void setZoomFit(ZoomFit fit);
    ZoomFit zoomFit() const { return m_fit; }
    // Pixels per millimetre now, and at 100%.
    double scale() const { return m_scale; }
    double naturalScale() const;
    // The page's rectangle on the canvas, in pixels.
    QRect pageRect() const;

    static constexpr int Gap = 12;
    static constexpr int Shadow = 4;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class Canvas;
    void applyZoom();
    QSizeF pageMm() const;

    Canvas *m_canvas;
    std::optional<rk::Page> m_page;
    ZoomFit m_fit = ZoomFit::None;
    int m_percent = 100;
    double m_scale = 1;
};
