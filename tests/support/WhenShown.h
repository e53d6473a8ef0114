#pragma once
// Drives a window that a modal call shows: `action` runs on the first visible window of type W
// and is expected to close it. A window the action leaves open is cancelled, and when none
// appears in time every open dialog is, so a test fails instead of hanging.
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QTimer>
#include <functional>

inline void CancelOpenDialogs()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
            dialog->reject();
}

template <class W>
void WhenShown(const std::function<void(W *)> &action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + 10000;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action, deadline] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<W *>(w); window && window->isVisible()) {
                poll->stop();
                poll->deleteLater();
                action(window);
                if (window->isVisible())
                    window->reject();
                return;
            }
        }
        if (QDateTime::currentMSecsSinceEpoch() > deadline) {
            poll->stop();
            poll->deleteLater();
            CancelOpenDialogs();
        }
    });
    poll->start();
}
