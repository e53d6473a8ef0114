#pragma once
// The chronological ledger: the journal lines of a period document by document, grouped by
// folder, with the totals of each document, each folder and the whole selection. A group
// breaks whenever the folder name or the document changes from one line to the next, so an
// order that does not keep a document's lines together lists the document more than once.
#include "reportkit/Job.h"
#include "reportkit/Totals.h"
#include "reports/ChronologicalFeed.h"
#include "reports/LotNames.h"
#include "reports/ReportSums.h"

#include <QHash>

class Db;

struct ChronologicalOptions {
    ChronologicalSelection selection;
    QString firmName;
};

inline const QString NoChronologicalDataMessage = QStringLiteral("Няма данни по посочения критерий!");

class ChronologicalLedgerJob : public rk::ReportJob {
public:
    // Throws "Няма данни по посочения критерий!" when no line is chosen.
    ChronologicalLedgerJob(Db &db, ChronologicalOptions options);

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;
    void halt() override { m_rows.stop(); }

    // Debit quantity, credit quantity and amount over every line printed.
    struct Sums {
        QuantitySum dtKol, ktKol;
        MoneySum st;
        void add(const ChronologicalRow &row);
    };
    const Sums &totals() const { return m_sums[0]; }

private:
    struct Account {
        QString caption;  // "304 Стоки"
        LotKey levels{};
    };
    rk::Band &detail(const ChronologicalRow &row);
    // `tall` is set when the text has the lots' two lines.
    QString sideText(int account, const LotKey &lots, bool &tall);
    rk::Band totalsBand(const QString &caption, const Sums &sums, bool bold) const;
    QList<rk::Band> folderHeader(const QVariant &name, bool continued) const;
    QList<rk::Band> documentHeader(bool continued) const;
    QList<rk::Band> pageHeader() const;

    Db &m_db;
    ChronologicalOptions m_options;
    ChronologicalFeed m_rows;
    LotNames m_lotNames;
    QHash<int, Account> m_accounts;
    rk::GroupLevels m_groups;
    rk::Band m_detail;       // one line's band, its texts set for each line
    ChronologicalRow m_row;  // the line being printed; the groups it opens take their headers from it
    Sums m_sums[3];          // report, folder, document
    int m_groupFolder = -1, m_groupDocument = -1;  // the folder and document of the groups open
};
