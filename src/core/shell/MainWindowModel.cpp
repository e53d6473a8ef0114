#include "shell/MainWindowModel.h"

#include "accounts/FolderStore.h"
#include "engine/Formats.h"
#include "firm/Lookups.h"
#include "registry/FirmRecord.h"
#include "reports/ReportList.h"

#include <algorithm>

using namespace Qt::StringLiterals;

const QList<NavigationEntry> &NavigationEntries()
{
    static const QList<NavigationEntry> entries = {
        {NavEntry::Chart, u"    Сметкоплан"_s, Qt::Key_S},
        {NavEntry::Levels, u"    Аналитични нива"_s, Qt::Key_A},
        {NavEntry::Posting, u"    Осчетоводяване"_s, Qt::Key_O},
        {NavEntry::FirmChoice, u"    Избор на фирма"_s, Qt::Key_I},
        {NavEntry::Reports, u"    Справки"_s, Qt::Key_R},
        {NavEntry::YearClosing, u"    Приключване"_s, Qt::Key_P},
        {NavEntry::Help, u"    Помощ"_s, Qt::Key_H},
    };
    return entries;
}

const NavigationEntry &NavigationEntryOf(NavEntry entry)
{
    const auto &all = NavigationEntries();
    return *std::find_if(all.begin(), all.end(), [entry](const NavigationEntry &e) { return e.entry == entry; });
}

std::optional<NavEntry> NavigationEntryForKey(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode,
                                             ScanCodeSet set)
{
    if ((modifiers & ~Qt::KeypadModifier) != Qt::AltModifier)
        return std::nullopt;
    if (const auto engraved = scanCode != 0 ? LatinKeyOfScanCode(scanCode, set) : std::nullopt)
        key = engraved->unicode();
    for (const NavigationEntry &e : NavigationEntries())
        if (e.key == key)
            return e.entry;
    return std::nullopt;
}

bool ClashesWithNavigationKeys(QChar letter)
{
    const QList<QChar> keys = KeysTypingLetter(letter);
    for (const NavigationEntry &e : NavigationEntries())
        if (keys.contains(QChar(char16_t(e.key))))
            return true;
    return false;
}

QList<ListItem> ChartItems(const QList<SRow> &accounts)
{
    QList<ListItem> items;
    for (const SRow &a : accounts)
        items.append({a.S_UNo, QString::number(a.S_UNo) + u' ' + a.S_Name});
    return items;
}

QList<ListItem> LevelItems(Db &db)
{
    QList<ListItem> items;
    for (const NomRow &l : LevelStore::Levels(db))
        items.append({l.Nom_No, l.Nom_Name});
    return items;
}

QList<ListItem> LotItems(Db &db, int level)
{
    QList<ListItem> items;
    for (const auto &[number, name] : LevelStore::LotsOfLevel(db, level))
        items.append({number, name});
    return items;
}

QList<ListItem> FolderItems(Db &db)
{
    QList<ListItem> items;
    for (const NomPapRow &f : FolderStore::All(db))
        items.append({f.Nom_Pap_No, f.Nom_Pap_Name});
    return items;
}

QList<ListItem> ReportItems()
{
    QList<ListItem> items;
    for (const ReportEntry &r : ReportEntries())
        items.append({r.code, r.listCaption});
    return items;
}

QString ModeTitle(MainMode mode, bool lotView)
{
    switch (mode) {
    case MainMode::Chart: return NavigationEntryOf(NavEntry::Chart).caption.trimmed();
    case MainMode::Levels:
        return lotView ? u"Партиди"_s : NavigationEntryOf(NavEntry::Levels).caption.trimmed();
    case MainMode::Folders: return NavigationEntryOf(NavEntry::Posting).caption.trimmed() + u" - Папки"_s;
    case MainMode::Documents: return NavigationEntryOf(NavEntry::Posting).caption.trimmed() + u" - Документи"_s;
    case MainMode::OpeningBalances: return u"Начални салда"_s;
    case MainMode::Reports: return NavigationEntryOf(NavEntry::Reports).caption.trimmed();
    case MainMode::None: break;
    }
    return {};
}

