#pragma once
// The postings the account and lot extracts list, read forward from one query, with their
// document, folder and corresponding account.
#include "firm/AccountTotals.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

class Db;

struct ExtractRow {
    bool posting = true;  // false: a lot with an opening balance and no posting in the period
    QString Nom_Pap_Name;
    double Nom_DDoc_No = 0;
    QDate Nom_Doc_Date;
    QDate An_Date;
    int An_S_No = 0;
    LotKey lots{};
    double dtKol = 0, dtSt = 0, ktKol = 0, ktSt = 0;
    int An_S_Cr_No = 0;
    LotKey crLots{};
};

// The columns every extract reads, and the joins: inner joins list only postings whose
// document, folder and both accounts exist; outer joins list every posting of the account.
QString ExtractColumns();
QString ExtractJoins(bool inner);

class ExtractRows {
public:
    ExtractRows(Db &db, const QString &sql, const QVariantList &binds);
    // Lots of the account to list without a posting, in the order of the rows (by lot): they are
    // merged in before the first row of a later lot, and left out when the lot has postings.
    void setOpeningLots(int account, std::vector<LotKey> lots)
    {
        m_openingAccount = account;
        m_openingLots = std::move(lots);
    }

    bool next(ExtractRow &row);
    // Reads ahead: true when there is no row at all.
    bool empty();

private:
    bool read(ExtractRow &row);

    QSqlQuery m_query;
    std::optional<ExtractRow> m_ahead;
    bool m_done = false;
    int m_openingAccount = 0;
    std::vector<LotKey> m_openingLots;
    size_t m_nextOpening = 0;
};
