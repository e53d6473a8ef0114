#pragma once
// The demo firm "Демо ЕООД": the ticked chart, a counterparty level and a goods level with
// their lots, the usual folders with their everyday operation templates and opening balances
// that balance. Made through the same code as any firm, so everything a new user sees in it is
// real.
#include <QString>

class TFD;

inline const QString DemoFirmName = QStringLiteral("Демо ЕООД");

// The Firm_ID of the registered demo firm of `year` (of any year for 0), 0 when there is none.
int RegisteredDemoFirm(TFD &fd, int year = 0);
// Returns the Firm_ID of the demo firm of `year` (the current year for 0), creating it first when
// the registry has none of that year.
int EnsureDemoFirm(TFD &fd, int year = 0);

// The demo of the change to the euro: the demo firm of the last leva year with its documents,
// closed into the first euro year (balances converted, the conversion list kept there). Made
// once; a second call answers the same two firms.
struct DemoRollover {
    int levaFirm = 0;
    int euroFirm = 0;
};
DemoRollover EnsureDemoRollover(TFD &fd);
