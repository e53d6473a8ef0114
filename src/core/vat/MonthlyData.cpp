#include "vat/MonthlyData.h"

#include "engine/Db.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "posting/EntryGroup.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace MonthlyData {

namespace {
SdMonth ReadRow(const QSqlQuery &q)
{
    return {q.value(0).toInt(), Formats::FromSqlDate(q.value(1).toString()), ToStotinki(q.value(2).toDouble()),
            ToStotinki(q.value(3).toDouble()), ToStotinki(q.value(4).toDouble())};
}
const QString Fields = u"SD_Month, SD_PlDate, SD_KL71, SD_KL72, SD_KL80"_s;
}  // namespace

void EnsureMonths(Db &db)
{
    if (db.scalar(u"SELECT count(*) FROM SD"_s).toInt() > 0)
        return;
    Transaction tx(db);
    // Another copy of the program may have made them meanwhile.
    if (db.scalar(u"SELECT count(*) FROM SD"_s).toInt() > 0)
        return;
    for (int month = 1; month <= 12; ++month)
        db.exec(u"INSERT INTO SD (SD_Month, SD_KL71, SD_KL72, SD_KL80) VALUES (?, 0, 0, 0)"_s, {month});
    tx.commit();
}

QList<SdMonth> Read(Db &db)
{
    QList<SdMonth> months;
    QSqlQuery q = db.exec(u"SELECT "_s + Fields + u" FROM SD ORDER BY SD_Month"_s);
    while (q.next())
        months << ReadRow(q);
    return months;
}

std::optional<SdMonth> Find(Db &db, int month)
{
    QSqlQuery q = db.exec(u"SELECT "_s + Fields + u" FROM SD WHERE SD_Month = ?"_s, {month});
    if (q.next())
        return ReadRow(q);
    return std::nullopt;
}

void Save(Db &db, const QList<SdMonth> &months) { Save(db, {}, months); }

void Save(Db &db, const QList<SdMonth> &loaded, const QList<SdMonth> &edited)
{
    if (edited.isEmpty())
        return;
    auto date = [](const QDate &d) { return d.isValid() ? QVariant(Formats::SqlDate(d)) : QVariant(); };
    Transaction tx(db);
    for (const SdMonth &m : edited) {
        const auto was = std::find_if(loaded.begin(), loaded.end(),
                                      [&m](const SdMonth &l) { return l.SD_Month == m.SD_Month; });
        const bool whole = was == loaded.end();  // a month the window did not read
        QStringList assignments;  // the table's own names, never typed text
        QVariantList values;
        auto cell = [&](auto member, const QString &field, const QVariant &value) {
            if (whole || (*was).*member != m.*member) {
                assignments << field + u" = ?"_s;
                values << value;
            }
        };
        cell(&SdMonth::SD_PlDate, u"SD_PlDate"_s, date(m.SD_PlDate));
        cell(&SdMonth::SD_KL71, u"SD_KL71"_s, FromStotinki(m.SD_KL71));
        cell(&SdMonth::SD_KL72, u"SD_KL72"_s, FromStotinki(m.SD_KL72));
        cell(&SdMonth::SD_KL80, u"SD_KL80"_s, FromStotinki(m.SD_KL80));
        if (assignments.isEmpty())
            continue;
        values << m.SD_Month;
        db.exec(u"UPDATE SD SET "_s + assignments.join(u", "_s) + u" WHERE SD_Month = ?"_s, values);
    }
    tx.commit();
}

std::optional<long long> ParseAmount(const QString &text)
{
    static const QRegularExpression amount(u"^-?\\d+([.,]\\d{0,2})?$"_s);
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    if (!amount.match(t).hasMatch())
        return std::nullopt;
    const double value = QString(t).replace(u',', u'.').toDouble();
    if (std::fabs(value) > AmountLimit)
        return std::nullopt;
    return ToStotinki(value);
}

std::optional<QDate> ParseDate(const QString &text)
{
    // An empty date box shows its mask alone.
    const QString t = QString(text).remove(u' ');
    if (t.isEmpty() || t == u".."_s)
        return QDate();
    const QDate date = Formats::ParseDate(t);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

}  // namespace MonthlyData
