// The guide's table of pages: each window's page, the places of the help contexts, and the
// search that ranks the pages.
#include "shell/HelpTopics.h"

#include <QTest>

using namespace Qt::StringLiterals;

class HelpTopicsTest : public QObject {
    Q_OBJECT
private slots:
    void windowsAndContextsHaveTheirPages_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("page");
        QTest::newRow("main window") << u"TForm1"_s << u"main.html"_s;
        QTest::newRow("both pickers, one page") << u"TStatLookUpForm"_s << u"account-picker.html"_s;
        QTest::newRow("report runner") << u"TOBORKOLForm"_s << u"trial-balance.html"_s;
        QTest::newRow("no such window") << u"TNoSuchForm"_s << QString();
        QTest::newRow("context 12") << u"12"_s << u"firm-choice.html"_s;
        QTest::newRow("context 19") << u"19"_s << u"main.html#chart"_s;
        QTest::newRow("context 24") << u"24"_s << u"main.html#levels"_s;
        QTest::newRow("context 29") << u"29"_s << u"main.html#posting"_s;
        QTest::newRow("context 35") << u"35"_s << u"main.html#reports"_s;
        QTest::newRow("context 32") << u"32"_s << u"entry-wizard.html#vat"_s;
        QTest::newRow("context 33") << u"33"_s << u"entry-wizard.html#plain"_s;
        QTest::newRow("context 45") << u"45"_s << u"trial-balance.html"_s;
        QTest::newRow("unknown context") << u"7"_s << QString();
    }
    void windowsAndContextsHaveTheirPages()
    {
        QFETCH(QString, asked);
        QFETCH(QString, page);
        bool context = false;
        const int number = asked.toInt(&context);
        QCOMPARE(context ? HelpPageOfContext(number) : HelpPageOfWindow(asked), page);
    }

    void everyPageHasATitleAndIsListedOnce()
    {
        QStringList pages;
        for (const HelpTopic &t : HelpTopics()) {
            QVERIFY(!pages.contains(t.page));
            pages << t.page;
            QCOMPARE(HelpTitleOfPage(t.page + u"#anywhere"_s), t.title);
        }
        QCOMPARE(HelpStartPage(), u"index.html"_s);
        QVERIFY(HelpTitleOfPage(u"nothing.html"_s).isEmpty());
    }

    void searchFindsPagesWithEveryWordBestFirst_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("one word, most hits first") << u"сметка"_s << QStringList{u"b"_s, u"a"_s};
        QTest::newRow("case and part of a word") << u"СМЕТК"_s << QStringList{u"b"_s, u"a"_s, u"c"_s};
        QTest::newRow("every word must be there") << u"сметка салдо"_s << QStringList{u"a"_s};
        QTest::newRow("the title weighs more") << u"партида"_s << QStringList{u"c"_s, u"b"_s};
        QTest::newRow("the words together rank first") << u"начално салдо"_s << QStringList{u"a"_s};
        QTest::newRow("nothing") << u"фактура"_s << QStringList{};
        QTest::newRow("empty") << u"  "_s << QStringList{};
    }
    void searchFindsPagesWithEveryWordBestFirst()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, found);
        const QList<HelpText> pages = {
            {u"a"_s, u"Салда"_s, u"Начално салдо на сметка. Начално салдо и оборот."_s},
            {u"b"_s, u"Сметки"_s, u"Сметка, сметка и пак сметка на партида на на на на."_s},
            {u"c"_s, u"Партида"_s, u"Партидите на сметките."_s},
        };
        QCOMPARE(SearchHelp(pages, query), found);
    }

    void shortWordsAreRequiredButRankNothing()
    {
        const QList<HelpText> pages = {
            {u"x"_s, u"X"_s, u"оборот на на на на на на"_s},
            {u"y"_s, u"Y"_s, u"оборот, оборот на"_s},
            {u"z"_s, u"Z"_s, u"оборот оборот оборот"_s},
        };
        QCOMPARE(SearchHelp(pages, u"на оборот"_s), (QStringList{u"y"_s, u"x"_s}));
    }
};

QTEST_MAIN(HelpTopicsTest)
#include "tst_helptopics.moc"
