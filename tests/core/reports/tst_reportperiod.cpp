#include "reports/ReportList.h"
#include "reports/ReportPeriod.h"

#include <QTest>

using namespace Qt::StringLiterals;

class ReportPeriodTest : public QObject {
    Q_OBJECT
private slots:
    void defaults()
    {
        const ReportingPeriod p{QDate(2026, 1, 1), QDate(2026, 12, 31)};
        QCOMPARE(DefaultReportPeriod(p, QDate(2026, 5, 5)).to, QDate(2026, 5, 5));
        QCOMPARE(DefaultReportPeriod(p, QDate(2027, 5, 5)).to, QDate(2026, 12, 31));
        QCOMPARE(DefaultReportPeriod(p, QDate(2027, 5, 5)).from, QDate(2026, 1, 1));
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
