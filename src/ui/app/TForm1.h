#pragma once
// The main window: the navigation column switches between the chart of accounts, the analytic
// levels and their lots, the posting folders, the opening balances and the reports; the list in
// the middle shows the records of the mode, the detail panel above it the selected one, and the
// buttons over it act on the selection. What is shown and allowed comes from MainWindowModel.
#include "shell/MainWindowModel.h"

#include <QMainWindow>
#include <functional>
#include <optional>

class ClickLabel;
class DetailSheet;
class DocumentTools;
class OpeningBalancesPage;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TDM;
class TFD;
class TotalsSheet;
class TTranForm;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The windows of other parts of the program, installed by whoever builds them. Each editor
    // hook runs its window modally; the account and level editors return the key of the record
    // they saved, or nothing when the user cancelled, and the window then refills its list with
    // that record selected. While a hook is empty, the buttons and menu items that would call it
    // are disabled.
    struct EditorHooks {
        // New account (nothing) or edit of that account; gives the saved account's S_UNo.
        std::function<std::optional<int>(std::optional<int> account)> editAccount{};
        // kind is a NomKind: a level (level 0), a lot of `level`, or a folder (level 0);
        // `number` is the Nom_No, NomEl_No or Nom_Pap_No to edit, nothing for a new one.
        std::function<std::optional<int>(int kind, int level, std::optional<int> number)> editNom{};
        // New opening balance of `account` (nothing) or edit of that row; true once a row was
        // saved. The rows are re-read whatever the answer, and a row that was not there before
        // becomes the current one.
        std::function<bool(int account, std::optional<SnsRow> row)> editOpeningBalance{};
        // The documents of a folder; the window is in documents mode while it runs. The documents
        // window docks into documentsDockHost() when there is one.
        std::function<void(int folder)> openFolder{};
        // The operation templates; posting mode is entered again afterwards.
        std::function<void()> operations{};
        // Runs a report by its launcher code (ReportEntry::code).
        std::function<void(int reportCode)> runReport{};
        // Which reports exist yet; all of them when empty.
        std::function<bool(int reportCode)> reportAvailable{};
        // The settings of a statement by its kind (StatementKindOfReport).
        std::function<void(int statementKind)> statementSettings{};
    };

    TForm1(TFD &fd, TDM &dm, QWidget *parent = nullptr);
    ~TForm1() override;

    void setEditorHooks(EditorHooks hooks);
    const EditorHooks &editorHooks() const { return m_hooks; }

    QString headerText() const;
    QString dateText() const;
    // The firm row the first choice window starts on (from the command line).
    void setPreselectedFirm(int firmId) { m_preselectedFirm = firmId; }
    bool firstActivationPending() const { return m_firstActivation; }

    // State, for the program's own checks and for tests.
    MainMode mode() const { return m_mode; }
    bool lotView() const { return m_lotView; }
    int lotLevel() const { return m_lotLevel; }
    QString listTitle() const;
    QStringList listCaptions() const;
    std::optional<int> currentKey() const;
    bool selectKey(int key);
    int viewStyle() const { return m_viewStyle; }
    // The value shown beside a caption of the detail panel now visible.
    QString detailValue(const QString &caption) const;
    // A figure of the "Салда/Обороти" tab: rows opening, turnover, closing; columns debit
    // quantity, debit value, credit quantity, credit value.
    QString totalsFigure(int row, int column) const;
    // True while a statement is selected in reports mode ("Настройка" applies to it).
    bool reportSettingsSelected() const;
    AccountFilter accountFilter() const { return m_filter; }
    std::optional<int> balanceAccount() const;
    std::optional<SnsRow> currentBalanceRow() const;

    ClickLabel *headerLabel() const { return m_header; }
    QPushButton *navigationButton(const QString &caption) const;
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *balancesButton() const { return m_balances; }
    QPushButton *backButton() const { return m_back; }
    QToolButton *viewStyleButton() const { return m_viewButton; }
    QListWidget *list() const { return m_list; }
    QTabWidget *accountTabs() const { return m_accountTabs; }
    OpeningBalancesPage *balancesPage() const { return m_balancesPage; }
    QMenu *reportsMenu() const { return m_reportsMenu; }
    // The list's context menu, built afresh from the buttons' current state.
    QMenu *contextMenu();
    // The page of the data area that the documents window docks into, or nothing when the check
    // box "ShowMeInDockState" asks for a window of its own.
    QWidget *documentsDockHost() const;
    // The documents window docked in the data area now, if any.
    TTranForm *documentsWindow() const;
    // The page of the data area that a statement's view docks into.
    QWidget *statementsDockHost() const { return m_statementsDock; }
    // True while a statement's view is docked: the menu panel waits for it to close.
    bool statementViewOpen() const { return m_statementOpen; }
    QCheckBox *dockCheckBox() const { return m_dockCheck; }
    DocumentTools *documentTools() const { return m_documentTools; }

    // Commands, as the navigation, the buttons and the keys run them.
    void runNavigation(NavEntry entry);
    // Opens the firm choice; returns its result (1 when a firm was opened).
    int openFirmChoice(bool atStart);
    // After a firm was opened: chart mode on its first tab, with a fresh header and details.
    void firmChosen();
    void enterChart(std::optional<int> select = std::nullopt);
    void enterLevels(std::optional<int> select = std::nullopt);
    void enterPosting(std::optional<int> select = std::nullopt);
    void enterReports();
    void enterOpeningBalances();
    void openLots();
    void goBack();
    void addItem();
    void editItem();
    void deleteItem();
    // "Начални салда" in chart mode, "Операции" in posting mode.
    void balancesOrOperations();
    // A double click, Enter or Space on the list.
    void activateItem();
    void setViewStyle(int style);
    void searchAccount(const QString &text);
    void filterAccounts(AccountFilter filter);
    // The document tools; each first asks the documents window whether its document may be left.
    void chooseDocumentFolder(int folder);
    void searchDocument(const QString &text);
    void filterDocuments(DocumentFilter filter);
    void closeYear();
    void showHelp();
    void showReportsMenu();
    void editOpenFirm();
    void showAbout();
    void showEngineInformation();
    // The report of that code can be run from the list and the menu.
    bool canRunReport(int code) const;

