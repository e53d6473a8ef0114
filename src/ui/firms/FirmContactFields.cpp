#include "firms/FirmContactFields.h"

#include <QFormLayout>
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
