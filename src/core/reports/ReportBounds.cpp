#include "reports/ReportBounds.h"

#include "engine/Errors.h"
#include "engine/Formats.h"

using namespace Qt::StringLiterals;

namespace {
// "От документ:" → „От документ“
QString Quoted(const QString &box)
{
    QString name = box.trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return u"„"_s + name + u"“"_s;
}
}  // namespace

QString DocumentBoundMessage(const QString &box)
{
    return u"В "_s + Quoted(box) + u" въведете номер на документ – цяло число до десет цифри!"_s;
}

QString AmountBoundMessage(const QString &box)
{
    return u"В "_s + Quoted(box) + u" въведете сума – число с десетична точка или запетая!"_s;
}

std::optional<qint64> DocumentBound(const QString &text, const QString &box)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto value = Formats::ReadDocumentNumber(text);
    if (!value)
        throw MyException(DocumentBoundMessage(box));
    return value;
}

std::optional<double> AmountBound(const QString &text, const QString &box)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto value = Formats::ParseDecimal(text);
    if (!value)
        throw MyException(AmountBoundMessage(box));
    return value;
}
