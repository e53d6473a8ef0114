#include "posting/DocumentLinesList.h"

#include "engine/Formats.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

using namespace Qt::StringLiterals;

namespace {

constexpr int HiddenRole = Qt::UserRole + 1;

// A hidden figure must stay invisible on a selected row too, where the text colour changes.
class FigureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(HiddenRole).toBool())
            return;
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Base));
        option->palette.setColor(QPalette::HighlightedText, option->palette.color(QPalette::Highlight));
    }
};

QTableWidgetItem *Cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    return item;
}

}  // namespace

DocumentLinesList::DocumentLinesList(QWidget *parent) : QTableWidget(0, ColumnCount, parent)
{
    setHorizontalHeaderLabels(
        {u"Дебит сметка:"_s, u"Количество"_s, u"Кредит сметка"_s, u"Количество"_s, u"Стойност"_s, QString()});
    setItemDelegate(new FigureDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setSectionResizeMode(Debit, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(Credit, QHeaderView::Stretch);
    setColumnWidth(VatMark, 40);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { emit lineActivated(row); });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (const int row = rowAt(at.y()); row >= 0)
            setCurrentCell(row, Debit);
        emit popupRequested(viewport()->mapToGlobal(at));
    });
}

void DocumentLinesList::setLines(const QList<DocLineView> &lines)
{
    m_lines = lines;
    clearContents();
    setRowCount(int(lines.size()));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const auto figure = [right](const QString &text, double value) {
        QTableWidgetItem *item = Cell(text, right);
        item->setData(HiddenRole, value == 0);
        return item;
    };
    for (int row = 0; row < lines.size(); ++row) {
        const DocLineView &l = lines[row];
        setItem(row, Debit, Cell(QString::number(l.Doc_S_Dt) + u"  "_s + l.dtName));
        setItem(row, DebitQuantity, figure(Formats::Quantity(l.Doc_S_Dt_Kol), l.Doc_S_Dt_Kol));
        setItem(row, Credit, Cell(QString::number(l.Doc_S_Kt) + u"  "_s + l.ktName));
        setItem(row, CreditQuantity, figure(Formats::Quantity(l.Doc_S_Kt_Kol), l.Doc_S_Kt_Kol));
        setItem(row, Amount, figure(Formats::Amount(l.Doc_St), l.Doc_St));
        QTableWidgetItem *mark = Cell(l.Doc_DDSType >= 1 && l.Doc_DDSType <= 3 ? u"ДДС"_s : QString(), Qt::AlignCenter);
        mark->setForeground(Qt::red);
        QFont bold = font();
        bold.setBold(true);
        mark->setFont(bold);
        setItem(row, VatMark, mark);
        for (int column = 0; column < ColumnCount; ++column)
            if (item(row, column)->data(HiddenRole).toBool())
                item(row, column)->setForeground(palette().color(QPalette::Base));
    }
    if (!lines.isEmpty())
        setCurrentCell(0, Debit);
}

std::optional<DocLineView> DocumentLinesList::lineAt(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return std::nullopt;
    return m_lines[row];
}
