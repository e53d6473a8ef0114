#include "app/TForm1.h"

#include "accounts/FolderStore.h"
#include "app/DocumentTools.h"
#include "app/MainWindowPanels.h"
#include "app/TErrorHook.h"
#include "app/TSplashForm.h"
#include "closing/ConversionReport.h"
#include "closing/TFinishForm.h"
#include "closing/YearClosing.h"
#include "engine/Engine.h"
#include "engine/Formats.h"
#include "engine/Messages.h"
#include "engine/Settings.h"
#include "firm/TDM.h"
#include "firms/TFirmDataEditForm.h"
#include "firms/TFirmForm.h"
#include "help/HelpSystem.h"
#include "posting/TTranForm.h"
#include "registry/FirmChoice.h"
#include "registry/TFD.h"
#include "reports/ReportList.h"
#include "reports/TViewerForm.h"
#include "shell/MainCommands.h"
#include "widgets/Accelerators.h"
#include "widgets/TitleStripDialog.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString NotAvailableHint = u"Не е налично в тази версия на програмата."_s;

enum DetailPage { AccountPage, SheetPage, EmptyPage };

QFont Bold(QFont font, int pointSize = 0)
{
    font.setBold(true);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}
}  // namespace

TForm1::TForm1(TFD &fd, TDM &dm, QWidget *parent) : QMainWindow(parent), m_fd(fd), m_dm(dm)
{
    setWindowTitle(Product::Title());
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBar());
    auto *work = new QHBoxLayout;
    work->setSpacing(0);
    work->addWidget(buildNavigation());
    work->addWidget(buildWorkArea(), 1);
    layout->addLayout(work, 1);
    setCentralWidget(central);
    resize(1024, 700);

    m_viewStyle = Settings::ListViewStyle();
    applyViewStyle();
    // The Alt keys work wherever the focus is, so the window looks at every key first.
    qApp->installEventFilter(this);
    setMode(MainMode::None);
}

TForm1::~TForm1() { qApp->removeEventFilter(this); }

void TForm1::setEditorHooks(EditorHooks hooks)
{
    m_hooks = std::move(hooks);
    updateButtons();
}

QWidget *TForm1::buildTopBar()
{
    auto *bar = new QFrame(this);
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(18);

    m_date = new QLabel(dateText(), bar);
    auto *about = new ClickLabel(u"За програмата"_s, bar);
    auto *quit = new ClickLabel(u"Изход"_s, bar);
    m_reportsLabel = new ClickLabel(u"Справки"_s, bar);
    auto *help = new ClickLabel(u"Помощ"_s, bar);
    m_header = new ClickLabel(QString(), bar);
    m_header->setFont(Bold(m_header->font()));
    for (QWidget *w : QList<QWidget *>{m_date, about, quit, m_reportsLabel, help})
        row->addWidget(w);
    row->addWidget(m_header, 1);

    // Keys of the commands whose captions have no letter free for an Alt accelerator.
    SetCommandKey(quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    SetCommandKey(help, QKeySequence(Qt::Key_F1), false);
    SetCommandKey(m_header, QKeySequence(Qt::CTRL | Qt::Key_F2));
    m_header->setToolTip(u"Данни на отворената фирма"_s + u'\n' + m_header->toolTip());
    connect(about, &ClickLabel::clicked, this, &TForm1::showAbout);
    connect(quit, &ClickLabel::clicked, this, &QWidget::close);
    connect(m_reportsLabel, &ClickLabel::clicked, this, &TForm1::showReportsMenu);
    connect(help, &ClickLabel::clicked, this, &TForm1::showHelp);
    connect(m_header, &ClickLabel::clicked, this, &TForm1::editOpenFirm);
    buildReportsMenu();
    return bar;
}

QWidget *TForm1::buildNavigation()
{
    auto *column = new QFrame(this);
    column->setFrameShape(QFrame::StyledPanel);
    column->setFixedWidth(190);
    auto *list = new QVBoxLayout(column);
    list->setContentsMargins(4, 8, 4, 8);
    for (const NavigationEntry &e : NavigationEntries()) {
        auto *button = new QPushButton(e.caption, column);
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(u"text-align: left; padding: 4px;"_s);
        // The window sees the Alt keys first (eventFilter), by the key pressed.
        SetCommandKey(button, QKeySequence(Qt::ALT | e.key), false);
        m_navigation << button;
        list->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, entry = e.entry] { runNavigation(entry); });
    }
    list->addStretch(1);
    return column;
}

