#include "posting/TOPWizardForm.h"

#include "accounts/FolderStore.h"
#include "accounts/NomRules.h"
#include "accounts/TAccLookUpForm.h"
#include "accounts/TNomWizardForm.h"
#include "accounts/TSmWizardForm.h"
#include "app/TErrorHook.h"
#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "posting/OpElementGrid.h"
#include "posting/OpTemplateStore.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

int KeyOf(const QComboBox *box) { return box->currentIndex() < 0 ? 0 : box->currentData().toInt(); }

int AccountNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? number : 0;
}

}  // namespace

TOPWizardForm::TOPWizardForm(TFD &fd, TDM &dm, Request request, QWidget *parent)
    : TitleStripDialog(u"Въвеждане на счетоводни операции"_s, parent), m_fd(fd), m_dm(dm), m_request(request)
{
    m_state = AddStateLabel(*this);
    m_state->setText(StateCaption(EditState::Inactive));

    QWidget *header = buildHeader();
    m_debitPanel = buildSide(true);
    m_creditPanel = buildSide(false);
    auto *sides = new QHBoxLayout;
    sides->addWidget(m_debitPanel, 1);
    sides->addWidget(m_creditPanel, 1);

    m_save = new QPushButton(u"Запис"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    // Enter belongs to the grids and the boxes, never to a button.
    m_save->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    m_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SetDialogKeys(m_save, m_cancel);
    auto *footer = new QHBoxLayout;
    footer->addStretch(1);
    footer->addWidget(m_save);
    footer->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(header);
    layout->addLayout(sides, 1);
    layout->addLayout(footer);

    for (Grid g : AllGrids) {
        buildMenu(g);
        connectGrid(g);
    }
    connect(m_save, &QPushButton::clicked, this, [this] { RunGuarded([this] { save(); }); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });

    resize(820, 560);
    CentreOnDesktop(this);
}

QWidget *TOPWizardForm::buildHeader()
{
    auto *header = new QWidget(body());
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto *nameLabel = new QLabel(u"Наименование на операцията:"_s, header);
    m_name = new QLineEdit(header);
    m_name->setMaxLength(50);
    nameLabel->setBuddy(m_name);
    m_folderLabel = new MouseLabel(u"Папка:"_s, header);
    m_folderLabel->setToolTip(
        ScreenText(u"С левия бутон на мишката добавяте папка,\r\nс десния редактирате избраната."_s));
    m_folder = new QComboBox(header);
    m_folder->setMinimumWidth(160);
    row->addWidget(nameLabel);
    row->addWidget(m_name, 1);
    row->addSpacing(16);
    row->addWidget(m_folderLabel);
    row->addWidget(m_folder);
    connect(m_folderLabel, &MouseLabel::leftClicked, this,
            [this] { RunGuarded([this] { folderLabelPressed(Qt::LeftButton); }); });
    connect(m_folderLabel, &MouseLabel::rightClicked, this,
            [this] { RunGuarded([this] { folderLabelPressed(Qt::RightButton); }); });
    return header;
}

QWidget *TOPWizardForm::buildSide(bool debit)
{
    auto *side = new QWidget(body());
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    for (Grid g : AllGrids) {
        if (IsDebit(g) != debit)
            continue;
        auto *caption = new MouseLabel(EntryRules::PanelCaption(g, true), side);
        caption->setToolTip(g == Grid::BaseDt
                                ? u"Добавяне на сметка"_s
                                : u"Двоен щрак: добавяне на сметка"_s);
        caption->installEventFilter(this);
        auto *grid = new OpElementGrid(side);
        column->addWidget(caption);
        column->addWidget(grid, g == Grid::BaseDt || g == Grid::BaseKt ? 3 : 1);
        m_captions[int(g)] = caption;
        m_grids[int(g)] = grid;
    }
    return side;
}

void TOPWizardForm::buildMenu(Grid g)
{
    OpElementGrid *grid = m_grids[int(g)];
    auto *menu = new QMenu(grid);
    QAction *add = menu->addAction(u"Добавяне на ред"_s, this, [this, g] { RunGuarded([this, g] { addElement(g); }); });
    QAction *remove =
        menu->addAction(u"Изтриване на ред"_s, this, [this, g] { RunGuarded([this, g] { deleteElement(g); }); });
    add->setShortcut(QKeySequence(Qt::Key_Insert));
    remove->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    for (QAction *action : {add, remove}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        grid->addAction(action);
    }
    m_menus[int(g)] = menu;
    connect(grid, &QWidget::customContextMenuRequested, this,
            [grid, menu](const QPoint &pos) { menu->popup(grid->viewport()->mapToGlobal(pos)); });
}

void TOPWizardForm::connectGrid(Grid g)
{
    OpElementGrid *grid = m_grids[int(g)];
    MouseLabel *caption = m_captions[int(g)];
    connect(grid, &EntryGrid::cellTyped, this, [this, g](int row, int column, const QString &text) {
        RunGuarded([&] { cellTyped(g, row, column, text); });
    });
    connect(grid, &EntryGrid::spacePressed, this, [this, g](int row, int column) {
        if (column == EntryGrid::AccountColumn)
            RunGuarded([&] { pickAccount(g, row); });
    });
    connect(grid, &OpElementGrid::pickerButtonPressed, this,
            [this, g](int row) { RunGuarded([&] { pickAccount(g, row); }); });
    connect(grid, &EntryGrid::pastLastRow, this, [this, g] { RunGuarded([this, g] { addElement(g); }); });
    connect(grid, &EntryGrid::hintRequested, this, [this, g] { RunGuarded([this, g] { editElementAccount(g); }); });
    connect(caption, &MouseLabel::leftClicked, this, [this, g] { RunGuarded([this, g] { captionPressed(g, false); }); });
}

std::optional<int> TOPWizardForm::Run(TFD &fd, TDM &dm, const Request &request, QWidget *parent)
{
    TOPWizardForm form(fd, dm, request, parent);
    bool ready = false;
    if (!RunGuarded([&] { ready = form.begin(); }) || !ready)
        return std::nullopt;
    RunModal(form);
    return form.savedId();
}

bool TOPWizardForm::begin()
{
    if (m_request.opId) {
        if (const auto holder = RecordLock::Acquire(m_dm.db(), OpTemplateStore::LockTable,
                                                    OpTemplateStore::LockKey(*m_request.opId), m_lock)) {
            Messages::show(LockMessage(RecordLockPrefix, *holder));
            return false;
        }
        const auto stored = OpTemplateStore::Load(m_dm.db(), *m_request.opId);
        if (!stored) {
            m_lock.release();
            Messages::show(OpNotFoundMessage);
            return false;
        }
        m_op = *stored;
    } else {
        m_op = OpTemplateStore::New(m_fd, m_dm, m_request.folder);
        // Nobody else can know the number yet; the lock keeps a delete away from it all the same.
        RecordLock::Acquire(m_dm.db(), OpTemplateStore::LockTable, OpTemplateStore::LockKey(m_op.opId), m_lock);
    }
    m_state->setText(StateCaption(m_request.opId ? EditState::Edit : EditState::Insert));
    m_name->setText(m_op.name);
    fillFolders(m_op.folder);
    m_folderLabel->setEnabled(!m_request.folderFixed);
    refreshAll();
    m_name->setFocus();
    return true;
}

void TOPWizardForm::fillFolders(int folder)
{
    m_filling = true;
    m_folder->clear();
    m_folder->addItem(QString(), 0);
    for (const NomPapRow &row : FolderStore::All(m_dm.db()))
        m_folder->addItem(row.Nom_Pap_Name, row.Nom_Pap_No);
    const int index = m_folder->findData(folder);
    m_folder->setCurrentIndex(index < 0 ? 0 : index);
    m_filling = false;
}

QString TOPWizardForm::stateText() const { return m_state->text(); }

QWidget *TOPWizardForm::sidePanel(Grid g) const { return IsDebit(g) ? m_debitPanel : m_creditPanel; }

bool TOPWizardForm::validRow(Grid g, int row) const { return row >= 0 && row < m_op.rows(g).size(); }

void TOPWizardForm::refreshGrid(Grid g) { m_grids[int(g)]->showElements(m_op.rows(g)); }

void TOPWizardForm::refreshAll()
{
    for (Grid g : AllGrids)
        refreshGrid(g);
}

void TOPWizardForm::commitAll()
{
    for (OpElementGrid *grid : m_grids)
        grid->commitPending();
}

void TOPWizardForm::collectHeader()
{
    m_op.name = m_name->text();
    m_op.folder = KeyOf(m_folder);
}

void TOPWizardForm::focusAccount(Grid g, int row)
{
    m_grids[int(g)]->returnTo(row, EntryGrid::AccountColumn);
    m_grids[int(g)]->setFocus();
}

// --- elements ---

bool TOPWizardForm::addElement(Grid g)
{
    commitAll();
    if (m_cellsWaiting > 0)
        return false;
    const int row = OpTemplateRules::AddElement(m_fd, m_dm, m_op, g, m_grids[int(g)]->currentRow());
    if (row < 0) {
        const int current = m_grids[int(g)]->currentRow();
        if (validRow(g, current) && !OpTemplateRules::AccountProblem(m_dm.db(), m_op.rows(g).at(current).account)
                                         .isEmpty())
            focusAccount(g, current);
        return false;
    }
    refreshGrid(g);
    focusAccount(g, row);
    return true;
}

void TOPWizardForm::deleteElement(Grid g)
{
    OpElementGrid *grid = m_grids[int(g)];
    grid->discardPending();
    const int row = grid->currentRow();
    if (!validRow(g, row))
        return;
    m_op.rows(g).removeAt(row);
    refreshGrid(g);
}

bool TOPWizardForm::typeAccount(Grid g, int row, const QString &text)
{
    if (!validRow(g, row))
        return false;
    OpElement typed = m_op.rows(g).at(row);
    OpTemplateRules::SetAccount(typed, AccountNumber(text));
    const QString problem = OpTemplateRules::AccountProblem(m_dm.db(), typed.account);
    if (problem.isEmpty()) {
        m_op.rows(g)[row] = typed;
        m_grids[int(g)]->showElement(row, typed);
        return true;
    }
    // The typed number is refused; the picker offers an account instead.
    m_grids[int(g)]->showElement(row, m_op.rows(g).at(row));
    Messages::show(problem);
    OpElement picked = m_op.rows(g).at(row);
    if (pick(g, picked) && validRow(g, row)) {
        m_op.rows(g)[row] = picked;
        m_grids[int(g)]->showElement(row, picked);
        focusAccount(g, row);
    }
    return false;
}

void TOPWizardForm::cellTyped(Grid g, int row, int column, const QString &text)
{
    if (column != EntryGrid::AccountColumn || !validRow(g, row))
        return;
    if (OpTemplateRules::AccountProblem(m_dm.db(), AccountNumber(text)).isEmpty()) {
        typeAccount(g, row, text);
        return;
    }
    // The cell's editor is closing: the message and the picker wait until it is gone.
    m_grids[int(g)]->showElement(row, m_op.rows(g).at(row));
    ++m_cellsWaiting;
    QMetaObject::invokeMethod(
        this,
        [this, g, row, text] {
            --m_cellsWaiting;
            RunGuarded([&] { typeAccount(g, row, text); });
        },
        Qt::QueuedConnection);
}

bool TOPWizardForm::pick(Grid g, OpElement &element)
{
    TAccountStr start;
    start.number = element.account;
    start.levels = element.lots;
    const auto picked = TAccLookUpForm::Pick(m_fd, m_dm, start, sidePanel(g));
    activateWindow();
    if (!picked)
        return false;
    OpTemplateRules::TakePicked(element, *picked);
    return true;
}

bool TOPWizardForm::pickAccount(Grid g, int row)
{
    if (!validRow(g, row))
        return false;
    OpElement picked = m_op.rows(g).at(row);
    if (!pick(g, picked) || !validRow(g, row))
        return false;
    m_op.rows(g)[row] = picked;
    m_grids[int(g)]->showElement(row, picked);
    const QString problem = OpTemplateRules::AccountProblem(m_dm.db(), picked.account);
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    focusAccount(g, row);
    return true;
}

// --- editors opened from the editor ---

void TOPWizardForm::folderLabelPressed(Qt::MouseButton button)
{
    if (m_request.folderFixed)
        return;
    std::optional<int> saved;
    if (button == Qt::LeftButton) {
        saved = TNomWizardForm::Run(m_dm, NomKind::Folder, 0, std::nullopt, this);
    } else if (button == Qt::RightButton) {
        const int folder = KeyOf(m_folder);
        if (folder == 0)
            return;
        saved = TNomWizardForm::Run(m_dm, NomKind::Folder, 0, folder, this);
    } else {
        return;
    }
    fillFolders(saved.value_or(KeyOf(m_folder)));
}

void TOPWizardForm::captionPressed(Grid g, bool doubleClick)
{
    if ((g == Grid::BaseDt) == doubleClick)
        return;
    hide();
    TSmWizardForm::Run(m_fd, m_dm, std::nullopt, this);
    show();
    refreshAll();
}

void TOPWizardForm::editElementAccount(Grid g)
{
    const int row = m_grids[int(g)]->currentRow();
    if (!validRow(g, row))
        return;
    const int account = m_op.rows(g).at(row).account;
    if (account == 0 || !FindAccount(m_dm.db(), account))
        return;
    hide();
    TSmWizardForm::Run(m_fd, m_dm, account, this);
    show();
    refreshAll();
}

bool TOPWizardForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        for (Grid g : AllGrids)
            if (watched == m_captions[int(g)]) {
                RunGuarded([this, g] { captionPressed(g, true); });
                return true;
            }
    return TitleStripDialog::eventFilter(watched, event);
}

// --- save and cancel ---

bool TOPWizardForm::save()
{
    commitAll();
    // An account just typed that still waits for its message or picker is not in the template yet.
    if (m_cellsWaiting > 0)
        return false;
    collectHeader();
    if (!OpTemplateRules::ValidateForSave(m_dm.db(), m_op))
        return false;
    // A failure in the database is shown by the error hook; the input stays for another try.
    bool written = false;
    if (!RunGuarded([this, &written] { written = OpTemplateStore::Save(m_dm.db(), m_op); }) || !written)
        return false;
    m_saved = m_op.opId;
    m_lock.release();
    accept();
    return true;
}

void TOPWizardForm::reject()
{
    m_lock.release();
    TitleStripDialog::reject();
}
