#include "reports/ExtractRows.h"

#include "engine/Db.h"
#include "engine/Formats.h"

using namespace Qt::StringLiterals;

QString ExtractColumns()
{
    return u"SELECT Nom_pap.Nom_Pap_Name, Nom_p.Nom_DDoc_No, Nom_p.Nom_Doc_Date, An.An_Date, An.An_S_No, "
           "An.An_S_An1, An.An_S_An2, An.An_S_An3, An.An_S_An4, An.An_S_An5, An.An_S_Dt_Kol, An.An_S_Dt_St, "
           "An.An_S_Kt_Kol, An.An_S_Kt_St, An.An_S_Cr_No, An.An_S_Cr_An1, An.An_S_Cr_An2, An.An_S_Cr_An3, "
           "An.An_S_Cr_An4, An.An_S_Cr_An5 "_s;
}

QString ExtractJoins(bool inner)
{
    const QString join = inner ? u"INNER JOIN"_s : u"LEFT JOIN"_s;
    return u"FROM an An "_s + join + u" nom_p Nom_p ON Nom_p.Nom_Doc_No = An.An_Doc_No "_s + join
           + u" nom_pap Nom_pap ON Nom_p.Nom_P_No = Nom_pap.Nom_Pap_No "
             "INNER JOIN s S ON An.An_S_No = S.S_UNo "_s
           + join + u" s S_1 ON An.An_S_Cr_No = S_1.S_UNo "_s;
}

ExtractRows::ExtractRows(Db &db, const QString &sql, const QVariantList &binds) : m_query(db.exec(sql, binds)) {}

bool ExtractRows::read(ExtractRow &r)
{
    if (m_done || !m_query.next()) {
        m_done = true;
        return false;
    }
    const QSqlQuery &q = m_query;
    r.posting = true;
    r.Nom_Pap_Name = q.value(0).toString();
    r.Nom_DDoc_No = q.value(1).toDouble();
    r.Nom_Doc_Date = Formats::FromSqlDate(q.value(2).toString());
    r.An_Date = Formats::FromSqlDate(q.value(3).toString());
    r.An_S_No = q.value(4).toInt();
    for (int k = 0; k < 5; ++k)
        r.lots[size_t(k)] = q.value(5 + k).toInt();
    r.dtKol = q.value(10).toDouble();
    r.dtSt = q.value(11).toDouble();
    r.ktKol = q.value(12).toDouble();
    r.ktSt = q.value(13).toDouble();
    r.An_S_Cr_No = q.value(14).toInt();
    for (int k = 0; k < 5; ++k)
        r.crLots[size_t(k)] = q.value(15 + k).toInt();
    return true;
}

bool ExtractRows::next(ExtractRow &row)
{
    if (!m_ahead) {
        ExtractRow posting;
        if (read(posting))
            m_ahead = std::move(posting);
    }
    // Lots before the next posting's lot (or after the last posting) print first, without one.
    while (m_nextOpening < m_openingLots.size()) {
        const LotKey &lots = m_openingLots[m_nextOpening];
        if (m_ahead && m_ahead->lots < lots)
            break;
        ++m_nextOpening;
        if (m_ahead && m_ahead->lots == lots)
            continue;  // the lot has postings of its own
        row = ExtractRow{};
        row.posting = false;
        row.An_S_No = m_openingAccount;
        row.lots = lots;
        return true;
    }
    if (!m_ahead)
        return false;
    row = std::move(*m_ahead);
    m_ahead.reset();
    return true;
}

bool ExtractRows::empty()
{
    if (!m_ahead) {
        ExtractRow posting;
        if (read(posting))
            m_ahead = std::move(posting);
    }
    return !m_ahead && m_nextOpening >= m_openingLots.size();
}
