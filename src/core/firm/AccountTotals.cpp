#include "firm/AccountTotals.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Rounding.h"
#include "firm/Lookups.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

ReportingPeriod ReadPeriod(Db &db)
{
    QSqlQuery q = db.exec(u"select Date_Ot, Date_Do from OtPeriod"_s);
    if (!q.next())
        throw MyException(u"Липсва отчетният период на фирмата!"_s);
    return {Formats::FromSqlDate(q.value(0).toString()), Formats::FromSqlDate(q.value(1).toString())};
}

QDate DefaultEndDate(const ReportingPeriod &period, const QDate &today)
{
    // A year not begun yet, or one already over, is reported to its last day.
    return period.contains(today) ? today : period.Date_Do;
}

QDate DefaultEntryDate(const ReportingPeriod &period, const QDate &today)
{
    if (today < period.Date_Ot)
        return period.Date_Ot;
    return today > period.Date_Do ? period.Date_Do : today;
}

namespace {

// "An", "An.DB", "an" → "an"; the name is the only text put into the query.
QString PostingsTable(const QString &name)
{
    const QString table = name.section(u'.', 0, 0).toLower();
    if (!Db::isIdentifier(table))
        throw MyException(u"Невалидно име на таблица: "_s + name);
    return table;
}

// Adds " and <field><i> = ?" for each position whose lot is above 0.
void AddLotFilter(QString &sql, QVariantList &binds, const QString &field, const LotKey &lots)
{
    for (int i = 0; i < 5; ++i)
        if (lots[i] > 0) {
            sql += u" and "_s + field + QString::number(i + 1) + u" = ?"_s;
            binds << lots[i];
        }
}

struct Sums {
    double dtKol = 0, dtSt = 0, ktKol = 0, ktSt = 0;
};

Sums ReadSums(Db &db, const QString &sql, const QVariantList &binds)
{
    QSqlQuery &q = db.execCached(sql, binds);
    Sums s;
    if (q.next()) {
        s.dtKol = q.value(0).toDouble();
        s.dtSt = q.value(1).toDouble();
        s.ktKol = q.value(2).toDouble();
        s.ktSt = q.value(3).toDouble();
    }
    q.finish();
    return s;
}

Sums Rounded(Sums s)
{
    return {RoundQuantity(s.dtKol), RoundAmount(s.dtSt), RoundQuantity(s.ktKol), RoundAmount(s.ktSt)};
}

void SetOpening(TAccountValue &v, const Sums &s)
{
    v.openDtKol = s.dtKol;
    v.openDtSt = s.dtSt;
    v.openKtKol = s.ktKol;
    v.openKtSt = s.ktSt;
}

void SetTurnover(TAccountValue &v, const Sums &s)
{
    v.turnDtKol = s.dtKol;
    v.turnDtSt = s.dtSt;
    v.turnKtKol = s.ktKol;
    v.turnKtSt = s.ktSt;
}

Sums ClosingOf(const TAccountValue &v) { return {v.closeDtKol, v.closeDtSt, v.closeKtKol, v.closeKtSt}; }

TAccountValue Failed(TAccountValue v, const QString &text)
{
    v.valid = false;
    v.errorText = text;
    return v;
}

Sums AccountOpening(Db &db, int account, const LotKey &lots)
{
    QString sql = u"select sum(Sn_Kol_Dt), sum(Sn_St_Dt), sum(Sn_Kol_Kt), sum(Sn_St_Kt) from Sns where Sn_UNo = ?"_s;
    QVariantList binds{account};
    AddLotFilter(sql, binds, u"Sn_An"_s, lots);
    return ReadSums(db, sql, binds);
}

Sums AccountTurnover(Db &db, const QString &table, int account, const LotKey &lots, const QDate &from,
                     const QDate &to, const std::optional<ExcludedGroup> &excluded)
{
    QString sql = u"select sum(An_S_Dt_Kol), sum(An_S_Dt_St), sum(An_S_Kt_Kol), sum(An_S_Kt_St) from "_s + table
                  + u" where An_S_No = ? and An_Date between ? and ?"_s;
    QVariantList binds{account, Formats::SqlDate(from), Formats::SqlDate(to)};
    AddLotFilter(sql, binds, u"An_S_An"_s, lots);
    if (excluded) {
        sql += u" and not (An_Doc_No = ? and An_Stat_Grp = ?)"_s;
        binds << excluded->docNo << excluded->group;
    }
    return ReadSums(db, sql, binds);
}

// Any position 1..5 at which an account carries the level, with the lot at that position; binds
// the level and the lot once per position.
QString LotOfLevelCondition(const QString &lotPrefix, int level, int lot, QVariantList &binds)
{
    QStringList terms;
    for (int i = 1; i <= 5; ++i) {
        terms << u"(S.S_An%1 = ? and %2%1 = ?)"_s.arg(QString::number(i), lotPrefix);
        binds << level << lot;
    }
    return u"("_s + terms.join(u" or "_s) + u")"_s;
}

}  // namespace

void CloseByBalanceType(TAccountValue &v, int balanceType, bool round)
{
    auto q = [round](double x) { return round ? RoundQuantity(x) : x; };
    auto a = [round](double x) { return round ? RoundAmount(x) : x; };
    const double dq = v.openDtKol + v.turnDtKol, dv = v.openDtSt + v.turnDtSt;
    const double kq = v.openKtKol + v.turnKtKol, kv = v.openKtSt + v.turnKtSt;
    v.closeDtKol = v.closeDtSt = v.closeKtKol = v.closeKtSt = 0;
    int side = balanceType;
    if (balanceType == 3) {
        // Compared as amounts, so that sums that differ in the fifteenth digit count as equal.
        const double dvr = round ? a(dv) : dv, kvr = round ? a(kv) : kv;
        side = kvr < dvr ? 1 : (kvr > dvr ? 2 : 0);
    }
    if (side == 1) {
        v.closeDtKol = q(dq - kq);
        v.closeDtSt = a(dv - kv);
    } else if (side == 2) {
        v.closeKtKol = q(kq - dq);
        v.closeKtSt = a(kv - dv);
    }
}

