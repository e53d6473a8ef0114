#include "reports/ChronologicalRows.h"

#include "engine/Errors.h"
#include "engine/Formats.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

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

// The document date only where it differs from the line's posting date, as it seldom does.
const QString Columns = u"SELECT Nom_p.Nom_P_No, Nom_p.Nom_Doc_No, Nom_p.Nom_DDoc_No, "
                        "NULLIF(coalesce(Nom_p.Nom_Doc_Date, ''), Doc.Doc_Date), Nom_p.Nom_Doc_Osno, Doc.Doc_Date, "
                        "Doc.Doc_S_Dt, Doc.Doc_S_Kt, Doc.Doc_S_Dt_Kol, Doc.Doc_S_Kt_Kol, Doc.Doc_St, Doc.Doc_StNo, "
                        "Doc.Doc_S_Dt_An1, Doc.Doc_S_Dt_An2, Doc.Doc_S_Dt_An3, Doc.Doc_S_Dt_An4, Doc.Doc_S_Dt_An5, "
                        "Doc.Doc_S_Kt_An1, Doc.Doc_S_Kt_An2, Doc.Doc_S_Kt_An3, Doc.Doc_S_Kt_An4, Doc.Doc_S_Kt_An5 "_s;
constexpr int DtLotsColumn = 12, KtLotsColumn = 17;

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

// A reading through the folders' index keeps the database off the indexes of the first key, by
// ordering on, and bounding the document date as, expressions of the same value: an empty date
// sorts first as a missing one does.
QString OrderClause(Lead lead, bool byFolder)
{
    switch (lead) {
    case Lead::PostingDate: return u" ORDER BY Doc.Doc_Date"_s;
    case Lead::DocumentDate:
        return byFolder ? u" ORDER BY coalesce(Nom_p.Nom_Doc_Date, '')"_s : u" ORDER BY Nom_p.Nom_Doc_Date"_s;
    case Lead::Number: return byFolder ? u" ORDER BY Nom_p.Nom_DDoc_No + 0"_s : u" ORDER BY Nom_p.Nom_DDoc_No"_s;
    case Lead::None: break;
    }
    return {};
}

