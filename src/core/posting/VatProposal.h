#pragma once
// The wizard's help with a VAT group, beyond the rules of the group itself: while the VAT cell of
// a side is empty, it proposes the VAT of the tax base entered on that side at the firm's
// standard rate; and a new VAT group of a folder starts with the supply type the folder used last.
#include "posting/EntryGroup.h"

#include <optional>

class Db;

namespace VatProposal {

// The VAT proposed for the VAT grid `vatGrid` (VatDt or VatKt): its one row has an account and no
// amount yet, the grid is shown, and the base and excise rows of its side add up to a tax base;
// the VAT is that base at `rate` per cent, rounded to stotinki. Nothing otherwise.
std::optional<double> Proposed(const EntryGroup &group, Grid vatGrid, double rate);
// Puts the proposals into the VAT rows; the grids whose row changed.
QList<Grid> Apply(EntryGroup &group, double rate);

// The supply type of the folder's latest document with VAT other than `docNo` (documents are
// numbered as they are made), or nothing for the folder's first.
std::optional<int> LastSupplyType(Db &db, int folder, int docNo);

}  // namespace VatProposal
