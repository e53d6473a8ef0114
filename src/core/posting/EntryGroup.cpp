#include "posting/EntryGroup.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "engine/Rounding.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "posting/Documents.h"
#include "posting/OpTemplateStore.h"
#include "registry/AutoInc.h"
#include "registry/TFD.h"

#include <QSqlQuery>
#include <cmath>

using namespace Qt::StringLiterals;

int DebitCount(const GridCounts &c) { return c[int(Grid::BaseDt)] + c[int(Grid::ExciseDt)] + c[int(Grid::VatDt)]; }

int CreditCount(const GridCounts &c) { return c[int(Grid::BaseKt)] + c[int(Grid::ExciseKt)] + c[int(Grid::VatKt)]; }

GridCounts EntryGroup::counts() const
{
    GridCounts c{};
    for (Grid g : AllGrids)
        c[int(g)] = int(rows(g).size());
    return c;
}

namespace {

bool IsBase(Grid g) { return g == Grid::BaseDt || g == Grid::BaseKt; }

// Sums exact to four decimals, as the grids keep them.
qint64 SumInTenThousandths(const EntryGroup &group, bool debit)
{
    qint64 sum = 0;
    for (Grid g : AllGrids)
        if (IsDebit(g) == debit)
            for (const WorkLine &row : group.rows(g))
                sum += std::llround(row.st * 10000.0);
    return sum;
}

Grid GridOfKind(int kind, bool debit)
{
    const int offset = debit ? 0 : 3;
    const int index = kind >= 1 && kind <= 3 ? kind - 1 : 0;
    return Grid(offset + index);
}

}  // namespace