QWidget *TForm1::buildListHeader()
{
    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 2, 8, 2);
    m_title = new QLabel(panel);
    m_title->setFont(Bold(m_title->font(), 12));
    m_viewButton = new QToolButton(panel);
    m_viewButton->setToolTip(u"Избор на изглед"_s);
    m_viewButton->setIcon(ListImageIcon(ListImage::Levels));
    m_viewButton->setPopupMode(QToolButton::InstantPopup);
    SetCommandKey(m_viewButton, QKeySequence(Qt::CTRL | Qt::Key_L));
    buildViewStyleMenu();
    // Blank on purpose: a click on it shows where the data comes from.
    auto *engine = new ClickLabel(QString(), panel);
    engine->setFixedWidth(24);
    engine->setCursor(Qt::ArrowCursor);
    SetCommandKey(engine, QKeySequence(Qt::CTRL | Qt::Key_F12));
    connect(engine, &ClickLabel::clicked, this, &TForm1::showEngineInformation);
    row->addWidget(m_title, 1);
    row->addWidget(m_viewButton);
    row->addWidget(engine);
    return panel;
}

QWidget *TForm1::buildButtons()
{
    auto *panel = new QWidget(this);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 8, 4);
    const auto make = [&](const QString &caption, void (TForm1::*command)()) {
        auto *button = new QPushButton(caption, panel);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, command);
        return button;
    };
    m_add = make(u"Добавяне"_s, &TForm1::addItem);
    m_edit = make(u"Редактиране"_s, &TForm1::editItem);
    m_delete = make(u"Изтриване"_s, &TForm1::deleteItem);
    m_balances = make(u"Начални салда"_s, &TForm1::balancesOrOperations);
    m_back = make(u"Назад"_s, &TForm1::goBack);
    // None of the letters of "Назад" is free of the navigation keys.
    SetCommandKey(m_back, QKeySequence(Qt::ALT | Qt::Key_Left));
    row->addStretch(1);
    return panel;
}

QWidget *TForm1::buildWorkArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(buildListHeader());

    m_details = new QStackedWidget(area);
    m_accountTabs = new QTabWidget(m_details);
    m_accountSheet = new DetailSheet(m_accountTabs);
    m_totals = new TotalsSheet(m_accountTabs);
    m_accountTabs->addTab(m_accountSheet, u"Наименование"_s);
    m_accountTabs->addTab(m_totals, u"Салда/Обороти"_s);
    m_sheet = new DetailSheet(m_details);
    m_details->insertWidget(AccountPage, m_accountTabs);
    m_details->insertWidget(SheetPage, m_sheet);
    m_details->insertWidget(EmptyPage, new QWidget(m_details));
    m_details->setFixedHeight(150);
    connect(m_accountTabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1 && m_mode == MainMode::Chart)
            RunGuarded([this] { showChartTotals(); });
    });
    layout->addWidget(m_details);
    layout->addWidget(buildButtons());
    layout->addWidget(buildPostingBar());

    m_pages = new QStackedWidget(area);
    m_list = new QListWidget(m_pages);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_contextMenu = new QMenu(this);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { RunGuarded([this] { listSelectionChanged(); }); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TForm1::activateItem);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { contextMenu()->popup(m_list->viewport()->mapToGlobal(at)); });

    m_balancesPage = new OpeningBalancesPage(m_pages);
    buildFilterMenu();
    connect(m_balancesPage, &OpeningBalancesPage::accountChanged, this,
            [this] { RunGuarded([this] { balanceAccountChanged(); }); });
    connect(m_balancesPage, &OpeningBalancesPage::rowChanged, this,
            [this] { RunGuarded([this] { balanceRowChanged(); }); });
    connect(m_balancesPage, &OpeningBalancesPage::accountEditRequested, this,
            [this](bool newAccount) { RunGuarded([&] { editAccountFromBalances(newAccount); }); });
    connect(m_balancesPage, &OpeningBalancesPage::rowActivated, this, &TForm1::editItem);
    QLineEdit *search = m_balancesPage->searchBox();
    connect(search, &QLineEdit::returnPressed, this, [this, search] { searchAccount(search->text()); });

    m_documentsDock = new QWidget(m_pages);
    auto *dock = new QVBoxLayout(m_documentsDock);
    dock->setContentsMargins(0, 0, 0, 0);

    m_statementsDock = new QWidget(m_pages);
    auto *statements = new QVBoxLayout(m_statementsDock);
    statements->setContentsMargins(0, 0, 0, 0);

    m_pages->addWidget(m_list);
    m_pages->addWidget(m_balancesPage);
    m_pages->addWidget(m_documentsDock);
    m_pages->addWidget(m_statementsDock);
    layout->addWidget(m_pages, 1);
    return area;
}

