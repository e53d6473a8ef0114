// The year closing without a window: close-year.
#include "CliSupport.h"
#include "Commands.h"

#include "closing/YearClosing.h"
#include "engine/Errors.h"
#include "firm/TDM.h"
#include "registry/TFD.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {

int CloseYearCommand(Context &c)
{
    TDM dm;
    const FirmRecord firm = OpenFirmOption(c.fd, dm, c.line);
    ClosingOptions options;
    if (c.line.has(u"--keep-open"_s))
        options.leftOpen = c.line.numbers(u"--keep-open"_s);
    options.resultBroughtForward = !c.line.has(u"--keep-result-on-123"_s);
    options.replace = c.line.has(u"--replace"_s);
    if (const auto previous = ClosedBefore(dm.db()); previous && !options.replace)
        throw MyException(ClosedBeforeMessage + u": %1г., документ № %2.\rПовторното приключване иска --replace."_s
                                                    .arg(QString::number(firm.Firm_Period),
                                                         QString::number(previous->docNo)));
    dm.Close();
    const ClosingOutcome outcome = CloseYear(c.fd, firm.Firm_ID, options);
    QTextStream err(stderr);
    for (const QString &note : outcome.notes)
        err << QString(note).replace(u'\r', u'\n') << Qt::endl;
    c.out << outcome.nextFirmId << Qt::endl;
    return 0;
}

}  // namespace

QList<CommandSpec> ClosingCommands()
{
    CommandSpec closeYear;
    closeYear.words = {u"close-year"_s};
    closeYear.options = {FirmOption,
                         {u"--keep-open"_s, ValueKind::Numbers, u"611,612,613"_s, false, {}},
                         {u"--keep-result-on-123"_s, ValueKind::Flag, {}, false, {}},
                         {u"--replace"_s, ValueKind::Flag, {}, false, {}}};
    closeYear.summary = u"приключва годината на фирмата: раздели 6 и 7 по сметка 123, крайните салда като начални "
                        "в фирмата за следващата година (повторно с --replace); извежда номера ѝ"_s;
    closeYear.run = CloseYearCommand;
    return {closeYear};
}

}  // namespace cli
