#pragma once
// Which entry group the journal entry wizard opens from the documents window. A document has any
// number of groups without VAT and at most one with VAT, so "С ДДС" edits the VAT group a
// document already has rather than starting a second one.
#include "posting/Documents.h"
#include "posting/EntryWizardRequest.h"

#include <optional>

class Db;

namespace EntryRequests {

// "Без ДДС": a new group after the document's highest.
EntryWizardRequest WithoutVat(Db &db, const NomPRow &doc);
// "С ДДС": the VAT group when there is one, else a new group. A document of a kind recorded
// without entries keeps its VAT details, so its group does not count as new.
EntryWizardRequest WithVat(Db &db, const NomPRow &doc);
// "Редактиране на статия" on one of the document's lines: nothing when the document has no
// lines (silently) or lacks its number or date (the reason is shown).
std::optional<EntryWizardRequest> EditGroup(Db &db, const NomPRow &doc, const DocLineView &line);

}  // namespace EntryRequests
