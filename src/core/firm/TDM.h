#pragma once
// The firm data module: the connection to the current firm's tables and the helpers that every
// window uses (new numbers, record counts, the reporting period).
#include "engine/Db.h"

#include <QDate>
#include <QVariant>

class TDM {
public:
    TDM();

    // Connects to the firm file in `firmDir`; throws when it is missing or not a firm file.
    void Open(const QString &firmDir);
    void Close();
    bool IsConnected() const { return m_db.isOpen(); }
    Db &db() { return m_db; }
    QString DataPath() const { return m_dir; }

    // One more than the highest `keyField` of `table`, optionally among the rows whose
    // `filterField` equals `filterValue` (0 when the value is empty); 1 for no rows, 0 when the
    // query fails.
    int GetUniqueID(const QString &table, const QString &keyField, const QString &filterField = {},
                    const QVariant &filterValue = {});
    // The same by walking every row; 0 when the table or the field is missing.
    int NextByScan(const QString &table, const QString &field);
    int RecordCount(const QString &table);
    void EmptyTable(const QString &table);

    // The reporting period (the one row of OtPeriod).
    QDate DateOt();
    QDate DateDo();

private:
    Db m_db;
    QString m_dir;
};
