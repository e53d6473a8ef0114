#include "support/DocumentBooks.h"

#include "engine/Errors.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/AccountExtract.h"
#include "reports/LotExtract.h"
#include "support/Books.h"
#include "support/Golden.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(LotGrouping)

namespace {
LotExtractOptions Options(int level, int lot, LotGrouping grouping = LotGrouping::Date)
{
    return {QDate(2025, 1, 1), QDate(2025, 12, 31), u"Книги ООД"_s, level, lot, grouping};
}

QString Extract(DocumentBooks &b, const LotExtractOptions &o)
{
    LotExtractJob job(b.db(), o);
    rk::PageList list;
    rk::RunReport(job, list);
    return rk::ReportText(int(list.pages.size()), [&](int i) { return list.pages.at(i); });
}
}  // namespace

class LotExtractTest : public QObject {
    Q_OBJECT
private slots:
    void matchesItsGoldenTexts_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("lot");
        QTest::addColumn<QString>("golden");
        QTest::newRow("a supplier posted on two accounts")
            << int(DocumentBooks::Partners) << 1 << u"lot-extract-two-accounts.txt"_s;
        QTest::newRow("flour with an opening balance only")
            << int(DocumentBooks::Goods) << 3 << u"lot-extract-opening-only.txt"_s;
    }
    void matchesItsGoldenTexts()
    {
        QFETCH(int, level);
        QFETCH(int, lot);
        QFETCH(QString, golden);
        DocumentBooks b;
        QVERIFY(MatchesGolden(golden, Extract(b, Options(level, lot))));
    }

    void theSummaryIsTheLotsTotalsAndTheRowsAddUpToItsTurnovers()
    {
        DocumentBooks b;
        LotExtractJob job(b.db(), Options(DocumentBooks::Partners, 1));
        rk::PageList pages;
        rk::RunReport(job, pages);
        const TAccountValue v = GetAnValue(b.db(), DocumentBooks::Partners, 1, QDate(2025, 1, 1), QDate(2025, 12, 31));
        QCOMPARE(job.lotTotals().turnDtSt, v.turnDtSt);
        QCOMPARE(job.lotTotals().closeKtSt, v.closeKtSt);
        QCOMPARE(job.totals().dtSt.value(), v.turnDtSt);
        QCOMPARE(job.totals().ktSt.value(), v.turnKtSt);
    }

    void aLotWithoutPostingsIsRefusedOnlyWithoutAnOpeningBalance_data()
    {
        QTest::addColumn<int>("lot");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("error");
        QTest::newRow("sugar in January: nothing") << 2 << QDate(2025, 1, 31) << NoExtractDataMessage;
        QTest::newRow("flour in January: its opening") << 3 << QDate(2025, 1, 31) << QString();
        QTest::newRow("oil in January: its opening") << 1 << QDate(2025, 1, 31) << QString();
        QTest::newRow("sugar over the year") << 2 << QDate(2025, 12, 31) << QString();
    }
    void aLotWithoutPostingsIsRefusedOnlyWithoutAnOpeningBalance()
    {
        QFETCH(int, lot);
        QFETCH(QDate, to);
        QFETCH(QString, error);
        DocumentBooks b;
        LotExtractOptions o = Options(DocumentBooks::Goods, lot);
        o.to = to;
        QCOMPARE(ErrorOf([&] { LotExtractJob job(b.db(), o); }), error);
    }

    void eachGroupingClosesItsGroupsWithTheirTotals_data()
    {
        QTest::addColumn<LotGrouping>("grouping");
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("account") << LotGrouping::Account << QStringList{u"255.00 320.00"_s, u"0.00 15.00"_s};
        QTest::newRow("folder") << LotGrouping::Folder << QStringList{u"255.00 15.00"_s, u"0.00 320.00"_s};
        QTest::newRow("document") << LotGrouping::Document
                                  << QStringList{u"240.00 0.00"_s, u"0.00 80.00"_s, u"15.00 15.00"_s, u"0.00 240.00"_s};
        QTest::newRow("none") << LotGrouping::None << QStringList{};
    }
    void eachGroupingClosesItsGroupsWithTheirTotals()
    {
        QFETCH(LotGrouping, grouping);
        QFETCH(QStringList, totals);
        DocumentBooks b;
        QStringList printed;
        for (const QString &line : Extract(b, Options(DocumentBooks::Partners, 1, grouping)).split(u'\n'))
            if (line.trimmed().startsWith(u"Общо:"_s))
                printed << line.split(u' ', Qt::SkipEmptyParts).mid(3).join(u' ');
        QCOMPARE(printed, totals);
    }
};

QTEST_MAIN(LotExtractTest)
#include "tst_lotextract.moc"
