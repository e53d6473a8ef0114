#pragma once
// The registry data module: the firms, the template chart of accounts, the VAT kinds and the
// statement definitions shared by every firm, in one file of the system data directory. The
// first start creates that file with its seed contents.
#include "engine/Db.h"
#include "registry/FirmRecord.h"

#include <QList>
#include <optional>

struct ChSmetkiRow {
    int S_UNo = 0;
    QString S_Name;
    int S_Act_Pas_Type = 1;
    int S_Kol_Val_Type = 1;
    int S_An_Sint_Type = 1;
    bool Checked = false;
};

struct DDSDocRow {
    int Doc_DDS_No = 0;
    QString Doc_Name;
};

struct DDSDostTypeRow {
    int Dost_No = 0;
    int Dost_DnNo = 0;
    QString Dost_Name;
};

class TFD {
public:
    TFD();

    // Opens (creating on first start) the registry in the system data directory. Throws when
    // the directory cannot be created or written, or the file is not a registry (which is then
    // left as it was).
    void Open(const QString &systemDataDir);
    // Whether the directory holds a registry file already.
    static bool ExistsIn(const QString &systemDataDir);
    // Close and reconnect, as the firm choice does each time it is shown.
    void Reopen();
    void Close();
    bool IsOpen() const { return m_db.isOpen(); }
    Db &db() { return m_db; }
    QString SystemDataDir() const { return m_dir; }
    QString RegistryFile() const;

    // The first of the ten registry tables that is missing, or an empty text.
    QString MissingRegistryMask();

    QList<FirmRecord> Firms();
    std::optional<FirmRecord> Firm(int firmId);
    bool IsEmpty();
    // One more than the highest Firm_ID ever given, removed firms' included.
    int NextFirmId();
    // The same number, taken for a new firm under the registry's write lock and recorded in the
    // same transaction.
    int DrawFirmId();
    void InsertFirm(const FirmRecord &firm);
    // Writes the fields in which `edited` differs from `loaded`, the row as its window read it:
    // what another user changed meanwhile in the other fields stays.
    void UpdateFirm(const FirmRecord &loaded, const FirmRecord &edited);
    void DeleteFirm(int firmId);

    QList<ChSmetkiRow> ChSmetki();
    void SetChecked(int sUNo, bool checked);
    void SetAllChecked(bool checked);

    QList<DDSDocRow> DDSDoc();
    QList<DDSDostTypeRow> DDSDostType();

    // The firm that is open now (0 before the first choice).
    int currentFirmId = 0;

private:
    void CreateRegistryFile(const QString &file);
    void Seed();
    // A report never writes over a file of a firm the registry lists.
    static void NoteFirmFile(const FirmRecord &firm);
    Db m_db;
    QString m_dir;
};
