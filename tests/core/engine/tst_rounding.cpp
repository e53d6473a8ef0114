#include "engine/Formats.h"
#include "engine/Rounding.h"

#include <QRandomGenerator>
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
        QCOMPARE(Formats::FromSqlDate(QStringLiteral("2026-02-29")), QDate());
        QCOMPARE(Formats::FromSqlDate(QStringLiteral("2024-02-29")), QDate(2024, 2, 29));
        QCOMPARE(Formats::Date(QDate(12345, 1, 1)), QDate(12345, 1, 1).toString(QStringLiteral("dd.MM.yyyy")));
    }

    // Figures are written as the general fixed-point conversion writes them, ties and large values
    // included.
    void figuresReadAsTheGeneralConversionWritesThem()
    {
        QRandomGenerator rng(5);
        QList<double> values{0, -0.0, 0.005, 0.015, 1.005, 2.675, 0.285, -0.125, 1e9, 12345678.905, -99.995,
                             21474836.47, 21474836.48, 1e16, 0.00005, 1.23456789};
        for (int i = 0; i < 20000; ++i)
            values << (rng.bounded(2000000) - 1000000) / (i % 2 ? 100.0 : 1000.0) << rng.generateDouble() * 1e6;
        for (double v : values) {
            for (const auto &[decimals, written] : {std::pair{2, Formats::Amount(v)}, std::pair{4, Formats::Quantity(v)}}) {
                QString expected = QString::number(v, 'f', decimals);
                if (expected.startsWith(u'-') && expected.count(u'0') == expected.size() - 2)
                    expected.remove(0, 1);
                QCOMPARE(written, expected);
            }
        }
    }

    // A typed date is taken only as a whole dd.MM.yyyy date.
    void typedDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("whole") << QStringLiteral("01.03.2026") << QDate(2026, 3, 1);
        QTest::newRow("spaces around") << QStringLiteral(" 31.12.2026 ") << QDate(2026, 12, 31);
        QTest::newRow("leap day") << QStringLiteral("29.02.2028") << QDate(2028, 2, 29);
        QTest::newRow("a year of one digit") << QStringLiteral("01.03.1") << QDate();
        QTest::newRow("a year of two digits") << QStringLiteral("01.03.26") << QDate();
        QTest::newRow("one-digit day and month") << QStringLiteral("1.3.2026") << QDate();
        QTest::newRow("no such day") << QStringLiteral("31.02.2026") << QDate();
        QTest::newRow("a fifth year digit") << QStringLiteral("01.03.20261") << QDate();
        QTest::newRow("empty") << QString() << QDate();
        QTest::newRow("another separator") << QStringLiteral("01/03/2026") << QDate();
    }
    void typedDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(Formats::ParseDate(text), date);
    }

    // A typed number: a sign, digits and one decimal point or comma, nothing else.
    void typedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("read");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << QStringLiteral("250") << true << 250.0;
        QTest::newRow("point") << QStringLiteral("100.001") << true << 100.001;
        QTest::newRow("comma") << QStringLiteral("1,5") << true << 1.5;
        QTest::newRow("negative") << QStringLiteral("-12.30") << true << -12.3;
        QTest::newRow("trailing point") << QStringLiteral("7.") << true << 7.0;
        QTest::newRow("leading point") << QStringLiteral(".5") << true << 0.5;
        QTest::newRow("spaces around") << QStringLiteral(" 3 ") << true << 3.0;
        QTest::newRow("a letter") << QStringLiteral("2x9") << false << 0.0;
        QTest::newRow("two points") << QStringLiteral("1.2.3") << false << 0.0;
        QTest::newRow("exponent") << QStringLiteral("1e5") << false << 0.0;
        QTest::newRow("a sign alone") << QStringLiteral("-") << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("inner space") << QStringLiteral("1 000") << false << 0.0;
    }
    void typedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        QFETCH(double, value);
        const std::optional<double> parsed = Formats::ParseDecimal(text);
        QCOMPARE(parsed.has_value(), read);
        if (read)
            QCOMPARE(*parsed, value);
    }
};

QTEST_APPLESS_MAIN(RoundingTest)
#include "tst_rounding.moc"
