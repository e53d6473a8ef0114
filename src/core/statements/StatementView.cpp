#include "statements/StatementView.h"

#include "engine/Formats.h"

#include <QSet>

using namespace Qt::StringLiterals;

QList<StatementColumn> StatementColumns(StatementType type)
{
    QList<StatementColumn> columns = {{u"Наименование на показател"_s, StatementField::Name},
                                      {u"Предходна година"_s, StatementField::PrevYear}};
    if (type == StatementType::Balance)
        columns << StatementColumn{u"Отчетна стойност"_s, StatementField::Gross}
                << StatementColumn{u"Коректив"_s, StatementField::Correction};
    columns << StatementColumn{u"Текуща година"_s, StatementField::ThisYear};
    return columns;
}

QString StatementCellText(const ComputedLine &line, StatementField field)
{
    const LineFigures &f = line.figures;
    std::optional<double> value;
    switch (field) {
    case StatementField::Name: return line.line.OPR_Pok_Name;
    case StatementField::PrevYear: value = f.prevYear; break;
    case StatementField::Gross: value = f.gross; break;
    case StatementField::Correction: value = f.correction; break;
    case StatementField::ThisYear: value = f.thisYear; break;
    }
    return value ? Formats::Amount(*value) : QString();
}

QColor StatementRowShade(StatementType type, int kind)
{
    struct Shades {
        QSet<int> light, silver, dark;
    };
    static const Shades income{{2, 3, 4, 5, 9, 10, 11}, {6, 12}, {8, 14}};
    static const Shades cashFlow{{2, 3, 5, 6, 8, 9}, {4, 7, 10}, {11, 12}};
    static const Shades balance{{2, 3, 4, 5, 6, 8, 9, 10, 11, 14, 17, 18, 19, 21, 22, 24}, {7, 13, 20, 23, 26, 27},
                                {44, 54}};
    const Shades *s = type == StatementType::Income     ? &income
                      : type == StatementType::CashFlow ? &cashFlow
                      : type == StatementType::Balance  ? &balance
                                                        : nullptr;
    if (!s)
        return {};
    if (s->light.contains(kind))
        return QColor(229, 229, 229);
    if (s->silver.contains(kind))
        return QColor(192, 192, 192);
    if (s->dark.contains(kind))
        return QColor(128, 128, 128);
    return {};
}
