#include "support/ReportFixture.h"

#include "engine/Errors.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/GeneralLedger.h"
#include "support/Golden.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString Ledger(ReportFixture &r, QDate from, QDate to)
{
    GeneralLedgerJob job(r.db(), {from, to, u"Отчети ООД"_s});
    rk::PageList pages;
    rk::RunReport(job, pages);
    return rk::ReportText(int(pages.pages.size()), [&](int i) { return pages.pages.at(i); });
}
}  // namespace

class GeneralLedgerTest : public QObject {
    Q_OBJECT
private slots:
    void matchesItsGoldenText()
    {
        ReportFixture r;
        QVERIFY(MatchesGolden(u"general-ledger.txt"_s, Ledger(r, QDate(2025, 1, 1), QDate(2025, 12, 31))));
    }

    void openingIsTheYearsAndClosingTheRangesEnd()
    {
        ReportFixture r;
        const QString text = Ledger(r, QDate(2025, 4, 1), QDate(2025, 4, 30));
        // 501 has no turnover in April, but its opening balance of the year keeps it in.
        QVERIFY(text.contains(u"501     Каса в левове"_s));
        const int from = int(text.indexOf(u"501     Каса в левове"_s));
        const QString section = text.mid(from, text.indexOf(u"Крайно салдо:"_s, from) + 60 - from);
        QVERIFY2(section.contains(u"Начални салдо:                        1000.00"_s), qPrintable(section));
        // The closing of 501 at the end of April: nothing moved yet.
        QVERIFY2(section.contains(u"Крайно салдо:                         1000.00"_s), qPrintable(section));
    }

    void movementOutsideThePeriodWithoutOpeningIsLeftOut()
    {
        ReportFixture r;
        const QString text = Ledger(r, QDate(2025, 4, 1), QDate(2025, 4, 30));
        QVERIFY(!text.contains(u"602     Разходи за външни услуги"_s));  // moved in May only
        QVERIFY(text.contains(u"503     Разплащателна сметка"_s));
    }

    void corresponding_accountsInNumberOrder()
    {
        ReportFixture r;
        const QString text = Ledger(r, QDate(2025, 1, 1), QDate(2025, 12, 31));
        const int section = int(text.indexOf(u"501     Каса в левове"_s));
        const int a453 = int(text.indexOf(u"453   "_s, section));
        const int a602 = int(text.indexOf(u"602   "_s, section));
        QVERIFY(a453 > section && a602 > a453);
    }

    void closingRowsAreTheAccountTotalsAtTheEnd_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("whole year") << QDate(2025, 1, 1) << QDate(2025, 12, 31);
        QTest::newRow("from March to June") << QDate(2025, 3, 1) << QDate(2025, 6, 30);
        QTest::newRow("one day") << QDate(2025, 3, 4) << QDate(2025, 3, 4);
    }
    void closingRowsAreTheAccountTotalsAtTheEnd()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        ReportFixture r;
        const QString text = Ledger(r, from, to);
        static const QRegularExpression section(u"^(\\d+)     \\S"_s, QRegularExpression::MultilineOption);
        static const QRegularExpression closing(u"Крайно салдо:\\s+(-?\\d+\\.\\d\\d)\\s+(-?\\d+\\.\\d\\d)"_s);
        int checked = 0;
        for (auto it = section.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            const auto c = closing.match(text, m.capturedEnd());
            QVERIFY(c.hasMatch());
            const TAccountValue v = GetAccountValue(r.db(), m.captured(1).toInt(), {}, r.period, from, to);
            QCOMPARE(c.captured(1), QString::number(v.closeDtSt, 'f', 2));
            QCOMPARE(c.captured(2), QString::number(v.closeKtSt, 'f', 2));
            ++checked;
        }
        QVERIFY(checked >= 3);
    }

    void noDataForThePeriod()
    {
        TestFixture f;
        f.openNewFirm(u"Празна"_s, 2025);
        QString error;
        try {
            GeneralLedgerJob job(f.dm.db(), {QDate(2025, 1, 1), QDate(2025, 12, 31), u"Празна"_s});
        } catch (const MyException &e) {
            error = e.message();
        }
        QCOMPARE(error, NoLedgerDataMessage);
    }
};

QTEST_MAIN(GeneralLedgerTest)
#include "tst_generalledger.moc"
