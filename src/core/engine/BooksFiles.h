#pragma once
// The files the program keeps books in: the registry, every firm's file and the companions
// SQLite keeps beside them. A report or an export never writes over one of them.
#include <QString>

namespace BooksFiles {
// Notes a database file (and its -journal, -wal and -shm) as one the books live in.
void Note(const QString &databaseFile);
// Whether `path`, symbolic links resolved, is one of the noted files.
bool Holds(const QString &path);
// Whether the file begins as an SQLite database, rollback journal or write-ahead log does.
bool LooksLikeDatabase(const QString &path);
}  // namespace BooksFiles
