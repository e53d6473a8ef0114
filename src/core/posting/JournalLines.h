#pragma once
// A journal line (doc) and the two analytic postings (an) that mirror it: the debit posting
// carries the debit account with its lots and the line's debit quantity, the credit posting the
// sides exchanged. Reports read the postings alone, so the two are always written together.
#include "firm/AccountTotals.h"

#include <QDate>

class Db;

struct JournalLine {
    int Doc_No = 0;
    int Doc_StGrp = 0;
    int Doc_StNo = 0;
    QDate Doc_Date;
    int Doc_S_Dt = 0;
    LotKey dtLots{};
    int Doc_S_Kt = 0;
    LotKey ktLots{};
    double Doc_S_Dt_Kol = 0;
    double Doc_S_Kt_Kol = 0;
    double Doc_St = 0;
    int Doc_DDSType = 0;
    int Doc_Op_No = 0;
    int Doc_OpEl_No = 0;
    int papNo = 0;  // the document's folder, carried by the postings
};

namespace JournalLines {
void Write(Db &db, const JournalLine &line);
// The next free line number of the whole table.
int NextLineNo(Db &db);
}  // namespace JournalLines
