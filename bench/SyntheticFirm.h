#pragma once
// A large synthetic firm for timing: about 500 accounts, a counterparty and a goods level with
// many lots, opening balances, five folders of documents of four lines each, and postings spread
// over the twelve months of the year, written through the same data layer as the program's own.
#include <QString>

class TFD;

struct SyntheticFirmSpec {
    qint64 postings = 200000;  // analytic postings; every journal line makes two
    int accounts = 500;
    int counterparties = 400;
    int goods = 600;
    int year = 2026;
    // Each account is posted against a few usual counter-accounts, as in real books; 0 posts
    // any account against any other (every ledger section then lists hundreds of them).
    int partners = 6;
    // The accounts are the national chart the registry seeds (every tenth with the counterparty
    // or the goods level) instead of `accounts` made-up ones: the statements' default include
    // rows then find their accounts.
    bool nationalChart = false;
    unsigned seed = 20261208;
};

// Creates the firm and returns its Firm_ID; prints progress to standard error.
int GenerateSyntheticFirm(TFD &fd, const SyntheticFirmSpec &spec);
