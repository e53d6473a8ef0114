#pragma once
// Small helpers for tests of the books: the text an action fails with, and a journal line with
// its two postings written straight through the data layer.
#include "engine/Errors.h"
#include "firm/AccountTotals.h"
#include "posting/JournalLines.h"

#include <functional>

// The error hook's text of what the action throws, or an empty text.
inline QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::exception &e) {
        return ErrorHookText(e);
    }
    return {};
}

// Debit `dt` (lots) / credit `kt` (lots) for `amount`, with the quantities of each side.
inline void PostLine(Db &db, QDate date, int dt, LotKey dtLots, int kt, LotKey ktLots, double amount, double dtKol = 0,
                     double ktKol = 0)
{
    JournalLine l;
    l.Doc_No = 1;
    l.Doc_StGrp = 1;
    l.Doc_StNo = JournalLines::NextLineNo(db);
    l.Doc_Date = date;
    l.Doc_S_Dt = dt;
    l.dtLots = dtLots;
    l.Doc_S_Kt = kt;
    l.ktLots = ktLots;
    l.Doc_St = amount;
    l.Doc_S_Dt_Kol = dtKol;
    l.Doc_S_Kt_Kol = ktKol;
    l.papNo = 1;
    JournalLines::Write(db, l);
}
