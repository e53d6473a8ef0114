#pragma once
// The operation template editor: the template's name and folder and its six grids of elements.
// Everything stays in memory until "Запис" has the template checked and written in one
// transaction; "Отказ" leaves the tables as they were. The rules are OpTemplateRules'.
#include "firm/RecordLocks.h"
#include "posting/OpTemplate.h"
#include "widgets/TitleStripDialog.h"

#include <array>
#include <optional>

class MouseLabel;
class OpElementGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TDM;
class TFD;

class TOPWizardForm : public TitleStripDialog {
    Q_OBJECT
public:
    struct Request {
        std::optional<int> opId;  // nothing: a new template
        bool folderFixed = false;  // opened from the entry wizard: the folder label does nothing
        int folder = 0;            // the folder a new template starts in
    };

    TOPWizardForm(TFD &fd, TDM &dm, Request request, QWidget *parent = nullptr);

    // Opens the editor modally; the saved template's number, or nothing when nothing was saved.
    static std::optional<int> Run(TFD &fd, TDM &dm, const Request &request, QWidget *parent);

    // Reads the template and takes its lock, or starts a new one; false, with the reason shown,
    // when another copy of the program edits it or it is gone.
    bool begin();
    bool save();             // "Запис"
    void reject() override;  // "Отказ" and the close glyph

    bool addElement(Grid grid);     // "Добавяне на ред", and moving past the last row
    void deleteElement(Grid grid);  // "Изтриване на ред"
    // An account number typed into a row; a refused number leaves the row as it was.
    bool typeAccount(Grid grid, int row, const QString &text);
    bool pickAccount(Grid grid, int row);  // the picker button, or Space in the account column

    void folderLabelPressed(Qt::MouseButton button);
    void captionPressed(Grid grid, bool doubleClick);
    void editElementAccount(Grid grid);  // double click in a grid

    const OpTemplate &operation() const { return m_op; }
    std::optional<int> savedId() const { return m_saved; }
    QString stateText() const;

    QLineEdit *nameEdit() const { return m_name; }
    QComboBox *folderBox() const { return m_folder; }
    MouseLabel *folderLabel() const { return m_folderLabel; }
    OpElementGrid *grid(Grid g) const { return m_grids[int(g)]; }
    MouseLabel *panelCaption(Grid g) const { return m_captions[int(g)]; }
    QMenu *popupMenu(Grid g) const { return m_menus[int(g)]; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHeader();
    QWidget *buildSide(bool debit);
    void buildMenu(Grid g);
    void connectGrid(Grid g);
    void fillFolders(int folder);
    void refreshGrid(Grid g);
    void refreshAll();
    void commitAll();
    void collectHeader();
    void focusAccount(Grid g, int row);
    void cellTyped(Grid g, int row, int column, const QString &text);
    bool pick(Grid g, OpElement &element);
    bool validRow(Grid g, int row) const;
    QWidget *sidePanel(Grid g) const;

    TFD &m_fd;
    TDM &m_dm;
    Request m_request;
    OpTemplate m_op;
    RecordLock m_lock;
    std::optional<int> m_saved;
    bool m_filling = false;
    int m_cellsWaiting = 0;  // typed accounts whose message or picker is still to come

    QLabel *m_state;
    QLineEdit *m_name;
    MouseLabel *m_folderLabel;
    QComboBox *m_folder;
    QWidget *m_debitPanel;
    QWidget *m_creditPanel;
    std::array<OpElementGrid *, 6> m_grids{};
    std::array<MouseLabel *, 6> m_captions{};
    std::array<QMenu *, 6> m_menus{};
    QPushButton *m_save;
    QPushButton *m_cancel;
};
