#include "CommandLine.h"

#include "engine/Formats.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// Firms, accounts and years are whole numbers of the program's own size: a larger one would
// wrap round to another firm or account.
constexpr qint64 NumberLimit = std::numeric_limits<int>::max();

QString ValueProblem(const OptionSpec &spec, const QString &value)
{
    const QString prefix = spec.name + u": "_s;
    switch (spec.kind) {
    case ValueKind::Flag: return {};
    case ValueKind::Text:
        return value.trimmed().isEmpty() ? prefix + u"стойността е празна."_s : QString();
    case ValueKind::Number:
        return Formats::ReadWholeNumber(value, NumberLimit)
                   ? QString()
                   : prefix + u"очаква се цяло число, а е „"_s + value + u"“."_s;
    case ValueKind::DocumentNumber:
        return Formats::ReadDocumentNumber(value)
                   ? QString()
                   : prefix + u"очаква се цяло число до десет цифри, а е „"_s + value + u"“."_s;
    case ValueKind::Decimal:
        return Formats::ParseDecimal(value) ? QString() : prefix + u"очаква се число, а е „"_s + value + u"“."_s;
    case ValueKind::Date:
        return Formats::ParseDate(value).isValid() ? QString() : prefix + InvalidDateMessage;
    case ValueKind::Lots:
    case ValueKind::Numbers: {
        const QStringList parts = value.split(u',');
        if (spec.kind == ValueKind::Lots && parts.size() > 5)
            return prefix + u"приема най-много пет партиди."_s;
        for (const QString &part : parts)
            if (!Formats::ReadWholeNumber(part, 2147483647LL))
                return prefix + u"очакват се цели числа, разделени със запетая, а е „"_s + value + u"“."_s;
        return {};
    }
    case ValueKind::Choice:
        return spec.choices.contains(value) ? QString()
                                            : prefix + u"очаква се едно от "_s + spec.choices.join(u", "_s) + u"."_s;
    }
    return {};
}

const CommandSpec *FindCommand(const QStringList &args, const QList<CommandSpec> &commands, int &consumed)
{
    const CommandSpec *best = nullptr;
    for (const CommandSpec &c : commands) {
        if (c.words.size() > args.size() || (best && best->words.size() >= c.words.size()))
            continue;
        if (args.mid(0, c.words.size()) == c.words)
            best = &c;
    }
    consumed = best ? int(best->words.size()) : 0;
    return best;
}

QString UnknownCommandText(const QStringList &args, const QList<CommandSpec> &commands)
{
    // "report balance" names a known first word and an unknown second one.
    for (const CommandSpec &c : commands)
        if (c.words.size() > 1 && c.words.first() == args.first())
            return args.size() > 1 ? u"Непозната справка/команда: "_s + args.mid(0, 2).join(u' ')
                                   : u"Посочете вида: "_s + args.first() + u" …"_s;
    return u"Непозната команда: "_s + args.first();
}

}  // namespace

qint64 ParsedLine::number(const QString &option) const
{
    return Formats::ReadWholeNumber(text(option), NumberLimit).value_or(0);
}

// A document number may pass the int range: it is read to its own limit of ten digits.
qint64 ParsedLine::documentNumber(const QString &option) const
{
    return Formats::ReadDocumentNumber(text(option)).value_or(0);
}

double ParsedLine::decimal(const QString &option) const { return Formats::ParseDecimal(text(option)).value_or(0); }

QDate ParsedLine::date(const QString &option, const QDate &fallback) const
{
    return has(option) ? Formats::ParseDate(text(option)) : fallback;
}

LotKey ParsedLine::lots(const QString &option) const
{
    LotKey lots{};
    const QList<int> parts = numbers(option);
    for (int i = 0; i < parts.size() && i < 5; ++i)
        lots[i] = parts.at(i);
    return lots;
}

QList<int> ParsedLine::numbers(const QString &option) const
{
    QList<int> values;
    if (!has(option))
        return values;
    for (const QString &part : text(option).split(u','))
        values << part.trimmed().toInt();
    return values;
}

ParsedLine Parse(const QStringList &arguments, const QList<CommandSpec> &commands)
{
    ParsedLine line;
    QStringList args = arguments;
    if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
        line.help = true;
        return line;
    }
    if (!args.isEmpty() && args.first() == u"--data-dir"_s) {
        if (args.size() < 2 || args.at(1).trimmed().isEmpty())
            throw UsageError(u"--data-dir: посочете директория."_s);
        line.dataDir = args.at(1);
        args = args.mid(2);
    }
    if (args.isEmpty())
        throw UsageError(u"Не е посочена команда."_s);
    int consumed = 0;
    line.command = FindCommand(args, commands, consumed);
    if (!line.command)
        throw UsageError(UnknownCommandText(args, commands));
    const CommandSpec &command = *line.command;
    const QString name = command.words.join(u' ');
    args = args.mid(consumed);
    for (int i = 0; i < args.size(); ++i) {
        const QString &key = args.at(i);
        if (key == u"--data-dir"_s)
            throw UsageError(u"--data-dir стои преди командата."_s);
        const auto spec = std::find_if(command.options.cbegin(), command.options.cend(),
                                       [&](const OptionSpec &o) { return o.name == key; });
        if (spec == command.options.cend())
            throw UsageError(name + u" не приема "_s + key + u"."_s);
        if (line.has(key))
            throw UsageError(key + u" е посочен повече от веднъж."_s);
        QString value;
        if (spec->kind != ValueKind::Flag) {
            if (i + 1 >= args.size())
                throw UsageError(u"Липсва стойност за "_s + key + u"."_s);
            value = args.at(++i);
            if (const QString problem = ValueProblem(*spec, value); !problem.isEmpty())
                throw UsageError(problem);
        }
        line.set(key, value);
    }
    for (const OptionSpec &o : command.options)
        if (o.required && !line.has(o.name))
            throw UsageError(name + u" изисква "_s + o.name + u"."_s);
    if (command.check)
        command.check(line);
    return line;
}

void RequireExactlyOne(const ParsedLine &line, const QStringList &options)
{
    int given = 0;
    for (const QString &o : options)
        given += line.has(o) ? 1 : 0;
    if (given != 1)
        throw UsageError(u"Посочете точно едно от "_s + options.join(u", "_s) + u"."_s);
}

QString UsageText(const QList<CommandSpec> &commands)
{
    QString text = u"Употреба: orvalis-cli [--data-dir DIR] КОМАНДА [ПАРАМЕТРИ]\n"
                   "          orvalis-cli --help\n"_s;
    for (const CommandSpec &c : commands) {
        QString line = u"  "_s + c.words.join(u' ');
        for (const OptionSpec &o : c.options) {
            QString option = o.name;
            if (o.kind == ValueKind::Choice)
                option += u' ' + o.choices.join(u'|');
            else if (o.kind != ValueKind::Flag)
                option += u' ' + o.valueName;
            line += o.required ? u' ' + option : u" ["_s + option + u']';
        }
        text += line + u"\n      "_s + c.summary + u'\n';
    }
    return text;
}

}  // namespace cli
