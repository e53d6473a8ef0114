#pragma once
// "Настройка": the include-row wizard. Page 1 chooses what the row is, page 2 its account (and
// corresponding account, or the side of the account's totals), page 3 an amount. It gives the
// row back to the line settings window, which keeps it until "Запис".
#include "statements/IncludeRowWizard.h"
#include "widgets/TitleStripDialog.h"

#include <optional>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class TDM;
class TFD;

// One "Сметка:" panel: the button that opens the account picker, the account's number and name,
// and the names of its lots.
class IncludeAccountPanel : public QWidget {
    Q_OBJECT
public:
    IncludeAccountPanel(TFD &fd, TDM &dm, QWidget *parent = nullptr);
    void setAccount(int account, const LotKey &lots);
    int account() const { return m_account; }
    const LotKey &lots() const { return m_lots; }
    // Opens the picker; the panel keeps the account chosen there.
    void pick();
    QPushButton *pickButton() const { return m_pick; }
    QString nameText() const;
    QStringList lotTexts() const;

signals:
    void changed();

private:
    TFD &m_fd;
    TDM &m_dm;
    int m_account = 0;
    LotKey m_lots{};
    QPushButton *m_pick;
    QLabel *m_number;
    QLabel *m_name;
    QList<QLabel *> m_lotNames;
};

class TAddPokForm : public TitleStripDialog {
    Q_OBJECT
public:
    // Add mode without a row, edit mode with the row to change.
    TAddPokForm(TFD &fd, TDM &dm, StatementType type, const std::optional<IncludeRow> &row, QWidget *parent = nullptr);

    // The row as the wizard made it, or nothing when cancelled. A row of an unknown kind is not
    // opened ("Неочакван тип на данните! ").
    static std::optional<IncludeRow> Run(TFD &fd, TDM &dm, StatementType type, const std::optional<IncludeRow> &row,
                                         QWidget *parent);

    int page() const { return m_page; }  // 1..3
    void next();   // "Следващ >>"; on pages 2 and 3 it finishes
    void back();   // "<< Преден"
    bool finish();
    IncludeRow row() const { return m_row; }
    IncludeWizardState state() const;

    QButtonGroup *choices() const { return m_choices; }
    QButtonGroup *sides() const { return m_sides; }
    IncludeAccountPanel *accountPanel() const { return m_account; }
    IncludeAccountPanel *corrPanel() const { return m_corr; }
    QGroupBox *sidesBox() const { return m_sidesBox; }
    QCheckBox *accountCorrection() const { return m_accountKor; }
    QCheckBox *amountCorrection() const { return m_amountKor; }
    QDoubleSpinBox *amountEdit() const { return m_amount; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QWidget *buildChoicePage();
    QWidget *buildAccountPage();
    QWidget *buildAmountPage();
    void showPage(int page);
    void load(const IncludeWizardState &state);

    StatementType m_type;
    std::optional<IncludeRow> m_editing;
    IncludeRow m_row;
    int m_page = 1;

    QStackedWidget *m_pages;
    QButtonGroup *m_choices;
    QButtonGroup *m_sides;
    QGroupBox *m_sidesBox;
    IncludeAccountPanel *m_account;
    IncludeAccountPanel *m_corr;
    QCheckBox *m_accountKor;
    QCheckBox *m_amountKor;
    QDoubleSpinBox *m_amount;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_cancel;
    TFD &m_fd;
    TDM &m_dm;
};
