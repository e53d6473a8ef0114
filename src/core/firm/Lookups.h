#pragma once
// Names behind account, level and lot numbers, and whether an account, level, lot or folder is
// still referenced by the books.
#include "firm/AccountTotals.h"

#include <QStringList>
#include <optional>

class Db;

// The account of that number, or nothing. A failing read is shown as "GoToNom >> " + its text
// and answers nothing.
std::optional<TAccountStr> FindAccount(Db &db, int number);
// True for an analytic account; throws MyException "CheckAccountAn >> Сметката не е открита"
// for an unknown number.
bool CheckAccountAn(Db &db, int number);

int LevelType(Db &db, int level);  // 0 when the level does not exist
QString LevelTypeName(int type);
QString LotTableOfType(int type);  // "nomel", "kontra" or empty
QString LotTableOfLevel(Db &db, int level);
QString LevelName(Db &db, int level);
QStringList LevelNames(Db &db, const std::array<int, 5> &levels);

inline const QString FailedLotName = QStringLiteral("????????");
// Empty for a lot number below 1 or a level without a lot table; "????????" when the read fails.
QString LotName(Db &db, int level, int lot);

// Whether the lots of a key fit the account: a lot of the level's own at each position whose level
// has lots, and none elsewhere (a fixed-assets level has no lot table, so it takes none).
bool LotsFitAccount(Db &db, const TAccountStr &account, const LotKey &lots);

// Used by a journal line, a posting, an opening balance or the work lines of an entry group.
bool AccountInUse(Db &db, int number);
bool LevelInUse(Db &db, int level);
// A lot is used by an opening balance or posting of an account naming its level at the lot's
// position; a counterparty also by a document that names it as its VAT counterparty.
bool LotFree(Db &db, int level, int lot);
bool FolderHasDocuments(Db &db, int folder);
