// The report options dialog's pages of the chronological ledger and the two extracts, on the
// offscreen platform: their defaults, the account-extract page following its account and
// grouping, typed bounds refused with the dialog kept as typed, the previews the pages run, and
// the main window's launcher opening each page.
#include "app/TErrorHook.h"
#include "reportkit/PageStore.h"
#include "reportkit/Render.h"
#include "reports/AccountExtractOptionsPage.h"
#include "reports/ChronologicalOptionsPage.h"
#include "reports/LotExtractOptionsPage.h"
#include "reports/ReportBounds.h"
#include "reports/TReportSetForm.h"
#include "reports/TViewerForm.h"
#include "reports/UiReportLauncher.h"
#include "support/DocumentBooks.h"
#include "support/WhenShown.h"
#include "widgets/DateBox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Firm = u"Книги ООД"_s;

QList<TViewerForm *> Viewers()
{
    QList<TViewerForm *> found;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *v = qobject_cast<TViewerForm *>(w))
            found << v;
    return found;
}

struct ViewerSweep {
    ~ViewerSweep()
    {
        for (TViewerForm *v : Viewers())
            v->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QString TextOf(rk::ReportJob &&job)
{
    rk::PageStore pages;
    rk::RunReport(job, pages);
    return rk::ReportText(pages.count(), [&](int i) { return pages.page(i); });
}

// The preview's text once all its pages are made.
QString Previewed(TViewerForm *viewer)
{
    if (!viewer || !QTest::qWaitFor([viewer] { return !viewer->generating(); }, 60000))
        return {};
    return viewer->reportText();
}

void SetYear(DateBox *from, DateBox *to)
{
    from->setDate(QDate(2025, 1, 1));
    to->setDate(QDate(2025, 12, 31));
}

void Choose(QComboBox *box, int data)
{
    const int index = box->findData(data);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
}
}  // namespace

class LedgerOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }

    void theChronologicalPageOpensWithItsDefaults()
    {
        DocumentBooks b;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::ChronologicalLedger));
        ChronologicalOptionsPage *page = form.chronologicalPage();
        QCOMPARE(form.pages()->currentWidget(), page);
        const ReportPeriodDefaults defaults = DefaultReportPeriod(b.period);
        QCOMPARE(page->fromEdit()->date(), defaults.from);
        QCOMPARE(page->toEdit()->date(), defaults.to);
        QVERIFY(page->postingDateButton()->isChecked());
        QCOMPARE(page->sortGroup()->checkedButton()->text(), u"Дата и номер документ"_s);
        for (QComboBox *box : {page->debitBox(), page->creditBox(), page->folderBox()})
            QCOMPARE(box->currentText(), u"Всички"_s);
        QCOMPARE(page->folderBox()->count(), 4);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), page->fromEdit());
    }

    void aBoundThatDoesNotReadIsRefusedAndTheDialogKeepsIt_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::newRow("from document") << 0 << u"1 OR 1=1"_s;
        QTest::newRow("to document") << 1 << u"5;"_s;
        QTest::newRow("from amount") << 2 << u"abc"_s;
        QTest::newRow("to amount") << 3 << u"1 OR 1=1"_s;
    }
    void aBoundThatDoesNotReadIsRefusedAndTheDialogKeepsIt()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        DocumentBooks b;
        ViewerSweep sweep;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::ChronologicalLedger));
        form.show();
        ChronologicalOptionsPage *page = form.chronologicalPage();
        SetYear(page->fromEdit(), page->toEdit());
        QLineEdit *edits[] = {page->fromDocumentEdit(), page->toDocumentEdit(), page->fromAmountEdit(),
                              page->toAmountEdit()};
        const QString captions[] = {FromDocumentCaption, ToDocumentCaption, FromAmountCaption, ToAmountCaption};
        QTest::keyClicks(edits[box], typed);
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        const QString expected = box < 2 ? DocumentBoundMessage(captions[box]) : AmountBoundMessage(captions[box]);
        QCOMPARE(b.f.messages.shown, QStringList{expected});
        QVERIFY(form.isVisible());
        QCOMPARE(edits[box]->text(), typed);
        QVERIFY(Viewers().isEmpty());
    }

    void goPreviewsTheLedgerAsThePageStands()
    {
        DocumentBooks b;
        ViewerSweep sweep;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::ChronologicalLedger));
        form.show();
        ChronologicalOptionsPage *page = form.chronologicalPage();
        SetYear(page->fromEdit(), page->toEdit());
        page->documentDateButton()->setChecked(true);
        QTest::keyClicks(page->fromDocumentEdit(), u"0000000005"_s);
        QTest::keyClicks(page->toAmountEdit(), u"200,00"_s);
        Choose(page->folderBox(), DocumentBooks::Purchases);
        page->sortGroup()->button(1)->setChecked(true);
        TViewerForm *viewer = form.go();
        QVERIFY(viewer);
        ChronologicalSelection s;
        s.from = QDate(2025, 1, 1);
        s.to = QDate(2025, 12, 31);
        s.byDocumentDate = true;
        s.fromDocument = 5;
        s.toAmount = 200;
        s.folder = DocumentBooks::Purchases;
        s.sort = ChronologicalSort::Number;
        const QString expected = TextOf(ChronologicalLedgerJob(b.db(), {s, Firm}));
        QVERIFY(expected.contains(u"Захар, Магазин"_s));
        QCOMPARE(Previewed(viewer), expected);
        QCOMPARE(viewer->windowTitle(), u"Хронологична ведомост"_s);
        QVERIFY(form.isVisible());
    }

    void aSelectionWithoutDataSaysSoAndOpensNoPreview()
    {
        DocumentBooks b;
        ViewerSweep sweep;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::ChronologicalLedger));
        form.show();
        ChronologicalOptionsPage *page = form.chronologicalPage();
        SetYear(page->fromEdit(), page->toEdit());
        Choose(page->debitBox(), 101);
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        QCOMPARE(b.f.messages.shown, QStringList{NoChronologicalDataMessage});
        QVERIFY(form.isVisible());
        QVERIFY(Viewers().isEmpty());
    }

    void theAccountExtractPageFollowsItsAccountAndGrouping()
    {
        DocumentBooks b;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::AccountExtract));
        form.show();
        AccountExtractOptionsPage *page = form.accountExtractPage();
        QCOMPARE(page->accountBox()->currentText(), QString());
        QCOMPARE(page->groupingGroup()->checkedButton()->text(), u"дата на осчетоводяване"_s);
        for (int k = 0; k < 5; ++k)
            QVERIFY(!page->lotBox(k)->isVisible());

        Choose(page->accountBox(), 304);
        QCOMPARE(page->levelLabel(0)->text(), u"Стоки:"_s);
        QCOMPARE(page->levelLabel(1)->text(), u"Обекти:"_s);
        QVERIFY(page->lotBox(0)->isVisible() && page->lotBox(1)->isVisible() && !page->lotBox(2)->isVisible());
        QCOMPARE(page->lotBox(0)->count(), 4);  // "Всички" and three goods
        QVERIFY(!page->turnoverBox(0)->isVisible());
        QAbstractButton *levels = page->groupingGroup()->button(AccountExtractOptionsPage::ButtonOf(AccountGrouping::Levels));
        QVERIFY(levels->isEnabled());
        QTest::mouseClick(levels, Qt::LeftButton);
        QVERIFY(page->turnoverBox(0)->isVisible() && page->closingBox(1)->isVisible());
        QVERIFY(!page->openingBox(2)->isVisible());
        QVERIFY(page->turnoverBox(0)->isChecked() && !page->openingBox(0)->isChecked());
        QVERIFY(!page->fromDocumentEdit()->isEnabled() && !page->folderBox()->isEnabled());
        page->openingBox(0)->setChecked(true);
        page->turnoverBox(1)->setChecked(false);

        // Another account starts the boxes afresh; a synthetic one cannot be grouped by levels.
        Choose(page->accountBox(), 501);
        QVERIFY(!levels->isEnabled());
        QCOMPARE(page->groupingGroup()->checkedButton()->text(), u"дата на осчетоводяване"_s);
        QVERIFY(page->fromDocumentEdit()->isEnabled());
        QVERIFY(!page->lotBox(0)->isVisible());
        Choose(page->accountBox(), 304);
        QTest::mouseClick(levels, Qt::LeftButton);
        QVERIFY(!page->openingBox(0)->isChecked() && page->turnoverBox(1)->isChecked());
    }

    void theAccountExtractWantsAnAccountAndPreviewsAsThePageStands()
    {
        DocumentBooks b;
        ViewerSweep sweep;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::AccountExtract));
        form.show();
        AccountExtractOptionsPage *page = form.accountExtractPage();
        SetYear(page->fromEdit(), page->toEdit());
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        QCOMPARE(b.f.messages.shown, QStringList{ChooseAccountMessage});

        Choose(page->accountBox(), 304);
        QTest::mouseClick(page->groupingGroup()->button(AccountExtractOptionsPage::ButtonOf(AccountGrouping::Levels)),
                          Qt::LeftButton);
        Choose(page->lotBox(0), 1);
        page->closingBox(0)->setChecked(true);
        const QString previewed = Previewed(form.go());
        AccountExtractOptions o;
        o.from = QDate(2025, 1, 1);
        o.to = QDate(2025, 12, 31);
        o.firmName = Firm;
        o.account = 304;
        o.lots = {1, 0, 0, 0, 0};
        o.grouping = AccountGrouping::Levels;
        o.closings = {true, false, false, false, false};
        QCOMPARE(previewed, TextOf(AccountExtractJob(b.db(), o)));
        QVERIFY(previewed.contains(u"Крайно салдо:"_s));
        QVERIFY(!previewed.contains(u"Захар"_s));
    }

    void theLotExtractWantsALevelAndALotFromTheLevelsTable()
    {
        DocumentBooks b;
        ViewerSweep sweep;
        TReportSetForm form(b.f.dm, Firm);
        QVERIFY(form.begin(TReportSetForm::LotExtract));
        form.show();
        LotExtractOptionsPage *page = form.lotExtractPage();
        SetYear(page->fromEdit(), page->toEdit());
        QCOMPARE(page->groupingGroup()->checkedButton()->text(), u"дата на осчетоводяване"_s);
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        Choose(page->levelBox(), DocumentBooks::Partners);
        QCOMPARE(page->lotBox()->count(), 3);  // an empty entry and the two counterparties
        QCOMPARE(page->lotBox()->itemText(1), u"Доставчик АД"_s);
        QTest::mouseClick(form.goButton(), Qt::LeftButton);
        QCOMPARE(b.f.messages.shown, QStringList({ChooseLevelMessage, ChooseLotMessage}));
        Choose(page->lotBox(), 1);
        page->groupingGroup()->button(0)->setChecked(true);  // "Папки"
        const QString previewed = Previewed(form.go());
        QCOMPARE(previewed, TextOf(LotExtractJob(b.db(), {QDate(2025, 1, 1), QDate(2025, 12, 31), Firm,
                                                          DocumentBooks::Partners, 1, LotGrouping::Folder})));
        QVERIFY(previewed.contains(u"ИЗВЛЕЧЕНИЕ  от  ПАРТИДА"_s));
    }

    void theReportsListOpensEachPage_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("page");
        QTest::newRow("Хронологична ведомост") << 6 << int(TReportSetForm::ChronologicalLedger);
        QTest::newRow("Извлечение от сметка") << 7 << int(TReportSetForm::AccountExtract);
        QTest::newRow("Извлечение от партида") << 8 << int(TReportSetForm::LotExtract);
    }
    void theReportsListOpensEachPage()
    {
        QFETCH(int, code);
        QFETCH(int, page);
        DocumentBooks b;
        QVERIFY(ReportAvailable(code));
        int shown = -1;
        WhenShown<TReportSetForm>([&](TReportSetForm *form) {
            shown = form->page();
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        });
        LaunchReport(b.f.fd, b.f.dm, code, nullptr);
        QCOMPARE(shown, page);
        QVERIFY(b.f.messages.shown.isEmpty());
    }
};

QTEST_MAIN(LedgerOptionsTest)
#include "tst_ledgeroptions_ui.moc"
