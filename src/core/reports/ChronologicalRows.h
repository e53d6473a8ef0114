#pragma once
// The journal lines of the chronological ledger in the order it prints them: by folder name,
// then by the chosen keys. The first folder group is read in the order of its first key, straight
// off that key's index, so the first page prints at once: each run of lines with the same first
// key is put in order in memory. Every later group is a reading of its own, put in order by the
// database, which keeps memory flat however long the period is. Each reading reads only its own
// group's lines where those are fewer than the period's, through the folder's index.
#include "engine/SqliteReader.h"
#include "firm/AccountTotals.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

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
    // `helpers`, connections that see the same state of the books as `books`, let a thread of
    // the ledger's own put the later groups in order while the earlier ones are handed out.
    ChronologicalRows(SqliteReader &books, const ChronologicalSelection &selection,
                      const std::vector<SqliteReader *> &helpers = {});
    ~ChronologicalRows();
    ChronologicalRows(const ChronologicalRows &) = delete;
    ChronologicalRows &operator=(const ChronologicalRows &) = delete;

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
    struct Group {
        int rank = 0;  // its place in print order
        std::vector<int> folders;
    };
    struct Sorter;
    // Puts the later groups in order, one after the other, each on a helper connection free.
    void sortAhead();
    // Opens the reading of the next group; false after the last.
    bool startReading();
    // The reading of a group, and whether it is in first-key order, put in order a run at a time.
    SqliteReader::Rows openReading(SqliteReader &books, size_t group, bool &runs) const;
    bool readRow(ChronologicalRow &row);
    // A line is listed when its folder and both its accounts exist.
    bool listed(int folder, int debit, int credit) const;
    bool fillRun();
    void sortRun();
    bool leadChanged(const ChronologicalRow &a, const ChronologicalRow &b) const;
    // True when the group's lines in the whole file are fewer than the period's lines.
    bool readByFolder(SqliteReader &books, const Group &group) const;
    static QString FolderCondition(const Group &group, QVariantList &binds);

    SqliteReader &m_books;
    ChronologicalSelection m_selection;
    SqliteReader::Rows m_rows;
    SqliteReader *m_rowsHelper = nullptr;  // the helper connection `m_rows` reads on, if any
    QHash<int, QString> m_folderNames;
    QHash<int, int> m_folderRanks;
    QSet<int> m_accounts;  // the chart
    std::vector<Group> m_groups;  // in print order
    size_t m_next = 0;  // the next group to read
    bool m_runs = false;  // the reading is in first-key order, each run put in order here
    std::optional<ChronologicalRow> m_ahead;  // read, not yet in a run
    std::vector<ChronologicalRow> m_run;
    size_t m_runPos = 0;
    QString m_lastOsno;  // the description of the last line's document, shared with its other lines
    int m_lastDocument = -1;
    double m_periodShare = 1;  // the period's lines against all lines
    qint64 m_handedOut = 0;
    qint64 m_estimate = 1;
    std::unique_ptr<Sorter> m_sorter;  // last: it stops before what it reads goes
};
