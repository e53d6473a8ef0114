#include "posting/EntryGrid.h"

#include "engine/Formats.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

using namespace Qt::StringLiterals;

namespace {

constexpr int AccountNameRole = Qt::UserRole + 1;

// Hands typed values to the grid's owner instead of writing them into the cells: the owner
// decides whether a value is taken and then shows its lines again.
class EntryGridDelegate : public QStyledItemDelegate {
public:
    explicit EntryGridDelegate(EntryGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        // Account numbers are typed as digits; a quantity or an amount is read by the owner,
        // which refuses, with a message, what is not a number.
        static const QRegularExpression whole(u"^\\d{0,4}$"_s);
        if (index.column() == EntryGrid::AccountColumn)
            editor->setValidator(new QRegularExpressionValidator(whole, editor));
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        // A row shown again while its cell is being typed into keeps what was typed.
        if (line && line->isModified())
            return;
        QStyledItemDelegate::setEditorData(editor, index);
        // What is typed on entering the cell replaces what it held.
        if (line)
            line->selectAll();
    }

    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // The account's name beside its number; the cell's value stays the number.
        const QString name = index.data(AccountNameRole).toString();
        if (index.column() == EntryGrid::AccountColumn && !name.isEmpty() && !option->text.isEmpty())
            option->text += u"  "_s + name;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        const auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line || line->text() == index.data(Qt::EditRole).toString())
            return;
        m_grid->reportTyped(index.row(), index.column(), line->text());
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (event->type() == QEvent::KeyPress && editor) {
            // The keys that move on hand the value over first, then move as the grid does.
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool control = key->modifiers().testFlag(Qt::ControlModifier);
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !control;
            if (tab || enter) {
                const bool next = key->key() == Qt::Key_Tab && !key->modifiers().testFlag(Qt::ShiftModifier);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                if (m_grid->takeDeferredMove())
                    return true;
                if (enter)
                    m_grid->enterFrom();
                else if (control)
                    m_grid->leave(next);
                else
                    m_grid->tabFrom(next);
                return true;
            }
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
            const QModelIndex index = m_grid->currentIndex();
            if (auto *editor = qobject_cast<QWidget *>(object); editor && m_grid->spaceColumn(index.column())) {
                // What was typed gives way to the command.
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->reportSpace(index.row(), index.column());
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    EntryGrid *m_grid;
};

QString KolText(double kol) { return kol == 0 ? QString() : Formats::Quantity(kol); }

}  // namespace

EntryGrid::EntryGrid(QWidget *parent) : QTableWidget(0, 4, parent)
{
    setHorizontalHeaderLabels({u"Сметка"_s, u"Партиди:"_s, u"Количество"_s, u"Стойност"_s});
    horizontalHeader()->setSectionResizeMode(LotsColumn, QHeaderView::Stretch);
    setColumnWidth(AccountColumn, 60);
    setColumnWidth(KolColumn, 90);
    setColumnWidth(StColumn, 90);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked);
    setItemDelegate(new EntryGridDelegate(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    m_spaceColumns = {AccountColumn};

    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int oldRow, int oldColumn) {
        if (m_quiet || oldRow < 0)
            return;
        // Reported after the event, so an editor closing with it has handed over its value.
        QMetaObject::invokeMethod(
            this, [this, row, column, oldRow, oldColumn] { emit cellLeft(oldRow, oldColumn, row, column); },
            Qt::QueuedConnection);
    });
    connect(qApp, &QApplication::focusChanged, this, &EntryGrid::focusMoved);
}

QTableWidgetItem *EntryGrid::cell(int row, int column)
{
    QTableWidgetItem *item = this->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column == KolColumn || column == StColumn)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, column, item);
    }
    return item;
}

void EntryGrid::showLines(const QList<WorkLine> &lines)
{
    const int row = currentRow(), column = currentColumn();
    m_quiet = true;
    setRowCount(int(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        showLine(i, lines.at(i));
    if (row >= 0 && row < rowCount())
        setCurrentCell(row, column);
    m_quiet = false;
}

void EntryGrid::showLine(int row, const WorkLine &line)
{
    const bool quiet = m_quiet;
    m_quiet = true;
    QTableWidgetItem *account = cell(row, AccountColumn);
    account->setText(line.account == 0 ? QString() : QString::number(line.account));
    const QString name = line.account != 0 && m_accountName ? m_accountName(line.account) : QString();
    account->setData(AccountNameRole, name);
    account->setToolTip(name);
    QTableWidgetItem *lots = cell(row, LotsColumn);
    lots->setText(line.name);
    lots->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    cell(row, KolColumn)->setText(KolText(line.kol));
    cell(row, StColumn)->setText(Formats::Amount(line.st));
    m_quiet = quiet;
}

void EntryGrid::setEditable(int row, bool kol, bool st)
{
    const Qt::ItemFlags browse = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    cell(row, KolColumn)->setFlags(kol ? browse | Qt::ItemIsEditable : browse);
    cell(row, StColumn)->setFlags(st ? browse | Qt::ItemIsEditable : browse);
}

bool EntryGrid::isEditable(int row, int column) const
{
    const QTableWidgetItem *it = item(row, column);
    return it && it->flags().testFlag(Qt::ItemIsEditable);
}

void EntryGrid::commitPending()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void EntryGrid::discardPending()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex()))
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void EntryGrid::returnTo(int row, int column)
{
    m_quiet = true;
    setCurrentCell(row, column);
    m_quiet = false;
}

