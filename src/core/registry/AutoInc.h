#pragma once
// Identifiers of the work lines and operation templates come from one counter table (AUTOINC)
// in the registry, a row per counted table. The database name of every firm is the same, so a
// table's identifiers are counted across all firms. An identifier is consumed even when the new
// row is cancelled; identifiers are never reused.
#include <QString>

class TFD;
class TDM;

inline const QString AutoIncLockQuestion =
    QStringLiteral("AITable >> Int.Error: Не мога да заключа файла!Да опитам ли отново?");

class TAutoIncTable {
public:
    // `tableName` as the table component names it ("op.DB", "SDt.DB", …). With no field given,
    // a field "ID" of the table is used.
    TAutoIncTable(TFD &fd, TDM &dm, QString tableName, QString autoIncField = {});

    // Draws the next identifier for a new row. When the counter cannot be locked the user is
    // asked whether to try again; giving up returns 0 and the new row goes on without one.
    int NewRecordId();

    QString tableName() const { return m_tableName; }
    QString sqlTable() const;
    QString field() const { return m_field; }

private:
    int TryDraw();
    TFD &m_fd;
    TDM &m_dm;
    QString m_tableName;
    QString m_field;
};
