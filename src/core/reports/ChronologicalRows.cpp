#include "reports/ChronologicalRows.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"

#include <QStringTokenizer>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

enum class Lead { PostingDate, DocumentDate, Number, None };

Lead LeadOf(const ChronologicalSelection &s)
{
    switch (s.sort) {
    case ChronologicalSort::DateAndNumber:
    case ChronologicalSort::Date: return s.byDocumentDate ? Lead::DocumentDate : Lead::PostingDate;
    case ChronologicalSort::Number: return Lead::Number;
    case ChronologicalSort::None: return Lead::None;
    }
    return Lead::None;
}

// A side's five lots as one text "a,b,c,d,e", and nothing when all are 0: most lines carry no
// lot, and every column read costs on a million lines.
QString PackedLots(const QString &prefix)
{
    QStringList any, lots;
    for (int k = 1; k <= 5; ++k) {
        any << prefix + QString::number(k) + u" <> 0"_s;
        lots << prefix + QString::number(k);
    }
    return u"CASE WHEN "_s + any.join(u" OR "_s) + u" THEN "_s + lots.join(u" || ',' || "_s) + u" END"_s;
}

const QString Columns = u"SELECT Nom_p.Nom_P_No, Nom_p.Nom_Doc_No, Nom_p.Nom_DDoc_No, Nom_p.Nom_Doc_Date, "
                        "Nom_p.Nom_Doc_Osno, Doc.Doc_Date, Doc.Doc_S_Dt, "_s
                        + PackedLots(u"Doc.Doc_S_Dt_An"_s) + u", Doc.Doc_S_Kt, "_s + PackedLots(u"Doc.Doc_S_Kt_An"_s)
                        + u", Doc.Doc_S_Dt_Kol, Doc.Doc_S_Kt_Kol, Doc.Doc_St, Doc.Doc_StNo "_s;

LotKey UnpackLots(const QVariant &packed)
{
    LotKey lots{};
    if (packed.isNull())
        return lots;
    const QString text = packed.toString();
    int k = 0;
    for (const QStringView part : QStringTokenizer(text, u','))
        if (k < 5)
            lots[size_t(k++)] = part.toInt();
    return lots;
}

// The lines of a document. The table that holds the first key after the folder leads, so that
// its index gives the lines in that order without a sort of the whole period. A line is listed
// only when its folder and both its accounts exist: the folders and the chart are held in
// memory and checked there rather than looked up for every line.
QString FromClause(Lead lead)
{
    const bool documentsLead = lead == Lead::DocumentDate || lead == Lead::Number;
    return (documentsLead ? u"FROM nom_p Nom_p CROSS JOIN doc Doc "_s : u"FROM doc Doc CROSS JOIN nom_p Nom_p "_s)
           + u"WHERE Doc.Doc_No = Nom_p.Nom_Doc_No"_s;
}

QString OrderClause(Lead lead)
{
    switch (lead) {
    case Lead::PostingDate: return u" ORDER BY Doc.Doc_Date"_s;
    case Lead::DocumentDate: return u" ORDER BY Nom_p.Nom_Doc_Date"_s;
    case Lead::Number: return u" ORDER BY Nom_p.Nom_DDoc_No"_s;
    case Lead::None: break;
    }
    return {};
}

// Every bound is a value bound to the statement, never text pasted into it.
QString WhereClause(const ChronologicalSelection &s, QVariantList &binds)
{
    QString where = s.byDocumentDate ? u" AND Nom_p.Nom_Doc_Date BETWEEN ? AND ?"_s
                                     : u" AND Doc.Doc_Date BETWEEN ? AND ?"_s;
    binds << Formats::SqlDate(s.from) << Formats::SqlDate(s.to);
    auto bound = [&](bool given, const QString &condition, const QVariant &value) {
        if (!given)
            return;
        where += condition;
        binds << value;
    };
    bound(s.fromDocument.has_value(), u" AND Nom_p.Nom_DDoc_No >= ?"_s, double(s.fromDocument.value_or(0)));
    bound(s.toDocument.has_value(), u" AND Nom_p.Nom_DDoc_No <= ?"_s, double(s.toDocument.value_or(0)));
    bound(s.fromAmount.has_value(), u" AND Doc.Doc_St >= ?"_s, s.fromAmount.value_or(0));
    bound(s.toAmount.has_value(), u" AND Doc.Doc_St <= ?"_s, s.toAmount.value_or(0));
    bound(s.debitAccount > 0, u" AND Doc.Doc_S_Dt = ?"_s, s.debitAccount);
    bound(s.creditAccount > 0, u" AND Doc.Doc_S_Kt = ?"_s, s.creditAccount);
    bound(s.folder > 0, u" AND Nom_p.Nom_P_No = ?"_s, s.folder);
    return where;
}

