#include "posting/EntryRequests.h"

#include "engine/Messages.h"

namespace EntryRequests {

EntryWizardRequest WithoutVat(Db &db, const NomPRow &doc)
{
    return {.isNew = true,
            .withVat = false,
            .group = Documents::NextGroup(db, doc.Nom_Doc_No),
            .docNo = doc.Nom_Doc_No,
            .numberDrawn = true};
}

EntryWizardRequest WithVat(Db &db, const NomPRow &doc)
{
    if (const auto group = Documents::VatGroup(db, doc.Nom_Doc_No))
        return {.isNew = false, .withVat = true, .group = *group, .docNo = doc.Nom_Doc_No};
    return {.isNew = !Documents::KindWithoutEntries(doc.Nom_DocType),
            .withVat = true,
            .group = Documents::NextGroup(db, doc.Nom_Doc_No),
            .docNo = doc.Nom_Doc_No,
            .numberDrawn = true};
}

std::optional<EntryWizardRequest> EditGroup(Db &db, const NomPRow &doc, const DocLineView &line)
{
    if (Documents::LineCount(db, doc.Nom_Doc_No) == 0)
        return std::nullopt;
    if (!doc.Nom_DDoc_No) {
        Messages::show(DocumentNumberMissing);
        return std::nullopt;
    }
    if (!doc.Nom_Doc_Date.isValid()) {
        Messages::show(DocumentDateMissing);
        return std::nullopt;
    }
    const bool withVat = line.Doc_DDSType >= 1 && line.Doc_DDSType <= 3;
    return EntryWizardRequest{.isNew = false, .withVat = withVat, .group = line.Doc_StGrp, .docNo = doc.Nom_Doc_No};
}

}  // namespace EntryRequests
