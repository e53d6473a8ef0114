#include "firms/TFirmForm.h"

#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "firms/TFirmDataEditForm.h"
#include "firms/TFirmDataForm.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "widgets/Accelerators.h"

#include <QEvent>
#include <QHBoxLayout>
#include "firm/Currency.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
enum Column { NameColumn, YearColumn, CurrencyColumn, DnColumn, BsColumn, PathColumn, ColumnCount };

const QString ExitQuestion = QStringLiteral("Сигурни ли сте че искате да излезете от програмата ?");
}  // namespace

TFirmForm::TFirmForm(TFD &fd, TDM &dm, bool atStart, QWidget *parent)
    : TitleStripDialog(QStringLiteral("Избор на фирма:"), parent),
      m_fd(fd),
      m_dm(dm),
      m_atStart(atStart),
      m_firmAtOpen(fd.currentFirmId)
{
    m_grid = new QTableWidget(0, ColumnCount, body());
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Наименование на фирма"), QStringLiteral("Година"),
                                       QStringLiteral("Валута"), QStringLiteral("Данъчен номер"),
                                       QStringLiteral("Булстат"), QStringLiteral("Път до данните")});
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(NameColumn, 220);
    m_grid->setColumnWidth(YearColumn, 60);
    m_grid->setColumnWidth(CurrencyColumn, 60);
    m_grid->setColumnWidth(DnColumn, 110);
    m_grid->setColumnWidth(BsColumn, 110);
    m_grid->setFixedHeight(m_grid->horizontalHeader()->sizeHint().height()
                           + VisibleRows * m_grid->verticalHeader()->defaultSectionSize()
                           + 2 * m_grid->frameWidth());
    m_grid->installEventFilter(this);

    m_up = new QToolButton(body());
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(body());
    m_down->setArrowType(Qt::DownArrow);
    auto *arrows = new QVBoxLayout;
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    arrows->addStretch(1);

    auto *gridRow = new QHBoxLayout;
    gridRow->addWidget(m_grid, 1);
    gridRow->addLayout(arrows);

    auto makeButton = [this](const QString &caption) {
        auto *b = new QPushButton(caption, body());
        m_buttons << b;
        return b;
    };
    m_leave = makeButton(atStart ? QStringLiteral("Изход ") : QStringLiteral("Назад"));
    m_add = makeButton(QStringLiteral("Добавяне"));
    m_edit = makeButton(QStringLiteral("Редактиране"));
    m_delete = makeButton(QStringLiteral("Изтриване"));
    m_choose = makeButton(QStringLiteral("Избор"));
    m_choose->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_leave);
    buttons->addStretch(1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addSpacing(12);
    buttons->addWidget(m_choose);

    auto *layout = new QVBoxLayout(body());
    layout->addLayout(gridRow);
    layout->addLayout(buttons);

    // "Избор" on Enter and Ctrl+Enter, the way out on Esc; the arrows move the firm in the list.
    SetCommandKey(m_choose, QKeySequence(Qt::CTRL | Qt::Key_Return));
    SetCommandKey(m_leave, QKeySequence(Qt::Key_Escape), false);
    m_up->setToolTip(QStringLiteral("Премества фирмата нагоре в списъка"));
    m_down->setToolTip(QStringLiteral("Премества фирмата надолу в списъка"));
    SetCommandKey(m_up, QKeySequence(Qt::CTRL | Qt::Key_Up));
    SetCommandKey(m_down, QKeySequence(Qt::CTRL | Qt::Key_Down));
    connect(m_up, &QToolButton::clicked, this, [this] { moveCurrent(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { moveCurrent(1); });
    connect(m_leave, &QPushButton::clicked, this, &TFirmForm::leave);
    connect(m_add, &QPushButton::clicked, this, &TFirmForm::addFirm);
    connect(m_edit, &QPushButton::clicked, this, &TFirmForm::editFirm);
    connect(m_delete, &QPushButton::clicked, this, &TFirmForm::deleteFirm);
    connect(m_choose, &QPushButton::clicked, this, [this] { chooseCurrent(); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { chooseCurrent(); });

    resize(760, sizeHint().height());
    CentreOnDesktop(this);

    m_fd.Reopen();
    reload();
    if (m_firmAtOpen != 0)
        selectFirm(m_firmAtOpen);
}

QPushButton *TFirmForm::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons)
        if (PlainCaption(b->text()) == caption)
            return b;
    return nullptr;
}

int TFirmForm::currentFirmId() const
{
    const int row = m_grid->currentRow();
    return row >= 0 && row < m_firms.size() ? m_firms.at(row).Firm_ID : 0;
}

bool TFirmForm::selectFirm(int firmId)
{
    for (int row = 0; row < m_firms.size(); ++row) {
        if (m_firms.at(row).Firm_ID == firmId) {
            m_grid->setCurrentCell(row, NameColumn);
            return true;
        }
    }
    return false;
}

void TFirmForm::reload()
{
    const int keep = currentFirmId();
    const int keepRow = m_grid->currentRow();
    m_firms = m_fd.Firms();
    m_grid->setRowCount(int(m_firms.size()));
    for (int row = 0; row < m_firms.size(); ++row) {
        const FirmRecord &firm = m_firms.at(row);
        const QString texts[ColumnCount] = {firm.Firm_Name,
                                            QString::number(firm.Firm_Period),
                                            CurrencyName(CurrencyOfYear(firm.Firm_Period)),
                                            firm.Firm_DN,
                                            firm.Firm_BS,
                                            firm.Firm_DataPath};
        for (int col = 0; col < ColumnCount; ++col)
            m_grid->setItem(row, col, new QTableWidgetItem(texts[col]));
    }
    if (!selectFirm(keep) && !m_firms.isEmpty())
        m_grid->setCurrentCell(qBound(0, keepRow, int(m_firms.size()) - 1), NameColumn);
    updateButtons();
}

void TFirmForm::updateButtons()
{
    const bool any = !m_firms.isEmpty();
    m_choose->setEnabled(any);
    m_edit->setEnabled(any);
    m_delete->setEnabled(any);
    m_up->setEnabled(any);
    m_down->setEnabled(any);
}

void TFirmForm::moveCurrent(int step)
{
    if (m_firms.isEmpty())
        return;
    const int row = qBound(0, m_grid->currentRow() + step, int(m_firms.size()) - 1);
    m_grid->setCurrentCell(row, qMax(0, m_grid->currentColumn()));
}

bool TFirmForm::chooseCurrent()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_firms.size())
        return false;
    const FirmRecord firm = m_firms.at(row);
    try {
        const FirmOpenResult result = OpenFirm(m_fd, m_dm, firm);
        if (!result.opened) {
            Messages::show(result.message);
            return false;
        }
    } catch (const std::exception &e) {
        // The old firm may already be half closed: nothing safe is left to work on.
        Messages::show(ErrorHookText(e));
        terminate();
        return false;
    }
    done(Opened);
    return true;
}

