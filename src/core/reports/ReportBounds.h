#pragma once
// Bounds typed into a report's options: a document number or an amount. An empty box sets no
// bound; a text that does not read as the number is refused with a message that names the box,
// and the report never sees it.
#include <QString>
#include <optional>

// "В „От документ“ въведете номер на документ – цяло число до десет цифри!"
QString DocumentBoundMessage(const QString &box);
// "В „От сума“ въведете сума – число с десетична точка или запетая!"
QString AmountBoundMessage(const QString &box);

// The bound in `text`; throws MyException with the message for `box` (its caption) when the text
// is neither empty nor the number.
std::optional<qint64> DocumentBound(const QString &text, const QString &box);
std::optional<double> AmountBound(const QString &text, const QString &box);
