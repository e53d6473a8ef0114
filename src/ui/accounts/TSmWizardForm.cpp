#include "accounts/TSmWizardForm.h"

#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/TNomWizardForm.h"
#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace AccountRules;

namespace {
const QString TreeHint = u"От тук може да навигирате\r\nпрез различните етапи при\r\nдефиниране и редактиране\r\nна сметка"_s;
const QString LevelLabelHint =
    u"С натиснете с левия бутон на мишката може да\r\nредактирате избрания аналитичен признак.\r\nС натиснете с "
    "десния бутон на мишката може да\r\nдобавите нов аналитичен признак."_s;
const QString TypeExplanation =
    u"ТИП НА СМЕТКА:\r\n    Стойностна -  сметката се води само в стойностен измерител.\r\n    Количествена,Валутна -  "
    "сметката се води в количествен и стойностен измерител\r\nХАРАКТЕРИСТИКА НА СМЕТКА:\r\n    Съответната "
    "характерисника на сметката съгласно Националния сметкоплан"_s;

QLabel *Text(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(ScreenText(text), parent);
    label->setWordWrap(true);
    return label;
}

QLabel *Warning(const QString &text, QWidget *parent)
{
    QLabel *label = Text(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}
}  // namespace

TSmWizardForm::TSmWizardForm(TDM &dm, std::optional<int> account, QWidget *parent)
    : TitleStripDialog(u"Сметкоплан"_s, parent), m_dm(dm), m_account(account)
{
    m_state = AddStateLabel(*this);
    m_state->setText(StateCaption(EditState::Inactive));

    m_tree = new QTreeWidget(body());
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setToolTip(ScreenText(TreeHint));
    m_tree->setFixedWidth(150);
    for (const QString &item : {u"Наименование"_s, u"Тип на сметка"_s, u"Аналитичност"_s})
        m_tree->addTopLevelItem(new QTreeWidgetItem(QStringList{item}));

    m_pages = new QStackedWidget(body());
    m_pages->addWidget(buildNamePage());
    m_pages->addWidget(buildTypePage());
    m_pages->addWidget(buildAnalyticsPage());

    const WizardButtons wizard = MakeWizardButtons(body());
    m_back = wizard.back;
    m_next = wizard.next;
    m_cancel = wizard.cancel;
    QHBoxLayout *buttons = wizard.row;

    auto *top = new QHBoxLayout;
    top->addWidget(m_tree);
    top->addWidget(m_pages, 1);
    auto *layout = new QVBoxLayout(body());
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(m_back, &QPushButton::clicked, this, [this] { back(); });
    connect(m_next, &QPushButton::clicked, this, [this] { next(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    // Ctrl+Enter goes on page by page as "Следващ >>" does and saves from the last.
    SetDialogKeys(m_next, m_cancel);
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { goToPage(m_tree->indexOfTopLevelItem(item) + 1); });

    resize(600, 380);
    CentreOnDesktop(this);
    showPage(NamePage);
}

QWidget *TSmWizardForm::buildNamePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Text(u"Въведете номер и наименование на сметка съгласно Националния сметколплан или "
                           "индивидуалния сметкоплан на фирмата."_s,
                           page));
    auto *form = new QFormLayout;
    m_number = new QLineEdit(page);
    m_number->setMaxLength(10);
    m_name = new QLineEdit(page);
    m_name->setMaxLength(55);
    form->addRow(u"Номер:"_s, m_number);
    form->addRow(u"Наименование:"_s, m_name);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(Warning(u"ВАЖНО: Номерът на сметката не може да бъде променян ако със сметката са съставени "
                              "счетоводни статии."_s,
                              page));
    return page;
}

QWidget *TSmWizardForm::buildTypePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto group = [&](const QString &title, const QStringList &captions, QButtonGroup *&buttons) {
        auto *box = new QGroupBox(title, page);
        auto *column = new QVBoxLayout(box);
        buttons = new QButtonGroup(this);
        for (int code = 1; code <= captions.size(); ++code) {
            auto *radio = new QRadioButton(captions.at(code - 1), box);
            buttons->addButton(radio, code);
            column->addWidget(radio);
        }
        return box;
    };
    auto *row = new QHBoxLayout;
    row->addWidget(group(u"Тип на сметката:"_s, {u"Стойностна"_s, u"Количествена"_s, u"Валутна"_s}, m_measures));
    row->addWidget(group(u"Характеристика:"_s, {u"Активна"_s, u"Пасивна"_s, u"Активно/Пасивна"_s}, m_balances));
    layout->addLayout(row);
    layout->addWidget(Text(TypeExplanation, page));
    layout->addStretch(1);
    layout->addWidget(Warning(u"ВАЖНО: Типа на сметката не може да бъде променян ако със сметката са съставени "
                              "счетоводни статии."_s,
                              page));
    return page;
}

