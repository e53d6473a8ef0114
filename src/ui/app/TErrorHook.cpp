#include "app/TErrorHook.h"

#include "engine/Errors.h"
#include "engine/Messages.h"

#include <QPointer>
#include <QWidget>

namespace {
UnhandledErrorHandler g_handler;
TErrorHook *g_hook = nullptr;

void LogError(const std::exception &error) { qCritical("%s", error.what()); }

// Takes the stay-on-top flag from the program's visible windows so that none covers the
// message, and gives it back when the message is gone.
class StayOnTopSuspension {
public:
    StayOnTopSuspension()
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
                m_windows << w;
                w->setWindowFlag(Qt::WindowStaysOnTopHint, false);
                w->show();  // changing the flags hides the window
            }
        }
    }
    ~StayOnTopSuspension()
    {
        for (const QPointer<QWidget> &w : std::as_const(m_windows)) {
            if (w) {
                w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
                w->show();
            }
        }
    }
    StayOnTopSuspension(const StayOnTopSuspension &) = delete;
    StayOnTopSuspension &operator=(const StayOnTopSuspension &) = delete;

private:
    QList<QPointer<QWidget>> m_windows;
};
}  // namespace

UnhandledErrorHandler SetUnhandledErrorHandler(UnhandledErrorHandler handler)
{
    UnhandledErrorHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

void ReportUnhandledError(const std::exception &error) noexcept
{
    try {
        if (g_handler)
            g_handler(error);
        else
            LogError(error);
    } catch (const std::exception &failure) {
        qWarning("error while reporting an error: %s", failure.what());
    } catch (...) {
        qWarning("unknown error while reporting an error");
    }
}

bool RunGuarded(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const std::exception &error) {
        ReportUnhandledError(error);
    } catch (...) {
        ReportUnhandledError(MyException(QStringLiteral("Неочаквана грешка!")));
    }
    return false;
}

TErrorHook::TErrorHook(QObject *parent) : QObject(parent)
{
    delete g_hook;  // its destructor puts back the handler it had replaced
    m_previous = SetUnhandledErrorHandler([this](const std::exception &error) { handle(error); });
    g_hook = this;
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { m_terminating = true; });
}

TErrorHook::~TErrorHook()
{
    if (g_hook == this) {
        SetUnhandledErrorHandler(std::move(m_previous));
        g_hook = nullptr;
    }
}

TErrorHook *TErrorHook::installed() { return g_hook; }

void TErrorHook::handle(const std::exception &error) noexcept
{
    try {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        StayOnTopSuspension suspension;
        if (!m_terminating && !QCoreApplication::closingDown())
            Messages::show(ErrorHookText(error));
        else if (m_previous)
            m_previous(error);
        else
            LogError(error);
    } catch (const std::exception &failure) {
        qWarning("error while showing an error: %s", failure.what());
    } catch (...) {
        qWarning("unknown error while showing an error");
    }
}

OrvalisApplication::OrvalisApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool OrvalisApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ReportUnhandledError(error);
    } catch (...) {
        ReportUnhandledError(MyException(QStringLiteral("Неочаквана грешка!")));
    }
    return false;
}
