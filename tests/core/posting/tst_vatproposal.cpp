// The wizard's help beyond the group's own rules: the VAT proposed at the firm's rate, the supply
// type a folder's next VAT group starts with, and what becomes of a typed account and the lots
// its picker starts from.
#include "support/EntryFixture.h"

#include "engine/Errors.h"
#include "firm/VatRate.h"
#include "posting/EntryWizardData.h"
#include "posting/GroupPosting.h"
#include "posting/VatProposal.h"

#include <QTest>

using namespace Qt::StringLiterals;

class VatProposalTest : public QObject {
    Q_OBJECT
private slots:
    void theVatIsProposedWhileItsCellIsEmpty_data()
    {
        QTest::addColumn<int>("vid");
        QTest::addColumn<int>("vatGrid");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("excise");
        QTest::addColumn<double>("vatAmount");  // already in the VAT cell
        QTest::addColumn<int>("vatAccount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("proposed");  // -1: nothing
        const int dt = int(Grid::VatDt), kt = int(Grid::VatKt);
        QTest::newRow("purchase") << 2 << dt << 50.0 << 0.0 << 0.0 << 4531 << 20.0 << 10.0;
        QTest::newRow("excise is in the base") << 2 << dt << 50.0 << 5.0 << 0.0 << 4531 << 20.0 << 11.0;
        QTest::newRow("rounded half away from zero") << 2 << dt << 0.05 << 0.0 << 0.0 << 4531 << 10.0 << 0.01;
        QTest::newRow("rounded to stotinki") << 2 << dt << 33.33 << 0.0 << 0.0 << 4531 << 20.0 << 6.67;
        QTest::newRow("another rate") << 2 << dt << 100.0 << 0.0 << 0.0 << 4531 << 9.0 << 9.0;
        QTest::newRow("sale, credit side") << 4 << kt << 200.0 << 0.0 << 0.0 << 4532 << 20.0 << 40.0;
        QTest::newRow("typed VAT stays") << 2 << dt << 50.0 << 0.0 << 9.99 << 4531 << 20.0 << -1.0;
        QTest::newRow("no account yet") << 2 << dt << 50.0 << 0.0 << 0.0 << 0 << 20.0 << -1.0;
        QTest::newRow("no base") << 2 << dt << 0.0 << 0.0 << 0.0 << 4531 << 20.0 << -1.0;
        QTest::newRow("grid not shown") << 1 << dt << 50.0 << 0.0 << 0.0 << 4531 << 20.0 << -1.0;
        QTest::newRow("the other side's base") << 7 << kt << 0.0 << 0.0 << 0.0 << 4532 << 20.0 << -1.0;
    }
    void theVatIsProposedWhileItsCellIsEmpty()
    {
        QFETCH(int, vid);
        QFETCH(int, vatGrid);
        QFETCH(double, base);
        QFETCH(double, excise);
        QFETCH(double, vatAmount);
        QFETCH(int, vatAccount);
        QFETCH(double, rate);
        QFETCH(double, proposed);
        EntryFixture e;
        EntryGroup g = e.group(true, vid);
        const Grid vat = Grid(vatGrid);
        const bool debit = IsDebit(vat);
        e.row(g, debit ? Grid::BaseDt : Grid::BaseKt, 702, {}, base);
        e.row(g, debit ? Grid::BaseKt : Grid::BaseDt, 401, {1, 0, 0, 0, 0}, 999);  // the other side counts not
        if (excise != 0)
            e.row(g, debit ? Grid::ExciseDt : Grid::ExciseKt, 702, {}, excise);
        e.row(g, vat, vatAccount, {}, vatAmount);
        const auto found = VatProposal::Proposed(g, vat, rate);
        QCOMPARE(found.value_or(-1.0), proposed);
        const QList<Grid> changed = VatProposal::Apply(g, rate);
        QCOMPARE(changed.contains(vat), proposed >= 0);
        QCOMPARE(g.rows(vat).first().st, proposed >= 0 ? proposed : vatAmount);
    }

    void aGroupWithoutVatOrWithTwoVatRowsGetsNoProposal()
    {
        EntryFixture e;
        EntryGroup plain = e.group(false);
        e.row(plain, Grid::BaseDt, 702, {}, 50);
        QVERIFY(!VatProposal::Proposed(plain, Grid::VatDt, 20));
        EntryGroup two = e.group(true, 2);
        e.row(two, Grid::BaseDt, 702, {}, 50);
        e.row(two, Grid::VatDt, 4531, {}, 0);
        e.row(two, Grid::VatDt, 4531, {}, 0);
        QVERIFY(!VatProposal::Proposed(two, Grid::VatDt, 20));
        QVERIFY(!VatProposal::Proposed(two, Grid::BaseDt, 20));
    }

    void theStandardRateIsKeptInTheFirmsBooks()
    {
        EntryFixture e;
        QCOMPARE(StandardVatRate(e.db()), 20.0);
        SetStandardVatRate(e.db(), 9);
        QCOMPARE(StandardVatRate(e.db()), 9.0);
        QCOMPARE(e.db().scalar(u"select count(*) from FirmVat"_s).toInt(), 1);
        for (double wrong : {0.0, -5.0, 100.0, 120.0}) {
            QVERIFY(!VatRateProblem(wrong).isEmpty());
            QVERIFY_THROWS_EXCEPTION(MyException, SetStandardVatRate(e.db(), wrong));
        }
        QVERIFY(VatRateProblem(0.01).isEmpty() && VatRateProblem(99.99).isEmpty());
        QCOMPARE(StandardVatRate(e.db()), 9.0);
    }

    void aNewVatGroupTakesTheFoldersLastSupplyType()
    {
        EntryFixture e;
        Db &db = e.db();
        EntryGroup first = e.group(true);
        first.isNew = true;
        // The folder's first VAT group: the default supply type.
        QCOMPARE(EntryWizardData::OpeningHeader(db, e.doc, first).vidDostavka, 2);

        e.doc.Nom_WithDDS = 1;
        e.doc.Nom_VidDostavka = 4;
        Documents::Save(db, e.doc, false);
        NomPRow next = Documents::NewDocument(db, 1, e.period, QDate(2026, 3, 11));
        next.Nom_DDoc_No = 43;
        Documents::Save(db, next, true);
        EntryGroup second = e.group(true);
        second.docNo = next.Nom_Doc_No;
        QCOMPARE(EntryWizardData::OpeningHeader(db, next, second).vidDostavka, 4);
        // The latest document decides.
        next.Nom_WithDDS = 1;
        next.Nom_VidDostavka = 6;
        Documents::Save(db, next, false);
        QCOMPARE(VatProposal::LastSupplyType(db, 1, 0), 6);
        next.Nom_WithDDS = 0;
        next.Nom_VidDostavka = 0;
        Documents::Save(db, next, false);
        // The document itself does not count, nor one of another folder or without VAT.
        QCOMPARE(VatProposal::LastSupplyType(db, 1, e.doc.Nom_Doc_No), std::nullopt);
        QCOMPARE(VatProposal::LastSupplyType(db, 2, next.Nom_Doc_No), std::nullopt);
        e.doc.Nom_WithDDS = 0;
        Documents::Save(db, e.doc, false);
        QCOMPARE(VatProposal::LastSupplyType(db, 1, next.Nom_Doc_No), std::nullopt);
        // An existing VAT group keeps its own.
        second.isNew = false;
        next.Nom_VidDostavka = 7;
        QCOMPARE(EntryWizardData::OpeningHeader(db, next, second).vidDostavka, 7);
    }

    void aTypedAccountIsTakenKeptForItsLotsOrRefused_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<int>("outcome");
        QTest::newRow("synthetic") << 702 << int(EntryWizardData::TypedAccount::Taken);
        QTest::newRow("needs a lot") << 304 << int(EntryWizardData::TypedAccount::NeedsLots);
        QTest::newRow("not in the chart") << 9998 << int(EntryWizardData::TypedAccount::Refused);
        QTest::newRow("nothing") << 0 << int(EntryWizardData::TypedAccount::Refused);
    }
    void aTypedAccountIsTakenKeptForItsLotsOrRefused()
    {
        QFETCH(int, account);
        QFETCH(int, outcome);
        EntryFixture e;
        WorkLine typed;
        typed.account = account;
        QCOMPARE(int(EntryWizardData::CheckTypedAccount(e.db(), typed)), outcome);
    }

