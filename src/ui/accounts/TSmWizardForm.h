#pragma once
// The account editor: a three-page wizard (name, type, analytics) with a navigation tree. Every
// move forward or through the tree checks the page being left; the rules are AccountRules'.
#include "accounts/AccountRules.h"
#include "firm/RecordLocks.h"
#include "widgets/TitleStripDialog.h"

#include <array>
#include <optional>

class MouseLabel;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class TDM;
class TFD;

class TSmWizardForm : public TitleStripDialog {
    Q_OBJECT
public:
    // No account: add one.
    TSmWizardForm(TDM &dm, std::optional<int> account, QWidget *parent = nullptr);

    // Opens the editor modally; the saved account's number, or nothing when it was cancelled.
    static std::optional<int> Run(TFD &fd, TDM &dm, std::optional<int> account, QWidget *parent);

    // Reads the account and takes its lock; false (holder named) when another copy edits it.
    bool begin();

    int pageNumber() const;
    bool next();  // "Следващ >>", and "Запис" on the last page
    void back();  // "<< Преден"
    bool goToPage(int page);  // through the tree
    bool save();
    void reject() override;
    // A press on a level label: the left button edits the level in that box, the right adds one.
    void levelLabelPressed(int position, Qt::MouseButton button);

    std::optional<int> savedNumber() const { return m_saved; }
    QString stateText() const;
    const AccountRules::AccountDraft &draft() const { return m_draft; }

    QTreeWidget *tree() const { return m_tree; }
    QLineEdit *numberEdit() const { return m_number; }
    QLineEdit *nameEdit() const { return m_name; }
    QRadioButton *measureButton(int code) const;   // 1..3
    QRadioButton *balanceButton(int code) const;   // 1..3
    QRadioButton *kindButton(int code) const;      // 1 synthetic, 2 analytic
    QComboBox *levelBox(int position) const { return m_levelBoxes[position - 1]; }
    MouseLabel *levelLabel(int position) const { return m_levelLabels[position - 1]; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QWidget *buildNamePage();
    QWidget *buildTypePage();
    QWidget *buildAnalyticsPage();
    void showPage(int page);
    void collect();
    void showDraft();
    void loadLevelLists();
    void levelChosen(int position);
    void kindChosen(int kind);
    void focusOn(AccountRules::Focus focus);
    bool leavePage(int target);

    TDM &m_dm;
    std::optional<int> m_account;
    AccountRules::AccountDraft m_draft;
    AccountRules::FieldLocks m_locks;
    std::optional<int> m_saved;
    RecordLock m_lock;
    bool m_showing = false;

    QLabel *m_state;
    QTreeWidget *m_tree;
    QStackedWidget *m_pages;
    QLineEdit *m_number;
    QLineEdit *m_name;
    QButtonGroup *m_measures;
    QButtonGroup *m_balances;
    QButtonGroup *m_kinds;
    std::array<QComboBox *, 5> m_levelBoxes{};
    std::array<MouseLabel *, 5> m_levelLabels{};
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_cancel;
};
