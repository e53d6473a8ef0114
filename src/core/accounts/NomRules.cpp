#include "accounts/NomRules.h"

#include "accounts/AccountRules.h"
#include "accounts/FolderStore.h"
#include "engine/Db.h"
#include "engine/Errors.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"

using namespace Qt::StringLiterals;

QString StateCaption(EditState state)
{
    switch (state) {
    case EditState::Inactive: return u"Неактивен "_s;
    case EditState::Browse: return u"Преглед "_s;
    case EditState::Edit: return u"Редактиране "_s;
    case EditState::Insert: return u"Добавяне "_s;
    }
    return {};
}

namespace NomRules {

QString Caption(int kind)
{
    switch (kind) {
    case NomKind::Level: return u"Аналитично ниво"_s;
    case NomKind::Lot: return u"Партида"_s;
    case NomKind::Folder: return u"Папки"_s;
    default: return UndefinedOperation;
    }
}

QString HelpText(int kind)
{
    switch (kind) {
    case NomKind::Level:
        return u"При тип на аналитичния признак \rСПИСЪК - аналитичното ниво съдържа списък от партиди \rаналогично "
               "при тип на аналитичния признак КОНТРАГЕНТ - аналитичното ниво садържа списък от контрагенти с "
               "допълнителна информация необходима по ЗДДС"_s;
    case NomKind::Lot:
        return u"Паридата представлява дефиниране на ниско ниво на съответния аналитичен признак например:\r"
               "АНАЛИТИЧНО НИВО:\r  Валута\rСъответни ПАРТИДИ:\r  Щатски долар\r  Френски франк\r  Дойче марка"_s;
    case NomKind::Folder:
        return u"Папката в Orvalis е идентичен образ на действителните папки в деловодната и счетоводна "
               "организация за съхранение на документите - фактури, ордери, банкови извлечения и др."_s;
    default: return {};
    }
}

QList<int> NewLevelTypes() { return {NomType::List, NomType::Counterparties}; }

QString TypeCaption(int type)
{
    switch (type) {
    case NomType::List: return u"Избор от списък"_s;
    case NomType::Counterparties: return u"Контрагенти"_s;
    case NomType::Goods: return u"Стоки / Материали"_s;
    default: return {};
    }
}

QString TableOf(const NomItem &item)
{
    switch (item.kind) {
    case NomKind::Level: return u"nom"_s;
    case NomKind::Lot: return LotTableOfType(item.type);
    case NomKind::Folder: return u"nom_pap"_s;
    default: return {};
    }
}

QString LockKey(const NomItem &item)
{
    // nomel numbers repeat across levels; the others are unique in their table.
    if (item.kind == NomKind::Lot && item.type != NomType::Counterparties)
        return u"%1|%2"_s.arg(item.level).arg(item.number);
    return QString::number(item.number);
}

int NextNumber(TDM &dm, int kind, int level)
{
    switch (kind) {
    case NomKind::Level:
    case NomKind::Folder: {
        const QString table = kind == NomKind::Level ? u"nom"_s : u"nom_pap"_s;
        const int number = dm.GetUniqueID(table, kind == NomKind::Level ? u"Nom_No"_s : u"Nom_Pap_No"_s);
        if (number == 0)
            throw MyException(u"Грешка при намиране на уникален номер:"_s + table);
        return number;
    }
    case NomKind::Lot: {
        const QString table = LotTableOfLevel(dm.db(), level);
        if (table.isEmpty())
            throw MyException(UndefinedOperation);
        const int number = table == u"kontra"_s ? dm.GetUniqueID(table, u"NomEl_No"_s)
                                                : dm.GetUniqueID(table, u"NomEl_No"_s, u"Nom_No"_s, level);
        if (number == 0)
            throw MyException(u"Грешка при добавяне на уникален номер в : "_s + table);
        return number;
    }
    default: throw MyException(UndefinedOperation);
    }
}

NomItem NewItem(TDM &dm, int kind, int level)
{
    NomItem item;
    item.kind = kind;
    if (kind == NomKind::Lot) {
        item.level = level;
        item.type = LevelType(dm.db(), level);
    }
    item.number = NextNumber(dm, kind, level);
    return item;
}

std::optional<NomItem> Load(Db &db, int kind, int level, int number)
{
    NomItem item;
    item.kind = kind;
    item.number = number;
    if (kind == NomKind::Level) {
        const auto row = LevelStore::Level(db, number);
        if (!row)
            return std::nullopt;
        item.name = row->Nom_Name;
        item.type = row->Nom_Type;
        return item;
    }
    if (kind == NomKind::Folder) {
        const auto row = FolderStore::Find(db, number);
        if (!row)
            return std::nullopt;
        item.name = row->Nom_Pap_Name;
        return item;
    }
    if (kind != NomKind::Lot)
        return std::nullopt;
    item.level = level;
    item.type = LevelType(db, level);
    if (item.type == NomType::Counterparties) {
        const auto row = LevelStore::Kontra(db, number);
        if (!row || row->Nom_No != level)
            return std::nullopt;
        item.name = row->NomEl_Name;
        item.dn = row->NomEl_Dn;
        item.bs = row->NomEl_Bs;
        item.sity = row->NomEl_Sity;
        item.adres = row->NomEl_Adres;
        item.tel = row->NomEl_Tel;
        item.other = row->NomEl_Other;
        item.bancAcc = row->NomEl_BancAcc;
        return item;
    }
    if (LotTableOfType(item.type).isEmpty())
        return std::nullopt;
    const auto row = LevelStore::Lot(db, level, number);
    if (!row)
        return std::nullopt;
    item.name = row->NomEl_Name;
    item.med = row->NomEl_Med;
    item.invNo = row->NomEl_InvNo;
    return item;
}

QString Check(const NomItem &item)
{
    if (AccountRules::TrimmedName(item.name).isEmpty())
        return NameMissingMessage;
    return {};
}

namespace {

bool NumberTaken(Db &db, const NomItem &item)
{
    if (item.number <= 0)
        return true;
    switch (item.kind) {
    case NomKind::Level: return LevelStore::Level(db, item.number).has_value();
    case NomKind::Folder: return FolderStore::Find(db, item.number).has_value();
    default:
        return item.type == NomType::Counterparties ? LevelStore::Kontra(db, item.number).has_value()
                                                    : LevelStore::Lot(db, item.level, item.number).has_value();
    }
}

KontraRow KontraOf(const NomItem &i)
{
    return {i.level, i.number, i.name, i.dn, i.bs, i.sity, i.adres, i.tel, i.other, i.bancAcc};
}

void Insert(Db &db, const NomItem &i)
{
    switch (i.kind) {
    case NomKind::Level: LevelStore::InsertLevel(db, {i.number, i.name, i.type}); break;
    case NomKind::Folder: FolderStore::Insert(db, {i.number, i.name}); break;
    default:
        if (i.type == NomType::Counterparties)
            LevelStore::InsertKontra(db, KontraOf(i));
        else
            LevelStore::InsertLot(db, {i.level, i.number, i.name, i.med, i.invNo});
    }
}

void Update(Db &db, const NomItem &i)
{
    switch (i.kind) {
    case NomKind::Level: LevelStore::RenameLevel(db, i.number, i.name); break;
    case NomKind::Folder: FolderStore::Rename(db, i.number, i.name); break;
    default:
        if (i.type == NomType::Counterparties)
            LevelStore::UpdateKontra(db, KontraOf(i));
        else
            LevelStore::UpdateLot(db, {i.level, i.number, i.name, i.med, i.invNo});
    }
}

}  // namespace

SaveResult Save(TDM &dm, const NomItem &given, bool adding)
{
    if (const QString problem = Check(given); !problem.isEmpty())
        return {problem, 0};
    if (TableOf(given).isEmpty())
        return {UndefinedOperation, 0};
    NomItem item = given;
    item.name = AccountRules::TrimmedName(item.name);
    Db &db = dm.db();
    Transaction tx(db);
    if (adding) {
        if (item.kind == NomKind::Lot && !LevelStore::Level(db, item.level))
            return {LevelNotFoundMessage, 0};
        if (NumberTaken(db, item))
            item.number = NextNumber(dm, item.kind, item.level);
        Insert(db, item);
    } else {
        if (!Load(db, item.kind, item.level, item.number))
            throw EngineError(QString(), {{EngineCode::RecordDeleted, QString()}});
        Update(db, item);
    }
    tx.commit();
    return {{}, item.number};
}

}  // namespace NomRules
