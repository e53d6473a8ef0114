#include "registry/TFD.h"

#include "engine/BooksFiles.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/Currency.h"
#include "firm/Schema.h"
#include "registry/RegistrySeed.h"
#include "registry/StatementDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUuid>

using namespace Qt::StringLiterals;

const std::array<FirmTextField, 7> &FirmContactFields()
{
    static const std::array<FirmTextField, 7> fields = {{
        {"Наименование:", "Firm_Name", &FirmRecord::Firm_Name, 30},
        {"Данъчен номер:", "Firm_DN", &FirmRecord::Firm_DN, 10},
        {"Булстат:", "Firm_BS", &FirmRecord::Firm_BS, 10},
        {"Телефон:", "Firm_Tel", &FirmRecord::Firm_Tel, 15},
        {"Факс:", "Firm_Fax", &FirmRecord::Firm_Fax, 15},
        {"Адрес:", "Firm_Adres", &FirmRecord::Firm_Adres, 50},
        {"Лице за контакт:", "Firm_Hed", &FirmRecord::Firm_Hed, 30},
    }};
    return fields;
}

QString FirmHeaderText(const FirmRecord &firm)
{
    return u"  Отчетен период: "_s + QString::number(firm.Firm_Period) + u"г."_s + u"  Фирма: "_s
           + firm.Firm_Name + u"  Валута: "_s + CurrencyName(CurrencyOfYear(firm.Firm_Period));
}

QString FirmRecordProblem(const FirmRecord &firm)
{
    if (firm.Firm_Name.trimmed().isEmpty())
        return u"Въведете наименование на фирмата!"_s;
    if (firm.Firm_Name.size() > 30)
        return u"Наименованието на фирмата е най-много 30 знака!"_s;
    if (firm.Firm_DN.size() > 10 || firm.Firm_BS.size() > 10)
        return u"Данъчният номер и булстатът са най-много по 10 знака!"_s;
    if (firm.Firm_Period < 1900 || firm.Firm_Period > 9999)
        return u"Отчетната година трябва да бъде между 1900 и 9999!"_s;
    if (firm.Firm_DataPath.trimmed().isEmpty())
        return u"Посочете път до данните!"_s;
    return {};
}

TFD::TFD() : m_db(u"FirmData"_s) {}

QString TFD::RegistryFile() const { return AddTrailingSlash(m_dir) + Schema::RegistryFileName; }

namespace {
void EnsureWritableDir(const QString &dir)
{
    if (!QDir().mkpath(dir))
        throw MyException(u"Не мога да създам директорията със системни данни:\r"_s + dir);
    QTemporaryFile probe(AddTrailingSlash(dir) + u"write-test-XXXXXX"_s);
    if (!probe.open())
        throw MyException(u"Нямате право на запис в директорията със системни данни:\r"_s + dir);
}
}  // namespace

bool TFD::ExistsIn(const QString &systemDataDir)
{
    return QFileInfo::exists(AddTrailingSlash(systemDataDir) + Schema::RegistryFileName);
}

void TFD::Open(const QString &systemDataDir)
{
    Close();
    m_dir = AddTrailingSlash(systemDataDir);
    EnsureWritableDir(m_dir);
    const QString file = RegistryFile();
    if (!QFileInfo::exists(file))
        CreateRegistryFile(file);
    m_db.open(file, false, Schema::RegistryMarkerTable);
    Schema::MigrateRegistry(m_db);
    if (!m_db.tableExists(u"AUTOINC"_s))
        m_db.exec(u"CREATE TABLE IF NOT EXISTS AUTOINC (DatabaseName TEXT NOT NULL, TableName TEXT NOT NULL, "
                  "LastID INTEGER NOT NULL, PRIMARY KEY (DatabaseName, TableName))"_s);
    // A registry made before the statements' defaults shipped gets them now.
    StatementDefaults::FillEmptyRegistryTables(m_db);
    for (const FirmRecord &firm : Firms())
        NoteFirmFile(firm);
}

void TFD::NoteFirmFile(const FirmRecord &firm)
{
    if (!firm.Firm_DataPath.trimmed().isEmpty())
        BooksFiles::Note(AddTrailingSlash(firm.Firm_DataPath) + Schema::FirmFileName);
}

