#include "statements/TReportForm.h"

#include "engine/ReadSnapshot.h"
#include "widgets/Accelerators.h"

#include "app/TErrorHook.h"
#include "app/TProgressForm.h"
#include "engine/Db.h"
#include "engine/Formats.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "reports/TRepDateForm.h"
#include "reports/TViewerForm.h"
#include "statements/IncludeRowsPanel.h"
#include "statements/StatementReport.h"
#include "statements/StatementView.h"
#include "statements/TRepDataSetForm.h"
#include "widgets/EditorWidgets.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString Caption(StatementType type)
{
    switch (type) {
    case StatementType::Balance: return u"   Баланс"_s;
    case StatementType::Income: return u"   Отчет за приходи и разходи"_s;
    case StatementType::CashFlow: return u"   Отчет за паричния поток"_s;
    case StatementType::None: break;
    }
    return {};
}
}  // namespace

TReportForm::TReportForm(TFD &fd, TDM &dm, StatementType type, Mode mode, QWidget *parent)
    : TitleStripDialog(Caption(type), parent), m_fd(fd), m_dm(dm), m_type(type), m_mode(mode)
{
    if (mode == Docked) {
        // A page of the main window: no strip of its own.
        setWindowFlags(Qt::Widget);
        strip()->hide();
    }
    const QList<StatementColumn> columns = StatementColumns(type);
    m_grid = new QTableWidget(0, int(columns.size()), body());
    QStringList captions;
    for (const StatementColumn &c : columns)
        captions << c.caption;
    m_grid->setHorizontalHeaderLabels(captions);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->setColumnWidth(0, type == StatementType::Balance ? 270 : 330);
    for (int c = 1; c < columns.size(); ++c)
        m_grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    m_panel = new IncludeRowsPanel(body());

    auto make = [this](const QString &caption) { return new QPushButton(caption, body()); };
    m_back = make(u"Назад"_s);
    m_refresh = make(u"Обнови"_s);
    m_refreshTo = make(u"Обнови към"_s);
    m_print = make(u"Печат"_s);
    m_settings = make(u"Настрока"_s);
    m_defaults = make(u"Настройка по подразбиране"_s);
    SetCommandKey(m_refresh, QKeySequence(Qt::Key_F5));
    SetCommandKey(m_print, QKeySequence(Qt::CTRL | Qt::Key_P));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_back, m_refresh, m_refreshTo, m_print, m_settings, m_defaults})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(m_grid, 3);
    top->addWidget(m_panel, 1);
    auto *layout = new QVBoxLayout(body());
    layout->addLayout(buttons);
    layout->addLayout(top, 1);

    connect(m_back, &QPushButton::clicked, this, [this] { back(); });
    connect(m_refresh, &QPushButton::clicked, this, [this] { refresh(); });
    connect(m_refreshTo, &QPushButton::clicked, this, [this] { refreshTo(); });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_settings, &QPushButton::clicked, this, [this] { settings(); });
    connect(m_defaults, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this] { currentLineChanged(); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { settings(); });
    m_grid->installEventFilter(this);
    resize(1200, 640);
    CentreOnDesktop(this);
}

