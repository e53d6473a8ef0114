#pragma once
// The period of a report: defaults and the checks of the two dialogs that ask for it. The
// period dialog checks the reporting period before the order of the dates; the options dialog
// the other way round.
#include "engine/Formats.h"
#include "firm/AccountTotals.h"

#include <QDate>
#include <QString>

inline const QString EndBeforeStartMessage = QStringLiteral("Крайната дата е по-малка от началната!");

struct ReportPeriodDefaults {
    QDate from;
    QDate to;
};
ReportPeriodDefaults DefaultReportPeriod(const ReportingPeriod &period, const QDate &today = QDate::currentDate());

// The report period dialog: unreadable date, then outside the period, then end before start.
QString PeriodDialogProblem(const QString &fromText, const QString &toText, const ReportingPeriod &period);
// The options dialog: unreadable date, then end before start, then outside the period.
QString OptionsDialogProblem(const QString &fromText, const QString &toText, const ReportingPeriod &period);
// The options dialog's order for dates already read.
QString ReportPeriodProblem(const QDate &from, const QDate &to, const ReportingPeriod &period);
