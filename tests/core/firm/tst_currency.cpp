#include "firm/Currency.h"

#include <QTest>

using namespace Qt::StringLiterals;

class CurrencyTest : public QObject {
    Q_OBJECT
private slots:
    void theYearDecidesTheCurrency()
    {
        QCOMPARE(CurrencyOfYear(1999), Currency::Leva);
        QCOMPARE(CurrencyOfYear(2025), Currency::Leva);
        QCOMPARE(CurrencyOfYear(2026), Currency::Euro);
        QCOMPARE(CurrencyOfYear(2099), Currency::Euro);
    }

    void captions_data()
    {
        QTest::addColumn<QString>("leva");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("expected");
        QTest::newRow("balance sheet, leva") << u"Сума в лв."_s << 2025 << u"Сума в лв."_s;
        QTest::newRow("balance sheet, euro") << u"Сума в лв."_s << 2026 << u"Сума в евро"_s;
        QTest::newRow("income statement, leva") << u"Сума лв."_s << 2025 << u"Сума лв."_s;
        QTest::newRow("income statement, euro") << u"Сума лв."_s << 2026 << u"Сума EUR"_s;
        QTest::newRow("words, euro") << u"Сума в лева"_s << 2030 << u"Сума в евро"_s;
    }
    void captions()
    {
        QFETCH(QString, leva);
        QFETCH(int, year);
        QFETCH(QString, expected);
        QCOMPARE(CurrencyCaption(leva, year), expected);
    }

    void conversion_data()
    {
        QTest::addColumn<double>("leva");
        QTest::addColumn<bool>("staff");
        QTest::addColumn<double>("euro");
        QTest::newRow("the rate itself") << 1.95583 << false << 1.00;
        QTest::newRow("one stotinka rounds up") << 0.01 << false << 0.01;
        QTest::newRow("two stotinki round down") << 0.02 << false << 0.01;
        QTest::newRow("0.97 rounds up to half a euro") << 0.97 << false << 0.50;
        QTest::newRow("ten leva") << 10.00 << false << 5.11;
        QTest::newRow("a million") << 1000000.00 << false << 511291.88;
        QTest::newRow("just under half a cent") << 0.00977 << false << 0.00;
        QTest::newRow("half a cent rounds up") << 0.00978 << false << 0.01;
        QTest::newRow("a credit, half up away from zero") << -0.97 << false << -0.50;
        QTest::newRow("staff: two stotinki up") << 0.02 << true << 0.02;
        QTest::newRow("staff: an exact amount stays") << 1.95583 << true << 1.00;
        QTest::newRow("staff: 10.00 up") << 10.00 << true << 5.12;
        QTest::newRow("staff: a credit") << -0.02 << true << -0.02;
    }
    void conversion()
    {
        QFETCH(double, leva);
        QFETCH(bool, staff);
        QFETCH(double, euro);
        QCOMPARE(LevaToEuro(leva, staff ? EuroRounding::Up : EuroRounding::HalfUp), euro);
    }

    void largeAmountsStayExact()
    {
        QCOMPARE(LevaToEuroCents(999999999.99), 51129188119LL);  // 999999999.99 / 1.95583 = 511291881.1911…
        QCOMPARE(LevaToEuroCents(0.0), 0LL);
    }
};

QTEST_GUILESS_MAIN(CurrencyTest)
#include "tst_currency.moc"
