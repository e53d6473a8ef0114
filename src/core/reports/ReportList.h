#pragma once
// The reports of the main window's list and menu, in list order, with the launcher code each
// one runs.
#include <QList>
#include <QString>

struct ReportEntry {
    int code;             // launcher code 0..8
    QString listCaption;  // "1. Баланс", …
    QString menuCaption;  // empty when the report is not on the menu
};

const QList<ReportEntry> &ReportEntries();    // list order
QList<ReportEntry> ReportMenuEntries();       // menu order
// The three statements have settings of their own.
bool ReportHasSettings(int code);
// Statement kind of a statement's settings: balance sheet 2, income statement 0, cash flow 1;
// -1 for other reports.
int StatementKindOfReport(int code);
