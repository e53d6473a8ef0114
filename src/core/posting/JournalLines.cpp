#include "posting/JournalLines.h"

#include "engine/Db.h"
#include "engine/Formats.h"

using namespace Qt::StringLiterals;

namespace {
const QString InsertPosting =
    u"insert into an (An_S_An1, An_S_An2, An_S_An3, An_S_An4, An_S_An5, An_S_Dt_Kol, An_S_Dt_St, An_S_Kt_Kol, "
    "An_S_Kt_St, An_S_Cr_An1, An_S_Cr_An2, An_S_Cr_An3, An_S_Cr_An4, An_S_Cr_An5, An_Doc_No, An_StNo, An_ID, "
    "An_Pap_No, An_S_No, An_Date, An_S_Cr_No, An_Stat_Grp) "
    "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;

QVariantList Posting(const JournalLine &l, bool debit)
{
    const LotKey &own = debit ? l.dtLots : l.ktLots;
    const LotKey &other = debit ? l.ktLots : l.dtLots;
    return {own[0], own[1], own[2], own[3], own[4],
            debit ? l.Doc_S_Dt_Kol : 0.0, debit ? l.Doc_St : 0.0,
            debit ? 0.0 : l.Doc_S_Kt_Kol, debit ? 0.0 : l.Doc_St,
            other[0], other[1], other[2], other[3], other[4],
            l.Doc_No, l.Doc_StNo, debit ? 1 : 2, l.papNo,
            debit ? l.Doc_S_Dt : l.Doc_S_Kt, Formats::SqlDate(l.Doc_Date),
            debit ? l.Doc_S_Kt : l.Doc_S_Dt, l.Doc_StGrp};
}
}  // namespace

namespace JournalLines {

void Write(Db &db, const JournalLine &l)
{
    db.exec(u"insert into doc (Doc_S_Dt_An1, Doc_S_Dt_An2, Doc_S_Dt_An3, Doc_S_Dt_An4, Doc_S_Dt_An5, "
            "Doc_S_Kt_An1, Doc_S_Kt_An2, Doc_S_Kt_An3, Doc_S_Kt_An4, Doc_S_Kt_An5, Doc_S_Dt_Kol, Doc_S_Kt_Kol, "
            "Doc_St, Doc_No, Doc_StGrp, Doc_StNo, Doc_Date, Doc_DDSType, Doc_Op_No, Doc_OpEl_No, Doc_S_Dt, "
            "Doc_S_Kt) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
            {l.dtLots[0], l.dtLots[1], l.dtLots[2], l.dtLots[3], l.dtLots[4], l.ktLots[0], l.ktLots[1],
             l.ktLots[2], l.ktLots[3], l.ktLots[4], l.Doc_S_Dt_Kol, l.Doc_S_Kt_Kol, l.Doc_St, l.Doc_No,
             l.Doc_StGrp, l.Doc_StNo, Formats::SqlDate(l.Doc_Date), l.Doc_DDSType, l.Doc_Op_No, l.Doc_OpEl_No,
             l.Doc_S_Dt, l.Doc_S_Kt});
    db.exec(InsertPosting, Posting(l, true));
    db.exec(InsertPosting, Posting(l, false));
}

int NextLineNo(Db &db) { return db.scalar(u"select coalesce(max(Doc_StNo), 0) + 1 from doc"_s).toInt(); }

}  // namespace JournalLines