QWidget *TSmWizardForm::buildAnalyticsPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    m_kinds = new QButtonGroup(this);
    auto *kinds = new QHBoxLayout;
    const QStringList captions = {u"Синтетична сметка"_s, u"Аналитична сметка"_s};
    for (int code = Synthetic; code <= Analytic; ++code) {
        auto *radio = new QRadioButton(captions.at(code - 1), page);
        m_kinds->addButton(radio, code);
        kinds->addWidget(radio);
    }
    layout->addLayout(kinds);

    auto *levels = new QGroupBox(u"Аналитични нива:"_s, page);
    auto *grid = new QGridLayout(levels);
    for (int k = 1; k <= 5; ++k) {
        auto *label = new MouseLabel(u"%1:"_s.arg(k), levels);
        label->setToolTip(ScreenText(LevelLabelHint));
        auto *box = new QComboBox(levels);
        grid->addWidget(label, k - 1, 0);
        grid->addWidget(box, k - 1, 1);
        m_levelLabels[k - 1] = label;
        m_levelBoxes[k - 1] = box;
        connect(label, &MouseLabel::leftClicked, this, [this, k] { levelLabelPressed(k, Qt::LeftButton); });
        connect(label, &MouseLabel::rightClicked, this, [this, k] { levelLabelPressed(k, Qt::RightButton); });
        connect(box, &QComboBox::currentIndexChanged, this, [this, k] {
            if (!m_showing)
                levelChosen(k);
        });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(levels);
    layout->addStretch(1);
    layout->addWidget(Warning(u"ВАЖНО: Аналитичните нива не могат да бъдат променяни ако със сметката са съставени "
                              "счетоводни статии."_s,
                              page));
    connect(m_kinds, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && !m_showing)
            kindChosen(id);
    });
    return page;
}

std::optional<int> TSmWizardForm::Run(TFD & /*fd*/, TDM &dm, std::optional<int> account, QWidget *parent)
{
    TSmWizardForm form(dm, account, parent);
    bool ready = false;
    if (!RunGuarded([&] { ready = form.begin(); }) || !ready)
        return std::nullopt;
    RunModal(form);
    return form.savedNumber();
}

bool TSmWizardForm::begin()
{
    if (m_account) {
        const auto row = ChartStore::Find(m_dm.db(), *m_account);
        if (!row)
            throw MyException(u"CheckAccountAn >> Сметката не е открита"_s);
        if (const auto holder = RecordLock::Acquire(m_dm.db(), LockTable, LockKey(*m_account), m_lock)) {
            Messages::show(LockMessage(RecordLockPrefix, *holder));
            return false;
        }
        m_draft = DraftOf(*row);
    } else {
        m_draft = NewDraft();
    }
    m_locks = LocksOf(m_dm.db(), m_account);
    m_state->setText(StateCaption(m_account ? EditState::Edit : EditState::Insert));
    loadLevelLists();
    showDraft();
    m_number->setEnabled(!m_locks.number());
    for (QAbstractButton *b : m_measures->buttons())
        b->setEnabled(!m_locks.measure());
    for (QAbstractButton *b : m_kinds->buttons())
        b->setEnabled(!m_locks.kind());
    showPage(NamePage);
    return true;
}

void TSmWizardForm::loadLevelLists()
{
    const QList<NomRow> levels = LevelStore::Levels(m_dm.db());
    QList<NomRow> byNumber = levels;
    std::sort(byNumber.begin(), byNumber.end(), [](const NomRow &a, const NomRow &b) { return a.Nom_No < b.Nom_No; });
    m_showing = true;
    for (QComboBox *box : m_levelBoxes) {
        box->clear();
        box->addItem(QString(), 0);  // blank for no level
        for (const NomRow &level : byNumber)
            box->addItem(u"%1  %2"_s.arg(level.Nom_No).arg(level.Nom_Name), level.Nom_No);
    }
    m_showing = false;
}

