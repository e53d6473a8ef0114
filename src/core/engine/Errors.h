#pragma once
// The two error kinds of the program. MyException carries a program message and nothing else;
// EngineError carries what the data layer reported, as (code, text) entries, so that the error
// hook can put the common codes into Bulgarian.
#include <QByteArray>
#include <QList>
#include <QString>
#include <exception>

class QSqlError;

class MyException : public std::exception {
public:
    explicit MyException(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

struct EngineErrorEntry {
    int code = 0;
    QString text;
};

class EngineError : public std::exception {
public:
    EngineError(QString message, QList<EngineErrorEntry> entries)
        : m_message(std::move(message)), m_entries(std::move(entries)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const QList<EngineErrorEntry> &entries() const noexcept { return m_entries; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QList<EngineErrorEntry> m_entries;
    QByteArray m_utf8;
};

// Engine codes the error hook knows by name.
namespace EngineCode {
inline constexpr int AtBeginning = 8705;
inline constexpr int AtEnd = 8706;
inline constexpr int RecordDeleted = 8708;
inline constexpr int NoLanguageDriver = 8715;
inline constexpr int RecordLocked = 10241;
inline constexpr int AlreadyLocked = 10247;
inline constexpr int NotLocked = 10248;
inline constexpr int LockTimeout = 10249;
inline constexpr int RecordChanged = 10259;
inline constexpr int RecordMoved = 10260;
}  // namespace EngineCode

// The schema names the table constraints, so the message of a broken one comes from it: the
// translator answers the message for the database's error text, or an empty text.
using ConstraintTranslator = QString (*)(const QString &databaseText);
void SetConstraintTranslator(ConstraintTranslator translator);

// Maps a failure of the SQL layer onto an EngineError: a busy or locked database becomes the
// "record locked by another user" code, a broken table constraint carries the constraint's own
// Bulgarian message, a full disk, a read-only or damaged file say so in Bulgarian before the
// database's text, anything else keeps the database's code and text.
EngineError EngineErrorFromSql(const QSqlError &error);
// The same from SQLite's own extended result code and message.
EngineError EngineErrorFromSqlite(int native, const QString &text);

// The Bulgarian text the error hook appends for an engine code, or an empty text for codes it
// does not translate.
QString TranslatedEngineCode(int code);

// The whole text the error hook shows for an error: the message, then for an engine error each
// entry's translated (or own) text followed by "\r"; an own text that only repeats the message
// is left out.
QString ErrorHookText(const std::exception &error);
