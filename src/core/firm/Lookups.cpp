#include "firm/Lookups.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Messages.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

std::optional<TAccountStr> FindAccount(Db &db, int number)
{
    try {
        QSqlQuery &q = db.execCached(u"select S_UNo, S_Name, S_An1, S_An2, S_An3, S_An4, S_An5, S_Act_Pas_Type, "
                                     "S_Kol_Val_Type, S_An_Sint_Type from s where S_UNo = ?"_s,
                                     {number});
        if (!q.next())
            return std::nullopt;
        TAccountStr a;
        a.number = q.value(0).toInt();
        a.name = q.value(1).toString();
        for (int i = 0; i < 5; ++i)
            a.levels[i] = q.value(2 + i).toInt();
        a.balanceType = q.value(7).toInt();
        a.measureType = q.value(8).toInt();
        a.analyticType = q.value(9).toInt();
        q.finish();
        return a;
    } catch (const std::exception &e) {
        Messages::show(u"GoToNom >>"_s + ErrorHookText(e));
        return std::nullopt;
    }
}

bool CheckAccountAn(Db &db, int number)
{
    const auto account = FindAccount(db, number);
    if (!account)
        throw MyException(u"CheckAccountAn >> Сметката не е открита"_s);
    return account->analyticType == 2;
}

int LevelType(Db &db, int level)
{
    return db.scalar(u"select Nom_Type from nom where Nom_No = ?"_s, {level}).toInt();
}

QString LevelTypeName(int type)
{
    switch (type) {
    case 1: return u"Избор от списък"_s;
    case 2: return u"Контрагенти"_s;
    case 3: return u"Стоки / материали"_s;
    case 4: return u"Дълготрайни активи"_s;
    default: return {};
    }
}

QString LotTableOfType(int type)
{
    if (type == 1 || type == 3)
        return u"nomel"_s;
    if (type == 2)
        return u"kontra"_s;
    return {};
}

QString LotTableOfLevel(Db &db, int level) { return LotTableOfType(LevelType(db, level)); }

QString LevelName(Db &db, int level)
{
    return db.scalar(u"select Nom_Name from nom where Nom_No = ?"_s, {level}).toString();
}

QStringList LevelNames(Db &db, const std::array<int, 5> &levels)
{
    QStringList names;
    for (int level : levels)
        names << (level > 0 ? LevelName(db, level) : QString());
    return names;
}

QString LotName(Db &db, int level, int lot)
{
    if (lot <= 0)
        return {};
    try {
        const QString table = LotTableOfLevel(db, level);
        if (table.isEmpty())
            return {};
        return db.scalar(u"select NomEl_Name from "_s + table + u" where Nom_No = ? and NomEl_No = ?"_s, {level, lot})
            .toString();
    } catch (const std::exception &e) {
        Messages::show(ErrorHookText(e));
        return FailedLotName;
    }
}

namespace {
bool Exists(Db &db, const QString &sql, const QVariantList &binds)
{
    QSqlQuery &q = db.execCached(u"select exists ("_s + sql + u")"_s, binds);
    const bool found = q.next() && q.value(0).toInt() != 0;
    q.finish();
    return found;
}
}  // namespace

bool AccountInUse(Db &db, int number)
{
    return Exists(db, u"select 1 from doc where Doc_S_Dt = ? or Doc_S_Kt = ?"_s, {number, number})
           || Exists(db, u"select 1 from an where An_S_No = ? or An_S_Cr_No = ?"_s, {number, number})
           || Exists(db, u"select 1 from Sns where Sn_UNo = ?"_s, {number})
           // The work lines of an entry group are its editable source: a group whose account
           // went could no longer be opened and saved again.
           || Exists(db, u"select 1 from SDt where SDt_No = ?"_s, {number})
           || Exists(db, u"select 1 from SKt where SKt_No = ?"_s, {number});
}

bool LevelInUse(Db &db, int level)
{
    const QString lots = LotTableOfLevel(db, level);
    if (!lots.isEmpty() && Exists(db, u"select 1 from "_s + lots + u" where Nom_No = ?"_s, {level}))
        return true;
    // Opening balances and postings carry lots of a level only on accounts that name the level.
    const QVariantList fiveTimes{level, level, level, level, level};
    return Exists(db, u"select 1 from s where S_An1 = ? or S_An2 = ? or S_An3 = ? or S_An4 = ? or S_An5 = ?"_s,
                  fiveTimes);
}

bool LotsFitAccount(Db &db, const TAccountStr &account, const LotKey &lots)
{
    for (int i = 0; i < 5; ++i) {
        const int level = account.levels[i];
        // A level without a lot table (fixed assets) takes no lot.
        const QString table = level != 0 ? LotTableOfLevel(db, level) : QString();
        if (table.isEmpty() != (lots[i] == 0))
            return false;
        // A lot deleted since it was chosen (in a template, in an open wizard) is no lot: a new
        // lot that takes its number would inherit what is posted on it.
        if (!table.isEmpty()
            && db.scalar(u"select count(*) from "_s + table + u" where Nom_No = ? and NomEl_No = ?"_s, {level, lots[i]})
                       .toInt()
                   == 0)
            return false;
    }
    return true;
}

bool LotFree(Db &db, int level, int lot)
{
    QSqlQuery accounts = db.exec(u"select S_UNo, S_An1, S_An2, S_An3, S_An4, S_An5 from s "
                                 "where S_An1 = ? or S_An2 = ? or S_An3 = ? or S_An4 = ? or S_An5 = ?"_s,
                                 {level, level, level, level, level});
    QList<std::pair<int, int>> uses;  // (account, position)
    while (accounts.next())
        for (int i = 1; i <= 5; ++i)
            if (accounts.value(i).toInt() == level)
                uses.append({accounts.value(0).toInt(), i});
    for (const auto &[account, position] : uses) {
        const QString sn = u"Sn_An%1"_s.arg(position);
        const QString an = u"An_S_An%1"_s.arg(position);
        if (Exists(db, u"select 1 from Sns where Sn_UNo = ? and "_s + sn + u" = ?"_s, {account, lot})
            || Exists(db, u"select 1 from an where An_S_No = ? and "_s + an + u" = ?"_s, {account, lot}))
            return false;
    }
    // A counterparty is also the counterparty of VAT documents, by its number alone.
    return LotTableOfLevel(db, level) != u"kontra"_s
           || !Exists(db, u"select 1 from nom_p where Nom_Kontra = ?"_s, {lot});
}

bool FolderHasDocuments(Db &db, int folder)
{
    return Exists(db, u"select 1 from nom_p where Nom_P_No = ?"_s, {folder});
}
