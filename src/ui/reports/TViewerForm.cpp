#include "reports/TViewerForm.h"

#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "reportkit/Output.h"
#include "reportkit/Render.h"
#include "widgets/Accelerators.h"
#include "widgets/PageView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// Long enough to make a few pages, short enough that the window keeps answering.
constexpr int SliceMs = 30;
constexpr int DefaultZoom = 2;  // "100%"

ZoomFit FitOf(const QString &choice)
{
    if (choice == u"Page Width"_s)
        return ZoomFit::PageWidth;
    if (choice == u"Page Height"_s)
        return ZoomFit::PageHeight;
    if (choice == u"Whole Page"_s)
        return ZoomFit::WholePage;
    return ZoomFit::None;
}

QPushButton *Button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    // The keys of the window belong to the pages, not to whichever button was pressed last.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}
}  // namespace

const QStringList &TViewerForm::ZoomChoices()
{
    static const QStringList choices = {u"200%"_s, u"150%"_s, u"100%"_s, u"75%"_s, u"50%"_s,
                                        u"25%"_s,  u"10%"_s,  u"Page Width"_s, u"Page Height"_s, u"Whole Page"_s};
    return choices;
}

QString TViewerForm::PdfFileName(const QString &title)
{
    QString name = title.trimmed();
    for (QChar &c : name)
        if (QStringView(u"\\/:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = u'_';
    if (name.isEmpty())
        name = u"Справка"_s;
    return name + u".pdf"_s;
}

TViewerForm *TViewerForm::Show(std::unique_ptr<rk::ReportJob> job, QWidget *parent)
{
    auto *form = new TViewerForm(std::move(job), parent);  // frees itself on close
    form->show();
    form->raise();
    form->activateWindow();
    form->m_timer.start();
    return form;
}

TViewerForm::TViewerForm(std::unique_ptr<rk::ReportJob> job, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_job(std::move(job)),
      m_store(std::make_unique<rk::PageStore>()),
      m_run(std::make_unique<rk::ReportRun>(*m_job, *m_store))
{
    setAttribute(Qt::WA_DeleteOnClose);
    const QString title = m_job->title();
    setWindowTitle(title.isEmpty() ? DefaultViewerCaption : title);

    m_first = Button(u"<<"_s, this);
    m_previous = Button(u"<"_s, this);
    m_next = Button(u">"_s, this);
    m_last = Button(u">>"_s, this);
    for (QPushButton *b : {m_first, m_previous, m_next, m_last})
        b->setMaximumWidth(b->fontMetrics().horizontalAdvance(u" >> "_s) + 16);
    m_zoom = new QComboBox(this);
    m_zoom->addItems(ZoomChoices());
    m_zoom->setCurrentIndex(DefaultZoom);
    m_zoom->setFocusPolicy(Qt::ClickFocus);
    m_print = Button(u"Печат"_s, this);
    m_setup = Button(u"Настройка напринтера"_s, this);
    m_pdf = Button(u"Запис в PDF"_s, this);
    m_stop = Button(u"Стоп"_s, this);
    m_exit = Button(u"Изход"_s, this);

    auto *pagesCaption = new QLabel(u"Обработени страници:"_s, this);
    m_counter = new QLabel(this);
    m_counter->setAlignment(Qt::AlignCenter);
    m_meter = new QProgressBar(this);
    m_meter->setRange(0, 100);
    m_meter->setValue(0);
    m_meter->setFixedWidth(120);

    auto *counter = new QVBoxLayout;
    counter->setSpacing(0);
    counter->addWidget(pagesCaption);
    counter->addWidget(m_counter);
    counter->addWidget(m_meter);

    auto *bar = new QHBoxLayout;
    for (QPushButton *b : {m_first, m_previous, m_next, m_last})
        bar->addWidget(b);
    bar->addWidget(m_zoom);
    bar->addSpacing(8);
    for (QPushButton *b : {m_print, m_setup, m_pdf, m_stop, m_exit})
        bar->addWidget(b);
    bar->addStretch(1);
    bar->addLayout(counter);

    m_view = new PageView(this);
    m_view->setFocusPolicy(Qt::StrongFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    const auto guarded = [this](void (TViewerForm::*command)()) {
        return [this, command] { RunGuarded([this, command] { (this->*command)(); }); };
    };
    connect(m_first, &QPushButton::clicked, this, guarded(&TViewerForm::first));
    connect(m_previous, &QPushButton::clicked, this, guarded(&TViewerForm::previous));
    connect(m_next, &QPushButton::clicked, this, guarded(&TViewerForm::next));
    connect(m_last, &QPushButton::clicked, this, guarded(&TViewerForm::last));
    connect(m_print, &QPushButton::clicked, this, guarded(&TViewerForm::printCommand));
    connect(m_setup, &QPushButton::clicked, this, guarded(&TViewerForm::printerSetupCommand));
    connect(m_pdf, &QPushButton::clicked, this, guarded(&TViewerForm::pdfCommand));
    connect(m_stop, &QPushButton::clicked, this, guarded(&TViewerForm::stop));
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_zoom, &QComboBox::currentTextChanged, this,
            [this](const QString &choice) { RunGuarded([this, &choice] { setZoom(choice); }); });

    const auto key = [this](QKeyCombination keys, auto command) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, command);
    };
    // The window's own keys are the buttons' keys.
    SetCommandKey(m_first, QKeySequence(Qt::Key_Home), false);
    SetCommandKey(m_previous, QKeySequence(Qt::Key_PageUp), false);
    SetCommandKey(m_next, QKeySequence(Qt::Key_PageDown), false);
    SetCommandKey(m_last, QKeySequence(Qt::Key_End), false);
    SetCommandKey(m_exit, QKeySequence(Qt::Key_Escape), false);
    SetCommandKey(m_print, QKeySequence(Qt::CTRL | Qt::Key_P));
    key(QKeyCombination(Qt::Key_Escape), [this] { close(); });
    key(QKeyCombination(Qt::Key_PageUp), guarded(&TViewerForm::previous));
    key(QKeyCombination(Qt::Key_PageDown), guarded(&TViewerForm::next));
    key(QKeyCombination(Qt::Key_Home), guarded(&TViewerForm::first));
    key(QKeyCombination(Qt::Key_End), guarded(&TViewerForm::last));
    key(Qt::ControlModifier | Qt::Key_PageUp, guarded(&TViewerForm::first));
    key(Qt::ControlModifier | Qt::Key_PageDown, guarded(&TViewerForm::last));

    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TViewerForm::generateSlice);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        resize(std::min(1000, room.width() * 9 / 10), std::min(820, room.height() * 9 / 10));
        move(room.center() - rect().center());
    }
    setZoom(ZoomChoices().at(DefaultZoom));
    refresh();
    m_view->setFocus();
}

