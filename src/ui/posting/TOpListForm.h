#pragma once
// The list of operation templates: every template with its folder, and under it the debit and
// credit elements of the current one, read-only. Adding and editing go through the template
// editor; deleting asks first.
#include "posting/OpTemplateStore.h"
#include "widgets/TitleStripDialog.h"

#include <optional>

class QPushButton;
class QTableWidget;
class TDM;
class TFD;

class TOpListForm : public TitleStripDialog {
    Q_OBJECT
public:
    TOpListForm(TFD &fd, TDM &dm, QWidget *parent = nullptr);

    // Opens the list modally (the main window's "Операции").
    static void Run(TFD &fd, TDM &dm, QWidget *parent);

    // Reads the templates again, keeping `current` (or the current one) selected.
    void reload(std::optional<int> current = std::nullopt);
    void addOperation();     // "Добавяне"
    void editOperation();    // "Редактиране" and a double click
    void deleteOperation();  // "Изтриване"

    std::optional<int> currentOperation() const;
    const QList<OpListRow> &operations() const { return m_rows; }

    QTableWidget *list() const { return m_list; }
    QTableWidget *debitElements() const { return m_debit; }
    QTableWidget *creditElements() const { return m_credit; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *exitButton() const { return m_exit; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableWidget *elementTable(const QString &accountHeading);
    void showElements();

    TFD &m_fd;
    TDM &m_dm;
    QList<OpListRow> m_rows;

    QTableWidget *m_list;
    QTableWidget *m_debit;
    QTableWidget *m_credit;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_exit;
};
