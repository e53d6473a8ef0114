#include "accounts/ChartStore.h"

#include "engine/Db.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
const QString Fields =
    u"S_UNo, S_An1, S_An2, S_An3, S_An4, S_An5, S_Name, S_Act_Pas_Type, S_Kol_Val_Type, S_An_Sint_Type"_s;

SRow Read(const QSqlQuery &q)
{
    SRow r;
    r.S_UNo = q.value(0).toInt();
    for (int i = 0; i < 5; ++i)
        r.S_An[i] = q.value(1 + i).toInt();
    r.S_Name = q.value(6).toString();
    r.S_Act_Pas_Type = q.value(7).toInt();
    r.S_Kol_Val_Type = q.value(8).toInt();
    r.S_An_Sint_Type = q.value(9).toInt();
    return r;
}
}  // namespace

namespace ChartStore {

void Insert(Db &db, const SRow &r)
{
    db.exec(u"insert into s ("_s + Fields + u") values (?,?,?,?,?,?,?,?,?,?)"_s,
            {r.S_UNo, r.S_An[0], r.S_An[1], r.S_An[2], r.S_An[3], r.S_An[4], r.S_Name, r.S_Act_Pas_Type,
             r.S_Kol_Val_Type, r.S_An_Sint_Type});
}

void Update(Db &db, int original, const SRow &r)
{
    db.exec(u"update s set S_UNo = ?, S_An1 = ?, S_An2 = ?, S_An3 = ?, S_An4 = ?, S_An5 = ?, S_Name = ?, "
            "S_Act_Pas_Type = ?, S_Kol_Val_Type = ?, S_An_Sint_Type = ? where S_UNo = ?"_s,
            {r.S_UNo, r.S_An[0], r.S_An[1], r.S_An[2], r.S_An[3], r.S_An[4], r.S_Name, r.S_Act_Pas_Type,
             r.S_Kol_Val_Type, r.S_An_Sint_Type, original});
}

std::optional<SRow> Find(Db &db, int sUNo)
{
    QSqlQuery q = db.exec(u"select "_s + Fields + u" from s where S_UNo = ?"_s, {sUNo});
    if (q.next())
        return Read(q);
    return std::nullopt;
}

QList<SRow> All(Db &db, AccountFilter filter)
{
    QString where;
    switch (filter) {
    case AccountFilter::All: break;
    case AccountFilter::Active: where = u" where S_Act_Pas_Type = 1"_s; break;
    case AccountFilter::Passive: where = u" where S_Act_Pas_Type = 2"_s; break;
    case AccountFilter::ActivePassive: where = u" where S_Act_Pas_Type = 3"_s; break;
    case AccountFilter::Value: where = u" where S_Kol_Val_Type = 1"_s; break;
    case AccountFilter::Quantity: where = u" where S_Kol_Val_Type = 2"_s; break;
    case AccountFilter::Currency: where = u" where S_Kol_Val_Type = 3"_s; break;
    case AccountFilter::Synthetic: where = u" where S_An_Sint_Type = 1"_s; break;
    case AccountFilter::Analytic: where = u" where S_An_Sint_Type = 2"_s; break;
    }
    QList<SRow> rows;
    QSqlQuery q = db.exec(u"select "_s + Fields + u" from s"_s + where + u" order by S_UNo"_s);
    while (q.next())
        rows << Read(q);
    return rows;
}

void Delete(Db &db, int sUNo) { db.exec(u"delete from s where S_UNo = ?"_s, {sUNo}); }

void SetLevels(Db &db, int sUNo, const std::array<int, 5> &levels)
{
    const bool analytic = levels[0] != 0;
    db.exec(u"update s set S_An1 = ?, S_An2 = ?, S_An3 = ?, S_An4 = ?, S_An5 = ?, S_An_Sint_Type = ? "
            "where S_UNo = ?"_s,
            {levels[0], levels[1], levels[2], levels[3], levels[4], analytic ? 2 : 1, sUNo});
}

}  // namespace ChartStore

QList<AccountFilter> AccountFilters()
{
    return {AccountFilter::Active,   AccountFilter::Passive,   AccountFilter::ActivePassive,
            AccountFilter::Value,    AccountFilter::Quantity,  AccountFilter::Currency,
            AccountFilter::Synthetic, AccountFilter::Analytic, AccountFilter::All};
}

QString AccountFilterCaption(AccountFilter filter)
{
    switch (filter) {
    case AccountFilter::Active: return u"Активни сметки"_s;
    case AccountFilter::Passive: return u"Пасивни сметки"_s;
    case AccountFilter::ActivePassive: return u"Активно/Пасивни сметки"_s;
    case AccountFilter::Value: return u"Стойностни сметки"_s;
    case AccountFilter::Quantity: return u"Количествени сметки"_s;
    case AccountFilter::Currency: return u"Валутни сметки"_s;
    case AccountFilter::Synthetic: return u"Синтетични сметки"_s;
    case AccountFilter::Analytic: return u"Аналитични сметки"_s;
    case AccountFilter::All: break;
    }
    return u"Всички сметки"_s;
}

static QString CodeName(int code, const QStringList &names)
{
    if (code == 0)
        return u":"_s;
    return code >= 1 && code <= names.size() ? names.at(code - 1) : u"??????????"_s;
}

QString BalanceTypeName(int code) { return CodeName(code, {u"Активна"_s, u"Пасивна"_s, u"Активно/Пасивна"_s}); }
QString MeasureTypeName(int code) { return CodeName(code, {u"Стойностна"_s, u"Количествена"_s, u"Валутна"_s}); }
QString KindName(int code) { return CodeName(code, {u"Синтетична"_s, u"Аналитична"_s}); }

AccountSearchResult SearchAccount(const QList<SRow> &accounts, const QString &text)
{
    const QString wanted = text.trimmed();
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (isNumber) {
        for (const SRow &a : accounts)
            if (a.S_UNo == number)
                return {a.S_UNo, {}};
        return {std::nullopt, u"Не е намерена сметка с посочения номер!"_s};
    }
    for (const SRow &a : accounts)
        if (!wanted.isEmpty() && a.S_Name.startsWith(wanted, Qt::CaseInsensitive))
            return {a.S_UNo, {}};
    return {std::nullopt, u"Не е намерена сметка с посоченото наименование!"_s};
}