QWidget *TForm1::buildPostingBar()
{
    m_postingBar = new QWidget(this);
    auto *row = new QHBoxLayout(m_postingBar);
    row->setContentsMargins(0, 0, 8, 0);
    m_documentTools = new DocumentTools(m_postingBar);
    m_dockCheck = new QCheckBox(u"Документите в главния прозорец"_s, m_postingBar);
    m_dockCheck->setObjectName(u"ShowMeInDockState"_s);
    m_dockCheck->setToolTip(u"Документите на папката се показват в главния прозорец, а не в отделен"_s);
    m_dockCheck->setChecked(true);
    row->addWidget(m_documentTools, 1);
    row->addWidget(m_dockCheck);
    connect(m_documentTools, &DocumentTools::folderChosen, this, &TForm1::chooseDocumentFolder);
    connect(m_documentTools, &DocumentTools::searchRequested, this, &TForm1::searchDocument);
    connect(m_documentTools, &DocumentTools::filterChosen, this, &TForm1::filterDocuments);
    return m_postingBar;
}

void TForm1::buildReportsMenu()
{
    m_reportsMenu = new QMenu(this);
    m_reportsMenu->setToolTipsVisible(true);
    for (const ReportEntry &r : ReportMenuEntries()) {
        QAction *action = m_reportsMenu->addAction(r.menuCaption);
        connect(action, &QAction::triggered, this, [this, code = r.code] {
            RunGuarded([&] {
                if (canRunReport(code))
                    m_hooks.runReport(code);
            });
        });
    }
    connect(m_reportsMenu, &QMenu::aboutToShow, this, [this] {
        const QList<ReportEntry> entries = ReportMenuEntries();
        const QList<QAction *> actions = m_reportsMenu->actions();
        for (int i = 0; i < actions.size() && i < entries.size(); ++i) {
            const bool exists = m_hooks.runReport && (!m_hooks.reportAvailable || m_hooks.reportAvailable(entries[i].code));
            actions[i]->setEnabled(exists && ready());
            actions[i]->setToolTip(exists ? QString() : NotAvailableHint);
        }
    });
}

void TForm1::buildViewStyleMenu()
{
    auto *menu = new QMenu(m_viewButton);
    auto *group = new QActionGroup(menu);
    const QStringList names = ListViewStyleNames();
    for (int style = 0; style < names.size(); ++style) {
        QAction *action = menu->addAction(names[style]);
        action->setCheckable(true);
        action->setData(style);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, style] { setViewStyle(style); });
    }
    m_viewButton->setMenu(menu);
}

void TForm1::buildFilterMenu()
{
    auto *menu = new QMenu(m_balancesPage->filterButton());
    for (AccountFilter filter : AccountFilters()) {
        QAction *action = menu->addAction(AccountFilterCaption(filter));
        connect(action, &QAction::triggered, this, [this, filter] { filterAccounts(filter); });
    }
    m_balancesPage->filterButton()->setMenu(menu);
}

QString TForm1::headerText() const { return m_header->text(); }

QString TForm1::dateText() const { return u"Дата: "_s + Formats::Date(QDate::currentDate()); }

QString TForm1::listTitle() const { return m_title->text(); }

QStringList TForm1::listCaptions() const
{
    QStringList captions;
    for (int i = 0; i < m_list->count(); ++i)
        captions << m_list->item(i)->text();
    return captions;
}

std::optional<int> TForm1::currentKey() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? std::optional<int>(item->data(Qt::UserRole).toInt()) : std::nullopt;
}

bool TForm1::selectKey(int key)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(Qt::UserRole).toInt() == key) {
            m_list->setCurrentRow(i);
            m_list->scrollToItem(m_list->item(i));
            return true;
        }
    }
    return false;
}

QString TForm1::detailValue(const QString &caption) const
{
    if (m_details->currentIndex() == AccountPage)
        return m_accountSheet->value(caption);
    if (m_details->currentIndex() == SheetPage)
        return m_sheet->value(caption);
    return {};
}

QString TForm1::totalsFigure(int row, int column) const { return m_totals->figure(row, column); }

bool TForm1::reportSettingsSelected() const
{
    const auto code = currentKey();
    return m_mode == MainMode::Reports && code && ReportHasSettings(*code);
}

std::optional<int> TForm1::balanceAccount() const
{
    return m_mode == MainMode::OpeningBalances ? m_balancesPage->currentAccount() : std::nullopt;
}

std::optional<SnsRow> TForm1::currentBalanceRow() const
{
    const int row = m_balancesPage->currentRow();
    if (m_mode != MainMode::OpeningBalances || row < 0 || row >= m_balanceRows.size())
        return std::nullopt;
    return m_balanceRows.at(row);
}

QPushButton *TForm1::navigationButton(const QString &caption) const
{
    for (QPushButton *b : m_navigation)
        if (PlainCaption(b->text()) == caption)
            return b;
    return nullptr;
}

