#pragma once
// " Настройка на показател": the include rows of one statement line as a list of panels. Rows are
// added, edited (through the include-row wizard) and deleted in the window's own copy; "Запис"
// checks every row and writes all changes in one transaction, "Отказ" drops them.
#include "statements/IncludeRowsEdit.h"
#include "widgets/TitleStripDialog.h"

class QLabel;
class QPushButton;
class QTableWidget;
class TDM;
class TFD;

class TRepDataSetForm : public TitleStripDialog {
    Q_OBJECT
public:
    TRepDataSetForm(TFD &fd, TDM &dm, StatementType type, const StatementLine &line, QWidget *parent = nullptr);

    // Opens the settings of a data line modally; true when changes were saved.
    static bool Run(TFD &fd, TDM &dm, StatementType type, const StatementLine &line, QWidget *parent);

    // Takes the line's lock and reads its rows; false when another user edits the line.
    bool start();
    // "Добавяне": the wizard in add mode.
    void addRow();
    // A double click on a row: the wizard in edit mode.
    void editRow(int index);
    // "Изтриване": the current row.
    void deleteRow();
    // "Запис"
    bool save();

    IncludeRowsEdit &edit() { return m_edit; }
    QTableWidget *rowsTable() const { return m_rows; }
    QLabel *lineLabel() const { return m_line; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRows(int current);

    TDM &m_dm;
    TFD &m_fd;
    IncludeRowsEdit m_edit;
    QLabel *m_line;
    QTableWidget *m_rows;
    QPushButton *m_add;
    QPushButton *m_delete;
    QPushButton *m_save;
    QPushButton *m_cancel;
};
