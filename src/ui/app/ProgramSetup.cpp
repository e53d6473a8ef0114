#include "app/ProgramSetup.h"

#include "help/HelpSystem.h"
#include "widgets/Accelerators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtTranslations(QCoreApplication &app)
{
    // "qt_bg" brings the catalogues of the Qt modules the program uses.
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Bulgarian, QLocale::Bulgaria), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

void InstallProgramKeys(QObject *owner)
{
    new HelpKey(owner);
    new AcceleratorKeeper(owner);
}
