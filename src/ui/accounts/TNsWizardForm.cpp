#include "accounts/TNsWizardForm.h"

#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/TNomWizardForm.h"
#include "app/TErrorHook.h"
#include "engine/Errors.h"
#include "engine/Messages.h"
#include "firm/Lookups.h"
#include "firm/TDM.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace OpeningBalanceRules;

namespace {
const QString HelpText =
    u"Основните моменти, които трябва да имате предвид при въвеждане на начални салда са:\r\n"
    "1. При аналитична сметка изберете партидата от падащото меню, обозначено с името на аналитичното ниво.\r\n"
    "2. Ако партидата липсва, натиснете с десния бутон на мишката върху името на аналитичното ниво, за да "
    "добавите нова партида."_s;

// The value boxes in their order on the form, with their labels.
constexpr Box ValueBoxes[] = {Box::KolDt, Box::StDt, Box::KolKt, Box::StKt};

int ValueIndex(Box box)
{
    for (int i = 0; i < 4; ++i)
        if (ValueBoxes[i] == box)
            return i;
    return -1;
}
}  // namespace

TNsWizardForm::TNsWizardForm(TDM &dm, int account, std::optional<SnsRow> row, QWidget *parent)
    : TitleStripDialog(u"Начални салда"_s, parent), m_dm(dm), m_accountNumber(account), m_original(std::move(row))
{
    m_state = AddStateLabel(*this);
    m_state->setText(StateCaption(EditState::Inactive));

    m_header = new QLabel(body());
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);

    auto *lots = new QGridLayout;
    for (int k = 1; k <= 5; ++k) {
        auto *label = new MouseLabel(QString(), body());
        auto *box = new QComboBox(body());
        lots->addWidget(label, k - 1, 0);
        lots->addWidget(box, k - 1, 1);
        m_lotLabels[k - 1] = label;
        m_lotBoxes[k - 1] = box;
        connect(label, &MouseLabel::leftClicked, this, [this, k] { lotLabelPressed(k, Qt::LeftButton); });
        connect(label, &MouseLabel::rightClicked, this, [this, k] { lotLabelPressed(k, Qt::RightButton); });
    }
    lots->setColumnStretch(1, 1);

    // Hidden lot rows take no room, so the values sit right under the lowest lot box shown.
    auto *values = new QGridLayout;
    const QString captions[] = {u"Количество Дт.:"_s, u"Стойност Дт:"_s, u"Количество Кт.:"_s, u"Стоност Кт:"_s};
    for (int i = 0; i < 4; ++i) {
        m_valueLabels[i] = new QLabel(captions[i], body());
        m_values[i] = new QLineEdit(body());
        m_values[i]->setAlignment(Qt::AlignRight);
        m_values[i]->setMaxLength(20);
        values->addWidget(m_valueLabels[i], i / 2, (i % 2) * 2);
        values->addWidget(m_values[i], i / 2, (i % 2) * 2 + 1);
    }

    m_help = new QLabel(ScreenText(HelpText), body());
    m_help->setWordWrap(true);
    m_help->setFrameShape(QFrame::StyledPanel);
    m_help->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_help->setFixedWidth(220);

    m_save = new QPushButton(u"Запис"_s, body());
    m_saveNew = new QPushButton(u"Запис+Нов"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    m_save->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_saveNew);
    buttons->addWidget(m_cancel);

    auto *left = new QVBoxLayout;
    left->addWidget(m_header);
    left->addLayout(lots);
    left->addLayout(values);
    left->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_help);
    auto *layout = new QVBoxLayout(body());
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_saveNew, &QPushButton::clicked, this, [this] { saveAndNew(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    SetDialogKeys(m_save, m_cancel);

    resize(620, 320);
    CentreOnDesktop(this);
}

bool TNsWizardForm::Run(TDM &dm, int account, std::optional<SnsRow> row, QWidget *parent)
{
    TNsWizardForm form(dm, account, std::move(row), parent);
    bool ready = false;
    if (!RunGuarded([&] { ready = form.begin(); }) || !ready)
        return false;
    RunModal(form);
    return form.savedAny();
}

bool TNsWizardForm::begin()
{
    Db &db = m_dm.db();
    if (m_original) {
        if (const auto holder = LockedRowOfAccount(db, m_accountNumber)) {
            Messages::show(LockMessage(RecordLockPrefix, *holder));
            return false;
        }
        if (const auto holder = RecordLock::Acquire(db, LockTable, LockKey(*m_original), m_lock)) {
            Messages::show(LockMessage(RecordLockPrefix, *holder));
            return false;
        }
    }
    const auto account = FindAccount(db, m_accountNumber);
    if (!account)
        throw MyException(u"CheckAccountAn >> Сметката не е открита"_s);
    m_account = *account;
    if (!m_original) {
        if (const QString refusal = AddRefusal(db, m_account); !refusal.isEmpty()) {
            Messages::show(refusal);
            return false;
        }
    }
    m_slots = LotSlots(db, m_account);
    setUpControls();
    showRow(m_original.value_or(SnsRow{m_accountNumber, {}, 0, 0, 0, 0}));
    focusFirst();
    return true;
}

void TNsWizardForm::setUpControls()
{
    m_saveNew->setEnabled(SaveAndNewAllowed(m_account));
    const bool quantities = ShowsQuantities(m_account);
    for (Box box : {Box::KolDt, Box::KolKt}) {
        valueBox(box)->setVisible(quantities);
        valueLabel(box)->setVisible(quantities);
    }
    m_header->setText(QString::number(m_account.number) + u' ' + m_account.name);
    for (int k = 1; k <= 5; ++k) {
        m_lotBoxes[k - 1]->setVisible(false);
        m_lotLabels[k - 1]->setVisible(false);
    }
    for (const LotSlot &slot : std::as_const(m_slots)) {
        m_lotLabels[slot.position - 1]->setText(slot.label);
        m_lotLabels[slot.position - 1]->setVisible(true);
        m_lotBoxes[slot.position - 1]->setVisible(true);
        loadLots(slot.position);
    }
    m_state->setText(StateCaption(m_original ? EditState::Edit : EditState::Insert));
}

void TNsWizardForm::loadLots(int position)
{
    const int level = m_account.levels[position - 1];
    QComboBox *box = m_lotBoxes[position - 1];
    const QVariant chosen = box->currentData();
    box->clear();
    for (const auto &[number, name] : LevelStore::LotsOfLevel(m_dm.db(), level))
        box->addItem(name, number);
    box->setCurrentIndex(box->findData(chosen));
}

void TNsWizardForm::selectLot(int position, int lot)
{
    QComboBox *box = m_lotBoxes[position - 1];
    box->setCurrentIndex(lot == 0 ? -1 : box->findData(lot));
}

void TNsWizardForm::showRow(const SnsRow &row)
{
    for (const LotSlot &slot : std::as_const(m_slots))
        selectLot(slot.position, row.Sn_An[slot.position - 1]);
    valueBox(Box::KolDt)->setText(ShowQuantity(row.Sn_Kol_Dt));
    valueBox(Box::StDt)->setText(ShowAmount(row.Sn_St_Dt));
    valueBox(Box::KolKt)->setText(ShowQuantity(row.Sn_Kol_Kt));
    valueBox(Box::StKt)->setText(ShowAmount(row.Sn_St_Kt));
}

void TNsWizardForm::focusOn(Box box)
{
    if (box >= Box::Lot1 && box <= Box::Lot5)
        m_lotBoxes[static_cast<int>(box) - static_cast<int>(Box::Lot1)]->setFocus();
    else if (QLineEdit *edit = valueBox(box))
        edit->setFocus();
}

void TNsWizardForm::focusFirst()
{
    if (!m_slots.isEmpty())
        focusOn(LotBox(m_slots.first().position));
    else
        focusOn(ShowsQuantities(m_account) ? Box::KolDt : Box::StDt);
}

bool TNsWizardForm::post()
{
    SnsRow row;
    row.Sn_UNo = m_accountNumber;
    for (const LotSlot &slot : std::as_const(m_slots))
        row.Sn_An[slot.position - 1] = m_lotBoxes[slot.position - 1]->currentData().toInt();
    const TypedValues typed{valueBox(Box::KolDt)->text(), valueBox(Box::StDt)->text(), valueBox(Box::KolKt)->text(),
                            valueBox(Box::StKt)->text()};
    Problem problem = ReadValues(typed, row);
    if (!problem.failed() && !RunGuarded([&] { problem = Save(m_dm.db(), m_account, m_original, row); }))
        return false;
    if (problem.failed()) {
        Messages::show(problem.message);
        focusOn(problem.focus);
        return false;
    }
    m_savedAny = true;
    m_lock.release();
    return true;
}

bool TNsWizardForm::save()
{
    if (!post())
        return false;
    accept();
    return true;
}

bool TNsWizardForm::saveAndNew()
{
    if (!m_saveNew->isEnabled() || !post())
        return false;
    m_original.reset();
    m_state->setText(StateCaption(EditState::Insert));
    showRow(SnsRow{m_accountNumber, {}, 0, 0, 0, 0});
    focusFirst();
    return true;
}

void TNsWizardForm::reject()
{
    m_lock.release();
    TitleStripDialog::reject();
}

void TNsWizardForm::lotLabelPressed(int position, Qt::MouseButton button)
{
    const int level = m_account.levels[position - 1];
    const QVariant chosen = m_lotBoxes[position - 1]->currentData();
    std::optional<int> lot;
    if (button == Qt::LeftButton) {
        bool exists = false;
        RunGuarded([&] { exists = chosen.isValid() && LevelStore::LotExists(m_dm.db(), level, chosen.toInt()); });
        if (!exists)
            return;
        lot = chosen.toInt();
    } else if (button != Qt::RightButton) {
        return;
    }
    const std::optional<int> saved = TNomWizardForm::Run(m_dm, NomKind::Lot, level, lot, this);
    RunGuarded([&] {
        loadLots(position);
        if (saved)
            selectLot(position, *saved);
    });
}

QString TNsWizardForm::stateText() const { return m_state->text(); }

QString TNsWizardForm::helpText() const { return HelpText; }

QLineEdit *TNsWizardForm::valueBox(Box box) const
{
    const int i = ValueIndex(box);
    return i < 0 ? nullptr : m_values[i];
}

QLabel *TNsWizardForm::valueLabel(Box box) const
{
    const int i = ValueIndex(box);
    return i < 0 ? nullptr : m_valueLabels[i];
}
