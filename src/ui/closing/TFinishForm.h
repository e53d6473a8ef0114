#pragma once
// The year closing's window: what the closing does for the open firm, the accounts of classes 6
// and 7 left open (carried instead of closed) and whether the result on 123 opens the next year
// on 121/122; closing the last leva year, the account the rounding difference of the conversion
// opens on and the accounts owed to staff beside 421. "Приключване" answers the options; the main
// window runs the closing. "Списък за превалутиране" shows the list of a firm opened in euro.
#include "closing/YearClosing.h"
#include "registry/FirmRecord.h"
#include "widgets/TitleStripDialog.h"

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TFinishForm : public TitleStripDialog {
    Q_OBJECT
public:
    // `staff`: the accounts the firm marked as owed to staff; `showList`, when given, shows the
    // conversion list the firm opened with.
    explicit TFinishForm(const FirmRecord &firm, QWidget *parent = nullptr, const QList<int> &staff = {},
                         std::function<void()> showList = {});

    // Asks modally; nothing when the window is left without "Приключване".
    static std::optional<ClosingOptions> Ask(const FirmRecord &firm, QWidget *parent, const QList<int> &staff = {},
                                             std::function<void()> showList = {});

    // "Приключване": closes with the options, or shows why the list of accounts is refused and
    // stays.
    bool accept_();
    ClosingOptions options() const { return m_options; }

    QLineEdit *leftOpenEdit() const { return m_leftOpen; }
    QCheckBox *resultBox() const { return m_result; }
    // Only when the closing converts to euro; null otherwise.
    QLineEdit *differenceAccountEdit() const { return m_difference; }
    QLineEdit *staffAccountsEdit() const { return m_staff; }
    QPushButton *listButton() const { return m_list; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_leftOpen;
    QCheckBox *m_result;
    QLineEdit *m_difference = nullptr;
    QLineEdit *m_staff = nullptr;
    QPushButton *m_list = nullptr;
    QPushButton *m_close;
    QPushButton *m_cancel;
    ClosingOptions m_options;
};