signals:
    // The books are closed; the program has to end without asking again.
    void terminateRequested();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildTopBar();
    QWidget *buildNavigation();
    QWidget *buildWorkArea();
    QWidget *buildListHeader();
    QWidget *buildButtons();
    void buildReportsMenu();
    void buildViewStyleMenu();
    void buildFilterMenu();
    QWidget *buildPostingBar();

    bool ready() const;
    void applyViewStyle();
    void refreshFirm();
    void setMode(MainMode mode, bool lotView = false);
    void fillList(const QList<ListItem> &items, int image, std::optional<int> select);
    void fillChart(std::optional<int> select);
    void fillLots(std::optional<int> select);
    void listSelectionChanged();
    void showChartDetails();
    void showChartTotals();
    void updateButtons();
    void fillBalanceAccounts(std::optional<int> select);
    void balanceAccountChanged();
    void fillBalanceRows(std::optional<SnsRow> select);
    void balanceRowChanged();
    std::optional<SRow> balanceAccountRow() const;
    void editAccountFromBalances(bool newAccount);
    void editBalance(bool newRow);
    void editNom(bool newItem);
    void runReport();
    void openDocuments(int folder);
    // "Настройка" on a statement: its view in the data area, the menu panel disabled meanwhile.
    void openStatementView(int statementKind);
    void setMenuPanelEnabled(bool enabled);
    void showDocumentFolder();
    void showDocumentFilter(DocumentFilter filter);
    // The place of the mode in the guide, for F1 and "Помощ".
    void showHelpPlace();

    TFD &m_fd;
    TDM &m_dm;
    EditorHooks m_hooks;
    bool m_firstActivation = true;
    bool m_terminating = false;
    int m_preselectedFirm = 0;
    MainMode m_mode = MainMode::None;
    bool m_lotView = false;
    int m_lotLevel = 0;
    int m_viewStyle = 0;
    AccountFilter m_filter = AccountFilter::All;
    QList<SRow> m_balanceAccounts;
    QList<SnsRow> m_balanceRows;

    QLabel *m_date = nullptr;
    ClickLabel *m_header = nullptr;
    ClickLabel *m_reportsLabel = nullptr;
    QList<QPushButton *> m_navigation;
    QLabel *m_title = nullptr;
    QToolButton *m_viewButton = nullptr;
    QStackedWidget *m_details = nullptr;
    QTabWidget *m_accountTabs = nullptr;
    DetailSheet *m_accountSheet = nullptr;
    TotalsSheet *m_totals = nullptr;
    DetailSheet *m_sheet = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_balances = nullptr;
    QPushButton *m_back = nullptr;
    QStackedWidget *m_pages = nullptr;
    QListWidget *m_list = nullptr;
    OpeningBalancesPage *m_balancesPage = nullptr;
    QWidget *m_documentsDock = nullptr;
    QWidget *m_statementsDock = nullptr;
    bool m_statementOpen = false;
    QWidget *m_postingBar = nullptr;
    QCheckBox *m_dockCheck = nullptr;
    DocumentTools *m_documentTools = nullptr;
    int m_documentsFolder = 0;
    QMenu *m_reportsMenu = nullptr;
    QMenu *m_contextMenu = nullptr;
};