std::optional<ComputedStatement> TReportForm::Open(TFD &fd, TDM &dm, StatementType type, Mode mode, const QDate &from,
                                                   const QDate &to, QWidget *host)
{
    if (mode == ComputeOnly) {
        TReportForm form(fd, dm, type, mode, host);
        if (!form.compute(from, to))
            return std::nullopt;
        return form.statement();
    }
    if (mode == Modal) {
        TReportForm form(fd, dm, type, mode, host);
        if (!form.compute(from, to))
            return std::nullopt;
        RunModal(form);
        return form.statement();
    }
    auto form = std::make_unique<TReportForm>(fd, dm, type, mode, host);
    if (!form->compute(from, to))
        return std::nullopt;
    if (QLayout *layout = host ? host->layout() : nullptr)
        layout->addWidget(form.get());
    form->show();
    form->m_grid->setFocus();
    // The main window waits here until the view closes or the program ends.
    const QPointer<TReportForm> alive(form.get());
    QEventLoop loop;
    connect(form.get(), &QDialog::finished, &loop, &QEventLoop::quit);
    if (host)
        connect(host, &QObject::destroyed, &loop, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    loop.exec();
    if (!alive) {
        (void)form.release();  // its host went first and took it along
        return std::nullopt;
    }
    return form->statement();
}

bool TReportForm::compute(const QDate &from, const QDate &to)
{
    return RunGuarded([&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_panel->hide();
        const auto restore = qScopeGuard([this] {
            QApplication::restoreOverrideCursor();
            m_panel->show();
        });
        TProgressForm progress(window());
        progress.setMessage(u"Изготвяне на отчета, моля изчакайте!"_s);
        progress.show();
        // Every line from one state of the books, while others may post.
        ReadSnapshot books(m_dm.db());
        ComputedStatement result = ComputeStatement(books.db(), m_fd.db(), m_type, from, to, [&](int done, int total) {
            progress.setRange(0, total);
            progress.setValue(done);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        const int line = currentLine() ? currentLine()->line.OPR_Pok_No : -1;
        m_statement = std::move(result);
        m_computed = true;
        if (m_mode != ComputeOnly) {
            fillGrid();
            if (!selectLine(line) && m_grid->rowCount() > 0)
                m_grid->setCurrentCell(0, 0);
        }
    });
}

void TReportForm::fillGrid()
{
    const QSignalBlocker block(m_grid);
    const QList<StatementColumn> columns = StatementColumns(m_type);
    m_grid->setRowCount(int(m_statement.lines.size()));
    for (int r = 0; r < m_statement.lines.size(); ++r) {
        const ComputedLine &line = m_statement.lines[r];
        const QColor shade = StatementRowShade(m_type, line.line.OPR_Value);
        for (int c = 0; c < columns.size(); ++c) {
            auto *item = new QTableWidgetItem(StatementCellText(line, columns[c].field));
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (shade.isValid())
                item->setBackground(shade);
            m_grid->setItem(r, c, item);
        }
    }
    setCaption(Caption(m_type) + u"  за периода от "_s + Formats::Date(m_statement.from) + u" до "_s
               + Formats::Date(m_statement.to));
}

const ComputedLine *TReportForm::currentLine() const
{
    const int row = m_grid->currentRow();
    return row >= 0 && row < m_statement.lines.size() ? &m_statement.lines[row] : nullptr;
}

bool TReportForm::selectLine(int lineNo)
{
    for (int r = 0; r < m_statement.lines.size(); ++r)
        if (m_statement.lines[r].line.OPR_Pok_No == lineNo) {
            m_grid->setCurrentCell(r, 0);
            return true;
        }
    return false;
}

void TReportForm::currentLineChanged()
{
    const ComputedLine *line = currentLine();
    m_settings->setEnabled(line && line->line.OPR_Value == 1);
    RunGuarded([this] { showIncludeRows(); });
}

void TReportForm::showIncludeRows()
{
    const ComputedLine *line = currentLine();
    if (!line) {
        m_panel->clear();
        return;
    }
    m_panel->showRows(m_type, ReadIncludeRows(m_dm.db(), m_type, line->line.OPR_Pok_No));
}

bool TReportForm::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on a data line opens its settings, as a double click does.
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            settings();
            return true;
        }
    }
    return TitleStripDialog::eventFilter(watched, event);
}

void TReportForm::back() { done(QDialog::Accepted); }

void TReportForm::refresh()
{
    if (m_computed)
        compute(m_statement.from, m_statement.to);
}

bool TReportForm::refreshTo()
{
    std::optional<ReportPeriodDefaults> dates;
    if (!RunGuarded([&] {
            dates = TRepDateForm::Ask(ReadPeriod(m_dm.db()), this, ReportPeriodDefaults{m_statement.from, m_statement.to});
        }))
        return false;
    return dates && compute(dates->from, dates->to);
}

void TReportForm::print()
{
    if (!refreshTo())
        return;
    RunGuarded([this] {
        // A modal view closes before its preview: the preview belongs to the window under it.
        QWidget *owner = m_mode == Modal && parentWidget() ? parentWidget()->window() : window();
        TViewerForm::Show(std::make_unique<StatementReportJob>(m_statement, firmName()), owner);
    });
}

void TReportForm::settings()
{
    const ComputedLine *line = currentLine();
    if (!line || line->line.OPR_Value != 1)
        return;
    const StatementLine target = line->line;
    RunGuarded([&] {
        TRepDataSetForm::Run(m_fd, m_dm, m_type, target, this);
        showIncludeRows();
    });
}

void TReportForm::restoreDefaults()
{
    RunGuarded([this] {
        if (RestoreDefaultIncludeRows(m_dm.db(), m_fd.db(), m_type))
            showIncludeRows();
    });
}

QString TReportForm::firmName() const
{
    const auto firm = m_fd.Firm(m_fd.currentFirmId);
    return firm ? firm->Firm_Name : QString();
}
