#pragma once
// The command line of orvalis-cli. Every command declares its options; the whole line is read and
// checked against them before anything is opened or created. A usage error (unknown command, an
// option the command does not take, a repeated or missing option, a value that cannot be read)
// prints the reason and the usage and exits 2; a run-time error prints the reason and exits 1.
#include "firm/AccountTotals.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <exception>
#include <functional>
#include <optional>

class TFD;

namespace cli {

class UsageError : public std::exception {
public:
    explicit UsageError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

enum class ValueKind {
    Flag,     // no value
    Text,     // any text that is not blank
    Number,   // a whole number, 0 or more, that fits an int
    DocumentNumber,  // a document number: up to ten digits
    Decimal,  // a number with a decimal point or comma, possibly negative
    Date,     // dd.MM.yyyy
    Lots,     // up to five whole numbers separated by commas: a,b,c,d,e
    Numbers,  // whole numbers separated by commas
    Choice,   // one of the option's choices
};

struct OptionSpec {
    QString name;  // "--firm"
    ValueKind kind = ValueKind::Text;
    QString valueName;  // shown in the usage: "ID", "дд.ММ.гггг"
    bool required = false;
    QStringList choices;
};

class ParsedLine;

// What a command runs with: the checked line, the open registry and standard output.
struct Context {
    const ParsedLine &line;
    TFD &fd;
    QTextStream &out;
};

struct CommandSpec {
    QStringList words;  // {"report", "trial-balance"}
    QList<OptionSpec> options;
    QString summary;  // what the command does, for the usage
    // Commands that make firms may create the registry; the others need one that exists.
    bool createsRegistry = false;
    // Reports measure text with the fonts the windows use.
    bool needsFonts = false;
    // Checks between options that the declarations cannot say (exactly one output, say); throws
    // UsageError.
    std::function<void(const ParsedLine &)> check;
    std::function<int(Context &)> run;
};

class ParsedLine {
public:
    const CommandSpec *command = nullptr;  // none with --help alone
    bool help = false;
    QString dataDir;  // as given; empty when not given

    bool has(const QString &option) const { return m_values.contains(option); }
    QString text(const QString &option) const { return m_values.value(option); }
    qint64 number(const QString &option) const;
    qint64 documentNumber(const QString &option) const;
    double decimal(const QString &option) const;
    QDate date(const QString &option, const QDate &fallback = {}) const;
    LotKey lots(const QString &option) const;
    QList<int> numbers(const QString &option) const;

    void set(const QString &option, const QString &value) { m_values.insert(option, value); }

private:
    QMap<QString, QString> m_values;
};

// Reads the arguments after the program name; throws UsageError.
ParsedLine Parse(const QStringList &arguments, const QList<CommandSpec> &commands);
QString UsageText(const QList<CommandSpec> &commands);

// For CommandSpec::check: exactly one of the options must be given.
void RequireExactlyOne(const ParsedLine &line, const QStringList &options);


}  // namespace cli
