#include "data/TFirmDataEditForm.h"

#include "app/Messages.h"
#include "app/TErrorHook.h"
#include "data/Errors.h"
#include "data/TFD.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
struct FieldSpec {
    const char *label;
    const char *name;
    int maxLength;
};

// In the order the editor shows them; "Отчетен период:" sits between contact and path.
constexpr FieldSpec LeadingFields[] = {
    {"Наименование:", "Firm_Name", 30},  {"Данъчен номер:", "Firm_DN", 10}, {"Булстат:", "Firm_BS", 10},
    {"Телефон:", "Firm_Tel", 15},        {"Факс:", "Firm_Fax", 15},         {"Адрес:", "Firm_Adres", 50},
    {"Лице за контакт:", "Firm_Hed", 30},
};
constexpr FieldSpec PathField = {"Път до данните", "Firm_DataPath", 255};
}  // namespace

TFirmDataEditForm::TFirmDataEditForm(TFD &fd, int firmId, QWidget *parent)
    : TitleStripDialog(QStringLiteral("Данни за фирма:"), parent), m_fd(fd)
{
    const auto firm = fd.Firm(firmId);
    if (!firm)
        throw MyException(QStringLiteral("Фирмата не е намерена в регистъра!"));
    m_record = *firm;

    auto *form = new QFormLayout;
    auto addField = [&](const FieldSpec &spec, const QString &value) {
        auto *edit = new QLineEdit(value, body());
        edit->setMaxLength(spec.maxLength);
        form->addRow(QString::fromUtf8(spec.label), edit);
        m_fields.insert(QString::fromLatin1(spec.name), edit);
    };
    const QString values[] = {m_record.Firm_Name, m_record.Firm_DN,    m_record.Firm_BS, m_record.Firm_Tel,
                              m_record.Firm_Fax,  m_record.Firm_Adres, m_record.Firm_Hed};
    for (int i = 0; i < int(std::size(LeadingFields)); ++i)
        addField(LeadingFields[i], values[i]);

    m_period = new QSpinBox(body());
    m_period->setRange(1900, 9999);
    m_period->setValue(m_record.Firm_Period);
    form->addRow(QStringLiteral("Отчетен период:"), m_period);
    addField(PathField, m_record.Firm_DataPath);
    m_fields.value(QStringLiteral("Firm_DataPath"))->setMinimumWidth(320);

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
    auto text = [this](const char *name) { return m_fields.value(QString::fromLatin1(name))->text().trimmed(); };
    firm.Firm_Name = text("Firm_Name");
    firm.Firm_DN = text("Firm_DN");
    firm.Firm_BS = text("Firm_BS");
    firm.Firm_Tel = text("Firm_Tel");
    firm.Firm_Fax = text("Firm_Fax");
    firm.Firm_Adres = text("Firm_Adres");
    firm.Firm_Hed = text("Firm_Hed");
    firm.Firm_Period = m_period->value();
    firm.Firm_DataPath = text("Firm_DataPath");
    return firm;
}

bool TFirmDataEditForm::save()
{
    const FirmRecord firm = typedRecord();
    const QString problem = FirmRecordProblem(firm);
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    if (!RunGuarded([&] { m_fd.UpdateFirm(firm); }))
        return false;
    m_record = firm;
    done(Saved);
    return true;
}

void TFirmDataEditForm::reject() { done(Cancelled); }
