#include "statements/StatementTables.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "registry/StatementDefaults.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

int Index(StatementType type)
{
    switch (type) {
    case StatementType::Income: return 1;
    case StatementType::CashFlow: return 2;
    case StatementType::Balance: return 0;
    case StatementType::None: break;
    }
    throw MyException(u"Неразпознат тип на справка!"_s);
}

QString IncludeFields(StatementType type)
{
    return u"OPR_ID, OPR_Pok_No, OPR_Account_Type, OPR_Account_No, OPR_Account_An1, OPR_Account_An2, "
           "OPR_Account_An3, OPR_Account_An4, OPR_Account_An5, OPR_AccCor_No, OPR_AccCor_An1, OPR_AccCor_An2, "
           "OPR_AccCor_An3, OPR_AccCor_An4, OPR_AccCor_An5, OPR_ConstValue"_s
           + (HasCorrection(type) ? u", OPR_Kor"_s : QString());
}

IncludeRow ReadRow(const QSqlQuery &q, StatementType type)
{
    IncludeRow r;
    r.OPR_ID = q.value(0).toInt();
    r.OPR_Pok_No = q.value(1).toInt();
    r.OPR_Account_Type = q.value(2).toInt();
    r.OPR_Account_No = q.value(3).toInt();
    for (int i = 0; i < 5; ++i) {
        r.OPR_Account_An[i] = q.value(4 + i).toInt();
        r.OPR_AccCor_An[i] = q.value(10 + i).toInt();
    }
    r.OPR_AccCor_No = q.value(9).toInt();
    r.OPR_ConstValue = q.value(15).toDouble();
    r.OPR_Kor = HasCorrection(type) ? q.value(16).toInt() : 0;
    return r;
}

QList<IncludeRow> ReadRows(Db &firm, StatementType type, const QString &where, const QVariantList &binds)
{
    QList<IncludeRow> rows;
    QSqlQuery q = firm.exec(u"select "_s + IncludeFields(type) + u" from "_s + IncludeTableOf(type) + where
                                + u" order by OPR_Pok_No, OPR_ID"_s,
                            binds);
    while (q.next())
        rows << ReadRow(q, type);
    return rows;
}

}  // namespace

QString LineTableOf(StatementType type) { return StatementDefaults::LineTables().at(Index(type)); }
QString IncludeTableOf(StatementType type) { return StatementDefaults::IncludeTables().at(Index(type)); }

QString StatementName(StatementType type)
{
    static const QStringList names = {u"Баланс"_s, u"ОПР"_s, u"ОПП"_s};
    return names.at(Index(type));
}

StatementType StatementTypeOf(int number)
{
    return number >= 0 && number <= 2 ? static_cast<StatementType>(number) : StatementType::None;
}

QList<StatementLine> ReadStatementLines(Db &registry, StatementType type)
{
    QList<StatementLine> lines;
    QSqlQuery q = registry.exec(u"select OPR_ID, OPR_Pok_No, OPR_Pok_Name, OPR_Pok_Code, OPR_Value, OPR_Grup from "_s
                                + LineTableOf(type) + u" order by OPR_ID"_s);
    while (q.next())
        lines << StatementLine{q.value(0).toInt(),    q.value(1).toInt(), q.value(2).toString(),
                               q.value(3).toString(), q.value(4).toInt(), q.value(5).toInt()};
    return lines;
}

QList<IncludeRow> ReadIncludeRows(Db &firm, StatementType type) { return ReadRows(firm, type, {}, {}); }

QList<IncludeRow> ReadIncludeRows(Db &firm, StatementType type, int lineNo)
{
    return ReadRows(firm, type, u" where OPR_Pok_No = ?"_s, {lineNo});
}

QString IncludeKindText(int kind)
{
    static const QStringList texts = {u"Сметка - Начално салдо дебит"_s, u"Сметка - Начално салдо кредит"_s,
                                      u"Сметка - Дебитен оборот"_s,      u"Сметка - Кредитен оборот"_s,
                                      u"Сметка - Дебитно салдо"_s,       u"Сметка - Кредитно салдо"_s,
                                      u"Кореспонденция"_s,               u"Константа отчетен период"_s,
                                      u"Данни за предходна година"_s};
    return kind >= 1 && kind <= texts.size() ? texts.at(kind - 1) : u"Не е посочена сметка"_s;
}

QString IncludeCorrectionText(StatementType type, const IncludeRow &row)
{
    return HasCorrection(type) && row.OPR_Kor == 1 ? u"Коректив"_s : QString();
}

QStringList LinesNamingAccount(Db &firm, Db *registry, int account)
{
    QStringList found;
    for (const StatementType type : {StatementType::Balance, StatementType::Income, StatementType::CashFlow}) {
        QSqlQuery q = firm.exec(u"select distinct OPR_Pok_No from "_s + IncludeTableOf(type)
                                    + u" where OPR_Account_No = ? or OPR_AccCor_No = ? order by OPR_Pok_No"_s,
                                {account, account});
        QList<int> numbers;
        while (q.next())
            numbers << q.value(0).toInt();
        if (numbers.isEmpty())
            continue;
        QHash<int, QString> names;
        if (registry)
            for (const StatementLine &line : ReadStatementLines(*registry, type))
                names.insert(line.OPR_Pok_No, line.OPR_Pok_Name.trimmed());
        for (int no : numbers) {
            const QString name = names.value(no);
            found << StatementName(type) + u", ред: "_s + (name.isEmpty() ? QString::number(no) : name);
        }
    }
    return found;
}

bool RestoreDefaultIncludeRows(Db &firm, Db &registry, StatementType type)
{
    if (!Messages::confirmed(RestoreDefaultsQuestion))
        return false;
    const QString table = IncludeTableOf(type);
    const StatementDefaults::TemplateRows rows = StatementDefaults::ReadTemplate(registry, table);
    Transaction tx(firm);
    firm.exec(u"delete from "_s + table);
    StatementDefaults::WriteTemplate(firm, table, rows);
    tx.commit();
    return true;
}
