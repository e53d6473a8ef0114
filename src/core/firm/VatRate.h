#pragma once
// The firm's standard VAT rate, in per cent, kept in the firm's books (table FirmVat, one row).
// The entry wizard proposes the VAT of a group at this rate; the firm's data editor changes it.
class Db;
class QString;

inline constexpr double DefaultVatRate = 20.0;

// The rate of the open firm; the default where the books hold none.
double StandardVatRate(Db &db);
// The problem with a rate as typed, or an empty text: above 0 and below 100.
QString VatRateProblem(double rate);
// Writes the rate; throws MyException with the problem for a rate out of range.
void SetStandardVatRate(Db &db, double rate);
