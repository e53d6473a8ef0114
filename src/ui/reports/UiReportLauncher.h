#pragma once
// Runs a report of the main window's reports list or menu by its launcher code (ReportList.h):
// asks for the period or the options, then opens the preview. Reports that have not arrived yet
// are not available; the main window keeps them disabled.
class QWidget;
class TDM;
class TFD;

bool ReportAvailable(int code);
void LaunchReport(TFD &fd, TDM &dm, int code, QWidget *parent);
// A statement's view for the whole reporting period, docked into `host` (modal without one), as
// "Настройка" of the reports list opens it; returns when the view closes.
void OpenStatementView(TFD &fd, TDM &dm, int statementKind, QWidget *host);
