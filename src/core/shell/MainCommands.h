#pragma once
// The deletes and the account filter of the main window: each asks its question, refuses with
// the in-use message, and answers whether something changed, so the window only refills.
#include "accounts/ChartStore.h"
#include "accounts/OpeningBalances.h"

#include <optional>

class Db;

namespace MainCommands {
// What names an account without putting it in use (operation templates, statement lines), one
// line each; the lines' names come from the registry when it is given.
QStringList AccountReferences(Db &db, int account, Db *registry = nullptr);
// The question asked before such an account is deleted, with the references listed.
QString ReferencesQuestion(const QStringList &references);
// Asks, refuses an account in use, asks again with the account's references, deletes.
bool DeleteAccount(Db &db, std::optional<int> account, Db *registry = nullptr);
bool DeleteLevel(Db &db, std::optional<int> level);
bool DeleteLot(Db &db, int level, std::optional<int> lot);
bool DeleteFolder(Db &db, std::optional<int> folder);
bool DeleteOpeningBalance(Db &db, const std::optional<SnsRow> &row);

struct FilteredAccounts {
    AccountFilter filter = AccountFilter::All;
    QList<SRow> accounts;
};
// A filter that leaves no account shows the message and is removed.
FilteredAccounts FilterAccounts(Db &db, AccountFilter filter);
}  // namespace MainCommands