QMenu *TForm1::contextMenu()
{
    m_contextMenu->clear();
    for (QPushButton *button : {m_add, m_edit, m_delete, m_balances}) {
        QAction *action = m_contextMenu->addAction(button->text());
        action->setEnabled(button->isEnabled());
        action->setVisible(!button->isHidden());
        connect(action, &QAction::triggered, button, &QPushButton::click);
    }
    return m_contextMenu;
}

bool TForm1::event(QEvent *event)
{
    // Activation or, on a desktop without a window manager, the first show: whichever comes first.
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) && m_firstActivation) {
        m_firstActivation = false;
        // Not from inside the event itself: the choice window runs its own event loop.
        QTimer::singleShot(0, this, [this] { openFirmChoice(true); });
    }
    return QMainWindow::event(event);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // A documents window docked here is complete once it is polished; its filter is shown here.
    if (watched == m_documentsDock && event->type() == QEvent::ChildPolished) {
        if (auto *docs = qobject_cast<TTranForm *>(static_cast<QChildEvent *>(event)->child()))
            connect(docs, &TTranForm::filterChanged, this, &TForm1::showDocumentFilter, Qt::UniqueConnection);
        return false;
    }
    if (watched == m_reportsLabel && event->type() == QEvent::Enter) {
        showReportsMenu();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);

    const auto *key = static_cast<QKeyEvent *>(event);
    const bool release = event->type() == QEvent::KeyRelease;
    if (release && !key->isAutoRepeat()) {
        // By the key itself, so that the Bulgarian layouts find the same keys as the Latin one.
        static const ScanCodeSet scanCodes = ScanCodeSetOfPlatform(QGuiApplication::platformName());
        if (const auto entry = NavigationEntryForKey(key->key(), key->modifiers(), key->nativeScanCode(), scanCodes)) {
            navigationButton(NavigationEntryOf(*entry).caption)->click();
            return true;
        }
    }
    if (watched == m_list && key->modifiers() == Qt::NoModifier) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && !release) {
            activateItem();
            return true;
        }
        if (key->key() == Qt::Key_Space) {
            // Space acts when it comes up; its going down must not also select.
            if (release && !key->isAutoRepeat())
                activateItem();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::runNavigation(NavEntry entry)
{
    // The documents window and a statement's view run until they are closed; only help may open
    // meanwhile.
    if ((m_mode == MainMode::Documents || m_statementOpen) && entry != NavEntry::Help)
        return;
    switch (entry) {
    case NavEntry::Chart: enterChart(); break;
    case NavEntry::Levels: enterLevels(); break;
    case NavEntry::Posting: enterPosting(); break;
    case NavEntry::FirmChoice: openFirmChoice(false); break;
    case NavEntry::Reports: enterReports(); break;
    case NavEntry::YearClosing: closeYear(); break;
    case NavEntry::Help: showHelp(); break;
    }
}

int TForm1::openFirmChoice(bool atStart)
{
    int result = 0;
    RunGuarded([&] {
        TFirmForm form(m_fd, m_dm, atStart, this);
        if (atStart && m_preselectedFirm != 0)
            form.selectFirm(m_preselectedFirm);
        connect(&form, &TFirmForm::terminateRequested, this, [this] { m_terminating = true; });
        result = form.exec();
    });
    if (m_terminating) {
        emit terminateRequested();
        close();
        return result;
    }
    if (result == TFirmForm::Opened && ready())
        firmChosen();
    else
        RunGuarded([this] { refreshFirm(); });
    return result;
}

void TForm1::firmChosen()
{
    RunGuarded([this] {
        refreshFirm();
        m_accountTabs->setCurrentIndex(0);
        m_accountSheet->clear();
        m_totals->clear();
        m_sheet->clear();
        m_filter = AccountFilter::All;
        m_balancesPage->filterLabel()->setText(AccountFilterCaption(m_filter));
        enterChart();
    });
}

bool TForm1::ready() const { return m_dm.IsConnected() && m_fd.currentFirmId != 0; }

void TForm1::refreshFirm()
{
    const auto firm = ready() ? m_fd.Firm(m_fd.currentFirmId) : std::nullopt;
    if (firm)
        m_header->setText(FirmHeaderText(*firm));
    else
        m_header->clear();
}

void TForm1::setMode(MainMode mode, bool lotView)
{
    m_mode = mode;
    m_lotView = mode == MainMode::Levels && lotView;
    m_title->setText(ModeTitle(mode, m_lotView));
    showHelpPlace();
    switch (mode) {
    case MainMode::Chart: m_details->setCurrentIndex(AccountPage); break;
    case MainMode::Levels:
    case MainMode::OpeningBalances: m_details->setCurrentIndex(SheetPage); break;
    default: m_details->setCurrentIndex(EmptyPage); break;
    }
    m_sheet->clear();
    const bool balances = mode == MainMode::OpeningBalances;
    const bool documents = mode == MainMode::Documents;
    if (balances)
        m_pages->setCurrentWidget(m_balancesPage);
    else if (documents && documentsDockHost())
        m_pages->setCurrentWidget(m_documentsDock);
    else
        m_pages->setCurrentWidget(m_list);
    m_viewButton->setEnabled(!balances && !documents);
    m_postingBar->setVisible(mode == MainMode::Folders || documents);
    m_documentTools->setVisible(documents);
    m_dockCheck->setEnabled(!documents);
    for (QPushButton *button : std::as_const(m_navigation))
        button->setEnabled(!documents || button == navigationButton(NavigationEntryOf(NavEntry::Help).caption));
    if (mode == MainMode::None)
        m_list->clear();
    updateButtons();
}

void TForm1::fillList(const QList<ListItem> &items, int image, std::optional<int> select)
{
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
        const QIcon icon = ListImageIcon(image);
        for (const ListItem &item : items) {
            auto *row = new QListWidgetItem(icon, item.caption, m_list);
            row->setData(Qt::UserRole, item.key);
        }
        if (!(select && selectKey(*select)) && m_list->count() > 0)
            m_list->setCurrentRow(0);
    }
    listSelectionChanged();
}

