#pragma once
// Analytic levels (nom) and their lots: list and goods lots in nomel, numbered per level;
// counterparties in kontra, numbered across the whole table.
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <utility>

class Db;

namespace NomType {
inline constexpr int List = 1;
inline constexpr int Counterparties = 2;
inline constexpr int Goods = 3;
inline constexpr int FixedAssets = 4;
}  // namespace NomType

struct NomRow {
    int Nom_No = 0;
    QString Nom_Name;
    int Nom_Type = NomType::List;
};

struct NomElRow {
    int Nom_No = 0;
    int NomEl_No = 0;
    QString NomEl_Name;
    QString NomEl_Med;
    QString NomEl_InvNo;
};

struct KontraRow {
    int Nom_No = 0;
    int NomEl_No = 0;
    QString NomEl_Name;
    QString NomEl_Dn;
    QString NomEl_Bs;
    QString NomEl_Sity;
    QString NomEl_Adres;
    QString NomEl_Tel;
    QString NomEl_Other;
    QString NomEl_BancAcc;
};

namespace LevelStore {
QList<NomRow> Levels(Db &db);  // in name order
std::optional<NomRow> Level(Db &db, int nomNo);
QList<NomRow> LevelsOfType(Db &db, int type);  // in name order
std::optional<NomElRow> Lot(Db &db, int nomNo, int nomElNo);
// Counterparty numbers are unique across levels, so the number alone finds one.
std::optional<KontraRow> Kontra(Db &db, int nomElNo);
// The lots of a level in name order; counterparties fill every field, list and goods lots the
// fields they have.
QList<KontraRow> Counterparties(Db &db, int nomNo);
QList<NomElRow> Lots(Db &db, int nomNo);
// Number and name of each lot of a level, from the table its type keeps lots in (kontra for
// counterparties, nomel for lists and goods), in name order; none for a missing level or a
// level type without lots.
QList<std::pair<int, QString>> LotsOfLevel(Db &db, int nomNo);
// Whether the level has that lot in its lot table.
bool LotExists(Db &db, int nomNo, int nomElNo);
// Why a lot filter does not fit an account with these levels (a lot at a position without a
// level, or a lot its level does not have), or an empty text; 0 at a position means any lot.
QString LotKeyProblem(Db &db, const std::array<int, 5> &levels, const std::array<int, 5> &lots);
void DeleteLevel(Db &db, int nomNo);
void DeleteLot(Db &db, int nomNo, int nomElNo);
void InsertLevel(Db &db, const NomRow &row);
void InsertLot(Db &db, const NomElRow &row);
void InsertKontra(Db &db, const KontraRow &row);
// A level keeps its type for life; only its name changes.
void RenameLevel(Db &db, int nomNo, const QString &name);
void UpdateLot(Db &db, const NomElRow &row);
void UpdateKontra(Db &db, const KontraRow &row);
}  // namespace LevelStore
