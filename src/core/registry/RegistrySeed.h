#pragma once
// What a new registry holds on first start: the national chart of accounts offered to new
// firms, the VAT document kinds and the seven VAT supply kinds.
#include <span>

namespace RegistrySeed {

struct ChartAccount {
    int S_UNo;
    int S_Act_Pas_Type;  // 1 active, 2 passive, 3 active/passive
    int S_Kol_Val_Type;  // 1 value, 2 quantity, 3 currency
    bool Checked;        // ticked for a new firm by default
    const char *S_Name;  // UTF-8, at most 55 characters
};

struct VatDocKind {
    int Doc_DDS_No;
    const char *Doc_Name;  // UTF-8, at most 40 characters
};

struct SupplyKind {
    int Dost_No;  // also stored as Dost_DnNo
    const char *Dost_Name;
};

std::span<const ChartAccount> NationalChart();
std::span<const VatDocKind> VatDocKinds();
std::span<const SupplyKind> SupplyKinds();

}  // namespace RegistrySeed
