#include "engine/Errors.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

namespace {
// SQLite primary result codes (the low byte of the extended code).
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteConstraint = 19;

ConstraintTranslator constraintTranslator = nullptr;
}  // namespace

void SetConstraintTranslator(ConstraintTranslator translator) { constraintTranslator = translator; }

EngineError EngineErrorFromSql(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool numeric = false;
    const int native = error.nativeErrorCode().toInt(&numeric);
    const int primary = numeric ? (native & 0xff) : 0;

    if (primary == SqliteBusy || primary == SqliteLocked)
        return EngineError(text, {{EngineCode::RecordLocked, text}});
    if (primary == SqliteConstraint && constraintTranslator) {
        const QString message = constraintTranslator(text);
        if (!message.isEmpty())
            return EngineError(message, {});
    }
    return EngineError(text, {{numeric ? native : 0, text}});
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
            text += (translated.isEmpty() ? entry.text : translated) + u'\r';
        }
        return text;
    }
    if (const auto *own = dynamic_cast<const MyException *>(&error))
        return own->message();
    return QString::fromUtf8(error.what());
}
