#pragma once
// Making a firm: a new directory with all the firm tables, its reporting period, a chart of
// accounts taken from the ticked template rows or from another firm, and its registry record.
// A firm is either made whole or not at all.
#include "registry/FirmRecord.h"

#include <QString>
#include <functional>

class Db;
class TFD;

struct NewFirmRequest {
    FirmRecord firm;          // Firm_ID is given by the registry; Firm_DataPath may be empty
    int sourceFirmId = 0;     // 0: the chart comes from the ticked template rows
    bool copyAccountsAndLots = false;
    bool copyLots = false;
    bool copyFolders = false;
    // What the caller adds to the new firm's tables inside the creation transaction (the
    // opening balances a year closing carries); nothing when empty.
    std::function<void(Db &firm)> fillFirm;
};

// The directory a new firm gets when none is given: <system data dir>/FIRMS/<Firm_ID>/.
QString DefaultFirmDir(const QString &systemDataDir, int firmId);

// Creates the firm and returns its Firm_ID. Throws MyException with a Bulgarian message; on any
// failure nothing is left behind, neither files nor a registry record.
int CreateFirm(TFD &fd, NewFirmRequest request);

// Registers an existing firm directory after checking that it holds every firm table; the
// reporting year is taken from the firm's own period. Returns the new Firm_ID.
int AttachFirm(TFD &fd, FirmRecord firm);

// The file of a registered firm whose directory holds every firm table; throws MyException
// otherwise.
QString SourceFirmFile(TFD &fd, int sourceFirmId);

// The message for a firm directory that lacks a table.
QString MissingFilesMessage(const QString &mask);

// The first mask missing in a firm directory (the whole list's first when there is no firm file),
// or empty. Throws MyException for a file that is not a firm database.
QString FirstMissingFirmMask(const QString &firmDir);
