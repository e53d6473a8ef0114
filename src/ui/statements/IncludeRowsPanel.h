#pragma once
// The read-only panel "Сметки включени      в показателя": the include rows of the statement line
// the view is on, each with its account, its corresponding account, its kind and "Коректив".
#include "statements/StatementTables.h"

#include <QWidget>

class QLabel;
class QTableWidget;

// An account with the lots it is narrowed to: "411", "411 / 3".
QString AccountWithLots(int account, const LotKey &lots);

class IncludeRowsPanel : public QWidget {
    Q_OBJECT
public:
    explicit IncludeRowsPanel(QWidget *parent = nullptr);

    void showRows(StatementType type, const QList<IncludeRow> &rows);
    void clear();
    QTableWidget *table() const { return m_table; }
    // The cells of a row: account, corresponding account, kind, "Коректив".
    QStringList rowTexts(int row) const;

private:
    QLabel *m_heading;
    QTableWidget *m_table;
};
