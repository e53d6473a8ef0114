#include "posting/DocumentBrowser.h"

#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/AccountTotals.h"

DocumentBrowser::DocumentBrowser(Db &db, int folder) : m_db(db), m_folder(folder) {}

QList<NomPRow> DocumentBrowser::rows() const
{
    QList<NomPRow> rows = m_docs;
    if (m_state == EditState::Insert && m_row)
        rows.append(*m_row);
    else if (m_row && m_index >= 0 && m_index < rows.size())
        rows[m_index] = *m_row;
    return rows;
}

int DocumentBrowser::indexOf(int docNo) const
{
    for (int i = 0; i < m_docs.size(); ++i)
        if (m_docs[i].Nom_Doc_No == docNo)
            return i;
    return -1;
}

void DocumentBrowser::reload(std::optional<int> docNo)
{
    if (!docNo && m_row && m_state != EditState::Insert)
        docNo = m_row->Nom_Doc_No;
    m_docs = Documents::OfFolder(m_db, m_folder, m_filter);
    if (m_state == EditState::Insert) {
        m_index = int(m_docs.size());
        return;
    }
    const int found = docNo ? indexOf(*docNo) : -1;
    if (m_state == EditState::Edit) {
        if (found >= 0) {
            m_index = found;
            return;
        }
        // The document went while it was typed (another copy deleted it): the edit goes with it.
        m_lock.release();
        m_state = EditState::Browse;
    }
    m_index = found >= 0 ? found : (m_docs.isEmpty() ? -1 : 0);
    m_row = m_index >= 0 ? std::optional<NomPRow>(m_docs[m_index]) : std::nullopt;
}

bool DocumentBrowser::canLeave() const { return Documents::CanLeave(m_db, m_row); }

