#pragma once
// A small firm of 2025 with opening balances and a few months of postings, for report tests.
#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/OpeningBalances.h"
#include "firm/AccountTotals.h"
#include "posting/JournalLines.h"
#include "support/Books.h"
#include "support/TestFixture.h"

struct ReportFixture {
    TestFixture f;
    ReportingPeriod period;

    ReportFixture()
    {
        f.fd.SetAllChecked(false);
        for (int account : {101, 304, 401, 411, 453, 501, 503, 602, 702})
            f.fd.SetChecked(account, true);
        f.openNewFirm(QStringLiteral("Отчети ООД"), 2025);
        Db &db = f.dm.db();
        LevelStore::InsertLevel(db, {1, QStringLiteral("Стоки"), NomType::Goods});
        LevelStore::InsertLot(db, {1, 1, QStringLiteral("Олио"), QStringLiteral("бр."), {}});
        ChartStore::SetLevels(db, 304, {1, 0, 0, 0, 0});
        OpeningBalances::Insert(db, {501, {}, 0, 1000.00, 0, 0});
        OpeningBalances::Insert(db, {304, {1, 0, 0, 0, 0}, 10, 50.00, 0, 0});
        OpeningBalances::Insert(db, {101, {}, 0, 0, 0, 1050.00});
        post(QDate(2025, 2, 3), 304, {1, 0, 0, 0, 0}, 401, {}, 200.00, 40);
        post(QDate(2025, 3, 4), 411, {}, 702, {}, 300.00);
        post(QDate(2025, 3, 4), 702, {}, 304, {1, 0, 0, 0, 0}, 125.00, 0, 25);
        post(QDate(2025, 4, 5), 503, {}, 411, {}, 300.00);
        post(QDate(2025, 4, 6), 401, {}, 503, {}, 200.00);
        post(QDate(2025, 5, 7), 602, {}, 501, {}, 80.00);
        // 453 closes at zero on both sides while its quantities differ.
        post(QDate(2025, 6, 1), 453, {}, 501, {}, 10.00, 3);
        post(QDate(2025, 6, 2), 501, {}, 453, {}, 10.00, 0, 1);
        period = ReadPeriod(db);
    }
    Db &db() { return f.dm.db(); }
    // More of the year for the ledger's harder cases: a line posted and reversed (602 against
    // 453 nets to 0.00 and is 602's first corresponding account), two lines of the largest
    // negative amount a line takes (their total larger still), and a payment on the last day.
    void addReversalsAndLargeAmounts()
    {
        post(QDate(2025, 7, 10), 602, {}, 453, {}, 40.00);
        post(QDate(2025, 7, 11), 602, {}, 453, {}, -40.00);
        post(QDate(2025, 8, 20), 501, {}, 702, {}, -99999999999.99);
        post(QDate(2025, 8, 21), 503, {}, 702, {}, -99999999999.99);
        post(QDate(2025, 12, 31), 501, {}, 411, {}, 15.00);
    }
    void post(QDate date, int dt, LotKey dtLots, int kt, LotKey ktLots, double amount, double dtKol = 0,
              double ktKol = 0)
    {
        PostLine(db(), date, dt, dtLots, kt, ktLots, amount, dtKol, ktKol);
    }
};
