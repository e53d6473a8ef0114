#include "posting/TTranForm.h"

#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "posting/DocumentLinesList.h"
#include "posting/EntryRequests.h"
#include "registry/TFD.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString NewDocumentCommand = u"Нов документ"_s;
const QString DeleteDocumentCommand = u"Изтриване на документ"_s;
const QString SaveCommand = u"Запис"_s;
const QString CancelCommand = u"Отказ"_s;
const QString WithVatCommand = u"С ДДС"_s;
const QString WithoutVatCommand = u"Без ДДС"_s;
const QString BackCommand = u"Назад"_s;
const QString EditGroupCommand = u"Редактиране на статия"_s;
const QString DeleteGroupCommand = u"Изтриване на статия"_s;
const QString RefreshCommand = u"Обновяване"_s;
const QString NotAvailableHint = u"Не е налично в тази версия на програмата."_s;

const QString JournalCaption = u"Документа е отразен в :"_s;
const QString CounterpartyCaption = u"Контрагент:"_s;
const QString SupplyKindCaption = u"Вид на доставката:"_s;
const QString DocumentKindCaption = u"Вид на документа:"_s;
const QString SupplyDateCaption = u"Дата на доставката:"_s;
const QString BaseCaption = u"Данъчна основа:"_s;
const QString ExciseCaption = u"Акциз в данъчната основа:"_s;
const QString VatCaption = u"Данък Добавена Стойност:"_s;
const QString TotalCaption = u"Обща стойност на доставката:"_s;

enum GridColumn { NumberColumn, DateColumn, NoteColumn };

QString PrintedNumber(const NomPRow &d) { return d.Nom_DDoc_No ? Formats::DocNo(*d.Nom_DDoc_No) : QString(); }

}  // namespace

TTranForm::TTranForm(TFD &fd, TDM &dm, int folder, bool docked, WizardHook wizard, QWidget *parent)
    : TitleStripDialog(u"   Документи"_s, parent),
      m_fd(fd),
      m_dm(dm),
      m_docked(docked),
      m_wizard(std::move(wizard)),
      m_browser(dm.db(), folder)
{
    m_state = AddStateLabel(*this);
    if (docked) {
        // A page of the main window: no strip and no close glyph of its own.
        setWindowFlags(Qt::Widget);
        strip()->hide();
    }

    m_grid = new QTableWidget(0, 3, body());
    m_grid->setHorizontalHeaderLabels({u"Документ No"_s, u"Дата"_s, u"Бележка"_s});
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(NumberColumn, 100);
    m_grid->setColumnWidth(DateColumn, 80);
    m_grid->setMinimumWidth(320);

    auto *right = new QVBoxLayout;
    right->addWidget(buildFields());
    right->addWidget(buildSummary(), 1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_grid, 1);
    top->addLayout(right, 1);

    m_lines = new DocumentLinesList(body());
    m_linesMenu = new QMenu(this);
    // The popup's commands answer their keys too: the first two in the lines list, the third
    // anywhere in the window (its button is not shown in a window of its own).
    const auto command = [this](const QString &caption, const QKeySequence &key, QWidget *scope,
                                Qt::ShortcutContext context, void (TTranForm::*run)()) {
        QAction *action = m_linesMenu->addAction(caption);
        action->setShortcut(key);
        action->setShortcutContext(context);
        scope->addAction(action);
        connect(action, &QAction::triggered, this, run);
    };
    command(EditGroupCommand, QKeySequence(Qt::Key_Return), m_lines, Qt::WidgetShortcut, &TTranForm::editGroup);
    command(DeleteGroupCommand, QKeySequence(Qt::Key_Delete), m_lines, Qt::WidgetShortcut, &TTranForm::deleteGroup);
    command(DeleteDocumentCommand, QKeySequence(Qt::CTRL | Qt::Key_Delete), this, Qt::WidgetWithChildrenShortcut,
            &TTranForm::deleteDocument);
    connect(m_lines, &DocumentLinesList::popupRequested, this, [this](const QPoint &at) { m_linesMenu->popup(at); });
    connect(m_lines, &DocumentLinesList::lineActivated, this, [this] { editGroup(); });

    m_refresh = new QAction(RefreshCommand, this);
    m_refresh->setShortcut(Qt::Key_F5);
    m_refresh->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_refresh);
    connect(m_refresh, &QAction::triggered, this, &TTranForm::refresh);

    auto *layout = new QVBoxLayout(body());
    layout->addLayout(top, 1);
    layout->addWidget(m_lines, 1);
    layout->addWidget(buildButtons());

    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        RunGuarded([&] {
            if (row < 0 || row == m_browser.currentIndex())
                return;
            try {
                if (!m_browser.moveTo(row)) {
                    showGrid();  // refused: the selection goes back
                    return;
                }
            } catch (...) {
                showGrid();
                throw;
            }
            showAll();
        });
    });

    resize(900, 640);
    CentreOnDesktop(this);
}

