#include "accounts/TAccLookUpForm.h"

#include "app/TErrorHook.h"
#include "widgets/EditorWidgets.h"

TAccLookUpForm::TAccLookUpForm(TFD &fd, TDM &dm, const TAccountStr &start, QWidget *parent)
    : AccountPickerDialog(fd, dm, PickerVariant::Template, parent), m_result(start)
{
}

std::optional<TAccountStr> TAccLookUpForm::Pick(TFD &fd, TDM &dm, const TAccountStr &start, QWidget *over)
{
    TAccLookUpForm picker(fd, dm, start, over ? over->window() : nullptr);
    if (!RunGuarded([&] { picker.start(start.number, start.levels); }))
        return std::nullopt;
    picker.placeOver(over);
    if (RunModal(picker) != QDialog::Accepted)
        return std::nullopt;
    return picker.result();
}
