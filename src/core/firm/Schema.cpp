#include "firm/Schema.h"

#include "engine/Db.h"
#include "engine/Errors.h"

using namespace Qt::StringLiterals;

namespace Schema {

const QStringList &FirmMasks()
{
    static const QStringList masks = {
        u"an.*"_s,      u"balans_data.*"_s, u"doc.*"_s,      u"Dprod.*"_s,    u"Dpok.*"_s,
        u"Finish.*"_s,  u"FIFO.*"_s,        u"kontra.*"_s,   u"net.*"_s,      u"nom_pap.*"_s,
        u"nom_p.*"_s,   u"nomel.*"_s,       u"nom_op.*"_s,   u"nom.*"_s,      u"s.*"_s,
        u"OPELDt.*"_s,  u"OPELKt.*"_s,      u"OP.*"_s,       u"opr_data.*"_s, u"opp_data.*"_s,
        u"OtPeriod.*"_s, u"SDt.*"_s,        u"SKt.*"_s,      u"Sns.*"_s,      u"SD.*"_s};
    return masks;
}

const QStringList &RegistryMasks()
{
    static const QStringList masks = {u"FirmData.*"_s, u"ChSmetki.*"_s, u"DDSDoc.*"_s, u"DDSDostType.*"_s,
                                      u"BALANS.*"_s,   u"balans_data.*"_s, u"OPR.*"_s, u"OPP.*"_s,
                                      u"opr_data.*"_s, u"opp_data.*"_s};
    return masks;
}

QString TableOfMask(const QString &mask) { return mask.section(u'.', 0, 0); }

QString FirstMissingMask(Db &db, const QStringList &masks)
{
    for (const QString &mask : masks)
        if (!db.tableExists(TableOfMask(mask)))
            return mask;
    return {};
}

namespace {

QString Lots(const QString &prefix, const QString &type = u"INTEGER"_s)
{
    QStringList fields;
    for (int i = 1; i <= 5; ++i)
        fields << u"%1%2 %3 DEFAULT 0"_s.arg(prefix).arg(i).arg(type);
    return fields.join(u", "_s);
}

QString StatementLines(bool balance)
{
    return u"(OPR_ID INTEGER PRIMARY KEY, OPR_Pok_No INTEGER, OPR_Pok_Name TEXT, OPR_Pok_Code TEXT, "
           "OPR_Value INTEGER DEFAULT 0, OPR_Grup INTEGER DEFAULT 0, OPR_This_Year REAL DEFAULT 0, "
           "OPR_Prev_Year REAL DEFAULT 0"_s
           + (balance ? u", OPR_OS REAL DEFAULT 0, OPR_Kor REAL DEFAULT 0)"_s : u")"_s);
}

QString StatementIncludes(bool balance)
{
    return u"(OPR_ID INTEGER PRIMARY KEY, OPR_Pok_No INTEGER, OPR_Account_Type INTEGER DEFAULT 0, "
           "OPR_Account_No INTEGER DEFAULT 0, "_s
           + Lots(u"OPR_Account_An"_s) + u", OPR_AccCor_No INTEGER DEFAULT 0, "_s + Lots(u"OPR_AccCor_An"_s)
           + u", OPR_ConstValue REAL DEFAULT 0"_s + (balance ? u", OPR_Kor INTEGER DEFAULT 0)"_s : u")"_s);
}

QStringList StatementIncludeTables()
{
    return {u"CREATE TABLE balans_data "_s + StatementIncludes(true),
            u"CREATE INDEX balans_data_OPR_Pok_No_index ON balans_data(OPR_Pok_No)"_s,
            u"CREATE TABLE opr_data "_s + StatementIncludes(false),
            u"CREATE INDEX OPR_Pok_No_index ON opr_data(OPR_Pok_No)"_s,
            u"CREATE TABLE opp_data "_s + StatementIncludes(false),
            u"CREATE INDEX opp_data_OPR_Pok_No_index ON opp_data(OPR_Pok_No)"_s};
}

QStringList RegistryStatements()
{
    QStringList sql = {
        u"CREATE TABLE FirmData (Firm_ID INTEGER NOT NULL UNIQUE, Firm_Name TEXT, Firm_DN TEXT, Firm_BS TEXT, "
        "Firm_Period INTEGER, Firm_DataPath TEXT, Firm_Adres TEXT, Firm_Tel TEXT, Firm_Fax TEXT, Firm_Hed TEXT, "
        "Firm_HedDDS TEXT, Firm_HedDDSPr TEXT, Firm_SubDDS TEXT, Firm_LastDDSReg TEXT, "
        "Firm_LastDDSRegEnd TEXT, Firm_Klon INTEGER DEFAULT 0)"_s,
        u"CREATE TABLE ChSmetki (S_UNo INTEGER NOT NULL UNIQUE, "_s + Lots(u"S_An"_s)
            + u", S_Name TEXT, S_Act_Pas_Type INTEGER DEFAULT 1, S_Kol_Val_Type INTEGER DEFAULT 1, "
              "S_An_Sint_Type INTEGER DEFAULT 1, Checked INTEGER DEFAULT 0)"_s,
        u"CREATE TABLE DDSDoc (Doc_DDS_No INTEGER PRIMARY KEY, Doc_Name TEXT)"_s,
        u"CREATE TABLE DDSDostType (Dost_No INTEGER PRIMARY KEY, Dost_DnNo INTEGER, Dost_Name TEXT)"_s,
        u"CREATE TABLE BALANS "_s + StatementLines(true),
        u"CREATE TABLE OPR "_s + StatementLines(false),
        u"CREATE TABLE OPP "_s + StatementLines(false),
        u"CREATE TABLE AUTOINC (DatabaseName TEXT NOT NULL, TableName TEXT NOT NULL, LastID INTEGER NOT NULL, "
        "PRIMARY KEY (DatabaseName, TableName))"_s};
    sql << StatementIncludeTables();
    return sql;
}

QStringList FirmStatements()
{
    QStringList sql = {
        u"CREATE TABLE s (S_UNo INTEGER NOT NULL DEFAULT 0 "
        "CONSTRAINT s_uno_range CHECK (S_UNo >= 0 and S_UNo <= 9999), "_s
            + Lots(u"S_An"_s)
            + u", S_Name TEXT, S_Act_Pas_Type INTEGER DEFAULT 1, S_Kol_Val_Type INTEGER DEFAULT 1, "
              "S_An_Sint_Type INTEGER DEFAULT 1, S_KorDt TEXT, S_KorKt TEXT)"_s,
        u"CREATE UNIQUE INDEX s_S_UNo ON s(S_UNo)"_s,
        u"CREATE TABLE nom (Nom_No INTEGER NOT NULL, Nom_Name TEXT, Nom_Type INTEGER DEFAULT 1)"_s,
        u"CREATE UNIQUE INDEX nom_Nom_No ON nom(Nom_No)"_s,
        u"CREATE INDEX nom_Nom_Name ON nom(Nom_Name)"_s,
        u"CREATE TABLE nomel (Nom_No INTEGER NOT NULL, NomEl_No INTEGER NOT NULL, NomEl_Name TEXT, "
        "NomEl_Med TEXT, NomEl_InvNo TEXT)"_s,
        u"CREATE UNIQUE INDEX nomel_key ON nomel(Nom_No, NomEl_No)"_s,
        u"CREATE INDEX nomel_Nom_No_NomEl_Name ON nomel(Nom_No, NomEl_Name)"_s,
        u"CREATE TABLE kontra (Nom_No INTEGER NOT NULL, NomEl_No INTEGER NOT NULL, NomEl_Name TEXT, "
        "NomEl_Dn TEXT, NomEl_Bs TEXT, NomEl_Sity TEXT, NomEl_Adres TEXT, NomEl_Tel TEXT, NomEl_Other TEXT, "
        "NomEl_BancAcc TEXT)"_s,
        u"CREATE UNIQUE INDEX kontra_NomEl_No ON kontra(NomEl_No)"_s,
        u"CREATE INDEX kontra_Nom_No_NomEl_Name ON kontra(Nom_No, NomEl_Name)"_s,
        u"CREATE TABLE nom_pap (Nom_Pap_No INTEGER NOT NULL, Nom_Pap_Name TEXT)"_s,
        u"CREATE UNIQUE INDEX nom_pap_Nom_Pap_No ON nom_pap(Nom_Pap_No)"_s,
        u"CREATE INDEX nom_pap_Nom_Pap_Name ON nom_pap(Nom_Pap_Name)"_s,
        u"CREATE TABLE nom_p (Nom_WithDDS INTEGER DEFAULT 0, Nom_Dnevnik INTEGER DEFAULT 0, "
        "Nom_VidDostavka INTEGER DEFAULT 0, Nom_DOsnova REAL DEFAULT 0, Nom_AccInDOsnova REAL DEFAULT 0, "
        "Nom_DDS REAL DEFAULT 0, Nom_Kontra INTEGER DEFAULT 0, Nom_DocType INTEGER DEFAULT 0, "
        "Nom_DDoc_No REAL CONSTRAINT nom_ddoc_no_range CHECK (Nom_DDoc_No <= 9999999999 and Nom_DDoc_No > 0), "
        "Nom_P_No INTEGER, Nom_Doc_No INTEGER NOT NULL, Nom_Doc_Date TEXT, Nom_Doc_Osno TEXT, "
        "Nom_DDSDate TEXT, Nom_DostText TEXT, Nom_DocNo_Link INTEGER)"_s,
        u"CREATE UNIQUE INDEX nom_p_Nom_Doc_No ON nom_p(Nom_Doc_No)"_s,
        u"CREATE INDEX nom_p_Nom_P_No ON nom_p(Nom_P_No)"_s,
        u"CREATE INDEX nom_p_Nom_DDSDate ON nom_p(Nom_DDSDate)"_s,
        u"CREATE TABLE doc ("_s + Lots(u"Doc_S_Dt_An"_s) + u", "_s + Lots(u"Doc_S_Kt_An"_s)
            + u", Doc_S_Dt_Kol REAL DEFAULT 0, Doc_S_Kt_Kol REAL DEFAULT 0, Doc_St REAL DEFAULT 0, "
              "Doc_No INTEGER, Doc_StGrp INTEGER, Doc_StNo INTEGER NOT NULL, Doc_Date TEXT, Doc_DDSType INTEGER, "
              "Doc_Op_No INTEGER, Doc_OpEl_No INTEGER, Doc_S_Dt INTEGER, Doc_S_Kt INTEGER)"_s,
        u"CREATE UNIQUE INDEX doc_Doc_StNo ON doc(Doc_StNo)"_s,
        u"CREATE INDEX doc_Doc_No_Doc_StGrp ON doc(Doc_No, Doc_StGrp)"_s,
        u"CREATE TABLE an ("_s + Lots(u"An_S_An"_s)
            + u", An_S_Dt_Kol REAL DEFAULT 0, An_S_Dt_Val REAL DEFAULT 0, An_S_Dt_St REAL DEFAULT 0, "
              "An_S_Kt_Kol REAL DEFAULT 0, An_S_Kt_Val REAL DEFAULT 0, An_S_Kt_St REAL DEFAULT 0, "_s
            + Lots(u"An_S_Cr_An"_s)
            + u", An_Doc_No INTEGER, An_StNo INTEGER, An_ID INTEGER, An_Pap_No INTEGER, An_S_No INTEGER, "
              "An_Date TEXT, An_S_Cr_No INTEGER, An_Stat_Grp INTEGER)"_s,
        u"CREATE INDEX an_An_Doc_No_An_StNo ON an(An_Doc_No, An_StNo)"_s,
        // Every totals query of an account or lot reads this index alone.
        u"CREATE INDEX an_totals ON an(An_S_No, An_Date, An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5, "
        "An_S_Dt_Kol, An_S_Dt_St, An_S_Kt_Kol, An_S_Kt_St)"_s,
        u"CREATE TABLE Sns (Sn_UNo INTEGER NOT NULL, "_s + Lots(u"Sn_An"_s)
            + u", Sn_Kol_Dt REAL DEFAULT 0, Sn_St_Dt REAL DEFAULT 0, Sn_Kol_Kt REAL DEFAULT 0, "
              "Sn_St_Kt REAL DEFAULT 0)"_s,
        u"CREATE UNIQUE INDEX Sns_key ON Sns(Sn_UNo, Sn_An1, Sn_An2, Sn_An3, Sn_An4, Sn_An5)"_s,
        u"CREATE TABLE OtPeriod (Date_Ot TEXT, Date_Do TEXT)"_s,
        u"CREATE TABLE net (NetDoc_ID INTEGER DEFAULT 0)"_s,
        u"CREATE TABLE SDt (SDt_Doc INTEGER, SDt_Grp INTEGER, SDt_Id INTEGER, SDt_No INTEGER, "_s
            + Lots(u"SDt_An"_s)
            + u", SDt_Name TEXT, SDt_DDSType INTEGER DEFAULT 0, SDt_Kol REAL DEFAULT 0, SDt_St REAL DEFAULT 0)"_s,
        u"CREATE INDEX SDt_key ON SDt(SDt_Doc, SDt_Grp, SDt_Id)"_s,
        u"CREATE TABLE SKt (SKt_Doc INTEGER, SKt_Grp INTEGER, SKt_Id INTEGER, SKt_No INTEGER, "_s
            + Lots(u"SKt_An"_s)
            + u", SKt_Name TEXT, SKt_DDSType INTEGER DEFAULT 0, SKt_Kol REAL DEFAULT 0, SKt_St REAL DEFAULT 0)"_s,
        u"CREATE INDEX SKt_key ON SKt(SKt_Doc, SKt_Grp, SKt_Id)"_s,
        u"CREATE TABLE op (Op_id INTEGER NOT NULL, Pap_Id INTEGER, Op_Name TEXT)"_s,
        u"CREATE UNIQUE INDEX op_Op_id ON op(Op_id)"_s,
        u"CREATE TABLE opeldt (Op_Id INTEGER, OpEl_Id INTEGER, OpEl_No INTEGER, "_s + Lots(u"OpEl_An"_s)
            + u", OpEl_Name TEXT, OpEl_Type INTEGER DEFAULT 0, OpEl_Kol REAL DEFAULT 0, OpEl_St REAL DEFAULT 0)"_s,
        u"CREATE INDEX opeldt_Op_Id ON opeldt(Op_Id)"_s,
        u"CREATE TABLE opelkt (Op_Id INTEGER, OpEl_Id INTEGER, OpEl_No INTEGER, "_s + Lots(u"OpEl_An"_s)
            + u", OpEl_Name TEXT, OpEl_Type INTEGER DEFAULT 0, OpEl_Kol REAL DEFAULT 0, OpEl_St REAL DEFAULT 0)"_s,
        u"CREATE INDEX opelkt_Op_Id ON opelkt(Op_Id)"_s,
        u"CREATE TABLE SD (SD_Month INTEGER, SD_KL71 REAL DEFAULT 0, SD_KL72 REAL DEFAULT 0, "
        "SD_KL80 REAL DEFAULT 0, SD_PlDate TEXT)"_s,
        u"CREATE TABLE OPRTmp (OPR_ID INTEGER, OPR_Pok_No INTEGER, OPR_Pok_Name TEXT, OPR_Pok_Code TEXT, "
        "OPR_Value INTEGER DEFAULT 0, OPR_Grup INTEGER DEFAULT 0, OPR_This_Year REAL DEFAULT 0, "
        "OPR_Prev_Year REAL DEFAULT 0, OPR_OS REAL DEFAULT 0, OPR_Kor REAL DEFAULT 0)"_s,
        // Kept for the files a firm's directory has always held; only the year closing marks Finish.
        u"CREATE TABLE Dprod (Dprod_Doc_No INTEGER, Dprod_Month INTEGER)"_s,
        u"CREATE TABLE Dpok (Dpok_Doc_No INTEGER, Dpok_Month INTEGER)"_s,
        u"CREATE TABLE Finish (Finish_Date TEXT, Finish_Done INTEGER DEFAULT 0)"_s,
        u"CREATE TABLE FIFO (FIFO_S_No INTEGER, "_s + Lots(u"FIFO_An"_s)
            + u", FIFO_Date TEXT, FIFO_Kol REAL DEFAULT 0, FIFO_St REAL DEFAULT 0)"_s,
        u"CREATE TABLE nom_op (Nom_Op_No INTEGER, Nom_Op_Name TEXT)"_s};
    sql << StatementIncludeTables();
    return sql;
}

void RunAll(Db &db, const QStringList &statements)
{
    for (const QString &statement : statements)
        db.exec(statement);
}

// The numbered steps of a firm file after its first version: FirmSteps()[i] brings a file to
// version i + 2. A released step is never edited; a new one goes at the end.
const QStringList &FirmSteps()
{
    static const QStringList steps = {
        // 2: the lock table of rows being edited.
        u"CREATE TABLE IF NOT EXISTS RecLocks (Lock_Table TEXT NOT NULL, Lock_Key TEXT NOT NULL, Lock_User TEXT, "
        "Lock_Host TEXT, Lock_Pid INTEGER, Lock_Start INTEGER, Lock_Since TEXT, PRIMARY KEY (Lock_Table, Lock_Key))"_s,
        // 3: the look-ups "is this account used by a journal line or a posting?" by index.
        u"CREATE INDEX IF NOT EXISTS doc_Doc_S_Dt ON doc(Doc_S_Dt); "
        "CREATE INDEX IF NOT EXISTS doc_Doc_S_Kt ON doc(Doc_S_Kt); "
        "CREATE INDEX IF NOT EXISTS an_An_S_Cr_No ON an(An_S_Cr_No)"_s,
        // 4: the totals index also covers the corresponding account, so the ledger's turnovers of
        // one account by corresponding account are read from the index alone.
        u"DROP INDEX IF EXISTS an_totals; "
        "CREATE INDEX an_totals ON an(An_S_No, An_Date, An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5, "
        "An_S_Dt_Kol, An_S_Dt_St, An_S_Kt_Kol, An_S_Kt_St, An_S_Cr_No)"_s,
        // 5: the ledger's turnovers of an account by corresponding account, grouped straight off
        // an index in that order.
        u"CREATE INDEX IF NOT EXISTS an_ledger ON an(An_S_No, An_S_Cr_No, An_Date, An_S_Dt_St, An_S_Kt_St)"_s,
        // 6: an element of an operation template is one per number within its template; the
        // unique key replaces the plain index on the template.
        u"DROP INDEX IF EXISTS opeldt_Op_Id; "
        "CREATE UNIQUE INDEX IF NOT EXISTS opeldt_key ON opeldt(Op_Id, OpEl_Id); "
        "DROP INDEX IF EXISTS opelkt_Op_Id; "
        "CREATE UNIQUE INDEX IF NOT EXISTS opelkt_key ON opelkt(Op_Id, OpEl_Id)"_s,
        // 7: a row here once the statements' include tables have had the registry's default rows,
        // so that a firm gets them once and rows its user removed stay removed.
        u"CREATE TABLE IF NOT EXISTS StmtSeed (Seed_Done INTEGER NOT NULL)"_s,
        // 8: the year closing. A closed year records its closing document and the closing's
        // identity; the next year's firm records that identity and the opening balances the
        // closing carried, so a repeat closing refreshes only what nobody changed since.
        u"CREATE TABLE IF NOT EXISTS FinishClosing (Finish_Doc_No INTEGER DEFAULT 0, Finish_Id TEXT, "
        "Finish_Date TEXT); "
        "CREATE TABLE IF NOT EXISTS CarriedFrom (Closing_Id TEXT, Source_Name TEXT, Source_Year INTEGER); "
        "CREATE TABLE IF NOT EXISTS SnsCarried (Sn_UNo INTEGER NOT NULL, Sn_An1 INTEGER DEFAULT 0, "
        "Sn_An2 INTEGER DEFAULT 0, Sn_An3 INTEGER DEFAULT 0, Sn_An4 INTEGER DEFAULT 0, Sn_An5 INTEGER DEFAULT 0, "
        "Sn_Kol_Dt REAL DEFAULT 0, Sn_St_Dt REAL DEFAULT 0, Sn_Kol_Kt REAL DEFAULT 0, Sn_St_Kt REAL DEFAULT 0)"_s,
        // 9: the chronological ledger reads the journal lines in the order of its first key after
        // the folder — posting date, document date or document number — straight off an index.
        u"CREATE INDEX IF NOT EXISTS doc_Doc_Date ON doc(Doc_Date); "
        "CREATE INDEX IF NOT EXISTS nom_p_Nom_Doc_Date ON nom_p(Nom_Doc_Date); "
        "CREATE INDEX IF NOT EXISTS nom_p_Nom_DDoc_No ON nom_p(Nom_DDoc_No)"_s,
        // 10: the euro. The accounts whose converted amounts round up (owed to staff, beside 421),
        // and, in the first euro year's firm, the conversion list of the balances it opened with.
        u"CREATE TABLE IF NOT EXISTS StaffAccounts (S_UNo INTEGER PRIMARY KEY); "
        "CREATE TABLE IF NOT EXISTS Conversion (Conv_Source TEXT, Conv_Year INTEGER, Conv_Account INTEGER); "
        "CREATE TABLE IF NOT EXISTS ConversionLines (Line_No INTEGER PRIMARY KEY, Line_Kind INTEGER, "
        "S_UNo INTEGER, Line_Lots TEXT, Line_Side TEXT, Line_Leva REAL, Line_Euro REAL, Line_Diff REAL)"_s,
        // 11: the firm's standard VAT rate, in per cent, which the entry wizard proposes the VAT at.
        u"CREATE TABLE IF NOT EXISTS FirmVat (Vat_Rate DOUBLE PRECISION NOT NULL); "
        "INSERT INTO FirmVat (Vat_Rate) SELECT 20 WHERE NOT EXISTS (SELECT 1 FROM FirmVat)"_s,
        // 12: the previous-year figures the closing wrote into the next year's statements, so a
        // repeat closing refreshes only the lines nobody changed since.
        u"CREATE TABLE IF NOT EXISTS PrevYearCarried (Stmt_Type INTEGER NOT NULL, OPR_Pok_No INTEGER NOT NULL, "
        "Carried_Value REAL NOT NULL)"_s,
    };
    return steps;
}

// The numbered steps of the registry file after its first version, as for a firm file.
const QStringList &RegistrySteps()
{
    static const QStringList steps = {
        // 2: the highest firm number ever given, so a removed firm's number is never given again.
        u"CREATE TABLE IF NOT EXISTS FirmIdHigh (High_ID INTEGER NOT NULL); "
        "INSERT INTO FirmIdHigh (High_ID) SELECT coalesce(max(Firm_ID), 0) FROM FirmData "
        "WHERE NOT EXISTS (SELECT 1 FROM FirmIdHigh)"_s,
    };
    return steps;
}

void RunStep(Db &db, const QString &step)
{
    for (const QString &statement : step.split(u';', Qt::SkipEmptyParts))
        if (!statement.trimmed().isEmpty())
            db.exec(statement.trimmed());
}

// Runs the steps after the file's version, each once and in order; steps[i] brings a file to
// version i + 2.
void Migrate(Db &db, int current, const QString &what, const QStringList &steps)
{
    if (db.userVersion() > current)
        throw MyException(u"Файлът е създаден от по-нова версия на програмата: "_s + what);
    if (db.userVersion() == current)
        return;
    // Under the file's write lock, read again: two copies opening an older file at once run
    // each step once.
    WriteLock lock(db);
    const int version = db.userVersion();
    for (int v = std::max(version, 1); v < current; ++v)
        RunStep(db, steps.at(v - 1));
    if (version < current)
        db.setUserVersion(current);
    lock.commit();
}

}  // namespace

int RegistryVersion() { return 1 + int(RegistrySteps().size()); }
int FirmVersion() { return 1 + int(FirmSteps().size()); }

void CreateRegistryTables(Db &db)
{
    RunAll(db, RegistryStatements());
    for (const QString &step : RegistrySteps())
        RunStep(db, step);
    db.setUserVersion(RegistryVersion());
}

void CreateFirmTables(Db &db)
{
    RunAll(db, FirmStatements());
    for (const QString &step : FirmSteps())
        RunStep(db, step);
    db.setUserVersion(FirmVersion());
}

void MigrateRegistry(Db &db) { Migrate(db, RegistryVersion(), db.fileName(), RegistrySteps()); }
void MigrateFirm(Db &db) { Migrate(db, FirmVersion(), db.fileName(), FirmSteps()); }

QString ConstraintMessage(const QString &databaseText)
{
    if (databaseText.contains(u"s_uno_range"_s))
        return AccountNumberMessage;
    if (databaseText.contains(u"nom_ddoc_no_range"_s))
        return DocumentNumberMessage;
    if (databaseText.contains(u"UNIQUE constraint failed: Sns."_s))
        return OpeningBalanceKeyMessage;
    if (databaseText.contains(u"UNIQUE constraint failed: s.S_UNo"_s))
        return u"Сметка с този номер вече съществува!"_s;
    return {};
}

namespace {
// Wherever the SQL layer reports a broken constraint of these tables, it reads as the system's
// message. Every program that makes or opens a firm file links this file.
[[maybe_unused]] const bool constraintMessagesInstalled = (SetConstraintTranslator(&ConstraintMessage), true);
}  // namespace

}  // namespace Schema
