#pragma once
// The date fields of the report dialogs: the date is typed whole as dd.MM.yyyy, and a calendar
// drops down from the button at the field's right (or with Alt+Down or F4). The field holds what
// was typed: a date that is not whole or not real is refused by the dialog's own check, and Tab
// leaves the field as from any other.
#include <QDate>
#include <QLineEdit>
#include <QPointer>

class QCalendarWidget;
class QFrame;

class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

    // The date the field names, invalid when its text is not a whole date.
    QDate date() const;
    void setDate(const QDate &date);
    bool calendarPopup() const { return true; }

    // Drops the calendar down under the field, on the field's date (today when it has none); a
    // date chosen there is written into the field.
    void showCalendar();
    QCalendarWidget *calendar() const { return m_calendar; }
    QAction *calendarAction() const { return m_calendarAction; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose(const QDate &date);

    QAction *m_calendarAction;
    QFrame *m_popup;
    QCalendarWidget *m_calendar;
};

DateBox *NewDateBox(QWidget *parent);
