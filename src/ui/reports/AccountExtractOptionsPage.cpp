#include "reports/AccountExtractOptionsPage.h"

#include "accounts/ChartStore.h"
#include "accounts/FolderStore.h"
#include "accounts/LevelStore.h"
#include "firm/Lookups.h"
#include "reports/OptionWidgets.h"
#include "widgets/DateBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The buttons in page order: "аналитични нива", "дата на осчетоводяване", "сметки
// кореспонденти", "документи", "без групиране".
constexpr AccountGrouping ButtonGroupings[] = {AccountGrouping::Levels, AccountGrouping::Date,
                                               AccountGrouping::CorrespondingAccount, AccountGrouping::Document,
                                               AccountGrouping::None};
}  // namespace

int AccountExtractOptionsPage::ButtonOf(AccountGrouping grouping)
{
    return int(std::find(std::begin(ButtonGroupings), std::end(ButtonGroupings), grouping) - std::begin(ButtonGroupings));
}

AccountExtractOptionsPage::AccountExtractOptionsPage(Db &db, QWidget *parent) : QWidget(parent), m_db(db)
{
    QGroupBox *period = NewPeriodBox(u"Период"_s, this, m_from, m_to);
    m_account = new QComboBox(this);
    auto *accountRow = new QFormLayout;
    accountRow->addRow(u"Сметка:"_s, m_account);

    // A row per analytic level: its lots, then "ГР", "НС" and "КС".
    auto *levels = new QGridLayout;
    for (size_t k = 0; k < 5; ++k) {
        m_levelLabels[k] = new QLabel(this);
        m_lots[k] = new QComboBox(this);
        m_turnovers[k] = new QCheckBox(u"ГР"_s, this);
        m_openings[k] = new QCheckBox(u"НС"_s, this);
        m_closings[k] = new QCheckBox(u"КС"_s, this);
        const int row = int(k);
        levels->addWidget(m_levelLabels[k], row, 0);
        levels->addWidget(m_lots[k], row, 1);
        levels->addWidget(m_turnovers[k], row, 2);
        levels->addWidget(m_openings[k], row, 3);
        levels->addWidget(m_closings[k], row, 4);
    }
    levels->setColumnStretch(1, 1);

    QGroupBox *grouping = NewChoiceBox(u"Извлвчение по:"_s,
                                       {u"аналитични нива"_s, u"дата на осчетоводяване"_s, u"сметки кореспонденти"_s,
                                        u"документи"_s, u"без групиране"_s},
                                       this, m_grouping);
    m_grouping->button(ButtonOf(AccountGrouping::Date))->setChecked(true);

    m_fromDocument = new QLineEdit(this);
    m_toDocument = new QLineEdit(this);
    m_fromDocument->setMaxLength(10);
    m_toDocument->setMaxLength(10);
    m_corresponding = new QComboBox(this);
    m_folder = new QComboBox(this);
    auto *filters = new QFormLayout;
    filters->addRow(FromDocumentCaption, m_fromDocument);
    filters->addRow(ToDocumentCaption, m_toDocument);
    filters->addRow(u"Кореспондораща сметка:"_s, m_corresponding);
    filters->addRow(u"Само операции от папка:"_s, m_folder);

    m_totalsOnly = new QCheckBox(u"Разпечатай справката с обобщени обороти"_s, this);

    auto *middle = new QHBoxLayout;
    middle->addWidget(grouping);
    middle->addLayout(filters, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addLayout(accountRow);
    layout->addLayout(levels);
    layout->addLayout(middle);
    layout->addWidget(m_totalsOnly);
    layout->addStretch(1);

    connect(m_account, &QComboBox::currentIndexChanged, this, &AccountExtractOptionsPage::accountChanged);
    connect(m_grouping, &QButtonGroup::idClicked, this, &AccountExtractOptionsPage::groupingChanged);
    apply();
}

void AccountExtractOptionsPage::load(const QList<SRow> &accounts, const QList<NomPapRow> &folders)
{
    m_accounts = accounts;
    {
        const QSignalBlocker blocker(m_account);
        FillAccounts(m_account, accounts, QString());
    }
    FillAccounts(m_corresponding, accounts, u"Всички"_s);
    FillFolders(m_folder, folders);
    accountChanged();
}

void AccountExtractOptionsPage::setPeriod(const ReportPeriodDefaults &dates) { SetPeriod(m_from, m_to, dates); }

AccountGrouping AccountExtractOptionsPage::grouping() const
{
    return ButtonGroupings[std::clamp(m_grouping->checkedId(), 0, 4)];
}

// A new account: its levels' lot lists, named after the levels, then the page's rules.
void AccountExtractOptionsPage::accountChanged()
{
    const int number = m_account->currentData().toInt();
    const auto account = std::find_if(m_accounts.cbegin(), m_accounts.cend(),
                                      [number](const SRow &a) { return a.S_UNo == number; });
    for (size_t k = 0; k < 5; ++k) {
        const int level = account != m_accounts.cend() ? account->S_An[k] : 0;
        m_levelLabels[k]->setText(level ? LevelName(m_db, level) + u':' : QString());
        FillNumbered(m_lots[k], level ? LevelStore::LotsOfLevel(m_db, level) : QList<std::pair<int, QString>>{},
                     u"Всички"_s);
        m_lots[k]->setCurrentIndex(0);
    }
    groupingChanged();
}

// Each change of account or grouping starts the level boxes afresh: "ГР" ticked, "НС" and "КС" not.
void AccountExtractOptionsPage::groupingChanged()
{
    for (size_t k = 0; k < 5; ++k) {
        m_turnovers[k]->setChecked(true);
        m_openings[k]->setChecked(false);
        m_closings[k]->setChecked(false);
    }
    apply();
}

void AccountExtractOptionsPage::apply()
{
    const int number = m_account->currentData().toInt();
    const auto found = number > 0 ? FindAccount(m_db, number) : std::nullopt;
    const AccountExtractPageState state = AccountExtractPageFor(found, grouping());
    m_grouping->button(ButtonOf(AccountGrouping::Levels))->setEnabled(state.levelsGroupingAllowed);
    m_grouping->button(ButtonOf(state.grouping))->setChecked(true);
    for (size_t k = 0; k < 5; ++k) {
        m_levelLabels[k]->setVisible(state.lotLists[k]);
        m_lots[k]->setVisible(state.lotLists[k]);
        for (QCheckBox *box : {m_turnovers[k], m_openings[k], m_closings[k]})
            box->setVisible(state.levelBoxes[k]);
    }
    for (QWidget *filter : std::initializer_list<QWidget *>{m_fromDocument, m_toDocument, m_corresponding, m_folder})
        filter->setEnabled(state.filtersEnabled);
}

AccountExtractPage AccountExtractOptionsPage::read() const
{
    AccountExtractPage p;
    p.from = m_from->text();
    p.to = m_to->text();
    p.account = m_account->currentData().toInt();
    for (size_t k = 0; k < 5; ++k) {
        p.lots[k] = m_lots[k]->currentData().toInt();  // 0 where the account has no level
        p.turnovers[k] = m_turnovers[k]->isChecked();
        p.openings[k] = m_openings[k]->isChecked();
        p.closings[k] = m_closings[k]->isChecked();
    }
    p.grouping = grouping();
    p.fromDocument = m_fromDocument->text();
    p.toDocument = m_toDocument->text();
    p.correspondingAccount = m_corresponding->currentData().toInt();
    p.folder = m_folder->currentData().toInt();
    p.totalsOnly = m_totalsOnly->isChecked();
    return p;
}
