#include "posting/OpElementGrid.h"

#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int ButtonWidth = 18;

WorkLine AsLine(const OpElement &e)
{
    WorkLine line;
    line.account = e.account;
    line.lots = e.lots;
    line.name = e.name;
    return line;
}

}  // namespace

OpElementGrid::OpElementGrid(QWidget *parent) : EntryGrid(parent)
{
    hideColumn(KolColumn);
    hideColumn(StColumn);
    setColumnWidth(AccountColumn, 70);
    m_picker = new QToolButton(viewport());
    m_picker->setText(u"…"_s);
    m_picker->setToolTip(u"Избор на сметка и партиди (интервал)"_s);
    // The keyboard stays in the grid, where Space does the same.
    m_picker->setFocusPolicy(Qt::NoFocus);
    m_picker->hide();
    connect(m_picker, &QToolButton::clicked, this, [this] {
        if (currentRow() >= 0)
            emit pickerButtonPressed(currentRow());
    });
    connect(this, &QTableWidget::currentCellChanged, this, &OpElementGrid::placePickerButton);
}

void OpElementGrid::showElements(const QList<OpElement> &elements)
{
    QList<WorkLine> lines;
    for (const OpElement &e : elements)
        lines.append(AsLine(e));
    showLines(lines);
    // Every grid with elements has a current row, so its picker button is there to press.
    if (currentRow() < 0 && rowCount() > 0)
        returnTo(0, AccountColumn);
    placePickerButton();
}

void OpElementGrid::showElement(int row, const OpElement &element) { showLine(row, AsLine(element)); }

void OpElementGrid::placePickerButton()
{
    const int row = currentRow();
    if (row < 0 || row >= rowCount()) {
        m_picker->hide();
        return;
    }
    const QRect cell = visualRect(model()->index(row, AccountColumn));
    m_picker->setGeometry(cell.right() - ButtonWidth + 1, cell.top(), ButtonWidth, cell.height());
    m_picker->show();
    m_picker->raise();
}

void OpElementGrid::updateGeometries()
{
    EntryGrid::updateGeometries();
    placePickerButton();
}

void OpElementGrid::scrollContentsBy(int dx, int dy)
{
    EntryGrid::scrollContentsBy(dx, dy);
    placePickerButton();
}
