#pragma once
// The tables of the registry and of a firm. Table and field names are the system's own; a firm
// is one SQLite file in its directory, the registry one file in the system data directory.
// Schema changes are numbered steps, never edited once released.
#include <QString>
#include <QStringList>

class Db;

namespace Schema {

inline const QString RegistryFileName = QStringLiteral("Orvalis-registry.sqlite");
inline const QString FirmFileName = QStringLiteral("Orvalis-firm.sqlite");
// A table every version of each file has held: a file without it is not the program's.
inline const QString RegistryMarkerTable = QStringLiteral("FirmData");
inline const QString FirmMarkerTable = QStringLiteral("OtPeriod");

// The versions the program writes: 1 + the number of numbered steps after the first version.
int RegistryVersion();
int FirmVersion();

// The tables a firm's directory must hold, as masks in the order they are checked.
const QStringList &FirmMasks();
// The tables the system data directory must hold, in the order they are checked.
const QStringList &RegistryMasks();
// "an.*" → "an"
QString TableOfMask(const QString &mask);

// The first mask whose table the database lacks, or an empty text when all are there.
QString FirstMissingMask(Db &db, const QStringList &masks);

void CreateRegistryTables(Db &db);
void CreateFirmTables(Db &db);
// Brings an older file up to the current version; a newer file is refused.
void MigrateRegistry(Db &db);
void MigrateFirm(Db &db);

// The Bulgarian message of a broken table constraint, from the database's error text; empty
// when the text names no constraint of ours.
QString ConstraintMessage(const QString &databaseText);

inline const QString AccountNumberMessage =
    QStringLiteral("Номера на сметката трябва да бъде в диапазона от 1 до 9999");
inline const QString DocumentNumberMessage =
    QStringLiteral("Номерът на документа трябва да бъде число между 1 и 9999999999 !");
inline const QString OpeningBalanceKeyMessage =
    QStringLiteral("За сметката/партидите вече е въведено начално салдо!");

}  // namespace Schema
