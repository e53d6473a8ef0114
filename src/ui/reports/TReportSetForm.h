#pragma once
// The report options dialog: one page of options per report, no tabs — the chronological
// ledger, the trial balance, the account extract and the lot extract. "Давай" checks the page
// and runs its report into a preview; the dialog stays open for another run until "Отказ" or
// the close glyph. Any other page number is refused.
#include "reports/ReportPeriod.h"
#include "reports/TrialBalance.h"
#include "widgets/TitleStripDialog.h"

#include <QList>
#include <QPointer>
#include <array>

class QCheckBox;
class QComboBox;
class DateBox;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TDM;
class ChronologicalOptionsPage;
class AccountExtractOptionsPage;
class LotExtractOptionsPage;
class TViewerForm;

inline const QString UnknownReportMessage = QStringLiteral("Неразпознат тип на справка!");

class TReportSetForm : public TitleStripDialog {
    Q_OBJECT
public:
    enum Page { ChronologicalLedger = 0, TrialBalance = 1, AccountExtract = 2, LotExtract = 3 };

    TReportSetForm(TDM &dm, QString firmName, QWidget *parent = nullptr);
    ~TReportSetForm() override;

    // Whether the dialog has a page of that number.
    static bool HasPage(int page);
    // Opens the dialog modally on `page`, or shows "Неразпознат тип на справка!".
    static void Run(TDM &dm, const QString &firmName, int page, QWidget *parent);

    // Reads the accounts and puts the page up with the default periods; false, with the
    // message shown, for a page the dialog does not have.
    bool begin(int page);
    int page() const { return m_page; }
    // "Давай": the preview it opened, or none when the page's check failed.
    TViewerForm *go();
    // The trial balance as the page stands.
    TrialBalanceOptions trialBalanceOptions() const;

    QStackedWidget *pages() const { return m_pages; }
    DateBox *obFromEdit() const { return m_obFrom; }
    DateBox *obToEdit() const { return m_obTo; }
    QComboBox *obAccountBox() const { return m_obAccount; }
    QRadioButton *valueButton() const { return m_obValue; }
    QRadioButton *quantityButton() const { return m_obQuantity; }
    QCheckBox *usedOnlyBox() const { return m_obUsedOnly; }
    ChronologicalOptionsPage *chronologicalPage() const { return m_chronological; }
    AccountExtractOptionsPage *accountExtractPage() const { return m_accountExtract; }
    LotExtractOptionsPage *lotExtractPage() const { return m_lotExtract; }
    QPushButton *goButton() const { return m_go; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *clearButton() const { return m_clear; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildTrialBalancePage();
    void setDefaults();
    void adoptViewers();
    // The active page's report as the page stands; none when the page refused (its message shown).
    TViewerForm *runPage();

    TDM &m_dm;
    QString m_firmName;
    ReportingPeriod m_period;
    int m_page = -1;
    std::array<QWidget *, 4> m_pageWidgets{};
    QList<QPointer<TViewerForm>> m_viewers;

    QStackedWidget *m_pages;
    DateBox *m_obFrom = nullptr;
    DateBox *m_obTo = nullptr;
    QComboBox *m_obAccount = nullptr;
    QRadioButton *m_obValue = nullptr;
    QRadioButton *m_obQuantity = nullptr;
    QCheckBox *m_obUsedOnly = nullptr;
    ChronologicalOptionsPage *m_chronological = nullptr;
    AccountExtractOptionsPage *m_accountExtract = nullptr;
    LotExtractOptionsPage *m_lotExtract = nullptr;
    QPushButton *m_go;
    QPushButton *m_cancel;
    QPushButton *m_clear;
};
