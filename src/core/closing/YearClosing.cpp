#include "closing/YearClosing.h"

#include "accounts/ChartStore.h"
#include "closing/CarriedBalances.h"
#include "closing/KeyTotals.h"
#include "closing/PreviousYear.h"
#include "engine/Db.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "engine/Rounding.h"
#include "firm/AccountTotals.h"
#include "firm/Currency.h"
#include "firm/Lookups.h"
#include "firm/Schema.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "registry/FirmFactory.h"
#include "registry/TFD.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QUuid>
#include <map>

using namespace Qt::StringLiterals;

QList<SnsRow> ClosingBalances(Db &firm)
{
    std::map<AccountKey, TAccountValue> byKey = KeyTotals(firm);
    QList<SnsRow> rows;
    std::map<int, int> balanceTypes;
    for (auto &[key, v] : byKey) {
        const int account = key.first;
        if (!balanceTypes.contains(account)) {
            const auto found = FindAccount(firm, account);
            if (!found)
                throw MyException(u"Приключване >> "_s + MissingAccountMessage + u" "_s + QString::number(account));
            balanceTypes[account] = found->balanceType;
        }
        CloseByBalanceType(v, balanceTypes[account], true);
        if (v.closeDtKol == 0 && v.closeDtSt == 0 && v.closeKtKol == 0 && v.closeKtSt == 0)
            continue;
        rows.append({account, key.second, v.closeDtKol, v.closeDtSt, v.closeKtKol, v.closeKtSt});
    }
    return rows;
}

