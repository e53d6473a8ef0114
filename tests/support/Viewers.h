#pragma once
// The report previews a test opened, and a guard that closes them before the firm they read is
// closed.
#include "reports/TViewerForm.h"

#include <QApplication>
#include <QList>

inline QList<TViewerForm *> Viewers()
{
    QList<TViewerForm *> found;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *v = qobject_cast<TViewerForm *>(w))
            found << v;
    return found;
}

struct ViewerSweep {
    ~ViewerSweep()
    {
        for (TViewerForm *v : Viewers())
            v->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};
