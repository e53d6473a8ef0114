#include "engine/Formats.h"
#include "engine/Rounding.h"

#include <QTest>

class RoundingTest : public QObject {
    Q_OBJECT
private slots:
    void roundsTheDecimalTextHalfAwayFromZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("amount half up") << 10.005 << 2 << 10.01;
        QTest::newRow("quantity") << 1.23456 << 4 << 1.2346;
        QTest::newRow("negative half away") << -10.005 << 2 << -10.01;
        QTest::newRow("binary below half") << 2.675 << 2 << 2.68;
        QTest::newRow("1.005 stored below") << 1.005 << 2 << 1.01;
        QTest::newRow("carry into integer") << 9.995 << 2 << 10.0;
        QTest::newRow("carry to new digit") << 999.9999 << 2 << 1000.0;
        QTest::newRow("below half") << 0.124999 << 2 << 0.12;
        QTest::newRow("tiny rounds to zero") << 0.0000001 << 4 << 0.0;
        QTest::newRow("first digit rounds up") << 0.006 << 2 << 0.01;
        QTest::newRow("largest document number") << 9999999999.995 << 2 << 10000000000.0;
        QTest::newRow("already round") << 123.45 << 2 << 123.45;
        QTest::newRow("integer decimals 0") << 2.5 << 0 << 3.0;
        QTest::newRow("zero") << 0.0 << 2 << 0.0;
    }
    void roundsTheDecimalTextHalfAwayFromZero()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(RoundTo(value, decimals), expected);
    }

    void sumsOfCentsRoundToTheExpectedAmount()
    {
        double sum = 0;
        for (int i = 0; i < 10; ++i)
            sum += 0.1;  // 0.9999999999999999
        QCOMPARE(RoundAmount(sum), 1.0);
        QCOMPARE(Formats::Amount(RoundAmount(sum)), QStringLiteral("1.00"));
    }

    void displayFormats()
    {
        QCOMPARE(Formats::Amount(-0.001), QStringLiteral("0.00"));
        QCOMPARE(Formats::Amount(1234.5), QStringLiteral("1234.50"));
        QCOMPARE(Formats::Quantity(1.5), QStringLiteral("1.5000"));
        QCOMPARE(Formats::DocNo(42), QStringLiteral("0000000042"));
        QCOMPARE(Formats::Date(QDate(2026, 3, 9)), QStringLiteral("09.03.2026"));
        QCOMPARE(Formats::ParseDate(QStringLiteral("31.12.2026")), QDate(2026, 12, 31));
        QVERIFY(!Formats::ParseDate(QStringLiteral("31.02.2026")).isValid());
        QCOMPARE(Formats::SqlDate(QDate(2026, 1, 2)), QStringLiteral("2026-01-02"));
        QCOMPARE(Formats::MonthName(1), QStringLiteral("Януари"));
        QCOMPARE(Formats::MonthName(12), QStringLiteral("Декември"));
        QCOMPARE(Formats::Dates().longDayNames.first(), QStringLiteral("неделя"));
    }
};

QTEST_APPLESS_MAIN(RoundingTest)
#include "tst_rounding.moc"
