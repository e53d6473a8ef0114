#pragma once
// The journal entry wizard: the header of one entry group (posting date and, with VAT, the
// document's VAT details) and its six grids of work lines. Everything stays in memory until
// "Запис" has the group checked and posted in one transaction; "Отказ" leaves the books as they
// were. The rules are EntryRules', GroupPosting's and Stock's; this window shows and asks.
#include "posting/Documents.h"
#include "posting/EntryGroup.h"
#include "posting/EntryWizardRequest.h"
#include "widgets/TitleStripDialog.h"

#include <array>

class EntryGrid;
class MouseLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class TDM;
class TFD;

class TStatGrForm : public TitleStripDialog {
    Q_OBJECT
public:
    TStatGrForm(TFD &fd, TDM &dm, QWidget *parent = nullptr);

    // Opens the wizard modally on the group; true when it was saved. Refuses a document
    // without its number or date.
    static bool Run(TFD &fd, TDM &dm, const EntryWizardRequest &request, QWidget *parent);

    // Reads the document and the group and fills the window; false, with the reason shown,
    // when the document lacks its number or date.
    bool begin(const EntryWizardRequest &request);

    bool save();              // "Запис"
    void reject() override;   // "Отказ" and the close glyph

    bool addRow(Grid grid);   // "Добавяне на ред", and moving past the last row
    void deleteRow(Grid grid);  // "Изтриване на ред"
    // A value typed into a cell; a refused value leaves the row as it was.
    bool typeAccount(Grid grid, int row, const QString &text);
    bool typeQuantity(Grid grid, int row, const QString &text);
    bool typeAmount(Grid grid, int row, const QString &text);
    // Leaving the quantity column: the stock check, then the average cost of an empty amount.
    bool leaveQuantity(Grid grid, int row);
    bool pickAccount(Grid grid);  // Space in the account column
    // The availability check of one row, or of every row when `row` is below 0; a shortage is
    // shown and answers false.
    bool checkStock(Grid grid, int row);
    bool reprice(int row);        // Space in the amount column of the base credit grid

    void setDeliveryType(int vidDostavka);
    void setDocumentType(int docType);
    void setCounterparty(int kontra);
    bool leaveDate();  // leaving either date box
    bool chooseOperation(int opId);
    // "Операция:": the left button adds a template to the document's folder, the right edits the
    // chosen one; the box is read again.
    void operationLabelPressed(Qt::MouseButton button);

    void captionPressed(Grid grid, Qt::MouseButton button);
    void addAccount();            // "Добавяне на сметка"
    void editAccount(Grid grid);  // "Реадктиране на сметка"
    void counterpartyLabelPressed(Qt::MouseButton button);
    void showBalanceHint(Grid grid);
    void hideBalanceHint();

    const EntryGroup &group() const { return m_group; }
    const NomPRow &document() const { return m_doc; }
    bool saved() const { return m_saved; }
    int helpTopic() const { return m_group.withVat ? 32 : 33; }

    EntryGrid *grid(Grid g) const { return m_grids[int(g)]; }
    QWidget *gridPanel(Grid g) const { return m_gridPanels[int(g)]; }
    MouseLabel *panelCaption(Grid g) const { return m_captions[int(g)]; }
    QMenu *popupMenu(Grid g) const { return m_menus[int(g)]; }
    QWidget *debitPanel() const { return m_debitPanel; }
    QWidget *creditPanel() const { return m_creditPanel; }
    QLineEdit *dateEdit() const;  // the date box of the page shown
    QComboBox *operationBox() const;
    MouseLabel *operationLabel() const { return m_group.withVat ? m_vatOpsLabel : m_plainOpsLabel; }
    QComboBox *deliveryBox() const { return m_delivery; }
    QComboBox *documentTypeBox() const { return m_docType; }
    QComboBox *counterpartyBox() const { return m_kontra; }
    MouseLabel *counterpartyLabel() const { return m_kontraLabel; }
    QLabel *debitSum() const { return m_debitSum; }
    QLabel *creditSum() const { return m_creditSum; }
    QLabel *balanceHint() const { return m_hint; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHeader();
    QWidget *buildSide(bool debit);
    void buildMenu(Grid g);
    void connectGrid(Grid g);
    void fillLists();
    void fillOperations(int selected);
    void fillCounterparties();
    void showHeader();
    void applyVisibility();
    void refreshGrid(Grid g);
    void refreshAll();
    void updateSums();
    void followAccount(Grid g, int row);
    void commitAll();
    void syncHeaderDate();
    bool checkHeader();
    void focusCell(Grid g, int row, const QString &field);
    void cellTyped(Grid g, int row, int column, const QString &text);
    void cellLeft(Grid g, int row, int column, int newRow, int newColumn);
    void setReadingTabOrder();
    // After the account of a row: the focus to the row's first figure the account allows.
    void focusAfterAccount(Grid g, int row);
    // The VAT at the firm's rate into a VAT row still without an amount.
    void proposeVat();
    void spacePressed(Grid g, int row, int column);
    bool pick(Grid g, WorkLine &row);
    QString takeNumber(Grid g, int row, const QString &text, bool amount);
    bool validRow(Grid g, int row) const;
    QWidget *sidePanel(Grid g) const;

    TFD &m_fd;
    TDM &m_dm;
    EntryGroup m_group;
    NomPRow m_doc;
    ReportingPeriod m_period;
    QDate m_knownDate;
    double m_vatRate = 0;
    bool m_saved = false;
    int m_cellsWaiting = 0;  // typed cells whose picker or message is still to come
    bool m_filling = false;

    QStackedWidget *m_header;
    QLineEdit *m_plainDate;
    MouseLabel *m_plainOpsLabel;
    QComboBox *m_plainOps;
    QLineEdit *m_vatDate;
    QComboBox *m_delivery;
    QComboBox *m_docType;
    MouseLabel *m_kontraLabel;
    QComboBox *m_kontra;
    MouseLabel *m_vatOpsLabel;
    QComboBox *m_vatOps;
    QWidget *m_debitPanel;
    QWidget *m_creditPanel;
    std::array<EntryGrid *, 6> m_grids{};
    std::array<MouseLabel *, 6> m_captions{};
    std::array<QWidget *, 6> m_gridPanels{};
    std::array<QMenu *, 6> m_menus{};
    QLabel *m_debitSum;
    QLabel *m_creditSum;
    QLabel *m_hint;
    QPushButton *m_save;
    QPushButton *m_cancel;
};
