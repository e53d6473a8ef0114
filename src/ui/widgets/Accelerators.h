#pragma once
// Every command of a window has a key. Buttons and command labels get an Alt accelerator on a
// letter of their caption, underlined the platform's way, chosen so that no two commands of a
// window share one and none lands on a key of the main window's navigation column in any of the
// layouts a Bulgarian accountant types with. A command whose caption has no such letter, or
// whose key is fixed by the rules of the program (Ctrl+Enter saves, Esc cancels), carries that
// key instead, shown in its hint.
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QWidget;

// The caption as the user reads it: mnemonic marks taken out ("&&" stays one "&").
QString PlainCaption(const QString &text);

// Gives a command a key of its own: a shortcut that runs it while it is shown and enabled (not
// installed when `install` is false, for keys the window handles itself), named in its hint.
void SetCommandKey(QWidget *command, const QKeySequence &key, bool install = true);
QKeySequence CommandKey(const QWidget *command);
// The keys every dialog shares: Ctrl+Enter runs `save` from anywhere in it, and Esc `cancel`
// (a dialog closes by itself on Esc when its "Отказ" just closes it; otherwise Esc runs it).
void SetDialogKeys(QAbstractButton *save, QAbstractButton *cancel, bool cancelRejects = true);

// The buttons and command labels of a window (not those of windows inside it): text buttons, and
// buttons without text that carry a hint or a key.
QList<QWidget *> WindowCommands(QWidget *window);
// The Alt letter of a command, a null QChar for none.
QChar AcceleratorOf(const QWidget *command);
// Gives each command of the window without a key of its own a letter, keeping the letters the
// commands already have where they are still free.
void AssignAccelerators(QWidget *window);

// Installed once on the application: keeps the accelerators of every window as its commands
// appear and their captions change.
class AcceleratorKeeper : public QObject {
    Q_OBJECT
public:
    explicit AcceleratorKeeper(QObject *parent = nullptr);
    ~AcceleratorKeeper() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPointer<QWidget>> m_pending;
};
