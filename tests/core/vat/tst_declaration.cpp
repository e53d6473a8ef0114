// The VAT return: every cell by its rule, the monthly cells for a one-month period only, and the
// firm's VAT data and monthly table it reads.
#include "support/Books.h"
#include "support/VatFixture.h"

#include "vat/Declaration.h"
#include "vat/VatFirmData.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Cells = QMap<QString, QString>;

Cells CellsOf(const Declaration &d)
{
    Cells cells;
    for (const auto &[cell, value] : Declarations::CellTexts(d))
        cells.insert(cell, value);
    return cells;
}

Declaration Build(VatFixture &v, QDate from, QDate to)
{
    return Declarations::Build(v.db(), v.f.fd.db(), v.firm(), from, to);
}

// Journals that hold nothing but the given totals.
VatJournal Totals(VatJournalKind kind, const JournalTotals &totals)
{
    VatJournal j;
    j.kind = kind;
    j.from = QDate(2026, 5, 1);
    j.to = QDate(2026, 5, 31);
    j.totals = totals;
    return j;
}
}  // namespace

class DeclarationTest : public QObject {
    Q_OBJECT
private slots:
    void theWorkedExample()
    {
        VatFixture v;
        v.sale(QDate(2026, 3, 5), 1, 1000.00, 200.00);
        v.purchase(QDate(2026, 3, 6), 2, 500.00, 100.00);
        const Cells cells = CellsOf(Build(v, QDate(2026, 3, 1), QDate(2026, 3, 31)));
        const Cells expected = {{u"01"_s, u"1000.00"_s}, {u"02"_s, u"0.00"_s},        {u"03"_s, u"0.00"_s},
                                {u"21"_s, u"0.00"_s},    {u"22"_s, u"500.00"_s},      {u"23"_s, u"0.00"_s},
                                {u"24"_s, u"1.000000000"_s}, {u"30"_s, u"200.00"_s},  {u"31"_s, u"200.00"_s},
                                {u"32"_s, u"0.00"_s},    {u"40"_s, u"100.00"_s},      {u"41"_s, u"100.00"_s},
                                {u"42"_s, u"0.00"_s},    {u"50"_s, u"100.00"_s},      {u"60"_s, u"0.00"_s},
                                {u"71"_s, u"0.00"_s},    {u"72"_s, u"0.00"_s},        {u"80"_s, u"0.00"_s}};
        QCOMPARE(cells, expected);
        QStringList order;
        for (const auto &[cell, value] : Declarations::CellTexts(Declaration{}))
            order << cell;
        QCOMPARE(order, (QStringList{u"01"_s, u"02"_s, u"03"_s, u"21"_s, u"22"_s, u"23"_s, u"24"_s, u"30"_s, u"31"_s,
                                     u"32"_s, u"40"_s, u"41"_s, u"42"_s, u"50"_s, u"60"_s, u"71"_s, u"72"_s, u"80"_s}));
    }

    void everyJournalColumnReachesItsCell()
    {
        VatFixture v;
        const QDate d(2026, 6, 10);
        v.sale(d, 1, 100.00, 20.00, 4);
        v.sale(d, 2, 300.00, 0, 5);
        v.sale(d, 3, 100.00, 0, 6);
        v.sale(d, 4, 0, 7.00, 7, 0);
        v.purchase(d, 5, 11.00, 0, 1);
        v.purchase(d, 6, 22.00, 4.40, 2);
        v.purchase(d, 7, 33.00, 10.00, 3);
        const Declaration c = Build(v, QDate(2026, 6, 1), QDate(2026, 6, 30));
        QCOMPARE(c.c01, 10000);
        QCOMPARE(c.c02, 30000);
        QCOMPARE(c.c03, 10000);
        QCOMPARE(c.c31, 2000);
        QCOMPARE(c.c32, 700);
        QCOMPARE(c.c30, 2700);
        QCOMPARE(c.c21, 1100);
        QCOMPARE(c.c22, 2200);
        QCOMPARE(c.c23, 3300);
        QCOMPARE(c.c41, 440);
        QCOMPARE(c.c42, 1000);
        QCOMPARE(c.c24, 800000000);  // 400 / 500
        QCOMPARE(c.c40, 1240);       // 10.00 × 0.8 + 4.40
        QCOMPARE(c.c50, 1460);
        QCOMPARE(c.c60, 0);
    }

    void exemptSalesOnlyGiveNoPartialCredit()
    {
        VatFixture v;
        v.sale(QDate(2026, 4, 2), 1, 500.00, 0, 6);
        v.purchase(QDate(2026, 4, 3), 2, 100.00, 20.00, 3);
        const Declaration d = Build(v, QDate(2026, 4, 1), QDate(2026, 4, 30));
        QCOMPARE(d.c03, 50000);
        QCOMPARE(CellsOf(d).value(u"24"_s), u"0.000000000"_s);
        QCOMPARE(d.c42, 2000);
        QCOMPARE(d.c40, 0);
        QCOMPARE(d.c60, 0);
    }

