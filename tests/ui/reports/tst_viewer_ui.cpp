// The preview window on the offscreen platform: pages shown while later ones are made, "Стоп",
// closing during generation, a report that fails, navigation by buttons and keys, the zoom
// list, printing and the PDF copy.
#include "app/TErrorHook.h"
#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/AccountTotals.h"
#include "reportkit/Job.h"
#include "reports/TViewerForm.h"
#include "widgets/PageView.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Trace {
    int steps = 0;
    bool destroyed = false;
};

// One numbered row to a page. It can spend some time on each page, so that a long report takes
// seconds to make, and fail at a given step (0: before the first page).
struct JobSpec {
    int pages = 1;
    int msPerPage = 0;
    int failAt = -1;
    bool landscape = false;
    QString title = u"Проба"_s;
    std::shared_ptr<Trace> trace = std::make_shared<Trace>();
};

class PagesJob : public rk::ReportJob {
public:
    explicit PagesJob(JobSpec spec) : m_spec(std::move(spec)) {}
    ~PagesJob() override { m_spec.trace->destroyed = true; }

    QString title() const override { return m_spec.title; }
    rk::PageSetup setup() const override
    {
        rk::PageSetup s;
        s.landscape = m_spec.landscape;
        return s;
    }
    void begin(rk::ReportLayout &layout) override
    {
        if (m_spec.failAt == 0)
            throw MyException(PeriodMessage);
        layout.setPageFooter([this](int page) { return rk::PageNumberFooter(setup(), page); });
    }
    bool step(rk::ReportLayout &layout) override
    {
        if (m_done == m_spec.pages)
            return false;
        ++m_done;
        ++m_spec.trace->steps;
        if (m_done == m_spec.failAt)
            throw MyException(PeriodMessage);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < m_spec.msPerPage) {
        }
        rk::Band row;
        row.cells << rk::TextCell(0, 60, u"ред %1"_s.arg(m_done));
        row.breakBefore = true;
        layout.add(row);
        return true;
    }
    void end(rk::ReportLayout &) override {}
    int progress() const override { return 100 * m_done / m_spec.pages; }

private:
    JobSpec m_spec;
    int m_done = 0;
};

TViewerForm *Show(const JobSpec &spec) { return TViewerForm::Show(std::make_unique<PagesJob>(spec), nullptr); }

// A preview of a report that is already made to the end.
QPointer<TViewerForm> MadeViewer(const JobSpec &spec)
{
    QPointer<TViewerForm> v = Show(spec);
    if (!QTest::qWaitFor([&] { return !v->generating(); }, 20000))
        qWarning("the report was not made in time");
    return v;
}