ListButtons ListButtonsFor(const ListContext &c)
{
    ListButtons b;
    b.add = {u"Добавяне"_s, true, false};
    b.edit = {u"Редактиране"_s, true, false};
    b.remove = {u"Изтриване"_s, true, false};
    b.balances = {u"Начални салда"_s, true, false};
    b.back = {u"Назад"_s, false, false};
    switch (c.mode) {
    case MainMode::None: break;
    case MainMode::Chart:
        b.add.enabled = b.edit.enabled = c.accountEditor;
        b.remove.enabled = b.balances.enabled = true;
        break;
    case MainMode::Levels:
        b.add.enabled = b.edit.enabled = c.nomEditor;
        b.remove.enabled = true;
        b.balances.visible = false;
        b.back = {b.back.caption, c.lotView, c.lotView};
        break;
    case MainMode::Folders:
    case MainMode::Documents: {
        // While a folder's documents are open, the folder list waits for them.
        const bool idle = c.mode == MainMode::Folders;
        b.add.enabled = b.edit.enabled = idle && c.nomEditor;
        b.remove.enabled = idle;
        b.balances = {u"Операции"_s, true, idle && c.operations};
        break;
    }
    case MainMode::OpeningBalances:
        b.add.enabled = c.balanceEditor && c.canAddBalance;
        b.edit.enabled = c.balanceEditor;
        b.remove.enabled = true;
        b.balances.visible = false;
        b.back = {b.back.caption, true, true};
        break;
    case MainMode::Reports:
        b.add = {u"Давай"_s, true, c.reports && c.reportCode.has_value()};
        b.edit = {u"Настройка"_s, true, c.statementSettings && c.reportCode && ReportHasSettings(*c.reportCode)};
        b.remove.visible = b.balances.visible = false;
        break;
    }
    return b;
}

QList<DetailLine> AccountLines(Db &db, const SRow &account)
{
    QList<DetailLine> lines = {{u"Вид на сметката:"_s, BalanceTypeName(account.S_Act_Pas_Type)},
                               {u"Тип на сметката:"_s, MeasureTypeName(account.S_Kol_Val_Type)},
                               {u"Характеристика:"_s, KindName(account.S_An_Sint_Type)}};
    if (account.S_An_Sint_Type != 2)
        return lines;
    QString caption = u"Аналитични нива:"_s;
    for (const QString &name : LevelNames(db, account.S_An)) {
        if (name.isEmpty())
            continue;
        lines.append({caption, name});
        caption.clear();
    }
    return lines;
}

QList<DetailLine> LevelLines(const NomRow &level)
{
    return {{u"Наименование:"_s, level.Nom_Name}, {u"Вид на аналитичното ниво:"_s, LevelTypeName(level.Nom_Type)}};
}

QList<DetailLine> LotLines(Db &db, const NomRow &level, int lot)
{
    const auto lotLines = [&](const QString &name) -> QList<DetailLine> {
        return {{u"Аналитичен признак:"_s, level.Nom_Name}, {u"Наименование на партида:"_s, name}};
    };
    if (level.Nom_Type == NomType::Counterparties) {
        for (const KontraRow &k : LevelStore::Counterparties(db, level.Nom_No)) {
            if (k.NomEl_No != lot)
                continue;
            return lotLines(k.NomEl_Name) + QList<DetailLine>{{u"Данъчен номер:"_s, k.NomEl_Dn},
                                                              {u"Булстат:"_s, k.NomEl_Bs},
                                                              {u"Град:"_s, k.NomEl_Sity},
                                                              {u"Адрес:"_s, k.NomEl_Adres},
                                                              {u"Телефон/Факс:"_s, k.NomEl_Tel},
                                                              {u"Банкова сметка:"_s, k.NomEl_BancAcc}};
        }
        return {};
    }
    if (LotTableOfType(level.Nom_Type).isEmpty())
        return {};
    for (const NomElRow &l : LevelStore::Lots(db, level.Nom_No)) {
        if (l.NomEl_No != lot)
            continue;
        QList<DetailLine> lines = lotLines(l.NomEl_Name);
        if (level.Nom_Type == NomType::Goods)
            lines += QList<DetailLine>{{u"Инвентарен номер:"_s, l.NomEl_InvNo}, {u"Мерна единица:"_s, l.NomEl_Med}};
        return lines;
    }
    return {};
}

OpeningTotalsLine OpeningTotalsOf(Db &db)
{
    const OpeningTotals totals = OpeningBalances::Totals(db);
    const double difference = totals.difference();
    return {u"Общо начални салда:   Дебит: %1   Кредит: %2   Разлика: %3"_s.arg(
                Formats::Amount(totals.debit), Formats::Amount(totals.credit), Formats::Amount(difference)),
            difference == 0};
}

