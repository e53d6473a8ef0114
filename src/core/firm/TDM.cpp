#include "firm/TDM.h"

#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/Schema.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

TDM::TDM() : m_db(u"AccountData"_s) { Formats::ApplyDateSettings(); }

void TDM::Open(const QString &firmDir)
{
    Close();
    const QString dir = AddTrailingSlash(firmDir);
    m_db.open(dir + Schema::FirmFileName, false, Schema::FirmMarkerTable);
    try {
        Schema::MigrateFirm(m_db);
    } catch (...) {
        m_db.close();
        throw;
    }
    m_dir = dir;
}

void TDM::Close()
{
    m_db.close();
    m_dir.clear();
}

int TDM::GetUniqueID(const QString &table, const QString &keyField, const QString &filterField,
                     const QVariant &filterValue)
{
    if (!Db::isIdentifier(table) || !Db::isIdentifier(keyField)
        || (!filterField.isEmpty() && !Db::isIdentifier(filterField)))
        return 0;
    QString sql = u"Select max("_s + keyField + u")"_s + u" From "_s + table;
    QVariantList binds;
    if (!filterField.isEmpty()) {
        const bool empty = filterValue.isNull() || filterValue.toString().isEmpty();
        sql += u" Where "_s + filterField + u" = ?"_s;
        binds << (empty ? QVariant(0) : filterValue);
    }
    QVariant result;
    if (!m_db.tryScalar(sql, binds, result))
        return 0;
    return result.toInt() + 1;
}

int TDM::NextByScan(const QString &table, const QString &field)
{
    if (!Db::isIdentifier(table) || !Db::isIdentifier(field) || !m_db.isOpen() || !m_db.tableExists(table)
        || !m_db.fieldExists(table, field))
        return 0;
    try {
        QSqlQuery q = m_db.exec(u"select "_s + field + u" from "_s + table);
        int highest = 0;
        while (q.next())
            highest = std::max(highest, q.value(0).toInt());
        return highest + 1;
    } catch (const std::exception &) {
        return 0;
    }
}

int TDM::RecordCount(const QString &table)
{
    if (!Db::isIdentifier(table))
        throw MyException(u"RecordCount >> Невалидно име на таблица: "_s + table);
    return m_db.scalar(u"select count(*) from "_s + table).toInt();
}

void TDM::EmptyTable(const QString &table)
{
    if (!Db::isIdentifier(table))
        throw MyException(u"EmptyTable >> Невалидно име на таблица: "_s + table);
    m_db.exec(u"delete from "_s + table);
}

QDate TDM::DateOt() { return Formats::FromSqlDate(m_db.scalar(u"select Date_Ot from OtPeriod"_s).toString()); }

QDate TDM::DateDo() { return Formats::FromSqlDate(m_db.scalar(u"select Date_Do from OtPeriod"_s).toString()); }