void TForm1::fillChart(std::optional<int> select)
{
    fillList(ChartItems(ChartStore::All(m_dm.db())), ListImage::Accounts, select);
}

void TForm1::fillLots(std::optional<int> select)
{
    fillList(LotItems(m_dm.db(), m_lotLevel), ListImage::Lots, select);
}

void TForm1::enterChart(std::optional<int> select)
{
    RunGuarded([&] {
        if (!ready())
            return;
        setMode(MainMode::Chart);
        fillChart(select);
    });
}

void TForm1::enterLevels(std::optional<int> select)
{
    RunGuarded([&] {
        if (!ready())
            return;
        m_lotLevel = 0;
        setMode(MainMode::Levels);
        fillList(LevelItems(m_dm.db()), ListImage::Levels, select);
    });
}

void TForm1::enterPosting(std::optional<int> select)
{
    RunGuarded([&] {
        if (!ready())
            return;
        setMode(MainMode::Folders);
        fillList(FolderItems(m_dm.db()), ListImage::Folders, select);
    });
}

void TForm1::enterReports()
{
    RunGuarded([&] {
        if (!ready())
            return;
        setMode(MainMode::Reports);
        fillList(ReportItems(), ListImage::Reports, std::nullopt);
    });
}

void TForm1::enterOpeningBalances()
{
    RunGuarded([&] {
        const auto account = currentKey();
        if (!ready() || m_mode != MainMode::Chart || !account)
            return;
        m_filter = AccountFilter::All;
        m_balancesPage->filterLabel()->setText(AccountFilterCaption(m_filter));
        setMode(MainMode::OpeningBalances);
        m_balanceAccounts = ChartStore::All(m_dm.db(), m_filter);
        fillBalanceAccounts(account);
    });
}

void TForm1::openLots()
{
    RunGuarded([&] {
        const auto level = currentKey();
        if (!ready() || m_mode != MainMode::Levels || m_lotView || !level)
            return;
        m_lotLevel = *level;
        setMode(MainMode::Levels, true);
        fillLots(std::nullopt);
    });
}

void TForm1::goBack()
{
    RunGuarded([&] {
        if (m_mode == MainMode::OpeningBalances) {
            const auto account = m_balancesPage->currentAccount();
            m_filter = AccountFilter::All;
            m_balancesPage->filterLabel()->setText(AccountFilterCaption(m_filter));
            m_balanceRows.clear();
            enterChart(account);
        } else if (m_lotView) {
            enterLevels(m_lotLevel);
        }
    });
}

void TForm1::listSelectionChanged()
{
    const auto key = currentKey();
    if (ready() && m_mode == MainMode::Chart) {
        showChartDetails();
    } else if (ready() && m_mode == MainMode::Levels) {
        const auto level = LevelStore::Level(m_dm.db(), m_lotView ? m_lotLevel : key.value_or(0));
        if (!level || !key)
            m_sheet->clear();
        else
            m_sheet->setLines(m_lotView ? LotLines(m_dm.db(), *level, *key) : LevelLines(*level));
    }
    updateButtons();
}

