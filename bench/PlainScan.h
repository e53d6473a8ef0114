#pragma once
// S, the unit every benchmark states its figures in: one plain scan that sums every posting of
// the firm (both amounts, both quantities and the count). It runs once untimed, so the table is
// read from memory as the timed reports read their indexes, and once timed.
class Db;

struct PlainScan {
    double seconds = 0;
    double debitSum = 0;  // the sum of every debit amount, for the benchmarks' cross-checks
};

PlainScan MeasurePlainScan(Db &db);
