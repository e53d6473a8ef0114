#include "engine/Formats.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Formats {

const DateSettings &Dates()
{
    static const DateSettings settings = [] {
        DateSettings s;
        s.monthNames = {u"Януари"_s, u"Февруари"_s, u"Март"_s, u"Април"_s, u"Май"_s, u"Юни"_s,
                        u"Юли"_s, u"Август"_s, u"Септември"_s, u"Октомври"_s, u"Ноември"_s,
                        u"Декември"_s};
        s.shortDayNames = {u"нед."_s, u"пон."_s, u"вто."_s, u"сря."_s, u"чет."_s, u"пет."_s, u"съб."_s};
        s.longDayNames = {u"неделя"_s, u"понеделник"_s, u"вторник"_s, u"сряда"_s,
                          u"четвъвтък"_s, u"петък"_s, u"събота"_s};
        return s;
    }();
    return settings;
}

void ApplyDateSettings()
{
    // Numbers are shown with a decimal point whatever the desktop's locale says; dates go
    // through the functions below.
    QLocale locale(QLocale::Bulgarian, QLocale::Bulgaria);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
}

static QString Fixed(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.count(u'0') == text.size() - 2)  // "-0.00"
        text.remove(0, 1);
    return text;
}

QString Amount(double value) { return Fixed(value, 2); }
QString Quantity(double value) { return Fixed(value, 4); }

QString DocNo(double value)
{
    return QStringLiteral("%1").arg(static_cast<qlonglong>(std::llround(value)), 10, 10, QChar(u'0'));
}

QString Date(const QDate &date) { return date.isValid() ? date.toString(DateFormat) : QString(); }

QDate ParseDate(const QString &text)
{
    static const QRegularExpression whole(u"^\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d$"_s);
    const QString t = text.trimmed();
    return whole.match(t).hasMatch() ? QDate::fromString(t, DateFormat) : QDate();
}

std::optional<double> ParseDecimal(const QString &text)
{
    static const QRegularExpression number(u"^[-+]?(\\d+([.,]\\d*)?|[.,]\\d+)$"_s);
    QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.replace(u',', u'.').toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QString SqlDate(const QDate &date) { return date.isValid() ? date.toString(SqlDateFormat) : QString(); }

QDate FromSqlDate(const QString &text) { return QDate::fromString(text, SqlDateFormat); }

QString InvalidValueMessage(const QString &typed) { return u"Невалидна стойност: "_s + typed; }

QString MonthName(int month)
{
    return month >= 1 && month <= 12 ? Dates().monthNames.at(month - 1) : QString();
}

}  // namespace Formats
