#include "app/TProgressForm.h"

#include "widgets/TitleStripDialog.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

TProgressForm::TProgressForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_heading(new QLabel(QStringLiteral("Изготвяне на отчета, моля изчакайте"), this)),
      m_message(new QLabel(QStringLiteral("Моля изчакате!"), this)),
      m_bar(new QProgressBar(this))
{
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setAlignment(Qt::AlignCenter);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(m_heading);
    layout->addWidget(m_message);
    layout->addWidget(m_bar);
    setFixedSize(360, 110);
    CentreOnDesktop(this);
}

QString TProgressForm::message() const { return m_message->text(); }
QString TProgressForm::heading() const { return m_heading->text(); }

void TProgressForm::setMessage(const QString &text)
{
    m_message->setText(text);
    // The report computes on this thread; let the new text reach the screen.
    m_message->repaint();
}

void TProgressForm::setRange(int minimum, int maximum) { m_bar->setRange(minimum, maximum); }

void TProgressForm::setValue(int value)
{
    m_bar->setValue(value);
    m_bar->repaint();
}

int TProgressForm::value() const { return m_bar->value(); }

void TProgressForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
