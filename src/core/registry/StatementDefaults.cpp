#include "registry/StatementDefaults.h"

#include "engine/Db.h"
#include "engine/Errors.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace StatementDefaults {

namespace {

// Marks a firm file whose include tables have had the registry's template rows.
const QString FirmMarkerTable = u"StmtSeed"_s;

struct CsvTable {
    QStringList fields;
    QList<QStringList> rows;
};

// The shipped file of a table: UTF-8, ';'-separated, a header line of field names, no quoting.
CsvTable ReadShipped(const QString &table)
{
    QFile file(u":/statements/"_s + table.toLower() + u".csv"_s);
    if (!file.open(QIODevice::ReadOnly))
        throw MyException(u"Липсват данните по подразбиране на отчетите: "_s + file.fileName());
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    CsvTable csv;
    if (lines.isEmpty())
        return csv;
    csv.fields = lines.first().trimmed().split(u';');
    for (const QString &field : csv.fields)
        if (!Db::isIdentifier(field))
            throw MyException(u"Невалидно поле в данните по подразбиране на отчетите: "_s + field);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList values = QString(lines[i]).remove(u'\r').split(u';');
        if (values.size() != csv.fields.size())
            throw MyException(u"Невалиден ред %1 в данните по подразбиране на отчетите: "_s.arg(i + 1) + file.fileName());
        csv.rows << values;
    }
    return csv;
}

// Texts stay texts, the constant is an amount, every other field a whole number.
QVariant FieldValue(const QString &field, const QString &text)
{
    if (field == u"OPR_Pok_Name"_s || field == u"OPR_Pok_Code"_s)
        return text;
    if (field == u"OPR_ConstValue"_s)
        return text.toDouble();
    return text.toInt();
}

QString InsertSql(const QString &table, const QStringList &fields)
{
    return u"insert into "_s + table + u" ("_s + fields.join(u", "_s) + u") values ("_s
           + QStringList(fields.size(), u"?"_s).join(u", "_s) + u")"_s;
}

bool IsEmpty(Db &db, const QString &table)
{
    return db.scalar(u"select count(*) from "_s + table).toInt() == 0;
}

void WriteShipped(Db &registry, const QString &table)
{
    const CsvTable csv = ReadShipped(table);
    const QString sql = InsertSql(table, csv.fields);
    for (const QStringList &row : csv.rows) {
        QVariantList binds;
        for (qsizetype i = 0; i < row.size(); ++i)
            binds << FieldValue(csv.fields[i], row[i]);
        registry.exec(sql, binds);
    }
}

}  // namespace

const QStringList &LineTables()
{
    static const QStringList tables = {u"BALANS"_s, u"OPR"_s, u"OPP"_s};
    return tables;
}

const QStringList &IncludeTables()
{
    static const QStringList tables = {u"balans_data"_s, u"opr_data"_s, u"opp_data"_s};
    return tables;
}

void WriteEmptyRegistryTables(Db &registry)
{
    for (const QStringList *tables : {&LineTables(), &IncludeTables()})
        for (const QString &table : *tables)
            if (IsEmpty(registry, table))
                WriteShipped(registry, table);
}

void FillEmptyRegistryTables(Db &registry)
{
    bool anyEmpty = false;
    for (const QStringList *tables : {&LineTables(), &IncludeTables()})
        for (const QString &table : *tables)
            anyEmpty = anyEmpty || IsEmpty(registry, table);
    if (!anyEmpty)
        return;
    // Looked at again inside the write lock: another copy of the program may have filled them.
    Transaction tx(registry);
    WriteEmptyRegistryTables(registry);
    tx.commit();
}

TemplateRows ReadTemplate(Db &registry, const QString &includeTable)
{
    TemplateRows result;
    QSqlQuery q = registry.exec(u"select * from "_s + includeTable + u" order by OPR_ID"_s);
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        result.fields << record.fieldName(i);
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < record.count(); ++i)
            row << q.value(i);
        result.rows << row;
    }
    return result;
}

void WriteTemplate(Db &firm, const QString &includeTable, const TemplateRows &rows)
{
    if (rows.fields.isEmpty())
        return;
    for (const QString &field : rows.fields)
        if (!Db::isIdentifier(field))
            throw MyException(u"Невалидно поле в шаблона на отчетите: "_s + field);
    const QString sql = InsertSql(includeTable, rows.fields);
    for (const QVariantList &row : rows.rows)
        firm.exec(sql, row);
}

void MarkFirmFilled(Db &firm) { firm.exec(u"insert into "_s + FirmMarkerTable + u" (Seed_Done) values (1)"_s); }

void FillFirmOnce(Db &firm, Db &registry)
{
    auto done = [&firm] { return firm.scalar(u"select count(*) from "_s + FirmMarkerTable).toInt() > 0; };
    if (done())
        return;
    QList<std::pair<QString, TemplateRows>> templates;
    for (const QString &table : IncludeTables())
        templates.append({table, ReadTemplate(registry, table)});
    Transaction tx(firm);
    if (done())
        return;
    for (const auto &[table, rows] : templates)
        if (IsEmpty(firm, table))
            WriteTemplate(firm, table, rows);
    MarkFirmFilled(firm);
    tx.commit();
}

}  // namespace StatementDefaults