void TForm1::showChartDetails()
{
    const auto key = currentKey();
    const auto account = key ? ChartStore::Find(m_dm.db(), *key) : std::nullopt;
    if (!account) {
        m_accountSheet->clear();
        m_totals->clear();
        return;
    }
    m_accountSheet->setLines(AccountLines(m_dm.db(), *account));
    if (m_accountTabs->currentIndex() == 1)
        showChartTotals();
    else
        m_totals->clear();
}

void TForm1::showChartTotals()
{
    m_totals->clear();
    const auto key = currentKey();
    if (!ready() || !key)
        return;
    const TAccountValue value = AccountTotalsOverPeriod(m_dm.db(), *key);
    if (!value.valid) {
        Messages::show(value.errorText);
        return;
    }
    m_totals->setFigures(TotalsFigures(value));
}

void TForm1::updateButtons()
{
    ListContext context;
    context.mode = m_mode;
    context.lotView = m_lotView;
    context.accountEditor = bool(m_hooks.editAccount);
    context.nomEditor = bool(m_hooks.editNom);
    context.balanceEditor = bool(m_hooks.editOpeningBalance);
    context.operations = bool(m_hooks.operations);
    context.statementSettings = bool(m_hooks.statementSettings);
    if (m_mode == MainMode::Reports)
        context.reportCode = currentKey();
    context.reports = context.reportCode ? canRunReport(*context.reportCode) : bool(m_hooks.runReport);
    if (m_mode == MainMode::OpeningBalances) {
        const auto account = m_balancesPage->currentAccount();
        context.canAddBalance = account && ready() && OpeningBalances::CanAdd(m_dm.db(), *account);
    }
    const ListButtons states = ListButtonsFor(context);

    // Which hook each button needs in this mode, for the hint on a button that is missing one.
    bool addHook = true, editHook = true;
    switch (m_mode) {
    case MainMode::Chart: addHook = editHook = context.accountEditor; break;
    case MainMode::Levels:
    case MainMode::Folders: addHook = editHook = context.nomEditor; break;
    case MainMode::OpeningBalances: addHook = editHook = context.balanceEditor; break;
    case MainMode::Reports:
        addHook = context.reports;
        editHook = context.statementSettings;
        break;
    default: break;
    }
    const bool balancesHook = m_mode != MainMode::Folders || context.operations;
    const auto apply = [](QPushButton *button, const ButtonState &state, bool hookInstalled) {
        button->setText(state.caption);
        button->setVisible(state.visible);
        button->setEnabled(state.enabled);
        button->setToolTip(hookInstalled ? QString() : NotAvailableHint);
    };
    apply(m_add, states.add, addHook);
    apply(m_edit, states.edit, editHook);
    apply(m_delete, states.remove, true);
    apply(m_balances, states.balances, balancesHook);
    apply(m_back, states.back, true);
}

void TForm1::addItem()
{
    RunGuarded([&] {
        if (!ready() || !m_add->isEnabled())
            return;
        switch (m_mode) {
        case MainMode::Chart:
            if (const auto saved = m_hooks.editAccount(std::nullopt))
                fillChart(saved);
            break;
        case MainMode::Levels:
        case MainMode::Folders: editNom(true); break;
        case MainMode::OpeningBalances: editBalance(true); break;
        case MainMode::Reports: runReport(); break;
        default: break;
        }
    });
}

void TForm1::editItem()
{
    RunGuarded([&] {
        if (!ready() || !m_edit->isEnabled())
            return;
        const auto key = currentKey();
        switch (m_mode) {
        case MainMode::Chart:
            if (!key)
                return;
            if (const auto saved = m_hooks.editAccount(key))
                fillChart(saved);
            break;
        case MainMode::Levels:
        case MainMode::Folders: editNom(false); break;
        case MainMode::OpeningBalances: editBalance(false); break;
        case MainMode::Reports:
            if (reportSettingsSelected())
                openStatementView(StatementKindOfReport(*key));
            break;
        default: break;
        }
    });
}

void TForm1::editNom(bool newItem)
{
    const auto key = currentKey();
    if (!newItem && !key)
        return;
    const int kind = m_mode == MainMode::Folders ? NomKind::Folder
                     : m_lotView                 ? NomKind::Lot
                                                 : NomKind::Level;
    const int level = kind == NomKind::Lot ? m_lotLevel : 0;
    const auto saved = m_hooks.editNom(kind, level, newItem ? std::nullopt : key);
    if (!saved)
        return;
    if (kind == NomKind::Lot)
        fillLots(saved);
    else if (kind == NomKind::Level)
        fillList(LevelItems(m_dm.db()), ListImage::Levels, saved);
    else
        fillList(FolderItems(m_dm.db()), ListImage::Folders, saved);
}

bool TForm1::canRunReport(int code) const
{
    return m_hooks.runReport && ready() && (!m_hooks.reportAvailable || m_hooks.reportAvailable(code));
}

