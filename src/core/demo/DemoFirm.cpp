#include "demo/DemoFirm.h"

#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "closing/YearClosing.h"
#include "demo/DemoDocuments.h"
#include "demo/DemoTemplates.h"
#include "engine/Db.h"
#include "engine/Engine.h"
#include "firm/Currency.h"
#include "firm/Schema.h"
#include "firm/TDM.h"
#include "registry/FirmFactory.h"
#include "registry/TFD.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

constexpr int CounterpartyLevel = 1;
constexpr int GoodsLevel = 2;

void AddAnalytics(Db &db)
{
    LevelStore::InsertLevel(db, {CounterpartyLevel, u"Контрагенти"_s, NomType::Counterparties});
    LevelStore::InsertLevel(db, {GoodsLevel, u"Стоки"_s, NomType::Goods});

    LevelStore::InsertKontra(db, {CounterpartyLevel, 1, u"Балкан Трейд ООД"_s, u"1234567890"_s, u"121234567"_s,
                                  u"София"_s, u"ул. Пирин 12"_s, u"02 9876543"_s, u"доставчик на стоки"_s,
                                  u"BG80BNBG96611020345678"_s});
    LevelStore::InsertKontra(db, {CounterpartyLevel, 2, u"Родопа Снаб ЕООД"_s, u"2345678901"_s, u"202345678"_s,
                                  u"Пловдив"_s, u"бул. Марица 5"_s, u"032 654321"_s, u"доставчик на стоки"_s,
                                  u"BG18RZBB91550123456789"_s});
    LevelStore::InsertKontra(db, {CounterpartyLevel, 3, u"Дунав Маркет АД"_s, u"3456789012"_s, u"103456789"_s,
                                  u"Русе"_s, u"ул. Александровска 40"_s, u"082 123456"_s, u"клиент"_s,
                                  u"BG27UNCR70001512345678"_s});
    LevelStore::InsertKontra(db, {CounterpartyLevel, 4, u"Черноморие ООД"_s, u"4567890123"_s, u"204567890"_s,
                                  u"Варна"_s, u"ул. Драгоман 3"_s, u"052 765432"_s, u"клиент"_s,
                                  u"BG66STSA93000012345678"_s});

    LevelStore::InsertLot(db, {GoodsLevel, 1, u"Олио слънчогледово 1 л"_s, u"бр."_s, u"С-0001"_s});
    LevelStore::InsertLot(db, {GoodsLevel, 2, u"Захар кристална"_s, u"кг"_s, u"С-0002"_s});
    LevelStore::InsertLot(db, {GoodsLevel, 3, u"Минерална вода 1.5 л"_s, u"бр."_s, u"С-0003"_s});

    ChartStore::SetLevels(db, 401, {CounterpartyLevel, 0, 0, 0, 0});
    ChartStore::SetLevels(db, 411, {CounterpartyLevel, 0, 0, 0, 0});
    ChartStore::SetLevels(db, 304, {GoodsLevel, 0, 0, 0, 0});
}

void AddFolders(Db &db)
{
    const QStringList names = {u"Банка"_s, u"Каса"_s, u"Покупки"_s, u"Продажби"_s};
    for (int i = 0; i < names.size(); ++i)
        FolderStore::Insert(db, {i + 1, names.at(i)});
}

// Debits 59,900.00 = credits 59,900.00.
void AddOpeningBalances(Db &db)
{
    auto debit = [&](int account, int lot, double qty, double value) {
        OpeningBalances::Insert(db, {account, {lot, 0, 0, 0, 0}, qty, value, 0, 0});
    };
    auto credit = [&](int account, int lot, double value) {
        OpeningBalances::Insert(db, {account, {lot, 0, 0, 0, 0}, 0, 0, 0, value});
    };
    debit(501, 0, 0, 5000.00);
    debit(503, 0, 0, 45000.00);
    debit(304, 1, 400, 1200.00);
    debit(304, 2, 1250, 2500.00);
    debit(304, 3, 1000, 800.00);
    debit(411, 3, 0, 3600.00);
    debit(411, 4, 0, 1800.00);
    credit(401, 1, 4800.00);
    credit(401, 2, 2100.00);
    credit(101, 0, 5000.00);
    credit(122, 0, 48000.00);
}

}  // namespace

int RegisteredDemoFirm(TFD &fd, int year)
{
    for (const FirmRecord &firm : fd.Firms())
        if (firm.Firm_Name == DemoFirmName && (year == 0 || firm.Firm_Period == year))
            return firm.Firm_ID;
    return 0;
}

int EnsureDemoFirm(TFD &fd, int year)
{
    if (year <= 0)
        year = QDate::currentDate().year();
    if (const int id = RegisteredDemoFirm(fd, year))
        return id;

    NewFirmRequest request;
    request.firm.Firm_Name = DemoFirmName;
    request.firm.Firm_Period = year;
    request.firm.Firm_DN = u"9876543210"_s;
    request.firm.Firm_BS = u"204123456"_s;
    request.firm.Firm_Adres = u"гр. София, ул. Граф Игнатиев 1"_s;
    request.firm.Firm_Tel = u"02 9812345"_s;
    request.firm.Firm_Hed = u"Мария Петрова"_s;
    request.firm.Firm_HedDDS = u"Мария Петрова"_s;
    request.firm.Firm_HedDDSPr = u"Управител"_s;
    // Made whole under a name of its own and registered only then: a demo killed half-way leaves
    // no "Демо ЕООД" with part of its books, and of two made at once one is kept.
    FirmBuild build(fd, request);
    {
        TDM dm;
        dm.Open(build.buildDir());
        Db &db = dm.db();
        {
            Transaction tx(db);
            AddAnalytics(db);
            AddFolders(db);
            AddOpeningBalances(db);
            tx.commit();
        }
        AddDemoTemplates(fd, dm);
        AddDemoDocuments(fd, dm, request.firm.Firm_Period);
    }
    return build.Register([year](TFD &registry) { return RegisteredDemoFirm(registry, year); });
}

DemoRollover EnsureDemoRollover(TFD &fd)
{
    DemoRollover made;
    made.levaFirm = EnsureDemoFirm(fd, FirstEuroYear - 1);
    if (const auto next = ClosedInto(fd, made.levaFirm)) {
        made.euroFirm = next->Firm_ID;
        return made;
    }
    ClosingOptions options;
    options.confirmImbalance = false;
    options.replace = true;  // a closing whose next year's firm is gone is made again
    made.euroFirm = CloseYear(fd, made.levaFirm, options).nextFirmId;
    return made;
}