namespace {

QString NewClosingId() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

void RecordClosing(Db &db, int docNo, const QString &id)
{
    const QString today = Formats::SqlDate(QDate::currentDate());
    db.exec(u"delete from Finish"_s);
    db.exec(u"insert into Finish (Finish_Date, Finish_Done) values (?, 1)"_s, {today});
    db.exec(u"delete from FinishClosing"_s);
    db.exec(u"insert into FinishClosing (Finish_Doc_No, Finish_Id, Finish_Date) values (?, ?, ?)"_s,
            {docNo, id, today});
}

// Takes back step 1 of a first closing: its document and the record that the year is closed.
void UndoClosing(const QString &dataPath, int closingDocNo)
{
    TDM dm;
    dm.Open(dataPath);
    Db &db = dm.db();
    Transaction tx(db);
    if (closingDocNo)
        Documents::DeleteDocumentRows(db, closingDocNo);
    // The closing's folder, when it holds nothing else.
    db.exec(u"delete from nom_pap where Nom_Pap_Name = ? and not exists "
            "(select 1 from nom_p where nom_p.Nom_P_No = nom_pap.Nom_Pap_No)"_s,
            {ClosingFolderName});
    db.exec(u"delete from Finish"_s);
    db.exec(u"delete from FinishClosing"_s);
    tx.commit();
}

// The accounts the rows name that the firm's chart lacks come from the standard chart (121 and
// 122 for a result brought forward).
void AddMissingAccounts(TFD &fd, Db &next, const QList<SnsRow> &rows)
{
    for (const SnsRow &row : rows) {
        if (ChartStore::Find(next, row.Sn_UNo))
            continue;
        for (const ChSmetkiRow &standard : fd.ChSmetki())
            if (standard.S_UNo == row.Sn_UNo)
                ChartStore::Insert(next, SRow{standard.S_UNo, {}, standard.S_Name, standard.S_Act_Pas_Type,
                                              standard.S_Kol_Val_Type, standard.S_An_Sint_Type});
        if (!ChartStore::Find(next, row.Sn_UNo))
            throw MyException(u"Приключване >> "_s + MissingAccountMessage + u" "_s + QString::number(row.Sn_UNo));
    }
}


// What a carry writes into the next year's firm: its opening balances (converted when the
// currency changes, with the list), and the closed year's statement figures.
struct CarryPlan {
    QList<SnsRow> rows;
    std::optional<CurrencyConversion> conversion;
    QList<PreviousYearLine> previousYear;
};

CarryPlan PlanCarry(TFD &fd, Db &source, const QList<SnsRow> &leva, int toYear, const QList<int> &staff,
                    int differenceAccount)
{
    const int fromYear = ReadPeriod(source).Date_Ot.year();
    CarryPlan plan;
    const bool convert = ConvertsCurrency(fromYear, toYear);
    if (convert) {
        plan.conversion = ConvertFirmBalances(source, leva, staff, differenceAccount);
        plan.rows = plan.conversion->rows;
    } else {
        plan.rows = leva;
    }
    if (toYear == fromYear + 1) {
        plan.previousYear = ClosedYearFigures(source, fd.db(), [convert](double amount) {
            return convert ? LevaToEuro(amount) : amount;
        });
        if (convert)
            BalancePreviousYear(source, fd.db(), plan.previousYear, ProfitBroughtForward);
    }
    return plan;
}

// Inside the transaction on the next year's firm, after its opening balances are written. A repeat
// closing keeps the previous-year figures changed by hand, and answers their lines.
QStringList WritePlanExtras(Db &next, const CarryPlan &plan, const QString &sourceName, int sourceYear, bool repeat)
{
    if (plan.conversion)
        StoreConversion(next, *plan.conversion, sourceName, sourceYear);
    if (repeat)
        return RefreshPreviousYearRows(next, plan.previousYear);
    ReplacePreviousYearRows(next, plan.previousYear);
    return {};
}

// The next year's firm that an earlier run of this closing made.
std::optional<FirmRecord> NextYearFirm(TFD &fd, const FirmRecord &closed, const QString &closingId)
{
    for (const FirmRecord &firm : fd.Firms()) {
        if (firm.Firm_Period != closed.Firm_Period + 1)
            continue;
        try {
            Db next(u"closing-next"_s);
            next.open(AddTrailingSlash(firm.Firm_DataPath) + Schema::FirmFileName, false, Schema::FirmMarkerTable);
            Schema::MigrateFirm(next);
            if (CarriedFromClosing(next) == closingId)
                return firm;
        } catch (const std::exception &) {
            // A firm whose files cannot be read is not the one this closing made.
        }
    }
    return std::nullopt;
}

int CarryIntoNewFirm(TFD &fd, const FirmRecord &closed, const CarryPlan &plan, const QString &closingId)
{
    NewFirmRequest request;
    request.firm = closed;
    request.firm.Firm_ID = 0;
    request.firm.Firm_DataPath.clear();
    request.firm.Firm_Period = closed.Firm_Period + 1;
    request.sourceFirmId = closed.Firm_ID;
    request.copyAccountsAndLots = true;
    request.copyFolders = true;
    request.copyStatementSettings = true;
    request.fillFirm = [&](Db &next) {
        AddMissingAccounts(fd, next, plan.rows);
        WriteCarried(next, plan.rows, closingId, closed.Firm_Name, closed.Firm_Period);
        WritePlanExtras(next, plan, closed.Firm_Name, closed.Firm_Period, false);
    };
    return CreateFirm(fd, std::move(request));
}

// A repeat closing, inside the transaction on the next year's firm with the closed year's file
// attached as `src`: the accounts, levels and lots the carried rows name that the next year lacks
// (opened in the closed year after the first closing) are copied from the closed year, accounts
// with their levels. Lots of the same number whose names differ are answered, for the accountant
// to check.
QStringList CopyMissingFromClosedYear(Db &next, const QList<SnsRow> &rows)
{
    QStringList differing;
    for (const SnsRow &row : rows) {
        if (!ChartStore::Find(next, row.Sn_UNo))
            next.exec(u"insert into s select * from src.s where S_UNo = ?"_s, {row.Sn_UNo});
        const auto account = ChartStore::Find(next, row.Sn_UNo);
        if (!account)
            continue;
        for (size_t k = 0; k < 5; ++k) {
            const int level = account->S_An[k];
            if (level == 0)
                continue;
            next.exec(u"insert into nom select * from src.nom where Nom_No = ? "
                      "and not exists (select 1 from nom where Nom_No = ?)"_s,
                      {level, level});
            const QString table = LotTableOfLevel(next, level);
            const int lot = row.Sn_An[k];
            if (table.isEmpty() || lot <= 0)
                continue;
            const QVariant here = next.scalar(u"select NomEl_Name from "_s + table + u" where Nom_No = ? and NomEl_No = ?"_s,
                                              {level, lot});
            const QVariant there = next.scalar(
                u"select NomEl_Name from src."_s + table + u" where Nom_No = ? and NomEl_No = ?"_s, {level, lot});
            if (!here.isValid())
                next.exec(u"insert into "_s + table + u" select * from src."_s + table
                              + u" where Nom_No = ? and NomEl_No = ?"_s,
                          {level, lot});
            else if (there.isValid() && here.toString().trimmed() != there.toString().trimmed())
                differing << u"%1 / ниво %2 / партида %3: „%4“, в приключената година „%5“"_s.arg(
                    QString::number(row.Sn_UNo), QString::number(level), QString::number(lot), here.toString(),
                    there.toString());
        }
    }
    differing.removeDuplicates();
    return differing;
}

QStringList RefreshNextYear(TFD &fd, const FirmRecord &closed, const FirmRecord &next, const CarryPlan &plan)
{
    TDM dm;
    dm.Open(next.Firm_DataPath);
    Db &db = dm.db();
    // Outside the transaction: a file is attached only so.
    db.exec(u"ATTACH DATABASE ? AS src"_s, {AddTrailingSlash(closed.Firm_DataPath) + Schema::FirmFileName});
    const auto detach = qScopeGuard([&db] {
        try {
            db.exec(u"DETACH DATABASE src"_s);
        } catch (const std::exception &) {
            // Closing the connection detaches it as well.
        }
    });
    Transaction tx(db);
    const QStringList differingLots = CopyMissingFromClosedYear(db, plan.rows);
    AddMissingAccounts(fd, db, plan.rows);
    const RefreshOutcome refreshed = RefreshCarried(db, plan.rows);
    const QStringList linesByHand = WritePlanExtras(db, plan, closed.Firm_Name, closed.Firm_Period, true);
    tx.commit();
    QStringList notes;
    if (!refreshed.keptByHand.isEmpty())
        notes << u"Началните салда, променени ръчно в %1г., са запазени:\r"_s.arg(next.Firm_Period)
                     + refreshed.keptByHand.join(u"\r"_s);
    if (!differingLots.isEmpty())
        notes << u"Партиди с един и същ номер, но различни имена в %1г. и в приключената година — проверете "
                 "началните им салда:\r"_s.arg(next.Firm_Period)
                     + differingLots.join(u"\r"_s);
    if (!linesByHand.isEmpty())
        notes << u"Данните за предходна година, променени ръчно в %1г., са запазени:\r"_s.arg(next.Firm_Period)
                     + linesByHand.join(u"\r"_s);
    const bool stockMoved =
        db.scalar(u"select exists (select 1 from an join s on s.S_UNo = an.An_S_No where s.S_Kol_Val_Type <> 1 "
                  "and (an.An_S_Dt_Kol <> 0 or an.An_S_Kt_Kol <> 0))"_s)
            .toInt()
        != 0;
    if (stockMoved)
        notes << u"Изписванията на стоки и материали, осчетоводени вече в %1г., не са преизчислени по новите "
                 "начални салда."_s.arg(next.Firm_Period);
    return notes;
}

}  // namespace

