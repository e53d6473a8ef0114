#include "statements/TRepDataSetForm.h"

#include "widgets/Accelerators.h"

#include "app/TErrorHook.h"
#include "firm/TDM.h"
#include "statements/IncludeRowsPanel.h"
#include "statements/TAddPokForm.h"
#include "widgets/EditorWidgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TRepDataSetForm::TRepDataSetForm(TFD &fd, TDM &dm, StatementType type, const StatementLine &line, QWidget *parent)
    : TitleStripDialog(u" Настройка на показател"_s, parent), m_dm(dm), m_fd(fd), m_edit(dm.db(), type, line.OPR_Pok_No)
{
    m_line = new QLabel(line.OPR_Pok_Name.trimmed(), body());
    m_line->setWordWrap(true);
    QFont bold = m_line->font();
    bold.setBold(true);
    m_line->setFont(bold);

    m_rows = new QTableWidget(0, 4, body());
    m_rows->setHorizontalHeaderLabels({u"Сметка"_s, u"Вид"_s, QString(), u"Кор. сметка"_s});
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->verticalHeader()->hide();
    m_rows->verticalHeader()->setDefaultSectionSize(30);
    m_rows->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Six rows in view.
    m_rows->setMinimumHeight(6 * 30 + m_rows->horizontalHeader()->sizeHint().height() + 4);
    m_rows->viewport()->installEventFilter(this);
    m_rows->installEventFilter(this);

    m_add = new QPushButton(u"Добавяне"_s, body());
    m_delete = new QPushButton(u"Изтриване"_s, body());
    m_save = new QPushButton(u"Запис"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    SetCommandKey(m_add, QKeySequence(Qt::Key_Insert));
    SetCommandKey(m_delete, QKeySequence(Qt::Key_Delete));
    SetDialogKeys(m_save, m_cancel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(body());
    layout->addWidget(m_line);
    layout->addWidget(m_rows, 1);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, [this] { RunGuarded([this] { addRow(); }); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteRow(); });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_rows, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { RunGuarded([this, row] { editRow(row); }); });
    resize(560, 340);
    CentreOnDesktop(this);
}

bool TRepDataSetForm::Run(TFD &fd, TDM &dm, StatementType type, const StatementLine &line, QWidget *parent)
{
    TRepDataSetForm form(fd, dm, type, line, parent);
    if (!form.start())
        return false;
    return RunModal(form) == QDialog::Accepted;
}

bool TRepDataSetForm::start()
{
    if (!m_edit.open())
        return false;
    showRows(0);
    return true;
}

void TRepDataSetForm::showRows(int current)
{
    const QList<IncludeRow> &rows = m_edit.rows();
    m_rows->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const IncludeRow &r = rows[i];
        const QStringList texts = {AccountWithLots(r.OPR_Account_No, r.OPR_Account_An),
                                   IncludeKindText(r.OPR_Account_Type), IncludeCorrectionText(m_edit.type(), r),
                                   AccountWithLots(r.OPR_AccCor_No, r.OPR_AccCor_An)};
        for (int c = 0; c < texts.size(); ++c)
            m_rows->setItem(i, c, new QTableWidgetItem(texts[c]));
    }
    if (!rows.isEmpty())
        m_rows->setCurrentCell(std::clamp(current, 0, int(rows.size()) - 1), 0);
}

void TRepDataSetForm::addRow()
{
    if (const auto row = TAddPokForm::Run(m_fd, m_dm, m_edit.type(), std::nullopt, this)) {
        m_edit.add(*row);
        showRows(int(m_edit.rows().size()) - 1);
    }
}

void TRepDataSetForm::editRow(int index)
{
    if (index < 0 || index >= m_edit.rows().size())
        return;
    if (const auto row = TAddPokForm::Run(m_fd, m_dm, m_edit.type(), m_edit.rows()[index], this)) {
        m_edit.replace(index, *row);
        showRows(index);
    }
}

void TRepDataSetForm::deleteRow()
{
    const int row = m_rows->currentRow();
    if (row < 0)
        return;
    m_edit.remove(row);
    showRows(row);
}

bool TRepDataSetForm::save()
{
    bool saved = false;
    m_rows->setEnabled(false);
    RunGuarded([this, &saved] { saved = m_edit.save(); });
    m_rows->setEnabled(true);
    if (!saved) {
        if (const int bad = m_edit.firstProblemRow(); bad >= 0)
            m_rows->setCurrentCell(bad, 0);
        return false;
    }
    accept();
    return true;
}

void TRepDataSetForm::done(int result)
{
    // Closing without "Запис" drops the changes.
    if (result != QDialog::Accepted)
        m_edit.cancel();
    TitleStripDialog::done(result);
}

bool TRepDataSetForm::eventFilter(QObject *watched, QEvent *event)
{
    // A double click below the rows adds one.
    if (watched == m_rows->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_rows->indexAt(mouse->position().toPoint()).isValid()) {
            RunGuarded([this] { addRow(); });
            return true;
        }
    }
    // Enter on a row edits it, as a double click does.
    if (watched == m_rows && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_rows->currentRow() >= 0) {
            const int row = m_rows->currentRow();
            RunGuarded([this, row] { editRow(row); });
            return true;
        }
    }
    return TitleStripDialog::eventFilter(watched, event);
}
