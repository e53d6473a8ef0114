#pragma once
// The journal lines of the chronological ledger in the order it prints them: by folder name,
// then by the chosen keys. The lines are read in a few passes over the period, each in the order
// of the first key after the folder, straight off an index, so the first page prints at once;
// each run of lines with the same first key is put in order in memory, and the lines of a pass's
// later folders are set aside in a spool file until their turn comes. Memory stays flat however
// long the period is.
#include "firm/AccountTotals.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class Db;
class QTemporaryFile;
class ScanCache;

enum class ChronologicalSort { DateAndNumber, Number, Date, None };

// What the lines are chosen by; the bounds are numbers already read from what was typed.
struct ChronologicalSelection {
    QDate from;
    QDate to;
    bool byDocumentDate = false;  // the period applies to the document date, not the posting date
    std::optional<qint64> fromDocument, toDocument;
    std::optional<double> fromAmount, toAmount;
    int debitAccount = 0;   // 0: every account
    int creditAccount = 0;
    int folder = 0;         // 0: every folder
    ChronologicalSort sort = ChronologicalSort::DateAndNumber;
};

struct ChronologicalRow {
    int Nom_P_No = 0;
    int Nom_Doc_No = 0;
    double Nom_DDoc_No = 0;
    QDate Nom_Doc_Date;
    QString Nom_Doc_Osno;
    QDate Doc_Date;
    int Doc_S_Dt = 0;
    LotKey dtLots{};
    int Doc_S_Kt = 0;
    LotKey ktLots{};
    double Doc_S_Dt_Kol = 0;
    double Doc_S_Kt_Kol = 0;
    double Doc_St = 0;
    int Doc_StNo = 0;
    int folderRank = 0;  // the folder's place in name order; folders of one name share it
};

class ChronologicalRows {
public:
    // At most `passes` readings of the period.
    static constexpr int DefaultPasses = 6;
    ChronologicalRows(Db &db, const ChronologicalSelection &selection, int passes = DefaultPasses);
    ~ChronologicalRows();

    // The next line in print order; false after the last.
    bool next(ChronologicalRow &row);
    // True when the selection has no line at all.
    bool empty();
    // The folder names by folder number.
    const QHash<int, QString> &folderNames() const { return m_folderNames; }
    // 0..100: the lines handed out against the lines of the period.
    int progress() const;
    // The lines of the period, as the progress counts them.
    qint64 estimate() const { return m_estimate; }

private:
    struct Spool;
    struct Group {
        int rank = 0;  // its place in print order
        std::vector<int> folders;
    };
    bool startPass();
    bool readRow(ChronologicalRow &row);
    // A line is listed when its folder and both its accounts exist.
    bool listed(int folder, int debit, int credit) const;
    bool fillRun();
    void sortRun();
    bool leadChanged(const ChronologicalRow &a, const ChronologicalRow &b) const;

    Db &m_db;
    ChronologicalSelection m_selection;
    std::unique_ptr<ScanCache> m_scanCache;  // while the lines are read
    QSqlQuery m_query;
    QHash<int, QString> m_folderNames;
    QHash<int, int> m_folderRanks;
    QSet<int> m_accounts;  // the chart
    std::vector<std::vector<Group>> m_passes;  // the groups each pass reads, in print order
    size_t m_pass = 0;  // the next pass
    int m_liveRank = 0;  // the group printed while its pass reads
    std::unique_ptr<Spool> m_spool;  // the pass's later groups
    std::optional<ChronologicalRow> m_ahead;  // read, not yet in a run
    std::vector<ChronologicalRow> m_run;
    size_t m_runPos = 0;
    qint64 m_handedOut = 0;
    qint64 m_estimate = 1;
};
