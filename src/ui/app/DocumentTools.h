#pragma once
// The tools the main window shows while a folder's documents are open: the folder drop-down,
// whose caption names the chosen folder, the search box for a printed document number and the
// filter menu, whose caption tells the filter in force.
#include "accounts/FolderStore.h"
#include "posting/Documents.h"

#include <QWidget>

class QLineEdit;
class QMenu;
class QToolButton;

class DocumentTools : public QWidget {
    Q_OBJECT
public:
    explicit DocumentTools(QWidget *parent = nullptr);

    void setFolders(const QList<NomPapRow> &folders);
    // The caption of the folder button: the folder's name, shortened as the button needs.
    void setFolder(const QString &name);
    void setFilterStatus(const QString &text);

    QToolButton *folderButton() const { return m_folder; }
    QMenu *folderMenu() const { return m_folders; }
    QLineEdit *searchBox() const { return m_search; }
    QToolButton *filterButton() const { return m_filter; }
    QMenu *filterMenu() const { return m_filters; }

signals:
    void folderChosen(int folder);
    void searchRequested(const QString &text);
    void filterChosen(DocumentFilter filter);

private:
    QToolButton *m_folder;
    QMenu *m_folders;
    QLineEdit *m_search;
    QToolButton *m_filter;
    QMenu *m_filters;
};
