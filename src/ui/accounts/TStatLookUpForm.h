#pragma once
// The account picker of the journal entry grids: every shown box must be chosen, and the choice
// goes straight into the grid's row. While an editor opened from a label is up, the picker and
// the wizard under it step aside.
#include "accounts/AccountPickerDialog.h"
#include "posting/EntryGroup.h"

#include <QPointer>

class TStatLookUpForm : public AccountPickerDialog {
    Q_OBJECT
public:
    TStatLookUpForm(TFD &fd, TDM &dm, WorkLine &row, QWidget *parent = nullptr);

    // Opens the picker over `over` (a grid panel of the wizard) starting from the row's account
    // and lots. True when closed with "Запис"; the row then holds the account, its five lots and
    // the lot name, unless a transaction was active ("Моля изберете сметка отново!").
    static bool Pick(TFD &fd, TDM &dm, WorkLine &row, QWidget *over);

protected:
    void take(const TAccountStr &picked) override;
    void editorOpening() override;
    void editorClosed() override;

private:
    WorkLine &m_row;
    QPointer<QWidget> m_wizard;
};
