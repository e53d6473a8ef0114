// The user guide: every window of the program has its page, the page names every caption the
// window shows, F1 opens it, and the help window's contents, search and back/forward work.
#include "app/TErrorHook.h"
#include "help/HelpSystem.h"
#include "help/THelpForm.h"
#include "shell/HelpTopics.h"
#include "support/ProgramWindows.h"
#include "support/WindowTexts.h"

#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

QString SourceRoot() { return QStringLiteral(ORVALIS_TEST_DIR "/.."); }

QString PageWords(const QString &page) { return THelpForm::PageText(page).simplified(); }

void CloseAll(const QPointer<QWidget> &window)
{
    if (THelpForm *help = THelpForm::Current())
        delete help;
    delete window.data();
    CancelOpenDialogs();
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
        new HelpKey(qApp);
        m_books = std::make_unique<DemoBooks>();
    }
    void cleanupTestCase() { m_books.reset(); }

    void everyWindowClassOfTheProgramHasAnOpenerAndAPage()
    {
        QStringList opened;
        for (const WindowOpener &o : ProgramWindowOpeners())
            opened << o.windowClass;
        const QStringList declared = DeclaredWindowClasses(SourceRoot());
        QVERIFY(declared.size() >= 20);
        for (const QString &window : declared) {
            QVERIFY2(opened.contains(window), qPrintable(window + u" has no opener in tests/support"_s));
            const QString page = HelpPageOfWindow(window);
            QVERIFY2(!page.isEmpty(), qPrintable(window + u" has no page in the guide"_s));
            QVERIFY2(!THelpForm::PageText(page).isEmpty(), qPrintable(page + u" is not among the resources"_s));
        }
    }

    void everyPageOfTheContentsIsInTheResources()
    {
        for (const HelpTopic &topic : HelpTopics())
            QVERIFY2(PageWords(topic.page).contains(topic.title), qPrintable(topic.page));
    }

    void theHelpContextsOfTheWindowsLeadToTheirPlaces()
    {
        for (const QString &place : {u"main.html#chart"_s, u"main.html#levels"_s, u"main.html#posting"_s,
                                     u"main.html#reports"_s, u"main.html#balances"_s, u"entry-wizard.html#vat"_s,
                                     u"entry-wizard.html#plain"_s}) {
            QFile page(THelpForm::ResourceOf(place));
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QString anchor = place.section(u'#', 1);
            QVERIFY2(QString::fromUtf8(page.readAll()).contains(u"name=\""_s + anchor + u'"'), qPrintable(place));
        }
    }

    void everyWindowsPageNamesItsCaptionsAndF1OpensIt_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("state");
        for (const WindowOpener &o : ProgramWindowOpeners())
            for (int i = 0; i < o.states.size(); ++i)
                QTest::newRow(qPrintable(o.windowClass + u' ' + o.states[i].name)) << o.windowClass << i;
    }
    void everyWindowsPageNamesItsCaptionsAndF1OpensIt()
    {
        QFETCH(QString, window);
        QFETCH(int, state);
        DemoBooks &books = *m_books;
        const WindowOpener *opener = nullptr;
        for (const WindowOpener &o : ProgramWindowOpeners())
            if (o.windowClass == window)
                opener = &o;
        QPointer<QWidget> shown = opener->states[state].open(books);
        QVERIFY(shown);
        QWidget *focus = shown->focusWidget() ? shown->focusWidget() : shown.data();
        const QString page = HelpPageFor(focus);
        QVERIFY2(!HelpTitleOfPage(page).isEmpty(), qPrintable(page));

        const QString words = PageWords(page);
        QStringList missing;
        for (const QString &caption : WindowCaptions(shown))
            if (!words.contains(caption))
                missing << caption;
        QVERIFY2(missing.isEmpty(), qPrintable(page + u" does not name: "_s + missing.join(u" | "_s)));

        QTest::keyClick(focus, Qt::Key_F1);
        QVERIFY(THelpForm::Current());
        QCOMPARE(THelpForm::Current()->currentPage(), page);
        CloseAll(shown);
    }

    void theHelpWindowSearchesGoesBackAndForwardAndFollowsTheContents()
    {
        THelpForm *help = THelpForm::Open(u"main.html#chart"_s);
        QCOMPARE(help->currentPage(), u"main.html#chart"_s);
        QCOMPARE(help->windowTitle(), u"Помощ - Главен прозорец"_s);
        QVERIFY(!help->backButton()->isEnabled());

        const QStringList found = help->search(u"дата на осчетовод"_s);
        QVERIFY(!found.isEmpty());
        QCOMPARE(found.first(), u"Въвеждане на счетоводни статии"_s);
        QCOMPARE(help->results()->count(), found.size());
        help->results()->setCurrentRow(0);
        emit help->results()->itemActivated(help->results()->item(0));
        QCOMPARE(help->currentPage(), u"entry-wizard.html"_s);
        QVERIFY(help->backButton()->isEnabled());

        help->back();
        QCOMPARE(help->currentPage(), u"main.html#chart"_s);
        QVERIFY(help->forwardButton()->isEnabled());
        help->forward();
        QCOMPARE(help->currentPage(), u"entry-wizard.html"_s);
        QCOMPARE(help->contents()->currentItem()->text(0), u"Въвеждане на счетоводни статии"_s);

        help->search(u"несъществуващадума"_s);
        QCOMPARE(help->results()->count(), 1);  // the word that nothing was found
        QVERIFY(help->results()->item(0)->data(Qt::UserRole).toString().isEmpty());

        help->home();
        QCOMPARE(help->currentPage(), HelpStartPage());
        delete help;
    }

    void overAModalWindowTheHelpIsThatWindowsOwn()
    {
        {
        TSMForm message(u"Опитайте отново!"_s, TSMForm::Kind::Message);
        QTimer::singleShot(0, [&message] {
            QTest::keyClick(message.yesButton(), Qt::Key_F1);
            QVERIFY(THelpForm::Current());
            QCOMPARE(THelpForm::Current()->parentWidget(), &message);
            QCOMPARE(THelpForm::Current()->currentPage(), u"messages.html"_s);
            message.accept();
        });
        message.exec();
        }
        QVERIFY(!THelpForm::Current());  // it went with its window
    }

private:
    // One demo firm for all the windows: opening them changes nothing in it.
    std::unique_ptr<DemoBooks> m_books;
};

QTEST_MAIN(HelpTest)
#include "tst_help_ui.moc"
