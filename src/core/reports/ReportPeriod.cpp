#include "reports/ReportPeriod.h"

#include "engine/Formats.h"

ReportPeriodDefaults DefaultReportPeriod(const ReportingPeriod &period, const QDate &today)
{
    return {period.Date_Ot, DefaultEndDate(period, today)};
}

QString PeriodDialogProblem(const QString &fromText, const QString &toText, const ReportingPeriod &period)
{
    const QDate from = Formats::ParseDate(fromText), to = Formats::ParseDate(toText);
    if (!from.isValid() || !to.isValid())
        return InvalidDateMessage;
    if (!period.contains(from) || !period.contains(to))
        return PeriodMessage;
    if (to < from)
        return EndBeforeStartMessage;
    return {};
}

QString OptionsDialogProblem(const QString &fromText, const QString &toText, const ReportingPeriod &period)
{
    const QDate from = Formats::ParseDate(fromText), to = Formats::ParseDate(toText);
    if (!from.isValid() || !to.isValid())
        return InvalidDateMessage;
    return ReportPeriodProblem(from, to, period);
}

QString ReportPeriodProblem(const QDate &from, const QDate &to, const ReportingPeriod &period)
{
    if (!from.isValid() || !to.isValid())
        return InvalidDateMessage;
    if (to < from)
        return EndBeforeStartMessage;
    if (!period.contains(from) || !period.contains(to))
        return PeriodMessage;
    return {};
}
