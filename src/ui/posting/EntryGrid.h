#pragma once
// One grid of the journal entry wizard: account, lots (read-only), quantity and amount of the
// work lines of one kind. The grid only shows and reports: what a typed value means, what Space
// does and what a row may hold is decided by the window that owns the lines. A cell's editor
// opens with its content selected, so typing replaces it, and takes any text: the owner says
// what it will not take.
#include "posting/EntryGroup.h"

#include <QSet>
#include <QTableWidget>
#include <functional>
#include <utility>

class EntryGrid : public QTableWidget {
    Q_OBJECT
public:
    enum Column { AccountColumn = 0, LotsColumn, KolColumn, StColumn };

    explicit EntryGrid(QWidget *parent = nullptr);

    // Where the grid finds the name shown beside an account's number.
    void setAccountNames(std::function<QString(int account)> names) { m_accountName = std::move(names); }

    // Shows the lines, keeping the current cell where it still exists.
    void showLines(const QList<WorkLine> &lines);
    void showLine(int row, const WorkLine &line);
    void setEditable(int row, bool kol, bool st);
    bool isEditable(int row, int column) const;
    // Columns where Space is a command rather than a character.
    void setSpaceColumns(const QSet<int> &columns) { m_spaceColumns = columns; }
    bool spaceColumn(int column) const { return m_spaceColumns.contains(column); }

    // Hands what an open editor holds to the owner and closes the editor.
    void commitPending();
    // Drops what an open editor holds.
    void discardPending();
    // Moves to a cell without reporting that the previous one was left.
    void returnTo(int row, int column);
    // Opens the cell's editor again holding `text` (a value that was refused), all of it selected.
    void reopen(int row, int column, const QString &text);

    // Called by the grid's delegate for a changed cell.
    void reportTyped(int row, int column, const QString &text);
    // Called by the grid's delegate for Space in an editor of a command column.
    void reportSpace(int row, int column);

    // The keyboard's way through the grid. Tab and Shift+Tab go to the next or previous cell
    // that can be edited and leave the grid from its last or first; Ctrl+Tab leaves at once;
    // Enter goes on to the next cell to edit and past the last row asks for a new one.
    void tabFrom(bool next);
    void leave(bool next);
    void enterFrom();
    // The owner took a typed value up for later (a picker opens once the editor is gone) and
    // will put the focus where it belongs: the move that came with the key is dropped.
    void deferMove() { m_moveDeferred = true; }
    bool takeDeferredMove() { return std::exchange(m_moveDeferred, false); }

signals:
    void cellTyped(int row, int column, const QString &text);
    void spacePressed(int row, int column);
    void pastLastRow();
    // A cell was left for another cell of the grid; reported once the event is over.
    void cellLeft(int row, int column, int newRow, int newColumn);
    // The focus went to another control of the same window.
    void gridLeft(int row, int column);
    void hintRequested(int row);
    void mouseMoved();

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void focusMoved(QWidget *old, QWidget *now);
    QTableWidgetItem *cell(int row, int column);
    // The next (or previous) cell that can be edited in reading order, from the current one.
    QModelIndex editableAfter(bool next) const;

    QSet<int> m_spaceColumns;
    std::function<QString(int)> m_accountName;
    bool m_quiet = false;
    bool m_leaving = false;
    bool m_moveDeferred = false;
};
