#include "reports/LotExtractOptionsPage.h"

#include "accounts/LevelStore.h"
#include "reports/OptionWidgets.h"
#include "widgets/DateBox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The buttons in page order: "Папки", "дата на осчетоводяване", "сметки ", "документи", "без групиране".
constexpr LotGrouping ButtonGroupings[] = {LotGrouping::Folder, LotGrouping::Date, LotGrouping::Account,
                                           LotGrouping::Document, LotGrouping::None};
}  // namespace

LotExtractOptionsPage::LotExtractOptionsPage(Db &db, QWidget *parent) : QWidget(parent), m_db(db)
{
    QGroupBox *period = NewPeriodBox(u"Период"_s, this, m_from, m_to);
    m_level = new QComboBox(this);
    m_lot = new QComboBox(this);
    auto *fields = new QFormLayout;
    fields->addRow(u"Аналитично ниво:"_s, m_level);
    fields->addRow(u"Партида:"_s, m_lot);
    QGroupBox *grouping = NewChoiceBox(u"Групиране на извлвчението по:"_s,
                                       {u"Папки"_s, u"дата на осчетоводяване"_s, u"сметки "_s, u"документи"_s,
                                        u"без групиране"_s},
                                       this, m_grouping);
    m_grouping->button(1)->setChecked(true);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(fields, 1);
    bottom->addWidget(grouping);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addLayout(bottom);
    layout->addStretch(1);
    connect(m_level, &QComboBox::currentIndexChanged, this, &LotExtractOptionsPage::levelChanged);
}

void LotExtractOptionsPage::load()
{
    QList<std::pair<int, QString>> levels;
    for (const NomRow &level : LevelStore::Levels(m_db))
        levels.append({level.Nom_No, level.Nom_Name});
    FillNumbered(m_level, levels, QString());
    levelChanged();
}

void LotExtractOptionsPage::levelChanged()
{
    const int level = m_level->currentData().toInt();
    FillNumbered(m_lot, level > 0 ? LevelStore::LotsOfLevel(m_db, level) : QList<std::pair<int, QString>>{}, QString());
}

void LotExtractOptionsPage::setPeriod(const ReportPeriodDefaults &dates) { SetPeriod(m_from, m_to, dates); }

LotExtractPage LotExtractOptionsPage::read() const
{
    LotExtractPage p;
    p.from = m_from->text();
    p.to = m_to->text();
    p.level = m_level->currentData().toInt();
    p.lot = m_lot->currentData().toInt();
    p.grouping = ButtonGroupings[std::clamp(m_grouping->checkedId(), 0, 4)];
    return p;
}
