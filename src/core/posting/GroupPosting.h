#pragma once
// Turning an entry group into journal lines and postings, the document's VAT totals, and the
// save of the whole group in one write transaction.
#include "posting/Documents.h"
#include "posting/EntryGroup.h"

class Db;

namespace GroupPosting {

// Deletes the group's old lines and postings and writes the new ones: one debit line paired
// with every credit row, or every debit row with the one credit line, in grid order.
void ReplaceGroupPostings(Db &db, const EntryGroup &group, int papNo);

// The group's lines, postings and work lines written inside the caller's write transaction,
// without the checks of the wizard's save (the year closing posts its own entries this way).
void WriteGroup(Db &db, const EntryGroup &group, int papNo);

// The document's VAT totals and journal from a group with VAT.
void UpdateVatTotals(NomPRow &doc, const EntryGroup &group);

// Writes the group's lines and postings, its work lines and the document row in one write
// transaction; refuses with "Опитайте отново!" while another transaction is active. Inside it the
// document must still exist ("Документа не е намерен!"), a new group takes the next free number
// of the document (so it never replaces another group), and every release is checked against
// the stock again. On a failure nothing is written and `group` and `doc` are left as they were.
void Save(Db &db, EntryGroup &group, NomPRow &doc);

}  // namespace GroupPosting