// Every bound is a value bound to the statement, never text pasted into it.
QString WhereClause(const ChronologicalSelection &s, bool byFolder, QVariantList &binds)
{
    QString where = !s.byDocumentDate ? u" AND Doc.Doc_Date BETWEEN ? AND ?"_s
                    : byFolder        ? u" AND coalesce(Nom_p.Nom_Doc_Date, '') BETWEEN ? AND ?"_s
                                      : u" AND Nom_p.Nom_Doc_Date BETWEEN ? AND ?"_s;
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

// The column of the key after the first, by sort order and date choice; none without an order.
QString SecondKey(const ChronologicalSelection &s)
{
    switch (s.sort) {
    case ChronologicalSort::DateAndNumber: return u"Nom_p.Nom_DDoc_No"_s;
    case ChronologicalSort::Number: return s.byDocumentDate ? u"Nom_p.Nom_Doc_Date"_s : u"Doc.Doc_Date"_s;
    case ChronologicalSort::Date: return s.byDocumentDate ? u"Doc.Doc_Date"_s : u"Nom_p.Nom_Doc_Date"_s;
    case ChronologicalSort::None: break;
    }
    return {};
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

// The later groups, put in order ahead of their turn on helper connections by a thread of its
// own: the database's sorting of a group then runs while the group before it is laid out.
struct ChronologicalRows::Sorter {
    struct Sorted {
        SqliteReader::Rows rows;
        SqliteReader *helper = nullptr;
        std::exception_ptr error;
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<SqliteReader *> free;  // helpers not in use
    std::vector<SqliteReader *> helpers;
    std::map<size_t, Sorted> sorted;  // by group
    bool stop = false;
    std::thread thread;

    ~Sorter()
    {
        {
            const std::lock_guard lock(mutex);
            stop = true;
        }
        // A sorting under way ends at once.
        for (SqliteReader *helper : helpers)
            helper->interrupt();
        changed.notify_all();
        if (thread.joinable())
            thread.join();
    }
};

ChronologicalRows::ChronologicalRows(SqliteReader &books, const ChronologicalSelection &selection,
                                     const std::vector<SqliteReader *> &helpers)
    : m_books(books), m_selection(selection)
{
    // Folders of one name are one group, as the ledger breaks on the name.
    SqliteReader::Rows folders = books.query(u"SELECT Nom_Pap_No, Nom_Pap_Name FROM nom_pap ORDER BY Nom_Pap_Name, Nom_Pap_No"_s);
    QString previous;
    while (folders.next()) {
        const int folder = int(folders.integer(0));
        const QString name = folders.text(1);
        if (m_groups.empty() || name != previous)
            m_groups.push_back({int(m_groups.size()), {}});
        previous = name;
        m_folderNames.insert(folder, name);
        m_folderRanks.insert(folder, m_groups.back().rank);
        if (selection.folder <= 0 || selection.folder == folder)
            m_groups.back().folders.push_back(folder);
    }
    std::erase_if(m_groups, [](const Group &group) { return group.folders.empty(); });
    // Without an order the lines come as they were entered, whatever their folder: one reading.
    if (selection.sort == ChronologicalSort::None && m_groups.size() > 1) {
        for (size_t g = 1; g < m_groups.size(); ++g)
            m_groups.front().folders.insert(m_groups.front().folders.end(), m_groups[g].folders.begin(),
                                            m_groups[g].folders.end());
        m_groups.resize(1);
    }

    SqliteReader::Rows accounts = books.query(u"SELECT S_UNo FROM s"_s);
    while (accounts.next())
        m_accounts.insert(int(accounts.integer(0)));
    auto count = [&](const QString &sql, const QVariantList &binds = {}) {
        SqliteReader::Rows rows = books.query(sql, binds);
        return rows.next() ? rows.integer(0) : 0;
    };
    const QVariantList period{Formats::SqlDate(selection.from), Formats::SqlDate(selection.to)};
    const qint64 lines = count(u"SELECT count(*) FROM doc"_s);
    if (selection.byDocumentDate) {
        m_estimate = lines;
        m_periodShare = double(count(u"SELECT count(*) FROM nom_p WHERE Nom_Doc_Date BETWEEN ? AND ?"_s, period))
                        / double(std::max<qint64>(1, count(u"SELECT count(*) FROM nom_p"_s)));
    } else {
        m_estimate = count(u"SELECT count(*) FROM doc WHERE Doc_Date BETWEEN ? AND ?"_s, period);
        m_periodShare = double(m_estimate) / double(std::max<qint64>(1, lines));
    }
    m_estimate = std::max<qint64>(1, m_estimate);
    if (m_groups.size() > 1 && m_selection.sort != ChronologicalSort::None && !helpers.empty()) {
        m_sorter = std::make_unique<Sorter>();
        m_sorter->free = m_sorter->helpers = helpers;
        m_sorter->thread = std::thread([this] { sortAhead(); });
    }
    startReading();
}

ChronologicalRows::~ChronologicalRows()
{
    // The reading under way ends before the helper it reads on goes back.
    m_rows = {};
    m_sorter.reset();
}

// " AND Nom_p.Nom_P_No IN (?, …)" for the group's folders, which go to `binds`.
QString ChronologicalRows::FolderCondition(const Group &group, QVariantList &binds)
{
    QStringList marks;
    for (const int folder : group.folders) {
        marks << u"?"_s;
        binds << folder;
    }
    return u" AND Nom_p.Nom_P_No IN ("_s + marks.join(u", "_s) + u")"_s;
}

bool ChronologicalRows::readByFolder(SqliteReader &books, const Group &group) const
{
    QVariantList folders;
    const QString condition = FolderCondition(group, folders);
    SqliteReader::Rows documents = books.query(u"SELECT count(*) FROM nom_p Nom_p WHERE 1 = 1"_s + condition, folders);
    SqliteReader::Rows all = books.query(u"SELECT count(*) FROM nom_p"_s);
    if (!documents.next() || !all.next())
        return false;
    return double(documents.integer(0)) < m_periodShare * double(all.integer(0));
}

// The first group comes off the index of the first key, a run at a time; every later group is
// put in order by the database, read through its folders' index where that reads less.
SqliteReader::Rows ChronologicalRows::openReading(SqliteReader &books, size_t index, bool &runs) const
{
    const Group &group = m_groups[index];
    const Lead lead = LeadOf(m_selection);
    const bool sorted = m_selection.sort != ChronologicalSort::None;
    runs = index == 0 && sorted;
    const bool byFolder = !runs && sorted && readByFolder(books, group);
    const QString from = byFolder ? u"FROM nom_p Nom_p CROSS JOIN doc Doc WHERE Doc.Doc_No = Nom_p.Nom_Doc_No"_s
                                  : FromClause(lead);
    QString order = OrderClause(lead, byFolder);
    if (!runs && sorted)
        order += u", "_s + SecondKey(m_selection) + u", Nom_p.Nom_Doc_No, Doc.Doc_StNo"_s;
    QVariantList binds;
    const QString where = WhereClause(m_selection, byFolder, binds);
    return books.query(Columns + from + where + FolderCondition(group, binds) + order, binds);
}

void ChronologicalRows::sortAhead()
{
    for (size_t group = 1; group < m_groups.size(); ++group) {
        SqliteReader *helper = nullptr;
        {
            std::unique_lock lock(m_sorter->mutex);
            m_sorter->changed.wait(lock, [this] { return m_sorter->stop || !m_sorter->free.empty(); });
            if (m_sorter->stop)
                return;
            helper = m_sorter->free.back();
            m_sorter->free.pop_back();
        }
        Sorter::Sorted done;
        done.helper = helper;
        try {
            bool runs = false;
            done.rows = openReading(*helper, group, runs);
            done.rows.fetchFirst();
        } catch (...) {
            done.error = std::current_exception();
        }
        const std::lock_guard lock(m_sorter->mutex);
        const bool failed = done.error != nullptr;
        m_sorter->sorted.emplace(group, std::move(done));
        m_sorter->changed.notify_all();
        if (failed)
            return;
    }
}

bool ChronologicalRows::startReading()
{
    m_rows = {};
    if (m_rowsHelper) {
        const std::lock_guard lock(m_sorter->mutex);
        m_sorter->free.push_back(std::exchange(m_rowsHelper, nullptr));
        m_sorter->changed.notify_all();
    }
    if (m_next >= m_groups.size())
        return false;
    const size_t group = m_next++;
    if (group == 0 || !m_sorter) {
        m_rows = openReading(m_books, group, m_runs);
        return true;
    }
    std::unique_lock lock(m_sorter->mutex);
    m_sorter->changed.wait(lock, [&] { return m_sorter->sorted.contains(group); });
    Sorter::Sorted done = std::move(m_sorter->sorted.at(group));
    m_sorter->sorted.erase(group);
    if (done.error)
        std::rethrow_exception(done.error);
    m_rows = std::move(done.rows);
    m_rowsHelper = done.helper;
    m_runs = false;
    return true;
}

bool ChronologicalRows::readRow(ChronologicalRow &r)
{
    const SqliteReader::Rows &q = m_rows;
    do {
        if (!m_rows.next())
            return false;
        r.Nom_P_No = int(q.integer(0));
        r.Doc_S_Dt = int(q.integer(6));
        r.Doc_S_Kt = int(q.integer(7));
    } while (!listed(r.Nom_P_No, r.Doc_S_Dt, r.Doc_S_Kt));
    r.Nom_Doc_No = int(q.integer(1));
    r.Nom_DDoc_No = q.real(2);
    // A document's lines come together: they share its description.
    if (r.Nom_Doc_No != m_lastDocument) {
        m_lastDocument = r.Nom_Doc_No;
        m_lastOsno = q.text(4);
    }
    r.Nom_Doc_Osno = m_lastOsno;
    r.Doc_Date = Formats::FromSqlDate(q.bytes(5));
    r.Nom_Doc_Date = q.isNull(3) ? r.Doc_Date : Formats::FromSqlDate(q.bytes(3));
    r.Doc_S_Dt_Kol = q.real(8);
    r.Doc_S_Kt_Kol = q.real(9);
    r.Doc_St = q.real(10);
    r.Doc_StNo = int(q.integer(11));
    for (int k = 0; k < 5; ++k) {
        r.dtLots[size_t(k)] = int(q.integer(DtLotsColumn + k));
        r.ktLots[size_t(k)] = int(q.integer(KtLotsColumn + k));
    }
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
        if (m_ahead || m_runPos < m_run.size())
            return false;
        if (ChronologicalRow row; readRow(row)) {
            m_ahead = std::move(row);
            return false;
        }
        // This group has no line: the next may.
        if (!startReading())
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
        if (const int c = CompareSecond(m_selection, a, b); c != 0)
            return c < 0;
        // Equal keys keep a document's lines together, in their order.
        if (a.Nom_Doc_No != b.Nom_Doc_No)
            return a.Nom_Doc_No < b.Nom_Doc_No;
        return a.Doc_StNo < b.Doc_StNo;
    });
}

// The next run of lines with one first key, in order; false after the reading's last line. A
// line read ahead (by `empty`, or the first of the next run) is taken first.
bool ChronologicalRows::fillRun()
{
    m_run.clear();
    m_runPos = 0;
    ChronologicalRow row;
    if (m_ahead) {
        row = std::move(*m_ahead);
        m_ahead.reset();
    } else if (!readRow(row)) {
        return false;
    }
    m_run.push_back(std::move(row));
    if (!m_runs)
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
    return true;
}

bool ChronologicalRows::next(ChronologicalRow &row)
{
    for (;;) {
        if (m_runPos < m_run.size()) {
            row = std::move(m_run[m_runPos++]);
            break;
        }
        if (fillRun())
            continue;
        if (!startReading())
            return false;
    }
    ++m_handedOut;
    return true;
}

int ChronologicalRows::progress() const { return int(std::min<qint64>(99, 100 * m_handedOut / m_estimate)); }