bool DocumentBrowser::postPending()
{
    if (!editing() || !m_row)
        return true;
    const QString problem = Documents::Problem(*m_row);
    if (!problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    Documents::SaveInFolder(m_db, *m_row, m_state == EditState::Insert);
    m_state = EditState::Browse;
    m_lock.release();
    reload(m_row->Nom_Doc_No);
    return true;
}

bool DocumentBrowser::leave() { return canLeave() && postPending(); }

bool DocumentBrowser::select(int docNo)
{
    const int index = indexOf(docNo);
    if (index < 0)
        return false;
    m_index = index;
    m_row = m_docs[index];
    return true;
}

bool DocumentBrowser::moveTo(int index)
{
    if (index == m_index)
        return true;
    const QList<NomPRow> listed = rows();
    if (index < 0 || index >= listed.size())
        return false;
    return moveToDocument(listed[index].Nom_Doc_No);
}

bool DocumentBrowser::moveToDocument(int docNo)
{
    if (m_row && m_row->Nom_Doc_No == docNo)
        return true;
    return leave() && select(docNo);
}

bool DocumentBrowser::changeFolder(int folder)
{
    if (!leave())
        return false;
    m_folder = folder;
    m_row.reset();
    reload();
    return true;
}

DocumentFilter DocumentBrowser::applyFilter(DocumentFilter filter)
{
    if (!leave())
        return m_filter;
    if (filter != DocumentFilter::All && Documents::OfFolder(m_db, m_folder, filter).isEmpty()) {
        Messages::show(NoDocumentsForFilter);
        filter = DocumentFilter::All;
    }
    m_filter = filter;
    reload();
    return m_filter;
}

bool DocumentBrowser::search(const QString &text)
{
    if (!leave())
        return false;
    bool number = false;
    text.trimmed().toLongLong(&number);
    if (!number)
        return false;
    const auto docNo = Documents::FindByPrintedNumber(m_docs, text);
    if (!docNo) {
        Messages::show(DocumentNotFound);
        return false;
    }
    return select(*docNo);
}

std::optional<LockHolder> DocumentBrowser::edit(const std::function<void(NomPRow &)> &change)
{
    if (!m_row)
        return std::nullopt;
    if (m_state == EditState::Browse) {
        if (auto holder = RecordLock::Acquire(m_db, Documents::LockTable, Documents::LockKey(m_row->Nom_Doc_No), m_lock))
            return holder;
        // The document as it is now, not as it was listed: another copy may have changed it
        // before this one took the lock.
        const auto now = Documents::Find(m_db, m_row->Nom_Doc_No);
        if (!now) {
            m_lock.release();
            reload();
            throw MyException(DocumentNotFound);
        }
        m_row = *now;
        m_state = EditState::Edit;
    }
    change(*m_row);
    return std::nullopt;
}

bool DocumentBrowser::newDocument(const QDate &today)
{
    if (!leave())
        return false;
    m_filter = DocumentFilter::All;
    NomPRow fresh = Documents::NewDocument(m_db, m_folder, ReadPeriod(m_db), today);
    m_beforeInsert = m_row ? std::optional<int>(m_row->Nom_Doc_No) : std::nullopt;
    m_row = fresh;
    m_state = EditState::Insert;
    reload();
    return true;
}

bool DocumentBrowser::post()
{
    if (!m_row || !canLeave())
        return false;
    return postPending();
}

void DocumentBrowser::cancel()
{
    if (m_state == EditState::Insert) {
        m_state = EditState::Browse;
        m_row.reset();
        reload(m_beforeInsert);
    } else if (m_state == EditState::Edit) {
        m_lock.release();
        m_state = EditState::Browse;
        const int docNo = m_row->Nom_Doc_No;
        m_row.reset();
        reload(docNo);
    }
}

bool DocumentBrowser::deleteDocument()
{
    if (!m_row || !Messages::confirmed(DocumentDeleteQuestion))
        return false;
    if (m_state == EditState::Insert) {
        cancel();  // never saved
        return true;
    }
    const int docNo = m_row->Nom_Doc_No;
    std::optional<int> neighbour;
    if (m_index + 1 < m_docs.size())
        neighbour = m_docs[m_index + 1].Nom_Doc_No;
    else if (m_index > 0)
        neighbour = m_docs[m_index - 1].Nom_Doc_No;
    const auto reread = [this](std::optional<int> at) {
        m_lock.release();
        m_state = EditState::Browse;
        m_row.reset();
        reload(at);
    };
    try {
        Documents::DeleteDocument(m_db, docNo);
    } catch (...) {
        reread(docNo);
        throw;
    }
    reread(neighbour);
    return true;
}

bool DocumentBrowser::deleteGroup(int group)
{
    if (!m_row || Documents::LineCount(m_db, m_row->Nom_Doc_No) == 0 || !Messages::confirmed(GroupDeleteQuestion))
        return false;
    Documents::DeleteGroup(m_db, m_row->Nom_Doc_No, group);
    // The group may have carried the document's VAT data, which the delete cleared.
    if (const auto now = Documents::Find(m_db, m_row->Nom_Doc_No)) {
        NomPRow row = *now;
        if (editing()) {
            row.Nom_DDoc_No = m_row->Nom_DDoc_No;
            row.Nom_Doc_Date = m_row->Nom_Doc_Date;
            row.dateTyped = m_row->dateTyped;
            row.Nom_Doc_Osno = m_row->Nom_Doc_Osno;
            row.Nom_DocNo_Link = m_row->Nom_DocNo_Link;
        } else if (m_index >= 0 && m_index < m_docs.size()) {
            m_docs[m_index] = row;
        }
        m_row = row;
    }
    return true;
}

bool DocumentBrowser::beginWizard(bool clearFilter)
{
    if (!m_row)
        return false;
    if (clearFilter && m_filter != DocumentFilter::All) {
        m_filter = DocumentFilter::All;
        reload();
    }
    if (editing()) {
        const QString problem = Documents::Problem(*m_row);
        if (!problem.isEmpty()) {
            Messages::show(problem);
            return false;
        }
        const bool isNew = m_state == EditState::Insert;
        Documents::SaveInFolder(m_db, *m_row, isNew);
        if (isNew)
            m_provisional = m_row;
        m_state = EditState::Browse;
        reload(m_row->Nom_Doc_No);
    }
    if (!m_lock.held()) {
        if (const auto holder =
                RecordLock::Acquire(m_db, Documents::LockTable, Documents::LockKey(m_row->Nom_Doc_No), m_lock)) {
            Messages::show(LockMessage(DocumentLockPrefix, *holder));
            return false;
        }
    }
    return true;
}

void DocumentBrowser::endWizard(bool saved)
{
    m_lock.release();
    const auto provisional = std::exchange(m_provisional, std::nullopt);
    if (provisional && !saved && Documents::LineCount(m_db, provisional->Nom_Doc_No) == 0) {
        Documents::DeleteDocument(m_db, provisional->Nom_Doc_No);
        m_row = provisional;
        m_state = EditState::Insert;
        reload();
        return;
    }
    reload(m_row ? std::optional<int>(m_row->Nom_Doc_No) : std::nullopt);
}