    void withoutAnySuppliesTheCoefficientIsZero()
    {
        const Declaration d = Declarations::Compute(
            FirmRecord{}, Totals(VatJournalKind::Purchases, {0, 0, 0, 300, 0, 500, 0}),
            Totals(VatJournalKind::Sales, {}), std::nullopt);
        QCOMPARE(d.c24, 0);
        QCOMPARE(d.c40, 300);
        QCOMPARE(d.c50, 0);
        QCOMPARE(d.c60, -300);
        QCOMPARE(CellsOf(d).value(u"60"_s), u"-3.00"_s);
    }

    void cellFortyIsRoundedBeforeTheResult()
    {
        // 01 = 6665.00, 03 = 3335.00, 31 = 1333.00, 42 = 10.00: the credit 6.665 is 6.67 on the form.
        const Declaration d = Declarations::Compute(
            FirmRecord{}, Totals(VatJournalKind::Purchases, {0, 0, 0, 0, 0, 1000, 0}),
            Totals(VatJournalKind::Sales, {0, 666500, 133300, 0, 333500, 0, 0}), std::nullopt);
        const Cells cells = CellsOf(d);
        QCOMPARE(cells.value(u"24"_s), u"0.666500000"_s);
        QCOMPARE(cells.value(u"40"_s), u"6.67"_s);
        QCOMPARE(cells.value(u"30"_s), u"1333.00"_s);
        QCOMPARE(cells.value(u"50"_s), u"1326.33"_s);
        QCOMPARE(d.c30 - d.c40, d.c50);
    }

    void coefficientRoundsToNineDecimals_data()
    {
        QTest::addColumn<qlonglong>("taxable");
        QTest::addColumn<qlonglong>("exempt");
        QTest::addColumn<QString>("k");
        QTest::newRow("two thirds") << 200LL << 100LL << u"0.666666667"_s;
        QTest::newRow("one third") << 100LL << 200LL << u"0.333333333"_s;
        QTest::newRow("all taxable") << 100LL << 0LL << u"1.000000000"_s;
    }
    void coefficientRoundsToNineDecimals()
    {
        QFETCH(qlonglong, taxable);
        QFETCH(qlonglong, exempt);
        QFETCH(QString, k);
        const Declaration d = Declarations::Compute(FirmRecord{}, Totals(VatJournalKind::Purchases, {}),
                                                    Totals(VatJournalKind::Sales, {0, taxable, 0, 0, exempt, 0, 0}),
                                                    std::nullopt);
        QCOMPARE(Declarations::CoefficientText(d.c24), k);
    }

