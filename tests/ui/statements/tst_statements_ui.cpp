// The statement view, the line settings window and the include-row wizard on the offscreen
// platform: the view in each of its modes and docked in the main window, the print to the
// preview, the settings cancelled and saved, and the wizard's pages.
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "app/UiProgramWindows.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/TRepDateForm.h"
#include "reports/TViewerForm.h"
#include "reports/UiReportLauncher.h"
#include "statements/IncludeRowsPanel.h"
#include "statements/StatementReport.h"
#include "statements/TAddPokForm.h"
#include "statements/TRepDataSetForm.h"
#include "statements/TReportForm.h"
#include "support/StatementBooks.h"
#include "support/Viewers.h"
#include "support/WhenShown.h"
#include "widgets/DateBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QDate From(2025, 1, 1);
const QDate To(2025, 12, 31);

QString PrintedText(const ComputedStatement &s, const QString &firm)
{
    StatementReportJob job(s, firm);
    rk::PageList pages;
    rk::RunReport(job, pages);
    return rk::ReportText(int(pages.pages.size()), [&](int i) { return pages.pages.at(i); });
}

int RowOfLine(const TReportForm *form, int lineNo)
{
    for (int r = 0; r < form->statement().lines.size(); ++r)
        if (form->statement().lines[r].line.OPR_Pok_No == lineNo)
            return r;
    return -1;
}

StatementLine LineOf(Db &registry, StatementType type, int no)
{
    for (const StatementLine &l : ReadStatementLines(registry, type))
        if (l.OPR_Pok_No == no)
            return l;
    return {};
}
}  // namespace

class StatementsUiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        new TErrorHook(qApp);
    }

    void computeOnlyShowsNothing()
    {
        StatementBooks b;
        const auto s = TReportForm::Open(b.f.fd, b.f.dm, StatementType::Income, TReportForm::ComputeOnly, From, To, nullptr);
        QVERIFY(s.has_value());
        QCOMPARE(s->line(32)->figures.thisYear.value_or(0), 8500.00);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TReportForm *>(w) || !w->isVisible());
    }

    void theModalViewShowsTheGridAndTheIncludeRows()
    {
        StatementBooks b;
        bool checked = false;
        WhenShown<TReportForm>([&](TReportForm *form) {
            QTableWidget *grid = form->grid();
            QCOMPARE(grid->columnCount(), 5);
            QCOMPARE(grid->horizontalHeaderItem(3)->text(), u"Коректив"_s);
            QCOMPARE(grid->rowCount(), 117);
            const int total = RowOfLine(form, 62);
            QCOMPARE(grid->item(total, 4)->text(), u"45200.00"_s);
            QCOMPARE(grid->item(total, 0)->background().color(), QColor(128, 128, 128));
            QCOMPARE(grid->item(RowOfLine(form, 30), 0)->background().color(), QColor(192, 192, 192));
            QVERIFY(form->selectLine(56));
            QCOMPARE(form->includePanel()->table()->rowCount(), 2);
            QCOMPARE(form->includePanel()->rowTexts(0),
                     QStringList({u"501"_s, QString(), u"Сметка - Дебитно салдо"_s, QString()}));
            QVERIFY(form->settingsButton()->isEnabled());
            bool opened = false;
            WhenShown<TRepDataSetForm>([&](TRepDataSetForm *settings) {
                opened = settings->lineLabel()->text() == u"1. Касови наличности"_s;
                QTest::mouseClick(settings->cancelButton(), Qt::LeftButton);
            });
            QTest::keyClick(grid, Qt::Key_Return);  // as a double click on the data line
            QVERIFY(opened);
            QVERIFY(form->selectLine(2));  // a heading line has no settings
            QVERIFY(!form->settingsButton()->isEnabled());
            QCOMPARE(form->includePanel()->table()->rowCount(), 0);
            checked = true;
            QTest::mouseClick(form->backButton(), Qt::LeftButton);
        });
        const auto s = TReportForm::Open(b.f.fd, b.f.dm, StatementType::Balance, TReportForm::Modal, From, To, nullptr);
        QVERIFY(checked);
        QVERIFY(s.has_value());
    }

    void refreshToTakesTheNewPeriodAndPrintPreviews()
    {
        StatementBooks b;
        ViewerSweep sweep;
        QString previewed;
        WhenShown<TReportForm>([&](TReportForm *form) {
            WhenShown<TRepDateForm>([](TRepDateForm *dates) {
                QCOMPARE(dates->fromEdit()->date(), From);
                QCOMPARE(dates->toEdit()->date(), To);
                dates->toEdit()->setDate(QDate(2025, 6, 30));
                QTest::mouseClick(dates->okButton(), Qt::LeftButton);
            });
            QVERIFY(form->refreshTo());
            QCOMPARE(form->statement().to, QDate(2025, 6, 30));
            QCOMPARE(form->statement().line(54)->figures.thisYear.value_or(0), 6500.00 + 3000);
            WhenShown<TRepDateForm>([](TRepDateForm *dates) { QTest::mouseClick(dates->okButton(), Qt::LeftButton); });
            form->print();
            QCOMPARE(Viewers().size(), 1);
            QVERIFY(QTest::qWaitFor([] { return !Viewers().first()->generating(); }, 30000));
            previewed = Viewers().first()->reportText();
            QVERIFY(previewed == PrintedText(form->statement(), u"Проверка ООД"_s));
            QTest::mouseClick(form->backButton(), Qt::LeftButton);
        });
        TReportForm::Open(b.f.fd, b.f.dm, StatementType::CashFlow, TReportForm::Modal, From, To, nullptr);
        QVERIFY(previewed.contains(u"ОТЧЕТ ЗА ПАРИЧНИЯТ  ПОТОК"_s));
        QVERIFY(previewed.contains(u"за периода от: 01.01.2025 до 30.06.2025"_s));
    }

    void theReportsListComputesForThePeriodAndPreviews()
    {
        StatementBooks b;
        b.f.fd.currentFirmId = 1;
        ViewerSweep sweep;
        WhenShown<TRepDateForm>([](TRepDateForm *dates) {
            dates->fromEdit()->setDate(From);
            dates->toEdit()->setDate(To);
            QTest::mouseClick(dates->okButton(), Qt::LeftButton);
        });
        LaunchReport(b.f.fd, b.f.dm, 1, nullptr);
        QCOMPARE(Viewers().size(), 1);
        TViewerForm *v = Viewers().first();
        QVERIFY(QTest::qWaitFor([v] { return !v->generating(); }, 30000));
        const ComputedStatement s = ComputeStatement(b.db(), b.registry(), StatementType::Income, From, To);
        QCOMPARE(v->reportText(), PrintedText(s, b.f.fd.Firm(b.f.fd.currentFirmId)->Firm_Name));
        QCOMPARE(v->windowTitle(), u"Отчет за приходи и разходи"_s);
    }

    void theMainWindowDocksTheViewAndWaitsForIt()
    {
        StatementBooks b;
        TForm1 w(b.f.fd, b.f.dm);
        InstallProgramWindows(w, b.f.fd, b.f.dm);
        w.firmChosen();
        w.enterReports();
        w.list()->setCurrentRow(2);  // "3. ОПП"
        QVERIFY(w.editButton()->isEnabled());
        bool checked = false;
        // Polled rather than waited for: the view computes inside the click below.
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            auto *view = w.statementsDockHost()->findChild<TReportForm *>();
            if (!view || !view->computed() || !view->isVisibleTo(&w))
                return;
            poll.stop();
            const auto close = qScopeGuard([view] { QTest::mouseClick(view->backButton(), Qt::LeftButton); });
            QVERIFY(w.statementViewOpen());
            QCOMPARE(view->type(), StatementType::CashFlow);
            QCOMPARE(view->statement().from, From);
            QCOMPARE(view->statement().to, To);
            QVERIFY(!w.navigationButton(u"    Сметкоплан"_s)->isEnabled());
            QVERIFY(w.navigationButton(u"    Помощ"_s)->isEnabled());
            QVERIFY(!w.addButton()->isEnabled() && !w.editButton()->isEnabled());
            w.runNavigation(NavEntry::Chart);  // refused while the view is open
            QCOMPARE(w.mode(), MainMode::Reports);
            checked = true;
        });
        poll.start();
        w.editButton()->click();
        QVERIFY(checked);
        QVERIFY(!w.statementViewOpen());
        QVERIFY(w.navigationButton(u"    Сметкоплан"_s)->isEnabled());
        QVERIFY(w.list()->isVisible() || !w.isVisible());
        QCOMPARE(w.currentKey(), std::optional<int>(2));
    }

    void cancellingTheSettingsWindowLeavesTheRowsAsTheyWere()
    {
        StatementBooks b;
        const QList<IncludeRow> before = ReadIncludeRows(b.db(), StatementType::Balance);
        TRepDataSetForm form(b.f.fd, b.f.dm, StatementType::Balance, LineOf(b.registry(), StatementType::Balance, 57));
        QVERIFY(form.start());
        QCOMPARE(form.lineLabel()->text(), u"2. Разплащателни сметки и депозити"_s);
        const int rows = form.rowsTable()->rowCount();
        WhenShown<TAddPokForm>([](TAddPokForm *wizard) {
            wizard->choices()->button(int(IncludeChoice::CurrentAmount))->click();
            QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
            QCOMPARE(wizard->page(), 3);
            QVERIFY(wizard->amountCorrection()->isVisibleTo(wizard));
            wizard->amountEdit()->setValue(150);
            QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
        });
        form.addRow();
        QCOMPARE(form.rowsTable()->rowCount(), rows + 1);
        QCOMPARE(form.rowsTable()->item(rows, 1)->text(), u"Константа отчетен период"_s);
        form.rowsTable()->setCurrentCell(0, 0);
        QTest::mouseClick(form.deleteButton(), Qt::LeftButton);
        QTest::mouseClick(form.deleteButton(), Qt::LeftButton);
        QCOMPARE(form.rowsTable()->rowCount(), rows - 1);
        QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
        QCOMPARE(ReadIncludeRows(b.db(), StatementType::Balance), before);
    }

    void savingTheSettingsWritesTheEditedRow()
    {
        StatementBooks b;
        TRepDataSetForm form(b.f.fd, b.f.dm, StatementType::Income, LineOf(b.registry(), StatementType::Income, 37));
        QVERIFY(form.start());
        QCOMPARE(form.rowsTable()->rowCount(), 1);
        WhenShown<TAddPokForm>([](TAddPokForm *wizard) {
            // Edit mode opens on the row's own choice and side.
            QCOMPARE(wizard->choices()->checkedId(), int(IncludeChoice::Account));
            QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
            QCOMPARE(wizard->page(), 2);
            QCOMPARE(wizard->sides()->checkedId(), IncludeKind::CreditTurnover);
            QCOMPARE(wizard->accountPanel()->account(), 702);
            QCOMPARE(wizard->accountPanel()->nameText(), u"Приходи от продажби на стоки"_s);
            QVERIFY(!wizard->accountCorrection()->isVisibleTo(wizard));  // never outside the balance sheet
            QVERIFY(wizard->sidesBox()->isVisibleTo(wizard) && !wizard->corrPanel()->isVisibleTo(wizard));
            wizard->sides()->button(IncludeKind::ClosingCredit)->click();
            QTest::mouseClick(wizard->nextButton(), Qt::LeftButton);
        });
        form.editRow(0);
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        const QList<IncludeRow> rows = ReadIncludeRows(b.db(), StatementType::Income, 37);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].OPR_Account_Type, IncludeKind::ClosingCredit);
        QCOMPARE(rows[0].OPR_Account_No, 702);
    }

    void aFailingRowKeepsTheSettingsOpen()
    {
        StatementBooks b;
        TRepDataSetForm form(b.f.fd, b.f.dm, StatementType::Balance, LineOf(b.registry(), StatementType::Balance, 61));
        QVERIFY(form.start());
        IncludeRow small;
        small.OPR_Account_Type = IncludeKind::PreviousYear;
        small.OPR_ConstValue = 0.4;
        form.edit().add(small);
        form.show();
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(b.f.messages.shown, QStringList{u"Посочете сума!"_s});
        QCOMPARE(ReadIncludeRows(b.db(), StatementType::Balance, 61).size(), 0);
        form.reject();
    }

    void theWizardStartsAfreshOnItsFirstPage()
    {
        StatementBooks b;
        IncludeRow row;
        row.OPR_Account_Type = IncludeKind::Correspondence;
        row.OPR_Account_No = 501;
        row.OPR_AccCor_No = 503;
        row.OPR_Kor = 1;
        TAddPokForm wizard(b.f.fd, b.f.dm, StatementType::Balance, row);
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QVERIFY(wizard.corrPanel()->isVisibleTo(&wizard) && !wizard.sidesBox()->isVisibleTo(&wizard));
        QVERIFY(wizard.accountCorrection()->isChecked());
        QCOMPARE(wizard.corrPanel()->account(), 503);
        QTest::mouseClick(wizard.backButton(), Qt::LeftButton);
        QCOMPARE(wizard.page(), 1);
        QCOMPARE(wizard.state().account, 0);
        QVERIFY(!wizard.accountCorrection()->isChecked());
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);
        QTest::mouseClick(wizard.nextButton(), Qt::LeftButton);  // no account: refused
        QCOMPARE(b.f.messages.shown, QStringList{u"Посочете сметка!"_s});
        QCOMPARE(wizard.page(), 2);

        IncludeRow bad;
        bad.OPR_Account_Type = 11;
        QVERIFY(!TAddPokForm::Run(b.f.fd, b.f.dm, StatementType::Balance, bad, nullptr));
        QCOMPARE(b.f.messages.shown.last(), u"Неочакван тип на данните! 11"_s);
    }
};

QTEST_MAIN(StatementsUiTest)
#include "tst_statements_ui.moc"
