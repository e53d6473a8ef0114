#pragma once
// What the program sets up on the application before its first window: Qt's own texts (print,
// printer set-up, file and colour dialogs, standard buttons) in Bulgarian, F1 in every window,
// and the accelerators of every window's commands.
class QCoreApplication;
class QObject;

// Loads Qt's shipped Bulgarian translations; false when they are not installed.
bool InstallQtTranslations(QCoreApplication &app);
// F1 and the accelerators, owned by `owner` (the application).
void InstallProgramKeys(QObject *owner);
