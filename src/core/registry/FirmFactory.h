#pragma once
// Making a firm: a new directory with all the firm tables, its reporting period, a chart of
// accounts taken from the ticked template rows or from another firm, and its registry record.
// A firm is either made whole or not at all: its file is built under a name of the building
// process's own and is registered only when complete; the Firm_ID is drawn and the registry row
// written in one write transaction of the registry, so copies of the program making firms at the
// same time never share a number or a directory, and none removes what another made.
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
    // The source firm's statement include rows instead of the registry's.
    bool copyStatementSettings = false;
    // What the caller adds to the new firm's tables inside the creation transaction (the
    // opening balances a year closing carries); nothing when empty.
    std::function<void(Db &firm)> fillFirm;
};

// The directory <system data dir>/FIRMS/<n>/.
QString DefaultFirmDir(const QString &systemDataDir, int firmId);
// The directory a new firm gets when none is given: the first FIRMS/<n>/ from its Firm_ID on
// that holds no firm's data and no registered firm names (a removed firm's files stay).
QString FirstFreeFirmDir(TFD &fd, int firmId);

inline const QString DirectoryHoldsFirmMessage = QStringLiteral("В директорията вече има данни на фирма:\r");

// A firm's file while it is made: built (with the request's fillFirm) in a directory of this
// process's own beside where the firm will live, so that more can be added through a TDM on
// buildDir() before Register(). Unless registered, the build is removed with this object, and
// nothing else.
class FirmBuild {
public:
    FirmBuild(TFD &fd, NewFirmRequest request);
    ~FirmBuild();
    FirmBuild(const FirmBuild &) = delete;
    FirmBuild &operator=(const FirmBuild &) = delete;

    QString buildDir() const { return m_buildDir; }
    // Moves the file into the firm's directory (the one asked for, or the first free default)
    // and writes its registry row, drawing the Firm_ID, under the registry's write lock.
    // `existing`, asked under that lock, may name a registered firm that makes this one needless
    // (another copy made the same firm meanwhile): its id is returned and the build dropped.
    int Register(const std::function<int(TFD &)> &existing = {});

private:
    TFD &m_fd;
    FirmRecord m_firm;
    bool m_defaultDir = false;
    QString m_buildDir;
    QString m_createdTop;  // the highest directory of the asked-for path this process created
    bool m_registered = false;
};

// A new firm's books are kept for a year from 1999 to 2099; the refusal for any other, or empty.
QString NewFirmYearProblem(int year);

// Creates the firm and returns its Firm_ID. Throws MyException with a Bulgarian message; on any
// failure nothing is left behind, neither files nor a registry record.
int CreateFirm(TFD &fd, NewFirmRequest request);

// Registers an existing firm directory after checking that it holds every firm table; the
// reporting year is taken from the firm's own period. Returns the new Firm_ID.
int AttachFirm(TFD &fd, FirmRecord firm);

// Whether two data paths name one directory.
bool SameFirmDir(const QString &a, const QString &b);
// The firm's data path made absolute, once it is checked to hold the program's books of a firm
// and to be no other registered firm's; else the reason is raised.
QString CheckedFirmDir(TFD &fd, const FirmRecord &firm);

// The file of a registered firm whose directory holds every firm table; throws MyException
// otherwise.
QString SourceFirmFile(TFD &fd, int sourceFirmId);

// The message for a firm directory that lacks a table.
QString MissingFilesMessage(const QString &mask);

// The first mask missing in a firm directory (the whole list's first when there is no firm file),
// or empty. Throws MyException for a file that is not a firm database.
QString FirstMissingFirmMask(const QString &firmDir);
