// The VAT window on the offscreen platform: its pages and titles, what is typed on the data page
// posted before every command, the documents opened from a journal, the prints, the files and
// the declaration, and the report launcher that opens it.
#include "support/Books.h"
#include "support/VatFixture.h"
#include "support/WhenShown.h"

#include "reports/TRepDateForm.h"
#include "reports/TViewerForm.h"
#include "reports/UiReportLauncher.h"
#include "vat/JournalFile.h"
#include "vat/JournalView.h"
#include "vat/TDpokForm.h"
#include "vat/VatDataPage.h"
#include "widgets/DateBox.h"
#include "widgets/TitleStripDialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QDate March1(2026, 3, 1), March31(2026, 3, 31);

// A firm with a sale and a purchase in March and the VAT window open on March.
struct Window {
    VatFixture v;
    int saleDoc = 0;
    std::unique_ptr<TDpokForm> form;
    Window()
    {
        saleDoc = v.sale(QDate(2026, 3, 5), 1, 1000.00, 200.00);
        v.purchase(QDate(2026, 3, 6), 2, 500.00, 100.00);
        form = std::make_unique<TDpokForm>(v.f.fd, v.f.dm, March1, March31);
        form->start();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    ~Window()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *viewer = qobject_cast<TViewerForm *>(w))
                viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void type(int month, int column, const QString &text)
    {
        form->dataPage()->months()->item(month - 1, column)->setText(text);
    }
};

void DoubleClickRow(QTableWidget *grid, int row)
{
    const QRect rect = grid->visualItemRect(grid->item(row, 0));
    // A real double click starts with a plain press and release.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}
}  // namespace

class DpokFormTest : public QObject {
    Q_OBJECT
private slots:
    void pagesTitlesAndThePrintButton()
    {
        Window w;
        TDpokForm &form = *w.form;
        for (int i = 0; i < 4; ++i)
            QCOMPARE(form.pageLabel(i)->text(), TDpokForm::PageCaptions()[i]);
        QCOMPARE(form.pageLabel(0)->text(), u"Дневник на    покупките  "_s);
        QCOMPARE(form.caption(), u"  Дневник на покупките"_s);
        QCOMPARE(form.periodLabel()->text(), u"        Период:  01.03.2026 - 31.03.2026"_s);
        QVERIFY(form.button(u"Печат"_s)->isVisible());
        QCOMPARE(form.journalView(VatJournalKind::Purchases)->grid()->rowCount(), 1);
        QTableWidget *footer = form.journalView(VatJournalKind::Purchases)->footer();
        QCOMPARE(footer->item(0, JournalView::FirstAmountColumn)->text(), u"600.00"_s);
        QVERIFY(footer->item(0, JournalView::FirstAmountColumn)->font().bold());

        QVERIFY(!form.journalView(VatJournalKind::Purchases)->problemsLabel()->isVisible());

        // A document without a counterparty is listed, and the window says what it lacks.
        w.v.sale(QDate(2026, 3, 20), 3, 10.00, 2.00, 4, 0);
        WhenShown<TRepDateForm>([](TRepDateForm *dialog) { dialog->ok(); });
        QVERIFY(form.choosePeriod());
        JournalView *sales = form.journalView(VatJournalKind::Sales);
        QCOMPARE(sales->grid()->rowCount(), 2);
        QCOMPARE(sales->problemsLabel()->text(),
                 u"Документи с непълни данни по ДДС:\n0000000003 от 20.03.2026: няма контрагент"_s);

        QTest::mouseClick(form.pageLabel(1), Qt::LeftButton);
        QVERIFY(sales->problemsLabel()->isVisible());
        QCOMPARE(form.page(), TDpokForm::Sales);
        QCOMPARE(form.caption(), u"  Дневник на продажбите"_s);
        QCOMPARE(form.journalView(VatJournalKind::Sales)->grid()->item(0, 5)->text(), u"Клиент ООД"_s);
        QTest::mouseClick(form.pageLabel(2), Qt::LeftButton);
        QCOMPARE(form.caption(), u"  Данни за фирмата"_s);
        QVERIFY(!form.button(u"Печат"_s)->isVisible());
        QCOMPARE(form.dataPage()->field(u"Firm_DN"_s)->text(), u"1112223334"_s);
        QCOMPARE(form.dataPage()->months()->rowCount(), 12);
    }

