#include "registry/FirmChoice.h"

#include "engine/Db.h"
#include "engine/Engine.h"
#include "engine/Formats.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/Schema.h"
#include "firm/TDM.h"
#include "registry/FirmFactory.h"
#include "registry/StatementDefaults.h"
#include "registry/TFD.h"

using namespace Qt::StringLiterals;

FirmOpenResult OpenFirm(TFD &fd, TDM &dm, const FirmRecord &firm)
{
    QString missing;
    try {
        missing = FirstMissingFirmMask(firm.Firm_DataPath);
    } catch (const MyException &e) {
        return {false, e.message()};
    }
    if (missing.isEmpty())
        missing = fd.MissingRegistryMask();
    if (!missing.isEmpty())
        return {false, MissingFilesMessage(missing)};

    EngineSession &session = EngineSession::instance();
    session.setCurrentDataPath(firm.Firm_DataPath);
    session.setUpAlias(AliasFirm);
    dm.Close();
    dm.Open(session.aliasPath(AliasFirm));
    StatementDefaults::FillFirmOnce(dm.db(), fd.db());
    fd.currentFirmId = firm.Firm_ID;
    return {true, {}};
}

bool RemoveFirm(TFD &fd, const TDM &dm, const FirmRecord &firm)
{
    if (firm.Firm_ID == fd.currentFirmId && dm.IsConnected()) {
        Messages::show(u"Фирма „"_s + firm.Firm_Name + u"“ е отворена в момента и не може да бъде изтрита от списъка!"_s);
        return false;
    }
    if (!Messages::confirmed(u"Изтриване на фирма „"_s + firm.Firm_Name
                             + u"“ от списъка?\rФайловете с данни остават на диска."_s))
        return false;
    fd.DeleteFirm(firm.Firm_ID);
    return true;
}

namespace {

QString YearLockOf(Db &books)
{
    QStringList holds;
    if (books.scalar(u"select count(*) from Sns"_s).toInt() > 0)
        holds << u"начални салда"_s;
    if (books.scalar(u"select count(*) from nom_p"_s).toInt() > 0)
        holds << u"документи"_s;
    if (holds.isEmpty())
        return {};
    return u"Отчетната година не може да бъде променена: фирмата вече има "_s + holds.join(u" и "_s) + u'.';
}

void OpenBooks(Db &books, const FirmRecord &firm)
{
    books.open(AddTrailingSlash(firm.Firm_DataPath) + Schema::FirmFileName, false, Schema::FirmMarkerTable);
}

}  // namespace

QString FirmYearLock(const FirmRecord &firm)
{
    Db books(u"firm-year"_s);
    OpenBooks(books, firm);
    return YearLockOf(books);
}

void SaveFirmData(TFD &fd, const FirmRecord &loaded, FirmRecord edited)
{
    const auto stored = fd.Firm(edited.Firm_ID);
    if (!stored)
        throw MyException(u"Фирмата не е намерена в регистъра!"_s);
    if (!SameFirmDir(loaded.Firm_DataPath, edited.Firm_DataPath))
        edited.Firm_DataPath = CheckedFirmDir(fd, edited);
    if (stored->Firm_Period == edited.Firm_Period) {
        fd.UpdateFirm(loaded, edited);
        return;
    }
    Db books(u"firm-year"_s);
    OpenBooks(books, edited);
    Transaction tx(books);
    const QString lock = YearLockOf(books);
    if (!lock.isEmpty())
        throw MyException(lock);
    books.exec(u"update OtPeriod set Date_Ot = ?, Date_Do = ?"_s,
               {Formats::SqlDate(QDate(edited.Firm_Period, 1, 1)), Formats::SqlDate(QDate(edited.Firm_Period, 12, 31))});
    // The firm's write lock is held until both are written: the registry first, then the books.
    WriteLock registry(fd.db());
    fd.UpdateFirm(loaded, edited);
    registry.commit();
    tx.commit();
}
