#include "widgets/DateBox.h"

#include "engine/Formats.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DateBox::DateBox(QWidget *parent) : QLineEdit(parent)
{
    setPlaceholderText(u"дд.мм.гггг"_s);
    setToolTip(Formats::DateFormat);
    setMinimumWidth(110);
    m_calendarAction = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    m_calendarAction->setToolTip(u"Календар (Alt+↓)"_s);
    connect(m_calendarAction, &QAction::triggered, this, &DateBox::showCalendar);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    auto *layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DateBox::choose);
    connect(m_calendar, &QCalendarWidget::activated, this, &DateBox::choose);
}

QDate DateBox::date() const { return Formats::ParseDate(text()); }

void DateBox::setDate(const QDate &date) { setText(Formats::Date(date)); }

void DateBox::showCalendar()
{
    const QDate shown = date();
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void DateBox::choose(const QDate &date)
{
    m_popup->hide();
    setDate(date);
    setFocus();
    emit editingFinished();
}

void DateBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

DateBox *NewDateBox(QWidget *parent) { return new DateBox(parent); }
