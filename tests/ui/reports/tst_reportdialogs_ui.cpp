// The report period dialog, the report options dialog and the launcher of the main window's
// reports, on the offscreen platform: defaults, the order of each dialog's checks, "Давай" that
// runs again and again, refused page numbers, and the previews the launcher opens.
#include "app/TErrorHook.h"
#include "demo/DemoFirm.h"
#include "registry/FirmChoice.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/GeneralLedger.h"
#include "reports/TRepDateForm.h"
#include "reports/TReportSetForm.h"
#include "reports/TrialBalance.h"
#include "reports/TViewerForm.h"
#include "reports/UiReportLauncher.h"
#include "support/TestFixture.h"
#include "support/Viewers.h"
#include "widgets/DateBox.h"
#include "widgets/PageView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

QDate D(const QString &text) { return QDate::fromString(text, u"dd.MM.yyyy"_s); }

const ReportingPeriod Year2026{QDate(2026, 1, 1), QDate(2026, 12, 31)};

void RejectOpenDialogs()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<TitleStripDialog *>(w); dialog && dialog->isVisible())
            dialog->reject();
}

// Runs `action` on the first visible window of type W once a modal call has shown it; should
// none appear within ten seconds every open dialog is rejected, so a test fails instead of
// hanging.
template <class W>
void WhenShown(std::function<void(W *)> action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action, waited] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<W *>(w); window && window->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(window);
                return;
            }
        }
        if (waited->elapsed() > 10000) {
            poll->stop();
            poll->deleteLater();
            RejectOpenDialogs();
        }
    });
    poll->start();
}

// Rejects whatever dialog is still open when it fires: a call that should have refused to
// open one then fails the test instead of hanging it.
class Watchdog {
public:
    Watchdog()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            fired = true;
            RejectOpenDialogs();
        });
        m_timer.start(3000);
    }
    bool fired = false;

private:
    QTimer m_timer;
};

QString TextOf(rk::ReportJob &job)
{
    rk::PageStore pages;
    rk::RunReport(job, pages);
    return rk::ReportText(pages.count(), [&](int i) { return pages.page(i); });
}

bool WaitMade(TViewerForm *v) { return QTest::qWaitFor([v] { return !v->generating(); }, 60000); }

void OpenDemo(TestFixture &f)
{
    const int id = EnsureDemoFirm(f.fd, 2026);
    if (!OpenFirm(f.fd, f.dm, *f.fd.Firm(id)).opened)
        qFatal("the demo firm did not open");
}

}  // namespace

class ReportDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    // --- report period dialog ---

    void thePeriodDialogStartsFromTheDefaults_data()
    {
        QTest::addColumn<int>("yearsBack");
        QTest::addColumn<QDate>("end");
        const QDate today = QDate::currentDate();
        QTest::newRow("today inside the period") << 0 << today;
        QTest::newRow("today after the period") << 1 << QDate(today.year() - 1, 12, 31);
        QTest::newRow("today before the period") << -1 << QDate(today.year() + 1, 12, 31);
    }
    void thePeriodDialogStartsFromTheDefaults()
    {
        QFETCH(int, yearsBack);
        QFETCH(QDate, end);
        const int year = QDate::currentDate().year() - yearsBack;
        const ReportingPeriod period{QDate(year, 1, 1), QDate(year, 12, 31)};
        TRepDateForm form(period);
        QCOMPARE(form.caption(), u"    Избор на период:"_s);
        QCOMPARE(form.fromEdit()->text(), u"01.01.%1"_s.arg(year));
        QCOMPARE(form.toEdit()->date(), end);
        QCOMPARE(form.toEdit()->text(), end.toString(u"dd.MM.yyyy"_s));
        QVERIFY(form.fromEdit()->calendarPopup());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.fromEdit());
    }

    void theStatementViewsDatesReplaceTheDefaults()
    {
        TRepDateForm form(Year2026, ReportPeriodDefaults{QDate(2026, 3, 1), QDate(2026, 3, 31)});
        QCOMPARE(form.fromEdit()->text(), u"01.03.2026"_s);
        QCOMPARE(form.toEdit()->text(), u"31.03.2026"_s);
    }

    void thePeriodDialogChecksThePeriodFirst_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("partly outside and reversed") << u"01.02.2026"_s << u"01.12.2025"_s << PeriodMessage;
        QTest::newRow("reversed inside") << u"02.02.2026"_s << u"01.02.2026"_s << EndBeforeStartMessage;
        QTest::newRow("end after the period") << u"01.12.2026"_s << u"05.01.2027"_s << PeriodMessage;
        QTest::newRow("start equals end") << u"05.05.2026"_s << u"05.05.2026"_s << QString();
        QTest::newRow("the whole period") << u"01.01.2026"_s << u"31.12.2026"_s << QString();
    }
    void thePeriodDialogChecksThePeriodFirst()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        MessageRecorder messages;
        ScopedMessageSink sink(&messages);
        TRepDateForm form(Year2026);
        form.fromEdit()->setDate(D(from));
        form.toEdit()->setDate(D(to));
        form.show();
        QTest::mouseClick(form.okButton(), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(messages.shown.isEmpty());
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QVERIFY(!form.isVisible());
            QCOMPARE(form.dates().from, D(from));
            QCOMPARE(form.dates().to, D(to));
        } else {
            QCOMPARE(messages.shown, QStringList{message});
            QVERIFY(form.isVisible());
            QCOMPARE(form.fromEdit()->text(), from);
            QCOMPARE(form.toEdit()->text(), to);
        }
    }

    // Keys typed into the period dialog: Ctrl+A and a date replace the field's date, Tab leaves
    // the field whole, and a date that is not whole or not real is refused with its message.
    void typedDatesAreTakenWhole_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("a whole date") << u"31.12.2026"_s << QString();
        QTest::newRow("a year of one digit") << u"01.03.1"_s << InvalidDateMessage;
        QTest::newRow("no such day") << u"31.02.2026"_s << InvalidDateMessage;
        QTest::newRow("a letter for a digit") << u"3l.12.2026"_s << InvalidDateMessage;
    }
    void typedDatesAreTakenWhole()
    {
        QFETCH(QString, keys);
        QFETCH(QString, message);
        MessageRecorder messages;
        ScopedMessageSink sink(&messages);
        TRepDateForm form(Year2026, ReportPeriodDefaults{QDate(2026, 1, 1), QDate(2026, 6, 30)});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.fromEdit());
        QTest::keyClick(form.fromEdit(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.toEdit());
        QTest::keyClick(form.toEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form.toEdit(), keys);
        QTest::keyClick(form.toEdit(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != form.toEdit());  // Tab leaves the field
        QCOMPARE(form.toEdit()->text(), keys);
        QTest::mouseClick(form.okButton(), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(messages.shown.isEmpty());
            QCOMPARE(form.dates().to, D(keys));
        } else {
            QCOMPARE(messages.shown, QStringList{message});
            QVERIFY(form.isVisible());
            QCOMPARE(form.toEdit()->text(), keys);  // kept to be put right
        }
    }

    // The calendar still drops down (Alt+Down) and writes the chosen date into the field.
    void theCalendarWritesItsDate()
    {
        TRepDateForm form(Year2026, ReportPeriodDefaults{QDate(2026, 1, 1), QDate(2026, 6, 30)});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        DateBox *to = form.toEdit();
        to->setFocus();
        QTest::keyClick(to, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(to->calendar()->isVisible());
        QCOMPARE(to->calendar()->selectedDate(), QDate(2026, 6, 30));
        to->calendar()->setSelectedDate(QDate(2026, 7, 15));
        QTest::keyClick(to->calendar()->focusWidget() ? to->calendar()->focusWidget() : to->calendar(), Qt::Key_Return);
        QTRY_VERIFY(!to->calendar()->isVisible());
        QCOMPARE(to->text(), u"15.07.2026"_s);
        QCOMPARE(to->date(), QDate(2026, 7, 15));
    }

    void askGivesTheDatesOnlyThroughOk_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<bool>("answered");
        QTest::newRow("OK") << u"OK"_s << true;
        QTest::newRow("Изход") << u"Изход"_s << false;
        QTest::newRow("close glyph") << u"glyph"_s << false;
    }
    void askGivesTheDatesOnlyThroughOk()
    {
        QFETCH(QString, leave);
        QFETCH(bool, answered);
        WhenShown<TRepDateForm>([leave](TRepDateForm *form) {
            form->fromEdit()->setDate(QDate(2026, 2, 1));
            form->toEdit()->setDate(QDate(2026, 2, 28));
            QAbstractButton *button = leave == u"OK"_s      ? static_cast<QAbstractButton *>(form->okButton())
                                      : leave == u"Изход"_s ? static_cast<QAbstractButton *>(form->exitButton())
                                                            : form->closeGlyph();
            QTest::mouseClick(button, Qt::LeftButton);
        });
        const auto dates = TRepDateForm::Ask(Year2026, nullptr);
        QCOMPARE(dates.has_value(), answered);
        if (answered) {
            QCOMPARE(dates->from, QDate(2026, 2, 1));
            QCOMPARE(dates->to, QDate(2026, 2, 28));
        }
    }

    // --- report options dialog ---

    void theTrialBalancePageOpensWithItsDefaults()
    {
        TestFixture f;
        f.openNewFirm();
        TReportSetForm form(f.dm, u"Тест ООД"_s);
        QVERIFY(form.begin(TReportSetForm::TrialBalance));
        QCOMPARE(form.caption(), u"Справки"_s);
        QCOMPARE(form.pages()->currentWidget(), form.obFromEdit()->parentWidget()->parentWidget());
        const ReportPeriodDefaults defaults = DefaultReportPeriod(ReadPeriod(f.dm.db()));
        QCOMPARE(form.obFromEdit()->date(), defaults.from);
        QCOMPARE(form.obToEdit()->date(), defaults.to);
        QCOMPARE(form.obAccountBox()->currentText(), u"Всички"_s);
        QCOMPARE(form.obAccountBox()->count(), f.dm.db().scalar(u"select count(*) from s"_s).toInt() + 1);
        QCOMPARE(form.obAccountBox()->itemText(1).section(u' ', 0, 0).toInt(), form.obAccountBox()->itemData(1).toInt());
        QVERIFY(form.valueButton()->isChecked());
        QVERIFY(!form.quantityButton()->isChecked());
        QVERIFY(form.usedOnlyBox()->isChecked());
        QVERIFY(form.clearButton()->isHidden());
        const TrialBalanceOptions o = form.trialBalanceOptions();
        QCOMPARE(o.account, 0);
        QVERIFY(o.usedOnly);
        QVERIFY(!o.quantity);
        QCOMPARE(o.firmName, u"Тест ООД"_s);
    }

    void theOptionsDialogChecksTheOrderOfTheDatesFirst_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("partly outside and reversed") << u"01.02.2026"_s << u"01.12.2025"_s << EndBeforeStartMessage;
        QTest::newRow("end after the period") << u"01.12.2026"_s << u"05.01.2027"_s << PeriodMessage;
        QTest::newRow("start before the period") << u"31.12.2025"_s << u"05.01.2026"_s << PeriodMessage;
        QTest::newRow("start equals end") << u"05.05.2026"_s << u"05.05.2026"_s << QString();
    }
    void theOptionsDialogChecksTheOrderOfTheDatesFirst()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm(u"Тест ООД"_s, 2026);
        ViewerSweep sweep;
        TReportSetForm form(f.dm, u"Тест ООД"_s);
        QVERIFY(form.begin(TReportSetForm::TrialBalance));
        form.show();
        form.obFromEdit()->setDate(D(from));
        form.obToEdit()->setDate(D(to));
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(form.obFromEdit()->text(), from);
        QCOMPARE(form.obToEdit()->text(), to);
        if (message.isEmpty()) {
            QVERIFY(f.messages.shown.isEmpty());
            QCOMPARE(Viewers().size(), 1);
        } else {
            QCOMPARE(f.messages.shown, QStringList{message});
            QVERIFY(Viewers().isEmpty());
        }
    }

    // The options dialog takes what is typed into its date fields as the report's dates.
    void theOptionsDialogTakesTypedDates_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("a whole date") << u"31.03.2026"_s << QString();
        QTest::newRow("a partial year") << u"01.03.1"_s << InvalidDateMessage;
    }
    void theOptionsDialogTakesTypedDates()
    {
        QFETCH(QString, keys);
        QFETCH(QString, message);
        TestFixture f;
        f.openNewFirm(u"Тест ООД"_s, 2026);
        ViewerSweep sweep;
        TReportSetForm form(f.dm, u"Тест ООД"_s);
        QVERIFY(form.begin(TReportSetForm::TrialBalance));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.obFromEdit());
        QTest::keyClick(form.obFromEdit(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.obToEdit());
        QTest::keyClick(form.obToEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form.obToEdit(), keys);
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(f.messages.shown.isEmpty());
            QCOMPARE(form.trialBalanceOptions().to, D(keys));
            QCOMPARE(Viewers().size(), 1);
        } else {
            QCOMPARE(f.messages.shown, QStringList{message});
            QVERIFY(Viewers().isEmpty());
        }
    }

    void goRunsTheReportAsThePageStandsEachTimeAndTheDialogStays()
    {
        TestFixture f;
        OpenDemo(f);
        ViewerSweep sweep;
        TReportSetForm form(f.dm, DemoFirmName);
        QVERIFY(form.begin(TReportSetForm::TrialBalance));
        form.show();
        form.obFromEdit()->setDate(QDate(2026, 1, 1));
        form.obToEdit()->setDate(QDate(2026, 6, 30));
        form.quantityButton()->setChecked(true);
        form.usedOnlyBox()->setChecked(false);
        const int index = form.obAccountBox()->findData(304);
        QVERIFY(index > 0);
        form.obAccountBox()->setCurrentIndex(index);

        QList<QPointer<TViewerForm>> runs;
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(form.goButton(), Qt::LeftButton);
            QVERIFY(form.isVisible());
            QCOMPARE(Viewers().size(), i + 1);
            for (TViewerForm *v : Viewers())
                if (!runs.contains(v))
                    runs << v;
        }
        QCOMPARE(runs.size(), 2);
        TrialBalanceJob direct(f.dm.db(), {QDate(2026, 1, 1), QDate(2026, 6, 30), DemoFirmName, 304, false, true});
        const QString expected = TextOf(direct);
        QVERIFY(expected.contains(u"304"_s));
        for (const QPointer<TViewerForm> &v : runs) {
            QVERIFY(WaitMade(v));
            QCOMPARE(v->reportText(), expected);
            QVERIFY(v->pageView()->page()->setup.landscape);
        }
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), 0);
    }

    void theOptionsDialogRefusesPagesItDoesNotHave_data()
    {
        QTest::addColumn<int>("page");
        for (int page : {-1, 4, 9})
            QTest::addRow("page %d", page) << page;
    }
    void theOptionsDialogRefusesPagesItDoesNotHave()
    {
        QFETCH(int, page);
        TestFixture f;
        f.openNewFirm();
        Watchdog watchdog;
        TReportSetForm::Run(f.dm, u"Тест ООД"_s, page, nullptr);
        QVERIFY(!watchdog.fired);
        QCOMPARE(f.messages.shown, QStringList{UnknownReportMessage});

        TReportSetForm form(f.dm, u"Тест ООД"_s);
        QVERIFY(!form.begin(page));
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown.last(), UnknownReportMessage);
    }

    // --- launcher ---

    void onlyTheReportsThatArrivedAreAvailable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("available");
        for (int code = 0; code <= 8; ++code)
            QTest::addRow("code %d", code) << code << true;
    }
    void onlyTheReportsThatArrivedAreAvailable()
    {
        QFETCH(int, code);
        QFETCH(bool, available);
        QCOMPARE(ReportAvailable(code), available);
    }

    void theTrialBalanceOfTheDemoFirmPreviewsAsItsOwnTextReads()
    {
        TestFixture f;
        OpenDemo(f);
        ViewerSweep sweep;
        QString previewed;
        bool finished = false;
        WhenShown<TReportSetForm>([&](TReportSetForm *form) {
            QTest::mouseClick(form->goButton(), Qt::LeftButton);
            QCOMPARE(Viewers().size(), 1);
            TViewerForm *v = Viewers().first();
            finished = WaitMade(v);
            previewed = v->reportText();
            QVERIFY(form->isVisible());
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        });
        LaunchReport(f.fd, f.dm, 3, nullptr);
        QVERIFY(finished);
        // The preview outlives the dialog it was run from.
        QCOMPARE(Viewers().size(), 1);
        QVERIFY(Viewers().first()->isVisible());
        QCOMPARE(Viewers().first()->windowTitle(), u"Оборотна ведомост"_s);

        const ReportPeriodDefaults dates = DefaultReportPeriod(ReadPeriod(f.dm.db()));
        TrialBalanceJob direct(f.dm.db(), {dates.from, dates.to, DemoFirmName});
        const QString expected = TextOf(direct);
        QVERIFY(expected.contains(DemoFirmName));
        QCOMPARE(previewed, expected);
        QVERIFY(f.messages.shown.isEmpty());
    }

    void theGeneralLedgerAsksForThePeriodAndPreviews()
    {
        TestFixture f;
        OpenDemo(f);
        ViewerSweep sweep;
        WhenShown<TRepDateForm>([](TRepDateForm *form) {
            form->fromEdit()->setDate(QDate(2026, 2, 1));
            form->toEdit()->setDate(QDate(2026, 4, 30));
            QTest::mouseClick(form->okButton(), Qt::LeftButton);
        });
        LaunchReport(f.fd, f.dm, 4, nullptr);
        QCOMPARE(Viewers().size(), 1);
        TViewerForm *v = Viewers().first();
        QVERIFY(WaitMade(v));
        GeneralLedgerJob direct(f.dm.db(), {QDate(2026, 2, 1), QDate(2026, 4, 30), DemoFirmName});
        QCOMPARE(v->reportText(), TextOf(direct));
        QCOMPARE(v->windowTitle(), u"Главна книга"_s);
    }

    void theGeneralLedgerWithoutDataSaysSoAndOpensNoPreview()
    {
        TestFixture f;
        f.openNewFirm();
        ViewerSweep sweep;
        WhenShown<TRepDateForm>([](TRepDateForm *form) { QTest::mouseClick(form->okButton(), Qt::LeftButton); });
        LaunchReport(f.fd, f.dm, 4, nullptr);
        QCOMPARE(f.messages.shown, QStringList{NoLedgerDataMessage});
        QTest::qWait(20);
        QVERIFY(Viewers().isEmpty());
    }

    void aReportThatHasNotArrivedIsRefused_data()
    {
        QTest::addColumn<int>("code");
        for (int code : {-1, 9})
            QTest::addRow("code %d", code) << code;
    }
    void aReportThatHasNotArrivedIsRefused()
    {
        QFETCH(int, code);
        TestFixture f;
        f.openNewFirm();
        Watchdog watchdog;
        LaunchReport(f.fd, f.dm, code, nullptr);
        QVERIFY(!watchdog.fired);
        QCOMPARE(f.messages.shown, QStringList{UnknownReportMessage});
    }
};

QTEST_MAIN(ReportDialogsTest)
#include "tst_reportdialogs_ui.moc"
