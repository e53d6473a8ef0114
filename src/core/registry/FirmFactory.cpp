#include "registry/FirmFactory.h"

#include "engine/Db.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/Schema.h"
#include "registry/TFD.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

QString DefaultFirmDir(const QString &systemDataDir, int firmId)
{
    return AddTrailingSlash(systemDataDir) + u"FIRMS/"_s + QString::number(firmId) + u'/';
}

QString MissingFilesMessage(const QString &mask)
{
    return u"Липсват файлове с данни за избраната фирма!\rФайла: "_s + mask;
}

QString FirstMissingFirmMask(const QString &firmDir)
{
    const QString file = AddTrailingSlash(firmDir) + Schema::FirmFileName;
    if (firmDir.isEmpty() || !QFileInfo::exists(file))
        return Schema::FirmMasks().first();
    Db probe(u"firm-check"_s);
    probe.open(file, false);
    return Schema::FirstMissingMask(probe, Schema::FirmMasks());
}

namespace {

// Removes what a failed creation made: the partial file and, when it was new, the directory.
class CreationCleanup {
public:
    CreationCleanup(QString dir, bool dirIsNew) : m_dir(std::move(dir)), m_dirIsNew(dirIsNew) {}
    ~CreationCleanup()
    {
        if (m_keep)
            return;
        for (const QString &file : m_files) {
            QFile::remove(file);
            QFile::remove(file + u"-wal"_s);
            QFile::remove(file + u"-shm"_s);
        }
        if (m_dirIsNew)
            QDir(m_dir).removeRecursively();
    }
    void track(const QString &file) { m_files << file; }
    void keep() { m_keep = true; }

private:
    QString m_dir;
    bool m_dirIsNew;
    QStringList m_files;
    bool m_keep = false;
};

void PrepareDirectory(const QString &dir)
{
    if (!QDir().mkpath(dir))
        throw MyException(u"Не мога да създам директорията с данни на фирмата:\r"_s + dir);
    QTemporaryFile probe(dir + u"write-test-XXXXXX"_s);
    if (!probe.open())
        throw MyException(u"Нямате право на запис в директорията с данни на фирмата:\r"_s + dir);
}

}  // namespace

QString SourceFirmFile(TFD &fd, int sourceFirmId)
{
    const auto source = fd.Firm(sourceFirmId);
    if (!source)
        throw MyException(u"Избраната фирма не е намерена в регистъра!"_s);
    const QString missing = FirstMissingFirmMask(source->Firm_DataPath);
    if (!missing.isEmpty())
        throw MyException(MissingFilesMessage(missing));
    return AddTrailingSlash(source->Firm_DataPath) + Schema::FirmFileName;
}

namespace {

void FillFirmTables(Db &db, TFD &fd, const NewFirmRequest &request)
{
    db.exec(u"ATTACH DATABASE ? AS reg"_s, {fd.RegistryFile()});
    const bool fromSource = request.sourceFirmId != 0;
    if (fromSource)
        db.exec(u"ATTACH DATABASE ? AS src"_s, {SourceFirmFile(fd, request.sourceFirmId)});

    Transaction tx(db);
    Schema::CreateFirmTables(db);
    const int year = request.firm.Firm_Period;
    db.exec(u"insert into OtPeriod (Date_Ot, Date_Do) values (?, ?)"_s,
            {Formats::SqlDate(QDate(year, 1, 1)), Formats::SqlDate(QDate(year, 12, 31))});

    const bool accountsFromSource = fromSource && request.copyAccountsAndLots;
    if (accountsFromSource)
        db.exec(u"insert into s select * from src.s"_s);
    else
        db.exec(u"insert into s (S_UNo, S_An1, S_An2, S_An3, S_An4, S_An5, S_Name, S_Act_Pas_Type, "
                "S_Kol_Val_Type, S_An_Sint_Type) select S_UNo, 0, 0, 0, 0, 0, S_Name, S_Act_Pas_Type, "
                "S_Kol_Val_Type, 1 from reg.ChSmetki where Checked = 1"_s);
    if (fromSource && (request.copyAccountsAndLots || request.copyLots)) {
        db.exec(u"insert into nom select * from src.nom"_s);
        db.exec(u"insert into nomel select * from src.nomel"_s);
        db.exec(u"insert into kontra select * from src.kontra"_s);
    }
    if (fromSource && request.copyFolders)
        db.exec(u"insert into nom_pap select * from src.nom_pap"_s);
    // Operation templates name folders, accounts and lots: they come along with all three.
    if (fromSource && request.copyFolders && request.copyAccountsAndLots)
        for (const QString &table : {u"op"_s, u"opeldt"_s, u"opelkt"_s})
            db.exec(u"insert into %1 select * from src.%1"_s.arg(table));
    // A new firm starts with the registry's statement settings.
    db.exec(u"insert into balans_data select * from reg.balans_data"_s);
    db.exec(u"insert into opr_data select * from reg.opr_data"_s);
    db.exec(u"insert into opp_data select * from reg.opp_data"_s);
    if (request.fillFirm)
        request.fillFirm(db);
    tx.commit();

    db.exec(u"DETACH DATABASE reg"_s);
    if (fromSource)
        db.exec(u"DETACH DATABASE src"_s);
}

}  // namespace

