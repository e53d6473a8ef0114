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