void TFirmForm::terminate()
{
    RunGuarded([this] { m_dm.Close(); });
    emit terminateRequested();
    done(Terminated);
}

void TFirmForm::leave()
{
    if (!m_atStart) {
        done(Back);
        return;
    }
    if (Messages::confirmed(ExitQuestion))
        terminate();
}

void TFirmForm::reject() { leave(); }

void TFirmForm::addFirm()
{
    TFirmDataForm wizard(m_fd, this);
    if (wizard.exec() != TFirmDataForm::Saved)
        return;
    const int created = wizard.createdFirmId();
    RunGuarded([&] {
        reload();
        selectFirm(created);
    });
}

void TFirmForm::editFirm()
{
    const int id = currentFirmId();
    if (id == 0)
        return;
    RunGuarded([&] {
        TFirmDataEditForm editor(m_fd, id, this, &m_dm);
        if (editor.exec() == TFirmDataEditForm::Saved) {
            reload();
            selectFirm(id);
        }
    });
}

void TFirmForm::deleteFirm()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_firms.size())
        return;
    const FirmRecord firm = m_firms.at(row);
    RunGuarded([&] {
        if (RemoveFirm(m_fd, m_dm, firm))
            reload();
    });
}

bool TFirmForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        updateButtons();
    return TitleStripDialog::event(event);
}

bool TFirmForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
            chooseCurrent();
            return true;
        }
    }
    return TitleStripDialog::eventFilter(watched, event);
}