TAccountValue GetAccountValue(Db &db, int account, const LotKey &lots, const ReportingPeriod &period,
                              const QDate &from, const QDate &to, const QString &postingsTable,
                              const std::optional<ExcludedGroup> &excluded)
{
    TAccountValue v;
    v.dateFrom = Formats::Date(from);
    v.dateTo = Formats::Date(to);
    if (!period.contains(from) || !period.contains(to))
        return Failed(v, PeriodMessage);
    const auto found = FindAccount(db, account);
    if (!found)
        return Failed(v, MissingAccountMessage);
    v.account = *found;
    try {
        const QString table = PostingsTable(postingsTable);
        if (from == period.Date_Ot) {
            SetOpening(v, Rounded(AccountOpening(db, account, lots)));
        } else {
            const TAccountValue before = GetAccountValue(db, account, lots, period, period.Date_Ot, from.addDays(-1),
                                                         postingsTable, excluded);
            if (!before.valid)
                return Failed(v, u"GetAccountValue >> sub call fail!"_s);
            SetOpening(v, ClosingOf(before));
        }
        SetTurnover(v, Rounded(AccountTurnover(db, table, account, lots, from, to, excluded)));
        CloseByBalanceType(v, v.account.balanceType, true);
        v.valid = true;
        return v;
    } catch (const std::exception &e) {
        return Failed(v, ErrorHookText(e));
    }
}

TKorespValue GetKorespValue(Db &db, int account, int corrAccount, const LotKey &lots, const LotKey &corrLots,
                            const ReportingPeriod &period, const QDate &from, const QDate &to,
                            const QString &postingsTable)
{
    TKorespValue v;
    v.dateFrom = Formats::Date(from);
    v.dateTo = Formats::Date(to);
    auto fail = [&v](const QString &text) {
        v.valid = false;
        v.errorText = text;
        return v;
    };
    if (!period.contains(from) || !period.contains(to))
        return fail(PeriodMessage);
    const auto a = FindAccount(db, account);
    if (!a)
        return fail(MissingAccountMessage);
    const auto c = FindAccount(db, corrAccount);
    if (!c)
        return fail(MissingAccountMessage);
    v.account = *a;
    v.corrAccount = *c;
    try {
        QString sql = u"select sum(An_S_Dt_Kol), sum(An_S_Dt_St) from "_s + PostingsTable(postingsTable)
                      + u" where An_S_No = ? and An_S_Cr_No = ? and An_Date between ? and ?"_s;
        QVariantList binds{account, corrAccount, Formats::SqlDate(from), Formats::SqlDate(to)};
        AddLotFilter(sql, binds, u"An_S_An"_s, lots);
        AddLotFilter(sql, binds, u"An_S_Cr_An"_s, corrLots);
        QSqlQuery q = db.exec(sql, binds);
        if (q.next()) {
            v.dtKol = q.value(0).toDouble();
            v.dtSt = q.value(1).toDouble();
        }
        v.valid = true;
        return v;
    } catch (const std::exception &e) {
        return fail(ErrorHookText(e));
    }
}

TAccountValue GetAnValue(Db &db, int level, int lot, const QDate &from, const QDate &to, const QString &postingsTable)
{
    TAccountValue v;
    v.dateFrom = Formats::Date(from);
    v.dateTo = Formats::Date(to);
    try {
        const ReportingPeriod period = ReadPeriod(db);
        if (!from.isValid() || !to.isValid() || from < period.Date_Ot || to > period.Date_Do)
            return Failed(v, PeriodMessage);
        if (from <= period.Date_Ot) {
            QVariantList binds;
            const QString sql = u"select sum(Sn_Kol_Dt), sum(Sn_St_Dt), sum(Sn_Kol_Kt), sum(Sn_St_Kt) from Sns "
                                "inner join s S on Sns.Sn_UNo = S.S_UNo where "_s
                                + LotOfLevelCondition(u"Sns.Sn_An"_s, level, lot, binds);
            SetOpening(v, ReadSums(db, sql, binds));
        } else {
            const TAccountValue before = GetAnValue(db, level, lot, period.Date_Ot, from.addDays(-1), postingsTable);
            if (!before.valid)
                return Failed(v, u"GetAnValue >> sub call fail!"_s);
            SetOpening(v, ClosingOf(before));
        }
        QVariantList binds{Formats::SqlDate(from), Formats::SqlDate(to)};
        const QString sql = u"select sum(An_S_Dt_Kol), sum(An_S_Dt_St), sum(An_S_Kt_Kol), sum(An_S_Kt_St) from "_s
                            + PostingsTable(postingsTable)
                            + u" An inner join s S on An.An_S_No = S.S_UNo where An_Date between ? and ? and "_s
                            + LotOfLevelCondition(u"An.An_S_An"_s, level, lot, binds);
        SetTurnover(v, ReadSums(db, sql, binds));
        CloseByBalanceType(v, 3, false);
        v.valid = true;
        return v;
    } catch (const std::exception &e) {
        return Failed(v, ErrorHookText(e));
    }
}