void TForm1::runReport()
{
    if (const auto code = currentKey(); code && canRunReport(*code))
        m_hooks.runReport(*code);
}

void TForm1::deleteItem()
{
    RunGuarded([&] {
        if (!ready() || !m_delete->isEnabled())
            return;
        Db &db = m_dm.db();
        const auto key = currentKey();
        switch (m_mode) {
        case MainMode::Chart:
            if (MainCommands::DeleteAccount(db, key, &m_fd.db()))
                fillChart(std::nullopt);
            break;
        case MainMode::Levels:
            if (m_lotView ? MainCommands::DeleteLot(db, m_lotLevel, key) : MainCommands::DeleteLevel(db, key))
                m_lotView ? fillLots(std::nullopt) : fillList(LevelItems(db), ListImage::Levels, std::nullopt);
            break;
        case MainMode::Folders:
            if (MainCommands::DeleteFolder(db, key))
                fillList(FolderItems(db), ListImage::Folders, std::nullopt);
            break;
        case MainMode::OpeningBalances:
            if (MainCommands::DeleteOpeningBalance(db, currentBalanceRow()))
                fillBalanceRows(std::nullopt);
            break;
        default: break;
        }
    });
}

void TForm1::balancesOrOperations()
{
    RunGuarded([&] {
        if (!ready() || !m_balances->isEnabled())
            return;
        if (m_mode == MainMode::Chart) {
            enterOpeningBalances();
        } else if (m_mode == MainMode::Folders) {
            const auto folder = currentKey();
            m_hooks.operations();
            enterPosting(folder);
        }
    });
}

void TForm1::activateItem()
{
    RunGuarded([&] {
        const auto key = currentKey();
        if (!ready() || !key)
            return;
        switch (m_mode) {
        case MainMode::Chart: editItem(); break;
        case MainMode::Levels: m_lotView ? editItem() : openLots(); break;
        case MainMode::Reports: addItem(); break;
        case MainMode::Folders: openDocuments(*key); break;
        default: break;
        }
    });
}

void TForm1::openDocuments(int folder)
{
    if (!m_hooks.openFolder)
        return;
    m_documentsFolder = folder;
    m_documentTools->setFolders(FolderStore::All(m_dm.db()));
    showDocumentFolder();
    showDocumentFilter(DocumentFilter::All);
    setMode(MainMode::Documents);
    const auto back = qScopeGuard([this] {
        setMode(MainMode::Folders);
        selectKey(m_documentsFolder);
    });
    m_hooks.openFolder(folder);
}

void TForm1::openStatementView(int statementKind)
{
    const auto code = currentKey();
    m_statementOpen = true;
    setMenuPanelEnabled(false);
    m_pages->setCurrentWidget(m_statementsDock);
    const auto back = qScopeGuard([this, code] {
        m_statementOpen = false;
        m_pages->setCurrentWidget(m_list);
        setMenuPanelEnabled(true);
        if (code)
            selectKey(*code);
        updateButtons();
    });
    m_hooks.statementSettings(statementKind);
}

void TForm1::setMenuPanelEnabled(bool enabled)
{
    const QPushButton *help = navigationButton(NavigationEntryOf(NavEntry::Help).caption);
    for (QPushButton *button : std::as_const(m_navigation))
        button->setEnabled(enabled || button == help);
    for (QWidget *w : QList<QWidget *>{m_add, m_edit, m_delete, m_balances, m_back, m_viewButton, m_reportsLabel})
        w->setEnabled(enabled);
    if (enabled)
        updateButtons();
}

QWidget *TForm1::documentsDockHost() const { return m_dockCheck->isChecked() ? m_documentsDock : nullptr; }

TTranForm *TForm1::documentsWindow() const
{
    return m_documentsDock->findChild<TTranForm *>(QString(), Qt::FindDirectChildrenOnly);
}

void TForm1::showDocumentFolder()
{
    const auto folder = FolderStore::Find(m_dm.db(), m_documentsFolder);
    m_documentTools->setFolder(folder ? folder->Nom_Pap_Name : QString());
}

void TForm1::showDocumentFilter(DocumentFilter filter)
{
    m_documentTools->setFilterStatus(DocumentFilterStatus(filter));
}

void TForm1::chooseDocumentFolder(int folder)
{
    RunGuarded([&] {
        TTranForm *docs = documentsWindow();
        if (!docs || !docs->canLeave() || !docs->changeFolder(folder))
            return;
        m_documentsFolder = folder;
        showDocumentFolder();
    });
}

