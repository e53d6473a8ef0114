#pragma once
// The date fields of the report dialogs: dd.MM.yyyy with four-digit years and a calendar that
// drops down from the field.
#include <QDateEdit>

QDateEdit *NewDateBox(QWidget *parent);
