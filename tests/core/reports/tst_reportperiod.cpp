#include "reports/ReportList.h"
#include "reports/ReportPeriod.h"

#include <QTest>

using namespace Qt::StringLiterals;

class ReportPeriodTest : public QObject {
    Q_OBJECT
private slots:
    // The default period runs from the first day to today, or to the last day when today lies
    // outside the year; a new document is dated today, or the nearer end of the year.
    void defaults_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QDate>("document");
        QTest::newRow("inside") << QDate(2026, 5, 5) << QDate(2026, 5, 5) << QDate(2026, 5, 5);
        QTest::newRow("first day") << QDate(2026, 1, 1) << QDate(2026, 1, 1) << QDate(2026, 1, 1);
        QTest::newRow("last day") << QDate(2026, 12, 31) << QDate(2026, 12, 31) << QDate(2026, 12, 31);
        QTest::newRow("after the year") << QDate(2027, 5, 5) << QDate(2026, 12, 31) << QDate(2026, 12, 31);
        QTest::newRow("before the year") << QDate(2025, 12, 31) << QDate(2026, 12, 31) << QDate(2026, 1, 1);
    }
    void defaults()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, end);
        QFETCH(QDate, document);
        const ReportingPeriod p{QDate(2026, 1, 1), QDate(2026, 12, 31)};
        const ReportPeriodDefaults d = DefaultReportPeriod(p, today);
        QCOMPARE(d.from, QDate(2026, 1, 1));
        QCOMPARE(d.to, end);
        QVERIFY(ReportPeriodProblem(d.from, d.to, p).isEmpty());
        QCOMPARE(DefaultEntryDate(p, today), document);
    }

    void theTwoDialogsCheckInTheirOwnOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("periodDialog");
        QTest::addColumn<QString>("optionsDialog");
        QTest::newRow("start equals end") << u"05.05.2026"_s << u"05.05.2026"_s << QString() << QString();
        QTest::newRow("outside and reversed") << u"01.02.2026"_s << u"01.12.2025"_s << PeriodMessage
                                              << EndBeforeStartMessage;
        QTest::newRow("reversed inside") << u"02.02.2026"_s << u"01.02.2026"_s << EndBeforeStartMessage
                                         << EndBeforeStartMessage;
        QTest::newRow("partly outside") << u"01.12.2026"_s << u"05.01.2027"_s << PeriodMessage << PeriodMessage;
        QTest::newRow("unreadable") << u"32.01.2026"_s << u"05.01.2026"_s << InvalidDateMessage << InvalidDateMessage;
    }
    void theTwoDialogsCheckInTheirOwnOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, periodDialog);
        QFETCH(QString, optionsDialog);
        const ReportingPeriod p{QDate(2026, 1, 1), QDate(2026, 12, 31)};
        QCOMPARE(PeriodDialogProblem(from, to, p), periodDialog);
        QCOMPARE(OptionsDialogProblem(from, to, p), optionsDialog);
    }
};

QTEST_APPLESS_MAIN(ReportPeriodTest)
#include "tst_reportperiod.moc"
