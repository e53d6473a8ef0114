#include "app/DocumentTools.h"

#include "shell/MainWindowModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;

DocumentTools::DocumentTools(QWidget *parent)
    : QWidget(parent),
      m_folder(new QToolButton(this)),
      m_folders(new QMenu(this)),
      m_search(new QLineEdit(this)),
      m_filter(new QToolButton(this)),
      m_filters(new QMenu(this))
{
    m_folder->setText(u"Папки"_s);
    m_folder->setToolTip(u"Папки"_s);
    m_folder->setPopupMode(QToolButton::InstantPopup);
    m_folder->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_folder->setMenu(m_folders);
    m_folder->setMinimumWidth(150);

    m_search->setToolTip(u"Документ No:"_s);
    m_search->setMaximumWidth(140);
    m_search->setMaxLength(11);

    m_filter->setPopupMode(QToolButton::InstantPopup);
    m_filter->setMenu(m_filters);
    m_filter->setMinimumWidth(150);
    for (const DocumentFilterEntry &entry : DocumentFilterEntries()) {
        QAction *action = m_filters->addAction(entry.menuCaption);
        connect(action, &QAction::triggered, this, [this, filter = entry.filter] { emit filterChosen(filter); });
    }
    setFilterStatus(DocumentFilterStatus(DocumentFilter::All));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 8, 2);
    row->addWidget(m_folder);
    row->addSpacing(12);
    row->addWidget(new QLabel(u"Документ No:"_s, this));
    row->addWidget(m_search);
    row->addSpacing(12);
    row->addWidget(m_filter);
    row->addStretch(1);

    connect(m_search, &QLineEdit::returnPressed, this, [this] { emit searchRequested(m_search->text()); });
}

void DocumentTools::setFolders(const QList<NomPapRow> &folders)
{
    m_folders->clear();
    for (const NomPapRow &f : folders) {
        QAction *action = m_folders->addAction(f.Nom_Pap_Name);
        connect(action, &QAction::triggered, this, [this, folder = f.Nom_Pap_No] { emit folderChosen(folder); });
    }
}

void DocumentTools::setFolder(const QString &name) { m_folder->setText(Documents::FolderCaption(name)); }

void DocumentTools::setFilterStatus(const QString &text) { m_filter->setText(text); }
