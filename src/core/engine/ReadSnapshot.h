#pragma once
// A connection of its own to a books file, inside one read transaction from the moment it is
// made until it is released: whatever reads through it sees one state of the books while other
// users post. Reports read through one, so their figures agree with each other, and a report
// keeps reading the firm it began with when the program's own connection moves to another.
#include "engine/Db.h"

class ReadSnapshot {
public:
    explicit ReadSnapshot(const QString &file);
    explicit ReadSnapshot(const Db &books) : ReadSnapshot(books.fileName()) {}
    ReadSnapshot(const ReadSnapshot &) = delete;
    ReadSnapshot &operator=(const ReadSnapshot &) = delete;

    Db &db() { return m_db; }
    // Ends the read transaction once nothing more is read, so the books' journal can be folded
    // back while the report stays open.
    void release();

private:
    Db m_db;
    bool m_open = false;
};
