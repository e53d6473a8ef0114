#pragma once
// The general ledger: account by account the opening balance of the period, the period's
// turnovers by corresponding account in number order, and the closing balance at the period's
// end.
#include "firm/AccountTotals.h"
#include "reportkit/Job.h"

#include <QDate>
#include <QHash>
#include <QList>

class Db;

struct GeneralLedgerOptions {
    QDate from;
    QDate to;
    QString firmName;
};

inline const QString NoLedgerDataMessage = QStringLiteral("Няма данни за избрания период!");

class GeneralLedgerJob : public rk::ReportJob {
public:
    // Reads the accounts and the opening balances; throws "Няма данни за избрания период!" when
    // there is nothing to print. The turnovers are read account by account as the ledger goes.
    GeneralLedgerJob(Db &db, GeneralLedgerOptions options);

    QString title() const override;
    rk::PageSetup setup() const override;
    void begin(rk::ReportLayout &layout) override;
    bool step(rk::ReportLayout &layout) override;
    void end(rk::ReportLayout &layout) override;
    int progress() const override;

    int sectionsPrinted() const { return m_sections; }

private:
    struct Turnover {
        int corrAccount = 0;
        QString corrName;
        double dt = 0, kt = 0;
    };
    struct Opening {
        double dt = 0, kt = 0;
    };
    bool shown(const Turnover &t, const Opening &o) const;
    QList<Turnover> turnoversOf(int account, double &turnDt, double &turnKt);
    Opening openingOf(int account);
    TAccountValue closingOf(int account, const Opening &opening, double turnDt, double turnKt);

    Db &m_db;
    GeneralLedgerOptions m_options;
    ReportingPeriod m_period;
    QString m_fromText, m_toText;  // the period as the tables hold dates
    QList<std::pair<int, QString>> m_accounts;
    QHash<int, Opening> m_openings;
    QHash<int, QString> m_names;
    QHash<int, int> m_balanceTypes;
    int m_next = 0;
    int m_sections = 0;
};
