#include "engine/Formats.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <string_view>

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

namespace {
QString GeneralFixed(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.count(u'0') == text.size() - 2)  // "-0.00"
        text.remove(0, 1);
    return text;
}

// Reports write millions of figures: a value that is not at a rounding tie and not too large is
// written from its whole number of hundredths (or ten-thousandths), which is exactly what the
// general conversion gives for it.
QString Fixed(double value, int decimals)
{
    const double scaled = value * (decimals == 2 ? 100.0 : 10000.0);
    const double rounded = std::round(scaled);
    if (!(std::abs(scaled) < 2147483648.0) || std::abs(scaled - rounded) > 0.5 - 1e-6)
        return GeneralFixed(value, decimals);
    qint64 units = qint64(rounded);
    const bool negative = units < 0;
    units = negative ? -units : units;
    char16_t buffer[24];
    int at = 24;
    for (int digit = 0; digit <= decimals || units > 0; ++digit) {
        if (digit == decimals)
            buffer[--at] = u'.';
        buffer[--at] = char16_t(u'0' + units % 10);
        units /= 10;
    }
    if (negative)
        buffer[--at] = u'-';
    return QString(reinterpret_cast<const QChar *>(buffer + at), 24 - at);
}
}  // namespace

QString Amount(double value) { return Fixed(value, 2); }
QString Quantity(double value) { return Fixed(value, 4); }

QString DocNo(double value)
{
    qlonglong number = std::llround(value);
    if (number < 0 || number > 9999999999LL)
        return QStringLiteral("%1").arg(number, 10, 10, QChar(u'0'));
    char16_t digits[10];
    for (int i = 9; i >= 0; --i, number /= 10)
        digits[i] = char16_t(u'0' + number % 10);
    return QString(reinterpret_cast<const QChar *>(digits), 10);
}

QString Date(const QDate &date)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    if (!date.isValid() || y < 1 || y > 9999)
        return date.isValid() ? date.toString(DateFormat) : QString();
    // Written by hand: a ledger prints a million of them.
    const char16_t text[10] = {char16_t(u'0' + d / 10), char16_t(u'0' + d % 10), u'.', char16_t(u'0' + m / 10),
                               char16_t(u'0' + m % 10), u'.', char16_t(u'0' + y / 1000), char16_t(u'0' + y / 100 % 10),
                               char16_t(u'0' + y / 10 % 10), char16_t(u'0' + y % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

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

namespace {
// "yyyy-MM-dd" read by hand: a ledger turns a million of these into dates.
template <typename Text> std::optional<QDate> ReadSqlDate(const Text &text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    int part = 0;
    for (qsizetype i = 0; i < 10; ++i) {
        if (i == 4 || i == 7) {
            ++part;
            continue;
        }
        const int c = int(text[i]);
        if (c < '0' || c > '9')
            return std::nullopt;
        parts[part] = parts[part] * 10 + (c - '0');
    }
    return QDate(parts[0], parts[1], parts[2]);
}
}  // namespace

QDate FromSqlDate(const QString &text)
{
    if (const std::optional<QDate> date = ReadSqlDate(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()))))
        return *date;
    return QDate::fromString(text, SqlDateFormat);
}

QDate FromSqlDate(QByteArrayView text)
{
    if (const std::optional<QDate> date = ReadSqlDate(std::string_view(text.data(), size_t(text.size()))))
        return *date;
    return QDate::fromString(QString::fromUtf8(text), SqlDateFormat);
}

std::optional<qint64> ReadWholeNumber(const QString &text, qint64 limit)
{
    static const QRegularExpression digits(u"^[0-9]{1,18}$"_s);
    const QString plain = text.trimmed();
    if (!digits.match(plain).hasMatch())
        return std::nullopt;
    const qint64 value = plain.toLongLong();
    return value <= limit ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<qint64> ReadDocumentNumber(const QString &text)
{
    return text.trimmed().size() <= 10 ? ReadWholeNumber(text) : std::nullopt;
}

QString InvalidValueMessage(const QString &typed) { return u"Невалидна стойност: "_s + typed; }

QString MonthName(int month)
{
    return month >= 1 && month <= 12 ? Dates().monthNames.at(month - 1) : QString();
}

}  // namespace Formats
