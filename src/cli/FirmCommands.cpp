// The registry and its firms: init, firms, new-firm, demo.
#include "Commands.h"

#include "demo/DemoFirm.h"
#include "firm/Currency.h"
#include "registry/FirmFactory.h"
#include "registry/TFD.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {

// One line per firm, whatever the name holds.
QString OneLine(QString text)
{
    text.replace(u"\r\n"_s, u" "_s);
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    text.replace(u'\t', u' ');
    return text;
}

int Firms(Context &c, TFD &fd)
{
    for (const FirmRecord &f : fd.Firms())
        c.out << f.Firm_ID << '\t' << OneLine(f.Firm_Name) << '\t' << f.Firm_Period << '\t'
              << CurrencyCode(CurrencyOfYear(f.Firm_Period)) << '\t' << OneLine(f.Firm_DataPath) << Qt::endl;
    return 0;
}

int NewFirm(Context &c, TFD &fd)
{
    NewFirmRequest request;
    request.firm.Firm_Name = c.line.text(u"--name"_s);
    request.firm.Firm_Period = int(c.line.number(u"--year"_s));
    request.firm.Firm_DataPath = c.line.text(u"--dir"_s);
    c.out << CreateFirm(fd, request) << Qt::endl;
    return 0;
}

}  // namespace

QList<CommandSpec> FirmCommands()
{
    QList<CommandSpec> commands;
    CommandSpec init;
    init.words = {u"init"_s};
    init.summary = u"създава регистъра на фирмите и извежда директорията му"_s;
    init.createsRegistry = true;
    init.run = [](Context &c) {
        c.out << c.fd.SystemDataDir() << Qt::endl;
        return 0;
    };
    commands << init;

    CommandSpec firms;
    firms.words = {u"firms"_s};
    firms.summary = u"списък на фирмите: номер, име, година, валута (BGN/EUR), директория"_s;
    firms.run = [](Context &c) { return Firms(c, c.fd); };
    commands << firms;

    CommandSpec newFirm;
    newFirm.words = {u"new-firm"_s};
    newFirm.options = {{u"--name"_s, ValueKind::Text, u"ИМЕ"_s, true, {}},
                       {u"--year"_s, ValueKind::Number, u"ГОДИНА"_s, true, {}},
                       {u"--dir"_s, ValueKind::Text, u"DIR"_s, false, {}}};
    newFirm.summary = u"нова фирма с отметнатия сметкоплан; извежда номера ѝ"_s;
    newFirm.createsRegistry = true;
    newFirm.run = [](Context &c) { return NewFirm(c, c.fd); };
    commands << newFirm;

    CommandSpec demo;
    demo.words = {u"demo"_s};
    demo.options = {{u"--rollover"_s, ValueKind::Flag, {}, false, {}}};
    demo.summary = u"създава демо фирмата за текущата година (веднъж) и извежда номера ѝ; с --rollover демо "
                   "фирма за 2025г. в лева, приключена в 2026г. в евро, и извежда двата номера"_s;
    demo.createsRegistry = true;
    demo.run = [](Context &c) {
        if (c.line.has(u"--rollover"_s)) {
            const DemoRollover made = EnsureDemoRollover(c.fd);
            c.out << made.levaFirm << Qt::endl << made.euroFirm << Qt::endl;
            return 0;
        }
        c.out << EnsureDemoFirm(c.fd) << Qt::endl;
        return 0;
    };
    commands << demo;
    return commands;
}

}  // namespace cli
