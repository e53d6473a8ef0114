#pragma once
// The journal lines of a document: debit account, debit quantity, credit account, credit
// quantity and amount, one row each. A zero quantity or amount is drawn in the background colour
// and lines of a VAT group carry a red "ДДС".
#include "posting/Documents.h"

#include <QTableWidget>
#include <optional>

class DocumentLinesList : public QTableWidget {
    Q_OBJECT
public:
    enum Column { Debit, DebitQuantity, Credit, CreditQuantity, Amount, VatMark, ColumnCount };
    static constexpr int RowHeight = 20;

    explicit DocumentLinesList(QWidget *parent = nullptr);

    void setLines(const QList<DocLineView> &lines);
    const QList<DocLineView> &lines() const { return m_lines; }
    std::optional<DocLineView> lineAt(int row) const;
    // The current line; a right click makes the line under the mouse current.
    std::optional<DocLineView> currentLine() const { return lineAt(currentRow()); }
    int visibleRows() const { return viewport()->height() / RowHeight; }

signals:
    void lineActivated(int row);
    void popupRequested(const QPoint &globalPos);

private:
    QList<DocLineView> m_lines;
};
