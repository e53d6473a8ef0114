// The main window shell: its title and date, the firm choice on first activation, the firm
// header, and the question before it closes.
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "firms/TFirmForm.h"
#include "support/TestFixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

void WhenChoiceShown(const std::function<void(TFirmForm *)> &action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<TFirmForm *>(w); form && form->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(form);
                return;
            }
        }
    });
    poll->start();
}

// Shows the window and lets its first activation open `firmId`.
bool ShowOnFirm(TForm1 &window, int firmId)
{
    bool choiceWasAtStart = false;
    WhenChoiceShown([&](TFirmForm *form) {
        choiceWasAtStart = form->atStart();
        form->selectFirm(firmId);
        form->chooseCurrent();
    });
    window.show();
    window.activateWindow();
    return QTest::qWaitFor([&] { return !window.headerText().isEmpty(); }, 5000) && choiceWasAtStart;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
    }

    void titleAndDate()
    {
        TestFixture f;
        TForm1 window(f.fd, f.dm);
        QCOMPARE(window.windowTitle(), u"Orvalis--V1.0.2"_s);
        QCOMPARE(window.dateText(), u"Дата: "_s + QDate::currentDate().toString(u"dd.MM.yyyy"_s));
        for (const QString &entry : {u"    Сметкоплан"_s, u"    Аналитични нива"_s, u"    Осчетоводяване"_s,
                                     u"    Избор на фирма"_s, u"    Справки"_s, u"    Приключване"_s, u"    Помощ"_s})
            QVERIFY2(window.navigationButton(entry), qPrintable(entry));
        // Nothing to act on before a firm is open.
        window.navigationButton(u"    Сметкоплан"_s)->click();
        QCOMPARE(window.mode(), MainMode::None);
        QVERIFY(!window.addButton()->isEnabled());
    }

    void firstActivationChoosesTheFirmAndFillsTheHeader()
    {
        TestFixture f;
        f.makeFirm(u"Друга ООД"_s, 2025);
        const int demo = f.makeFirm(u"Демо ЕООД"_s, 2026);
        TForm1 window(f.fd, f.dm);
        QVERIFY(ShowOnFirm(window, demo));
        QCOMPARE(window.headerText(), u"  Отчетен период: 2026г.  Фирма: Демо ЕООД  Валута: евро"_s);
        QVERIFY(f.dm.IsConnected());
        QVERIFY(!window.firstActivationPending());
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(window.mode(), MainMode::Chart);
        QCOMPARE(window.listTitle(), u"Сметкоплан"_s);
        QVERIFY(window.listCaptions().contains(u"501 Каса в левове"_s));
        QCOMPARE(window.list()->currentRow(), 0);
    }

    void choosingAnotherFirmLaterUpdatesTheHeader_data()
    {
        QTest::addColumn<bool>("goBack");
        QTest::addColumn<QString>("header");
        QTest::newRow("another firm chosen") << false << u"  Отчетен период: 2025г.  Фирма: Втора АД  Валута: лева"_s;
        QTest::newRow("Назад keeps the firm") << true << u"  Отчетен период: 2026г.  Фирма: Първа ООД  Валута: евро"_s;
    }
    void choosingAnotherFirmLaterUpdatesTheHeader()
    {
        QFETCH(bool, goBack);
        QFETCH(QString, header);
        TestFixture f;
        const int first = f.makeFirm(u"Първа ООД"_s, 2026);
        const int second = f.makeFirm(u"Втора АД"_s, 2025);
        TForm1 window(f.fd, f.dm);
        QVERIFY(ShowOnFirm(window, first));

        WhenChoiceShown([&](TFirmForm *form) {
            if (goBack) {
                form->button(u"Назад"_s)->click();
            } else {
                form->selectFirm(second);
                form->chooseCurrent();
            }
        });
        window.navigationButton(u"    Избор на фирма"_s)->click();
        QCOMPARE(window.headerText(), header);
        QCOMPARE(f.fd.currentFirmId, goBack ? first : second);
        QVERIFY(f.dm.IsConnected());
    }

    void closingAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Не keeps the window") << Messages::No;
        QTest::newRow("Да closes it") << Messages::Yes;
    }
    void closingAsksFirst()
    {
        QFETCH(int, answer);
        TestFixture f;
        const int id = f.makeFirm();
        TForm1 window(f.fd, f.dm);
        QVERIFY(ShowOnFirm(window, id));
        f.messages.answers = {answer};
        QCOMPARE(window.close(), answer == Messages::Yes);
        QCOMPARE(f.messages.asked, QStringList{u"Изход от програмата?"_s});
        QCOMPARE(window.isVisible(), answer == Messages::No);
    }

    void leavingTheFirstChoiceEndsWithoutAskingAgain()
    {
        TestFixture f;
        f.makeFirm();
        f.messages.answers = {Messages::Yes};
        TForm1 window(f.fd, f.dm);
        QSignalSpy terminate(&window, &TForm1::terminateRequested);
        WhenChoiceShown([](TFirmForm *form) { form->button(u"Изход "_s)->click(); });
        window.show();
        window.activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(terminate.size(), 1, 5000);
        QCOMPARE(f.messages.asked, QStringList{u"Сигурни ли сте че искате да излезете от програмата ?"_s});
        QVERIFY(!window.isVisible());
        QVERIFY(!f.dm.IsConnected());
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1_ui.moc"
