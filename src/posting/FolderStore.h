#pragma once
// Document folders (nom_pap).
#include <QList>
#include <QString>

class Db;

struct NomPapRow {
    int Nom_Pap_No = 0;
    QString Nom_Pap_Name;
};

namespace FolderStore {
void Insert(Db &db, const NomPapRow &row);
QList<NomPapRow> All(Db &db);
void Delete(Db &db, int nomPapNo);
}  // namespace FolderStore
