#pragma once
// The year closing's window: what the closing does for the open firm, the accounts of classes 6
// and 7 left open (carried instead of closed) and whether the result on 123 opens the next year
// on 121/122. "Приключване" answers the options; the main window runs the closing.
#include "closing/YearClosing.h"
#include "registry/FirmRecord.h"
#include "widgets/TitleStripDialog.h"

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TFinishForm : public TitleStripDialog {
    Q_OBJECT
public:
    explicit TFinishForm(const FirmRecord &firm, QWidget *parent = nullptr);

    // Asks modally; nothing when the window is left without "Приключване".
    static std::optional<ClosingOptions> Ask(const FirmRecord &firm, QWidget *parent);

    // "Приключване": closes with the options, or shows why the list of accounts is refused and
    // stays.
    bool accept_();
    ClosingOptions options() const { return m_options; }

    QLineEdit *leftOpenEdit() const { return m_leftOpen; }
    QCheckBox *resultBox() const { return m_result; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_leftOpen;
    QCheckBox *m_result;
    QPushButton *m_close;
    QPushButton *m_cancel;
    ClosingOptions m_options;
};