QWidget *TTranForm::buildFields()
{
    auto *box = new QWidget(body());
    auto *form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    m_number = new QLineEdit(box);
    // One digit more than a printed number holds, so a number too long is refused by its message.
    m_number->setValidator(new QRegularExpressionValidator(QRegularExpression(u"\\d{0,11}"_s), m_number));
    m_number->setMaximumWidth(120);
    m_date = new QLineEdit(box);
    m_date->setMaxLength(10);
    m_date->setMaximumWidth(100);
    m_date->setToolTip(Formats::DateFormat);
    m_note = new QLineEdit(box);
    m_note->setMaxLength(50);
    m_link = new QComboBox(box);
    form->addRow(u"Документ No:"_s, m_number);
    form->addRow(u"Дата:"_s, m_date);
    form->addRow(u"Бележка:"_s, m_note);
    form->addRow(u"Във връзка с документ:"_s, m_link);

    connect(m_number, &QLineEdit::textEdited, this, [this](const QString &text) {
        typed([&text](NomPRow &r) {
            r.Nom_DDoc_No = text.isEmpty() ? std::nullopt : std::optional<double>(text.toDouble());
        });
    });
    connect(m_number, &QLineEdit::editingFinished, this, [this] {
        if (const auto &row = m_browser.current(); row && row->Nom_DDoc_No && m_browser.editing())
            m_number->setText(PrintedNumber(*row));
    });
    connect(m_date, &QLineEdit::textEdited, this, [this](const QString &text) {
        typed([&text](NomPRow &r) { Documents::TypeDate(r, text); });
    });
    connect(m_note, &QLineEdit::textEdited, this,
            [this](const QString &text) { typed([&text](NomPRow &r) { r.Nom_Doc_Osno = text; }); });
    connect(m_link, &QComboBox::activated, this, [this](int index) {
        const int link = m_link->itemData(index).toInt();
        typed([link](NomPRow &r) { r.Nom_DocNo_Link = link; });
    });
    return box;
}

QWidget *TTranForm::buildSummary()
{
    auto *box = new QFrame(body());
    box->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(box);
    const QStringList captions = {JournalCaption,  CounterpartyCaption, SupplyKindCaption,
                                  DocumentKindCaption, SupplyDateCaption, BaseCaption,
                                  ExciseCaption,   VatCaption,          TotalCaption};
    for (int i = 0; i < captions.size(); ++i) {
        auto *caption = new QLabel(captions[i], box);
        auto *value = new QLabel(box);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (i >= 5)
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, i, 0);
        grid->addWidget(value, i, 1);
        m_summaryCaptions.insert(captions[i], caption);
        m_summary.insert(captions[i], value);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(int(captions.size()), 1);
    return box;
}

QWidget *TTranForm::buildButtons()
{
    auto *panel = new QWidget(body());
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    const auto make = [&](const QString &caption, void (TTranForm::*command)()) {
        auto *button = new QPushButton(caption, panel);
        // Enter in a box must not press a button of a dialog.
        button->setAutoDefault(false);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, command);
        m_buttons.insert(caption, button);
        return button;
    };
    make(NewDocumentCommand, &TTranForm::newDocument)->setVisible(m_docked);
    make(DeleteDocumentCommand, &TTranForm::deleteDocument)->setVisible(m_docked);
    make(SaveCommand, &TTranForm::save);
    make(CancelCommand, &TTranForm::cancelEdit);
    make(WithVatCommand, &TTranForm::withVat);
    make(WithoutVatCommand, &TTranForm::withoutVat);
    row->addStretch(1);
    make(BackCommand, &TTranForm::back);
    // The same keys docked or not, none of them an Alt letter that the main window's navigation
    // or its own buttons use. Esc cancels an edit (while "Отказ" is enabled) and otherwise goes
    // back, as the close glyph does.
    SetCommandKey(m_buttons.value(NewDocumentCommand), QKeySequence(Qt::Key_Insert));
    SetCommandKey(m_buttons.value(DeleteDocumentCommand), QKeySequence(Qt::CTRL | Qt::Key_Delete), false);
    SetDialogKeys(m_buttons.value(SaveCommand), m_buttons.value(CancelCommand), false);
    SetCommandKey(m_buttons.value(WithVatCommand), QKeySequence(Qt::Key_F7));
    SetCommandKey(m_buttons.value(WithoutVatCommand), QKeySequence(Qt::Key_F8));
    SetCommandKey(m_buttons.value(BackCommand), QKeySequence(Qt::ALT | Qt::Key_Left));
    return panel;
}

