#pragma once
// The account picker of the operation templates and the statement indicators: an account is
// required, a blank lot box stands for 0.
#include "accounts/AccountPickerDialog.h"

#include <optional>

class TAccLookUpForm : public AccountPickerDialog {
    Q_OBJECT
public:
    TAccLookUpForm(TFD &fd, TDM &dm, const TAccountStr &start, QWidget *parent = nullptr);

    // Opens the picker over `over` starting from `start`'s account and lots; the choice, or
    // nothing when cancelled. While a transaction is active the choice is refused and `start`
    // comes back.
    static std::optional<TAccountStr> Pick(TFD &fd, TDM &dm, const TAccountStr &start, QWidget *over);

    const TAccountStr &result() const { return m_result; }

protected:
    void take(const TAccountStr &picked) override { m_result = picked; }

private:
    TAccountStr m_result;
};
