#include "firms/FirmContactFields.h"

#include "firm/Currency.h"

#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QLineEdit>

FirmFieldEdits AddFirmContactFields(QFormLayout *form, QWidget *parent)
{
    FirmFieldEdits edits;
    for (const FirmTextField &field : FirmContactFields()) {
        auto *edit = new QLineEdit(parent);
        edit->setMaxLength(field.maxLength);
        form->addRow(QString::fromUtf8(field.label), edit);
        edits.insert(QString::fromLatin1(field.name), edit);
    }
    return edits;
}

void ShowFirmContact(const FirmFieldEdits &edits, const FirmRecord &firm)
{
    for (const FirmTextField &field : FirmContactFields())
        edits.value(QString::fromLatin1(field.name))->setText(firm.*field.member);
}

void ReadFirmContact(const FirmFieldEdits &edits, FirmRecord &firm)
{
    for (const FirmTextField &field : FirmContactFields())
        firm.*field.member = edits.value(QString::fromLatin1(field.name))->text().trimmed();
}

QLabel *AddCurrencyRow(QFormLayout *form, QSpinBox *year, QWidget *parent)
{
    auto *label = new QLabel(parent);
    const auto show = [label](int value) {
        const Currency currency = CurrencyOfYear(value);
        label->setText(CurrencyName(currency) + QStringLiteral(" (") + CurrencyCode(currency) + u')');
    };
    show(year->value());
    QObject::connect(year, &QSpinBox::valueChanged, label, show);
    form->addRow(QStringLiteral("Валута:"), label);
    return label;
}
