#pragma once
// The demo firm "Демо ЕООД": the ticked chart, a counterparty level and a goods level with
// their lots, the usual folders with their everyday operation templates and opening balances
// that balance. Made through the same code as any firm, so everything a new user sees in it is
// real.
#include <QString>

class TFD;

inline const QString DemoFirmName = QStringLiteral("Демо ЕООД");

// The Firm_ID of the registered demo firm, 0 when there is none.
int RegisteredDemoFirm(TFD &fd);
// Returns the Firm_ID of the demo firm, creating it first when the registry has none.
int EnsureDemoFirm(TFD &fd, int year = 0);
