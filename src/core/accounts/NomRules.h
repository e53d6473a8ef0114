#pragma once
// Rules of the level, lot and folder editor, usable without a window. Levels and folders are
// numbered max + 1 over their table; list and goods lots max + 1 within their level;
// counterparties max + 1 over the whole of kontra, so a counterparty number alone names one.
#include "accounts/LevelStore.h"

#include <QList>
#include <QString>

class Db;
class TDM;

namespace NomKind {
inline constexpr int Level = 0;
inline constexpr int Lot = 1;
inline constexpr int Folder = 2;
}  // namespace NomKind

// The table state an editor's title strip shows.
enum class EditState { Inactive, Browse, Edit, Insert };
QString StateCaption(EditState state);

namespace NomRules {

inline const QString NameMissingMessage = QStringLiteral("Въведете наименование!");
inline const QString UndefinedOperation = QStringLiteral("Недефинирана операция!");
inline const QString LevelNotFoundMessage = QStringLiteral("Избраното аналитично ниво не е открито!");

// One level, lot or folder as the editor holds it. Lots carry their level and its type, which
// decides the table (nomel or kontra) and the extra fields shown.
struct NomItem {
    int kind = NomKind::Level;
    int level = 0;              // lots: the level they belong to
    int type = NomType::List;   // levels: Nom_Type; lots: their level's type
    int number = 0;             // Nom_No, NomEl_No or Nom_Pap_No
    QString name;
    QString med, invNo;                                   // goods lots
    QString dn, bs, sity, adres, tel, other, bancAcc;     // counterparties
};

QString Caption(int kind);
QString HelpText(int kind);
// The level types the editor offers for a new level: list and counterparties.
QList<int> NewLevelTypes();
// The name under which an existing level's type is shown in the editor.
QString TypeCaption(int type);

// The table an item lives in ("nom", "nomel", "kontra", "nom_pap"); empty for a lot of a level
// without lots.
QString TableOf(const NomItem &item);
QString LockKey(const NomItem &item);

// The next free number; throws MyException with the numbering message when it cannot be had.
int NextNumber(TDM &dm, int kind, int level);
// A new, numbered item. A lot of a missing level or of a level without lots is refused with
// "Недефинирана операция!".
NomItem NewItem(TDM &dm, int kind, int level);
std::optional<NomItem> Load(Db &db, int kind, int level, int number);

// The blank-name check; an empty text when the item may be saved.
QString Check(const NomItem &item);

struct SaveResult {
    QString message;  // why nothing was written
    int number = 0;   // the saved item's number
};
// Writes the item in one go. A new item whose number another copy of the program took in the
// meantime gets the next free one.
SaveResult Save(TDM &dm, const NomItem &item, bool adding);

}  // namespace NomRules
