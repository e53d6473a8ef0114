#pragma once
// A firm of 2025 whose statements can be checked by hand: opening balances, a purchase and a
// sale of goods with VAT, the cost of the goods sold, collections and payments through the bank
// and the till, salaries, depreciation, the VAT settlement and, on 31.12, the income and expense
// accounts closed to 123 (a profit of 8,500.00).
//   assets 45,200.00 = liabilities 45,200.00; cash 10,200.00 at the start, 6,500.00 at the end.
#include "accounts/OpeningBalances.h"
#include "statements/StatementTables.h"
#include "support/Books.h"
#include "support/TestFixture.h"

struct StatementBooks {
    TestFixture f;

    explicit StatementBooks(bool closed = true, const QString &name = QStringLiteral("Проверка ООД"))
    {
        f.fd.SetAllChecked(false);
        for (int account : {101, 122, 123, 203, 241, 304, 401, 411, 421, 4531, 4532, 4539, 501, 503, 602, 603, 604, 702})
            f.fd.SetChecked(account, true);
        f.openNewFirm(name, 2025);
        Db &db = f.dm.db();
        auto debit = [&](int account, double value) { OpeningBalances::Insert(db, {account, {}, 0, value, 0, 0}); };
        auto credit = [&](int account, double value) { OpeningBalances::Insert(db, {account, {}, 0, 0, 0, value}); };
        debit(203, 20000.00);
        credit(241, 4000.00);
        debit(304, 6000.00);
        debit(411, 2500.00);
        debit(501, 800.00);
        debit(503, 9400.00);
        credit(101, 5000.00);
        credit(401, 3300.00);
        credit(122, 26400.00);
        post(2, 10, 304, 401, 10000.00);  // goods bought on credit
        post(2, 10, 4531, 401, 2000.00);
        post(3, 15, 411, 702, 25000.00);  // goods sold on credit
        post(3, 15, 411, 4532, 5000.00);
        post(3, 15, 702, 304, 9000.00);   // their cost
        post(4, 20, 503, 411, 16000.00);  // collected
        post(4, 25, 401, 503, 11000.00);  // supplier paid
        post(5, 2, 501, 503, 2000.00);    // cash drawn from the bank: no flow
        post(5, 10, 602, 501, 700.00);    // services paid in cash
        post(5, 31, 604, 421, 6000.00);   // salaries
        post(5, 31, 421, 503, 5000.00);
        post(6, 30, 603, 241, 800.00);    // depreciation
        post(6, 30, 4532, 4531, 2000.00); // VAT settled and paid
        post(6, 30, 4532, 4539, 3000.00);
        post(7, 14, 4539, 503, 3000.00);
        if (closed)
            closeYear();
    }
    void closeYear()
    {
        post(12, 31, 702, 123, 16000.00);
        post(12, 31, 123, 602, 700.00);
        post(12, 31, 123, 603, 800.00);
        post(12, 31, 123, 604, 6000.00);
    }
    Db &db() { return f.dm.db(); }
    Db &registry() { return f.fd.db(); }
    void post(int month, int day, int dt, int kt, double amount)
    {
        PostLine(db(), QDate(2025, month, day), dt, {}, kt, {}, amount);
    }
};

// An include row of `line`: kinds 1..7 name accounts, 8 and 9 an amount.
inline IncludeRow IncludeRowOf(int line, int kind, int account, int corr = 0, double amount = 0, int kor = 0)
{
    IncludeRow r;
    r.OPR_Pok_No = line;
    r.OPR_Account_Type = kind;
    r.OPR_Account_No = account;
    r.OPR_AccCor_No = corr;
    r.OPR_ConstValue = amount;
    r.OPR_Kor = kor;
    return r;
}