// The key after the first, by sort order and date choice.
int CompareSecond(const ChronologicalSelection &s, const ChronologicalRow &a, const ChronologicalRow &b)
{
    auto cmp = [](const auto &x, const auto &y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (s.sort) {
    case ChronologicalSort::DateAndNumber: return cmp(a.Nom_DDoc_No, b.Nom_DDoc_No);
    case ChronologicalSort::Number:
        return s.byDocumentDate ? cmp(a.Nom_Doc_Date, b.Nom_Doc_Date) : cmp(a.Doc_Date, b.Doc_Date);
    case ChronologicalSort::Date:
        return s.byDocumentDate ? cmp(a.Doc_Date, b.Doc_Date) : cmp(a.Nom_Doc_Date, b.Nom_Doc_Date);
    case ChronologicalSort::None: break;
    }
    return 0;
}

}  // namespace

ChronologicalRows::ChronologicalRows(Db &db, const ChronologicalSelection &selection)
    : m_db(db), m_selection(selection)
{
    // Folders of one name are one group, as the ledger breaks on the name.
    QSqlQuery folders = db.exec(u"SELECT Nom_Pap_No, Nom_Pap_Name FROM nom_pap ORDER BY Nom_Pap_Name, Nom_Pap_No"_s);
    QString previous;
    while (folders.next()) {
        const int folder = folders.value(0).toInt();
        const QString name = folders.value(1).toString();
        if (m_groups.empty() || name != previous)
            m_groups.emplace_back();
        previous = name;
        m_folderNames.insert(folder, name);
        m_folderRanks.insert(folder, int(m_groups.size()) - 1);
        if (selection.folder <= 0 || selection.folder == folder)
            m_groups.back().push_back(folder);
    }
    std::erase_if(m_groups, [](const std::vector<int> &group) { return group.empty(); });
    // Without an order the lines come as they were entered, whatever their folder: one pass.
    if (selection.sort == ChronologicalSort::None && m_groups.size() > 1) {
        for (size_t g = 1; g < m_groups.size(); ++g)
            m_groups.front().insert(m_groups.front().end(), m_groups[g].begin(), m_groups[g].end());
        m_groups.resize(1);
    }
    QSqlQuery accounts = db.exec(u"SELECT S_UNo FROM s"_s);
    while (accounts.next())
        m_accounts.insert(accounts.value(0).toInt());

    m_scanCache = std::make_unique<ScanCache>(db);
    m_estimate = std::max<qint64>(
        1, selection.byDocumentDate
               ? db.scalar(u"SELECT count(*) FROM doc"_s).toLongLong()
               : db.scalar(u"SELECT count(*) FROM doc WHERE Doc_Date BETWEEN ? AND ?"_s,
                           {Formats::SqlDate(selection.from), Formats::SqlDate(selection.to)})
                     .toLongLong());
    startGroup();
}

// The lines of the next folder group, straight off the index of the first key: one pass over the
// period for each group costs less than holding the lines of the later folders until their turn,
// and the lines reach the page in print order as they are read.
bool ChronologicalRows::startGroup()
{
    m_query = QSqlQuery();
    if (m_group >= m_groups.size()) {
        m_scanCache.reset();
        return false;
    }
    const std::vector<int> &folders = m_groups[m_group++];
    const Lead lead = LeadOf(m_selection);
    QVariantList binds;
    QString sql = Columns + FromClause(lead) + WhereClause(m_selection, binds) + u" AND Nom_p.Nom_P_No IN ("_s;
    for (size_t i = 0; i < folders.size(); ++i) {
        sql += i == 0 ? u"?"_s : u", ?"_s;
        binds << folders[i];
    }
    sql += u")"_s + OrderClause(lead);
    m_query = m_db.exec(sql, binds);
    return true;
}

