#include "statements/IncludeRowsEdit.h"

#include "engine/Db.h"
#include "engine/Messages.h"

#include <QSet>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
QString LockKey(int lineNo) { return QString::number(lineNo); }

QVariantList Values(StatementType type, const IncludeRow &r)
{
    QVariantList v{r.OPR_Pok_No, r.OPR_Account_Type, r.OPR_Account_No};
    for (int lot : r.OPR_Account_An)
        v << lot;
    v << r.OPR_AccCor_No;
    for (int lot : r.OPR_AccCor_An)
        v << lot;
    v << r.OPR_ConstValue;
    if (HasCorrection(type))
        v << r.OPR_Kor;
    return v;
}

QString Fields(StatementType type)
{
    return u"OPR_Pok_No, OPR_Account_Type, OPR_Account_No, OPR_Account_An1, OPR_Account_An2, OPR_Account_An3, "
           "OPR_Account_An4, OPR_Account_An5, OPR_AccCor_No, OPR_AccCor_An1, OPR_AccCor_An2, OPR_AccCor_An3, "
           "OPR_AccCor_An4, OPR_AccCor_An5, OPR_ConstValue"_s
           + (HasCorrection(type) ? u", OPR_Kor"_s : QString());
}
}  // namespace

IncludeRowsEdit::IncludeRowsEdit(Db &firm, StatementType type, int lineNo) : m_db(firm), m_type(type), m_line(lineNo) {}

bool IncludeRowsEdit::open()
{
    if (const auto holder = RecordLock::Acquire(m_db, IncludeTableOf(m_type), LockKey(m_line), m_lock)) {
        Messages::show(LockMessage(RecordLockPrefix, *holder));
        return false;
    }
    m_original = ReadIncludeRows(m_db, m_type, m_line);
    m_rows = m_original;
    return true;
}

void IncludeRowsEdit::add(IncludeRow row)
{
    row.OPR_ID = 0;
    row.OPR_Pok_No = m_line;
    if (!HasCorrection(m_type))
        row.OPR_Kor = 0;
    m_rows << row;
}

void IncludeRowsEdit::replace(int index, IncludeRow row)
{
    if (index < 0 || index >= m_rows.size())
        return;
    row.OPR_ID = m_rows[index].OPR_ID;
    row.OPR_Pok_No = m_line;
    if (!HasCorrection(m_type))
        row.OPR_Kor = 0;
    m_rows[index] = row;
}

void IncludeRowsEdit::remove(int index)
{
    if (index >= 0 && index < m_rows.size())
        m_rows.removeAt(index);
}

QString IncludeRowsEdit::RowProblem(const IncludeRow &row)
{
    const int kind = row.OPR_Account_Type;
    if (kind >= IncludeKind::OpeningDebit && kind <= IncludeKind::ClosingCredit)
        return row.OPR_Account_No != 0 ? QString() : PickAccountRowMessage;
    if (kind == IncludeKind::Correspondence)
        return row.OPR_Account_No != 0 && row.OPR_AccCor_No != 0 ? QString() : PickAccountRowMessage;
    if (kind == IncludeKind::CurrentConstant || kind == IncludeKind::PreviousYear)
        // Whole amounts only count here: 0.4 is refused although the wizard takes it.
        return std::round(row.OPR_ConstValue) != 0 ? QString() : PickAmountMessage;
    return UnknownRowKindMessage;
}

int IncludeRowsEdit::firstProblemRow() const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (!RowProblem(m_rows[i]).isEmpty())
            return i;
    return -1;
}

void IncludeRowsEdit::write()
{
    const QString table = IncludeTableOf(m_type);
    QSet<int> kept;
    for (const IncludeRow &r : m_rows)
        if (r.OPR_ID != 0)
            kept.insert(r.OPR_ID);
    for (const IncludeRow &r : m_original)
        if (!kept.contains(r.OPR_ID))
            m_db.exec(u"delete from "_s + table + u" where OPR_ID = ?"_s, {r.OPR_ID});
    const QString fields = Fields(m_type);
    const QStringList names = fields.split(u", "_s);
    QStringList sets;
    for (const QString &name : names)
        sets << name + u" = ?"_s;
    for (const IncludeRow &r : m_rows) {
        if (r.OPR_ID == 0) {
            m_db.exec(u"insert into "_s + table + u" ("_s + fields + u") values ("_s
                          + QStringList(names.size(), u"?"_s).join(u", "_s) + u")"_s,
                      Values(m_type, r));
            continue;
        }
        const auto before = std::find_if(m_original.begin(), m_original.end(),
                                         [&r](const IncludeRow &o) { return o.OPR_ID == r.OPR_ID; });
        if (before != m_original.end() && *before == r)
            continue;
        m_db.exec(u"update "_s + table + u" set "_s + sets.join(u", "_s) + u" where OPR_ID = ?"_s,
                  Values(m_type, r) << r.OPR_ID);
    }
}

bool IncludeRowsEdit::save()
{
    if (const int bad = firstProblemRow(); bad >= 0) {
        Messages::show(RowProblem(m_rows[bad]));
        return false;
    }
    {
        Transaction tx(m_db);
        // Written only over the rows this editor read: a repeat closing or a restore of the
        // defaults may have replaced them since, and edits by row number would then miss or
        // double them.
        if (ReadIncludeRows(m_db, m_type, m_line) != m_original) {
            Messages::show(LineChangedMessage);
            return false;
        }
        write();
        tx.commit();
    }
    m_original = ReadIncludeRows(m_db, m_type, m_line);
    m_rows = m_original;
    m_lock.release();
    return true;
}

void IncludeRowsEdit::cancel()
{
    m_rows = m_original;
    m_lock.release();
}
