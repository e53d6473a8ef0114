#pragma once
// Document folders (nom_pap).
#include <QList>
#include <QString>
#include <optional>

class Db;

struct NomPapRow {
    int Nom_Pap_No = 0;
    QString Nom_Pap_Name;
};

namespace FolderStore {
void Insert(Db &db, const NomPapRow &row);
QList<NomPapRow> All(Db &db);
std::optional<NomPapRow> Find(Db &db, int nomPapNo);
void Rename(Db &db, int nomPapNo, const QString &name);
void Delete(Db &db, int nomPapNo);
}  // namespace FolderStore
