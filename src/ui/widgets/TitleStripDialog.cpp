#include "widgets/TitleStripDialog.h"

#include "widgets/Accelerators.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int StripHeight = 20;
}

QPoint CentredTopLeft(const QSize &desktop, const QSize &window)
{
    // Integer division truncates toward zero, also for a window larger than the desktop.
    return {(desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2};
}

void CentreOnDesktop(QWidget *w)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->geometry();
    w->move(desktop.topLeft() + CentredTopLeft(desktop.size(), w->size()));
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent) : CommandLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::keyTriggered(bool second)
{
    if (!second)
        emit clicked();
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click counts only when the button comes up over the label it went down on.
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

TitleStrip::TitleStrip(const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(new QLabel(caption, this)), m_close(new QToolButton(this))
{
    setFixedHeight(StripHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::Button, Qt::black);
    setPalette(pal);

    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    // The caption must not swallow the presses that drag the window.
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_close->setText(QStringLiteral("×"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setFixedSize(StripHeight - 2, StripHeight - 2);
    m_close->setCursor(Qt::ArrowCursor);
    m_close->setToolTip(QStringLiteral("Затваряне"));
    // The dialog itself closes on Esc.
    SetCommandKey(m_close, QKeySequence(Qt::Key_Escape), false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 1, 0);
    layout->setSpacing(4);
    layout->addWidget(m_caption, 1);
    layout->addWidget(m_close);
}

void TitleStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void TitleStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_grabOffset = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
    event->accept();
}

void TitleStrip::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    window()->move(event->globalPosition().toPoint() - m_grabOffset);
    event->accept();
}

void TitleStrip::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

TitleStripDialog::TitleStripDialog(const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_strip(new TitleStrip(caption, this)),
      m_body(new QWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    // A one-pixel edge keeps a borderless window distinguishable from what lies behind it.
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_strip);
    layout->addWidget(m_body, 1);
    setWindowTitle(caption);
    connect(m_strip->closeGlyph(), &QToolButton::clicked, this, [this] { closeGlyphClicked(); });
}

QString TitleStripDialog::caption() const { return m_strip->captionLabel()->text(); }

void TitleStripDialog::setCaption(const QString &caption)
{
    m_strip->captionLabel()->setText(caption);
    setWindowTitle(caption);
}

QToolButton *TitleStripDialog::closeGlyph() const { return m_strip->closeGlyph(); }

void TitleStripDialog::closeGlyphClicked() { reject(); }

void TitleStripDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
