#pragma once
// F1 and "Помощ": the page of the window that has the focus. A window names its page by its
// class (HelpTopics) or, where its state decides the place, by a help context or page it sets
// on itself; an editor docked inside another window has its own page.
#include <QObject>
#include <QString>

class QWidget;

// Sets the place of `window` in the guide by one of the program's help contexts.
void SetHelpContext(QWidget *window, int context);
// Sets the page, with an optional "#place", of `window`.
void SetHelpPage(QWidget *window, const QString &page);
// Sets the page of `window` as that of a window class or report runner (a report's preview
// shows the report's page).
void SetHelpWindow(QWidget *window, const QString &windowClass);

// The page, with its place, for the widget that has the focus: the nearest widget up its parents
// with a help context or a page of its own. The guide's start page when none has.
QString HelpPageFor(const QWidget *focus);
// Opens the help window on a page; over a modal window it stays usable.
void ShowHelpPage(const QString &page);
// Opens the help window on the page of the widget that has the focus (or the active window).
void ShowHelpForFocus();

// Installed once on the application: F1 in any window of the program opens its page.
class HelpKey : public QObject {
    Q_OBJECT
public:
    explicit HelpKey(QObject *parent = nullptr);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