    void typedDataIsPostedBeforeEveryCommand_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("page switch") << 0;
        QTest::newRow("print") << 1;
        QTest::newRow("declaration") << 2;
        QTest::newRow("close") << 3;
    }
    void typedDataIsPostedBeforeEveryCommand()
    {
        QFETCH(int, command);
        Window w;
        TDpokForm &form = *w.form;
        // Print runs from a journal page; what was typed before is still pending there.
        QVERIFY(form.showPage(command == 1 ? TDpokForm::Purchases : TDpokForm::FirmData));
        form.dataPage()->field(u"Firm_SubDDS"_s)->setText(u"Петър Петров"_s);
        w.type(3, VatDataPage::PaymentDate, u"14.04.2026"_s);
        w.type(3, VatDataPage::Cell72, u"100,50"_s);
        QVERIFY(form.dataPage()->pending());
        switch (command) {
        case 0: QVERIFY(form.showPage(TDpokForm::Sales)); break;
        case 1: QVERIFY(form.print()); break;
        case 2: QVERIFY(form.declaration()); break;
        case 3: form.button(u"Назад"_s)->click(); QVERIFY(!form.isVisible()); break;
        }
        QCOMPARE(w.v.firm().Firm_SubDDS, u"Петър Петров"_s);
        const SdMonth march = *MonthlyData::Find(w.v.db(), 3);
        QCOMPARE(march.SD_PlDate, QDate(2026, 4, 14));
        QCOMPARE(march.SD_KL72, 10050);
        QVERIFY(!form.dataPage()->pending());
    }

    void badInputKeepsTheWindowWhereItIs()
    {
        Window w;
        TDpokForm &form = *w.form;
        form.showPage(TDpokForm::FirmData);
        w.type(3, VatDataPage::PaymentDate, u"31.02.2026"_s);
        form.dataPage()->field(u"Firm_SubDDS"_s)->setText(u"Петър Петров"_s);
        QVERIFY(!form.showPage(TDpokForm::Sales));
        QCOMPARE(form.page(), TDpokForm::FirmData);
        QCOMPARE(w.v.f.messages.shown.last(), u"Невалидна дата за месец: Март 31.02.2026"_s);
        QCOMPARE(form.dataPage()->months()->currentRow(), 2);
        form.reject();  // the close glyph and Esc
        QVERIFY(form.isVisible());
        QCOMPARE(w.v.firm().Firm_SubDDS, QString());  // nothing half-saved
        QVERIFY(!form.declaration());
        w.type(3, VatDataPage::PaymentDate, QString());
        QVERIFY(form.showPage(TDpokForm::Sales));
    }

    void aDoubleClickOpensTheDocumentAndRereadsTheJournals()
    {
        Window w;
        TDpokForm &form = *w.form;
        QList<int> opened;
        form.documentOpener = [&](int docNo) {
            opened << docNo;
            Documents::DeleteDocument(w.v.db(), docNo);  // what the user may do there
        };
        form.showPage(TDpokForm::Sales);
        QTableWidget *grid = form.journalView(VatJournalKind::Sales)->grid();
        DoubleClickRow(grid, 0);
        QCOMPARE(opened, QList<int>{w.saleDoc});
        QCOMPARE(grid->rowCount(), 0);
        QCOMPARE(form.journalView(VatJournalKind::Sales)->footer()->item(0, JournalView::FirstAmountColumn)->text(),
                 u"0.00"_s);
    }

    void aDocumentThatIsGoneIsNotOpened()
    {
        Window w;
        TDpokForm &form = *w.form;
        int calls = 0;
        form.documentOpener = [&](int) { ++calls; };
        form.showPage(TDpokForm::Sales);
        w.v.db().exec(u"delete from nom_p where Nom_Doc_No = ?"_s, {w.saleDoc});  // another user
        QTableWidget *grid = form.journalView(VatJournalKind::Sales)->grid();
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(calls, 0);
        QCOMPARE(w.v.f.messages.shown.last(), u"Документа не е намерен!"_s);
        QCOMPARE(grid->rowCount(), 0);
    }

    void printsOfBothJournals()
    {
        Window w;
        TDpokForm &form = *w.form;
        QPointer<TViewerForm> viewer = form.print();
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), u"Дневник на покупките"_s);
        QTRY_VERIFY(!viewer->generating());
        QVERIFY(viewer->reportText().contains(u"ДНЕВНИК НА ПОКУПКИТЕ"_s));
        viewer->close();
        // A period dialog left without "OK" changes nothing.
        w.v.db().exec(u"delete from nom_p where Nom_Dnevnik = 2"_s);
        WhenShown<TRepDateForm>([](TRepDateForm *dialog) { dialog->reject(); });
        QVERIFY(!form.choosePeriod());
        QVERIFY(form.showPage(TDpokForm::Sales));
        QCOMPARE(form.journalView(VatJournalKind::Sales)->grid()->rowCount(), 1);
        viewer = form.print();
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), u"Дневник на продажбите"_s);
    }

    void thePeriodDialogRereadsBothJournals()
    {
        Window w;
        TDpokForm &form = *w.form;
        WhenShown<TRepDateForm>([](TRepDateForm *dialog) {
            QCOMPARE(dialog->fromEdit()->date(), March1);
            QCOMPARE(dialog->toEdit()->date(), March31);
            dialog->fromEdit()->setDate(QDate(2026, 4, 1));
            dialog->toEdit()->setDate(QDate(2026, 4, 30));
            dialog->ok();
        });
        QVERIFY(form.choosePeriod());
        QCOMPARE(form.periodLabel()->text(), u"        Период:  01.04.2026 - 30.04.2026"_s);
        QCOMPARE(form.journalView(VatJournalKind::Purchases)->grid()->rowCount(), 0);
        QCOMPARE(form.journalView(VatJournalKind::Sales)->grid()->rowCount(), 0);
        QVERIFY(!form.print());
        QCOMPARE(w.v.f.messages.shown.last(), u"Няма данни отговарящи на зададеното условие!"_s);
    }

    void bothFilesAreWrittenOrNone()
    {
        Window w;
        TDpokForm &form = *w.form;
        QTemporaryDir dir;
        QString asked;
        form.chooseFolder = [&](QWidget *, const QString &caption) {
            asked = caption;
            return dir.path();
        };
        QVERIFY(form.writeFiles());
        QCOMPARE(asked, u"Папка за файловете POKUPKI.TXT и PRODAGBI.TXT"_s);
        for (const VatJournalKind kind : {VatJournalKind::Purchases, VatJournalKind::Sales}) {
            QFile file(dir.filePath(JournalFile::FileName(kind)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), JournalFile::Bytes(w.v.firm(), form.journalView(kind)->journal()));
        }
        QVERIFY(w.v.f.messages.shown.last().startsWith(u"Дневниците са записани:\r"_s));

        // Written again: asked first, and "No" leaves the files alone.
        QFile::remove(dir.filePath(u"POKUPKI.TXT"_s));
        QFile marker(dir.filePath(u"POKUPKI.TXT"_s));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("old");
        marker.close();
        w.v.f.messages.answers = {Messages::No};
        QVERIFY(!form.writeFilesTo(dir.path()));
        QVERIFY(w.v.f.messages.asked.last().startsWith(u"Файловете вече съществуват:"_s));
        QVERIFY(marker.open(QIODevice::ReadOnly));
        QCOMPARE(marker.readAll(), QByteArray("old"));

        const QString missing = dir.filePath(u"no/such/folder"_s);
        QVERIFY(ErrorOf([&] { form.writeFilesTo(missing); }).startsWith(u"Файлът не е записан: "_s));
    }

    void theDeclarationNeedsItsMonth()
    {
        Window w;
        TDpokForm &form = *w.form;
        QPointer<TViewerForm> viewer = form.declaration();
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), u"Справка-декларация по ДДС"_s);
        QTRY_VERIFY(!viewer->generating());
        QVERIFY(viewer->reportText().contains(u"1.000000000"_s));
        viewer->close();
        w.v.db().exec(u"delete from SD where SD_Month = 3"_s);
        QCOMPARE(ErrorOf([&] { form.declaration(); }), u"Не са намерени данни за месец:3"_s);
    }

    void theReportsListOpensTheWindowForAPeriod()
    {
        VatFixture v;
        v.sale(QDate(2026, 2, 2), 1, 10.00, 2.00);
        bool shown = false;
        WhenShown<TRepDateForm>([&](TRepDateForm *dialog) {
            dialog->fromEdit()->setDate(QDate(2026, 2, 1));
            dialog->toEdit()->setDate(QDate(2026, 2, 28));
            WhenShown<TDpokForm>([&](TDpokForm *form) {
                shown = true;
                QCOMPARE(form->from(), QDate(2026, 2, 1));
                QCOMPARE(form->journalView(VatJournalKind::Sales)->grid()->rowCount(), 1);
                form->button(u"Назад"_s)->click();
            });
            dialog->ok();
        });
        LaunchReport(v.f.fd, v.f.dm, 5, nullptr);
        QVERIFY(shown);
        QCOMPARE(MonthlyData::Read(v.db()).size(), 12);
    }
};

QTEST_MAIN(DpokFormTest)
#include "tst_dpokform_ui.moc"
