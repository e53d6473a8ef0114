#pragma once
// The default lines of the balance sheet, income statement and cash-flow statement and their
// default include rows ship with the program as resources. The registry's line tables and its
// include-row templates are filled from them where they are empty; a firm's include tables start
// from the registry's templates, once per firm file, so rows a user removed later stay removed.
#include <QString>
#include <QStringList>

class Db;

namespace StatementDefaults {

// The registry's line tables and the include-row templates, each named as in both files.
const QStringList &LineTables();     // BALANS, OPR, OPP
const QStringList &IncludeTables();  // balans_data, opr_data, opp_data

// Writes the shipped rows into every one of the six registry tables that is empty. The caller
// holds the write transaction (a registry being created).
void WriteEmptyRegistryTables(Db &registry);
// The same in a transaction of its own, for a registry made before the defaults shipped.
void FillEmptyRegistryTables(Db &registry);

// A firm file that has not had its defaults yet gets the registry's template rows in each of its
// include tables that is empty, and is marked so that this happens once.
void FillFirmOnce(Db &firm, Db &registry);
// Marks a firm file as having had its defaults (a new firm copies the templates itself). The
// caller holds the write transaction.
void MarkFirmFilled(Db &firm);

// The rows of the registry's template `includeTable`, ready to be written into a firm file.
struct TemplateRows {
    QStringList fields;
    QList<QVariantList> rows;
};
TemplateRows ReadTemplate(Db &registry, const QString &includeTable);
// Writes the template rows into the firm's table of the same name; the caller holds the write
// transaction and has emptied the table.
void WriteTemplate(Db &firm, const QString &includeTable, const TemplateRows &rows);

}  // namespace StatementDefaults
