#include "reports/LotNames.h"

#include "accounts/LevelStore.h"

using namespace Qt::StringLiterals;

QString LotNames::name(int level, int lot)
{
    if (lot < 1 || level < 1)
        return {};
    auto it = m_levels.constFind(level);
    if (it == m_levels.constEnd()) {
        QHash<int, QString> lots;
        for (const auto &[number, lotName] : LevelStore::LotsOfLevel(m_db, level))
            lots.insert(number, lotName);
        it = m_levels.insert(level, lots);
    }
    return it->value(lot);
}

QString LotNames::names(const std::array<int, 5> &levels, const std::array<int, 5> &lots, int first, int last)
{
    QString text;
    for (int k = first; k <= last; ++k) {
        const QString lotName = name(levels[size_t(k - 1)], lots[size_t(k - 1)]);
        if (lotName.isEmpty())
            continue;
        if (!text.isEmpty())
            text += u", "_s;
        text += lotName;
    }
    return text;
}
