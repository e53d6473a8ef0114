#pragma once
// Operation templates in op, opeldt and opelkt: the list, one template with its elements, the
// save and the delete, each in one write transaction. Identifiers of templates and elements come
// from the shared counter when they are created, and are consumed even when the editor cancels.
#include "posting/OpTemplate.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Db;
class TFD;
class TDM;

struct OpListRow {
    int Op_id = 0;
    int Pap_Id = 0;
    QString Op_Name;
    QString folderName;  // empty when the folder is gone
};

// An element as stored, with its kind (OpEl_Type).
struct StoredOpElement {
    OpElement element;
    int type = 0;
};

inline const QString OpRetryMessage = QStringLiteral("Опитайте отново!");
inline const QString OpDeleteQuestion = QStringLiteral("Желаете ли изтриване на операцията?");
inline const QString OpNotFoundMessage = QStringLiteral("Операцията не е намерена!");

namespace OpTemplateStore {

inline const QString LockTable = QStringLiteral("op");
QString LockKey(int opId);

// Every template, in the order of its number.
QList<OpListRow> All(Db &db);
// The elements of one side of a template, in the order of their numbers.
QList<StoredOpElement> Elements(Db &db, int opId, bool debit);
// A template with its elements in their grids; nothing when it is gone. Elements of an unknown
// kind are left out.
std::optional<OpTemplate> Load(Db &db, int opId);

// A new template of `folder` (0: none yet) with its number drawn.
OpTemplate New(TFD &fd, TDM &dm, int folder);
OpElement NewElement(TFD &fd, TDM &dm, bool debit);

// Writes the template's row and replaces its elements in one write transaction. While another
// transaction is active it shows "Опитайте отново!" and answers false; a folder deleted meanwhile
// by another copy of the program shows "Папката не е намерена!" and answers false, writing
// nothing; a failure in the database leaves the tables as they were and is raised.
bool Save(Db &db, const OpTemplate &op);

// Deletes a folder's templates with their elements, inside the caller's transaction: templates
// go with their folder, and a new folder that takes its number starts without them.
void DeleteOfFolder(Db &db, int folder);

// "Изтриване" of the list: asks, then deletes the elements and the template in one transaction.
// A template another copy of the program is editing is not deleted (its holder is named).
bool Delete(Db &db, int opId);

// The templates that name the account in an element: "<template> (<folder>)", by name.
QStringList NamingAccount(Db &db, int account);

}  // namespace OpTemplateStore