    void monthlyCellsForOneMonthOnly_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<bool>("monthly");
        QTest::newRow("March") << QDate(2026, 3, 1) << QDate(2026, 3, 31) << true;
        QTest::newRow("part of March") << QDate(2026, 3, 10) << QDate(2026, 3, 12) << true;
        QTest::newRow("first quarter") << QDate(2026, 1, 1) << QDate(2026, 3, 31) << false;
        QTest::newRow("end of February to March") << QDate(2026, 2, 28) << QDate(2026, 3, 31) << false;
    }
    void monthlyCellsForOneMonthOnly()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(bool, monthly);
        VatFixture v;
        MonthlyData::Save(v.db(), {{3, QDate(2026, 4, 14), 1150, 2250, 3350}});
        const Declaration d = Build(v, from, to);
        QCOMPARE(d.c71, monthly ? 1150 : 0);
        QCOMPARE(d.c72, monthly ? 2250 : 0);
        QCOMPARE(d.c80, monthly ? 3350 : 0);
        QCOMPARE(d.paymentDate, monthly ? QDate(2026, 4, 14) : QDate());
    }

    void aMissingMonthStopsTheDeclaration()
    {
        VatFixture v;
        v.db().exec(u"delete from SD where SD_Month = 5"_s);
        QCOMPARE(ErrorOf([&] { Build(v, QDate(2026, 5, 1), QDate(2026, 5, 31)); }),
                 u"Не са намерени данни за месец:5"_s);
        Build(v, QDate(2026, 4, 1), QDate(2026, 6, 30));  // several months do not need it
    }

    void aJournalWithoutSumsIsRefused()
    {
        VatJournal broken = Totals(VatJournalKind::Sales, {});
        broken.totals.reset();
        QCOMPARE(ErrorOf([&] {
                     Declarations::Compute(FirmRecord{}, Totals(VatJournalKind::Purchases, {}), broken, std::nullopt);
                 }),
                 JournalSumsMessage);
    }

    // --- the monthly table ---

    void twelveMonthsAreMadeOnceAndSavedOneByOne()
    {
        VatFixture v;
        MonthlyData::EnsureMonths(v.db());
        QList<SdMonth> months = MonthlyData::Read(v.db());
        QCOMPARE(months.size(), 12);
        QCOMPARE(months.first().SD_Month, 1);
        QCOMPARE(months.last().SD_Month, 12);
        // Another user's figures of another month stay when this month is saved.
        v.db().exec(u"update SD set SD_KL80 = 9.99 where SD_Month = 7"_s);
        months[1].SD_KL71 = 12345;
        months[1].SD_PlDate = QDate(2026, 3, 1);
        MonthlyData::Save(v.db(), {months[1]});
        QCOMPARE(*MonthlyData::Find(v.db(), 2), months[1]);
        QCOMPARE(MonthlyData::Find(v.db(), 7)->SD_KL80, 999);
        // Nor do another user's cells of the same month, when the window writes what it changed.
        const QList<SdMonth> loaded = MonthlyData::Read(v.db());
        QList<SdMonth> edited = loaded;
        edited[1].SD_KL72 = 500;
        v.db().exec(u"update SD set SD_KL80 = 1.23 where SD_Month = 2"_s);
        MonthlyData::Save(v.db(), loaded, edited);
        QCOMPARE(MonthlyData::Find(v.db(), 2)->SD_KL72, 500);
        QCOMPARE(MonthlyData::Find(v.db(), 2)->SD_KL80, 123);
        QCOMPARE(MonthlyData::Find(v.db(), 2)->SD_KL71, 12345);
        v.db().exec(u"delete from SD where SD_Month = 7"_s);
        MonthlyData::EnsureMonths(v.db());
        QCOMPARE(MonthlyData::Read(v.db()).size(), 11);  // a table that has rows is left alone
    }

    void typedValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("amount");
        QTest::newRow("point") << u"1234.5"_s << QVariant(123450LL);
        QTest::newRow("comma") << u" 12,34 "_s << QVariant(1234LL);
        QTest::newRow("empty") << QString() << QVariant(0LL);
        QTest::newRow("negative") << u"-0.01"_s << QVariant(-1LL);
        QTest::newRow("three decimals") << u"1.005"_s << QVariant();
        QTest::newRow("letters") << u"12a"_s << QVariant();
        QTest::newRow("too large") << u"100000000000"_s << QVariant();
    }
    void typedValues()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, amount);
        const auto parsed = MonthlyData::ParseAmount(text);
        QCOMPARE(parsed ? QVariant(qlonglong(*parsed)) : QVariant(), amount);
    }

    void typedDates()
    {
        QCOMPARE(MonthlyData::ParseDate(u"14.04.2026"_s), std::optional<QDate>(QDate(2026, 4, 14)));
        QCOMPARE(MonthlyData::ParseDate(u"  .  .    "_s), std::optional<QDate>(QDate()));
        QVERIFY(!MonthlyData::ParseDate(u"31.02.2026"_s));
    }

    // --- the firm's VAT data ---

    void onlyWhatChangedIsWritten()
    {
        VatFixture v;
        const FirmRecord loaded = v.firm();
        FirmRecord edited = loaded;
        QVERIFY(VatFirmData::SetValue(edited, u"Firm_SubDDS"_s, u"Петър Петров"_s));
        QVERIFY(VatFirmData::SetValue(edited, u"Firm_LastDDSReg"_s, u"01.02.2020"_s));
        QVERIFY(VatFirmData::SetValue(edited, u"Firm_Klon"_s, u"12"_s));
        // Meanwhile another user changes the address.
        FirmRecord other = loaded;
        other.Firm_Adres = u"гр. Варна"_s;
        v.f.fd.UpdateFirm(loaded, other);
        QVERIFY(VatFirmData::Save(v.f.fd, loaded, edited));
        const FirmRecord saved = v.firm();
        QCOMPARE(saved.Firm_SubDDS, u"Петър Петров"_s);
        QCOMPARE(saved.Firm_LastDDSReg, QDate(2020, 2, 1));
        QCOMPARE(saved.Firm_Klon, 12);
        QCOMPARE(saved.Firm_Adres, u"гр. Варна"_s);
    }

    void badFirmDataIsRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("branch 9999") << u"Firm_Klon"_s << u"9999"_s << true;
        QTest::newRow("branch 10000") << u"Firm_Klon"_s << u"10000"_s << false;
        QTest::newRow("branch text") << u"Firm_Klon"_s << u"x"_s << false;
        QTest::newRow("not a date") << u"Firm_LastDDSRegEnd"_s << u"32.01.2020"_s << false;
        QTest::newRow("no date") << u"Firm_LastDDSRegEnd"_s << QString() << true;
    }
    void badFirmDataIsRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        FirmRecord firm;
        firm.Firm_Klon = 3;
        QCOMPARE(VatFirmData::SetValue(firm, field, text), accepted);
        if (!accepted)
            QCOMPARE(firm.Firm_Klon, 3);
    }

    void tooLongTextsAreNamed()
    {
        VatFixture v;
        FirmRecord firm = v.firm();
        firm.Firm_HedDDSPr = QString(16, u'x');
        QCOMPARE(VatFirmData::Problem(firm), u"Длъжност на лицето подписващо справката декларация: най-много 15 знака!"_s);
        QVERIFY(!VatFirmData::Save(v.f.fd, v.firm(), firm));
        QCOMPARE(v.f.messages.shown.last(), VatFirmData::Problem(firm));
        QCOMPARE(v.firm().Firm_HedDDSPr, u"Управител"_s);
    }
};

QTEST_GUILESS_MAIN(DeclarationTest)
#include "tst_declaration.moc"
