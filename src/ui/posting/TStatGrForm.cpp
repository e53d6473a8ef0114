#include "posting/TStatGrForm.h"

#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/TKontraAddForm.h"
#include "accounts/TNomWizardForm.h"
#include "accounts/TSmWizardForm.h"
#include "accounts/TStatLookUpForm.h"
#include "app/TErrorHook.h"
#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "firm/VatRate.h"
#include "help/HelpSystem.h"
#include "posting/EntryGrid.h"
#include "posting/EntryWizardData.h"
#include "posting/GroupPosting.h"
#include "posting/Stock.h"
#include "posting/TOPWizardForm.h"
#include "posting/VatProposal.h"
#include "registry/TFD.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum HeaderPage { PlainPage = 0, VatPage = 1 };

const QString OperationHint =
    u"С левия бутон на мишката добавяте операция за папката,\r\nс десния редактирате избраната."_s;

int AccountNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? number : 0;
}

void Choose(QComboBox *box, int key)
{
    box->setCurrentIndex(box->findData(key));
}

int KeyOf(const QComboBox *box) { return box->currentIndex() < 0 ? 0 : box->currentData().toInt(); }

QLineEdit *DateBox(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setInputMask(u"99.99.9999"_s);
    edit->setMaximumWidth(100);
    return edit;
}

}  // namespace

