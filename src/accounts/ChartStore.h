#pragma once
// The chart of accounts of the open firm (table s).
#include <QList>
#include <QString>
#include <array>
#include <optional>

class Db;

struct SRow {
    int S_UNo = 0;
    std::array<int, 5> S_An{};  // level numbers at positions 1..5, 0 = none
    QString S_Name;
    int S_Act_Pas_Type = 1;
    int S_Kol_Val_Type = 1;
    int S_An_Sint_Type = 1;
};

namespace ChartStore {
void Insert(Db &db, const SRow &row);
std::optional<SRow> Find(Db &db, int sUNo);
QList<SRow> All(Db &db);
// Attaches analytic levels to an account and makes it analytic (synthetic when all are 0).
void SetLevels(Db &db, int sUNo, const std::array<int, 5> &levels);
}  // namespace ChartStore
