#include "app/UiProgramWindows.h"

#include "accounts/TNomWizardForm.h"
#include "accounts/TNsWizardForm.h"
#include "accounts/TSmWizardForm.h"
#include "app/TForm1.h"
#include "posting/TOpListForm.h"
#include "posting/TStatGrForm.h"
#include "posting/TTranForm.h"
#include "reports/UiReportLauncher.h"

void InstallProgramWindows(TForm1 &mainWindow, TFD &fd, TDM &dm)
{
    TForm1::EditorHooks hooks = mainWindow.editorHooks();
    QWidget *parent = &mainWindow;
    hooks.editAccount = [&fd, &dm, parent](std::optional<int> account) {
        return TSmWizardForm::Run(fd, dm, account, parent);
    };
    hooks.editNom = [&dm, parent](int kind, int level, std::optional<int> number) {
        return TNomWizardForm::Run(dm, kind, level, number, parent);
    };
    hooks.editOpeningBalance = [&dm, parent](int account, std::optional<SnsRow> row) {
        return TNsWizardForm::Run(dm, account, row, parent);
    };
    hooks.openFolder = [&fd, &dm, &mainWindow](int folder) {
        const TTranForm::WizardHook wizard = [&fd, &dm, &mainWindow](const EntryWizardRequest &request) {
            return TStatGrForm::Run(fd, dm, request, &mainWindow);
        };
        TTranForm::Browse(fd, dm, folder, mainWindow.documentsDockHost(), wizard);
    };
    hooks.operations = [&fd, &dm, parent] { TOpListForm::Run(fd, dm, parent); };
    hooks.runReport = [&fd, &dm, &mainWindow](int code) { LaunchReport(fd, dm, code, &mainWindow); };
    hooks.reportAvailable = ReportAvailable;
    hooks.statementSettings = [&fd, &dm, &mainWindow](int statementKind) {
        OpenStatementView(fd, dm, statementKind, mainWindow.statementsDockHost());
    };
    mainWindow.setEditorHooks(hooks);
}