ChronologicalRows::~ChronologicalRows() = default;

bool ChronologicalRows::readRow(ChronologicalRow &r)
{
    do {
        while (!m_query.isActive() || !m_query.next())
            if (!startGroup())
                return false;
    } while (!listed());
    const QSqlQuery &q = m_query;
    r.Nom_P_No = q.value(0).toInt();
    r.Nom_Doc_No = q.value(1).toInt();
    r.Nom_DDoc_No = q.value(2).toDouble();
    r.Nom_Doc_Date = Formats::FromSqlDate(q.value(3).toString());
    r.Nom_Doc_Osno = q.value(4).toString();
    r.Doc_Date = Formats::FromSqlDate(q.value(5).toString());
    r.Doc_S_Dt = q.value(6).toInt();
    r.dtLots = UnpackLots(q.value(7));
    r.Doc_S_Kt = q.value(8).toInt();
    r.ktLots = UnpackLots(q.value(9));
    r.Doc_S_Dt_Kol = q.value(10).toDouble();
    r.Doc_S_Kt_Kol = q.value(11).toDouble();
    r.Doc_St = q.value(12).toDouble();
    r.Doc_StNo = q.value(13).toInt();
    r.folderRank = m_folderRanks.value(r.Nom_P_No);
    return true;
}

bool ChronologicalRows::listed() const
{
    return m_folderRanks.contains(m_query.value(0).toInt()) && m_accounts.contains(m_query.value(6).toInt())
           && m_accounts.contains(m_query.value(8).toInt());
}

bool ChronologicalRows::empty()
{
    if (!m_ahead && m_run.size() == m_runPos) {
        ChronologicalRow row;
        if (readRow(row))
            m_ahead = std::move(row);
    }
    return !m_ahead && m_run.size() == m_runPos;
}

bool ChronologicalRows::leadChanged(const ChronologicalRow &a, const ChronologicalRow &b) const
{
    switch (LeadOf(m_selection)) {
    case Lead::PostingDate: return a.Doc_Date != b.Doc_Date;
    case Lead::DocumentDate: return a.Nom_Doc_Date != b.Nom_Doc_Date;
    case Lead::Number: return a.Nom_DDoc_No != b.Nom_DDoc_No;
    case Lead::None: break;
    }
    return true;
}

void ChronologicalRows::sortRun()
{
    std::sort(m_run.begin(), m_run.end(), [this](const ChronologicalRow &a, const ChronologicalRow &b) {
        if (a.folderRank != b.folderRank)
            return a.folderRank < b.folderRank;
        if (const int c = CompareSecond(m_selection, a, b); c != 0)
            return c < 0;
        // Equal keys keep a document's lines together, in their order.
        if (a.Nom_Doc_No != b.Nom_Doc_No)
            return a.Nom_Doc_No < b.Nom_Doc_No;
        return a.Doc_StNo < b.Doc_StNo;
    });
}

// The next run of lines with one first key, in order.
bool ChronologicalRows::fillRun()
{
    m_run.clear();
    m_runPos = 0;
    const bool unsorted = m_selection.sort == ChronologicalSort::None;
    while (m_run.empty()) {
        ChronologicalRow row;
        if (m_ahead) {
            row = std::move(*m_ahead);
            m_ahead.reset();
        } else if (!readRow(row)) {
            return false;
        }
        m_run.push_back(std::move(row));
        if (unsorted)
            return true;
        ChronologicalRow more;
        while (readRow(more)) {
            if (leadChanged(m_run.front(), more)) {
                m_ahead = std::move(more);
                break;
            }
            m_run.push_back(std::move(more));
        }
        sortRun();
    }
    return true;
}

bool ChronologicalRows::next(ChronologicalRow &row)
{
    if (m_runPos == m_run.size() && !fillRun())
        return false;
    row = std::move(m_run[m_runPos++]);
    ++m_handedOut;
    return true;
}

int ChronologicalRows::progress() const { return int(std::min<qint64>(99, 100 * m_handedOut / m_estimate)); }
