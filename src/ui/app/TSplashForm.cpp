#include "app/TSplashForm.h"

#include "engine/Engine.h"
#include "widgets/TitleStripDialog.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QScreen>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

namespace {

enum Effect {
    WipeRight,  // comes in from the left edge
    WipeLeft,
    WipeDown,
    WipeUp,
    Fade,
    HorizontalBlinds,
    VerticalBlinds,
    Iris,
    Box,
    Diagonal,
    Checkerboard,
};

constexpr int BlindCount = 10;
constexpr int CheckerColumns = 8;
constexpr int CheckerRows = 5;

// The part of the window that shows the picture at `t` (0 < t < 1).
QPainterPath RevealedArea(Effect effect, bool reverse, qreal t, const QSizeF &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    const QRectF all(0, 0, w, h);
    QPainterPath path;
    switch (effect) {
    case WipeRight:
        path.addRect(0, 0, w * t, h);
        break;
    case WipeLeft:
        path.addRect(w * (1 - t), 0, w * t, h);
        break;
    case WipeDown:
        path.addRect(0, 0, w, h * t);
        break;
    case WipeUp:
        path.addRect(0, h * (1 - t), w, h * t);
        break;
    case Fade:
        path.addRect(all);
        break;
    case HorizontalBlinds: {
        const qreal band = std::ceil(h / BlindCount);
        for (int i = 0; i < BlindCount; ++i) {
            const qreal top = i * band;
            path.addRect(0, reverse ? top + band * (1 - t) : top, w, band * t);
        }
        break;
    }
    case VerticalBlinds: {
        const qreal band = std::ceil(w / BlindCount);
        for (int i = 0; i < BlindCount; ++i) {
            const qreal left = i * band;
            path.addRect(reverse ? left + band * (1 - t) : left, 0, band * t, h);
        }
        break;
    }
    case Iris: {
        const qreal full = std::hypot(w, h) / 2;
        const QPointF centre = all.center();
        if (reverse) {  // closes in from the edges
            path.addRect(all);
            const qreal r = full * (1 - t);
            QPainterPath hole;
            hole.addEllipse(centre, r, r);
            path = path.subtracted(hole);
        } else {
            path.addEllipse(centre, full * t, full * t);
        }
        break;
    }
    case Box: {
        const QPointF centre = all.center();
        if (reverse) {
            path.addRect(all);
            QPainterPath hole;
            QRectF inner(0, 0, w * (1 - t), h * (1 - t));
            inner.moveCenter(centre);
            hole.addRect(inner);
            path = path.subtracted(hole);
        } else {
            QRectF outer(0, 0, w * t, h * t);
            outer.moveCenter(centre);
            path.addRect(outer);
        }
        break;
    }
    case Diagonal: {
        const qreal d = (w + h) * t;
        QPolygonF corner;
        if (reverse)
            corner << QPointF(w, h) << QPointF(w - d, h) << QPointF(w, h - d);
        else
            corner << QPointF(0, 0) << QPointF(d, 0) << QPointF(0, d);
        path.addPolygon(corner);
        path.closeSubpath();
        break;
    }
    case Checkerboard: {
        const qreal cw = std::ceil(w / CheckerColumns);
        const qreal ch = std::ceil(h / CheckerRows);
        for (int row = 0; row < CheckerRows; ++row) {
            for (int col = 0; col < CheckerColumns; ++col) {
                // Half the cells start only when the others are half done.
                const int late = (row + col + (reverse ? 1 : 0)) % 2;
                const qreal local = std::clamp(2 * t - late, 0.0, 1.0);
                path.addRect(col * cw, row * ch, cw * local, ch);
            }
        }
        break;
    }
    }
    return path;
}

}  // namespace

int TSplashForm::RandomStyle()
{
    static QRandomGenerator generator(quint32(QDateTime::currentMSecsSinceEpoch()));
    return int(generator.bounded(1, StyleCount + 1));
}

