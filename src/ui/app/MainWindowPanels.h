#pragma once
// Pieces of the main window that only show what they are given: the list images and view styles,
// the detail sheet of caption/value lines, the totals tab and the opening-balances page.
#include "shell/MainWindowModel.h"

#include <QIcon>
#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QToolButton;

// Drawn rather than loaded, so the program needs no image files.
QIcon ListImageIcon(int image);

// "Списък", "Големи икони", "Малки икони", "Редове": styles 0..3 of Settings::ListViewStyle.
QStringList ListViewStyleNames();
void ApplyListViewStyle(QListWidget *list, int style);

// Caption/value lines flowing into columns of a few rows each; a line with an empty caption
// continues the group above it.
class DetailSheet : public QWidget {
    Q_OBJECT
public:
    explicit DetailSheet(QWidget *parent = nullptr);
    void setLines(const QList<DetailLine> &lines);
    void clear() { setLines({}); }
    const QList<DetailLine> &lines() const { return m_lines; }
    // The value on the line with that caption, or an empty text.
    QString value(const QString &caption) const;

private:
    static constexpr int RowsPerColumn = 6;
    static constexpr int Capacity = 24;
    QList<DetailLine> m_lines;
    QList<QLabel *> m_captions;
    QList<QLabel *> m_values;
};

// The twelve figures of the "Салда/Обороти" tab.
class TotalsSheet : public QWidget {
    Q_OBJECT
public:
    explicit TotalsSheet(QWidget *parent = nullptr);
    void setFigures(const QList<QStringList> &figures);
    void clear();
    QString figure(int row, int column) const;

private:
    QList<QList<QLabel *>> m_figures;
};

// The accounts with their search and filter tools at the left, the grid of the current
// account's opening balances at the right.
class OpeningBalancesPage : public QWidget {
    Q_OBJECT
public:
    explicit OpeningBalancesPage(QWidget *parent = nullptr);

    void setAccounts(const QList<SRow> &accounts);
    std::optional<int> currentAccount() const;
    bool selectAccount(int account);
    // Cells as OpeningBalanceCells gives them; the lot columns of levels the account does not
    // carry are hidden.
    void setRows(const QList<QStringList> &rows, const SRow &account);
    int currentRow() const;
    // The totals of all the firm's opening balances under the grid, in red when they differ.
    void setFirmTotals(const QString &text, bool balanced);

    QLineEdit *searchBox() const { return m_search; }
    QToolButton *filterButton() const { return m_filter; }
    QLabel *filterLabel() const { return m_filterLabel; }
    QTableWidget *accounts() const { return m_accounts; }
    QTableWidget *grid() const { return m_grid; }
    QLabel *firmTotals() const { return m_firmTotals; }

signals:
    void accountChanged();
    void rowChanged();
    // A double click on the account list's header (new account) or on an account (edit).
    void accountEditRequested(bool newAccount);
    void rowActivated();

private:
    QLineEdit *m_search;
    QToolButton *m_filter;
    QLabel *m_filterLabel;
    QTableWidget *m_accounts;
    QTableWidget *m_grid;
    QLabel *m_firmTotals;
};
