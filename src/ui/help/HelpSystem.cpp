#include "help/HelpSystem.h"

#include "help/THelpForm.h"
#include "shell/HelpTopics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {
const char *const HelpPageProperty = "orvalisHelpPage";
}

void SetHelpPage(QWidget *window, const QString &page) { window->setProperty(HelpPageProperty, page); }

void SetHelpContext(QWidget *window, int context) { SetHelpPage(window, HelpPageOfContext(context)); }

void SetHelpWindow(QWidget *window, const QString &windowClass) { SetHelpPage(window, HelpPageOfWindow(windowClass)); }

QString HelpPageFor(const QWidget *focus)
{
    for (const QWidget *w = focus; w; w = w->parentWidget()) {
        const QString own = w->property(HelpPageProperty).toString();
        if (!own.isEmpty())
            return own;
        // The class itself, then the classes it is made from (a picker variant, say).
        for (const QMetaObject *meta = w->metaObject(); meta; meta = meta->superClass()) {
            const QString page = HelpPageOfWindow(QString::fromLatin1(meta->className()));
            if (!page.isEmpty())
                return page;
        }
    }
    return HelpStartPage();
}

void ShowHelpPage(const QString &page) { THelpForm::Open(page); }

void ShowHelpForFocus()
{
    const QWidget *focus = QApplication::focusWidget();
    if (!focus)
        focus = QApplication::activeModalWidget();
    if (!focus)
        focus = QApplication::activeWindow();
    ShowHelpPage(HelpPageFor(focus));
}

HelpKey::HelpKey(QObject *parent) : QObject(parent) { qApp->installEventFilter(this); }

HelpKey::~HelpKey()
{
    // Owned by the application, it may go while the application itself is going.
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool HelpKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
            // The key goes to the widget with the focus; its window's page is the one wanted.
            ShowHelpPage(HelpPageFor(static_cast<QWidget *>(watched)));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
