#include "statements/TAddPokForm.h"

#include "widgets/Accelerators.h"

#include "accounts/TAccLookUpForm.h"
#include "app/TErrorHook.h"
#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "widgets/EditorWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

IncludeAccountPanel::IncludeAccountPanel(TFD &fd, TDM &dm, QWidget *parent)
    : QWidget(parent), m_fd(fd), m_dm(dm), m_pick(new QPushButton(u"Сметка:"_s, this)), m_number(new QLabel(this)),
      m_name(new QLabel(this))
{
    m_name->setWordWrap(true);
    auto *layout = new QFormLayout(this);
    layout->addRow(m_pick, m_number);
    layout->addRow(u"Наименование"_s, m_name);
    layout->addRow(new QLabel(u"Партиди:"_s, this));
    for (int i = 0; i < 5; ++i) {
        m_lotNames << new QLabel(this);
        layout->addRow(QString::number(i + 1) + u"."_s, m_lotNames.last());
    }
    connect(m_pick, &QPushButton::clicked, this, [this] { RunGuarded([this] { pick(); }); });
}

void IncludeAccountPanel::setAccount(int account, const LotKey &lots)
{
    m_account = account;
    m_lots = lots;
    m_number->setText(account > 0 ? QString::number(account) : QString());
    const auto found = account > 0 ? FindAccount(m_dm.db(), account) : std::nullopt;
    m_name->setText(found ? found->name : QString());
    for (int i = 0; i < 5; ++i)
        m_lotNames[i]->setText(found ? LotName(m_dm.db(), found->levels[size_t(i)], lots[size_t(i)]) : QString());
    emit changed();
}

void IncludeAccountPanel::pick()
{
    TAccountStr start;
    start.number = m_account;
    start.levels = m_lots;
    if (const auto picked = TAccLookUpForm::Pick(m_fd, m_dm, start, m_pick))
        setAccount(picked->number, picked->levels);
}

QString IncludeAccountPanel::nameText() const { return m_name->text(); }

QStringList IncludeAccountPanel::lotTexts() const
{
    QStringList texts;
    for (const QLabel *l : m_lotNames)
        texts << l->text();
    return texts;
}

