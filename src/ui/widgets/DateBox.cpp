#include "widgets/DateBox.h"

#include "engine/Formats.h"

#include <QCalendarWidget>

QDateEdit *NewDateBox(QWidget *parent)
{
    auto *box = new QDateEdit(parent);
    box->setDisplayFormat(Formats::DateFormat);
    box->setCalendarPopup(true);
    box->calendarWidget()->setFirstDayOfWeek(Qt::Monday);
    box->calendarWidget()->setGridVisible(true);
    box->setMinimumWidth(100);
    return box;
}
