// The year closing from the main window: its window with the accounts left open and the option
// for 123, the question before a repeat closing, and the next year's firm opened on request.
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "closing/TFinishForm.h"
#include "demo/DemoFirm.h"
#include "firms/TFirmForm.h"
#include "shell/MainWindowModel.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool ShowOnFirm(TForm1 &window, int firmId)
{
    WhenShown<TFirmForm>([firmId](TFirmForm *form) {
        form->selectFirm(firmId);
        form->chooseCurrent();
    });
    window.show();
    window.activateWindow();
    return QTest::qWaitFor([&] { return !window.headerText().isEmpty(); }, 5000);
}

// Runs "Приключване" with the accounts left open typed as `leftOpen`.
void CloseFromTheWindow(TForm1 &window, const QString &leftOpen, bool resultBroughtForward)
{
    WhenShown<TFinishForm>([=](TFinishForm *form) {
        form->leftOpenEdit()->setText(leftOpen);
        form->resultBox()->setChecked(resultBroughtForward);
        form->closeButton()->click();
    });
    window.navigationButton(u"    Приключване"_s)->click();
}

}  // namespace

class FinishFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
    }

    void theWindowTakesTheAccountsLeftOpenAndTheResultOption()
    {
        TestFixture f;
        FirmRecord firm;
        firm.Firm_Name = u"Тест ООД"_s;
        firm.Firm_Period = 2026;
        TFinishForm form(firm);
        QCOMPARE(form.leftOpenEdit()->text(), u"611, 612, 613"_s);
        QVERIFY(form.resultBox()->isChecked());
        form.leftOpenEdit()->setText(u"611, шестстотин"_s);
        QVERIFY(!form.accept_());
        QCOMPARE(f.messages.shown.size(), 1);
        form.leftOpenEdit()->setText(u"611 613"_s);
        form.resultBox()->setChecked(false);
        QVERIFY(form.accept_());
        QCOMPARE(form.options().leftOpen, (QList<int>{611, 613}));
        QVERIFY(!form.options().resultBroughtForward);
    }

    void closingTheLastLevaYearAsksForTheDifferenceAndStaffAccounts()
    {
        TestFixture f;
        FirmRecord firm;
        firm.Firm_Name = u"Лева ООД"_s;
        firm.Firm_Period = 2026;
        QVERIFY(!TFinishForm(firm).differenceAccountEdit());  // euro into euro: nothing to convert
        firm.Firm_Period = 2025;
        bool listShown = false;
        TFinishForm form(firm, nullptr, {425}, [&] { listShown = true; });
        QCOMPARE(form.differenceAccountEdit()->text(), u"122"_s);
        QCOMPARE(form.staffAccountsEdit()->text(), u"425"_s);
        form.differenceAccountEdit()->setText(u"122, 123"_s);
        QVERIFY(!form.accept_());
        QCOMPARE(f.messages.shown.size(), 1);
        form.differenceAccountEdit()->setText(u"123"_s);
        form.staffAccountsEdit()->setText(u"425 4211"_s);
        QVERIFY(form.accept_());
        QCOMPARE(form.options().differenceAccount, 123);
        QCOMPARE(form.options().staffAccounts.value_or(QList<int>{}), (QList<int>{425, 4211}));
        form.listButton()->click();
        QVERIFY(listShown);
    }

    void closingFromTheMainWindowAndAgainAfterAsking()
    {
        TestFixture f;
        const int demo = EnsureDemoFirm(f.fd, 2026);
        TForm1 window(f.fd, f.dm);
        QVERIFY(ShowOnFirm(window, demo));

        f.messages.answers = {Messages::No};  // not opening the new firm
        CloseFromTheWindow(window, u"611, 612, 613"_s, true);
        QCOMPARE(f.fd.Firms().size(), 2);
        QCOMPARE(f.messages.asked.last(), YearClosedQuestion(f.fd.Firms().last()));
        const auto first = ClosedBefore(f.dm.db());
        QVERIFY(first.has_value());

        f.messages.answers = {Messages::No};  // the repeat is not wanted
        CloseFromTheWindow(window, u"611, 612, 613"_s, true);
        QCOMPARE(f.messages.asked.last(), RepeatClosingQuestion(*first, 2026));
        QCOMPARE(ClosedBefore(f.dm.db())->docNo, first->docNo);

        f.messages.answers = {Messages::Yes, Messages::Yes};  // repeat, then open the next year
        CloseFromTheWindow(window, u"611, 612, 613"_s, true);
        QCOMPARE(f.fd.Firms().size(), 2);
        QCOMPARE(f.messages.asked.last(), YearClosedQuestion(f.fd.Firms().last(), true));
        QVERIFY(QTest::qWaitFor([&] { return window.headerText().contains(u"2027"_s); }, 5000));
        QCOMPARE(f.dm.DateOt(), QDate(2027, 1, 1));
    }
};

QTEST_MAIN(FinishFormTest)
#include "tst_finishform_ui.moc"