namespace EntryRules {

int KindOfGrid(Grid grid, bool withVat)
{
    if (!withVat)
        return 0;
    return int(grid) % 3 + 1;
}

bool GridShown(Grid grid, bool withVat, int vid)
{
    if (IsBase(grid))
        return true;
    if (!withVat)
        return false;
    switch (grid) {
    case Grid::ExciseDt: return vid >= 1 && vid <= 3;
    case Grid::VatDt: return vid == 2 || vid == 3;
    case Grid::ExciseKt: return vid >= 4 && vid <= 6;
    case Grid::VatKt: return vid == 4 || vid == 7;
    default: return false;
    }
}

QString PanelCaption(Grid grid, bool withVat)
{
    switch (grid) {
    case Grid::BaseDt: return withVat ? u"Дебит:       Данъчна основа"_s : u"Сметки дебит"_s;
    case Grid::BaseKt: return withVat ? u"Кредит:      Данъчна основа"_s : u"Сметки кредит"_s;
    case Grid::ExciseDt:
    case Grid::ExciseKt: return u" Акциз в данъчната основа"_s;
    default: return u" Данък добавена стойност"_s;
    }
}

void ApplyNewVatDefaults(EntryHeader &header, const QDate &documentDate)
{
    header.vidDostavka = 2;
    header.docType = 4;
    header.postingDate = documentDate;
}

void ChangeDeliveryType(EntryGroup &group, int vid)
{
    group.header.vidDostavka = vid;
    for (Grid g : {Grid::ExciseDt, Grid::VatDt, Grid::ExciseKt, Grid::VatKt})
        group.rows(g).clear();
}

Focus CheckHeader(const EntryHeader &h, bool withVat, const ReportingPeriod &period)
{
    if (!h.postingDate.isValid())
        return {u"Въведете дата на осчетоводяване!"_s, u"date"_s};
    if (!period.contains(h.postingDate))
        return {u"Въведената дата е извън отчетния период!"_s, u"date"_s};
    if (!withVat)
        return {};
    if (h.vidDostavka == 0)
        return {u"Посочете вид на доставката!"_s, u"vidDostavka"_s};
    if (h.docType == 0)
        return {u"Посочете вид на документа!"_s, u"docType"_s};
    if (h.vidDostavka != 7 && h.kontra == 0)
        return {u"Посочете контрагент!"_s, u"kontra"_s};
    return {};
}

QString CheckTypedDate(const QString &text, const ReportingPeriod &period)
{
    const QDate date = Formats::ParseDate(text);
    if (!date.isValid())
        return u"Въведете валидна дата на осчетоводяване!"_s;
    if (!period.contains(date))
        return u"Въведената дата е извън отчетния период!"_s;
    return {};
}

bool CheckRow(Db &db, const WorkLine &row, QString *focusField)
{
    auto fail = [&](const QString &field, const QString &message) {
        if (focusField)
            *focusField = field;
        if (!message.isEmpty())
            Messages::show(message);
        return false;
    };
    const auto account = row.account != 0 ? FindAccount(db, row.account) : std::nullopt;
    if (!account)
        return fail(u"account"_s, u"Не е попълнена коректна сметка!"_s);
    if (!LotsFitAccount(db, *account, row.lots))
        return fail(u"lots"_s, u"Не е попълнена партида за сметката!"_s);
    const QString number = QString::number(row.account);
    if ((account->measureType == 2 || account->measureType == 3) && row.kol == 0
        && !Messages::confirmed(u"Не е попълнен показателя \"количество\" за сметка: "_s + number + u"\r"_s
                                + u"Желаете ли обработката на данните да продължи?"_s))
        return fail(u"kol"_s, {});
    if (row.st == 0)
        return fail(u"st"_s, u"Въведете показателя \"стойност\" за сметка: "_s + number + u"!"_s);
    return true;
}

bool ShapeTakesRow(const GridCounts &counts, Grid grid)
{
    if (grid == Grid::BaseDt)
        return !(CreditCount(counts) > 1 && counts[int(Grid::BaseDt)] > 0);
    if (grid == Grid::BaseKt)
        return !(DebitCount(counts) > 1 && counts[int(Grid::BaseKt)] > 0);
    return counts[int(grid)] == 0;
}

QString ShapeProblem(const GridCounts &counts, bool sidesRequired)
{
    if (CreditCount(counts) == 0 && sidesRequired)
        return u"Посочете сметка по кредита!"_s;
    if (DebitCount(counts) == 0 && sidesRequired)
        return u"Посочете сметка по дебита!"_s;
    for (Grid g : {Grid::ExciseDt, Grid::VatDt, Grid::ExciseKt, Grid::VatKt})
        if (counts[int(g)] > 1)
            return u"Посочени са две сметки за ДДС/Акциз"_s;
    if (CreditCount(counts) > 1 && DebitCount(counts) > 1)
        return u"Съставена е статия от тип: \"много към много\"!"_s;
    return {};
}

bool MayAddRow(const EntryGroup &group, Grid grid)
{
    return GridShown(grid, group.withVat, group.header.vidDostavka) && ShapeTakesRow(group.counts(), grid);
}

WorkLine NewRow(TFD &fd, TDM &dm, const EntryGroup &group, Grid grid)
{
    WorkLine row;
    row.doc = group.docNo;
    row.grp = group.group;
    row.ddsType = KindOfGrid(grid, group.withVat);
    row.id = TAutoIncTable(fd, dm, IsDebit(grid) ? u"SDt.DB"_s : u"SKt.DB"_s).NewRecordId();
    return row;
}

QString RoundRow(WorkLine &row)
{
    const double kol = RoundQuantity(row.kol), st = RoundAmount(row.st);
    if (kol < -QuantityLimit || kol > QuantityLimit)
        return u"Въведеното количество трябда да е между -99999999999.9999 и 99999999999.9999"_s;
    if (st < -AmountLimit || st > AmountLimit)
        return u"Въведената стойност трябда да е между -99999999999.99 и 99999999999.99"_s;
    row.kol = kol;
    row.st = st;
    return {};
}

QString TypeNumber(WorkLine &row, bool amount, const QString &text)
{
    const auto value = text.trimmed().isEmpty() ? std::optional<double>(0.0) : Formats::ParseDecimal(text);
    if (!value)
        return Formats::InvalidValueMessage(text);
    WorkLine typed = row;
    (amount ? typed.st : typed.kol) = *value;
    const QString problem = RoundRow(typed);
    if (problem.isEmpty())
        row = typed;
    return problem;
}

void SetAccount(WorkLine &row, int account)
{
    row.account = account;
    row.lots = {};
    row.name.clear();
}

Editable EditableColumns(Db &db, WorkLine &row)
{
    const auto account = row.account != 0 ? FindAccount(db, row.account) : std::nullopt;
    if (!account) {
        row.kol = 0;
        row.st = 0;
        return {};
    }
    const bool takesQuantity = account->measureType == 2 || account->measureType == 3;
    if (!takesQuantity)
        row.kol = 0;
    return {takesQuantity, true};
}

bool ValidateForSave(Db &db, EntryGroup &group, const ReportingPeriod &period)
{
    const Focus header = CheckHeader(group.header, group.withVat, period);
    if (!header.message.isEmpty()) {
        Messages::show(header.message);
        return false;
    }
    for (Grid g : AllGrids)
        for (WorkLine &row : group.rows(g)) {
            const QString range = RoundRow(row);
            if (!range.isEmpty()) {
                Messages::show(range);
                return false;
            }
        }
    const QString shape = ShapeProblem(group.counts(), !Documents::KindWithoutEntries(group.header.docType));
    if (!shape.isEmpty()) {
        Messages::show(shape);
        return false;
    }
    if (SumInTenThousandths(group, true) != SumInTenThousandths(group, false)) {
        Messages::show(u"Сумата по дебита и кредита е различна!"_s);
        return false;
    }
    for (Grid g : AllGrids)
        for (const WorkLine &row : group.rows(g))
            if (!CheckRow(db, row))
                return false;
    return true;
}

QString KeyName(Db &db, int account, const LotKey &lots)
{
    const auto found = FindAccount(db, account);
    if (!found)
        return {};
    for (int k = 4; k >= 0; --k)
        if (lots[k] > 0)
            return LotName(db, found->levels[k], lots[k]);
    return {};
}

bool ApplyTemplate(TFD &fd, TDM &dm, EntryGroup &group, int opId)
{
    Db &db = dm.db();
    if (db.scalar(u"select count(*) from op where Op_id = ?"_s, {opId}).toInt() == 0)
        return false;
    for (auto &rows : group.grids)
        rows.clear();
    bool accountMissing = false;
    for (const bool debit : {true, false})
        for (const StoredOpElement &s : OpTemplateStore::Elements(db, opId, debit)) {
            Grid grid;
            if (!OpTemplateRules::GridOfKind(s.type, debit, grid)
                || !GridShown(grid, group.withVat, group.header.vidDostavka))
                continue;
            WorkLine row = NewRow(fd, dm, group, grid);
            // An account deleted since the template was saved does not come into the group.
            if (FindAccount(db, s.element.account)) {
                row.account = s.element.account;
                row.lots = s.element.lots;
                row.name = KeyName(db, row.account, row.lots);
            } else {
                accountMissing = true;
            }
            group.rows(grid).append(row);
        }
    if (accountMissing)
        Messages::show(u"Не е попълнена коректна сметка!"_s);
    return true;
}

EntryGroup Load(Db &db, int docNo, int groupNo, bool withVat, bool isNew)
{
    EntryGroup group;
    group.docNo = docNo;
    group.group = groupNo;
    group.withVat = withVat;
    group.isNew = isNew;
    for (const bool debit : {true, false}) {
        const QString p = debit ? u"SDt"_s : u"SKt"_s;
        QSqlQuery q = db.exec(u"select %1_Id, %1_No, %1_An1, %1_An2, %1_An3, %1_An4, %1_An5, %1_Name, %1_DDSType, "
                              "%1_Kol, %1_St from %1 where %1_Doc = ? and %1_Grp = ? order by %1_Id"_s.arg(p),
                              {docNo, groupNo});
        while (q.next()) {
            WorkLine row;
            row.doc = docNo;
            row.grp = groupNo;
            row.id = q.value(0).toInt();
            row.account = q.value(1).toInt();
            for (int i = 0; i < 5; ++i)
                row.lots[i] = q.value(2 + i).toInt();
            row.name = q.value(7).toString();
            row.ddsType = q.value(8).toInt();
            row.kol = q.value(9).toDouble();
            row.st = q.value(10).toDouble();
            group.rows(GridOfKind(withVat ? row.ddsType : 0, debit)).append(row);
        }
    }
    return group;
}

}  // namespace EntryRules
