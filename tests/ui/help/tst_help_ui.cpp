// The user guide: every window of the program has its page, the page names every caption the
// window shows, F1 opens it, and the help window's contents, search and back/forward work.
#include "app/ProgramSetup.h"
#include "app/TErrorHook.h"
#include "help/HelpSystem.h"
#include "help/THelpForm.h"
#include "shell/HelpTopics.h"
#include "shell/MainWindowModel.h"
#include "support/ProgramWindows.h"
#include "support/WindowTexts.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QCheckBox>
#include <QRadioButton>
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

    // Every text a window shows is Bulgarian: a word in Latin letters only where the program
    // itself is named so, or a key, a file, the preview's zoom choices or a PDF.
    void everyWindowSpeaksBulgarian_data() { everyWindowsPageNamesItsCaptionsAndF1OpensIt_data(); }
    void everyWindowSpeaksBulgarian()
    {
        QFETCH(QString, window);
        QFETCH(int, state);
        const WindowOpener *opener = nullptr;
        for (const WindowOpener &o : ProgramWindowOpeners())
            if (o.windowClass == window)
                opener = &o;
        QPointer<QWidget> shown = opener->states[state].open(*m_books);
        QVERIFY(shown);
        QStringList foreign;
        for (const QString &text : WindowTexts(shown))
            if (const QString word = ForeignWord(text); !word.isEmpty())
                foreign << word + u" in \""_s + text + u'"';
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u"; "_s)));
        CloseAll(shown);
    }

    // Every command of every window has a key: an Alt letter of its caption, none of them twice in
    // the window and none on a key of the main window's navigation column, or a key of its own.
    void everyCommandOfEveryWindowHasAKey_data() { everyWindowsPageNamesItsCaptionsAndF1OpensIt_data(); }
    void everyCommandOfEveryWindowHasAKey()
    {
        QFETCH(QString, window);
        QFETCH(int, state);
        const WindowOpener *opener = nullptr;
        for (const WindowOpener &o : ProgramWindowOpeners())
            if (o.windowClass == window)
                opener = &o;
        QPointer<QWidget> shown = opener->states[state].open(*m_books);
        QVERIFY(shown);
        AssignAccelerators(shown);
        QStringList letters, keyless;
        for (QWidget *command : WindowCommands(shown)) {
            // A radio button is chosen with the arrows inside its group, a check box with Space.
            if (!command->isVisibleTo(shown) || !CommandKey(command).isEmpty() || qobject_cast<QRadioButton *>(command)
                || qobject_cast<QCheckBox *>(command))
                continue;
            const QChar letter = AcceleratorOf(command);
            const QString name = QString::fromLatin1(command->metaObject()->className()) + u' '
                                 + (qobject_cast<QAbstractButton *>(command) ? qobject_cast<QAbstractButton *>(command)->text()
                                                                            : qobject_cast<QLabel *>(command)->text());
            // A button with a symbol alone (an arrow) is reached by Tab.
            if (letter.isNull() && !HasLetter(PlainCaption(name.section(u' ', 1))))
                continue;
            if (letter.isNull() || ClashesWithNavigationKeys(letter) || letters.contains(letter))
                keyless << name;
            letters << letter;
        }
        if (window != u"TForm1"_s)  // the main window's own column is the navigation keys
            QVERIFY2(keyless.isEmpty(), qPrintable(keyless.join(u" | "_s)));
        CloseAll(shown);
    }

    // Qt's own buttons and dialogs speak Bulgarian once the program has installed Qt's catalogue.
    void qtsOwnTextsAreBulgarian()
    {
        QVERIFY(InstallQtTranslations(*qApp));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes
                             | QDialogButtonBox::No | QDialogButtonBox::Save);
        for (QAbstractButton *b : box.buttons())
            QVERIFY2(ForeignWord(b->text()).isEmpty() && HasLetter(b->text()), qPrintable(b->text()));
        QCOMPARE(PlainCaption(box.button(QDialogButtonBox::Cancel)->text()), u"Отказ"_s);
    }

    void theForeignWordsAreFound_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::newRow("Bulgarian") << u"Запис на дискета"_s << QString();
        QTest::newRow("a key") << u"Клавиш: Ctrl+Enter"_s << QString();
        QTest::newRow("a file") << u"C:\\Orvalis\\Data\\Firm1"_s << QString();
        QTest::newRow("a file name") << u"dnevnik.txt"_s << QString();
        QTest::newRow("the zoom") << u"Page Width"_s << QString();
        QTest::newRow("an English word") << u"Показвай ShowMeInDockState"_s << u"ShowMeInDockState"_s;
        QTest::newRow("Qt's own") << u"&Cancel"_s << u"Cancel"_s;
        QTest::newRow("a Latin letter in a word") << u"Cмeтка"_s << u"Cмeтка"_s;
    }
    void theForeignWordsAreFound()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QCOMPARE(ForeignWord(text), word);
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