TSplashForm::TSplashForm(int style, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_style(style >= 1 && style <= StyleCount ? style : RandomStyle()),
      m_picture(ProductPicture()),
      m_animation(new QVariantAnimation(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(FormWidth, FormHeight);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    CentreOnDesktop(this);

    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    m_animation->setDuration(durationMs());
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_progress = value.toReal();
        raise();  // stays above the windows created after it, also without a window manager
        update();
    });
    connect(m_animation, &QVariantAnimation::finished, this, &TSplashForm::transitionDone);

    // Coarse timers may fire a little early; the picture must stay up its full time.
    m_closeTimer.setTimerType(Qt::PreciseTimer);
    m_closeTimer.setSingleShot(true);
    m_closeTimer.setInterval(1000);
    connect(&m_closeTimer, &QTimer::timeout, this, &QWidget::close);
}

int TSplashForm::durationMs() const
{
    // Styles that share an effect differ in pace.
    return 800 + ((m_style - 1) / EffectCount) * 40;
}

void TSplashForm::start()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QPoint onScreen = pos() - screen->geometry().topLeft();
        m_background = screen->grabWindow(0, onScreen.x(), onScreen.y(), width(), height());
    }
    if (m_background.isNull() || m_background.size() != size()) {
        m_background = QPixmap(size());
        m_background.fill(Qt::black);
    }
    m_progress = 0;
    m_running = true;
    show();
    repaint();
    m_animation->start();
}

void TSplashForm::transitionDone()
{
    m_progress = 1;
    m_running = false;
    update();
    emit finished();
    QTimer::singleShot(HoldMs, Qt::PreciseTimer, this, [this] { m_closeTimer.start(); });
}

QImage TSplashForm::frame(qreal progress) const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintFrame(painter, progress);
    return image;
}

void TSplashForm::paintFrame(QPainter &painter, qreal progress) const
{
    if (!m_background.isNull())
        painter.drawPixmap(0, 0, m_background);
    else
        painter.fillRect(rect(), Qt::black);
    if (progress <= 0)
        return;
    if (progress >= 1) {
        painter.drawPixmap(0, 0, m_picture);
        return;
    }
    const auto effect = Effect((m_style - 1) % EffectCount);
    const bool reverse = ((m_style - 1) / EffectCount) % 2 == 1;
    if (effect == Fade)
        painter.setOpacity(progress);
    painter.setClipPath(RevealedArea(effect, reverse, progress, QSizeF(size())));
    painter.drawPixmap(0, 0, m_picture);
}

void TSplashForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintFrame(painter, m_progress);
}

void TSplashForm::closeEvent(QCloseEvent *event)
{
    if (m_running)
        event->ignore();
    else
        event->accept();
}

QPixmap TSplashForm::ProductPicture()
{
    QPixmap picture(FormWidth, FormHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, FormWidth, FormHeight);
    sky.setColorAt(0, QColor(10, 32, 72));
    sky.setColorAt(1, QColor(18, 110, 120));
    painter.fillRect(picture.rect(), sky);

    // Faint ruled lines, as on a ledger page.
    painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int y = 40; y < FormHeight; y += 22)
        painter.drawLine(24, y, FormWidth - 24, y);
    painter.setPen(QPen(QColor(220, 80, 80, 90), 1));
    painter.drawLine(70, 0, 70, FormHeight);

    painter.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Sans"), 44, QFont::Bold);
    painter.setFont(title);
    painter.drawText(QRect(0, 70, FormWidth, 80), Qt::AlignCenter, QStringLiteral("Orvalis"));

    QFont version(QStringLiteral("DejaVu Sans"), 16);
    painter.setFont(version);
    painter.drawText(QRect(0, 150, FormWidth, 30), Qt::AlignCenter, Product::V1 + Product::V2 + Product::V3);

    QFont maker(QStringLiteral("DejaVu Sans"), 11, QFont::DemiBold);
    painter.setFont(maker);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QRect(0, FormHeight - 40, FormWidth - 20, 24), Qt::AlignRight | Qt::AlignVCenter,
                     Product::Maker);
    return picture;
}
