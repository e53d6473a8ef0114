#pragma once
// The chronological-ledger page of the report options dialog: the period and whether it is the
// posting or the document date, document and amount bounds as typed, the debit and credit
// account, the folder, and the sort order.
#include "reports/OptionPages.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class DateBox;
class QLineEdit;
class QRadioButton;
struct NomPapRow;
struct SRow;

class ChronologicalOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit ChronologicalOptionsPage(QWidget *parent = nullptr);

    void load(const QList<SRow> &accounts, const QList<NomPapRow> &folders);
    void setPeriod(const ReportPeriodDefaults &dates);
    // The page as it stands, typed texts untouched.
    ChronologicalPage read() const;

    DateBox *fromEdit() const { return m_from; }
    DateBox *toEdit() const { return m_to; }
    QRadioButton *documentDateButton() const { return m_documentDate; }
    QRadioButton *postingDateButton() const { return m_postingDate; }
    QLineEdit *fromDocumentEdit() const { return m_fromDocument; }
    QLineEdit *toDocumentEdit() const { return m_toDocument; }
    QLineEdit *fromAmountEdit() const { return m_fromAmount; }
    QLineEdit *toAmountEdit() const { return m_toAmount; }
    QComboBox *debitBox() const { return m_debit; }
    QComboBox *creditBox() const { return m_credit; }
    QComboBox *folderBox() const { return m_folder; }
    QButtonGroup *sortGroup() const { return m_sort; }

private:
    DateBox *m_from;
    DateBox *m_to;
    QRadioButton *m_documentDate;
    QRadioButton *m_postingDate;
    QLineEdit *m_fromDocument;
    QLineEdit *m_toDocument;
    QLineEdit *m_fromAmount;
    QLineEdit *m_toAmount;
    QComboBox *m_debit;
    QComboBox *m_credit;
    QComboBox *m_folder;
    QButtonGroup *m_sort;
};
