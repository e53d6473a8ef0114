#include "accounts/TKontraAddForm.h"

#include "accounts/LevelStore.h"
#include "accounts/NomRules.h"
#include "accounts/TNomWizardForm.h"
#include "app/TErrorHook.h"
#include "engine/Messages.h"
#include "firm/TDM.h"
#include "widgets/Accelerators.h"
#include "widgets/EditorWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString HelpText = u"Изберете аналитично ниво, към което да бъде добавена партидата на контрагента.\r\n"
                         "С десния бутон на мишката върху \"Аналитични нива:\" добавяте ново аналитично ниво.\r\n"
                         "С левия бутон на мишката върху \"Аналитични нива:\" редактирате избраното ниво."_s;
}

TKontraAddForm::TKontraAddForm(TDM &dm, int type, QWidget *parent)
    : TitleStripDialog(u"Контрагенти"_s, parent), m_dm(dm), m_type(type)
{
    auto *help = new QLabel(ScreenText(HelpText), body());
    help->setWordWrap(true);
    help->setFrameShape(QFrame::StyledPanel);

    m_label = new MouseLabel(u"Аналитични нива:"_s, body());
    m_label->setHoverHighlight(true);
    m_list = new QListWidget(body());

    m_choose = new QPushButton(u"Избор"_s, body());
    m_cancel = new QPushButton(u"Отказ"_s, body());
    m_choose->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_choose);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(body());
    layout->addWidget(help);
    layout->addWidget(m_label);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_choose, &QPushButton::clicked, this, [this] { choose(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { choose(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    SetDialogKeys(m_choose, m_cancel);
    connect(m_label, &MouseLabel::leftClicked, this, [this] { labelPressed(Qt::LeftButton); });
    connect(m_label, &MouseLabel::rightClicked, this, [this] { labelPressed(Qt::RightButton); });

    resize(380, 340);
    CentreOnDesktop(this);
}

std::optional<int> TKontraAddForm::Run(TDM &dm, QWidget *parent)
{
    std::optional<int> level;
    {
        TKontraAddForm chooser(dm, NomType::Counterparties, parent);
        if (!RunGuarded([&] { chooser.reload(); }))
            return std::nullopt;
        if (RunModal(chooser) == QDialog::Accepted)
            level = chooser.chosenLevel();
    }
    if (!level)
        return std::nullopt;
    return TNomWizardForm::Run(dm, NomKind::Lot, *level, std::nullopt, parent);
}

std::optional<int> TKontraAddForm::selectedLevel() const
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return std::nullopt;
    return item->data(Qt::UserRole).toInt();
}

void TKontraAddForm::reload()
{
    const auto previous = selectedLevel();
    m_list->clear();
    for (const NomRow &level : LevelStore::LevelsOfType(m_dm.db(), m_type)) {
        auto *item = new QListWidgetItem(level.Nom_Name, m_list);
        item->setData(Qt::UserRole, level.Nom_No);
        if (previous == level.Nom_No)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
}

bool TKontraAddForm::choose()
{
    const auto level = selectedLevel();
    bool found = false;
    if (!RunGuarded([&] { found = level && LevelStore::Level(m_dm.db(), *level).has_value(); }))
        return false;
    if (!found) {
        Messages::show(NomRules::LevelNotFoundMessage);
        return false;
    }
    m_chosen = level;
    accept();
    return true;
}

void TKontraAddForm::labelPressed(Qt::MouseButton button)
{
    std::optional<int> added;
    if (button == Qt::LeftButton) {
        const auto level = selectedLevel();
        bool found = false;
        RunGuarded([&] { found = level && LevelStore::Level(m_dm.db(), *level).has_value(); });
        if (found)
            TNomWizardForm::Run(m_dm, NomKind::Level, 0, *level, this);
    } else if (button == Qt::RightButton) {
        added = TNomWizardForm::Run(m_dm, NomKind::Level, 0, std::nullopt, this);
    }
    RunGuarded([this] { reload(); });
    // A new counterparty level is the one the user means to fill.
    for (int row = 0; added && row < m_list->count(); ++row)
        if (m_list->item(row)->data(Qt::UserRole).toInt() == *added)
            m_list->setCurrentRow(row);
}

QString TKontraAddForm::helpText() const { return HelpText; }
