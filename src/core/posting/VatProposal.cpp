#include "posting/VatProposal.h"

#include "engine/Db.h"
#include "engine/Rounding.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace VatProposal {

std::optional<double> Proposed(const EntryGroup &group, Grid vatGrid, double rate)
{
    if (!group.withVat || (vatGrid != Grid::VatDt && vatGrid != Grid::VatKt)
        || !EntryRules::GridShown(vatGrid, true, group.header.vidDostavka))
        return std::nullopt;
    const QList<WorkLine> &vat = group.rows(vatGrid);
    if (vat.size() != 1 || vat.constFirst().account == 0 || vat.constFirst().st != 0)
        return std::nullopt;
    const bool debit = IsDebit(vatGrid);
    double base = 0;
    for (Grid g : {debit ? Grid::BaseDt : Grid::BaseKt, debit ? Grid::ExciseDt : Grid::ExciseKt})
        for (const WorkLine &row : group.rows(g))
            base += row.st;
    base = RoundAmount(base);
    if (base == 0)
        return std::nullopt;
    return RoundAmount(base * rate / 100.0);
}

QList<Grid> Apply(EntryGroup &group, double rate)
{
    QList<Grid> changed;
    for (Grid g : {Grid::VatDt, Grid::VatKt}) {
        if (const auto vat = Proposed(group, g, rate)) {
            group.rows(g).first().st = *vat;
            changed << g;
        }
    }
    return changed;
}

std::optional<int> LastSupplyType(Db &db, int folder, int docNo)
{
    QSqlQuery q = db.exec(u"select Nom_VidDostavka from nom_p where Nom_P_No = ? and Nom_Doc_No <> ? "
                          "and Nom_WithDDS = 1 and Nom_VidDostavka <> 0 order by Nom_Doc_No desc limit 1"_s,
                          {folder, docNo});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toInt();
}

}  // namespace VatProposal
