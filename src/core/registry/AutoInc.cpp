#include "registry/AutoInc.h"

#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/TFD.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
const QString FirmDatabaseName = u"AccountData"_s;
}  // namespace

TAutoIncTable::TAutoIncTable(TFD &fd, TDM &dm, QString tableName, QString autoIncField)
    : m_fd(fd), m_dm(dm), m_tableName(std::move(tableName)), m_field(std::move(autoIncField))
{
    if (m_field.isEmpty() && m_dm.IsConnected() && m_dm.db().fieldExists(sqlTable(), u"ID"_s))
        m_field = u"ID"_s;
}

QString TAutoIncTable::sqlTable() const { return m_tableName.section(u'.', 0, 0); }

int TAutoIncTable::TryDraw()
{
    Db &registry = m_fd.db();
    // Independent of the firm's transaction, which may be open while a work line is added.
    WriteLock lock(registry);
    QVariant last;
    QSqlQuery q = registry.exec(u"select LastID from AUTOINC where DatabaseName = ? and TableName = ?"_s,
                                {FirmDatabaseName, m_tableName});
    if (q.next()) {
        last = q.value(0);
        q.finish();
    } else {
        q.finish();
        last = m_dm.RecordCount(sqlTable());
        registry.exec(u"insert into AUTOINC (DatabaseName, TableName, LastID) values (?, ?, ?)"_s,
                      {FirmDatabaseName, m_tableName, last});
    }
    const int next = last.toInt() + 1;
    registry.exec(u"update AUTOINC set LastID = ? where DatabaseName = ? and TableName = ?"_s,
                  {next, FirmDatabaseName, m_tableName});
    lock.commit();
    return next;
}

int TAutoIncTable::NewRecordId()
{
    for (;;) {
        try {
            return TryDraw();
        } catch (const EngineError &e) {
            const bool locked = !e.entries().isEmpty() && e.entries().first().code == EngineCode::RecordLocked;
            if (!locked)
                throw;
            if (!Messages::confirmed(AutoIncLockQuestion))
                return 0;
        }
    }
}
