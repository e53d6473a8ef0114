#include "help/THelpForm.h"

#include "shell/HelpTopics.h"
#include "widgets/Accelerators.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString PagesRoot = u":/help/pages/"_s;
const QString Caption = u"Помощ"_s;
QPointer<THelpForm> g_help;

QString FileOf(const QString &page) { return page.section(u'#', 0, 0); }
}  // namespace

QString THelpForm::ResourceOf(const QString &page) { return PagesRoot + FileOf(page); }

QString THelpForm::PageText(const QString &page)
{
    static QHash<QString, QString> texts;
    const QString file = FileOf(page);
    if (const auto cached = texts.constFind(file); cached != texts.constEnd())
        return *cached;
    QFile resource(ResourceOf(file));
    QString text;
    if (resource.open(QIODevice::ReadOnly)) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(resource.readAll()));
        text = document.toPlainText();
    }
    texts.insert(file, text);
    return text;
}

THelpForm *THelpForm::Current() { return g_help; }

THelpForm *THelpForm::Open(const QString &page)
{
    // Over a modal window the help must be that window's own, or the modality would block it.
    QWidget *owner = QApplication::activeModalWidget();
    if (g_help && g_help->parentWidget() != owner)
        delete g_help;
    if (!g_help)
        g_help = new THelpForm(owner);
    g_help->showPage(page);
    g_help->show();
    g_help->raise();
    g_help->activateWindow();
    return g_help;
}

THelpForm::THelpForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Caption);

    m_back = new QPushButton(u"Назад"_s, this);
    m_forward = new QPushButton(u"Напред"_s, this);
    m_home = new QPushButton(u"Съдържание"_s, this);
    SetCommandKey(m_back, QKeySequence(Qt::ALT | Qt::Key_Left));
    SetCommandKey(m_forward, QKeySequence(Qt::ALT | Qt::Key_Right));
    m_close = new QPushButton(u"Затваряне"_s, this);
    SetCommandKey(m_home, QKeySequence(Qt::ALT | Qt::Key_Home));
    SetCommandKey(m_close, QKeySequence(Qt::Key_Escape));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch(1);
    buttons->addWidget(m_close);

    m_tabs = new QTabWidget(this);
    m_contents = new QTreeWidget(m_tabs);
    m_contents->setHeaderHidden(true);
    buildContents();
    auto *searchPage = new QWidget(m_tabs);
    m_searchBox = new QLineEdit(searchPage);
    m_searchBox->setPlaceholderText(u"Дума или част от дума"_s);
    m_searchButton = new QPushButton(u"Търсене"_s, searchPage);
    m_results = new QListWidget(searchPage);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchBox, 1);
    searchRow->addWidget(m_searchButton);
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    searchLayout->addWidget(new QLabel(u"Търсене в ръководството:"_s, searchPage));
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(m_results, 1);
    m_tabs->addTab(m_contents, u"Съдържание"_s);
    m_tabs->addTab(searchPage, u"Търсене"_s);

    m_browser = new QTextBrowser(this);
    m_browser->setSearchPaths({PagesRoot});
    m_browser->setOpenExternalLinks(false);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(m_back, &QPushButton::clicked, this, &THelpForm::back);
    connect(m_forward, &QPushButton::clicked, this, &THelpForm::forward);
    connect(m_home, &QPushButton::clicked, this, &THelpForm::home);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelpForm::sourceChanged);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_contents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QString page = item->data(0, Qt::UserRole).toString();
        if (!page.isEmpty())
            showPage(page);
    });
    connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        emit m_contents->itemActivated(item, 0);
    });
    connect(m_searchBox, &QLineEdit::returnPressed, this, [this] { search(m_searchBox->text()); });
    connect(m_searchButton, &QPushButton::clicked, this, [this] { search(m_searchBox->text()); });
    connect(m_results, &QListWidget::itemActivated, this, &THelpForm::openResult);
    connect(m_results, &QListWidget::itemClicked, this, &THelpForm::openResult);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    resize(920, 640);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void THelpForm::buildContents()
{
    QTreeWidgetItem *section = nullptr;
    for (const HelpTopic &topic : HelpTopics()) {
        if (!section || section->text(0) != topic.section) {
            section = new QTreeWidgetItem(m_contents, {topic.section});
            section->setExpanded(true);
        }
        auto *item = new QTreeWidgetItem(section, {topic.title});
        item->setData(0, Qt::UserRole, topic.page);
    }
    m_contents->expandAll();
}

void THelpForm::showPage(const QString &page)
{
    const QString wanted = HelpTitleOfPage(page).isEmpty() ? HelpStartPage() : page;
    const QString file = FileOf(wanted);
    const QString place = wanted.section(u'#', 1);
    QUrl url(u"qrc"_s + ResourceOf(file));
    if (!place.isEmpty())
        url.setFragment(place);
    m_browser->setSource(url);
    sourceChanged();  // also when only the place on the page changed
}

QString THelpForm::currentPage() const
{
    const QUrl url = m_browser->source();
    const QString file = url.path().section(u'/', -1);
    return url.hasFragment() ? file + u'#' + url.fragment() : file;
}

void THelpForm::sourceChanged()
{
    const QString title = HelpTitleOfPage(currentPage());
    setWindowTitle(title.isEmpty() ? Caption : Caption + u" - "_s + title);
    // The contents follow the page shown.
    const QString file = FileOf(currentPage());
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == file) {
            m_contents->setCurrentItem(*it);
            break;
        }
}

QStringList THelpForm::search(const QString &query)
{
    QList<HelpText> pages;
    for (const HelpTopic &topic : HelpTopics())
        pages.append({topic.page, topic.title, PageText(topic.page)});
    m_results->clear();
    QStringList titles;
    for (const QString &page : SearchHelp(pages, query)) {
        auto *item = new QListWidgetItem(HelpTitleOfPage(page), m_results);
        item->setData(Qt::UserRole, page);
        titles << item->text();
    }
    if (titles.isEmpty() && !query.trimmed().isEmpty())
        new QListWidgetItem(u"Няма страници с търсения текст."_s, m_results);
    m_tabs->setCurrentIndex(1);
    return titles;
}

void THelpForm::openResult()
{
    const QListWidgetItem *item = m_results->currentItem();
    if (item && !item->data(Qt::UserRole).toString().isEmpty())
        showPage(item->data(Qt::UserRole).toString());
}

void THelpForm::back() { m_browser->backward(); }

void THelpForm::forward() { m_browser->forward(); }

void THelpForm::home() { showPage(HelpStartPage()); }
