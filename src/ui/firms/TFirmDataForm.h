#pragma once
// The new-firm wizard: a new firm with the template chart, a new firm with data carried over
// from an existing one, or the registration of a firm directory that already exists.
#include "registry/FirmRecord.h"
#include "widgets/TitleStripDialog.h"

#include <QList>
#include <QMap>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QTableWidgetItem;
class TFD;

class TFirmDataForm : public TitleStripDialog {
    Q_OBJECT
public:
    enum Kind { NewFirm = 1, CopyOfFirm = 2, AttachData = 3 };
    enum Transfer { AccountsAndLots, Lots, Folders, FirmData, ClosingBalances, TransferCount };
    static constexpr int Saved = 1;
    static constexpr int Cancelled = 2;

    explicit TFirmDataForm(TFD &fd, QWidget *parent = nullptr);

    int kind() const;
    void setKind(Kind kind);
    // Page numbers 1…4 the wizard goes through for the current choices.
    QList<int> pageFlow() const;
    int pageNumber() const;

    // "Напред >>": validates the page being left; false when it stays.
    bool next();
    // "<< Преден"
    void back();
    // "Запис": false when the input was refused; the wizard then stays as it was.
    bool save();
    void reject() override;

    int createdFirmId() const { return m_createdFirmId; }

    QRadioButton *kindButton(Kind kind) const;
    QCheckBox *transferBox(Transfer transfer) const { return m_transfer[transfer]; }
    QComboBox *sourceBox() const { return m_source; }
    QTableWidget *accountsTable() const { return m_accounts; }
    QLineEdit *field(const QString &fieldName) const { return m_fields.value(fieldName); }
    QSpinBox *yearBox() const { return m_year; }
    QLineEdit *pathEdit() const { return m_path; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *markAllButton() const { return m_markAll; }
    QPushButton *unmarkAllButton() const { return m_unmarkAll; }

private:
    QWidget *buildKindPage();
    QWidget *buildSourcePage();
    QWidget *buildAccountsPage();
    QWidget *buildDataPage();

    void goTo(int page);
    bool leavingPageAccepted(int page);
    void loadFirms();
    void loadAccounts();
    void markAll(bool checked);
    void accountToggled(QTableWidgetItem *item);
    void prepareDataPage();
    void prefillFromSource();
    void choosePath();
    int sourceFirmId() const;
    FirmRecord typedRecord() const;

    TFD &m_fd;
    int m_createdFirmId = 0;
    int m_prefilledFrom = 0;
    bool m_loadingAccounts = false;

    QStackedWidget *m_pages;
    QButtonGroup *m_kinds;
    QComboBox *m_source;
    QCheckBox *m_transfer[TransferCount] = {};
    QTableWidget *m_accounts;
    QPushButton *m_markAll;
    QPushButton *m_unmarkAll;
    QMap<QString, QLineEdit *> m_fields;
    QSpinBox *m_year;
    QLineEdit *m_path;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_cancel;
    QPushButton *m_save;
};
