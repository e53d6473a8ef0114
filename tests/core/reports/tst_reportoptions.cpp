// The readings of the report options pages for the chronological ledger and the extracts: typed
// bounds, the order of the checks, and the controls of the account-extract page.
#include "engine/Errors.h"
#include "reports/OptionPages.h"
#include "reports/ReportBounds.h"
#include "reports/ReportPeriod.h"
#include "support/Books.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(AccountGrouping)

namespace {
const ReportingPeriod Year2025{QDate(2025, 1, 1), QDate(2025, 12, 31)};

ChronologicalPage Page()
{
    ChronologicalPage p;
    p.from = u"01.01.2025"_s;
    p.to = u"31.12.2025"_s;
    return p;
}

TAccountStr Account(int analytic, std::array<int, 5> levels)
{
    TAccountStr a;
    a.number = 304;
    a.analyticType = analytic;
    a.levels = levels;
    return a;
}
}  // namespace

class ReportOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void typedBoundsAreReadOrRefusedNamingTheBox_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        for (const QString &box : {FromDocumentCaption, ToDocumentCaption})
            for (const QString &typed : {u"1 OR 1=1"_s, u"5;"_s, u"abc"_s, u"12345678901"_s, u"-5"_s, u"1.5"_s})
                QTest::addRow("%s %s", qPrintable(box), qPrintable(typed)) << box << typed << DocumentBoundMessage(box);
        for (const QString &box : {FromAmountCaption, ToAmountCaption})
            for (const QString &typed : {u"1 OR 1=1"_s, u"5;"_s, u"abc"_s, u"1.2.3"_s, u"12,5 лв"_s})
                QTest::addRow("%s %s", qPrintable(box), qPrintable(typed)) << box << typed << AmountBoundMessage(box);
    }
    void typedBoundsAreReadOrRefusedNamingTheBox()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ChronologicalPage page = Page();
        QString *field = box == FromDocumentCaption ? &page.fromDocument
                         : box == ToDocumentCaption ? &page.toDocument
                         : box == FromAmountCaption ? &page.fromAmount
                                                    : &page.toAmount;
        *field = typed;
        QCOMPARE(ErrorOf([&] { ReadChronologicalPage(page, Year2025); }), message);
        QVERIFY(message.contains(box.chopped(1)));
    }

    void typedBoundsThatReadAreBoundAsNumbers()
    {
        ChronologicalPage page = Page();
        page.fromDocument = u"0000000123"_s;
        page.toDocument = u" 9999999999 "_s;
        page.fromAmount = u"-12,50"_s;
        page.toAmount = u"1250.5"_s;
        const ChronologicalSelection s = ReadChronologicalPage(page, Year2025);
        QCOMPARE(s.fromDocument.value(), 123);
        QCOMPARE(s.toDocument.value(), 9999999999LL);
        QCOMPARE(s.fromAmount.value(), -12.5);
        QCOMPARE(s.toAmount.value(), 1250.5);
        page = Page();
        const ChronologicalSelection empty = ReadChronologicalPage(page, Year2025);
        QVERIFY(!empty.fromDocument && !empty.toDocument && !empty.fromAmount && !empty.toAmount);
    }

    void theDatesAreCheckedBeforeTheBounds()
    {
        ChronologicalPage page = Page();
        page.fromDocument = u"abc"_s;
        page.to = u"31.12.2024"_s;
        QCOMPARE(ErrorOf([&] { ReadChronologicalPage(page, Year2025); }), EndBeforeStartMessage);
        page.to = u"31.13.2025"_s;
        QCOMPARE(ErrorOf([&] { ReadChronologicalPage(page, Year2025); }), InvalidDateMessage);
    }

    void theAccountExtractWantsAnAccountFirstAndIgnoresDisabledBoxes()
    {
        AccountExtractPage page;
        page.from = u"01.01.2025"_s;
        page.to = u"bad"_s;
        QCOMPARE(ErrorOf([&] { ReadAccountExtractPage(page, Year2025, {}); }), ChooseAccountMessage);
        page.account = 304;
        QCOMPARE(ErrorOf([&] { ReadAccountExtractPage(page, Year2025, {}); }), InvalidDateMessage);
        page.to = u"31.12.2025"_s;
        page.fromDocument = u"5;"_s;
        page.correspondingAccount = 401;
        QCOMPARE(ErrorOf([&] { ReadAccountExtractPage(page, Year2025, {}); }), DocumentBoundMessage(FromDocumentCaption));
        // Grouped by analytic levels the bounds, the corresponding account and the folder are off.
        page.grouping = AccountGrouping::Levels;
        const AccountExtractOptions o = ReadAccountExtractPage(page, Year2025, u"Ф"_s);
        QVERIFY(!o.fromDocument);
        QCOMPARE(o.correspondingAccount, 0);
        QCOMPARE(o.account, 304);
        QCOMPARE(o.firmName, u"Ф"_s);
    }

    void theLotExtractWantsALevelThenALotThenDates_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("lot");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing chosen") << 0 << 0 << u"bad"_s << ChooseLevelMessage;
        QTest::newRow("no level") << 0 << 3 << u"01.01.2025"_s << ChooseLevelMessage;
        QTest::newRow("no lot") << 2 << 0 << u"bad"_s << ChooseLotMessage;
        QTest::newRow("bad date") << 2 << 3 << u"bad"_s << InvalidDateMessage;
        QTest::newRow("before the period") << 2 << 3 << u"31.12.2024"_s << PeriodMessage;
        QTest::newRow("all there") << 2 << 3 << u"01.01.2025"_s << QString();
    }
    void theLotExtractWantsALevelThenALotThenDates()
    {
        QFETCH(int, level);
        QFETCH(int, lot);
        QFETCH(QString, from);
        QFETCH(QString, message);
        const LotExtractPage page{from, u"31.12.2025"_s, level, lot, LotGrouping::Folder};
        LotExtractOptions o;
        QCOMPARE(ErrorOf([&] { o = ReadLotExtractPage(page, Year2025, u"Ф"_s); }), message);
        if (message.isEmpty()) {
            QCOMPARE(o.level, 2);
            QCOMPARE(o.lot, 3);
            QCOMPARE(o.grouping, LotGrouping::Folder);
        }
    }

    void theAccountExtractPageFollowsTheAccountAndTheGrouping_data()
    {
        QTest::addColumn<int>("analytic");
        QTest::addColumn<AccountGrouping>("chosen");
        QTest::addColumn<AccountGrouping>("grouping");
        QTest::addColumn<int>("lists");  // lot lists shown, levels 1..
        QTest::addColumn<int>("boxes");  // levels whose ГР/НС/КС show
        QTest::addColumn<bool>("filters");
        QTest::newRow("analytic, by levels") << 2 << AccountGrouping::Levels << AccountGrouping::Levels << 2 << 2 << false;
        QTest::newRow("analytic, by date") << 2 << AccountGrouping::Date << AccountGrouping::Date << 2 << 0 << true;
        QTest::newRow("synthetic falls back to the date")
            << 1 << AccountGrouping::Levels << AccountGrouping::Date << 0 << 0 << true;
        QTest::newRow("synthetic by document") << 1 << AccountGrouping::Document << AccountGrouping::Document << 0 << 0
                                               << true;
    }
    void theAccountExtractPageFollowsTheAccountAndTheGrouping()
    {
        QFETCH(int, analytic);
        QFETCH(AccountGrouping, chosen);
        QFETCH(AccountGrouping, grouping);
        QFETCH(int, lists);
        QFETCH(int, boxes);
        QFETCH(bool, filters);
        const TAccountStr account =
            analytic == 2 ? Account(2, {1, 3, 0, 0, 0}) : Account(1, {0, 0, 0, 0, 0});
        const AccountExtractPageState state = AccountExtractPageFor(account, chosen);
        QCOMPARE(state.levelsGroupingAllowed, analytic == 2);
        QCOMPARE(state.grouping, grouping);
        QCOMPARE(int(std::count(state.lotLists.begin(), state.lotLists.end(), true)), lists);
        QCOMPARE(int(std::count(state.levelBoxes.begin(), state.levelBoxes.end(), true)), boxes);
        QCOMPARE(state.filtersEnabled, filters);
        QVERIFY(!AccountExtractPageFor(std::nullopt, AccountGrouping::Levels).levelsGroupingAllowed);
    }
};

QTEST_MAIN(ReportOptionsTest)
#include "tst_reportoptions.moc"
