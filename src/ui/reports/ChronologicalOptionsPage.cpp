#include "reports/ChronologicalOptionsPage.h"

#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "reports/OptionWidgets.h"
#include "widgets/DateBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ChronologicalOptionsPage::ChronologicalOptionsPage(QWidget *parent) : QWidget(parent)
{
    QGroupBox *period = NewPeriodBox(u"Период "_s, this, m_from, m_to);
    auto *dateKind = new QGroupBox(u"Периода е по дата на:"_s, this);
    m_documentDate = new QRadioButton(u"Документа"_s, dateKind);
    m_postingDate = new QRadioButton(u"Осчетоводяване"_s, dateKind);
    m_postingDate->setChecked(true);
    auto *dateRow = new QHBoxLayout(dateKind);
    dateRow->addWidget(m_documentDate);
    dateRow->addWidget(m_postingDate);

    m_fromDocument = new QLineEdit(this);
    m_toDocument = new QLineEdit(this);
    m_fromAmount = new QLineEdit(this);
    m_toAmount = new QLineEdit(this);
    m_fromDocument->setMaxLength(10);
    m_toDocument->setMaxLength(10);
    m_debit = new QComboBox(this);
    m_credit = new QComboBox(this);
    m_folder = new QComboBox(this);
    auto *fields = new QFormLayout;
    fields->addRow(FromDocumentCaption, m_fromDocument);
    fields->addRow(ToDocumentCaption, m_toDocument);
    fields->addRow(FromAmountCaption, m_fromAmount);
    fields->addRow(ToAmountCaption, m_toAmount);
    fields->addRow(u"За сметка дебит:"_s, m_debit);
    fields->addRow(u"За сметка кредит:"_s, m_credit);
    fields->addRow(u"За папка:"_s, m_folder);

    QGroupBox *sort = NewChoiceBox(u"Сортиране на данните по:"_s,
                                   {u"Дата и номер документ"_s, u"Номер на документ"_s, u"Дата на документ"_s,
                                    u"Без сортировка"_s},
                                   this, m_sort);
    m_sort->button(0)->setChecked(true);

    auto *top = new QHBoxLayout;
    top->addWidget(period);
    top->addWidget(dateKind);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(fields, 1);
    bottom->addWidget(sort);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

void ChronologicalOptionsPage::load(const QList<SRow> &accounts, const QList<NomPapRow> &folders)
{
    FillAccounts(m_debit, accounts, u"Всички"_s);
    FillAccounts(m_credit, accounts, u"Всички"_s);
    FillFolders(m_folder, folders);
}

void ChronologicalOptionsPage::setPeriod(const ReportPeriodDefaults &dates) { SetPeriod(m_from, m_to, dates); }

ChronologicalPage ChronologicalOptionsPage::read() const
{
    static const ChronologicalSort sorts[] = {ChronologicalSort::DateAndNumber, ChronologicalSort::Number,
                                              ChronologicalSort::Date, ChronologicalSort::None};
    ChronologicalPage p;
    p.from = m_from->text();
    p.to = m_to->text();
    p.byDocumentDate = m_documentDate->isChecked();
    p.fromDocument = m_fromDocument->text();
    p.toDocument = m_toDocument->text();
    p.fromAmount = m_fromAmount->text();
    p.toAmount = m_toAmount->text();
    p.debitAccount = m_debit->currentData().toInt();
    p.creditAccount = m_credit->currentData().toInt();
    p.folder = m_folder->currentData().toInt();
    p.sort = sorts[std::clamp(m_sort->checkedId(), 0, 3)];
    return p;
}
