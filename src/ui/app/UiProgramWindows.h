#pragma once
// Puts the program's windows together: the main window's commands open the editors, documents
// window and reports that exist.
class TForm1;
class TFD;
class TDM;

void InstallProgramWindows(TForm1 &mainWindow, TFD &fd, TDM &dm);
