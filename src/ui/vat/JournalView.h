#pragma once
// One VAT journal on a page of the VAT window: the rows in a grid, the column totals in bold in a
// footer row that scrolls and sizes with the grid, and under them which documents lack data.
#include "vat/VatJournal.h"

#include <QWidget>

class QLabel;
class QTableWidget;

class JournalView : public QWidget {
    Q_OBJECT
public:
    explicit JournalView(VatJournalKind kind, QWidget *parent = nullptr);

    void setJournal(const VatJournal &journal);
    const VatJournal &journal() const { return m_journal; }
    // The row under the grid's cursor, if any.
    std::optional<JournalRow> currentRow() const;

    // Grid columns: type, type name, number, date, tax number, name, subject, then the amounts.
    static constexpr int FirstAmountColumn = 7;
    static QStringList Headings(VatJournalKind kind);

    QTableWidget *grid() const { return m_grid; }
    QTableWidget *footer() const { return m_footer; }
    QLabel *problemsLabel() const { return m_problems; }

signals:
    // A double click or Enter on a row: open its document.
    void rowActivated(const JournalRow &row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    VatJournal m_journal;
    QTableWidget *m_grid;
    QTableWidget *m_footer;
    QLabel *m_problems;
};
