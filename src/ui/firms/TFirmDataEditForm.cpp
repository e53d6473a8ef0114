#include "firms/TFirmDataEditForm.h"

#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "registry/FirmChoice.h"
#include "firm/TDM.h"
#include "firm/VatRate.h"
#include "registry/TFD.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "firms/FirmContactFields.h"
#include "widgets/Accelerators.h"
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>


TFirmDataEditForm::TFirmDataEditForm(TFD &fd, int firmId, QWidget *parent, TDM *books)
    : TitleStripDialog(QStringLiteral("Данни за фирма:"), parent), m_fd(fd)
{
    if (books && books->IsConnected() && fd.currentFirmId == firmId)
        m_books = books;
    const auto firm = fd.Firm(firmId);
    if (!firm)
        throw MyException(QStringLiteral("Фирмата не е намерена в регистъра!"));
    m_record = *firm;

    auto *form = new QFormLayout;
    m_fields = AddFirmContactFields(form, body());
    ShowFirmContact(m_fields, m_record);

    m_period = new QSpinBox(body());
    m_period->setRange(1900, 9999);
    m_period->setValue(m_record.Firm_Period);
    form->addRow(QStringLiteral("Отчетен период:"), m_period);
    AddCurrencyRow(form, m_period, body());
    // A firm with books keeps its year; the label under the field says why.
    QString yearLock;
    RunGuarded([&] { yearLock = FirmYearLock(m_record); });
    if (!yearLock.isEmpty()) {
        m_period->setReadOnly(true);
        m_period->setButtonSymbols(QAbstractSpinBox::NoButtons);
        m_yearLock = new QLabel(yearLock, body());
        m_yearLock->setWordWrap(true);
        form->addRow(QString(), m_yearLock);
    }
    auto *path = new QLineEdit(m_record.Firm_DataPath, body());
    path->setMaxLength(255);
    path->setMinimumWidth(320);
    form->addRow(QStringLiteral("Път до данните"), path);
    m_fields.insert(QStringLiteral("Firm_DataPath"), path);
    if (m_books) {
        m_vatRate = new QDoubleSpinBox(body());
        m_vatRate->setRange(0, 100);
        m_vatRate->setDecimals(2);
        m_vatRate->setValue(StandardVatRate(m_books->db()));
        m_vatRate->setToolTip(QStringLiteral("По нея програмата предлага ДДС при въвеждане на статия с ДДС."));
        form->addRow(QStringLiteral("Ставка на ДДС (%):"), m_vatRate);
    }

    m_save = new QPushButton(QStringLiteral("Запис"), body());
    m_cancel = new QPushButton(QStringLiteral("Отказ"), body());
    m_save->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(body());
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    SetDialogKeys(m_save, m_cancel);
}

void TFirmDataEditForm::showEvent(QShowEvent *event)
{
    setCaption(QStringLiteral("Данни за фирма:") + u' ' + m_record.Firm_Name);
    TitleStripDialog::showEvent(event);
    CentreOnDesktop(this);
}

FirmRecord TFirmDataEditForm::typedRecord() const
{
    FirmRecord firm = m_record;
    ReadFirmContact(m_fields, firm);
    firm.Firm_Period = m_period->value();
    firm.Firm_DataPath = m_fields.value(QStringLiteral("Firm_DataPath"))->text().trimmed();
    return firm;
}

bool TFirmDataEditForm::save()
{
    const FirmRecord firm = typedRecord();
    QString problem = FirmRecordProblem(firm);
    if (problem.isEmpty() && m_vatRate)
        problem = VatRateProblem(m_vatRate->value());
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    if (m_vatRate && !RunGuarded([&] { SetStandardVatRate(m_books->db(), m_vatRate->value()); }))
        return false;
    if (!RunGuarded([&] { SaveFirmData(m_fd, m_record, firm); }))
        return false;
    m_record = firm;
    done(Saved);
    return true;
}

void TFirmDataEditForm::reject() { done(Cancelled); }
