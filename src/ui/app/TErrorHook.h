#pragma once
// Errors never cross Qt's event loop: every window command runs through RunGuarded, and the
// application object catches what still escapes an event handler. Both hand the error to the
// one installed TErrorHook, which shows it and lets the program go on.
#include <QApplication>
#include <QObject>
#include <exception>
#include <functional>

using UnhandledErrorHandler = std::function<void(const std::exception &)>;

// Replaces the application's handler of unhandled errors and returns the one it replaces. With
// none installed an error is written to the log.
UnhandledErrorHandler SetUnhandledErrorHandler(UnhandledErrorHandler handler);
// Hands an error to the current handler; never throws.
void ReportUnhandledError(const std::exception &error) noexcept;

// Runs a window command; an error it raises goes to the error hook and the command is abandoned.
// Returns false when the command failed.
bool RunGuarded(const std::function<void()> &command);

class TErrorHook : public QObject {
    Q_OBJECT
public:
    // Frees an installed hook first, then installs this one in place of the current handler.
    explicit TErrorHook(QObject *parent = nullptr);
    ~TErrorHook() override;

    static TErrorHook *installed();

    void handle(const std::exception &error) noexcept;

    // Set once the application's message loop has ended; errors then go to the previous handler.
    bool terminating() const { return m_terminating; }
    void setTerminating(bool terminating) { m_terminating = terminating; }

private:
    UnhandledErrorHandler m_previous;
    bool m_terminating = false;
};

class OrvalisApplication : public QApplication {
    Q_OBJECT
public:
    OrvalisApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
