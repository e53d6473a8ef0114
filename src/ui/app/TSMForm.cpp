#include "app/TSMForm.h"

#include <QApplication>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <cmath>

namespace {
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonTop = 88;  // within the body under the strip

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
    setFixedSize(FormWidth, FormHeight);
    layout()->activate();  // places the body, whose offset the button positions need

    auto *panel = new QWidget(body());
    panel->setGeometry(6, 4, body()->width() - 12, 80);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);

    auto *icon = new QLabel(panel);
    const QStyle::StandardPixmap which =
        kind == Kind::Question ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
    icon->setPixmap(style()->standardIcon(which).pixmap(32, 32));
    icon->setGeometry(14, 24, 32, 32);

    m_label = new QLabel(DisplayText(text), panel);
    m_label->setGeometry(56, 4, 326, 72);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);

    m_yes = new QPushButton(QStringLiteral("Да"), body());
    m_no = new QPushButton(QStringLiteral("Не"), body());
    m_yes->resize(ButtonWidth, ButtonHeight);
    m_no->resize(ButtonWidth, ButtonHeight);
    m_yes->setDefault(true);

    // The formulas count from the window's left edge; the body sits one pixel in.
    const int bodyLeft = body()->x();
    if (kind == Kind::Message) {
        m_yes->move(Rounded((width() - m_yes->width()) / 2.0) - bodyLeft, ButtonTop);
        m_no->hide();
        closeGlyph()->hide();
    } else {
        const int yesLeft = Rounded((width() - m_yes->width() - m_no->width() - ButtonGap) / 2.0);
        m_yes->move(yesLeft - bodyLeft, ButtonTop);
        m_no->move(yesLeft + m_yes->width() + ButtonGap - bodyLeft, ButtonTop);
    }
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    m_yes->setFocus();

    CentreOnDesktop(this);
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