void TForm1::searchDocument(const QString &text)
{
    RunGuarded([&] {
        const QString wanted = text;
        m_documentTools->searchBox()->clear();
        TTranForm *docs = documentsWindow();
        if (!docs || !docs->canLeave())
            return;
        docs->search(wanted);
    });
}

void TForm1::filterDocuments(DocumentFilter filter)
{
    RunGuarded([&] {
        TTranForm *docs = documentsWindow();
        if (!docs || !docs->canLeave())
            return;
        showDocumentFilter(docs->applyFilter(filter));
    });
}

void TForm1::setViewStyle(int style)
{
    RunGuarded([&] {
        m_viewStyle = std::clamp(style, 0, 3);
        applyViewStyle();
        Settings::SetListViewStyle(m_viewStyle);
    });
}

void TForm1::applyViewStyle()
{
    ApplyListViewStyle(m_list, m_viewStyle);
    for (QAction *action : m_viewButton->menu()->actions())
        action->setChecked(action->data().toInt() == m_viewStyle);
}

void TForm1::closeYear()
{
    RunGuarded([&] {
        const auto firm = ready() ? m_fd.Firm(m_fd.currentFirmId) : std::nullopt;
        if (!firm)
            return;
        std::function<void()> showList;
        if (!FirmConversion(m_fd, firm->Firm_ID).isEmpty())
            showList = [this, firm] {
                TViewerForm::Show(std::make_unique<ConversionListJob>(FirmConversion(m_fd, firm->Firm_ID),
                                                                      firm->Firm_Name),
                                  this);
            };
        auto options = TFinishForm::Ask(*firm, this, MarkedStaffAccounts(m_dm.db()), showList);
        if (!options)
            return;
        if (const auto previous = ClosedBefore(m_dm.db())) {
            if (!Messages::confirmed(RepeatClosingQuestion(*previous, firm->Firm_Period)))
                return;
            options->replace = true;
        }
        const ClosingOutcome outcome = [&] {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
            return CloseYear(m_fd, firm->Firm_ID, *options);
        }();
        if (outcome.cancelled)
            return;
        for (const QString &note : outcome.notes)
            Messages::show(note);
        if (outcome.conversion)
            TViewerForm::Show(std::make_unique<ConversionListJob>(
                                  StoredFrom(*outcome.conversion, firm->Firm_Name, firm->Firm_Period), firm->Firm_Name),
                              this);
        const auto next = m_fd.Firm(outcome.nextFirmId);
        if (!next || !Messages::confirmed(YearClosedQuestion(*next, outcome.repeated)))
            return;
        const FirmOpenResult opened = OpenFirm(m_fd, m_dm, *next);
        if (!opened.opened) {
            Messages::show(opened.message);
            return;
        }
        firmChosen();
    });
}

void TForm1::showHelpPlace()
{
    switch (m_mode) {
    case MainMode::Chart: SetHelpContext(this, 19); break;
    case MainMode::Levels: SetHelpContext(this, 24); break;
    case MainMode::Folders:
    case MainMode::Documents: SetHelpContext(this, 29); break;
    case MainMode::Reports: SetHelpContext(this, 35); break;
    case MainMode::OpeningBalances: SetHelpPage(this, u"main.html#balances"_s); break;
    case MainMode::None: SetHelpPage(this, u"main.html"_s); break;
    }
}

void TForm1::showHelp()
{
    RunGuarded([this] {
        // The place of what has the focus in this window (a docked editor has its own), else the
        // place of the mode the window is in.
        const QWidget *focus = QApplication::focusWidget();
        ShowHelpPage(HelpPageFor(focus && focus->window() == this ? focus : this));
    });
}

void TForm1::showReportsMenu()
{
    if (m_statementOpen)
        return;
    if (!m_reportsMenu->isVisible())
        m_reportsMenu->popup(m_reportsLabel->mapToGlobal(QPoint(0, m_reportsLabel->height())));
}

void TForm1::editOpenFirm()
{
    RunGuarded([this] {
        if (!ready())
            return;
        TFirmDataEditForm editor(m_fd, m_fd.currentFirmId, this, &m_dm);
        if (editor.exec() == TFirmDataEditForm::Saved)
            refreshFirm();
    });
}

void TForm1::showAbout()
{
    // Parented so it goes with the window; it frees itself when its time is up.
    auto *splash = new TSplashForm(0, this);
    splash->start();
}

void TForm1::showEngineInformation() { Messages::show(EngineSession::instance().informationText()); }

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_terminating && !Messages::confirmed(u"Изход от програмата?"_s)) {
        event->ignore();
        return;
    }
    if (TTranForm *docs = documentsWindow()) {
        if (!docs->canLeave() || !docs->postPending()) {
            event->ignore();
            return;
        }
        docs->terminate();
    }
    event->accept();
}