QList<DetailLine> OpeningBalanceLines(Db &db, const SRow &account, const std::optional<SnsRow> &current)
{
    const SnsSums sums = OpeningBalances::SumsOf(db, account.S_UNo);
    QList<DetailLine> lines = {{u"Общо за сметка: "_s, QString::number(account.S_UNo) + u' ' + account.S_Name},
                               {u"ДТ.Кол"_s, Formats::Quantity(sums.kolDt)},
                               {u"ДТ.Ст."_s, Formats::Amount(sums.stDt)},
                               {u"КТ.Ст."_s, Formats::Amount(sums.stKt)},
                               {u"КТ.Кол"_s, Formats::Quantity(sums.kolKt)}};
    const auto addGroup = [&lines](QString caption, const QStringList &values) {
        for (const QString &value : values) {
            if (value.isEmpty())
                continue;
            lines.append({caption, value});
            caption.clear();
        }
    };
    addGroup(u"Аналитични нива:"_s, LevelNames(db, account.S_An));
    QStringList lots;
    if (current)
        for (int i = 0; i < 5; ++i)
            if (const QString name = LotName(db, account.S_An[i], current->Sn_An[i]); !name.isEmpty())
                lots << name + u':';
    addGroup(u"Партиди:"_s, lots);
    addGroup(u"Характеристики:"_s, {BalanceTypeName(account.S_Act_Pas_Type), MeasureTypeName(account.S_Kol_Val_Type),
                                    KindName(account.S_An_Sint_Type)});
    return lines;
}

QList<QStringList> TotalsFigures(const TAccountValue &v)
{
    const auto row = [](double a, double b, double c, double d) {
        return QStringList{Formats::Amount(a), Formats::Amount(b), Formats::Amount(c), Formats::Amount(d)};
    };
    return {row(v.openDtKol, v.openDtSt, v.openKtKol, v.openKtSt),
            row(v.turnDtKol, v.turnDtSt, v.turnKtKol, v.turnKtSt),
            row(v.closeDtKol, v.closeDtSt, v.closeKtKol, v.closeKtSt)};
}

TAccountValue AccountTotalsOverPeriod(Db &db, int account)
{
    const ReportingPeriod period = ReadPeriod(db);
    return GetAccountValue(db, account, {}, period, period.Date_Ot, period.Date_Do, u"An"_s);
}

QStringList OpeningBalanceCells(Db &db, const SRow &account, const SnsRow &row)
{
    QStringList cells = {Formats::Quantity(row.Sn_Kol_Dt), Formats::Amount(row.Sn_St_Dt),
                         Formats::Amount(row.Sn_St_Kt), Formats::Quantity(row.Sn_Kol_Kt)};
    for (int i = 0; i < 5; ++i)
        cells << LotName(db, account.S_An[i], row.Sn_An[i]);
    return cells;
}

const QList<DocumentFilterEntry> &DocumentFilterEntries()
{
    static const QList<DocumentFilterEntry> entries = {
        {DocumentFilter::WithVat, u"Документи отразени в дневниците по ДДС"_s, u"Документи с ДДС"_s},
        {DocumentFilter::WithoutVat, u"Документи неотразени в дневниците по ДДС"_s, u"Документи без ДДС"_s},
        {DocumentFilter::All, u"Всички документи"_s, u"Всички документи"_s}};
    return entries;
}

QString DocumentFilterStatus(DocumentFilter filter)
{
    for (const DocumentFilterEntry &e : DocumentFilterEntries())
        if (e.filter == filter)
            return e.statusText;
    return {};
}

QString YearClosingDescription(const FirmRecord &firm)
{
    return u"Приключване на %1г. на фирма „%2“: сметките от раздели 6 и 7 се приключват по сметка 123 с "
           "документ от 31.12.%1г. в папка „Приключване“, а крайните салда по сметки и партиди стават "
           "начални салда на фирмата за %3г."_s.arg(QString::number(firm.Firm_Period), firm.Firm_Name,
                                                     QString::number(firm.Firm_Period + 1));
}

QString YearClosedQuestion(const FirmRecord &newFirm, bool repeated)
{
    const QString done = repeated ? u"Началните салда на фирма „%1“ за %2г. са обновени."_s
                                  : u"Създадена е фирма „%1“ за %2г."_s;
    return done.arg(newFirm.Firm_Name, QString::number(newFirm.Firm_Period)) + u"\rЖелаете ли да я отворите?"_s;
}
