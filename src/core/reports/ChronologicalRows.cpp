#include "reports/ChronologicalRows.h"

#include "engine/Db.h"
#include "engine/Errors.h"
#include "engine/Formats.h"

#include <QMap>
#include <QStringTokenizer>
#include <QTemporaryFile>
#include <algorithm>
#include <cstring>

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

// The document date only where it differs from the line's posting date, as it seldom does: each
// text column read costs on a million lines.
const QString Columns = u"SELECT Nom_p.Nom_P_No, Nom_p.Nom_Doc_No, Nom_p.Nom_DDoc_No, "
                        "NULLIF(coalesce(Nom_p.Nom_Doc_Date, ''), Doc.Doc_Date), "
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

// A line as bytes in the spool: the fixed fields, then the document's description.
struct Packed {
    qint32 pNo, docNo;
    double ddocNo;
    qint64 docDate, date;
    qint32 dt, kt;
    qint32 dtLots[5], ktLots[5];
    double dtKol, ktKol, st;
    qint32 stNo, rank, osnoSize;
};

void Pack(QByteArray &out, const ChronologicalRow &r)
{
    Packed p{r.Nom_P_No, r.Nom_Doc_No, r.Nom_DDoc_No, r.Nom_Doc_Date.toJulianDay(), r.Doc_Date.toJulianDay(),
             r.Doc_S_Dt, r.Doc_S_Kt, {}, {}, r.Doc_S_Dt_Kol, r.Doc_S_Kt_Kol, r.Doc_St, r.Doc_StNo, r.folderRank,
             qint32(r.Nom_Doc_Osno.size())};
    std::copy(r.dtLots.begin(), r.dtLots.end(), p.dtLots);
    std::copy(r.ktLots.begin(), r.ktLots.end(), p.ktLots);
    out.append(reinterpret_cast<const char *>(&p), sizeof p);
    out.append(reinterpret_cast<const char *>(r.Nom_Doc_Osno.utf16()), r.Nom_Doc_Osno.size() * 2);
}

bool Unpack(const QByteArray &in, qsizetype &pos, ChronologicalRow &r)
{
    Packed p;
    if (pos + qsizetype(sizeof p) > in.size())
        return false;
    std::memcpy(&p, in.constData() + pos, sizeof p);
    pos += sizeof p;
    if (p.osnoSize < 0 || pos + qsizetype(p.osnoSize) * 2 > in.size())
        return false;
    r.Nom_P_No = p.pNo;
    r.Nom_Doc_No = p.docNo;
    r.Nom_DDoc_No = p.ddocNo;
    r.Nom_Doc_Date = QDate::fromJulianDay(p.docDate);
    r.Doc_Date = QDate::fromJulianDay(p.date);
    r.Doc_S_Dt = p.dt;
    r.Doc_S_Kt = p.kt;
    std::copy(p.dtLots, p.dtLots + 5, r.dtLots.begin());
    std::copy(p.ktLots, p.ktLots + 5, r.ktLots.begin());
    r.Doc_S_Dt_Kol = p.dtKol;
    r.Doc_S_Kt_Kol = p.ktKol;
    r.Doc_St = p.st;
    r.Doc_StNo = p.stNo;
    r.folderRank = p.rank;
    r.Nom_Doc_Osno = QString(reinterpret_cast<const QChar *>(in.constData() + pos), p.osnoSize);
    pos += qsizetype(p.osnoSize) * 2;
    return true;
}

}  // namespace

// The lines of the folders printed after the first, group by group, in the order they came: in
// memory blocks while small, in a temporary file once a block fills.
struct ChronologicalRows::Spool {
    static constexpr qsizetype BlockBytes = 64 * 1024;
    struct Group {
        QByteArray buffer;
        std::vector<std::pair<qint64, qint64>> blocks;  // offset, size
    };
    QTemporaryFile file;
    qint64 end = 0;
    QMap<int, Group> groups;  // by folder rank
    // Reading back
    bool reading = false;
    QMap<int, Group>::iterator group;
    size_t block = 0;
    QByteArray bytes;
    qsizetype pos = 0;
    qint64 count = 0;

    void put(const ChronologicalRow &row)
    {
        Group &g = groups[row.folderRank];
        Pack(g.buffer, row);
        ++count;
        if (g.buffer.size() >= BlockBytes)
            write(g);
    }
    void write(Group &g)
    {
        if (!file.isOpen() && !file.open())
            throw MyException(u"Не мога да създам временен файл за справката!"_s);
        if (file.write(g.buffer) != g.buffer.size())
            throw MyException(u"Не мога да запиша данните на справката във временния файл!"_s);
        g.blocks.push_back({end, g.buffer.size()});
        end += g.buffer.size();
        g.buffer.clear();
    }
    void startReading()
    {
        for (Group &g : groups)
            if (!g.buffer.isEmpty())
                write(g);
        if (file.isOpen())
            file.flush();
        reading = true;
        group = groups.begin();
        block = 0;
        bytes.clear();
        pos = 0;
    }
    bool next(ChronologicalRow &row)
    {
        while (!Unpack(bytes, pos, row)) {
            while (group != groups.end() && block >= group->blocks.size()) {
                ++group;
                block = 0;
            }
            if (group == groups.end())
                return false;
            const auto [offset, size] = group->blocks[block++];
            file.seek(offset);
            bytes = file.read(size);
            pos = 0;
            if (bytes.size() != size)
                throw MyException(u"Не мога да прочета данните на справката от временния файл!"_s);
        }
        return true;
    }
};

