// The program: checks the display, sets up the data environment, shows the splash and the main
// window, and runs the message loop. The firm is chosen when the main window first activates.
#include "app/ProgramSetup.h"
#include "app/TErrorHook.h"
#include "app/TForm1.h"
#include "app/TSMForm.h"
#include "app/TSplashForm.h"
#include "app/UiProgramWindows.h"
#include "demo/DemoFirm.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "registry/TFD.h"

#include <QMessageBox>
#include <QScreen>
#include <memory>

namespace {

struct Options {
    QString dataDir;
    bool demo = false;
    int firmId = 0;
};

Options ParseOptions(const QStringList &arguments)
{
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--data-dir") && i + 1 < arguments.size())
            options.dataDir = arguments.at(++i);
        else if (arg.startsWith(QLatin1String("--data-dir=")))
            options.dataDir = arg.mid(int(qstrlen("--data-dir=")));
        else if (arg == QLatin1String("--demo"))
            options.demo = true;
        else if (arg == QLatin1String("--firm") && i + 1 < arguments.size())
            options.firmId = arguments.at(++i).toInt();
    }
    return options;
}

// Before the main window exists errors go to the plain system box, and start-up ends.
void StartupFailure(const QString &text)
{
    QString shown = text;
    shown.replace(u'\r', u'\n');
    QMessageBox::critical(nullptr, QStringLiteral("Orvalis"), shown);
}

}  // namespace

int main(int argc, char *argv[])
{
    OrvalisApplication app(argc, argv);
    // Set before anything asks for the user's data directory, whose name derives from it.
    QCoreApplication::setApplicationName(QStringLiteral("Orvalis"));
    // Qt's own dialogs and buttons speak Bulgarian like the rest of the program.
    InstallQtTranslations(app);

    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || !DisplayCheckPasses(screen->depth(), 1)) {
        StartupFailure(DisplayCheckMessage);
        return 1;
    }

    const QStringList arguments = QCoreApplication::arguments();
    const Options options = ParseOptions(arguments);
    const QString programDir = QCoreApplication::applicationDirPath();

    // From here on messages use the program's own window; only fatal start-up errors use the
    // plain system box.
    SMFormSink sink;
    ScopedMessageSink installedSink(&sink);

    EngineSession &session = EngineSession::instance();
    TFD fd;
    TDM dm;
    int demoFirm = 0;
    try {
        const QString systemDir = ResolveSystemDataDir(options.dataDir, programDir);
        session.locate(arguments, programDir, EngineSession::probeInstalled());
        session.setLanguageDriver(QStringLiteral("DBWINUS0"));
        session.setCurrentDataPath(systemDir);
        session.setUpAlias(AliasRegistry);
    } catch (const std::exception &e) {
        StartupFailure(ErrorHookText(e));
        return 1;
    }

    // Self-owned: it frees itself once its transition and pause are over.
    auto *splash = new TSplashForm;
    splash->start();

    try {
        fd.Open(session.aliasPath(AliasRegistry));
        if (options.demo)
            demoFirm = EnsureDemoFirm(fd);
    } catch (const std::exception &e) {
        StartupFailure(ErrorHookText(e));
        return 1;
    }

    new TErrorHook(&app);  // owned by the application
    InstallProgramKeys(&app);
    TForm1 mainWindow(fd, dm);
    InstallProgramWindows(mainWindow, fd, dm);
    mainWindow.setPreselectedFirm(options.firmId != 0 ? options.firmId : demoFirm);
    QObject::connect(&mainWindow, &TForm1::terminateRequested, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
    // The whole screen also where no window manager honours "maximized".
    mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    return app.exec();
}
