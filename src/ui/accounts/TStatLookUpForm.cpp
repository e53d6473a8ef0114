#include "accounts/TStatLookUpForm.h"

#include "app/TErrorHook.h"
#include "widgets/EditorWidgets.h"

TStatLookUpForm::TStatLookUpForm(TFD &fd, TDM &dm, WorkLine &row, QWidget *parent)
    : AccountPickerDialog(fd, dm, PickerVariant::Entry, parent), m_row(row), m_wizard(parent)
{
}

bool TStatLookUpForm::Pick(TFD &fd, TDM &dm, WorkLine &row, QWidget *over)
{
    TStatLookUpForm picker(fd, dm, row, over ? over->window() : nullptr);
    if (!RunGuarded([&] { picker.start(row.account, row.lots); }))
        return false;
    picker.placeOver(over);
    return RunModal(picker) == QDialog::Accepted;
}

void TStatLookUpForm::take(const TAccountStr &picked)
{
    m_row.account = picked.number;
    m_row.lots = picked.levels;
    m_row.name = picked.name;
}

void TStatLookUpForm::editorOpening()
{
    hide();
    if (m_wizard)
        m_wizard->hide();
}

void TStatLookUpForm::editorClosed()
{
    if (m_wizard)
        m_wizard->show();
    show();
    raise();
    activateWindow();
}
