#pragma once
// The edit boxes of a firm's contact data, shared by the firm editor and the new-firm wizard.
#include "registry/FirmRecord.h"

#include <QMap>
#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

using FirmFieldEdits = QMap<QString, QLineEdit *>;  // by FirmData field name

FirmFieldEdits AddFirmContactFields(QFormLayout *form, QWidget *parent);
void ShowFirmContact(const FirmFieldEdits &edits, const FirmRecord &firm);
// The typed contact data, trimmed, written over those of `firm`.
void ReadFirmContact(const FirmFieldEdits &edits, FirmRecord &firm);