void TFD::CreateRegistryFile(const QString &file)
{
    // Built under a name of this process's own and put in place when complete, so a failed
    // first start leaves no half-made registry and two first starts at once make one registry:
    // the second finds the first's in place and drops its own.
    const QString partial = file + u".new-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces);
    try {
        m_db.open(partial, true);
        Transaction tx(m_db);
        Schema::CreateRegistryTables(m_db);
        Seed();
        tx.commit();
        m_db.exec(u"PRAGMA journal_mode=DELETE"_s);
        m_db.close();
    } catch (...) {
        m_db.close();
        QFile::remove(partial);
        throw;
    }
    const bool placed = QFile::rename(partial, file);
    QFile::remove(partial);
    if (!placed && !QFileInfo::exists(file))
        throw MyException(u"Не мога да създам регистъра на фирмите:\r"_s + file);
}

void TFD::Reopen()
{
    const QString dir = m_dir;
    m_db.close();
    Open(dir);
}

void TFD::Close() { m_db.close(); }

void TFD::Seed()
{
    for (const auto &a : RegistrySeed::NationalChart())
        m_db.exec(u"insert into ChSmetki (S_UNo, S_Name, S_Act_Pas_Type, S_Kol_Val_Type, S_An_Sint_Type, "
                  "Checked) values (?, ?, ?, ?, 1, ?)"_s,
                  {a.S_UNo, QString::fromUtf8(a.S_Name), a.S_Act_Pas_Type, a.S_Kol_Val_Type, a.Checked ? 1 : 0});
    for (const auto &k : RegistrySeed::VatDocKinds())
        m_db.exec(u"insert into DDSDoc (Doc_DDS_No, Doc_Name) values (?, ?)"_s,
                  {k.Doc_DDS_No, QString::fromUtf8(k.Doc_Name)});
    for (const auto &k : RegistrySeed::SupplyKinds())
        m_db.exec(u"insert into DDSDostType (Dost_No, Dost_DnNo, Dost_Name) values (?, ?, ?)"_s,
                  {k.Dost_No, k.Dost_No, QString::fromUtf8(k.Dost_Name)});
    StatementDefaults::WriteEmptyRegistryTables(m_db);
}

QString TFD::MissingRegistryMask() { return Schema::FirstMissingMask(m_db, Schema::RegistryMasks()); }

namespace {
const QString FirmFields = u"Firm_ID, Firm_Name, Firm_DN, Firm_BS, Firm_Period, Firm_DataPath, Firm_Adres, "
                           "Firm_Tel, Firm_Fax, Firm_Hed, Firm_HedDDS, Firm_HedDDSPr, Firm_SubDDS, "
                           "Firm_LastDDSReg, Firm_LastDDSRegEnd, Firm_Klon"_s;

FirmRecord ReadFirm(const QSqlQuery &q)
{
    FirmRecord f;
    f.Firm_ID = q.value(0).toInt();
    f.Firm_Name = q.value(1).toString();
    f.Firm_DN = q.value(2).toString();
    f.Firm_BS = q.value(3).toString();
    f.Firm_Period = q.value(4).toInt();
    f.Firm_DataPath = q.value(5).toString();
    f.Firm_Adres = q.value(6).toString();
    f.Firm_Tel = q.value(7).toString();
    f.Firm_Fax = q.value(8).toString();
    f.Firm_Hed = q.value(9).toString();
    f.Firm_HedDDS = q.value(10).toString();
    f.Firm_HedDDSPr = q.value(11).toString();
    f.Firm_SubDDS = q.value(12).toString();
    f.Firm_LastDDSReg = Formats::FromSqlDate(q.value(13).toString());
    f.Firm_LastDDSRegEnd = Formats::FromSqlDate(q.value(14).toString());
    f.Firm_Klon = q.value(15).toInt();
    return f;
}

QVariantList FirmValues(const FirmRecord &f)
{
    auto date = [](const QDate &d) { return d.isValid() ? QVariant(Formats::SqlDate(d)) : QVariant(); };
    return {f.Firm_ID,       f.Firm_Name,   f.Firm_DN,     f.Firm_BS,          f.Firm_Period,
            f.Firm_DataPath, f.Firm_Adres,  f.Firm_Tel,    f.Firm_Fax,         f.Firm_Hed,
            f.Firm_HedDDS,   f.Firm_HedDDSPr, f.Firm_SubDDS, date(f.Firm_LastDDSReg), date(f.Firm_LastDDSRegEnd),
            f.Firm_Klon};
}
}  // namespace

