#include "accounts/AccountPickerDialog.h"

#include "accounts/ChartStore.h"
#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/TNomWizardForm.h"
#include "accounts/TSmWizardForm.h"
#include "app/TErrorHook.h"
#include "engine/Db.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString LabelHint = u"С левия бутон на мишката редактирате избрания елемент,\r\nс десния добавяте нов."_s;

int KeyOf(const QComboBox *box)
{
    return box->currentIndex() < 0 ? 0 : box->currentData().toInt();
}

void Choose(QComboBox *box, int key)
{
    const int index = box->findData(key);
    box->setCurrentIndex(index < 0 ? 0 : index);
}
}  // namespace

AccountPickerDialog::AccountPickerDialog(TFD &fd, TDM &dm, PickerVariant variant, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_fd(fd), m_dm(dm), m_variant(variant)
{
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto *grid = new QGridLayout;
    m_accountLabel = new MouseLabel(u"Сметка:"_s, frame);
    m_accountLabel->setToolTip(ScreenText(LabelHint));
    m_accountBox = new QComboBox(frame);
    m_accountBox->setMaxVisibleItems(20);
    grid->addWidget(m_accountLabel, 0, 0);
    grid->addWidget(m_accountBox, 0, 1);
    for (int k = 1; k <= 5; ++k) {
        auto *label = new MouseLabel({}, frame);
        label->setToolTip(ScreenText(LabelHint));
        auto *box = new QComboBox(frame);
        box->setMaxVisibleItems(20);
        grid->addWidget(label, k, 0);
        grid->addWidget(box, k, 1);
        label->hide();
        box->hide();
        m_lotLabels[k - 1] = label;
        m_lotBoxes[k - 1] = box;
        connect(label, &MouseLabel::leftClicked, this, [this, k] { lotLabelPressed(k, Qt::LeftButton); });
        connect(label, &MouseLabel::rightClicked, this, [this, k] { lotLabelPressed(k, Qt::RightButton); });
    }
    grid->setColumnStretch(1, 1);

    m_save = new QPushButton(u"Запис"_s, frame);
    m_cancel = new QPushButton(u"Отказ"_s, frame);
    m_save->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);

    auto *inner = new QVBoxLayout(frame);
    inner->addLayout(grid);
    inner->addStretch(1);
    inner->addLayout(buttons);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    // The picker takes exactly the caller's size, even when that is smaller than it would like.
    outer->setSizeConstraint(QLayout::SetNoConstraint);

    connect(m_accountLabel, &MouseLabel::leftClicked, this, [this] { accountLabelPressed(Qt::LeftButton); });
    connect(m_accountLabel, &MouseLabel::rightClicked, this, [this] { accountLabelPressed(Qt::RightButton); });
    connect(m_accountBox, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            RunGuarded([this] { accountChosen(); });
    });
    connect(m_save, &QPushButton::clicked, this, [this] { RunGuarded([this] { confirm(); }); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetDialogKeys(m_save, m_cancel);
}

void AccountPickerDialog::start(int account, const LotKey &lots)
{
    fillAccounts(account);
    accountChosen();
    for (int k = 1; k <= 5; ++k)
        if (m_boxes[k - 1].visible)
            Choose(lotBox(k), lots[k - 1]);
    // With the account given, the keyboard goes on at the first lot still to choose.
    QWidget *focus = m_accountBox;
    for (int k = 5; k >= 1; --k)
        if (chosenAccount() != 0 && m_boxes[k - 1].visible && KeyOf(lotBox(k)) == 0)
            focus = lotBox(k);
    focus->setFocus();
}

void AccountPickerDialog::placeOver(const QWidget *over)
{
    if (!over)
        return;
    setGeometry(QRect(over->mapToGlobal(QPoint(0, 0)), over->size()));
}

int AccountPickerDialog::chosenAccount() const { return KeyOf(m_accountBox); }

PickerChoice AccountPickerDialog::choice() const
{
    PickerChoice c;
    c.account = chosenAccount();
    for (int k = 0; k < 5; ++k) {
        if (!m_boxes[k].visible)
            continue;
        c.lots[k] = KeyOf(m_lotBoxes[k]);
        c.lotTexts[k] = m_lotBoxes[k]->currentText();
    }
    return c;
}

void AccountPickerDialog::fillAccounts(int account)
{
    m_filling = true;
    m_accountBox->clear();
    m_accountBox->addItem(QString(), 0);
    for (const SRow &row : AccountPicker::Accounts(m_dm.db()))
        m_accountBox->addItem(u"%1  %2"_s.arg(row.S_UNo).arg(row.S_Name), row.S_UNo);
    Choose(m_accountBox, account);
    m_filling = false;
}

void AccountPickerDialog::accountChosen()
{
    m_boxes = AccountPicker::LotBoxes(m_dm.db(), chosenAccount());
    for (int k = 1; k <= 5; ++k)
        fillLotBox(k, 0);
}

void AccountPickerDialog::fillLotBox(int position, int lot)
{
    const PickerLotBox &box = m_boxes[position - 1];
    QComboBox *combo = lotBox(position);
    combo->clear();
    combo->addItem(QString(), 0);
    for (const auto &[number, name] : box.lots)
        combo->addItem(name, number);
    Choose(combo, lot);
    lotLabel(position)->setText(box.label);
    lotLabel(position)->setVisible(box.visible);
    combo->setVisible(box.visible);
}

void AccountPickerDialog::chooseLot(int position, int lot) { Choose(lotBox(position), lot); }

bool AccountPickerDialog::confirm()
{
    const PickerChoice c = choice();
    const PickerProblem problem = AccountPicker::Check(m_variant, c, m_boxes);
    if (!problem.message.isEmpty()) {
        (problem.focus == 0 ? m_accountBox : lotBox(problem.focus))->setFocus();
        Messages::show(problem.message);
        return false;
    }
    // The choice must not be written into a caller's row while a save is under way.
    if (Transaction::anyActive())
        Messages::show(PickAgainMessage);
    else
        take(AccountPicker::Result(c, m_boxes));
    accept();
    return true;
}

void AccountPickerDialog::accountLabelPressed(Qt::MouseButton button)
{
    std::optional<int> edited;
    if (button == Qt::LeftButton) {
        const int account = chosenAccount();
        bool found = false;
        RunGuarded([&] { found = account != 0 && ChartStore::Find(m_dm.db(), account).has_value(); });
        if (!found)
            return;
        editorOpening();
        edited = TSmWizardForm::Run(m_fd, m_dm, account, this);
        editorClosed();
    } else if (button == Qt::RightButton) {
        editorOpening();
        edited = TSmWizardForm::Run(m_fd, m_dm, std::nullopt, this);
        editorClosed();
    }
    if (!edited)
        return;
    // The editor may have renumbered the account or changed its levels.
    const PickerChoice before = choice();
    RunGuarded([&] {
        fillAccounts(*edited);
        accountChosen();
        if (*edited == before.account)
            for (int k = 1; k <= 5; ++k)
                chooseLot(k, before.lots[k - 1]);
    });
}

void AccountPickerDialog::lotLabelPressed(int position, Qt::MouseButton button)
{
    const PickerLotBox &box = m_boxes[position - 1];
    if (!box.visible)
        return;
    const int level = box.level;
    const int lot = KeyOf(lotBox(position));
    std::optional<int> saved;
    if (button == Qt::LeftButton) {
        bool found = false;
        RunGuarded([&] { found = lot != 0 && LevelStore::LotExists(m_dm.db(), level, lot); });
        if (!found)
            return;
        editorOpening();
        saved = TNomWizardForm::Run(m_dm, NomKind::Lot, level, lot, this);
        editorClosed();
    } else if (button == Qt::RightButton) {
        editorOpening();
        saved = TNomWizardForm::Run(m_dm, NomKind::Lot, level, std::nullopt, this);
        editorClosed();
    }
    if (!saved)
        return;
    RunGuarded([&] {
        const PickerLotBoxes fresh = AccountPicker::LotBoxes(m_dm.db(), chosenAccount());
        m_boxes[position - 1] = fresh[position - 1];
        fillLotBox(position, *saved);
    });
}
