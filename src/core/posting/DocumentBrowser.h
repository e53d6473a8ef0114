#pragma once
// The documents of one folder as the documents window moves through them: the current document
// as typed, its edit state, and the lock on its row while it is edited. Every move away from a
// document runs the leave check and posts a pending edit first, so no document is left without
// its number, its date or (for the kinds that need them) its journal lines.
#include "accounts/NomRules.h"
#include "firm/RecordLocks.h"
#include "posting/Documents.h"

#include <QDate>
#include <functional>
#include <optional>

class Db;

inline const QString DocumentDeleteQuestion =
    QStringLiteral("Документа ще бъде изтрит!\rНатиснете ОК за потвърждение");
inline const QString GroupDeleteQuestion = QStringLiteral("Статията ще бъде изтрита!\rНатиснете ОК за потвърждение");
inline const QString NoDocumentsForFilter =
    QStringLiteral("Няма документи, които да отговарят на зададеното условие!");

class DocumentBrowser {
public:
    DocumentBrowser(Db &db, int folder);

    int folder() const { return m_folder; }
    DocumentFilter filter() const { return m_filter; }
    EditState state() const { return m_state; }
    bool editing() const { return m_state == EditState::Edit || m_state == EditState::Insert; }
    // The folder's documents under the filter, the current one as typed, a new one last.
    QList<NomPRow> rows() const;
    int currentIndex() const { return m_index; }
    const std::optional<NomPRow> &current() const { return m_row; }

    // Re-reads the folder's documents and stays on `docNo` (by default the current document),
    // or goes to the first. A document being typed stays as typed.
    void reload(std::optional<int> docNo = std::nullopt);

    // The leave check on the document as typed; shows the reason when it fails.
    bool canLeave() const;
    // The leave check, then a pending edit posted; false when the document has to stay.
    bool leave();
    bool moveTo(int index);
    bool moveToDocument(int docNo);
    bool changeFolder(int folder);
    // The filter in force afterwards: one that leaves no document is shown as such and removed.
    DocumentFilter applyFilter(DocumentFilter filter);
    // The search tool: a whole number is looked up among the printed numbers of the list.
    bool search(const QString &text);

    // A change typed into the document. The row goes into edit state first, under its lock; when
    // another copy of the program edits the document, its holder is answered and nothing changes.
    std::optional<LockHolder> edit(const std::function<void(NomPRow &)> &change);
    // "Нов документ": the next internal number and the default date, not saved until posted.
    bool newDocument(const QDate &today = QDate::currentDate());
    bool post();    // "Запис"
    void cancel();  // "Отказ"
    bool deleteDocument();
    bool deleteGroup(int group);

    // The journal entry wizard reads the document from the firm, so a typed document is saved
    // first (false, with the reason shown, when it cannot be); its row stays locked until
    // endWizard. A new document the wizard left without lines goes back to being typed.
    bool beginWizard(bool clearFilter);
    void endWizard(bool saved);

private:
    bool postPending();
    bool select(int docNo);
    int indexOf(int docNo) const;

    Db &m_db;
    int m_folder;
    DocumentFilter m_filter = DocumentFilter::All;
    QList<NomPRow> m_docs;
    int m_index = -1;
    std::optional<NomPRow> m_row;
    EditState m_state = EditState::Browse;
    std::optional<int> m_beforeInsert;
    std::optional<NomPRow> m_provisional;
    RecordLock m_lock;
};
