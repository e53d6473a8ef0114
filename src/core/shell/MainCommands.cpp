#include "shell/MainCommands.h"

#include "accounts/FolderStore.h"
#include "accounts/OpeningBalanceRules.h"
#include "accounts/LevelStore.h"
#include "engine/Db.h"
#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/RecordLocks.h"
#include "posting/OpTemplateStore.h"
#include "statements/StatementTables.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace MainCommands {

QStringList AccountReferences(Db &db, int account, Db *registry)
{
    QStringList references;
    for (const QString &name : OpTemplateStore::NamingAccount(db, account))
        references << u"операция: "_s + name;
    references << LinesNamingAccount(db, registry, account);
    return references;
}

QString ReferencesQuestion(const QStringList &references)
{
    constexpr int Shown = 15;
    QStringList lines = references.mid(0, Shown);
    if (references.size() > Shown)
        lines << u"... и още %1"_s.arg(references.size() - Shown);
    return u"Сметката е посочена в:\r"_s + lines.join(u"\r"_s) + u"\rЖелаете ли все пак изтриване на сметката?"_s;
}

namespace {
// The in-use check and the delete in one write transaction, after every question: what another
// copy of the program posts meanwhile lands before the check, or waits until the delete is done.
bool DeletedUnlessUsed(Db &db, const std::function<bool()> &used, const std::function<void()> &remove)
{
    Transaction tx(db);
    if (used())
        return false;
    remove();
    tx.commit();
    return true;
}
}  // namespace

bool DeleteAccount(Db &db, std::optional<int> account, Db *registry)
{
    if (!account || !Messages::confirmed(u"Желаете ли изтриване на сметката?"_s))
        return false;
    const QString inUse = u"Сметката се използва и не може да бъде изтрита!"_s;
    if (AccountInUse(db, *account)) {
        Messages::show(inUse);
        return false;
    }
    // References outside the books do not keep an account; the user decides knowing them.
    const QStringList references = AccountReferences(db, *account, registry);
    if (!references.isEmpty() && !Messages::confirmed(ReferencesQuestion(references)))
        return false;
    if (!DeletedUnlessUsed(db, [&] { return AccountInUse(db, *account); }, [&] { ChartStore::Delete(db, *account); })) {
        Messages::show(inUse);
        return false;
    }
    return true;
}

bool DeleteLevel(Db &db, std::optional<int> level)
{
    if (!level || !Messages::confirmed(u"Желаете ли изтриване на аналитично ниво?"_s))
        return false;
    if (!DeletedUnlessUsed(db, [&] { return LevelInUse(db, *level); }, [&] { LevelStore::DeleteLevel(db, *level); })) {
        Messages::show(u"Аналитичното ниво се използва и не може да бъде изтрито!"_s);
        return false;
    }
    return true;
}

bool DeleteLot(Db &db, int level, std::optional<int> lot)
{
    if (!lot || LotTableOfLevel(db, level).isEmpty())
        return false;
    if (!Messages::confirmed(u"Желаете ли изтриване на партидата?"_s))
        return false;
    if (!DeletedUnlessUsed(db, [&] { return !LotFree(db, level, *lot); },
                           [&] { LevelStore::DeleteLot(db, level, *lot); })) {
        Messages::show(u"Партидата се използва и не може да бъде изтрита!"_s);
        return false;
    }
    return true;
}

bool DeleteFolder(Db &db, std::optional<int> folder)
{
    if (!folder || !Messages::confirmed(u"Желаете ли изтриване на папката?"_s))
        return false;
    // As a new document's save checks its folder in its write transaction, a document saved by
    // another copy of the program lands before the check or is refused after the delete. The
    // folder's operation templates go with it.
    if (!DeletedUnlessUsed(db, [&] { return FolderHasDocuments(db, *folder); },
                           [&] {
                               OpTemplateStore::DeleteOfFolder(db, *folder);
                               FolderStore::Delete(db, *folder);
                           })) {
        Messages::show(u"Папката съдържа документи и не може да бъде изтрита!"_s);
        return false;
    }
    return true;
}

bool DeleteOpeningBalance(Db &db, const std::optional<SnsRow> &row)
{
    if (!row || !Messages::confirmed(u"Желаете ли да изтриете записа?"_s))
        return false;
    // A row open in another copy's editor stays: its save would otherwise report a write that
    // found nothing to write.
    Transaction tx(db);
    if (const auto holder = LockedByOther(db, OpeningBalanceRules::LockTable, OpeningBalanceRules::LockKey(*row))) {
        Messages::show(LockMessage(RecordLockPrefix, *holder));
        return false;
    }
    OpeningBalances::Delete(db, *row);
    tx.commit();
    return true;
}

FilteredAccounts FilterAccounts(Db &db, AccountFilter filter)
{
    QList<SRow> accounts = ChartStore::All(db, filter);
    if (accounts.isEmpty() && filter != AccountFilter::All) {
        Messages::show(u"Няма сметки, които да отговарят на зададеното условие!"_s);
        return {AccountFilter::All, ChartStore::All(db)};
    }
    return {filter, accounts};
}

}  // namespace MainCommands
