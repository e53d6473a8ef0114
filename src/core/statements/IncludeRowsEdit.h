#pragma once
// The include rows of one statement line while the line settings window edits them: additions,
// changes and deletions are held here and reach the table only on "Запис", all in one
// transaction; "Отказ" drops them. The line is locked against other copies of the program while
// the window is open, so two users never overwrite each other's settings.
#include "firm/RecordLocks.h"
#include "statements/StatementTables.h"

inline const QString LineChangedMessage = QStringLiteral(
    "Данните на реда са променени от друг потребител, докато бяха отворени тук; отворете ги отново!");

class IncludeRowsEdit {
public:
    IncludeRowsEdit(Db &firm, StatementType type, int lineNo);

    // Reads the line's rows and takes the line's lock; false (after showing who holds it) when
    // another user edits the same line.
    bool open();

    StatementType type() const { return m_type; }
    int lineNo() const { return m_line; }
    const QList<IncludeRow> &rows() const { return m_rows; }
    bool changed() const { return m_rows != m_original; }

    // The row is given the line's number; a new row has no OPR_ID yet.
    void add(IncludeRow row);
    void replace(int index, IncludeRow row);
    // Nothing happens for an index outside the rows.
    void remove(int index);

    // "Посочете сметка!", "Посочете сума!", "Непознат тип данни!" or an empty text.
    static QString RowProblem(const IncludeRow &row);
    // The index of the first failing row, or -1.
    int firstProblemRow() const;

    // "Запис": the first failing row stops it with its message; otherwise every change is written
    // in one transaction. True when saved; after a failure the table is as it was.
    bool save();
    // "Отказ": the changes are dropped.
    void cancel();

private:
    void write();

    Db &m_db;
    StatementType m_type;
    int m_line;
    QList<IncludeRow> m_original;
    QList<IncludeRow> m_rows;
    RecordLock m_lock;
};

inline const QString PickAccountRowMessage = QStringLiteral("Посочете сметка!");
inline const QString PickAmountMessage = QStringLiteral("Посочете сума!");
inline const QString UnknownRowKindMessage = QStringLiteral("Непознат тип данни!");
