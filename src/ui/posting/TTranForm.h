#pragma once
// The documents editor: moves through the documents of a folder, adds, numbers, dates, edits and
// deletes them, lists the journal lines of the current one with its VAT summary, and opens the
// journal entry wizard on its entry groups. Shown as a page of the main window (docked) or as a
// modal window with its own title strip.
#include "posting/DocumentBrowser.h"
#include "posting/EntryWizardRequest.h"
#include "widgets/TitleStripDialog.h"

#include <QMap>
#include <functional>
#include <optional>

class DocumentLinesList;
class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class TDM;
class TFD;

class TTranForm : public TitleStripDialog {
    Q_OBJECT
public:
    // Opens the journal entry wizard; true once it saved the group.
    using WizardHook = std::function<bool(const EntryWizardRequest &)>;

    TTranForm(TFD &fd, TDM &dm, int folder, bool docked, WizardHook wizard, QWidget *parent = nullptr);

    // The documents of a folder, docked in `dockHost` (the page's layout receives the window) or,
    // without a host, modal. True when closed with "Назад" or the close button; false when it did
    // not open or the program ended while it was docked.
    static bool Browse(TFD &fd, TDM &dm, int folder, QWidget *dockHost, WizardHook wizard);
    // One document, modal, positioned on it; refused while another copy of the program edits it.
    static bool OpenSingle(TFD &fd, TDM &dm, int docNo, WizardHook wizard, QWidget *parent);

    // Reads the folder's documents and goes to `docNo`, or to the first.
    void start(std::optional<int> docNo = std::nullopt);

    // Commands.
    void newDocument();
    void deleteDocument();
    void save();
    void cancelEdit();
    void withVat();
    void withoutVat();
    void editGroup();
    void deleteGroup();
    void refresh();
    void back();
    void reject() override;

    // What the main window's tools ask.
    bool canLeave();
    bool changeFolder(int folder);
    bool search(const QString &text);
    DocumentFilter applyFilter(DocumentFilter filter);
    // The close of the program: a pending edit is posted; false when it cannot be.
    bool postPending();
    // Ends the window without the leave check, as a cancel.
    void terminate();

    bool docked() const { return m_docked; }
    bool succeeded() const { return m_succeeded; }
    int folder() const { return m_browser.folder(); }
    DocumentFilter filter() const { return m_browser.filter(); }
    EditState state() const { return m_browser.state(); }
    std::optional<NomPRow> currentDocument() const { return m_browser.current(); }
    QString stateText() const;
    // The value beside a caption of the VAT summary, and whether it is shown.
    QString summaryValue(const QString &caption) const;
    bool summaryShown(const QString &caption) const;

    QLineEdit *numberEdit() const { return m_number; }
    QLineEdit *dateEdit() const { return m_date; }
    QLineEdit *noteEdit() const { return m_note; }
    QComboBox *linkBox() const { return m_link; }
    QTableWidget *documentsGrid() const { return m_grid; }
    DocumentLinesList *linesList() const { return m_lines; }
    QPushButton *button(const QString &caption) const { return m_buttons.value(caption); }
    QMenu *linesMenu() const { return m_linesMenu; }
    QAction *menuAction(const QString &caption) const;
    QAction *refreshAction() const { return m_refresh; }

signals:
    // The filter changed without the main window's filter tool (a new document clears it).
    void filterChanged(DocumentFilter filter);

private:
    QWidget *buildFields();
    QWidget *buildSummary();
    QWidget *buildButtons();
    void runWizard(const std::function<std::optional<EntryWizardRequest>()> &request, bool clearFilter);
    void typed(const std::function<void(NomPRow &)> &change);
    void showAll();
    void showGrid();
    void showDocument();
    void showSummary();
    void fillLinks();
    void updateCommands();
    void noteFilter(DocumentFilter before);
    void focusProblem();
    void showAfterLeaving();

    TFD &m_fd;
    TDM &m_dm;
    bool m_docked;
    WizardHook m_wizard;
    DocumentBrowser m_browser;
    bool m_succeeded = false;

    QLabel *m_state;
    QTableWidget *m_grid;
    QLineEdit *m_number;
    QLineEdit *m_date;
    QLineEdit *m_note;
    QComboBox *m_link;
    QMap<QString, QLabel *> m_summaryCaptions;
    QMap<QString, QLabel *> m_summary;
    DocumentLinesList *m_lines;
    QMap<QString, QPushButton *> m_buttons;
    QMenu *m_linesMenu;
    QAction *m_refresh;
};