    void thePickerStartsWithTheHeadersCounterparty()
    {
        EntryFixture e;
        Db &db = e.db();
        WorkLine supplier;
        supplier.account = 401;  // its level 1 holds the counterparties
        QCOMPARE(EntryWizardData::PickerLots(db, supplier, 2), (LotKey{2, 0, 0, 0, 0}));
        supplier.lots = {1, 0, 0, 0, 0};  // a lot chosen stays
        QCOMPARE(EntryWizardData::PickerLots(db, supplier, 2), (LotKey{1, 0, 0, 0, 0}));
        WorkLine goods;
        goods.account = 304;  // goods, no counterparty level
        QCOMPARE(EntryWizardData::PickerLots(db, goods, 2), (LotKey{}));
        supplier.lots = {};
        QCOMPARE(EntryWizardData::PickerLots(db, supplier, 0), (LotKey{}));
        // A counterparty of another level is no lot of this one.
        LevelStore::InsertLevel(db, {4, u"Банки"_s, NomType::Counterparties});
        LevelStore::InsertKontra(db, {4, 3, u"Банка АД"_s, {}, {}, {}, {}, {}, {}, {}});
        QCOMPARE(EntryWizardData::PickerLots(db, supplier, 3), (LotKey{}));
    }
};

QTEST_MAIN(VatProposalTest)
#include "tst_vatproposal.moc"
