#include "posting/OpTemplate.h"

#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "posting/OpTemplateStore.h"

using namespace Qt::StringLiterals;

GridCounts OpTemplate::counts() const
{
    GridCounts c{};
    for (Grid g : AllGrids)
        c[int(g)] = int(rows(g).size());
    return c;
}

namespace OpTemplateRules {

int KindOfGrid(Grid grid) { return int(grid) % 3; }

bool GridOfKind(int kind, bool debit, Grid &grid)
{
    if (kind < 0 || kind > 2)
        return false;
    grid = Grid((debit ? 0 : 3) + kind);
    return true;
}

QString GridName(Grid grid)
{
    const QString side = IsDebit(grid) ? u"SDt"_s : u"SKt"_s;
    const int kind = KindOfGrid(grid);
    return kind == 0 ? side : side + QString::number(kind + 1);
}

QString AccountProblem(Db &db, int account)
{
    if (account == 0 || !FindAccount(db, account))
        return u"Не е попълнена коректна сметка!"_s;
    return {};
}

int AddElement(TFD &fd, TDM &dm, OpTemplate &op, Grid grid, int currentRow)
{
    if (!EntryRules::ShapeTakesRow(op.counts(), grid))
        return -1;
    QList<OpElement> &rows = op.rows(grid);
    if (!rows.isEmpty()) {
        const int current = currentRow >= 0 && currentRow < rows.size() ? currentRow : int(rows.size()) - 1;
        const QString problem = AccountProblem(dm.db(), rows.at(current).account);
        if (!problem.isEmpty()) {
            Messages::show(problem);
            return -1;
        }
    }
    rows.append(OpTemplateStore::NewElement(fd, dm, IsDebit(grid)));
    return int(rows.size()) - 1;
}

void SetAccount(OpElement &element, int account)
{
    element.account = account;
    element.lots = {};
    element.name.clear();
    element.kol = 0;
    element.st = 0;
}

void TakePicked(OpElement &element, const TAccountStr &picked)
{
    if (picked.number != element.account) {
        element.kol = 0;
        element.st = 0;
    }
    element.account = picked.number;
    element.lots = picked.levels;
    element.name = picked.name;
}

bool ValidateForSave(Db &db, const OpTemplate &op)
{
    auto refuse = [](const QString &message) {
        Messages::show(message);
        return false;
    };
    const QString shape = EntryRules::ShapeProblem(op.counts(), true);
    if (!shape.isEmpty())
        return refuse(shape);
    for (Grid g : AllGrids)
        for (const OpElement &element : op.rows(g)) {
            const QString problem = AccountProblem(db, element.account);
            if (!problem.isEmpty()) {
                Messages::show(problem);
                return refuse(u"Таблица: "_s + GridName(g));
            }
        }
    if (op.name.trimmed().isEmpty())
        return refuse(OpNameMissingMessage);
    if (op.folder == 0)
        return refuse(OpFolderMissingMessage);
    return true;
}

}  // namespace OpTemplateRules
