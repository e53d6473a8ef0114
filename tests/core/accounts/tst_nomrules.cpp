// Levels, lots, counterparties and folders without a window: numbering, the blank-name check and
// the save of each kind.
#include "accounts/FolderStore.h"
#include "accounts/NomRules.h"
#include "engine/Db.h"
#include "engine/Errors.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace NomRules;

namespace {

int Saved(TDM &dm, NomItem item, const QString &name)
{
    item.name = name;
    const SaveResult result = Save(dm, item, true);
    if (!result.message.isEmpty())
        qFatal("save refused: %s", qPrintable(result.message));
    return result.number;
}

int AddLevel(TDM &dm, const QString &name, int type)
{
    NomItem level = NewItem(dm, NomKind::Level, 0);
    level.type = type;
    return Saved(dm, level, name);
}

int AddLot(TDM &dm, int level, const QString &name) { return Saved(dm, NewItem(dm, NomKind::Lot, level), name); }

int Rows(Db &db, const QString &table) { return db.scalar(u"select count(*) from "_s + table).toInt(); }

}  // namespace

class NomRulesTest : public QObject {
    Q_OBJECT
private slots:
    void theFirstLevelFolderAndLotGetOne()
    {
        TestFixture f;
        f.openNewFirm();
        QCOMPARE(NewItem(f.dm, NomKind::Level, 0).number, 1);
        QCOMPARE(NewItem(f.dm, NomKind::Folder, 0).number, 1);
        const int list = AddLevel(f.dm, u"Валута"_s, NomType::List);
        QCOMPARE(list, 1);
        QCOMPARE(NewItem(f.dm, NomKind::Lot, list).number, 1);
        const int kontra = AddLevel(f.dm, u"Доставчици"_s, NomType::Counterparties);
        QCOMPARE(kontra, 2);
        QCOMPARE(NewItem(f.dm, NomKind::Lot, kontra).number, 1);
    }

    void numbersFollowTheHighest()
    {
        TestFixture f;
        f.openNewFirm();
        LevelStore::InsertLevel(f.dm.db(), {7, u"Седмо"_s, NomType::List});
        FolderStore::Insert(f.dm.db(), {12, u"Каса"_s});
        LevelStore::InsertLot(f.dm.db(), {7, 40, u"Партида"_s, {}, {}});
        QCOMPARE(NewItem(f.dm, NomKind::Level, 0).number, 8);
        QCOMPARE(NewItem(f.dm, NomKind::Folder, 0).number, 13);
        QCOMPARE(NewItem(f.dm, NomKind::Lot, 7).number, 41);
    }

    void listLotsRepeatAcrossLevelsCounterpartiesNever()
    {
        TestFixture f;
        f.openNewFirm();
        const int currencies = AddLevel(f.dm, u"Валута"_s, NomType::List);
        const int goods = AddLevel(f.dm, u"Стоки"_s, NomType::List);
        QCOMPARE(AddLot(f.dm, currencies, u"Щатски долар"_s), 1);
        QCOMPARE(AddLot(f.dm, currencies, u"Френски франк"_s), 2);
        QCOMPARE(AddLot(f.dm, goods, u"Олио"_s), 1);

        const int suppliers = AddLevel(f.dm, u"Доставчици"_s, NomType::Counterparties);
        const int customers = AddLevel(f.dm, u"Клиенти"_s, NomType::Counterparties);
        QCOMPARE(AddLot(f.dm, suppliers, u"Балкан ООД"_s), 1);
        QCOMPARE(AddLot(f.dm, customers, u"Дунав АД"_s), 2);
        QCOMPARE(AddLot(f.dm, suppliers, u"Родопа ЕООД"_s), 3);
        QCOMPARE(LevelStore::Kontra(f.dm.db(), 2)->Nom_No, customers);
    }

    void aNumberTakenMeanwhileGivesTheNextFree()
    {
        TestFixture f;
        f.openNewFirm();
        NomItem level = NewItem(f.dm, NomKind::Level, 0);
        QCOMPARE(level.number, 1);
        // Another copy of the program adds its level while this one is being typed.
        LevelStore::InsertLevel(f.dm.db(), {1, u"Чуждо"_s, NomType::List});
        QCOMPARE(Saved(f.dm, level, u"Мое"_s), 2);
        QCOMPARE(LevelStore::Level(f.dm.db(), 1)->Nom_Name, u"Чуждо"_s);
        QCOMPARE(LevelStore::Level(f.dm.db(), 2)->Nom_Name, u"Мое"_s);
    }

