#include "accounts/AccountPicker.h"
#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "support/TestFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
void Levels(Db &db)
{
    LevelStore::InsertLevel(db, {1, u"Контрагенти"_s, NomType::Counterparties});
    LevelStore::InsertLevel(db, {2, u"ДМА"_s, NomType::FixedAssets});
    LevelStore::InsertLevel(db, {3, u"Обекти"_s, NomType::List});
    LevelStore::InsertKontra(db, {1, 7, u"Дунав АД"_s, {}, {}, {}, {}, {}, {}, {}});
    LevelStore::InsertKontra(db, {1, 2, u"Балкан ООД"_s, {}, {}, {}, {}, {}, {}, {}});
    LevelStore::InsertLot(db, {3, 1, u"Склад"_s, {}, {}});
    LevelStore::InsertLot(db, {3, 2, u"Магазин"_s, {}, {}});
}
}  // namespace

class AccountPickerTest : public QObject {
    Q_OBJECT
private slots:
    void syntheticAccountHasNoLotBoxes()
    {
        TestFixture f;
        f.openNewFirm();
        const PickerLotBoxes boxes = AccountPicker::LotBoxes(f.dm.db(), 501);
        for (const PickerLotBox &b : boxes)
            QVERIFY(!b.visible);
        PickerChoice c;
        c.account = 501;
        c.lots = {3, 0, 0, 0, 0};  // whatever a hidden box held is dropped
        QCOMPARE(AccountPicker::Check(PickerVariant::Entry, c, boxes).message, QString());
        const TAccountStr r = AccountPicker::Result(c, boxes);
        QCOMPARE(r.number, 501);
        QCOMPARE(r.levels, (std::array<int, 5>{0, 0, 0, 0, 0}));
        QCOMPARE(r.name, QString());
    }

    void levelWithoutLotTableHasNoBox()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        Levels(db);
        ChartStore::SetLevels(db, 411, {1, 2, 3, 0, 0});
        const PickerLotBoxes boxes = AccountPicker::LotBoxes(db, 411);
        QVERIFY(boxes[0].visible);
        QCOMPARE(boxes[0].label, u"Контрагенти:"_s);
        QCOMPARE(boxes[0].lots.first().second, u"Балкан ООД"_s);  // name order
        QVERIFY(!boxes[1].visible);
        QVERIFY(boxes[2].visible);
        QCOMPARE(boxes[2].lots.size(), 2);
        QVERIFY(!boxes[3].visible && !boxes[4].visible);

        PickerChoice c;
        c.account = 411;
        c.lots = {7, 9, 2, 0, 0};
        c.lotTexts = {u"Дунав АД"_s, u"x"_s, u"Магазин"_s, {}, {}};
        const TAccountStr r = AccountPicker::Result(c, boxes);
        QCOMPARE(r.levels, (std::array<int, 5>{7, 0, 2, 0, 0}));
        QCOMPARE(r.name, u"Магазин"_s);  // the lowest shown box
    }

    void blankLotBoxByVariant_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("account");
        QTest::addColumn<std::array<int, 5>>("lots");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        const auto entry = int(PickerVariant::Entry), templ = int(PickerVariant::Template);
        QTest::newRow("entry: blank lot refused") << entry << 411 << std::array<int, 5>{7, 0, 0, 0, 0}
                                                  << PickAccountAndLotsMessage << 3;
        QTest::newRow("entry: all filled") << entry << 411 << std::array<int, 5>{7, 0, 1, 0, 0} << QString() << -1;
        QTest::newRow("entry: no account") << entry << 0 << std::array<int, 5>{} << PickAccountAndLotsMessage << 0;
        QTest::newRow("template: blank lot is 0") << templ << 411 << std::array<int, 5>{0, 0, 0, 0, 0} << QString()
                                                  << -1;
        QTest::newRow("template: no account") << templ << 0 << std::array<int, 5>{} << PickAccountMessage << 0;
    }
    void blankLotBoxByVariant()
    {
        QFETCH(int, variant);
        QFETCH(int, account);
        using Lots = std::array<int, 5>;
        QFETCH(Lots, lots);
        QFETCH(QString, message);
        QFETCH(int, focus);
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        Levels(db);
        ChartStore::SetLevels(db, 411, {1, 2, 3, 0, 0});
        PickerChoice c;
        c.account = account;
        c.lots = lots;
        const PickerProblem p = AccountPicker::Check(PickerVariant(variant), c, AccountPicker::LotBoxes(db, account));
        QCOMPARE(p.message, message);
        QCOMPARE(p.focus, focus);
    }

    void missingLevelOrAccountShowsNoBox()
    {
        TestFixture f;
        f.openNewFirm();
        Db &db = f.dm.db();
        ChartStore::SetLevels(db, 401, {42, 0, 0, 0, 0});
        QVERIFY(!AccountPicker::LotBoxes(db, 401)[0].visible);
        QVERIFY(!AccountPicker::LotBoxes(db, 0)[0].visible);
        QVERIFY(!AccountPicker::LotBoxes(db, 8888)[0].visible);
    }
};

QTEST_GUILESS_MAIN(AccountPickerTest)
#include "tst_accountpicker.moc"
