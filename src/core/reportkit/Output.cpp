#include "reportkit/Output.h"

#include "engine/BooksFiles.h"
#include "engine/Errors.h"
#include "reportkit/Render.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace rk {

namespace {

MyException NotWritten(const QString &path, const QString &reason)
{
    return MyException(u"Справката не е записана във файла „%1“: %2"_s.arg(path, reason));
}

// Writes through `write`, which answers false when it could not write everything.
void SaveChecked(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    if (const QString problem = OutputFileProblem(path); !problem.isEmpty())
        throw MyException(problem);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        // A device or a pipe cannot be replaced by a new file: it is written in place.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw NotWritten(path, file.errorString());
        const bool written = write(file) && file.flush() && file.error() == QFileDevice::NoError;
        const QString reason = file.errorString();
        file.close();
        if (!written)
            throw NotWritten(path, reason);
        return;
    }
    // A new file beside the old one, put in its place only when complete.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw NotWritten(path, file.errorString());
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw NotWritten(path, reason);
    }
    if (!file.commit())
        throw NotWritten(path, file.errorString());
}

}  // namespace

QString OutputFileProblem(const QString &path)
{
    if (path.trimmed().isEmpty())
        return u"Справката не е записана: не е посочен файл."_s;
    if (BooksFiles::Holds(path) || BooksFiles::LooksLikeDatabase(path))
        return u"Справката не е записана: „%1“ е файл с данни на програмата и не се презаписва."_s.arg(path);
    return {};
}

void SavePdf(const QString &path, int count, const std::function<Page(int)> &pageAt)
{
    SaveChecked(path, [&](QIODevice &out) { return WritePdf(out, count, pageAt); });
}

void SaveText(const QString &path, const QString &text) { SaveBytes(path, text.toUtf8()); }

void SaveBytes(const QString &path, const QByteArray &bytes)
{
    SaveChecked(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); });
}

}  // namespace rk