void TSmWizardForm::showDraft()
{
    m_showing = true;
    m_number->setText(m_draft.numberText);
    m_name->setText(m_draft.name);
    m_measures->button(m_draft.measureType)->setChecked(true);
    m_balances->button(m_draft.balanceType)->setChecked(true);
    m_kinds->button(m_draft.kind)->setChecked(true);
    const bool open = m_draft.kind == Analytic && !m_locks.levels();
    for (int k = 0; k < 5; ++k) {
        QComboBox *box = m_levelBoxes[k];
        int index = box->findData(m_draft.levels[k]);
        if (index < 0) {
            // A level number the list lacks still shows as a number rather than as blank.
            box->addItem(QString::number(m_draft.levels[k]), m_draft.levels[k]);
            index = box->count() - 1;
        }
        box->setCurrentIndex(index);
        box->setEnabled(open);
        m_levelLabels[k]->setEnabled(m_draft.kind == Analytic);
    }
    m_showing = false;
}

void TSmWizardForm::collect()
{
    m_draft.numberText = m_number->text();
    m_draft.name = m_name->text();
    m_draft.measureType = m_measures->checkedId();
    m_draft.balanceType = m_balances->checkedId();
}

void TSmWizardForm::levelChosen(int position)
{
    collect();
    ChooseLevel(m_draft, position, m_levelBoxes[position - 1]->currentData().toInt());
    showDraft();
}

void TSmWizardForm::kindChosen(int kind)
{
    collect();
    ChooseKind(m_draft, kind);
    showDraft();
}

int TSmWizardForm::pageNumber() const { return m_pages->currentIndex() + 1; }

void TSmWizardForm::showPage(int page)
{
    m_pages->setCurrentIndex(page - 1);
    m_tree->setCurrentItem(m_tree->topLevelItem(page - 1));
    m_back->setEnabled(page != NamePage);
    m_next->setText(page == AnalyticsPage ? u"Запис"_s : u"Следващ >>"_s);
}

void TSmWizardForm::focusOn(Focus focus)
{
    switch (focus) {
    case Focus::Number: m_number->setFocus(); break;
    case Focus::Name: m_name->setFocus(); break;
    case Focus::Level1: m_levelBoxes[0]->setFocus(); break;
    case Focus::None: break;
    }
}

bool TSmWizardForm::leavePage(int target)
{
    collect();
    Problem problem;
    const bool checked =
        RunGuarded([&] { problem = CheckPage(m_dm.db(), m_draft, m_account.value_or(0), pageNumber()); });
    if (checked && problem.failed())
        Messages::show(problem.message);
    if (!checked || problem.failed()) {
        showPage(pageNumber());
        focusOn(problem.focus);
        return false;
    }
    showPage(target);
    return true;
}

bool TSmWizardForm::next()
{
    if (pageNumber() == AnalyticsPage)
        return save();
    return leavePage(pageNumber() + 1);
}

void TSmWizardForm::back()
{
    if (pageNumber() > NamePage)
        showPage(pageNumber() - 1);
}

bool TSmWizardForm::goToPage(int page)
{
    if (page < NamePage || page > AnalyticsPage)
        return false;
    if (page == pageNumber()) {
        showPage(page);
        return true;
    }
    return leavePage(page);
}

bool TSmWizardForm::save()
{
    collect();
    SaveResult result;
    if (!RunGuarded([&] { result = Save(m_dm.db(), m_account, m_draft); }))
        return false;
    if (result.problem.failed()) {
        Messages::show(result.problem.message);
        showPage(result.problem.page);
        focusOn(result.problem.focus);
        return false;
    }
    m_saved = result.number;
    m_lock.release();
    if (!m_account)
        Messages::show(AddReminder);
    accept();
    return true;
}

void TSmWizardForm::reject()
{
    m_lock.release();
    TitleStripDialog::reject();
}

void TSmWizardForm::levelLabelPressed(int position, Qt::MouseButton button)
{
    const int level = m_levelBoxes[position - 1]->currentData().toInt();
    std::optional<int> number;
    if (button == Qt::LeftButton) {
        bool exists = false;
        RunGuarded([&] { exists = level != 0 && LevelStore::Level(m_dm.db(), level).has_value(); });
        if (!exists)
            return;
        number = level;
    } else if (button != Qt::RightButton) {
        return;
    }
    collect();
    hide();
    TNomWizardForm::Run(m_dm, NomKind::Level, 0, number, this);
    show();
    RunGuarded([this] {
        loadLevelLists();
        showDraft();
    });
}

QString TSmWizardForm::stateText() const { return m_state->text(); }

QRadioButton *TSmWizardForm::measureButton(int code) const
{
    return qobject_cast<QRadioButton *>(m_measures->button(code));
}

QRadioButton *TSmWizardForm::balanceButton(int code) const
{
    return qobject_cast<QRadioButton *>(m_balances->button(code));
}

QRadioButton *TSmWizardForm::kindButton(int code) const { return qobject_cast<QRadioButton *>(m_kinds->button(code)); }
