#include "registry/FirmChoice.h"

#include "engine/Engine.h"
#include "engine/Errors.h"
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
