#pragma once
// The page layout both extracts share (A4 landscape): the column headings, a posting row with
// its lot names, and the rows of totals. The lot extract adds the account of each posting.
#include "reportkit/Band.h"
#include "reports/ExtractRows.h"
#include "reports/ReportSums.h"

#include <QHash>

class Db;
class LotNames;

// Debit and credit quantity and amount, summed exactly.
struct ExtractSums {
    QuantitySum dtKol, ktKol;
    MoneySum dtSt, ktSt;
    void add(const ExtractRow &row);
};

class ExtractLayout {
public:
    // `withAccount`: the posting's own account in a column of its own (the lot extract).
    ExtractLayout(Db &db, LotNames &lotNames, bool withAccount);

    static rk::PageSetup Setup();
    double width() const;
    QList<rk::Band> headings() const;
    // The headings of the four number columns alone.
    rk::Band figureHeadings() const;
    rk::Band row(const ExtractRow &row) const;
    // A caption over the number columns, then the four figures (quantities and amounts as
    // "0.00"); an empty figure where `values` has none.
    rk::Band figures(const QString &caption, const std::optional<std::array<double, 4>> &values,
                     bool bold = true) const;
    rk::Band totals(const QString &caption, const ExtractSums &sums) const;
    QString accountCaption(int account) const;  // "304 Стоки"
    const LotKey &levelsOf(int account) const;

private:
    struct Column {
        double x, w;
    };
    struct Account {
        QString caption;
        LotKey levels{};
    };
    Column column(int index) const;

    LotNames &m_lotNames;
    bool m_withAccount;
    QHash<int, Account> m_accounts;
    QList<Column> m_columns;
};
