#include "registry/FirmFactory.h"

#include "engine/Db.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "firm/Schema.h"
#include "registry/StatementDefaults.h"
#include "registry/TFD.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUuid>
#include <algorithm>

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
    probe.open(file, false, Schema::FirmMarkerTable);
    return Schema::FirstMissingMask(probe, Schema::FirmMasks());
}

namespace {

void EnsureWritable(const QString &dir)
{
    QTemporaryFile probe(dir + u"write-test-XXXXXX"_s);
    if (!probe.open())
        throw MyException(u"Нямате право на запис в директорията с данни на фирмата:\r"_s + dir);
}

// Makes `dir` and answers the highest directory on its path that did not exist before, or an
// empty text when it existed.
QString MakeDirectory(const QString &dir)
{
    QString top;
    for (QDir d(dir); !d.exists(); ) {
        top = d.absolutePath();
        if (!d.cdUp())
            break;
    }
    if (!QDir().mkpath(dir))
        throw MyException(u"Не мога да създам директорията с данни на фирмата:\r"_s + dir);
    return top;
}

// Removes the empty directories from `dir` up to `top`, which this process made.
void RemoveMadeDirectories(const QString &dir, const QString &top)
{
    if (top.isEmpty())
        return;
    for (QDir d(dir);;) {
        const QString path = d.absolutePath();
        if (!QDir().rmdir(path) || path == QDir(top).absolutePath() || !d.cdUp())
            return;
    }
}

QString HoldsFirmMessage(const QString &dir)
{
    return DirectoryHoldsFirmMessage + dir + u"\rИзползвайте \"Свързване с данни за фирма\"."_s;
}

bool SameDir(const QString &a, const QString &b) { return QDir(a) == QDir(b); }

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
    // A new firm starts with the registry's statement settings, or keeps its source's.
    const QString settings = fromSource && request.copyStatementSettings ? u"src"_s : u"reg"_s;
    for (const QString &table : {u"balans_data"_s, u"opr_data"_s, u"opp_data"_s})
        db.exec(u"insert into %1 select * from %2.%1"_s.arg(table, settings));
    StatementDefaults::MarkFirmFilled(db);
    // The next year's firm proposes VAT at the rate its source used.
    if (fromSource && db.scalar(u"select count(*) from src.sqlite_master where name = 'FirmVat'"_s).toInt() > 0)
        db.exec(u"update FirmVat set Vat_Rate = (select Vat_Rate from src.FirmVat limit 1) "
                "where exists (select 1 from src.FirmVat)"_s);
    if (request.fillFirm)
        request.fillFirm(db);
    tx.commit();

    db.exec(u"DETACH DATABASE reg"_s);
    if (fromSource)
        db.exec(u"DETACH DATABASE src"_s);
}

}  // namespace

QString FirstFreeFirmDir(TFD &fd, int firmId)
{
    const QList<FirmRecord> firms = fd.Firms();
    for (int n = std::max(firmId, 1);; ++n) {
        const QString dir = DefaultFirmDir(fd.SystemDataDir(), n);
        const bool named = std::any_of(firms.begin(), firms.end(),
                                       [&](const FirmRecord &f) { return SameDir(f.Firm_DataPath, dir); });
        if (!named && !QFileInfo::exists(dir + Schema::FirmFileName))
            return dir;
    }
}

FirmBuild::FirmBuild(TFD &fd, NewFirmRequest request) : m_fd(fd), m_firm(request.firm)
{
    m_defaultDir = m_firm.Firm_DataPath.trimmed().isEmpty();
    const QString asked = m_defaultDir ? AddTrailingSlash(fd.SystemDataDir()) + u"FIRMS/"_s
                                       : AddTrailingSlash(QDir(m_firm.Firm_DataPath.trimmed()).absolutePath());
    m_firm.Firm_DataPath = asked;  // checked as typed; the default one is chosen when registered
    for (const QString &problem : {FirmRecordProblem(m_firm), NewFirmYearProblem(m_firm.Firm_Period)})
        if (!problem.isEmpty())
            throw MyException(problem);
    if (!m_defaultDir && QFileInfo::exists(asked + Schema::FirmFileName))
        throw MyException(HoldsFirmMessage(asked));

    const QString top = MakeDirectory(asked);
    if (!m_defaultDir)
        m_createdTop = top;
    m_buildDir = asked + u".new-"_s + QUuid::createUuid().toString(QUuid::WithoutBraces) + u'/';
    try {
        EnsureWritable(asked);
        if (!QDir().mkpath(m_buildDir))
            throw MyException(u"Не мога да създам директорията с данни на фирмата:\r"_s + asked);
        Db db(u"new-firm"_s);
        db.open(m_buildDir + Schema::FirmFileName, true);
        FillFirmTables(db, fd, request);
        db.close();
    } catch (...) {
        QDir(m_buildDir).removeRecursively();
        RemoveMadeDirectories(asked, m_createdTop);
        throw;
    }
}

