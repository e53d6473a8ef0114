#pragma once
// The edit boxes of a firm's contact data, shared by the firm editor and the new-firm wizard.
#include "registry/FirmRecord.h"

#include <QMap>
#include <QString>

class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

using FirmFieldEdits = QMap<QString, QLineEdit *>;  // by FirmData field name

FirmFieldEdits AddFirmContactFields(QFormLayout *form, QWidget *parent);
void ShowFirmContact(const FirmFieldEdits &edits, const FirmRecord &firm);
// The typed contact data, trimmed, written over those of `firm`.
void ReadFirmContact(const FirmFieldEdits &edits, FirmRecord &firm);

// The row "Валута:" under the year box, following the year: the currency its books are kept in.
QLabel *AddCurrencyRow(QFormLayout *form, QSpinBox *year, QWidget *parent);
