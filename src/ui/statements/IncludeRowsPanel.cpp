#include "statements/IncludeRowsPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QString AccountWithLots(int account, const LotKey &lots)
{
    if (account == 0)
        return {};
    QStringList lotTexts;
    int last = 0;
    for (int i = 0; i < 5; ++i)
        if (lots[i] > 0)
            last = i + 1;
    for (int i = 0; i < last; ++i)
        lotTexts << QString::number(lots[i]);
    return lotTexts.isEmpty() ? QString::number(account) : QString::number(account) + u" / "_s + lotTexts.join(u", "_s);
}

IncludeRowsPanel::IncludeRowsPanel(QWidget *parent)
    : QWidget(parent), m_heading(new QLabel(u"Сметки включени      в показателя"_s, this)),
      m_table(new QTableWidget(0, 4, this))
{
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_table->setHorizontalHeaderLabels({u"Сметка"_s, u"Кор. сметка"_s, u"Вид"_s, QString()});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading);
    layout->addWidget(m_table, 1);
    setMinimumWidth(360);
    setMaximumWidth(460);
}

void IncludeRowsPanel::showRows(StatementType type, const QList<IncludeRow> &rows)
{
    m_table->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const IncludeRow &r = rows[i];
        const QStringList texts = {AccountWithLots(r.OPR_Account_No, r.OPR_Account_An),
                                   AccountWithLots(r.OPR_AccCor_No, r.OPR_AccCor_An),
                                   IncludeKindText(r.OPR_Account_Type), IncludeCorrectionText(type, r)};
        for (int c = 0; c < texts.size(); ++c)
            m_table->setItem(i, c, new QTableWidgetItem(texts[c]));
    }
}

void IncludeRowsPanel::clear() { m_table->setRowCount(0); }

QStringList IncludeRowsPanel::rowTexts(int row) const
{
    QStringList texts;
    for (int c = 0; c < m_table->columnCount(); ++c)
        texts << (m_table->item(row, c) ? m_table->item(row, c)->text() : QString());
    return texts;
}
