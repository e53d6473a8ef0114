#pragma once
// The opening-balance editor of one account: a lot box per analytic level that has lots, the
// debit and credit values, and the checks of OpeningBalanceRules.
#include "accounts/OpeningBalanceRules.h"
#include "firm/RecordLocks.h"
#include "widgets/TitleStripDialog.h"

#include <array>
#include <optional>

class MouseLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TDM;

class TNsWizardForm : public TitleStripDialog {
    Q_OBJECT
public:
    // No row: add one.
    TNsWizardForm(TDM &dm, int account, std::optional<SnsRow> row, QWidget *parent = nullptr);

    // Opens the editor modally; true once a row was saved (also when "Отказ" followed a
    // "Запис+Нов"). The caller re-reads the rows whatever the answer.
    static bool Run(TDM &dm, int account, std::optional<SnsRow> row, QWidget *parent);

    // False, with the reason shown, when the editor may not open: a row of the account edited by
    // another copy of the program, or a second row asked for a synthetic account.
    bool begin();
    bool save();        // "Запис"
    bool saveAndNew();  // "Запис+Нов"
    void reject() override;
    // A press on a lot label: the left button edits the lot in that box, the right adds one.
    void lotLabelPressed(int position, Qt::MouseButton button);

    bool savedAny() const { return m_savedAny; }
    bool adding() const { return !m_original.has_value(); }
    QString stateText() const;
    QString helpText() const;

    QLabel *header() const { return m_header; }
    QComboBox *lotBox(int position) const { return m_lotBoxes[position - 1]; }
    MouseLabel *lotLabel(int position) const { return m_lotLabels[position - 1]; }
    QLineEdit *valueBox(OpeningBalanceRules::Box box) const;
    QLabel *valueLabel(OpeningBalanceRules::Box box) const;
    QPushButton *saveButton() const { return m_save; }
    QPushButton *saveNewButton() const { return m_saveNew; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void setUpControls();
    void loadLots(int position);
    void showRow(const SnsRow &row);
    void selectLot(int position, int lot);
    bool post();
    void focusOn(OpeningBalanceRules::Box box);
    void focusFirst();

    TDM &m_dm;
    int m_accountNumber;
    TAccountStr m_account;
    QList<OpeningBalanceRules::LotSlot> m_slots;
    std::optional<SnsRow> m_original;
    bool m_savedAny = false;
    RecordLock m_lock;

    QLabel *m_state;
    QLabel *m_header;
    std::array<QComboBox *, 5> m_lotBoxes{};
    std::array<MouseLabel *, 5> m_lotLabels{};
    std::array<QLineEdit *, 4> m_values{};
    std::array<QLabel *, 4> m_valueLabels{};
    QLabel *m_help;
    QPushButton *m_save;
    QPushButton *m_saveNew;
    QPushButton *m_cancel;
};
