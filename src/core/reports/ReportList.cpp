#include "reports/ReportList.h"

using namespace Qt::StringLiterals;

const QList<ReportEntry> &ReportEntries()
{
    static const QList<ReportEntry> entries = {
        {0, u"1. Баланс"_s, u"Баланс"_s},
        {1, u"2. ОПР"_s, u"ОПР"_s},
        {2, u"3. ОПП"_s, u"ОПП"_s},
        {3, u"4. Оборотна ведомост"_s, u"Оборотна ведомост"_s},
        {4, u"5. Главна книга"_s, u"Главна книга"_s},
        {5, u"9. ДДС"_s, u"ДДС"_s},
        {6, u"6. Хронологична ведомост"_s, u"Хронологична ведомост"_s},
        {7, u"7. Извлечение от сметка"_s, u"Извлечение от сметка"_s},
        {8, u"8. Извлечение от партида"_s, u"Извлечение от партида"_s},
    };
    return entries;
}

QList<ReportEntry> ReportMenuEntries()
{
    // The menu lists the VAT journals last.
    const auto &all = ReportEntries();
    return {all[0], all[1], all[2], all[3], all[4], all[6], all[7], all[8], all[5]};
}

bool ReportHasSettings(int code) { return code >= 0 && code <= 2; }

int StatementKindOfReport(int code)
{
    switch (code) {
    case 0: return 2;
    case 1: return 0;
    case 2: return 1;
    default: return -1;
    }
}
