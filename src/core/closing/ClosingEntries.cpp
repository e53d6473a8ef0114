#include "closing/ClosingEntries.h"

#include "accounts/FolderStore.h"
#include "closing/KeyTotals.h"
#include "engine/Db.h"
#include "engine/Rounding.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "posting/EntryGroup.h"
#include "posting/GroupPosting.h"
#include "registry/AutoInc.h"

using namespace Qt::StringLiterals;

namespace {

int ClosingFolder(Db &db)
{
    int highest = 0;
    for (const NomPapRow &folder : FolderStore::All(db)) {
        if (folder.Nom_Pap_Name == ClosingFolderName)
            return folder.Nom_Pap_No;
        highest = std::max(highest, folder.Nom_Pap_No);
    }
    FolderStore::Insert(db, {highest + 1, ClosingFolderName});
    return highest + 1;
}

// The key rows of one side against one row of 123 for their sum, as one entry group.
EntryGroup ClosingGroup(TFD &fd, TDM &dm, int docNo, int groupNo, const QDate &date,
                        const QList<ClosingLine> &keys, bool keysOnDebit)
{
    EntryGroup g;
    g.docNo = docNo;
    g.group = groupNo;
    g.header.postingDate = date;
    const Grid keySide = keysOnDebit ? Grid::BaseDt : Grid::BaseKt;
    const Grid resultSide = keysOnDebit ? Grid::BaseKt : Grid::BaseDt;
    auto row = [&](Grid grid, int account, const LotKey &lots, double amount, double quantity) {
        WorkLine line;
        line.doc = docNo;
        line.grp = groupNo;
        line.id = TAutoIncTable(fd, dm, IsDebit(grid) ? u"SDt.DB"_s : u"SKt.DB"_s).NewRecordId();
        line.account = account;
        line.lots = lots;
        line.name = EntryRules::KeyName(dm.db(), account, lots).left(30);
        line.st = amount;
        line.kol = quantity;
        g.rows(grid).append(line);
    };
    double sum = 0;
    for (const ClosingLine &key : keys) {
        row(keySide, key.account, key.lots, key.amount, key.quantity);
        sum += key.amount;
    }
    row(resultSide, ResultAccount, {}, RoundAmount(sum), 0);
    return g;
}

}  // namespace

bool ClosesAgainstResult(int account)
{
    const QChar first = QString::number(account).at(0);
    return first == u'6' || first == u'7';
}

bool LeftOpen(int account, const QList<int> &leftOpen)
{
    const QString number = QString::number(account);
    for (int open : leftOpen)
        if (number.startsWith(QString::number(open)))
            return true;
    return false;
}

ClosingPlan PlanClosingEntries(Db &db, const QList<int> &leftOpen)
{
    ClosingPlan plan;
    for (const auto &[key, totals] : KeyTotals(db)) {
        const int account = key.first;
        if (!ClosesAgainstResult(account) || LeftOpen(account, leftOpen))
            continue;
        const double value = SignedValue(totals), quantity = SignedQuantity(totals);
        if (value == 0 && quantity == 0)
            continue;
        // An expense key is closed on its credit side by its debit balance, an income key on its
        // debit side by its credit balance; the other side's balance comes out negative.
        if (QString::number(account).startsWith(u'6'))
            plan.expenses.append({account, key.second, value, quantity});
        else
            plan.income.append({account, key.second, RoundAmount(-value), RoundQuantity(-quantity)});
    }
    return plan;
}

int PostClosingEntries(TFD &fd, TDM &dm, const ClosingPlan &plan)
{
    Db &db = dm.db();
    const ReportingPeriod period = ReadPeriod(db);
    NomPRow doc;
    doc.Nom_P_No = ClosingFolder(db);
    doc.Nom_Doc_No = Documents::DrawDocumentNumber(db);
    doc.Nom_DDoc_No = doc.Nom_Doc_No;
    doc.Nom_Doc_Date = period.Date_Do;
    doc.Nom_Doc_Osno = u"Приключване на %1г."_s.arg(period.Date_Do.year());
    doc.Nom_DocType = 0;
    Documents::Save(db, doc, true);
    int group = 0;
    if (!plan.expenses.isEmpty())
        GroupPosting::WriteGroup(
            db, ClosingGroup(fd, dm, doc.Nom_Doc_No, ++group, period.Date_Do, plan.expenses, false), doc.Nom_P_No);
    if (!plan.income.isEmpty())
        GroupPosting::WriteGroup(
            db, ClosingGroup(fd, dm, doc.Nom_Doc_No, ++group, period.Date_Do, plan.income, true), doc.Nom_P_No);
    return doc.Nom_Doc_No;
}
