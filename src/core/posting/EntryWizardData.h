#pragma once
// What the journal entry wizard reads besides the group itself: the operations of the document's
// folder, the counterparties of the VAT header, the posting date of a group that is opened
// again, and the account part of the row check that a typed account must pass at once.
#include "posting/Documents.h"
#include "posting/EntryGroup.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

class Db;

struct OpRow {
    int Op_id = 0;
    QString Op_Name;
};

namespace EntryWizardData {

// The operation templates of a folder, in name order.
QList<OpRow> Operations(Db &db, int folder);

// Every counterparty of every level (NomEl_No, NomEl_Name), in name order.
QList<std::pair<int, QString>> Counterparties(Db &db);

// The date of the group's first journal line, or nothing for a group without lines.
std::optional<QDate> GroupDate(Db &db, int docNo, int group);

// The header the wizard opens with: the document's kind; for a VAT group the document's VAT
// date, supply type and counterparty, or for a new one the defaults of a new VAT group with the
// supply type the folder's latest VAT document had (the default one for a folder's first); without
// VAT the date of the group's first line, the document's date for a new group or one without
// lines.
EntryHeader OpeningHeader(Db &db, const NomPRow &doc, const EntryGroup &group);

// The account and its lots as the row check sees them (its first two steps): "" when they pass,
// otherwise the message to show.
QString AccountProblem(Db &db, const WorkLine &row);

// What becomes of an account number typed into a row (its lots cleared): taken as it is; kept,
// with the picker opened on it for the lots it needs; or refused, with the picker offered for
// another account, when the chart has no such account.
enum class TypedAccount { Taken, NeedsLots, Refused };
TypedAccount CheckTypedAccount(Db &db, const WorkLine &typed);

// The lots the picker of a row starts from: the row's own, and at a position left empty whose
// level is the one of the header's counterparty, that counterparty.
LotKey PickerLots(Db &db, const WorkLine &row, int kontra);

}  // namespace EntryWizardData