int CreateFirmFrom(TFD &fd, NewFirmRequest request, bool carryBalances)
{
    if (carryBalances) {
        if (request.sourceFirmId == 0 || !request.copyAccountsAndLots)
            throw MyException(u"Крайните салда се прехвърлят заедно със сметките и партидите на избраната фирма!"_s);
        const auto sourceFirm = fd.Firm(request.sourceFirmId);
        Db source(u"closing-source"_s);
        source.open(SourceFirmFile(fd, request.sourceFirmId), false, Schema::FirmMarkerTable);
        Schema::MigrateFirm(source);
        const int sourceYear = ReadPeriod(source).Date_Ot.year();
        const CarryPlan plan = PlanCarry(fd, source, ClosingBalances(source), request.firm.Firm_Period,
                                         MarkedStaffAccounts(source), DefaultDifferenceAccount);
        const QString sourceName = sourceFirm ? sourceFirm->Firm_Name : QString();
        request.fillFirm = [&fd, plan, sourceName, sourceYear](Db &firm) {
            AddMissingAccounts(fd, firm, plan.rows);
            for (const SnsRow &row : plan.rows)
                OpeningBalances::Insert(firm, row);
            WritePlanExtras(firm, plan, sourceName, sourceYear, false);
        };
    }
    return CreateFirm(fd, std::move(request));
}

std::optional<FirmRecord> ClosedInto(TFD &fd, int firmId)
{
    const auto closed = fd.Firm(firmId);
    if (!closed)
        return std::nullopt;
    std::optional<PreviousClosing> previous;
    {
        TDM dm;
        dm.Open(closed->Firm_DataPath);
        previous = ClosedBefore(dm.db());
    }
    return previous ? NextYearFirm(fd, *closed, previous->id) : std::nullopt;
}

StoredConversion FirmConversion(TFD &fd, int firmId)
{
    const auto firm = fd.Firm(firmId);
    if (!firm)
        return {};
    Db db(u"conversion-list"_s);
    db.open(AddTrailingSlash(firm->Firm_DataPath) + Schema::FirmFileName, false, Schema::FirmMarkerTable);
    Schema::MigrateFirm(db);
    return ReadConversion(db);
}

std::optional<PreviousClosing> ClosedBefore(Db &firm)
{
    QSqlQuery q = firm.exec(u"select Finish_Doc_No, Finish_Id, Finish_Date from FinishClosing"_s);
    if (!q.next())
        return std::nullopt;
    return PreviousClosing{q.value(0).toInt(), q.value(1).toString(), Formats::FromSqlDate(q.value(2).toString())};
}