TViewerForm::~TViewerForm() = default;

bool TViewerForm::generating() const { return !m_run->finished(); }

int TViewerForm::meter() const { return m_meter->value(); }

QString TViewerForm::counterText() const
{
    return u"%1 / %2"_s.arg(m_current + 1).arg(m_store->count());
}

QString TViewerForm::zoom() const { return m_zoom->currentText(); }

void TViewerForm::setZoom(const QString &choice)
{
    const int index = int(ZoomChoices().indexOf(choice));
    if (index < 0)
        return;
    if (m_zoom->currentIndex() != index) {
        m_zoom->setCurrentIndex(index);  // comes back here through the list's signal
        return;
    }
    const ZoomFit fit = FitOf(choice);
    if (fit == ZoomFit::None)
        m_view->setZoomPercent(QStringView(choice).chopped(1).toInt());
    else
        m_view->setZoomFit(fit);
}

void TViewerForm::first() { goTo(0); }
void TViewerForm::previous() { goTo(m_current - 1); }
void TViewerForm::next() { goTo(m_current + 1); }
void TViewerForm::last() { goTo(m_store->count() - 1); }

void TViewerForm::goTo(int page)
{
    if (page < 0 || page >= m_store->count())
        return;
    m_current = page;
    refresh();
}

void TViewerForm::stop()
{
    endGeneration();
    refresh();
}

