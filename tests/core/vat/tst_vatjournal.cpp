// The VAT journals: which documents they list, in what order, the columns of each supply type
// and the exact totals.
#include "support/VatFixture.h"

#include "vat/VatJournal.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Amounts = QList<QVariant>;  // stotinki, or an invalid variant for an empty column

Amounts Of(const JournalAmounts &a)
{
    Amounts out;
    for (const auto &v : a)
        out << (v ? QVariant(qlonglong(*v)) : QVariant());
    return out;
}

VatJournal Read(VatFixture &v, VatJournalKind kind, QDate from, QDate to)
{
    return VatJournals::Read(v.db(), v.f.fd.db(), kind, from, to);
}

QList<qint64> Numbers(const VatJournal &j)
{
    QList<qint64> numbers;
    for (const JournalRow &r : j.rows)
        numbers << r.Doc_No;
    return numbers;
}
}  // namespace

class VatJournalTest : public QObject {
    Q_OBJECT
private slots:
    void supplyTypeFillsItsColumns_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("vid");
        QTest::addColumn<Amounts>("expected");
        const QVariant e;
        const int p = int(VatJournalKind::Purchases), s = int(VatJournalKind::Sales);
        // base 100.00, VAT 20.00, excise 5.00
        QTest::newRow("1 without credit") << p << 1 << Amounts{10000, 10000, e, e, e, e, 500};
        QTest::newRow("2 full credit") << p << 2 << Amounts{12000, e, 10000, 2000, e, e, 500};
        QTest::newRow("3 partial credit") << p << 3 << Amounts{12000, e, e, e, 10000, 2000, 500};
        QTest::newRow("4 taxable") << s << 4 << Amounts{12000, 10000, 2000, e, e, e, 500};
        QTest::newRow("5 export") << s << 5 << Amounts{10000, e, e, 10000, e, e, 500};
        QTest::newRow("6 exempt") << s << 6 << Amounts{10000, e, e, e, 10000, e, 500};
        QTest::newRow("7 other cases: no total") << s << 7 << Amounts{e, e, e, e, e, 2000, 500};
        QTest::newRow("a sales type in purchases") << p << 4 << Amounts{e, e, e, e, e, e, 500};
        QTest::newRow("a purchase type in sales") << s << 2 << Amounts{e, e, e, e, e, e, 500};
    }
    void supplyTypeFillsItsColumns()
    {
        QFETCH(int, kind);
        QFETCH(int, vid);
        QFETCH(Amounts, expected);
        QCOMPARE(Of(VatJournals::AmountsOf(VatJournalKind(kind), vid, 10000, 2000, 500)), expected);
    }

    void typeTwoPurchaseAsListed()
    {
        VatFixture v;
        v.purchase(QDate(2026, 3, 10), 77, 100.00, 20.00);
        const VatJournal j = Read(v, VatJournalKind::Purchases, QDate(2026, 3, 1), QDate(2026, 3, 31));
        QCOMPARE(j.rows.size(), 1);
        const JournalRow &r = j.rows.first();
        QCOMPARE(Of(r.amounts), (Amounts{12000, QVariant(), 10000, 2000, QVariant(), QVariant(), 0}));
        QCOMPARE(r.Doc_Text, u"Фактура"_s);
        QCOMPARE(r.Kontra_Text, u"Доставчик АД"_s);
        QCOMPARE(r.Kontra_DN, u"5556667778"_s);
        QCOMPARE(r.DostText, u"Стоки"_s);
        QVERIFY(r.problem.isEmpty());
        QCOMPARE(*j.totals, (JournalTotals{12000, 0, 10000, 2000, 0, 0, 0}));
    }

    void theVatDateDecidesTheMonth()
    {
        VatFixture v;
        v.add({.journal = 1, .vid = 2, .date = QDate(2026, 3, 31), .number = 5, .base = 100.00, .vat = 20.00,
               .vatDate = QDate(2026, 4, 2)});
        QVERIFY(Read(v, VatJournalKind::Purchases, QDate(2026, 3, 1), QDate(2026, 3, 31)).rows.isEmpty());
        const VatJournal april = Read(v, VatJournalKind::Purchases, QDate(2026, 4, 1), QDate(2026, 4, 30));
        QCOMPARE(april.rows.size(), 1);
        QCOMPARE(april.rows.first().Doc_Date, QDate(2026, 3, 31));  // printed with its own date
    }

    void bothEndsOfThePeriodAndTheOrder()
    {
        VatFixture v;
        v.sale(QDate(2026, 5, 31), 9, 1, 0.2);
        v.sale(QDate(2026, 5, 1), 30, 1, 0.2);
        v.sale(QDate(2026, 5, 1), 4, 1, 0.2);
        v.sale(QDate(2026, 4, 30), 1, 1, 0.2);
        v.sale(QDate(2026, 6, 1), 2, 1, 0.2);
        v.purchase(QDate(2026, 5, 10), 3, 1, 0.2);  // the other journal
        const VatJournal may = Read(v, VatJournalKind::Sales, QDate(2026, 5, 1), QDate(2026, 5, 31));
        QCOMPARE(Numbers(may), (QList<qint64>{4, 30, 9}));
        QCOMPARE(Numbers(Read(v, VatJournalKind::Purchases, QDate(2026, 5, 1), QDate(2026, 5, 31))),
                 QList<qint64>{3});
    }

    void typeSevenSaleWithAndWithoutCounterparty()
    {
        VatFixture v;
        v.sale(QDate(2026, 2, 3), 1, 0, 40.00, 7, 0);
        v.sale(QDate(2026, 2, 4), 2, 0, 60.00, 7, 2);
        const VatJournal j = Read(v, VatJournalKind::Sales, QDate(2026, 2, 1), QDate(2026, 2, 28));
        QCOMPARE(j.rows.size(), 2);
        QCOMPARE(j.rows[0].Kontra_Text, QString());
        QCOMPARE(j.rows[0].Kontra_DN, QString());
        QVERIFY2(j.rows[0].problem.isEmpty(), qPrintable(j.rows[0].problem));
        QCOMPARE(j.rows[1].Kontra_Text, u"Клиент ООД"_s);
        QVERIFY(!j.rows[0].amounts[JournalColumn::Total]);
        QCOMPARE((*j.totals)[JournalColumn::SaleOtherVat], 10000);
        QCOMPARE((*j.totals)[JournalColumn::Total], 0);
    }

    void documentsThatLackDataAreListedAndNamed()
    {
        VatFixture v;
        v.add({.date = QDate(2026, 7, 1), .number = 11, .base = 10, .vat = 2, .kontra = 0, .docType = 4});   // no counterparty
        v.add({.date = QDate(2026, 7, 2), .number = 12, .base = 10, .vat = 2, .kontra = 99, .docType = 4});  // a counterparty that is gone
        v.add({.date = QDate(2026, 7, 3), .number = 13, .base = 10, .vat = 2, .kontra = 2, .docType = 8});   // a type the registry lacks
        const VatJournal j = Read(v, VatJournalKind::Sales, QDate(2026, 7, 1), QDate(2026, 7, 31));
        QCOMPARE(Numbers(j), (QList<qint64>{11, 12, 13}));
        QCOMPARE(j.rows[2].Doc_Text, QString());
        QCOMPARE(j.rows[2].DocType, 8);
        QCOMPARE(j.problems(), (QStringList{u"0000000011 от 01.07.2026: няма контрагент"_s,
                                            u"0000000012 от 02.07.2026: контрагентът (99) не е намерен"_s,
                                            u"0000000013 от 03.07.2026: видът на документа (08) липсва в регистъра"_s}));
        QCOMPARE((*j.totals)[JournalColumn::SaleTaxableVat], 600);  // nothing vanishes from the sums
    }

    void totalsAreExactOverManyRows()
    {
        VatFixture v;
        {
            Transaction tx(v.db());
            for (int i = 0; i < 1000; ++i)
                v.db().exec(u"insert into nom_p (Nom_Doc_No, Nom_DDoc_No, Nom_P_No, Nom_Dnevnik, Nom_VidDostavka, "
                            "Nom_DocType, Nom_Kontra, Nom_DOsnova, Nom_DDS, Nom_Doc_Date, Nom_DDSDate) "
                            "values (?, ?, 1, 2, 4, 4, 2, 0.1, 0.02, ?, ?)"_s,
                            {i + 1, i + 1, u"2026-08-%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0')),
                             u"2026-08-%1"_s.arg(1 + i % 28, 2, 10, QChar(u'0'))});
            tx.commit();
        }
        const VatJournal j = Read(v, VatJournalKind::Sales, QDate(2026, 8, 1), QDate(2026, 8, 31));
        QCOMPARE(j.rows.size(), 1000);
        QCOMPARE(*j.totals, (JournalTotals{12000, 10000, 2000, 0, 0, 0, 0}));
    }

    void anAmountThatIsNoNumberLeavesTheJournalUnsummed()
    {
        VatFixture v;
        const int doc = v.sale(QDate(2026, 9, 1), 1, 10, 2);
        v.sale(QDate(2026, 9, 2), 2, 10, 2);
        v.db().exec(u"update nom_p set Nom_DDS = 1e300 where Nom_Doc_No = ?"_s, {doc});
        const VatJournal j = Read(v, VatJournalKind::Sales, QDate(2026, 9, 1), QDate(2026, 9, 30));
        QCOMPARE(j.rows.size(), 2);
        QVERIFY(!j.totals);
        QVERIFY(j.rows[0].problem.contains(u"невалидна сума"_s));
        QVERIFY(VatJournals::Sum({j.rows[1]}).has_value());
    }
};

QTEST_GUILESS_MAIN(VatJournalTest)
#include "tst_vatjournal.moc"