ChronologicalRows::ChronologicalRows(Db &db, const ChronologicalSelection &selection, int passes)
    : m_db(db), m_selection(selection)
{
    // Folders of one name are one group, as the ledger breaks on the name.
    QSqlQuery folders = db.exec(u"SELECT Nom_Pap_No, Nom_Pap_Name FROM nom_pap ORDER BY Nom_Pap_Name, Nom_Pap_No"_s);
    QString previous;
    std::vector<Group> groups;
    while (folders.next()) {
        const int folder = folders.value(0).toInt();
        const QString name = folders.value(1).toString();
        if (groups.empty() || name != previous)
            groups.push_back({int(groups.size()), {}});
        previous = name;
        m_folderNames.insert(folder, name);
        m_folderRanks.insert(folder, groups.back().rank);
        if (selection.folder <= 0 || selection.folder == folder)
            groups.back().folders.push_back(folder);
    }
    std::erase_if(groups, [](const Group &group) { return group.folders.empty(); });
    // Each pass over the period reads a run of consecutive groups: the first goes to the page as
    // it is read, the others wait in the spool until their turn. More passes let more of the
    // ledger be laid out while it is read; each costs a reading of the whole period. Without an
    // order the lines come as they were entered, whatever their folder: one pass, nothing spooled.
    const size_t count = selection.sort == ChronologicalSort::None ? 1 : size_t(std::max(1, passes));
    const size_t perPass = std::max<size_t>(1, (groups.size() + count - 1) / count);
    for (size_t g = 0; g < groups.size(); g += perPass)
        m_passes.emplace_back(groups.begin() + qsizetype(g), groups.begin() + qsizetype(std::min(groups.size(), g + perPass)));

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
    startPass();
}

// The lines of the next pass's folders, straight off the index of the first key.
bool ChronologicalRows::startPass()
{
    m_query = QSqlQuery();
    m_spool = std::make_unique<Spool>();
    if (m_pass >= m_passes.size()) {
        m_scanCache.reset();
        return false;
    }
    const std::vector<Group> &groups = m_passes[m_pass++];
    m_liveRank = groups.front().rank;
    const Lead lead = LeadOf(m_selection);
    QVariantList binds;
    QStringList marks;
    for (const Group &group : groups)
        for (const int folder : group.folders) {
            marks << u"?"_s;
            binds << folder;
        }
    QVariantList where;
    const QString sql = Columns + FromClause(lead) + WhereClause(m_selection, where) + u" AND Nom_p.Nom_P_No IN ("_s
                        + marks.join(u", "_s) + u")"_s + OrderClause(lead);
    m_query = m_db.exec(sql, where + binds);
    return true;
}

ChronologicalRows::~ChronologicalRows() = default;

bool ChronologicalRows::readRow(ChronologicalRow &r)
{
    const QSqlQuery &q = m_query;
    do {
        if (!m_query.isActive() || !m_query.next()) {
            m_query = QSqlQuery();
            return false;
        }
        r.Nom_P_No = q.value(0).toInt();
        r.Doc_S_Dt = q.value(6).toInt();
        r.Doc_S_Kt = q.value(8).toInt();
    } while (!listed(r.Nom_P_No, r.Doc_S_Dt, r.Doc_S_Kt));
    r.Nom_Doc_No = q.value(1).toInt();
    r.Nom_DDoc_No = q.value(2).toDouble();
    r.Nom_Doc_Osno = q.value(4).toString();
    r.Doc_Date = Formats::FromSqlDate(q.value(5).toString());
    const QVariant documentDate = q.value(3);
    r.Nom_Doc_Date = documentDate.isNull() ? r.Doc_Date : Formats::FromSqlDate(documentDate.toString());
    r.dtLots = UnpackLots(q.value(7));
    r.ktLots = UnpackLots(q.value(9));
    r.Doc_S_Dt_Kol = q.value(10).toDouble();
    r.Doc_S_Kt_Kol = q.value(11).toDouble();
    r.Doc_St = q.value(12).toDouble();
    r.Doc_StNo = q.value(13).toInt();
    r.folderRank = m_folderRanks.value(r.Nom_P_No);
    return true;
}

bool ChronologicalRows::listed(int folder, int debit, int credit) const
{
    return m_folderRanks.contains(folder) && m_accounts.contains(debit) && m_accounts.contains(credit);
}

bool ChronologicalRows::empty()
{
    for (;;) {
        if (m_ahead || m_runPos < m_run.size() || m_spool->count > 0)
            return false;
        if (ChronologicalRow row; !m_spool->reading && readRow(row)) {
            m_ahead = std::move(row);
            return false;
        }
        // This pass has no line: the next may.
        if (!startPass())
            return true;
    }
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

// The next run of lines with one first key, in order; lines of the pass's later groups go to
// the spool.
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
        const auto later = std::stable_partition(m_run.begin(), m_run.end(), [this](const ChronologicalRow &r) {
            return r.folderRank == m_liveRank;
        });
        for (auto it = later; it != m_run.end(); ++it)
            m_spool->put(*it);
        m_run.erase(later, m_run.end());
    }
    return true;
}

bool ChronologicalRows::next(ChronologicalRow &row)
{
    for (;;) {
        if (m_runPos < m_run.size()) {
            row = std::move(m_run[m_runPos++]);
            break;
        }
        if (!m_spool->reading && fillRun())
            continue;
        if (!m_spool->reading)
            m_spool->startReading();
        if (m_spool->next(row))
            break;
        if (!startPass())
            return false;
    }
    ++m_handedOut;
    return true;
}

int ChronologicalRows::progress() const { return int(std::min<qint64>(99, 100 * m_handedOut / m_estimate)); }