void EntryGrid::reopen(int row, int column, const QString &text)
{
    // Tab may have opened the next cell meanwhile; it gives way.
    discardPending();
    returnTo(row, column);
    setFocus();
    edit(model()->index(row, column));
    if (auto *editor = qobject_cast<QLineEdit *>(indexWidget(currentIndex()))) {
        editor->setText(text);
        editor->setModified(true);
        editor->selectAll();
    }
}

void EntryGrid::reportTyped(int row, int column, const QString &text) { emit cellTyped(row, column, text); }

void EntryGrid::reportSpace(int row, int column)
{
    QMetaObject::invokeMethod(this, [this, row, column] { emit spacePressed(row, column); }, Qt::QueuedConnection);
}

QModelIndex EntryGrid::editableAfter(bool next) const
{
    const int columns = columnCount();
    const int cells = rowCount() * columns;
    const QModelIndex current = currentIndex();
    int at = current.isValid() ? current.row() * columns + current.column() : (next ? -1 : cells);
    for (at += next ? 1 : -1; at >= 0 && at < cells; at += next ? 1 : -1) {
        const int row = at / columns, column = at % columns;
        if (!isRowHidden(row) && !isColumnHidden(column) && isEditable(row, column))
            return model()->index(row, column);
    }
    return {};
}

bool EntryGrid::focusNextPrevChild(bool next)
{
    if (!m_leaving) {
        tabFrom(next);
        return true;
    }
    return QTableWidget::focusNextPrevChild(next);
}

void EntryGrid::tabFrom(bool next)
{
    const QModelIndex target = editableAfter(next);
    if (!target.isValid()) {
        leave(next);
        return;
    }
    commitPending();
    setCurrentIndex(target);
}

void EntryGrid::leave(bool next)
{
    commitPending();
    m_leaving = true;
    // Past the grid's own cells: the window's next control in the tab order.
    QWidget::focusNextPrevChild(next);
    m_leaving = false;
}

void EntryGrid::enterFrom()
{
    const QModelIndex target = editableAfter(true);
    if (target.isValid() && target.row() == currentRow()) {
        setCurrentIndex(target);
        return;
    }
    if (currentRow() == rowCount() - 1) {
        emit pastLastRow();
        return;
    }
    if (target.isValid())
        setCurrentIndex(target);
}

void EntryGrid::focusInEvent(QFocusEvent *event)
{
    QTableWidget::focusInEvent(event);
    // Coming in by Tab starts at the first cell to edit, by Shift+Tab at the last.
    const bool forward = event->reason() == Qt::TabFocusReason;
    if ((forward || event->reason() == Qt::BacktabFocusReason) && rowCount() > 0) {
        m_quiet = true;
        setCurrentCell(forward ? 0 : rowCount() - 1, forward ? 0 : columnCount() - 1);
        m_quiet = false;
        if (!isEditable(currentRow(), currentColumn()))
            if (const QModelIndex target = editableAfter(forward); target.isValid())
                setCurrentIndex(target);
    }
}

void EntryGrid::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && control) {
        leave(event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !control
        && state() != QAbstractItemView::EditingState) {
        if (rowCount() == 0)
            emit pastLastRow();
        else
            enterFrom();
        return;
    }
    if (event->key() == Qt::Key_Space && currentRow() >= 0 && spaceColumn(currentColumn())) {
        emit spacePressed(currentRow(), currentColumn());
        return;
    }
    if (event->key() == Qt::Key_Down && currentRow() == rowCount() - 1) {
        commitPending();
        emit pastLastRow();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void EntryGrid::mouseDoubleClickEvent(QMouseEvent *)
{
    emit hintRequested(currentRow());
}

void EntryGrid::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved();
    QTableWidget::mouseMoveEvent(event);
}

void EntryGrid::focusMoved(QWidget *old, QWidget *now)
{
    const bool wasHere = old && (old == this || isAncestorOf(old));
    // A message window or an editor of another window takes the focus for a while; only a
    // control of this window means the user left the grid.
    if (!wasHere || !now || now == this || isAncestorOf(now) || now->window() != window())
        return;
    const int row = currentRow(), column = currentColumn();
    if (row < 0)
        return;
    QMetaObject::invokeMethod(this, [this, row, column] { emit gridLeft(row, column); }, Qt::QueuedConnection);
}