int CreateFirm(TFD &fd, NewFirmRequest request)
{
    FirmRecord &firm = request.firm;
    firm.Firm_ID = fd.NextFirmId();
    if (firm.Firm_DataPath.trimmed().isEmpty())
        firm.Firm_DataPath = DefaultFirmDir(fd.SystemDataDir(), firm.Firm_ID);
    firm.Firm_DataPath = AddTrailingSlash(QDir(firm.Firm_DataPath.trimmed()).absolutePath());
    const QString problem = FirmRecordProblem(firm);
    if (!problem.isEmpty())
        throw MyException(problem);

    const QString dir = firm.Firm_DataPath;
    const QString file = dir + Schema::FirmFileName;
    if (QFileInfo::exists(file))
        throw MyException(u"В директорията вече има данни на фирма:\r"_s + dir
                          + u"\rИзползвайте \"Свързване с данни за фирма\"."_s);

    CreationCleanup cleanup(dir, !QFileInfo::exists(dir));
    PrepareDirectory(dir);
    const QString partial = file + u".new"_s;
    cleanup.track(partial);
    cleanup.track(file);
    {
        Db db(u"new-firm"_s);
        db.open(partial, true);
        FillFirmTables(db, fd, request);
        db.close();
    }
    if (!QFile::rename(partial, file))
        throw MyException(u"Не мога да запиша файла с данни на фирмата:\r"_s + file);
    fd.InsertFirm(firm);
    cleanup.keep();
    return firm.Firm_ID;
}

int AttachFirm(TFD &fd, FirmRecord firm)
{
    if (firm.Firm_DataPath.trimmed().isEmpty())
        throw MyException(u"Посочете път до данните!"_s);
    firm.Firm_DataPath = AddTrailingSlash(QDir(firm.Firm_DataPath.trimmed()).absolutePath());
    const QString missing = FirstMissingFirmMask(firm.Firm_DataPath);
    if (!missing.isEmpty())
        throw MyException(MissingFilesMessage(missing));
    {
        Db db(u"attach-check"_s);
        db.open(firm.Firm_DataPath + Schema::FirmFileName, false);
        Schema::MigrateFirm(db);
        const QDate from = Formats::FromSqlDate(db.scalar(u"select Date_Ot from OtPeriod"_s).toString());
        if (from.isValid())
            firm.Firm_Period = from.year();
    }
    for (const FirmRecord &other : fd.Firms())
        if (QDir(other.Firm_DataPath) == QDir(firm.Firm_DataPath))
            throw MyException(u"Фирмата с тези данни вече е в списъка: "_s + other.Firm_Name);
    firm.Firm_ID = fd.NextFirmId();
    const QString problem = FirmRecordProblem(firm);
    if (!problem.isEmpty())
        throw MyException(problem);
    fd.InsertFirm(firm);
    return firm.Firm_ID;
}