QList<FirmRecord> TFD::Firms()
{
    QList<FirmRecord> firms;
    QSqlQuery q = m_db.exec(u"select "_s + FirmFields + u" from FirmData order by Firm_ID"_s);
    while (q.next())
        firms << ReadFirm(q);
    return firms;
}

std::optional<FirmRecord> TFD::Firm(int firmId)
{
    QSqlQuery q = m_db.exec(u"select "_s + FirmFields + u" from FirmData where Firm_ID = ?"_s, {firmId});
    if (q.next())
        return ReadFirm(q);
    return std::nullopt;
}

bool TFD::IsEmpty() { return m_db.scalar(u"select count(*) from FirmData"_s).toInt() == 0; }

int TFD::NextFirmId()
{
    // A number is never given twice: another copy of the program that still has a removed firm
    // open must not find a different firm under its number.
    return m_db
        .scalar(u"select max(coalesce((select max(Firm_ID) from FirmData), 0), "
                "coalesce((select max(High_ID) from FirmIdHigh), 0)) + 1"_s)
        .toInt();
}

int TFD::DrawFirmId()
{
    const int next = NextFirmId();
    m_db.exec(u"delete from FirmIdHigh"_s);
    m_db.exec(u"insert into FirmIdHigh (High_ID) values (?)"_s, {next});
    return next;
}

void TFD::InsertFirm(const FirmRecord &firm)
{
    m_db.exec(u"insert into FirmData ("_s + FirmFields + u") values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"_s,
              FirmValues(firm));
    NoteFirmFile(firm);
}

void TFD::UpdateFirm(const FirmRecord &loaded, const FirmRecord &edited)
{
    // FirmFields names FirmValues in order: the program's own names, never typed text.
    static const QStringList columns = FirmFields.split(u", "_s);
    const QVariantList before = FirmValues(loaded), after = FirmValues(edited);
    QStringList assignments;
    QVariantList values;
    for (qsizetype i = 1; i < columns.size(); ++i) {
        if (before.at(i) == after.at(i))
            continue;
        assignments << columns.at(i) + u" = ?"_s;
        values << after.at(i);
    }
    if (assignments.isEmpty())
        return;
    values << edited.Firm_ID;
    m_db.exec(u"update FirmData set "_s + assignments.join(u", "_s) + u" where Firm_ID = ?"_s, values);
    NoteFirmFile(edited);
}

void TFD::DeleteFirm(int firmId) { m_db.exec(u"delete from FirmData where Firm_ID = ?"_s, {firmId}); }

QList<ChSmetkiRow> TFD::ChSmetki()
{
    QList<ChSmetkiRow> rows;
    QSqlQuery q = m_db.exec(u"select S_UNo, S_Name, S_Act_Pas_Type, S_Kol_Val_Type, S_An_Sint_Type, Checked "
                            "from ChSmetki order by S_UNo"_s);
    while (q.next())
        rows << ChSmetkiRow{q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt(),
                            q.value(4).toInt(), q.value(5).toInt() != 0};
    return rows;
}

void TFD::SetChecked(int sUNo, bool checked)
{
    m_db.exec(u"update ChSmetki set Checked = ? where S_UNo = ?"_s, {checked ? 1 : 0, sUNo});
}

void TFD::SetAllChecked(bool checked) { m_db.exec(u"update ChSmetki set Checked = ?"_s, {checked ? 1 : 0}); }

QList<DDSDocRow> TFD::DDSDoc()
{
    QList<DDSDocRow> rows;
    QSqlQuery q = m_db.exec(u"select Doc_DDS_No, Doc_Name from DDSDoc order by Doc_DDS_No"_s);
    while (q.next())
        rows << DDSDocRow{q.value(0).toInt(), q.value(1).toString()};
    return rows;
}

QList<DDSDostTypeRow> TFD::DDSDostType()
{
    QList<DDSDostTypeRow> rows;
    QSqlQuery q = m_db.exec(u"select Dost_No, Dost_DnNo, Dost_Name from DDSDostType order by Dost_No"_s);
    while (q.next())
        rows << DDSDostTypeRow{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString()};
    return rows;
}