QString OpeningDifference(const OpeningTotals &totals, int year)
{
    const double difference = RoundAmount(totals.debit - totals.credit);
    if (difference == 0)
        return {};
    QString text = u"Началните салда на %1г. не са балансирани: Дт %2, Кт %3, разлика %4.\r"
                   "Приключването пренася книгите такива, каквито са; разликата не се изравнява."_s
                       .arg(QString::number(year), Formats::Amount(totals.debit), Formats::Amount(totals.credit),
                            Formats::Amount(difference));
    if (ConvertsCurrency(year, year + 1))
        text += u"\rВ %1г. разликата се пренася превалутирана: %2 евро."_s.arg(
            QString::number(year + 1), Formats::Amount(LevaToEuro(difference)));
    return text;
}

QString RepeatClosingQuestion(const PreviousClosing &previous, int year)
{
    return u"%1г. вече е приключена (документ № %2 от %3).\rПовторното приключване заменя документа за "
           "приключване с нов, изчислен от поправените книги, и обновява в новата година началните салда и "
           "данните за предходна година, които не са променяни ръчно.\rЖелаете ли повторно приключване?"_s
        .arg(QString::number(year), QString::number(previous.docNo), Formats::Date(previous.date));
}

std::optional<QList<int>> ParseAccountList(const QString &text)
{
    QList<int> accounts;
    static const QRegularExpression separators(u"[,;\\s]+"_s);
    for (const QString &part : text.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = part.toInt(&ok);
        if (!ok || number < 1 || number > 9999)
            return std::nullopt;
        accounts << number;
    }
    return accounts;
}

ClosingOutcome CloseYear(TFD &fd, int firmId, const ClosingOptions &options)
{
    const auto closed = fd.Firm(firmId);
    if (!closed)
        throw MyException(u"Фирмата не е намерена в регистъра!"_s);
    TDM dm;
    dm.Open(closed->Firm_DataPath);
    Db &db = dm.db();
    const int year = ReadPeriod(db).Date_Ot.year();
    const auto previous = ClosedBefore(db);
    if (previous && !options.replace)
        throw MyException(ClosedBeforeMessage + u": %1г., документ № %2 от %3."_s.arg(
                              QString::number(year), QString::number(previous->docNo), Formats::Date(previous->date)));
    ClosingOutcome outcome;
    const QString difference = OpeningDifference(OpeningBalances::Totals(db), year);
    if (!difference.isEmpty()) {
        if (!options.confirmImbalance)
            Messages::show(difference);
        else if (!Messages::confirmed(difference + u"\r"_s + ProceedQuestion)) {
            outcome.cancelled = true;
            return outcome;
        }
    }
    const QList<int> staff = options.staffAccounts ? *options.staffAccounts : MarkedStaffAccounts(db);
    if (options.staffAccounts)
        SetMarkedStaffAccounts(db, staff);

    outcome.repeated = previous.has_value();
    const QString closingId = previous && !previous->id.isEmpty() ? previous->id : NewClosingId();
    {
        // Step 1: the closing document, replacing an earlier one whole.
        Transaction tx(db);
        if (previous && previous->docNo)
            Documents::DeleteDocumentRows(db, previous->docNo);
        const ClosingPlan plan = PlanClosingEntries(db, options.leftOpen);
        outcome.closingDocNo = plan.isEmpty() ? 0 : PostClosingEntries(fd, dm, plan);
        RecordClosing(db, outcome.closingDocNo, closingId);
        tx.commit();
    }
    try {
        // Steps 2 and 3: the closed books' balances per key, the result brought forward.
        QList<SnsRow> carried = ClosingBalances(db);
        if (options.resultBroughtForward)
            carried = ResultBroughtForward(carried);
        // Into the first euro year the balances are converted; step 5's figures come from the books.
        const CarryPlan plan = PlanCarry(fd, db, carried, year + 1, staff, options.differenceAccount);
        outcome.conversion = plan.conversion;
        dm.Close();

        // Step 4: into the next year's firm.
        const auto next = previous ? NextYearFirm(fd, *closed, closingId) : std::nullopt;
        if (next) {
            outcome.nextFirmId = next->Firm_ID;
            outcome.notes = RefreshNextYear(fd, *closed, *next, plan);
        } else {
            outcome.nextFirmId = CarryIntoNewFirm(fd, *closed, plan, closingId);
        }
    } catch (...) {
        // A first closing that carried nothing is taken back whole: a year is never recorded
        // as closed without a next year. A repeat keeps its new closing document, which
        // already stands for the corrected books, and can be run again.
        if (!previous)
            UndoClosing(closed->Firm_DataPath, outcome.closingDocNo);
        throw;
    }
    return outcome;
}
