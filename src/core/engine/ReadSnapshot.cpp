#include "engine/ReadSnapshot.h"

#include "engine/Errors.h"

using namespace Qt::StringLiterals;

ReadSnapshot::ReadSnapshot(const QString &file) : m_db(u"snapshot"_s)
{
    if (file.isEmpty())
        throw MyException(u"Няма връзка с базата данни!"_s);
    m_db.open(file, false);
    // The state is fixed by the first read, made here, not by whatever reads first later.
    m_db.exec(u"BEGIN"_s);
    m_db.exec(u"select count(*) from sqlite_master"_s);
    m_open = true;
}

void ReadSnapshot::release()
{
    if (!m_open)
        return;
    m_open = false;
    try {
        m_db.exec(u"COMMIT"_s);
    } catch (const std::exception &) {
        // A statement still open keeps it: the transaction ends with the connection.
    }
}