void CloseAndFree(QPointer<TViewerForm> &v)
{
    if (v)
        v->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool Enabled(QPushButton *b) { return b->isEnabled(); }

int PdfPages(const QByteArray &pdf)
{
    static const QRegularExpression page(uR"(/Type\s*/Page(?!s))"_s);
    return int(QString::fromLatin1(pdf).count(page));
}

// Width and height of each page's media box.
QList<QSizeF> MediaBoxes(const QByteArray &pdf)
{
    static const QRegularExpression box(uR"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"_s);
    QList<QSizeF> sizes;
    auto it = box.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

}  // namespace

class ViewerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { new TErrorHook(qApp); }
    void init() { m_messages = std::make_unique<Recorded>(); }
    void cleanup() { m_messages.reset(); }

    void theFirstPageShowsBeforeTheLastOfAThousandIsMadeAndStopEndsIt()
    {
        auto trace = std::make_shared<Trace>();
        QPointer<TViewerForm> v = Show({.pages = 1000, .msPerPage = 3, .trace = trace});
        QCOMPARE(v->counterText(), u"0 / 0"_s);
        QTRY_VERIFY(v->pageCount() >= 1);
        QVERIFY(v->generating());
        QVERIFY(v->pageCount() < 1000);
        QCOMPARE(v->currentPage(), 0);
        QVERIFY(v->pageView()->hasPage());
        QCOMPARE(v->pageView()->page()->number, 1);
        QVERIFY(v->counterLabel()->text().startsWith(u"1 / "_s));
        QVERIFY(Enabled(v->stopButton()));
        QVERIFY(!Enabled(v->printButton()));
        QVERIFY(!Enabled(v->pdfButton()));
        QVERIFY(v->meter() < 100);

        QTest::mouseClick(v->stopButton(), Qt::LeftButton);
        QVERIFY(!v->generating());
        const int made = v->pageCount();
        const int steps = trace->steps;
        QTest::qWait(150);
        QCOMPARE(v->pageCount(), made);
        QCOMPARE(trace->steps, steps);
        QVERIFY(made < 1000);
        QVERIFY(!Enabled(v->stopButton()));
        QVERIFY(Enabled(v->printButton()));
        QVERIFY(Enabled(v->pdfButton()));
        QVERIFY(v->meter() < 100);

        // What was made stays whole and in order, the last page included.
        const QString text = v->reportText();
        QVERIFY(text.contains(u"ред 1\n"_s));
        QVERIFY(text.contains(u"ред %1\n"_s.arg(made)));
        QVERIFY(!text.contains(u"ред %1\n"_s.arg(made + 1)));
        QTest::mouseClick(v->lastButton(), Qt::LeftButton);
        QCOMPARE(v->currentPage(), made - 1);
        QCOMPARE(v->counterText(), u"%1 / %1"_s.arg(made));
        QCOMPARE(v->pageView()->page()->number, made);

        CloseAndFree(v);
        QVERIFY(v.isNull());
        QVERIFY(trace->destroyed);
    }

    void aReportMadeToTheEndFillsTheMeterAndDisablesStop()
    {
        QPointer<TViewerForm> v = MadeViewer({.pages = 5});
        QCOMPARE(v->pageCount(), 5);
        QCOMPARE(v->meter(), 100);
        QCOMPARE(v->meterBar()->value(), 100);
        QVERIFY(!Enabled(v->stopButton()));
        QVERIFY(Enabled(v->printButton()));
        QCOMPARE(v->counterLabel()->text(), u"1 / 5"_s);
        CloseAndFree(v);
    }

    void closingWhileGeneratingStopsAndFreesTheReport()
    {
        auto trace = std::make_shared<Trace>();
        QPointer<TViewerForm> v = Show({.pages = 1000, .msPerPage = 3, .trace = trace});
        QTRY_VERIFY(v->pageCount() >= 1);
        QVERIFY(v->close());
        const int steps = trace->steps;
        QTRY_VERIFY(v.isNull());
        QVERIFY(trace->destroyed);
        QCOMPARE(trace->steps, steps);
    }

    void theCaptionIsTheReportsTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("titled") << u"Оборотна ведомост"_s << u"Оборотна ведомост"_s;
        QTest::newRow("untitled") << QString() << u"Преглед преди печат"_s;
    }
    void theCaptionIsTheReportsTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QPointer<TViewerForm> v = MadeViewer({.pages = 1, .title = title});
        QCOMPARE(v->windowTitle(), caption);
        CloseAndFree(v);
    }

    void aFailingReportShowsItsErrorAndEnds_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<int>("pagesKept");
        QTest::newRow("before the first page") << 0 << 0;
        QTest::newRow("on the fifth page") << 5 << 4;
    }
    void aFailingReportShowsItsErrorAndEnds()
    {
        QFETCH(int, failAt);
        QFETCH(int, pagesKept);
        QPointer<TViewerForm> v = Show({.pages = 50, .failAt = failAt});
        QTRY_COMPARE(m_messages->recorder.shown, QStringList{PeriodMessage});
        QTest::qWait(50);
        QCOMPARE(m_messages->recorder.shown.size(), 1);
        if (pagesKept == 0) {
            QTRY_VERIFY(v.isNull());
            return;
        }
        QVERIFY(v);
        QVERIFY(!v->generating());
        QCOMPARE(v->pageCount(), pagesKept);
        QVERIFY(!Enabled(v->stopButton()));
        CloseAndFree(v);
    }

    void navigationButtonsAreEnabledOnlyWhereTheyLead_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("forward");
        QTest::newRow("first of five") << 5 << 0 << false << true;
        QTest::newRow("middle of five") << 5 << 2 << true << true;
        QTest::newRow("last of five") << 5 << 4 << true << false;
        QTest::newRow("only page") << 1 << 0 << false << false;
    }
    void navigationButtonsAreEnabledOnlyWhereTheyLead()
    {
        QFETCH(int, pages);
        QFETCH(int, page);
        QFETCH(bool, back);
        QFETCH(bool, forward);
        QPointer<TViewerForm> v = MadeViewer({.pages = pages});
        v->goTo(page);
        QCOMPARE(v->currentPage(), page);
        QCOMPARE(Enabled(v->firstButton()), back);
        QCOMPARE(Enabled(v->previousButton()), back);
        QCOMPARE(Enabled(v->nextButton()), forward);
        QCOMPARE(Enabled(v->lastButton()), forward);
        QCOMPARE(v->counterText(), u"%1 / %2"_s.arg(page + 1).arg(pages));
        CloseAndFree(v);
    }

    void theButtonsMoveThroughThePages()
    {
        QPointer<TViewerForm> v = MadeViewer({.pages = 5});
        const QList<std::pair<QPushButton *, int>> clicks = {
            {v->nextButton(), 1}, {v->lastButton(), 4}, {v->previousButton(), 3}, {v->firstButton(), 0}};
        for (const auto &[button, expected] : clicks) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(v->currentPage(), expected);
            QCOMPARE(v->pageView()->page()->number, expected + 1);
        }
        CloseAndFree(v);
    }

    void keysMoveThroughThePages_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("to");
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("Page Down") << 0 << int(Qt::Key_PageDown) << none << 1;
        QTest::newRow("Page Down on the last") << 4 << int(Qt::Key_PageDown) << none << 4;
        QTest::newRow("Page Up") << 2 << int(Qt::Key_PageUp) << none << 1;
        QTest::newRow("Page Up on the first") << 0 << int(Qt::Key_PageUp) << none << 0;
        QTest::newRow("Ctrl+Page Up") << 3 << int(Qt::Key_PageUp) << ctrl << 0;
        QTest::newRow("Home") << 3 << int(Qt::Key_Home) << none << 0;
        QTest::newRow("Ctrl+Page Down") << 1 << int(Qt::Key_PageDown) << ctrl << 4;
        QTest::newRow("End") << 1 << int(Qt::Key_End) << none << 4;
    }
    void keysMoveThroughThePages()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, to);
        QPointer<TViewerForm> v = MadeViewer({.pages = 5});
        QVERIFY(QTest::qWaitForWindowActive(v));
        v->goTo(from);
        // From the page view, which has the focus, and from the zoom list, which would take
        // these keys for itself.
        for (QWidget *target : {static_cast<QWidget *>(v->pageView()), static_cast<QWidget *>(v->zoomBox())}) {
            v->goTo(from);
            target->setFocus();
            QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(v->currentPage(), to);
            QCOMPARE(v->zoom(), u"100%"_s);
        }
        CloseAndFree(v);
    }

    void escapeClosesTheWindow()
    {
        QPointer<TViewerForm> v = MadeViewer({.pages = 2});
        QVERIFY(QTest::qWaitForWindowActive(v));
        QTest::keyClick(v->pageView(), Qt::Key_Escape);
        QTRY_VERIFY(v.isNull());
    }

    void zoomChoices_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("percent");  // 0 for the fitting choices
        QTest::addColumn<bool>("landscape");
        for (bool landscape : {false, true}) {
            const char *orientation = landscape ? "landscape" : "portrait";
            for (int percent : {200, 150, 100, 75, 50, 25, 10})
                QTest::addRow("%d%% %s", percent, orientation) << u"%1%"_s.arg(percent) << percent << landscape;
            for (const char *fit : {"Page Width", "Page Height", "Whole Page"})
                QTest::addRow("%s %s", fit, orientation) << QString::fromLatin1(fit) << 0 << landscape;
        }
    }
    void zoomChoices()
    {
        QFETCH(QString, choice);
        QFETCH(int, percent);
        QFETCH(bool, landscape);
        QPointer<TViewerForm> v = MadeViewer({.pages = 1, .landscape = landscape});
        v->resize(1000, 700);
        QTRY_COMPARE(v->size(), QSize(1000, 700));
        QComboBox *box = v->zoomBox();
        QCOMPARE(box->count(), 10);
        const int index = box->findText(choice);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
        QCOMPARE(v->zoom(), choice);

        PageView *view = v->pageView();
        const int gaps = 2 * PageView::Gap;
        const double wide = landscape ? 297 : 210;
        // The scroll bars come and go a moment after the page changes size.
        const auto fillsWidth = [&] { return qAbs(view->pageRect().width() + gaps - view->viewport()->width()) <= 1; };
        const auto fillsHeight = [&] { return qAbs(view->pageRect().height() + gaps - view->viewport()->height()) <= 1; };
        const auto noBar = [](QScrollBar *bar) { return bar->maximum() == 0 && !bar->isVisible(); };
        if (percent > 0) {
            QVERIFY(qAbs(view->scale() - view->naturalScale() * percent / 100.0) < 1e-9);
            QCOMPARE(view->pageRect().width(), int(wide * view->scale()));
        } else if (choice == u"Page Width"_s) {
            QTRY_VERIFY(fillsWidth() && noBar(view->horizontalScrollBar()));
        } else if (choice == u"Page Height"_s) {
            QTRY_VERIFY(fillsHeight() && noBar(view->verticalScrollBar()));
        } else {
            QTRY_VERIFY((fillsWidth() || fillsHeight()) && noBar(view->horizontalScrollBar()) &&
                        noBar(view->verticalScrollBar()));
        }
        CloseAndFree(v);
    }

    void aFittingZoomFollowsTheWindowsSize_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("follows");
        QTest::newRow("Page Width") << u"Page Width"_s << true;
        QTest::newRow("Whole Page") << u"Whole Page"_s << true;
        QTest::newRow("100%") << u"100%"_s << false;
    }
    void aFittingZoomFollowsTheWindowsSize()
    {
        QFETCH(QString, choice);
        QFETCH(bool, follows);
        QPointer<TViewerForm> v = MadeViewer({.pages = 1});
        v->resize(1000, 600);
        QTRY_COMPARE(v->size(), QSize(1000, 600));
        v->setZoom(choice);
        const double before = v->pageView()->scale();
        v->resize(1400, 1000);
        QTRY_COMPARE(v->size(), QSize(1400, 1000));
        QCOMPARE(v->pageView()->scale() > before * 1.2, follows);
        if (!follows)
            QCOMPARE(v->pageView()->scale(), before);
        CloseAndFree(v);
    }

    void printingPutsEveryPageInItsOrientation_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << false;
        QTest::newRow("landscape") << true;
    }
    void printingPutsEveryPageInItsOrientation()
    {
        QFETCH(bool, landscape);
        QPointer<TViewerForm> v = MadeViewer({.pages = 3, .landscape = landscape});
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(u"printed.pdf"_s));
        QVERIFY(v->printPages(printer, 0, 2));
        QFile file(printer.outputFileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QCOMPARE(PdfPages(pdf), 3);
        const QList<QSizeF> boxes = MediaBoxes(pdf);
        QVERIFY(!boxes.isEmpty());
        for (const QSizeF &box : boxes)
            QCOMPARE(box.width() > box.height(), landscape);
        CloseAndFree(v);
    }

    void thePdfCopyHoldsEveryPage()
    {
        QPointer<TViewerForm> v = MadeViewer({.pages = 4});
        QTemporaryDir dir;
        const QString path = dir.filePath(u"справка.pdf"_s);
        QVERIFY(v->savePdf(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(PdfPages(pdf), 4);
        QVERIFY(m_messages->recorder.shown.isEmpty());
        CloseAndFree(v);
    }

    // "Запис в PDF" goes through the same checked write as the command line.
    void aPdfThatCannotBeWrittenSaysSo_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such folder") << u"липсваща/папка/справка.pdf"_s << u"Справката не е записана във файла „"_s;
        QTest::newRow("a full device") << u"/dev/full"_s << u"Справката не е записана във файла „/dev/full“: "_s;
        QTest::newRow("a database") << u"books.sqlite"_s << u"Справката не е записана: „"_s;
    }
    void aPdfThatCannotBeWrittenSaysSo()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QPointer<TViewerForm> v = MadeViewer({.pages = 2});
        QTemporaryDir dir;
        const QString path = target.startsWith(u'/') ? target : dir.filePath(target);
        if (target.endsWith(u".sqlite"_s)) {
            Db db(u"probe"_s);
            db.open(path, true);
        }
        const qint64 size = QFileInfo(path).size();
        QVERIFY(!v->savePdf(path));
        QCOMPARE(m_messages->recorder.shown.size(), 1);
        QVERIFY2(m_messages->recorder.shown.first().startsWith(message), qPrintable(m_messages->recorder.shown.first()));
        QVERIFY(m_messages->recorder.shown.first().contains(path));
        QCOMPARE(QFileInfo(path).size(), size);  // nothing written over, nothing half made
        CloseAndFree(v);
    }

    void thePdfFileIsNamedAfterTheTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << u"Оборотна ведомост"_s << u"Оборотна ведомост.pdf"_s;
        QTest::newRow("characters a file name cannot hold") << u"Баланс 01/2026: \"А\"?"_s << u"Баланс 01_2026_ _А__.pdf"_s;
        QTest::newRow("untitled") << u"  "_s << u"Справка.pdf"_s;
    }
    void thePdfFileIsNamedAfterTheTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, file);
        QCOMPARE(TViewerForm::PdfFileName(title), file);
    }

private:
    struct Recorded {
        MessageRecorder recorder;
        ScopedMessageSink sink{&recorder};
    };
    std::unique_ptr<Recorded> m_messages;
};

QTEST_MAIN(ViewerTest)
#include "tst_viewer_ui.moc"
