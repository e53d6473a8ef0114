#pragma once
// Pieces the record editors share: labels that answer both mouse buttons (the left edits the
// item chosen in the box beside them, the right adds a new one), the table-state word in the
// title strip, and a modal run that survives the dialog hiding.
#include "widgets/CommandLabel.h"

#include <QLabel>

class QDialog;
class QHBoxLayout;
class QPushButton;
class TitleStripDialog;

class MouseLabel : public CommandLabel {
    Q_OBJECT
public:
    explicit MouseLabel(const QString &text = {}, QWidget *parent = nullptr);
    // White while the mouse is over the label, black again when it leaves.
    void setHoverHighlight(bool on) { m_hover = on; }

signals:
    void leftClicked();
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // Alt with the label's letter does what the left button does, Alt+Shift what the right does.
    void keyTriggered(bool second) override;

private:
    void setTextColour(const QColor &colour);
    bool m_hover = false;
};

// Shows a dialog modally and waits until it is done. Unlike QDialog::exec, the dialog may hide
// meanwhile (while an editor it opened is up) without ending the wait.
int RunModal(QDialog &dialog);

// A label in the dialog's title strip, right of the caption, for the table state.
QLabel *AddStateLabel(TitleStripDialog &dialog);

// The program's texts break lines with "\r" or "\r\n"; labels want "\n".
QString ScreenText(const QString &text);

// The buttons of a wizard at the right of their row: "<< Преден", "Следващ >>" (the default) and
// "Отказ".
struct WizardButtons {
    QPushButton *back;
    QPushButton *next;
    QPushButton *cancel;
    QHBoxLayout *row;
};
WizardButtons MakeWizardButtons(QWidget *parent);
