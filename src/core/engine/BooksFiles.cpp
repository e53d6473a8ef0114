#include "engine/BooksFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

using namespace Qt::StringLiterals;

namespace BooksFiles {

namespace {
QMutex g_lock;
QSet<QString> &Noted()
{
    static QSet<QString> files;
    return files;
}

// One spelling per file: links resolved, and for a file not there yet its folder's.
QString Resolved(const QString &path)
{
    const QFileInfo info(path);
    if (const QString canonical = info.canonicalFilePath(); !canonical.isEmpty())
        return canonical;
    const QString dir = info.absoluteDir().canonicalPath();
    return dir.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : dir + u'/' + info.fileName();
}
}  // namespace

void Note(const QString &databaseFile)
{
    if (databaseFile.isEmpty())
        return;
    const QMutexLocker lock(&g_lock);
    for (const QString &suffix : {u""_s, u"-journal"_s, u"-wal"_s, u"-shm"_s})
        Noted().insert(Resolved(databaseFile + suffix));
}

bool Holds(const QString &path)
{
    const QString resolved = Resolved(path);
    const QMutexLocker lock(&g_lock);
    return Noted().contains(resolved);
}

bool LooksLikeDatabase(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(16);
    return head == QByteArrayLiteral("SQLite format 3\0")
           || head.startsWith(QByteArrayLiteral("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7"))  // rollback journal
           || head.startsWith(QByteArrayLiteral("\x37\x7f\x06\x82"))                  // write-ahead log
           || head.startsWith(QByteArrayLiteral("\x37\x7f\x06\x83"));
}

}  // namespace BooksFiles
