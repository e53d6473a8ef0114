#include "posting/TOpListForm.h"

#include "app/TErrorHook.h"
#include "firm/TDM.h"
#include "posting/TOPWizardForm.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

void SetUpReadOnly(QTableWidget *table)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(20);
    table->horizontalHeader()->setStretchLastSection(true);
}

QTableWidgetItem *Cell(const QString &text) { return new QTableWidgetItem(text); }

QString FolderText(const OpListRow &row)
{
    return row.folderName.isEmpty() ? QString::number(row.Pap_Id)
                                    : u"%1  %2"_s.arg(row.Pap_Id).arg(row.folderName);
}

}  // namespace

TOpListForm::TOpListForm(TFD &fd, TDM &dm, QWidget *parent)
    : TitleStripDialog(u"Операции"_s, parent), m_fd(fd), m_dm(dm)
{
    m_list = new QTableWidget(0, 2, body());
    m_list->setHorizontalHeaderLabels({u"Наименование на операцията:"_s, u"Папка:"_s});
    SetUpReadOnly(m_list);
    m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->horizontalHeader()->setStretchLastSection(false);
    m_list->setColumnWidth(1, 200);
    m_debit = elementTable(u"Сметка дебит:"_s);
    m_credit = elementTable(u"Сметка кредит:"_s);
    auto *elements = new QHBoxLayout;
    elements->addWidget(m_debit);
    elements->addWidget(m_credit);

    m_add = new QPushButton(u"Добавяне"_s, body());
    m_edit = new QPushButton(u"Редактиране"_s, body());
    m_delete = new QPushButton(u"Изтриване"_s, body());
    m_exit = new QPushButton(u"Изход"_s, body());
    // The list answers these keys itself.
    SetCommandKey(m_add, QKeySequence(Qt::Key_Insert), false);
    SetCommandKey(m_edit, QKeySequence(Qt::Key_Return), false);
    SetCommandKey(m_delete, QKeySequence(Qt::Key_Delete), false);
    SetCommandKey(m_exit, QKeySequence(Qt::Key_Escape), false);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_add, m_edit, m_delete}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    m_exit->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(m_exit);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(m_list, 3);
    layout->addLayout(elements, 2);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, [this] { RunGuarded([this] { addOperation(); }); });
    connect(m_edit, &QPushButton::clicked, this, [this] { RunGuarded([this] { editOperation(); }); });
    connect(m_delete, &QPushButton::clicked, this, [this] { RunGuarded([this] { deleteOperation(); }); });
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTableWidget::currentCellChanged, this, [this] { RunGuarded([this] { showElements(); }); });
    for (QTableWidget *table : {m_list, m_debit, m_credit}) {
        connect(table, &QTableWidget::cellDoubleClicked, this, [this] { RunGuarded([this] { editOperation(); }); });
        table->installEventFilter(this);
    }

    resize(720, 520);
    CentreOnDesktop(this);
}

QTableWidget *TOpListForm::elementTable(const QString &accountHeading)
{
    auto *table = new QTableWidget(0, 2, body());
    table->setHorizontalHeaderLabels({accountHeading, u"Партида:"_s});
    SetUpReadOnly(table);
    table->setColumnWidth(0, 110);
    table->setFocusPolicy(Qt::NoFocus);
    return table;
}

void TOpListForm::Run(TFD &fd, TDM &dm, QWidget *parent)
{
    TOpListForm form(fd, dm, parent);
    if (!RunGuarded([&] { form.reload(); }))
        return;
    RunModal(form);
}

std::optional<int> TOpListForm::currentOperation() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows.at(row).Op_id;
}

void TOpListForm::reload(std::optional<int> current)
{
    if (!current)
        current = currentOperation();
    m_rows = OpTemplateStore::All(m_dm.db());
    const QSignalBlocker quiet(m_list);
    m_list->setRowCount(int(m_rows.size()));
    int selected = m_rows.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        const OpListRow &row = m_rows.at(i);
        m_list->setItem(i, 0, Cell(row.Op_Name));
        m_list->setItem(i, 1, Cell(FolderText(row)));
        if (current && row.Op_id == *current)
            selected = i;
    }
    m_list->setCurrentCell(selected, 0);
    showElements();
}

void TOpListForm::showElements()
{
    const auto op = currentOperation();
    for (const bool debit : {true, false}) {
        QTableWidget *table = debit ? m_debit : m_credit;
        const QList<StoredOpElement> elements =
            op ? OpTemplateStore::Elements(m_dm.db(), *op, debit) : QList<StoredOpElement>();
        table->setRowCount(int(elements.size()));
        for (int i = 0; i < elements.size(); ++i) {
            const OpElement &e = elements.at(i).element;
            table->setItem(i, 0, Cell(QString::number(e.account)));
            table->setItem(i, 1, Cell(e.name));
        }
    }
}

void TOpListForm::addOperation()
{
    const auto saved = TOPWizardForm::Run(m_fd, m_dm, {}, this);
    reload(saved);
}

void TOpListForm::editOperation()
{
    const auto op = currentOperation();
    if (!op)
        return;
    TOPWizardForm::Run(m_fd, m_dm, {op, false, 0}, this);
    reload(op);
}

void TOpListForm::deleteOperation()
{
    const auto op = currentOperation();
    if (!op || !OpTemplateStore::Delete(m_dm.db(), *op))
        return;
    const int row = m_list->currentRow();
    reload(std::nullopt);
    // The row that took the deleted one's place stays current.
    if (!m_rows.isEmpty())
        m_list->setCurrentCell(std::min(row, int(m_rows.size()) - 1), 0);
}

void TOpListForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Insert: RunGuarded([this] { addOperation(); }); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: RunGuarded([this] { editOperation(); }); return;
    case Qt::Key_Delete: RunGuarded([this] { deleteOperation(); }); return;
    default: TitleStripDialog::keyPressEvent(event);
    }
}

bool TOpListForm::eventFilter(QObject *watched, QEvent *event)
{
    // The list's own keys: Enter and Delete would otherwise be taken by the table.
    if (event->type() == QEvent::KeyPress && watched == m_list) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Insert || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete) {
            keyPressEvent(static_cast<QKeyEvent *>(event));
            return true;
        }
    }
    return TitleStripDialog::eventFilter(watched, event);
}
