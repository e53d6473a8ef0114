#include "reports/OptionWidgets.h"

#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "widgets/DateBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QGroupBox *NewPeriodBox(const QString &caption, QWidget *parent, DateBox *&from, DateBox *&to)
{
    auto *box = new QGroupBox(caption, parent);
    box->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    from = NewDateBox(box);
    to = NewDateBox(box);
    auto *fields = new QFormLayout(box);
    fields->addRow(u"От:"_s, from);
    fields->addRow(u"До:"_s, to);
    return box;
}

void SetPeriod(DateBox *from, DateBox *to, const ReportPeriodDefaults &dates)
{
    from->setDate(dates.from);
    to->setDate(dates.to);
}

void FillNumbered(QComboBox *box, const QList<std::pair<int, QString>> &items, const QString &first)
{
    const QVariant chosen = box->currentData();
    box->clear();
    box->addItem(first, 0);
    for (const auto &[number, name] : items)
        box->addItem(name, number);
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
}

void FillAccounts(QComboBox *box, const QList<SRow> &accounts, const QString &first)
{
    QList<std::pair<int, QString>> items;
    for (const SRow &a : accounts)
        items.append({a.S_UNo, QString::number(a.S_UNo) + u' ' + a.S_Name});
    FillNumbered(box, items, first);
}

void FillFolders(QComboBox *box, const QList<NomPapRow> &folders)
{
    QList<std::pair<int, QString>> items;
    for (const NomPapRow &f : folders)
        items.append({f.Nom_Pap_No, f.Nom_Pap_Name});
    FillNumbered(box, items, u"Всички"_s);
}

QGroupBox *NewChoiceBox(const QString &caption, const QStringList &choices, QWidget *parent, QButtonGroup *&group)
{
    auto *box = new QGroupBox(caption, parent);
    auto *column = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < choices.size(); ++i) {
        auto *button = new QRadioButton(choices[i], box);
        group->addButton(button, i);
        column->addWidget(button);
    }
    return box;
}
