#pragma once
// Closing a year: the next year's firm gets the chart, levels, lots, counterparties and folders
// of the closed one, and the closing balance of every account and analytic key as its opening
// balances. Debits and credits carried over balance as the closed books did.
#include "accounts/OpeningBalances.h"
#include "registry/FirmFactory.h"

#include <QList>

class Db;
class TFD;

// The closing balance of every account and analytic key over the whole reporting period, by the
// account's balance type; keys that close at zero are left out.
QList<SnsRow> ClosingBalances(Db &firm);

// Makes a firm as CreateFirm does; with carryBalances the source firm's closing balances become
// its opening balances, which needs the source's accounts and lots.
int CreateFirmFrom(TFD &fd, NewFirmRequest request, bool carryBalances);

// Creates the firm of the year after `firmId` and returns its Firm_ID.
int CloseYear(TFD &fd, int firmId);