TStatGrForm::TStatGrForm(TFD &fd, TDM &dm, QWidget *parent)
    : TitleStripDialog(u"Въвеждане на счетоводни статии"_s, parent), m_fd(fd), m_dm(dm)
{
    QWidget *header = buildHeader();
    m_debitPanel = buildSide(true);
    m_creditPanel = buildSide(false);
    auto *sides = new QHBoxLayout;
    sides->addWidget(m_debitPanel, 1);
    sides->addWidget(m_creditPanel, 1);

    m_debitSum = new QLabel(body());
    m_creditSum = new QLabel(body());
    m_save = new QPushButton(u"Запис"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    // Enter belongs to the grids, never to a button.
    m_save->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    auto *footer = new QHBoxLayout;
    footer->addWidget(new QLabel(u"Сума по дебита:"_s, body()));
    footer->addWidget(m_debitSum);
    footer->addStretch(1);
    footer->addWidget(new QLabel(u"Сума по кредита:"_s, body()));
    footer->addWidget(m_creditSum);
    footer->addStretch(1);
    footer->addWidget(m_save);
    footer->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(header);
    layout->addLayout(sides, 1);
    layout->addLayout(footer);

    m_hint = new QLabel(this);
    m_hint->setFrameShape(QFrame::Box);
    m_hint->setAutoFillBackground(true);
    QPalette pal = m_hint->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    m_hint->setPalette(pal);
    m_hint->hide();

    for (Grid g : AllGrids) {
        buildMenu(g);
        connectGrid(g);
    }
    connect(m_save, &QPushButton::clicked, this, [this] { RunGuarded([this] { save(); }); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    // Ctrl+Enter saves from anywhere in the wizard, Esc cancels it.
    SetDialogKeys(m_save, m_cancel);
    setReadingTabOrder();

    resize(960, 620);
    CentreOnDesktop(this);
}

QWidget *TStatGrForm::buildHeader()
{
    m_header = new QStackedWidget(body());

    auto *plain = new QWidget(m_header);
    auto *plainRow = new QHBoxLayout(plain);
    m_plainDate = DateBox(plain);
    m_plainOps = new QComboBox(plain);
    plainRow->addWidget(new QLabel(u"Дата на осчетовод.:"_s, plain));
    plainRow->addWidget(m_plainDate);
    plainRow->addSpacing(20);
    m_plainOpsLabel = new MouseLabel(u"Операция:"_s, plain);
    plainRow->addWidget(m_plainOpsLabel);
    plainRow->addWidget(m_plainOps, 1);
    m_header->addWidget(plain);

    auto *vat = new QWidget(m_header);
    auto *grid = new QGridLayout(vat);
    m_vatDate = DateBox(vat);
    m_delivery = new QComboBox(vat);
    m_docType = new QComboBox(vat);
    m_kontraLabel = new MouseLabel(u"Контрагент:"_s, vat);
    m_kontraLabel->setToolTip(
        ScreenText(u"С левия бутон на мишката добавяте контрагент,\r\nс десния редактирате избрания."_s));
    m_kontra = new QComboBox(vat);
    m_vatOps = new QComboBox(vat);
    grid->addWidget(new QLabel(u"Дата на осчетовод.:"_s, vat), 0, 0);
    grid->addWidget(m_vatDate, 0, 1);
    grid->addWidget(new QLabel(u"Дневници по ДДС:"_s, vat), 0, 2);
    grid->addWidget(m_delivery, 0, 3);
    grid->addWidget(new QLabel(u"Док. по ЗДДС:"_s, vat), 1, 0);
    grid->addWidget(m_docType, 1, 1);
    grid->addWidget(m_kontraLabel, 1, 2);
    grid->addWidget(m_kontra, 1, 3);
    m_vatOpsLabel = new MouseLabel(u"Операция:"_s, vat);
    grid->addWidget(m_vatOpsLabel, 2, 0);
    grid->addWidget(m_vatOps, 2, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    m_header->addWidget(vat);

    for (QLineEdit *date : {m_plainDate, m_vatDate})
        date->installEventFilter(this);
    for (QComboBox *ops : {m_plainOps, m_vatOps})
        connect(ops, &QComboBox::currentIndexChanged, this, [this, ops] {
            if (!m_filling && KeyOf(ops) != 0)
                RunGuarded([this, ops] { chooseOperation(KeyOf(ops)); });
        });
    for (MouseLabel *label : {m_plainOpsLabel, m_vatOpsLabel}) {
        label->setToolTip(ScreenText(OperationHint));
        connect(label, &MouseLabel::leftClicked, this,
                [this] { RunGuarded([this] { operationLabelPressed(Qt::LeftButton); }); });
        connect(label, &MouseLabel::rightClicked, this,
                [this] { RunGuarded([this] { operationLabelPressed(Qt::RightButton); }); });
    }
    connect(m_delivery, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            RunGuarded([this] { setDeliveryType(KeyOf(m_delivery)); });
    });
    connect(m_docType, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            setDocumentType(KeyOf(m_docType));
    });
    connect(m_kontra, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            setCounterparty(KeyOf(m_kontra));
    });
    connect(m_kontraLabel, &MouseLabel::leftClicked, this,
            [this] { RunGuarded([this] { counterpartyLabelPressed(Qt::LeftButton); }); });
    connect(m_kontraLabel, &MouseLabel::rightClicked, this,
            [this] { RunGuarded([this] { counterpartyLabelPressed(Qt::RightButton); }); });
    return m_header;
}

QWidget *TStatGrForm::buildSide(bool debit)
{
    auto *side = new QWidget(body());
    auto *column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    for (Grid g : AllGrids) {
        if (IsDebit(g) != debit)
            continue;
        auto *panel = new QWidget(side);
        auto *box = new QVBoxLayout(panel);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        auto *caption = new MouseLabel({}, panel);
        caption->setToolTip(
            ScreenText(u"С левия бутон на мишката редактирате сметката на реда,\r\nс десния добавяте сметка."_s));
        auto *grid = new EntryGrid(panel);
        grid->setAccountNames([this](int account) {
            const auto found = FindAccount(m_dm.db(), account);
            return found ? found->name : QString();
        });
        if (g == Grid::BaseKt)
            grid->setSpaceColumns({EntryGrid::AccountColumn, EntryGrid::StColumn});
        box->addWidget(caption);
        box->addWidget(grid, 1);
        column->addWidget(panel, g == Grid::BaseDt || g == Grid::BaseKt ? 3 : 1);
        m_captions[int(g)] = caption;
        m_grids[int(g)] = grid;
        m_gridPanels[int(g)] = panel;
    }
    return side;
}

void TStatGrForm::setReadingTabOrder()
{
    // Header, debit grids, credit grids, buttons; the page of the header not shown is skipped.
    QList<QWidget *> order = {m_plainDate, m_plainOps, m_vatDate, m_delivery, m_docType, m_kontra, m_vatOps};
    for (Grid g : AllGrids)
        order << m_grids[int(g)];
    order << m_save << m_cancel;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TStatGrForm::buildMenu(Grid g)
{
    EntryGrid *grid = m_grids[int(g)];
    auto *menu = new QMenu(grid);
    // The menu's commands also answer their keys while the grid has the focus.
    const auto add = [&](const QString &caption, const QKeySequence &key, std::function<void()> command) {
        QAction *action = menu->addAction(caption, this, [command] { RunGuarded(command); });
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        grid->addAction(action);
    };
    add(u"Добавяне на ред"_s, QKeySequence(Qt::Key_Insert), [this, g] { addRow(g); });
    add(u"Изтриване на ред"_s, QKeySequence(Qt::CTRL | Qt::Key_Delete), [this, g] { deleteRow(g); });
    menu->addSeparator();
    add(u"Добавяне на сметка"_s, QKeySequence(Qt::Key_F3), [this] { addAccount(); });
    add(u"Реадктиране на сметка"_s, QKeySequence(Qt::Key_F4), [this, g] { editAccount(g); });
    add(u"Салдо на сметката"_s, QKeySequence(Qt::Key_F6), [this, g] { showBalanceHint(g); });
    m_menus[int(g)] = menu;
    connect(grid, &QWidget::customContextMenuRequested, this,
            [grid, menu](const QPoint &pos) { menu->popup(grid->viewport()->mapToGlobal(pos)); });
}

void TStatGrForm::connectGrid(Grid g)
{
    EntryGrid *grid = m_grids[int(g)];
    MouseLabel *caption = m_captions[int(g)];
    connect(grid, &EntryGrid::cellTyped, this, [this, g](int row, int column, const QString &text) {
        RunGuarded([&] { cellTyped(g, row, column, text); });
    });
    connect(grid, &EntryGrid::cellLeft, this, [this, g](int row, int column, int newRow, int newColumn) {
        RunGuarded([&] { cellLeft(g, row, column, newRow, newColumn); });
    });
    connect(grid, &EntryGrid::gridLeft, this, [this, g](int row, int column) {
        if (column == EntryGrid::KolColumn)
            RunGuarded([&] { leaveQuantity(g, row); });
    });
    connect(grid, &EntryGrid::spacePressed, this,
            [this, g](int row, int column) { RunGuarded([&] { spacePressed(g, row, column); }); });
    connect(grid, &EntryGrid::pastLastRow, this, [this, g] { RunGuarded([this, g] { addRow(g); }); });
    connect(grid, &EntryGrid::hintRequested, this, [this, g] { RunGuarded([this, g] { showBalanceHint(g); }); });
    connect(grid, &EntryGrid::mouseMoved, this, &TStatGrForm::hideBalanceHint);
    connect(caption, &MouseLabel::leftClicked, this,
            [this, g] { RunGuarded([this, g] { captionPressed(g, Qt::LeftButton); }); });
    connect(caption, &MouseLabel::rightClicked, this,
            [this, g] { RunGuarded([this, g] { captionPressed(g, Qt::RightButton); }); });
}

bool TStatGrForm::Run(TFD &fd, TDM &dm, const EntryWizardRequest &request, QWidget *parent)
{
    TStatGrForm form(fd, dm, parent);
    bool ready = false;
    if (!RunGuarded([&] { ready = form.begin(request); }) || !ready)
        return false;
    RunModal(form);
    return form.saved();
}

bool TStatGrForm::begin(const EntryWizardRequest &request)
{
    Db &db = m_dm.db();
    const auto doc = Documents::Find(db, request.docNo);
    if (!doc || !doc->Nom_DDoc_No) {
        Messages::show(DocumentNumberMissing);
        return false;
    }
    if (!doc->Nom_Doc_Date.isValid()) {
        Messages::show(DocumentDateMissing);
        return false;
    }
    m_doc = *doc;
    m_period = ReadPeriod(db);
    m_group = EntryRules::Load(db, request.docNo, request.group, request.withVat, request.isNew);
    m_group.numberDrawn = request.numberDrawn;
    m_group.header = EntryWizardData::OpeningHeader(db, m_doc, m_group);
    m_knownDate = m_group.header.postingDate;
    m_vatRate = m_group.withVat ? StandardVatRate(db) : 0;
    SetHelpContext(this, helpTopic());
    fillLists();
    showHeader();
    refreshAll();
    dateEdit()->setFocus();
    return true;
}

void TStatGrForm::fillLists()
{
    m_filling = true;
    m_delivery->clear();
    m_delivery->addItem(QString(), 0);
    for (const DDSDostTypeRow &row : m_fd.DDSDostType())
        m_delivery->addItem(row.Dost_Name, row.Dost_DnNo);
    m_docType->clear();
    m_docType->addItem(QString(), 0);
    for (const DDSDocRow &row : m_fd.DDSDoc())
        m_docType->addItem(row.Doc_Name, row.Doc_DDS_No);
    m_filling = false;
    // The operation boxes start empty every time the wizard opens.
    fillOperations(0);
    fillCounterparties();
}

void TStatGrForm::fillOperations(int selected)
{
    m_filling = true;
    const QList<OpRow> ops = EntryWizardData::Operations(m_dm.db(), m_doc.Nom_P_No);
    for (QComboBox *box : {m_plainOps, m_vatOps}) {
        box->clear();
        box->addItem(QString(), 0);
        for (const OpRow &op : ops)
            box->addItem(op.Op_Name, op.Op_id);
        const int index = box->findData(selected);
        box->setCurrentIndex(index < 0 ? 0 : index);
    }
    m_filling = false;
}

void TStatGrForm::fillCounterparties()
{
    m_filling = true;
    m_kontra->clear();
    m_kontra->addItem(u"Не се отразява"_s, 0);
    for (const auto &[number, name] : EntryWizardData::Counterparties(m_dm.db()))
        m_kontra->addItem(name, number);
    Choose(m_kontra, m_group.header.kontra);
    m_filling = false;
}

void TStatGrForm::showHeader()
{
    m_filling = true;
    const EntryHeader &h = m_group.header;
    m_header->setCurrentIndex(m_group.withVat ? VatPage : PlainPage);
    dateEdit()->setText(Formats::Date(h.postingDate));
    Choose(m_delivery, h.vidDostavka);
    Choose(m_docType, h.docType);
    Choose(m_kontra, h.kontra);
    m_filling = false;
}

QLineEdit *TStatGrForm::dateEdit() const { return m_group.withVat ? m_vatDate : m_plainDate; }

QComboBox *TStatGrForm::operationBox() const { return m_group.withVat ? m_vatOps : m_plainOps; }

QWidget *TStatGrForm::sidePanel(Grid g) const { return IsDebit(g) ? m_debitPanel : m_creditPanel; }

bool TStatGrForm::validRow(Grid g, int row) const { return row >= 0 && row < m_group.rows(g).size(); }

void TStatGrForm::applyVisibility()
{
    for (Grid g : AllGrids) {
        m_gridPanels[int(g)]->setVisible(EntryRules::GridShown(g, m_group.withVat, m_group.header.vidDostavka));
        m_captions[int(g)]->setText(EntryRules::PanelCaption(g, m_group.withVat));
    }
}

void TStatGrForm::refreshGrid(Grid g)
{
    EntryGrid *grid = m_grids[int(g)];
    const QList<WorkLine> &rows = m_group.rows(g);
    grid->showLines(rows);
    for (int i = 0; i < rows.size(); ++i) {
        WorkLine probe = rows.at(i);
        const EntryRules::Editable e = EntryRules::EditableColumns(m_dm.db(), probe);
        grid->setEditable(i, e.kol, e.st);
    }
    updateSums();
}

void TStatGrForm::refreshAll()
{
    applyVisibility();
    for (Grid g : AllGrids)
        refreshGrid(g);
}

void TStatGrForm::updateSums()
{
    double debit = 0, credit = 0;
    for (Grid g : AllGrids)
        for (const WorkLine &row : m_group.rows(g))
            (IsDebit(g) ? debit : credit) += row.st;
    m_debitSum->setText(Formats::Amount(debit));
    m_creditSum->setText(Formats::Amount(credit));
}

void TStatGrForm::followAccount(Grid g, int row)
{
    if (!validRow(g, row))
        return;
    WorkLine &line = m_group.rows(g)[row];
    const EntryRules::Editable e = EntryRules::EditableColumns(m_dm.db(), line);
    m_grids[int(g)]->showLine(row, line);
    m_grids[int(g)]->setEditable(row, e.kol, e.st);
    updateSums();
}

void TStatGrForm::commitAll()
{
    for (EntryGrid *grid : m_grids)
        grid->commitPending();
}

void TStatGrForm::syncHeaderDate() { m_group.header.postingDate = Formats::ParseDate(dateEdit()->text()); }

bool TStatGrForm::checkHeader()
{
    syncHeaderDate();
    const Focus problem = EntryRules::CheckHeader(m_group.header, m_group.withVat, m_period);
    if (problem.message.isEmpty())
        return true;
    if (problem.field == u"vidDostavka"_s)
        m_delivery->setFocus();
    else if (problem.field == u"docType"_s)
        m_docType->setFocus();
    else if (problem.field == u"kontra"_s)
        m_kontra->setFocus();
    else
        dateEdit()->setFocus();
    Messages::show(problem.message);
    return false;
}

void TStatGrForm::focusCell(Grid g, int row, const QString &field)
{
    int column = EntryGrid::AccountColumn;
    if (field == u"kol"_s)
        column = EntryGrid::KolColumn;
    else if (field == u"st"_s)
        column = EntryGrid::StColumn;
    m_grids[int(g)]->returnTo(row, column);
    m_grids[int(g)]->setFocus();
}

// --- rows ---

bool TStatGrForm::addRow(Grid g)
{
    if (!checkHeader())
        return false;
    commitAll();
    if (m_cellsWaiting > 0)
        return false;
    if (!EntryRules::MayAddRow(m_group, g))
        return false;
    QList<WorkLine> &rows = m_group.rows(g);
    if (!rows.isEmpty()) {
        int current = m_grids[int(g)]->currentRow();
        if (!validRow(g, current))
            current = int(rows.size()) - 1;
        QString field;
        if (!EntryRules::CheckRow(m_dm.db(), rows.at(current), &field)) {
            focusCell(g, current, field);
            return false;
        }
    }
    rows.append(EntryRules::NewRow(m_fd, m_dm, m_group, g));
    refreshGrid(g);
    focusCell(g, int(rows.size()) - 1, u"account"_s);
    return true;
}

void TStatGrForm::deleteRow(Grid g)
{
    EntryGrid *grid = m_grids[int(g)];
    grid->discardPending();
    const int row = grid->currentRow();
    if (!validRow(g, row))
        return;
    m_group.rows(g).removeAt(row);
    refreshGrid(g);
}

bool TStatGrForm::typeAccount(Grid g, int row, const QString &text)
{
    if (!validRow(g, row))
        return false;
    WorkLine typed = m_group.rows(g).at(row);
    EntryRules::SetAccount(typed, AccountNumber(text));
    const EntryWizardData::TypedAccount outcome = EntryWizardData::CheckTypedAccount(m_dm.db(), typed);
    if (outcome == EntryWizardData::TypedAccount::Taken) {
        m_group.rows(g)[row] = typed;
        followAccount(g, row);
        proposeVat();
        return true;
    }
    if (outcome == EntryWizardData::TypedAccount::Refused) {
        // The typed number is refused; the picker offers the account with its lots instead.
        m_grids[int(g)]->showLine(row, m_group.rows(g).at(row));
        Messages::show(EntryWizardData::AccountProblem(m_dm.db(), typed));
    } else {
        // The number stays what was typed; the picker asks for the lots it needs.
        m_group.rows(g)[row] = typed;
        followAccount(g, row);
    }
    WorkLine picked = typed;
    if (pick(g, picked) && validRow(g, row)
        && (picked.account != typed.account || picked.lots != typed.lots || picked.name != typed.name)) {
        WorkLine &line = m_group.rows(g)[row];
        line.account = picked.account;
        line.lots = picked.lots;
        line.name = picked.name;
        followAccount(g, row);
        checkStock(g, row);
        proposeVat();
    }
    if (validRow(g, row))
        focusAfterAccount(g, row);
    return validRow(g, row) && m_group.rows(g).at(row).account == typed.account
           && EntryWizardData::AccountProblem(m_dm.db(), m_group.rows(g).at(row)).isEmpty();
}

void TStatGrForm::focusAfterAccount(Grid g, int row)
{
    const EntryRules::Editable e = EntryRules::EditableColumns(m_dm.db(), m_group.rows(g)[row]);
    focusCell(g, row, e.kol ? u"kol"_s : e.st ? u"st"_s : u"account"_s);
}

void TStatGrForm::proposeVat()
{
    for (Grid g : VatProposal::Apply(m_group, m_vatRate))
        followAccount(g, 0);
}

QString TStatGrForm::takeNumber(Grid g, int row, const QString &text, bool amount)
{
    if (!validRow(g, row))
        return {};
    WorkLine &line = m_group.rows(g)[row];
    const QString problem = EntryRules::TypeNumber(line, amount, text);
    m_grids[int(g)]->showLine(row, line);
    updateSums();
    if (problem.isEmpty() && amount)
        proposeVat();
    return problem;
}

bool TStatGrForm::typeQuantity(Grid g, int row, const QString &text)
{
    const QString problem = takeNumber(g, row, text, false);
    if (!problem.isEmpty())
        Messages::show(problem);
    return problem.isEmpty();
}

bool TStatGrForm::typeAmount(Grid g, int row, const QString &text)
{
    const QString problem = takeNumber(g, row, text, true);
    if (!problem.isEmpty())
        Messages::show(problem);
    return problem.isEmpty();
}

void TStatGrForm::cellTyped(Grid g, int row, int column, const QString &text)
{
    // Called while the cell's editor is closing: nothing modal may open before it is gone.
    auto later = [this](std::function<void()> command) {
        ++m_cellsWaiting;
        QMetaObject::invokeMethod(
            this,
            [this, command] {
                --m_cellsWaiting;
                RunGuarded(command);
            },
            Qt::QueuedConnection);
    };
    if (column == EntryGrid::AccountColumn) {
        if (!validRow(g, row))
            return;
        WorkLine typed = m_group.rows(g).at(row);
        EntryRules::SetAccount(typed, AccountNumber(text));
        if (EntryWizardData::CheckTypedAccount(m_dm.db(), typed) == EntryWizardData::TypedAccount::Taken) {
            typeAccount(g, row, text);
        } else {
            // The picker puts the focus where the row goes on; the key's own move is dropped.
            m_grids[int(g)]->deferMove();
            m_grids[int(g)]->showLine(row, m_group.rows(g).at(row));
            later([this, g, row, text] { typeAccount(g, row, text); });
        }
    } else if (column == EntryGrid::KolColumn || column == EntryGrid::StColumn) {
        const QString problem = takeNumber(g, row, text, column == EntryGrid::StColumn);
        if (!problem.isEmpty()) {
            // The cell opens again: the key's own move is dropped.
            m_grids[int(g)]->deferMove();
            later([this, g, row, column, text, problem] {
                Messages::show(problem);
                // The cell opens again holding what was typed, to be put right.
                if (validRow(g, row))
                    m_grids[int(g)]->reopen(row, column, text);
            });
        }
    }
}

void TStatGrForm::cellLeft(Grid g, int row, int column, int newRow, int newColumn)
{
    if (column == EntryGrid::KolColumn && (newColumn != EntryGrid::KolColumn || newRow != row)
        && !leaveQuantity(g, row))
        return;
    followAccount(g, newRow);
}

bool TStatGrForm::leaveQuantity(Grid g, int row)
{
    if (!validRow(g, row))
        return true;
    followAccount(g, row);
    if (!checkStock(g, row)) {
        focusCell(g, row, u"kol"_s);
        return false;
    }
    if (Stock::PriceBlankRelease(m_dm.db(), m_group, g, row, m_period))
        followAccount(g, row);
    return true;
}

void TStatGrForm::spacePressed(Grid g, int row, int column)
{
    if (column == EntryGrid::AccountColumn)
        pickAccount(g);
    else if (column == EntryGrid::StColumn && g == Grid::BaseKt)
        reprice(row);
}

bool TStatGrForm::pick(Grid g, WorkLine &row)
{
    // The counterparty of the header is the likely lot of a counterparty level.
    WorkLine start = row;
    start.lots = EntryWizardData::PickerLots(m_dm.db(), row, m_group.withVat ? m_group.header.kontra : 0);
    const bool picked = TStatLookUpForm::Pick(m_fd, m_dm, start, sidePanel(g));
    if (picked)
        row = start;
    // The focus goes back into the grid, so the wizard takes the keyboard again.
    activateWindow();
    return picked;
}

bool TStatGrForm::pickAccount(Grid g)
{
    EntryGrid *grid = m_grids[int(g)];
    const int row = grid->currentRow();
    if (!validRow(g, row) || !checkHeader())
        return false;
    WorkLine picked = m_group.rows(g).at(row);
    if (!pick(g, picked) || !validRow(g, row))
        return false;
    m_group.rows(g)[row] = picked;
    m_grids[int(g)]->showLine(row, picked);
    if (!EntryWizardData::AccountProblem(m_dm.db(), picked).isEmpty())
        return false;
    followAccount(g, row);
    proposeVat();
    focusCell(g, row, u"account"_s);
    // Another lot holds another stock: the row's quantity is checked against it at once.
    checkStock(g, row);
    return true;
}

bool TStatGrForm::checkStock(Grid g, int row)
{
    syncHeaderDate();
    try {
        if (row < 0)
            Stock::CheckReleases(m_dm.db(), m_group, m_period);
        else
            Stock::CheckAvailability(m_dm.db(), m_group, g, row, m_period);
    } catch (const MyException &shortage) {
        Messages::show(shortage.message());
        return false;
    }
    return true;
}

bool TStatGrForm::reprice(int row)
{
    if (!validRow(Grid::BaseKt, row))
        return false;
    if (!checkStock(Grid::BaseKt, row))
        return false;
    if (const auto cost = Stock::AverageCost(m_dm.db(), m_group, row, m_period))
        m_group.rows(Grid::BaseKt)[row].st = *cost;
    followAccount(Grid::BaseKt, row);
    return true;
}

// --- header ---

void TStatGrForm::setDeliveryType(int vidDostavka)
{
    if (vidDostavka == m_group.header.vidDostavka)
        return;
    commitAll();
    EntryRules::ChangeDeliveryType(m_group, vidDostavka);
    m_filling = true;
    Choose(m_delivery, vidDostavka);
    m_filling = false;
    refreshAll();
}

void TStatGrForm::setDocumentType(int docType)
{
    m_group.header.docType = docType;
    m_filling = true;
    Choose(m_docType, docType);
    m_filling = false;
}

void TStatGrForm::setCounterparty(int kontra)
{
    m_group.header.kontra = kontra;
    m_filling = true;
    Choose(m_kontra, kontra);
    m_filling = false;
}

bool TStatGrForm::leaveDate()
{
    const QString text = dateEdit()->text();
    const QString problem = EntryRules::CheckTypedDate(text, m_period);
    if (!problem.isEmpty()) {
        dateEdit()->setFocus();
        Messages::show(problem);
        return false;
    }
    const QDate date = Formats::ParseDate(text);
    m_group.header.postingDate = date;
    if (date != m_knownDate) {
        m_knownDate = date;
        // Prices of releases were taken at the old date, and the stock at the new date may not
        // hold what they release.
        if (Stock::NeedsAverageCostWarning(m_group))
            Messages::show(AverageCostWarningText);
        checkStock(Grid::BaseKt, -1);
    }
    return true;
}

bool TStatGrForm::chooseOperation(int opId)
{
    if (opId == 0)
        return false;
    for (EntryGrid *grid : m_grids)
        grid->discardPending();
    if (!EntryRules::ApplyTemplate(m_fd, m_dm, m_group, opId))
        return false;
    refreshAll();
    // A row whose account the template no longer has waits for one.
    for (Grid g : AllGrids)
        for (int row = 0; row < m_group.rows(g).size(); ++row)
            if (m_group.rows(g).at(row).account == 0) {
                focusCell(g, row, u"account"_s);
                return true;
            }
    return true;
}

void TStatGrForm::operationLabelPressed(Qt::MouseButton button)
{
    TOPWizardForm::Request request;
    request.folderFixed = true;
    request.folder = m_doc.Nom_P_No;
    const int chosen = KeyOf(operationBox());
    if (button == Qt::RightButton) {
        if (chosen == 0)
            return;
        request.opId = chosen;
    } else if (button != Qt::LeftButton) {
        return;
    }
    TOPWizardForm::Run(m_fd, m_dm, request, this);
    // Re-read without applying: the grids keep what the user has.
    fillOperations(chosen);
}

bool TStatGrForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_plainDate || watched == m_vatDate) {
        bool leaving = false;
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            // A message window or a popup takes the focus only for a while.
            leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            leaving = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        if (leaving)
            QMetaObject::invokeMethod(this, [this] { RunGuarded([this] { leaveDate(); }); }, Qt::QueuedConnection);
    }
    return TitleStripDialog::eventFilter(watched, event);
}

