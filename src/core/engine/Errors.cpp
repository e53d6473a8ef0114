#include "engine/Errors.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

namespace {
// SQLite primary result codes (the low byte of the extended code).
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteReadOnly = 8;
constexpr int SqliteIoError = 10;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteFull = 13;
constexpr int SqliteCantOpen = 14;
constexpr int SqliteConstraint = 19;
constexpr int SqliteNotADatabase = 26;

// What the user is told, in Bulgarian, for the failures of the disk and the file that an
// accountant can act on; the engine's own text follows it.
QString CommonCause(int primary)
{
    switch (primary) {
    case SqliteReadOnly: return u"Файлът с данни е само за четене - нямате право на запис!"_s;
    case SqliteIoError: return u"Грешка при четене или запис на диска!"_s;
    case SqliteCorrupt:
    case SqliteNotADatabase: return u"Файлът с данни е повреден или не е база данни на програмата!"_s;
    case SqliteFull: return u"Няма свободно място на диска!"_s;
    case SqliteCantOpen: return u"Файлът с данни не може да бъде отворен!"_s;
    default: return {};
    }
}

ConstraintTranslator constraintTranslator = nullptr;
}  // namespace

void SetConstraintTranslator(ConstraintTranslator translator) { constraintTranslator = translator; }

EngineError EngineErrorFromSql(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool numeric = false;
    const int native = error.nativeErrorCode().toInt(&numeric);
    return EngineErrorFromSqlite(numeric ? native : 0, text);
}

EngineError EngineErrorFromSqlite(int native, const QString &text)
{
    const int primary = native & 0xff;
    if (primary == SqliteConstraint && constraintTranslator) {
        const QString message = constraintTranslator(text);
        if (!message.isEmpty())
            return EngineError(message, {});
    }
    // The cause in Bulgarian, then the engine's text once. A busy file reads as a row locked by
    // another user, whose code callers that try again look for.
    if (primary == SqliteBusy || primary == SqliteLocked)
        return EngineError(QString(), {{EngineCode::RecordLocked, text}, {native, text}});
    const QString cause = CommonCause(primary);
    if (cause.isEmpty())
        return EngineError(text, {{native, text}});
    return EngineError(cause + u'\r', {{native, text}});
}

QString TranslatedEngineCode(int code)
{
    switch (code) {
    case EngineCode::AtBeginning: return u"8705: Курсора е в началото на таблицата!"_s;
    case EngineCode::AtEnd: return u"8706: Курсора е в края на таблицата!"_s;
    case EngineCode::RecordDeleted: return u"8708: Записа е изтрит от друг потребител!"_s;
    case EngineCode::NoLanguageDriver: return u"8715: Не мога да нямеря езиковия драйвер!"_s;
    case EngineCode::RecordLocked: return u"10241: Записа се използва(е заключен) от друг потребител!"_s;
    case EngineCode::AlreadyLocked: return u"10247: Записа вече е заключен в текущата сесия!"_s;
    case EngineCode::NotLocked: return u"10248: Обекта не е заключен!"_s;
    case EngineCode::LockTimeout: return u"10249: Времето за заключване изтече!"_s;
    case EngineCode::RecordChanged:
        return u"10259: Не мога да извърша редактиране, защото друг потребител променя записа!"_s;
    case EngineCode::RecordMoved:
        return u"10260: Не мога да извърша редактиране, защото записа е изтрит или преместен от друг потребител!"_s;
    default: return {};
    }
}

QString ErrorHookText(const std::exception &error)
{
    if (const auto *engine = dynamic_cast<const EngineError *>(&error)) {
        QString text = engine->message();
        for (const EngineErrorEntry &entry : engine->entries()) {
            const QString translated = TranslatedEngineCode(entry.code);
            if (!translated.isEmpty())
                text += translated + u'\r';
            else if (entry.text != engine->message())  // the engine's text once, not twice
                text += entry.text + u'\r';
        }
        return text;
    }
    if (const auto *own = dynamic_cast<const MyException *>(&error))
        return own->message();
    return QString::fromUtf8(error.what());
}
