#include "vat/VatDataPage.h"

#include "engine/Errors.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/TFD.h"
#include "vat/VatFirmData.h"
#include "vat/VatJournal.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString DateHint = u"дд.мм.гггг"_s;

QTableWidgetItem *Cell(const QString &text, bool editable, bool amount)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(editable ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                            : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
}  // namespace

VatDataPage::VatDataPage(TFD &fd, TDM &dm, QWidget *parent) : QWidget(parent), m_fd(fd), m_dm(dm)
{
    auto *form = new QFormLayout;
    for (const VatFirmField &f : VatFirmData::Fields()) {
        auto *edit = new QLineEdit(this);
        if (f.maxLength > 0)
            edit->setMaxLength(f.maxLength);
        else if (f.field == u"Firm_Klon"_s)
            edit->setValidator(new QIntValidator(0, 9999, edit));
        else
            edit->setPlaceholderText(DateHint);
        edit->setMinimumWidth(260);
        form->addRow(f.label, edit);
        m_fields.insert(f.field, edit);
    }

    m_months = new QTableWidget(12, 5, this);
    m_months->setHorizontalHeaderLabels(
        {u"Месец"_s, u"Дата на платежното\nнареждане"_s, u"кл.71"_s, u"кл.72"_s, u"кл.80"_s});
    m_months->verticalHeader()->setVisible(false);
    m_months->verticalHeader()->setDefaultSectionSize(20);
    m_months->setColumnWidth(MonthName, 90);
    m_months->setColumnWidth(PaymentDate, 150);
    for (int c = Cell71; c <= Cell80; ++c)
        m_months->setColumnWidth(c, 100);
    m_months->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_months->setMinimumWidth(560);

    auto *monthsBox = new QVBoxLayout;
    monthsBox->addWidget(new QLabel(u"Данни за справка-декларацията по месеци:"_s, this));
    monthsBox->addWidget(m_months, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(16);
    layout->addLayout(monthsBox, 1);
}

void VatDataPage::load()
{
    const auto firm = m_fd.Firm(m_fd.currentFirmId);
    if (!firm)
        throw MyException(u"Фирмата не е намерена в регистъра!"_s);
    MonthlyData::EnsureMonths(m_dm.db());
    m_loaded = *firm;
    m_loadedMonths = MonthlyData::Read(m_dm.db());
    showValues();
}

void VatDataPage::showValues()
{
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        it.value()->setText(VatFirmData::Value(m_loaded, it.key()));
    m_months->setRowCount(int(m_loadedMonths.size()));
    for (int r = 0; r < m_loadedMonths.size(); ++r) {
        const SdMonth &m = m_loadedMonths[r];
        m_months->setItem(r, MonthName, Cell(Formats::MonthName(m.SD_Month), false, false));
        m_months->setItem(r, PaymentDate, Cell(Formats::Date(m.SD_PlDate), true, false));
        const long long amounts[] = {m.SD_KL71, m.SD_KL72, m.SD_KL80};
        for (int i = 0; i < 3; ++i)
            m_months->setItem(r, Cell71 + i, Cell(VatJournals::AmountText(amounts[i]), true, true));
    }
}

bool VatDataPage::read(FirmRecord &firm, QList<SdMonth> &months, bool showProblems)
{
    // An open cell editor hands its text to the table when the cursor leaves the cell.
    m_months->setCurrentIndex(QModelIndex());
    firm = m_loaded;
    for (const VatFirmField &f : VatFirmData::Fields()) {
        QLineEdit *edit = m_fields.value(f.field);
        if (!VatFirmData::SetValue(firm, f.field, edit->text())) {
            if (showProblems) {
                Messages::show(u"Невалидна стойност: "_s + f.label + u" "_s + edit->text());
                edit->setFocus();
            }
            return false;
        }
    }
    months = m_loadedMonths;
    for (int r = 0; r < months.size(); ++r) {
        const auto text = [&](int c) { return m_months->item(r, c) ? m_months->item(r, c)->text() : QString(); };
        const auto date = MonthlyData::ParseDate(text(PaymentDate));
        const auto kl71 = MonthlyData::ParseAmount(text(Cell71));
        const auto kl72 = MonthlyData::ParseAmount(text(Cell72));
        const auto kl80 = MonthlyData::ParseAmount(text(Cell80));
        const int bad = !date ? PaymentDate : !kl71 ? Cell71 : !kl72 ? Cell72 : !kl80 ? Cell80 : -1;
        if (bad >= 0) {
            if (showProblems) {
                Messages::show((bad == PaymentDate ? u"Невалидна дата за месец: "_s : u"Невалидна сума за месец: "_s)
                               + Formats::MonthName(months[r].SD_Month) + u" "_s + text(bad));
                m_months->setCurrentCell(r, bad);
                m_months->setFocus();
            }
            return false;
        }
        months[r].SD_PlDate = *date;
        months[r].SD_KL71 = *kl71;
        months[r].SD_KL72 = *kl72;
        months[r].SD_KL80 = *kl80;
    }
    return true;
}

bool VatDataPage::pending()
{
    FirmRecord firm;
    QList<SdMonth> months;
    if (!read(firm, months, false))
        return true;
    for (const VatFirmField &f : VatFirmData::Fields())
        if (VatFirmData::Value(firm, f.field) != VatFirmData::Value(m_loaded, f.field))
            return true;
    return months != m_loadedMonths;
}

bool VatDataPage::post()
{
    FirmRecord firm;
    QList<SdMonth> months;
    if (!read(firm, months, true))
        return false;
    if (!VatFirmData::Save(m_fd, m_loaded, firm))
        return false;
    MonthlyData::Save(m_dm.db(), m_loadedMonths, months);
    load();
    return true;
}