bool TTranForm::Browse(TFD &fd, TDM &dm, int folder, QWidget *dockHost, WizardHook wizard)
{
    if (!dockHost) {
        TTranForm form(fd, dm, folder, false, std::move(wizard), QApplication::activeWindow());
        if (!RunGuarded([&] { form.start(); }))
            return false;
        RunModal(form);
        return form.succeeded();
    }
    auto form = std::make_unique<TTranForm>(fd, dm, folder, true, std::move(wizard), dockHost);
    const QPointer<TTranForm> alive(form.get());
    if (!RunGuarded([&] { form->start(); }))
        return false;
    if (QLayout *layout = dockHost->layout())
        layout->addWidget(form.get());
    form->show();
    // The main window goes on working around the page until the page is closed or the program
    // ends, which counts as a cancel.
    QEventLoop loop;
    connect(form.get(), &QDialog::finished, &loop, &QEventLoop::quit);
    connect(dockHost, &QObject::destroyed, &loop, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    loop.exec();
    if (!alive) {
        (void)form.release();  // its host went first and took it along
        return false;
    }
    return form->succeeded();
}

bool TTranForm::OpenSingle(TFD &fd, TDM &dm, int docNo, WizardHook wizard, QWidget *parent)
{
    std::optional<NomPRow> doc;
    const bool checked = RunGuarded([&] {
        doc = Documents::Find(dm.db(), docNo);
        if (!doc)
            throw EngineError(QString(), {{EngineCode::RecordDeleted, QString()}});
        if (const auto holder = LockedByOther(dm.db(), Documents::LockTable, Documents::LockKey(docNo))) {
            Messages::show(LockMessage(DocumentLockPrefix, *holder));
            doc.reset();
        }
    });
    if (!checked || !doc)
        return false;
    TTranForm form(fd, dm, doc->Nom_P_No, false, std::move(wizard), parent);
    if (!RunGuarded([&] { form.start(docNo); }))
        return false;
    RunModal(form);
    return form.succeeded();
}

void TTranForm::start(std::optional<int> docNo)
{
    m_browser.reload(docNo);
    fillLinks();
    showAll();
    m_grid->setFocus();
}

QAction *TTranForm::menuAction(const QString &caption) const
{
    for (QAction *action : m_linesMenu->actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

QString TTranForm::stateText() const { return StateCaption(m_browser.state()); }

QString TTranForm::summaryValue(const QString &caption) const
{
    const QLabel *value = m_summary.value(caption);
    return value ? value->text() : QString();
}

bool TTranForm::summaryShown(const QString &caption) const
{
    const QLabel *value = m_summary.value(caption);
    return value && !value->isHidden();
}

void TTranForm::typed(const std::function<void(NomPRow &)> &change)
{
    RunGuarded([&] {
        if (const auto holder = m_browser.edit(change)) {
            Messages::show(LockMessage(DocumentLockPrefix, *holder));
            showDocument();  // the boxes show the document as it is
            return;
        }
        // The boxes keep what is being typed; the rest follows it.
        showGrid();
        showSummary();
        updateCommands();
    });
}

void TTranForm::showAll()
{
    showGrid();
    showDocument();
}

void TTranForm::showGrid()
{
    const QSignalBlocker block(m_grid);
    const QList<NomPRow> rows = m_browser.rows();
    if (m_grid->rowCount() != rows.size()) {
        m_grid->clearContents();
        m_grid->setRowCount(int(rows.size()));
    }
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList texts = {PrintedNumber(rows[row]), Formats::Date(rows[row].Nom_Doc_Date),
                                   rows[row].Nom_Doc_Osno};
        for (int column = 0; column < texts.size(); ++column) {
            QTableWidgetItem *item = m_grid->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                m_grid->setItem(row, column, item);
            }
            item->setText(texts[column]);
        }
    }
    const int current = m_browser.currentIndex();
    m_grid->setCurrentCell(current, current < 0 ? -1 : std::max(m_grid->currentColumn(), 0));
    if (current >= 0)
        m_grid->scrollToItem(m_grid->item(current, 0));
}

void TTranForm::showDocument()
{
    const std::optional<NomPRow> &row = m_browser.current();
    {
        const QSignalBlocker blockNumber(m_number), blockDate(m_date), blockNote(m_note), blockLink(m_link);
        m_number->setText(row ? PrintedNumber(*row) : QString());
        m_date->setText(row ? Formats::Date(row->Nom_Doc_Date) : QString());
        m_note->setText(row ? row->Nom_Doc_Osno : QString());
        const int link = row ? m_link->findData(row->Nom_DocNo_Link) : -1;
        m_link->setCurrentIndex(std::max(link, 0));
    }
    for (QWidget *box : QList<QWidget *>{m_number, m_date, m_note, m_link})
        box->setEnabled(row.has_value());
    m_lines->setLines(row ? Documents::Lines(m_dm.db(), row->Nom_Doc_No) : QList<DocLineView>());
    showSummary();
    updateCommands();
}

void TTranForm::showSummary()
{
    const std::optional<NomPRow> &row = m_browser.current();
    const VatSummary s = row ? Documents::Summary(m_dm.db(), m_fd.db(), *row) : VatSummary{};
    const QList<std::pair<QString, QString>> values = {
        {JournalCaption, s.journal}, {CounterpartyCaption, s.counterparty}, {SupplyKindCaption, s.supplyKind},
        {DocumentKindCaption, s.documentKind}, {SupplyDateCaption, s.supplyDate}, {BaseCaption, s.base},
        {ExciseCaption, s.excise}, {VatCaption, s.vat}, {TotalCaption, s.total}};
    for (const auto &[caption, value] : values)
        m_summary.value(caption)->setText(value);
    // The delivery date belongs to a counterparty; without one it is not shown at all.
    const bool dated = !s.supplyDate.isEmpty();
    m_summary.value(SupplyDateCaption)->setVisible(dated);
    m_summaryCaptions.value(SupplyDateCaption)->setVisible(dated);
}

void TTranForm::fillLinks()
{
    const QSignalBlocker block(m_link);
    m_link->clear();
    m_link->addItem(QString(), 0);  // no link
    for (const NomPRow &d : Documents::All(m_dm.db()))
        m_link->addItem(PrintedNumber(d) + u"   "_s + Formats::Date(d.Nom_Doc_Date) + u"   "_s + d.Nom_Doc_Osno,
                        d.Nom_Doc_No);
    const std::optional<NomPRow> &row = m_browser.current();
    m_link->setCurrentIndex(std::max(row ? m_link->findData(row->Nom_DocNo_Link) : 0, 0));
}

void TTranForm::updateCommands()
{
    const bool editing = m_browser.editing();
    const bool document = m_browser.current().has_value();
    const bool lines = !m_lines->lines().isEmpty();
    m_buttons.value(SaveCommand)->setEnabled(editing);
    m_buttons.value(CancelCommand)->setEnabled(editing);
    m_buttons.value(NewDocumentCommand)->setEnabled(!editing);
    m_buttons.value(DeleteDocumentCommand)->setEnabled(!editing);
    m_refresh->setEnabled(!editing);
    menuAction(DeleteDocumentCommand)->setEnabled(!editing);
    menuAction(DeleteGroupCommand)->setEnabled(lines);
    const bool wizard = bool(m_wizard);
    for (const QString &caption : {WithVatCommand, WithoutVatCommand}) {
        m_buttons.value(caption)->setEnabled(wizard && document);
        m_buttons.value(caption)->setToolTip(wizard ? QString() : NotAvailableHint);
    }
    menuAction(EditGroupCommand)->setEnabled(wizard && lines);
    m_state->setText(stateText());
}

void TTranForm::noteFilter(DocumentFilter before)
{
    if (m_browser.filter() != before)
        emit filterChanged(m_browser.filter());
}

void TTranForm::focusProblem()
{
    const std::optional<NomPRow> &row = m_browser.current();
    if (!row)
        return;
    switch (Documents::ProblemBox(*row)) {
    case Documents::DocumentBox::Number: m_number->setFocus(); break;
    case Documents::DocumentBox::Date: m_date->setFocus(); break;
    case Documents::DocumentBox::Note: m_note->setFocus(); break;
    case Documents::DocumentBox::None: break;
    }
}

void TTranForm::newDocument()
{
    RunGuarded([&] {
        if (m_browser.editing())
            return;
        const DocumentFilter before = filter();
        if (!m_browser.newDocument()) {
            focusProblem();
            return;
        }
        noteFilter(before);
        showAll();
        m_number->setFocus();
    });
}

void TTranForm::deleteDocument()
{
    RunGuarded([&] {
        if (m_browser.editing())
            return;
        try {
            if (!m_browser.deleteDocument())
                return;
        } catch (...) {
            showAll();
            throw;
        }
        fillLinks();
        showAll();
    });
}

void TTranForm::save()
{
    RunGuarded([&] {
        if (!m_browser.editing())
            return;
        if (!m_browser.post()) {
            focusProblem();  // what was typed stays
            return;
        }
        fillLinks();
        showAll();
    });
}

void TTranForm::cancelEdit()
{
    RunGuarded([&] {
        if (!m_browser.editing())
            return;
        m_browser.cancel();
        showAll();
    });
}

void TTranForm::runWizard(const std::function<std::optional<EntryWizardRequest>()> &makeRequest, bool clearFilter)
{
    RunGuarded([&] {
        if (!m_wizard || !m_browser.current())
            return;
        const DocumentFilter before = filter();
        const std::optional<EntryWizardRequest> request = makeRequest();
        if (!request)
            return;
        if (!m_browser.beginWizard(clearFilter)) {
            focusProblem();
            noteFilter(before);
            showGrid();
            return;
        }
        bool saved = false;
        try {
            saved = m_wizard(*request);
        } catch (...) {
            m_browser.endWizard(false);
            showAll();
            throw;
        }
        m_browser.endWizard(saved);
        fillLinks();
        noteFilter(before);
        showAll();
    });
}

void TTranForm::withVat()
{
    runWizard([this] { return std::optional(EntryRequests::WithVat(m_dm.db(), *m_browser.current())); }, true);
}

void TTranForm::withoutVat()
{
    runWizard([this] { return std::optional(EntryRequests::WithoutVat(m_dm.db(), *m_browser.current())); }, true);
}

void TTranForm::editGroup()
{
    runWizard(
        [this]() -> std::optional<EntryWizardRequest> {
            const auto line = m_lines->currentLine();
            if (!line)
                return std::nullopt;
            return EntryRequests::EditGroup(m_dm.db(), *m_browser.current(), *line);
        },
        false);
}

void TTranForm::deleteGroup()
{
    RunGuarded([&] {
        const auto line = m_lines->currentLine();
        if (!line)
            return;
        try {
            m_browser.deleteGroup(line->Doc_StGrp);
        } catch (...) {
            showDocument();
            throw;
        }
        showDocument();
    });
}

void TTranForm::refresh()
{
    RunGuarded([&] {
        if (m_browser.editing())
            return;
        m_browser.reload();
        fillLinks();
        showAll();
    });
}

void TTranForm::back()
{
    RunGuarded([&] {
        if (!m_browser.leave()) {
            focusProblem();
            return;
        }
        const DocumentFilter before = filter();
        if (before != DocumentFilter::All)
            m_browser.applyFilter(DocumentFilter::All);
        noteFilter(before);
        m_succeeded = true;
        done(Accepted);
    });
}

void TTranForm::reject() { back(); }

void TTranForm::terminate()
{
    m_succeeded = false;
    done(Rejected);
}

bool TTranForm::canLeave()
{
    bool may = false;
    RunGuarded([&] { may = m_browser.canLeave(); });
    if (!may)
        focusProblem();
    return may;
}

bool TTranForm::changeFolder(int folder)
{
    bool changed = false;
    RunGuarded([&] { changed = m_browser.changeFolder(folder); });
    showAfterLeaving();
    return changed;
}

bool TTranForm::search(const QString &text)
{
    bool found = false;
    RunGuarded([&] { found = m_browser.search(text); });
    showAfterLeaving();
    return found;
}

DocumentFilter TTranForm::applyFilter(DocumentFilter filter)
{
    RunGuarded([&] { m_browser.applyFilter(filter); });
    showAfterLeaving();
    return m_browser.filter();
}

bool TTranForm::postPending()
{
    bool posted = false;
    RunGuarded([&] { posted = m_browser.leave(); });
    showAfterLeaving();
    return posted;
}

void TTranForm::showAfterLeaving()
{
    // A document that could not be left keeps what was typed into its boxes.
    if (m_browser.editing())
        focusProblem();
    else
        RunGuarded([this] { showAll(); });
}