// --- editors opened from the wizard ---

void TStatGrForm::captionPressed(Grid g, Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        editAccount(g);
    else if (button == Qt::RightButton)
        addAccount();
}

void TStatGrForm::addAccount()
{
    TSmWizardForm::Run(m_fd, m_dm, std::nullopt, this);
    refreshAll();
}

void TStatGrForm::editAccount(Grid g)
{
    const int row = m_grids[int(g)]->currentRow();
    if (!validRow(g, row))
        return;
    const int account = m_group.rows(g).at(row).account;
    if (account == 0 || !FindAccount(m_dm.db(), account))
        return;
    TSmWizardForm::Run(m_fd, m_dm, account, this);
    refreshAll();
}

void TStatGrForm::counterpartyLabelPressed(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        TKontraAddForm::Run(m_dm, this);
    } else if (button == Qt::RightButton) {
        const int kontra = KeyOf(m_kontra);
        const auto row = kontra != 0 ? LevelStore::Kontra(m_dm.db(), kontra) : std::nullopt;
        if (!row)
            return;
        TNomWizardForm::Run(m_dm, NomKind::Lot, row->Nom_No, kontra, this);
    } else {
        return;
    }
    fillCounterparties();
}

void TStatGrForm::showBalanceHint(Grid g)
{
    EntryGrid *grid = m_grids[int(g)];
    const int row = grid->currentRow();
    const QString text = validRow(g, row)
                             ? Stock::BalanceHint(m_dm.db(), m_group, m_group.rows(g).at(row), dateEdit()->text(), m_period)
                             : u"Изберете сметка!"_s;
    if (text.isEmpty())
        return;
    m_hint->setText(ScreenText(text));
    m_hint->adjustSize();
    // Beside the grid, on the side of the other grids.
    const QPoint corner = grid->mapTo(this, IsDebit(g) ? QPoint(grid->width(), 0) : QPoint(0, 0));
    m_hint->move(IsDebit(g) ? corner : corner - QPoint(m_hint->width(), 0));
    m_hint->raise();
    m_hint->show();
}

void TStatGrForm::hideBalanceHint() { m_hint->hide(); }

// --- save and cancel ---

bool TStatGrForm::save()
{
    commitAll();
    // A cell just typed that still waits for its picker or its message is not in the group yet:
    // the save waits for it rather than posting what the row held before.
    if (m_cellsWaiting > 0)
        return false;
    if (!checkHeader())
        return false;
    const bool valid = EntryRules::ValidateForSave(m_dm.db(), m_group, m_period);
    refreshAll();
    if (!valid)
        return false;
    // A failure in the database is shown by the error hook; the input stays for another try.
    if (!RunGuarded([this] { GroupPosting::Save(m_dm.db(), m_group, m_doc); }))
        return false;
    m_saved = true;
    accept();
    return true;
}

void TStatGrForm::reject()
{
    hideBalanceHint();
    TitleStripDialog::reject();
}
