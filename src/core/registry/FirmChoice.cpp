#include "registry/FirmChoice.h"

#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/FirmFactory.h"
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