TAddPokForm::TAddPokForm(TFD &fd, TDM &dm, StatementType type, const std::optional<IncludeRow> &row, QWidget *parent)
    : TitleStripDialog(u"Настройка"_s, parent), m_type(type), m_editing(row), m_fd(fd), m_dm(dm)
{
    m_pages = new QStackedWidget(body());
    m_pages->addWidget(buildChoicePage());
    m_pages->addWidget(buildAccountPage());
    m_pages->addWidget(buildAmountPage());
    const WizardButtons wizard = MakeWizardButtons(body());
    m_back = wizard.back;
    m_next = wizard.next;
    m_cancel = wizard.cancel;
    QHBoxLayout *buttons = wizard.row;
    auto *layout = new QVBoxLayout(body());
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, [this] { back(); });
    connect(m_next, &QPushButton::clicked, this, [this] { RunGuarded([this] { next(); }); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetDialogKeys(m_next, m_cancel);
    // Two "Сметка:" buttons share their letter: the corresponding account's has a key of its own.
    SetCommandKey(m_corr->pickButton(), QKeySequence(Qt::Key_F4));
    resize(620, 380);
    CentreOnDesktop(this);
    IncludeWizardState start;
    if (row)
        start = IncludeRowWizard::StateOf(type, *row);
    load(start);
    showPage(1);
}

std::optional<IncludeRow> TAddPokForm::Run(TFD &fd, TDM &dm, StatementType type, const std::optional<IncludeRow> &row,
                                           QWidget *parent)
{
    std::unique_ptr<TAddPokForm> form;
    if (!RunGuarded([&] { form = std::make_unique<TAddPokForm>(fd, dm, type, row, parent); }))
        return std::nullopt;
    if (RunModal(*form) != QDialog::Accepted)
        return std::nullopt;
    return form->row();
}

QWidget *TAddPokForm::buildChoicePage()
{
    auto *page = new QWidget;
    auto *box = new QGroupBox(u"Изберете вида на данните"_s, page);
    auto *list = new QVBoxLayout(box);
    m_choices = new QButtonGroup(this);
    const QStringList texts = IncludeRowWizard::ChoiceTexts();
    for (int i = 0; i < texts.size(); ++i) {
        auto *radio = new QRadioButton(texts[i], box);
        m_choices->addButton(radio, i);
        list->addWidget(radio);
    }
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

QWidget *TAddPokForm::buildAccountPage()
{
    auto *page = new QWidget;
    m_account = new IncludeAccountPanel(m_fd, m_dm, page);
    m_corr = new IncludeAccountPanel(m_fd, m_dm, page);
    m_sidesBox = new QGroupBox(page);
    auto *sides = new QVBoxLayout(m_sidesBox);
    m_sides = new QButtonGroup(this);
    const QStringList texts = IncludeRowWizard::SideTexts();
    for (int i = 0; i < texts.size(); ++i) {
        auto *radio = new QRadioButton(texts[i], m_sidesBox);
        m_sides->addButton(radio, i + IncludeKind::OpeningDebit);
        sides->addWidget(radio);
    }
    m_accountKor = new QCheckBox(u"Коректив"_s, page);
    auto *panels = new QHBoxLayout;
    panels->addWidget(m_account, 1);
    panels->addWidget(m_sidesBox, 1);
    panels->addWidget(m_corr, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(panels, 1);
    layout->addWidget(m_accountKor);
    return page;
}

QWidget *TAddPokForm::buildAmountPage()
{
    auto *page = new QWidget;
    m_amount = new QDoubleSpinBox(page);
    m_amount->setDecimals(2);
    m_amount->setRange(-999999999999.99, 999999999999.99);
    m_amount->setGroupSeparatorShown(false);
    m_amountKor = new QCheckBox(u"Коректив"_s, page);
    auto *form = new QFormLayout;
    form->addRow(u"Въведете сума: "_s, m_amount);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(m_amountKor);
    layout->addStretch(1);
    return page;
}

void TAddPokForm::load(const IncludeWizardState &state)
{
    m_choices->button(int(state.choice))->setChecked(true);
    if (QAbstractButton *side = m_sides->button(state.side))
        side->setChecked(true);
    m_account->setAccount(state.account, state.accountLots);
    m_corr->setAccount(state.corrAccount, state.corrLots);
    m_amount->setValue(state.amount);
    m_accountKor->setChecked(state.accountCorrection);
    m_amountKor->setChecked(state.amountCorrection);
}

IncludeWizardState TAddPokForm::state() const
{
    IncludeWizardState s;
    s.choice = IncludeChoice(std::max(0, m_choices->checkedId()));
    s.side = m_sides->checkedId() > 0 ? m_sides->checkedId() : IncludeKind::ClosingDebit;
    s.account = m_account->account();
    s.accountLots = m_account->lots();
    s.corrAccount = m_corr->account();
    s.corrLots = m_corr->lots();
    s.amount = m_amount->value();
    s.accountCorrection = m_accountKor->isChecked();
    s.amountCorrection = m_amountKor->isChecked();
    return s;
}

void TAddPokForm::showPage(int page)
{
    m_page = page;
    m_pages->setCurrentIndex(page - 1);
    const IncludeChoice choice = state().choice;
    m_sidesBox->setVisible(choice == IncludeChoice::Account);
    m_corr->setVisible(choice == IncludeChoice::Correspondence);
    m_accountKor->setVisible(IncludeRowWizard::ShowsCorrection(m_type, 2, choice));
    m_amountKor->setVisible(IncludeRowWizard::ShowsCorrection(m_type, 3, choice));
    m_back->setEnabled(page > 1);
    m_next->setText(page == 1 ? u"Следващ >>"_s : u"Запис"_s);
    if (page == 3)
        m_amount->setFocus();
}

void TAddPokForm::next()
{
    if (m_page == 1) {
        showPage(IncludeRowWizard::PageAfterFirst(state().choice));
        return;
    }
    finish();
}

void TAddPokForm::back()
{
    if (m_page == 1)
        return;
    // Page 1 starts the row afresh.
    IncludeWizardState s = state();
    IncludeRowWizard::EnterFirstPage(s);
    load(s);
    showPage(1);
}

bool TAddPokForm::finish()
{
    const IncludeWizardState s = state();
    if (const QString problem = IncludeRowWizard::FinishProblem(s); !problem.isEmpty()) {
        Messages::show(problem);
        return false;
    }
    m_row = IncludeRowWizard::RowOf(m_type, s, m_editing.value_or(IncludeRow{}));
    accept();
    return true;
}
