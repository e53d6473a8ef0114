#pragma once
// A label that is a command: a click runs it, and so does its Alt accelerator, whose letter is
// underlined the way the platform shows mnemonics. Alt with Shift runs the label's second command
// (the one of the right mouse button) where it has one. The label's text stays as written; the
// accelerator is kept beside it.
#include <QLabel>

class CommandLabel : public QLabel {
    Q_OBJECT
public:
    explicit CommandLabel(const QString &text = {}, QWidget *parent = nullptr);

    // The letter of the Alt accelerator, a null QChar for none, underlined at `position` of the
    // text (or where it first occurs).
    void setAccelerator(QChar letter, int position = -1);
    QChar accelerator() const { return m_accelerator; }
    // Whether Alt+Shift with the letter runs a second command.
    void setHasSecondCommand(bool second) { m_second = second; }

protected:
    // The accelerator ran the command; `second` for Alt+Shift.
    virtual void keyTriggered(bool second) = 0;
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void releaseShortcuts();
    QChar m_accelerator;
    int m_position = -1;
    bool m_second = false;
    int m_firstId = 0;
    int m_secondId = 0;
};
