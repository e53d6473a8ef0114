#include "app/TSMForm.h"
#include "widgets/Accelerators.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonTop = 88;  // within the body under the strip, below a text of TextHeight

int Rounded(double value) { return int(std::lround(value)); }
}  // namespace

QString TSMForm::DisplayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

TSMForm::TSMForm(const QString &text, Kind kind, QWidget *parent)
    : TitleStripDialog(QStringLiteral("Съобщение:"), parent), m_kind(kind)
{
    // 408 x 142 holds a message of four short lines; a longer one makes the window grow, wider
    // first (up to half the screen) and then taller, so that none of it is cut.
    m_label = new QLabel(DisplayText(text));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    const QSize textSize = TextSize(m_label);
    const QSize grown(TextWidth, TextHeight);
    setFixedSize(FormWidth + textSize.width() - grown.width(), FormHeight + textSize.height() - grown.height());
    layout()->activate();  // places the body, whose offset the button positions need

    auto *panel = new QWidget(body());
    panel->setGeometry(6, 4, body()->width() - 12, textSize.height() + 8);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);

    auto *icon = new QLabel(panel);
    const QStyle::StandardPixmap which =
        kind == Kind::Question ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
    icon->setPixmap(style()->standardIcon(which).pixmap(32, 32));
    icon->setGeometry(14, (panel->height() - 32) / 2, 32, 32);

    m_label->setParent(panel);
    m_label->setGeometry(56, 4, textSize.width(), textSize.height());

    m_yes = new QPushButton(QStringLiteral("Да"), body());
    m_no = new QPushButton(QStringLiteral("Не"), body());
    m_yes->resize(ButtonWidth, ButtonHeight);
    m_no->resize(ButtonWidth, ButtonHeight);
    m_yes->setDefault(true);

    // The formulas count from the window's left edge; the body sits one pixel in.
    const int bodyLeft = body()->x();
    const int buttonTop = ButtonTop + textSize.height() - grown.height();
    if (kind == Kind::Message) {
        m_yes->move(Rounded((width() - m_yes->width()) / 2.0) - bodyLeft, buttonTop);
        m_no->hide();
        closeGlyph()->hide();
    } else {
        const int yesLeft = Rounded((width() - m_yes->width() - m_no->width() - ButtonGap) / 2.0);
        m_yes->move(yesLeft - bodyLeft, buttonTop);
        m_no->move(yesLeft + m_yes->width() + ButtonGap - bodyLeft, buttonTop);
    }
    // Enter answers "Да" (the default button); Esc, like the close glyph, "Не".
    SetCommandKey(m_yes, QKeySequence(Qt::Key_Return), false);
    SetCommandKey(m_no, QKeySequence(Qt::Key_Escape), false);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    m_yes->setFocus();

    CentreOnDesktop(this);
}

QSize TSMForm::TextSize(const QLabel *label)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const int widest = std::max(TextWidth, desktop.width() / 2 - (FormWidth - TextWidth));
    // The longest line as it stands, within the widths allowed, then the height it wraps to.
    const QFontMetrics metrics(label->font());
    int natural = 0;
    for (const QString &line : label->text().split(u'\n'))
        natural = std::max(natural, metrics.horizontalAdvance(line) + 4);
    const int width = std::clamp(natural, TextWidth, widest);
    const int height = std::max(TextHeight, label->heightForWidth(width));
    return {width, height};
}

QString TSMForm::text() const { return m_label->text(); }

void TSMForm::ShowMessage(const QString &text)
{
    TSMForm form(text, Kind::Message, QApplication::activeWindow());
    form.exec();
}

int TSMForm::Ask(const QString &text)
{
    TSMForm form(text, Kind::Question, QApplication::activeWindow());
    return form.exec() == QDialog::Accepted ? Messages::Yes : Messages::No;
}

void SMFormSink::show(const QString &text) { TSMForm::ShowMessage(text); }

int SMFormSink::ask(const QString &text) { return TSMForm::Ask(text); }
