// The message window, the error hook that shows unhandled errors in it, and the progress window.
#include "app/TErrorHook.h"
#include "app/TProgressForm.h"
#include "app/TSMForm.h"
#include "engine/Errors.h"
#include "engine/Messages.h"

#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Runs `action` on the message window as soon as a modal call has shown it.
void WhenMessageWindowShown(const std::function<void(TSMForm *)> &action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<TSMForm *>(w); form && form->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(form);
                return;
            }
        }
    });
    poll->start();
}

int LeftInWindow(const QWidget *child, const QWidget *window) { return child->mapTo(window, QPoint(0, 0)).x(); }

class ThrowingObject : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw MyException(u"Грешка в обработчик"_s);
        return QObject::event(event);
    }
};

}  // namespace

class SMFormTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_recorder = MessageRecorder();
        m_previousSink = Messages::install(&m_recorder);
    }
    void cleanup()
    {
        delete TErrorHook::installed();
        SetUnhandledErrorHandler({});
        Messages::install(m_previousSink);
    }

    void questionAnswers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::newRow("Да") << u"yes"_s << Messages::Yes;
        QTest::newRow("Не") << u"no"_s << Messages::No;
        QTest::newRow("close glyph counts as Не") << u"glyph"_s << Messages::No;
        QTest::newRow("Enter is Да") << u"enter"_s << Messages::Yes;
        QTest::newRow("Esc is Не") << u"escape"_s << Messages::No;
    }
    void questionAnswers()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        SMFormSink sink;
        ScopedMessageSink installed(&sink);
        QString shownText;
        WhenMessageWindowShown([&](TSMForm *form) {
            shownText = form->text();
            if (how == u"yes"_s)
                form->yesButton()->click();
            else if (how == u"no"_s)
                form->noButton()->click();
            else if (how == u"glyph"_s)
                form->closeGlyph()->click();
            else if (how == u"enter"_s)
                QTest::keyClick(form, Qt::Key_Return);
            else
                QTest::keyClick(form, Qt::Key_Escape);
        });
        QCOMPARE(Messages::ask(u"Първи ред\rВтори ред?"_s), answer);
        QCOMPARE(shownText, u"Първи ред\nВтори ред?"_s);
    }

    void messageReturnsWhicheverWayItIsClosed_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Да") << false;
        QTest::newRow("Esc") << true;
    }
    void messageReturnsWhicheverWayItIsClosed()
    {
        QFETCH(bool, byEscape);
        bool wasMessage = false;
        WhenMessageWindowShown([&](TSMForm *form) {
            wasMessage = form->kind() == TSMForm::Kind::Message;
            if (byEscape)
                QTest::keyClick(form, Qt::Key_Escape);
            else
                form->yesButton()->click();
        });
        TSMForm::ShowMessage(u"Записът е направен."_s);
        QVERIFY(wasMessage);
    }

    void layoutOfBothModes_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("text");
        const QString longText = u"Много дълъг текст, който не се побира на един ред и трябва да се пренесе "
                                 "на няколко реда в рамките на етикета на прозореца за съобщения."_s;
        for (bool question : {false, true}) {
            const char *mode = question ? "question" : "message";
            QTest::addRow("%s, short", mode) << question << u"Да?"_s;
            QTest::addRow("%s, long", mode) << question << longText;
            QTest::addRow("%s, several lines", mode) << question << u"Ред 1\rРед 2\r\rРед 4\r"_s;
        }
    }
    void layoutOfBothModes()
    {
        QFETCH(bool, question);
        QFETCH(QString, text);
        TSMForm form(text, question ? TSMForm::Kind::Question : TSMForm::Kind::Message);
        form.open();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QCOMPARE(form.size(), QSize(408, 142));
        QCOMPARE(form.caption(), u"Съобщение:"_s);
        const QSize desktop = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(form.pos(), QPoint((desktop.width() - 408) / 2, (desktop.height() - 142) / 2));

        const QWidget *yes = form.yesButton();
        const QWidget *no = form.noButton();
        if (question) {
            const int yesLeft = qRound((408 - yes->width() - no->width() - 15) / 2.0);
            QCOMPARE(LeftInWindow(yes, &form), yesLeft);
            QCOMPARE(LeftInWindow(no, &form), yesLeft + yes->width() + 15);
            QVERIFY(no->isVisible());
            QVERIFY(form.closeGlyph()->isVisible());
        } else {
            QCOMPARE(LeftInWindow(yes, &form), qRound((408 - yes->width()) / 2.0));
            QVERIFY(!no->isVisible());
            QVERIFY(!form.closeGlyph()->isVisible());
        }
        // However long the text, the label keeps its box and the window its size.
        const QLabel *label = nullptr;
        for (const QLabel *l : form.findChildren<QLabel *>())
            if (l->text() == TSMForm::DisplayText(text))
                label = l;
        QVERIFY(label);
        QCOMPARE(label->size(), QSize(326, 72));
        QVERIFY(label->wordWrap());
        QVERIFY(!label->text().contains(u'\r'));
        form.reject();
    }

    void hookShowsErrorText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("engine error, known and unknown code")
            << u"engine"_s
            << u"Грешка при запис10241: Записа се използва(е заключен) от друг потребител!\rengine text\r"_s;
        QTest::newRow("program error shows its own text") << u"program"_s << u"Сметката не е открита"_s;
        QTest::newRow("other error shows its description") << u"other"_s << u"disk full"_s;
    }
    void hookShowsErrorText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        new TErrorHook(qApp);
        const bool ok = RunGuarded([&] {
            if (kind == u"engine"_s)
                throw EngineError(u"Грешка при запис"_s, {{10241, u"x"_s}, {9999, u"engine text"_s}});
            if (kind == u"program"_s)
                throw MyException(u"Сметката не е открита"_s);
            throw std::runtime_error("disk full");
        });
        QVERIFY(!ok);
        QCOMPARE(m_recorder.shown, QStringList{expected});
    }

    void commandThatSucceedsShowsNothing()
    {
        new TErrorHook(qApp);
        int runs = 0;
        QVERIFY(RunGuarded([&] { ++runs; }));
        QCOMPARE(runs, 1);
        QVERIFY(m_recorder.shown.isEmpty());
    }

    void errorEscapingAnEventHandlerReachesTheHook()
    {
        new TErrorHook(qApp);
        ThrowingObject target;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&target, &event);
        QCOMPARE(m_recorder.shown, QStringList{u"Грешка в обработчик"_s});
    }

    void newHookFreesTheOldOneAndRestoresOnRemoval()
    {
        QStringList beforeHooks;
        SetUnhandledErrorHandler([&](const std::exception &e) { beforeHooks << QString::fromUtf8(e.what()); });
        QPointer<TErrorHook> first = new TErrorHook(qApp);
        QPointer<TErrorHook> second = new TErrorHook(qApp);
        QVERIFY(first.isNull());
        QCOMPARE(TErrorHook::installed(), second.data());

        RunGuarded([] { throw MyException(u"през куката"_s); });
        QCOMPARE(m_recorder.shown, QStringList{u"през куката"_s});

        delete second;
        QVERIFY(!TErrorHook::installed());
        RunGuarded([] { throw MyException(u"след куката"_s); });
        QCOMPARE(beforeHooks, QStringList{u"след куката"_s});
        QCOMPARE(m_recorder.shown.size(), 1);
    }

    void whileTerminatingErrorsGoToThePreviousHandler()
    {
        QStringList previous;
        SetUnhandledErrorHandler([&](const std::exception &e) { previous << QString::fromUtf8(e.what()); });
        auto *hook = new TErrorHook(qApp);
        hook->setTerminating(true);
        RunGuarded([] { throw MyException(u"при изход"_s); });
        QCOMPARE(previous, QStringList{u"при изход"_s});
        QVERIFY(m_recorder.shown.isEmpty());
    }

    void hookRestoresTheCursorAndStayOnTopWindows()
    {
        new TErrorHook(qApp);
        TProgressForm progress;
        progress.show();
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);

        // What the user faces while the message is up.
        struct Probe : MessageSink {
            QWidget *window = nullptr;
            bool onTopDuringMessage = true;
            bool cursorDuringMessage = true;
            void show(const QString &) override
            {
                onTopDuringMessage = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                cursorDuringMessage = QGuiApplication::overrideCursor() != nullptr;
            }
            int ask(const QString &) override { return Messages::No; }
        } probe;
        probe.window = &progress;
        ScopedMessageSink installed(&probe);

        RunGuarded([] { throw MyException(u"грешка"_s); });
        QVERIFY(!probe.cursorDuringMessage);
        QVERIFY(!probe.onTopDuringMessage);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(progress.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(progress.isVisible());
    }

    void progressWindowMessage()
    {
        TProgressForm progress;
        QCOMPARE(progress.message(), u"Моля изчакате!"_s);
        QCOMPARE(progress.heading(), u"Изготвяне на отчета, моля изчакайте"_s);
        progress.setMessage(u"Сметка 411"_s);
        QCOMPARE(progress.message(), u"Сметка 411"_s);
        progress.setRange(0, 40);
        progress.setValue(30);
        QCOMPARE(progress.value(), 30);
        QVERIFY(progress.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(progress.windowFlags().testFlag(Qt::FramelessWindowHint));
    }

private:
    MessageRecorder m_recorder;
    MessageSink *m_previousSink = nullptr;
};

int main(int argc, char *argv[])
{
    // The program's own application object, whose notify() catches what an event handler throws.
    OrvalisApplication app(argc, argv);
    SMFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_smform_ui.moc"