void TViewerForm::endGeneration()
{
    m_timer.stop();
    if (!m_run->finished())
        m_run->stop();
    emit generationEnded();
}

void TViewerForm::generateSlice()
{
    if (!generating())
        return;
    std::exception_ptr failure;
    try {
        m_run->runSlice(SliceMs);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure) {
        // The report ends before its error shows, so nothing is made underneath the message.
        endGeneration();
        refresh();
        RunGuarded([&failure] { std::rethrow_exception(failure); });
        if (m_store->count() == 0)
            close();
        return;
    }
    refresh();
    emit generationProgress(m_run->progress());
    if (generating())
        m_timer.start();
    else
        emit generationEnded();
}

void TViewerForm::refresh()
{
    const int count = m_store->count();
    if (m_current < 0 && count > 0)
        m_current = 0;
    if (m_current >= 0 && m_current != m_shown) {
        m_view->setPage(m_store->page(m_current));
        m_shown = m_current;
    }
    m_counter->setText(counterText());
    m_first->setEnabled(m_current > 0);
    m_previous->setEnabled(m_current > 0);
    m_next->setEnabled(m_current >= 0 && m_current < count - 1);
    m_last->setEnabled(m_current >= 0 && m_current < count - 1);
    // Printing and saving take the whole report, so they wait until it is made or stopped.
    const bool making = generating();
    m_stop->setEnabled(making);
    m_print->setEnabled(!making && count > 0);
    m_pdf->setEnabled(!making && count > 0);
    // A stopped report keeps the meter where it stopped.
    if (!m_run->stopped())
        m_meterValue = m_run->progress();
    m_meter->setValue(m_meterValue);
}

void TViewerForm::closeEvent(QCloseEvent *event)
{
    endGeneration();
    event->accept();
}

QPrinter &TViewerForm::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setDocName(windowTitle());
    }
    return *m_printer;
}

bool TViewerForm::printPages(QPrinter &printer, int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, m_store->count() - 1);
    if (first > last)
        return false;
    // The pages carry their own margins.
    printer.setFullPage(true);
    QPainter painter;
    for (int i = first; i <= last; ++i) {
        const rk::Page page = m_store->page(i);
        printer.setPageOrientation(page.setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (i == first ? !painter.begin(&printer) : !printer.newPage())
            return false;
        rk::PaintPage(painter, page, printer.resolution() / 25.4);
    }
    return painter.end();
}

void TViewerForm::printCommand()
{
    const int count = m_store->count();
    if (count == 0)
        return;
    QPrinter &p = printer();
    QPrintDialog dialog(&p, this);
    dialog.setMinMax(1, count);
    dialog.setFromTo(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0, to = count - 1;
    if (p.printRange() == QPrinter::PageRange) {
        from = p.fromPage() - 1;
        to = p.toPage() - 1;
    } else if (p.printRange() == QPrinter::CurrentPage) {
        from = to = m_current;
    }
    if (!printPages(p, from, to))
        Messages::show(u"Справката не е отпечатана!"_s);
}

void TViewerForm::printerSetupCommand()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void TViewerForm::pdfCommand()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString file = QFileDialog::getSaveFileName(this, u"Запис в PDF"_s,
                                                QDir(folder).filePath(PdfFileName(m_job->title())),
                                                u"PDF файлове (*.pdf)"_s);
    if (file.isEmpty())
        return;
    if (!file.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        file += u".pdf"_s;
    savePdf(file);
}

bool TViewerForm::savePdf(const QString &file)
{
    try {
        rk::SavePdf(file, m_store->count(), [this](int i) { return m_store->page(i); });
        return true;
    } catch (const MyException &e) {
        Messages::show(e.message());
        return false;
    }
}

QString TViewerForm::reportText() const
{
    return rk::ReportText(m_store->count(), [this](int i) { return m_store->page(i); });
}
