#pragma once
// Controls the pages of the report options dialog share: the period box, the lists of accounts
// and folders with their "Всички" entry, and a group of choices.
#include "reports/ReportPeriod.h"

#include <QList>
#include <QString>

class QButtonGroup;
class QComboBox;
class DateBox;
class QGroupBox;
class QRadioButton;
class QWidget;
struct SRow;
struct NomPapRow;

// "Период" with "От:" and "До:".
QGroupBox *NewPeriodBox(const QString &caption, QWidget *parent, DateBox *&from, DateBox *&to);
void SetPeriod(DateBox *from, DateBox *to, const ReportPeriodDefaults &dates);

// The accounts as "304 Стоки", each with its number; `first` (0) heads the list. The choice made
// before stays when the account is still there.
void FillAccounts(QComboBox *box, const QList<SRow> &accounts, const QString &first);
void FillFolders(QComboBox *box, const QList<NomPapRow> &folders);
// Lots or levels by number and name, under an entry of 0.
void FillNumbered(QComboBox *box, const QList<std::pair<int, QString>> &items, const QString &first);

// A group box of radio buttons, one per caption, in a column; their ids are their places.
QGroupBox *NewChoiceBox(const QString &caption, const QStringList &choices, QWidget *parent, QButtonGroup *&group);
