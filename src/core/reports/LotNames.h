#pragma once
// Lot names for reports that print thousands of them: each level's lots are read once, from the
// table the level's type keeps them in, when the first lot of that level is asked for.
#include <QHash>
#include <QString>
#include <array>

class Db;

class LotNames {
public:
    explicit LotNames(Db &db) : m_db(db) {}
    // Empty for a lot number below 1, a level without lots or a lot the level does not have.
    QString name(int level, int lot);
    // The names of a key's lots at positions first..last (1-based) of an account with these
    // levels, the empty ones left out, joined by ", ".
    QString names(const std::array<int, 5> &levels, const std::array<int, 5> &lots, int first = 1, int last = 5);

private:
    Db &m_db;
    QHash<int, QHash<int, QString>> m_levels;
};