FirmBuild::~FirmBuild()
{
    if (m_registered)
        return;
    QDir(m_buildDir).removeRecursively();
    if (!m_defaultDir)
        RemoveMadeDirectories(m_firm.Firm_DataPath, m_createdTop);
}

int FirmBuild::Register(const std::function<int(TFD &)> &existing)
{
    WriteLock lock(m_fd.db());
    if (existing)
        if (const int id = existing(m_fd))
            return id;
    FirmRecord firm = m_firm;
    firm.Firm_ID = m_fd.DrawFirmId();
    if (m_defaultDir)
        firm.Firm_DataPath = FirstFreeFirmDir(m_fd, firm.Firm_ID);
    const QString file = firm.Firm_DataPath + Schema::FirmFileName;
    const QString built = m_buildDir + Schema::FirmFileName;
    if (QFileInfo::exists(file))
        throw MyException(HoldsFirmMessage(firm.Firm_DataPath));
    const QString madeTop = m_defaultDir ? MakeDirectory(firm.Firm_DataPath) : QString();
    // Renaming never replaces a file: a directory that got a firm meanwhile stays as it is.
    if (!QFile::rename(built, file)) {
        RemoveMadeDirectories(firm.Firm_DataPath, madeTop);
        throw MyException(u"Не мога да запиша файла с данни на фирмата:\r"_s + file);
    }
    try {
        m_fd.InsertFirm(firm);
        lock.commit();
    } catch (...) {
        QFile::rename(file, built);
        RemoveMadeDirectories(firm.Firm_DataPath, madeTop);
        throw;
    }
    m_registered = true;
    QDir(m_buildDir).removeRecursively();
    return firm.Firm_ID;
}

QString NewFirmYearProblem(int year)
{
    if (year < 1999 || year > 2099)
        return u"Отчетната година на нова фирма трябва да бъде между 1999 и 2099!"_s;
    return {};
}

int CreateFirm(TFD &fd, NewFirmRequest request)
{
    FirmBuild build(fd, std::move(request));
    return build.Register();
}

bool SameFirmDir(const QString &a, const QString &b) { return SameDir(a.trimmed(), b.trimmed()); }

QString CheckedFirmDir(TFD &fd, const FirmRecord &firm)
{
    if (firm.Firm_DataPath.trimmed().isEmpty())
        throw MyException(u"Посочете път до данните!"_s);
    const QString dir = AddTrailingSlash(QDir(firm.Firm_DataPath.trimmed()).absolutePath());
    const QString missing = FirstMissingFirmMask(dir);
    if (!missing.isEmpty())
        throw MyException(MissingFilesMessage(missing));
    for (const FirmRecord &other : fd.Firms())
        if (other.Firm_ID != firm.Firm_ID && SameDir(other.Firm_DataPath, dir))
            throw MyException(u"Фирмата с тези данни вече е в списъка: "_s + other.Firm_Name);
    return dir;
}

int AttachFirm(TFD &fd, FirmRecord firm)
{
    firm.Firm_DataPath = CheckedFirmDir(fd, firm);
    {
        Db db(u"attach-check"_s);
        db.open(firm.Firm_DataPath + Schema::FirmFileName, false, Schema::FirmMarkerTable);
        Schema::MigrateFirm(db);
        const QDate from = Formats::FromSqlDate(db.scalar(u"select Date_Ot from OtPeriod"_s).toString());
        if (from.isValid())
            firm.Firm_Period = from.year();
    }
    const QString problem = FirmRecordProblem(firm);
    if (!problem.isEmpty())
        throw MyException(problem);
    WriteLock lock(fd.db());
    for (const FirmRecord &other : fd.Firms())
        if (SameDir(other.Firm_DataPath, firm.Firm_DataPath))
            throw MyException(u"Фирмата с тези данни вече е в списъка: "_s + other.Firm_Name);
    firm.Firm_ID = fd.DrawFirmId();
    fd.InsertFirm(firm);
    lock.commit();
    return firm.Firm_ID;
}