    void blankNamesWriteNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("levelType");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("name");
        QTest::newRow("level, empty") << NomKind::Level << 0 << u"nom"_s << QString();
        QTest::newRow("folder, blanks") << NomKind::Folder << 0 << u"nom_pap"_s << u"   "_s;
        QTest::newRow("list lot, tab") << NomKind::Lot << NomType::List << u"nomel"_s << u"\t"_s;
        QTest::newRow("counterparty, blanks") << NomKind::Lot << NomType::Counterparties << u"kontra"_s << u" \r\n"_s;
    }

    void blankNamesWriteNothing()
    {
        QFETCH(int, kind);
        QFETCH(int, levelType);
        QFETCH(QString, table);
        QFETCH(QString, name);
        TestFixture f;
        f.openNewFirm();
        const int level = levelType ? AddLevel(f.dm, u"Ниво"_s, levelType) : 0;
        const int before = Rows(f.dm.db(), table);
        NomItem item = NewItem(f.dm, kind, level);
        item.name = name;
        QCOMPARE(Check(item), NameMissingMessage);
        const SaveResult added = Save(f.dm, item, true);
        QCOMPARE(added.message, NameMissingMessage);
        QCOMPARE(added.number, 0);
        QCOMPARE(Rows(f.dm.db(), table), before);

        // An edit blanking the name of an existing item leaves the item as it was.
        const int number = Saved(f.dm, item, u"Име"_s);
        NomItem stored = *Load(f.dm.db(), kind, level, number);
        stored.name = name;
        QCOMPARE(Save(f.dm, stored, false).message, NameMissingMessage);
        QCOMPARE(Load(f.dm.db(), kind, level, number)->name, u"Име"_s);
    }

    void editsRewriteTheItemOnly()
    {
        TestFixture f;
        f.openNewFirm();
        const int kontra = AddLevel(f.dm, u"Контрагенти"_s, NomType::Counterparties);
        const int goods = AddLevel(f.dm, u"Стоки"_s, NomType::List);
        f.dm.db().exec(u"update nom set Nom_Type = 3 where Nom_No = ?"_s, {goods});
        AddLot(f.dm, kontra, u"Първи"_s);
        AddLot(f.dm, kontra, u"Втори"_s);
        AddLot(f.dm, goods, u"Захар"_s);

        NomItem partner = *Load(f.dm.db(), NomKind::Lot, kontra, 2);
        partner.name = u"Втори ООД"_s;
        partner.dn = u"1234567890"_s;
        partner.bancAcc = u"BG80BNBG96611020345678"_s;
        QVERIFY(Save(f.dm, partner, false).message.isEmpty());
        const auto row = LevelStore::Kontra(f.dm.db(), 2);
        QCOMPARE(row->NomEl_Name, u"Втори ООД"_s);
        QCOMPARE(row->NomEl_Dn, u"1234567890"_s);
        QCOMPARE(row->NomEl_BancAcc, u"BG80BNBG96611020345678"_s);
        QCOMPARE(LevelStore::Kontra(f.dm.db(), 1)->NomEl_Name, u"Първи"_s);

        NomItem sugar = *Load(f.dm.db(), NomKind::Lot, goods, 1);
        QCOMPARE(sugar.type, int(NomType::Goods));
        sugar.med = u"кг"_s;
        sugar.invNo = u"С-0002"_s;
        QVERIFY(Save(f.dm, sugar, false).message.isEmpty());
        QCOMPARE(LevelStore::Lot(f.dm.db(), goods, 1)->NomEl_Med, u"кг"_s);
        QCOMPARE(LevelStore::Lot(f.dm.db(), goods, 1)->NomEl_InvNo, u"С-0002"_s);

        // A level keeps its type whatever the edit carries.
        NomItem level = *Load(f.dm.db(), NomKind::Level, 0, kontra);
        level.name = u"Партньори"_s;
        level.type = NomType::List;
        QVERIFY(Save(f.dm, level, false).message.isEmpty());
        QCOMPARE(LevelStore::Level(f.dm.db(), kontra)->Nom_Name, u"Партньори"_s);
        QCOMPARE(LevelStore::Level(f.dm.db(), kontra)->Nom_Type, int(NomType::Counterparties));
    }

    void aLotOfAnotherLevelIsNotFound()
    {
        TestFixture f;
        f.openNewFirm();
        const int first = AddLevel(f.dm, u"Първо"_s, NomType::Counterparties);
        const int second = AddLevel(f.dm, u"Второ"_s, NomType::Counterparties);
        AddLot(f.dm, first, u"Партньор"_s);
        QVERIFY(Load(f.dm.db(), NomKind::Lot, first, 1));
        QVERIFY(!Load(f.dm.db(), NomKind::Lot, second, 1));
    }

    void aLevelWithoutLotsTakesNone()
    {
        TestFixture f;
        f.openNewFirm();
        LevelStore::InsertLevel(f.dm.db(), {4, u"ДМА"_s, NomType::FixedAssets});
        try {
            NewItem(f.dm, NomKind::Lot, 4);
            QFAIL("a lot was numbered for a level without lots");
        } catch (const MyException &e) {
            QCOMPARE(e.message(), UndefinedOperation);
        }
        try {
            NewItem(f.dm, NomKind::Lot, 99);  // no such level
            QFAIL("a lot was numbered for a missing level");
        } catch (const MyException &e) {
            QCOMPARE(e.message(), UndefinedOperation);
        }
    }

    void numberingFailuresNameTheTable_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("levelType");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("message");
        QTest::newRow("level") << NomKind::Level << 0 << u"nom"_s << u"Грешка при намиране на уникален номер:nom"_s;
        QTest::newRow("folder") << NomKind::Folder << 0 << u"nom_pap"_s
                                << u"Грешка при намиране на уникален номер:nom_pap"_s;
        QTest::newRow("list lot") << NomKind::Lot << NomType::List << u"nomel"_s
                                  << u"Грешка при добавяне на уникален номер в : nomel"_s;
        QTest::newRow("counterparty") << NomKind::Lot << NomType::Counterparties << u"kontra"_s
                                      << u"Грешка при добавяне на уникален номер в : kontra"_s;
    }

    void numberingFailuresNameTheTable()
    {
        QFETCH(int, kind);
        QFETCH(int, levelType);
        QFETCH(QString, dropped);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm();
        if (levelType)
            LevelStore::InsertLevel(f.dm.db(), {1, u"Ниво"_s, levelType});
        f.dm.db().exec(u"drop table "_s + dropped);
        try {
            NewItem(f.dm, kind, 1);
            QFAIL("numbering did not fail");
        } catch (const MyException &e) {
            QCOMPARE(e.message(), message);
        }
    }

    void lockKeysTellLotsOfDifferentLevelsApart()
    {
        NomItem a{NomKind::Lot, 1, NomType::List, 5, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
        NomItem b = a;
        b.level = 2;
        QVERIFY(LockKey(a) != LockKey(b));
        a.type = b.type = NomType::Counterparties;
        QCOMPARE(LockKey(a), LockKey(b));  // one counterparty number is one record
        QCOMPARE(TableOf(a), u"kontra"_s);
    }

    void lotsComeFromTheTableOfTheLevelsType()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        const int list = AddLevel(f.dm, u"Обекти"_s, NomType::List);
        const int kontra = AddLevel(f.dm, u"Клиенти"_s, NomType::Counterparties);
        const int other = AddLevel(f.dm, u"Доставчици"_s, NomType::Counterparties);
        LevelStore::InsertLevel(db, {9, u"Машини"_s, NomType::FixedAssets});
        const int shop = AddLot(f.dm, list, u"Магазин"_s);
        AddLot(f.dm, list, u"Склад"_s);
        const int client = AddLot(f.dm, kontra, u"Клиент ООД"_s);
        const int supplier = AddLot(f.dm, other, u"Доставчик АД"_s);

        using Lots = QList<std::pair<int, QString>>;
        QCOMPARE(LevelStore::LotsOfLevel(db, list), (Lots{{shop, u"Магазин"_s}, {shop + 1, u"Склад"_s}}));
        QCOMPARE(LevelStore::LotsOfLevel(db, kontra), (Lots{{client, u"Клиент ООД"_s}}));
        QVERIFY(LevelStore::LotsOfLevel(db, 9).isEmpty());
        QVERIFY(LevelStore::LotsOfLevel(db, 99).isEmpty());

        QVERIFY(LevelStore::LotExists(db, list, shop));
        QVERIFY(LevelStore::LotExists(db, kontra, client));
        // A counterparty belongs to its own level only; numbers of nomel repeat across levels.
        QVERIFY(!LevelStore::LotExists(db, kontra, supplier));
        QVERIFY(!LevelStore::LotExists(db, list, client + 5));
        QVERIFY(!LevelStore::LotExists(db, 9, 1));
        QVERIFY(!LevelStore::LotExists(db, 99, shop));
    }
};

QTEST_GUILESS_MAIN(NomRulesTest)
#include "tst_nomrules.moc"
