#pragma once
// Opening a firm: its directory and the registry must hold all their tables; only then is the
// firm that was open closed and the chosen one connected.
#include "registry/FirmRecord.h"

#include <QString>

class TFD;
class TDM;

struct FirmOpenResult {
    bool opened = false;
    QString message;  // why the firm was refused; the previous firm stays open
};

// Checks and opens `firm`. A refused firm leaves everything as it was. Errors that the choice
// window answers by closing the program (an alias clash, a failure while connecting) are
// thrown.
FirmOpenResult OpenFirm(TFD &fd, TDM &dm, const FirmRecord &firm);

// Removes a firm from the registry after asking; its files stay on the disk. The firm that is
// open now is refused with a message. Answers whether the firm was removed.
bool RemoveFirm(TFD &fd, const TDM &dm, const FirmRecord &firm);

// Why a firm's reporting year may not change, or an empty text when it may: the year of a firm
// that holds opening balances or documents is the year its books were entered for.
QString FirmYearLock(const FirmRecord &firm);

// Saves the firm data edited in the firm editor: the fields that differ from `loaded`, the row as
// the editor read it. A changed year changes the firm's own period (OtPeriod, which governs every
// date and report) in the same step, or neither changes; a firm whose year is locked refuses it
// with the reason. A changed data path must hold the program's books and no other firm's.
void SaveFirmData(TFD &fd, const FirmRecord &loaded, FirmRecord edited);
