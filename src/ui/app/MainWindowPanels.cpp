#include "app/MainWindowPanels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

void DrawPage(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(r);
}

QPixmap DrawImage(int image)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ListImage::Accounts:
        DrawPage(p, {6, 3, 20, 26});
        p.setPen(QPen(QColor(40, 90, 160), 1.5));
        for (int y = 9; y <= 24; y += 5)
            p.drawLine(QPointF(9, y), QPointF(23, y));
        p.drawLine(QPointF(15, 6), QPointF(15, 27));
        break;
    case ListImage::Levels:
        for (int i = 2; i >= 0; --i) {
            p.setPen(QPen(QColor(50, 50, 50), 1.2));
            p.setBrush(QColor::fromHsv(120 + 40 * i, 110, 230));
            p.drawRoundedRect(QRectF(4 + 4 * i, 4 + 7 * i, 20, 12), 2, 2);
        }
        break;
    case ListImage::Lots:
        p.setPen(QPen(QColor(90, 60, 20), 1.2));
        p.setBrush(QColor(214, 170, 100));
        p.drawRect(QRectF(5, 9, 22, 19));
        p.drawLine(QPointF(16, 9), QPointF(16, 28));
        p.setBrush(QColor(235, 200, 140));
        p.drawPolygon(QPolygonF({{5, 9}, {10, 4}, {30, 4}, {27, 9}}));
        break;
    case ListImage::Folders: {
        QPainterPath folder;
        folder.moveTo(3, 8);
        folder.lineTo(12, 8);
        folder.lineTo(15, 11);
        folder.lineTo(29, 11);
        folder.lineTo(29, 27);
        folder.lineTo(3, 27);
        folder.closeSubpath();
        p.setPen(QPen(QColor(140, 100, 10), 1.2));
        p.setBrush(QColor(245, 200, 70));
        p.drawPath(folder);
        break;
    }
    case ListImage::Reports:
        DrawPage(p, {5, 3, 22, 26});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 60, 60));
        p.drawRect(QRectF(9, 18, 4, 7));
        p.setBrush(QColor(60, 140, 70));
        p.drawRect(QRectF(14, 12, 4, 13));
        p.setBrush(QColor(40, 90, 160));
        p.drawRect(QRectF(19, 8, 4, 17));
        break;
    default: break;
    }
    return pixmap;
}

QLabel *BoldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QTableWidget *PlainTable(int columns, const QStringList &headers, QWidget *parent)
{
    auto *table = new QTableWidget(0, columns, parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(22);
    return table;
}

}  // namespace

QIcon ListImageIcon(int image) { return QIcon(DrawImage(image)); }

QStringList ListViewStyleNames() { return {u"Списък"_s, u"Големи икони"_s, u"Малки икони"_s, u"Редове"_s}; }

void ApplyListViewStyle(QListWidget *list, int style)
{
    const bool icons = style == 1;
    list->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    list->setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
    // Rows run down one column; a list wraps into columns; small icons run across.
    list->setFlow(style == 0 || style == 3 ? QListView::TopToBottom : QListView::LeftToRight);
    list->setWrapping(style != 3);
    list->setGridSize(icons ? QSize(110, 70) : QSize());
    list->setWordWrap(icons);
    list->setMovement(QListView::Static);
    list->setResizeMode(QListView::Adjust);
}

DetailSheet::DetailSheet(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < Capacity; ++i) {
        const int row = i % RowsPerColumn, column = 2 * (i / RowsPerColumn);
        m_captions << BoldLabel({}, this);
        m_values << new QLabel(this);
        m_values.last()->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(m_captions.last(), row, column);
        grid->addWidget(m_values.last(), row, column + 1);
    }
    grid->setColumnStretch(2 * (Capacity / RowsPerColumn), 1);
    grid->setRowStretch(RowsPerColumn, 1);
    clear();
}

void DetailSheet::setLines(const QList<DetailLine> &lines)
{
    m_lines = lines.mid(0, Capacity);
    for (int i = 0; i < Capacity; ++i) {
        const bool used = i < m_lines.size();
        m_captions[i]->setText(used ? m_lines[i].caption : QString());
        m_values[i]->setText(used ? m_lines[i].value : QString());
        m_captions[i]->setVisible(used);
        m_values[i]->setVisible(used);
    }
}

QString DetailSheet::value(const QString &caption) const
{
    for (const DetailLine &line : m_lines)
        if (line.caption == caption)
            return line.value;
    return {};
}

TotalsSheet::TotalsSheet(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(24);
    const QStringList columns = {u"Количество Дт:"_s, u"Стойност Дт:"_s, u"Количество Kт:"_s, u"Стойност Kт:"_s};
    const QStringList rows = {u"Начално салдо:"_s, u"Обороти:"_s, u"Крайно салдо:"_s};
    for (int c = 0; c < columns.size(); ++c)
        grid->addWidget(BoldLabel(columns[c], this), 0, c + 1, Qt::AlignRight);
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(BoldLabel(rows[r], this), r + 1, 0);
        QList<QLabel *> figures;
        for (int c = 0; c < columns.size(); ++c) {
            figures << new QLabel(this);
            figures.last()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(figures.last(), r + 1, c + 1);
        }
        m_figures << figures;
    }
    grid->setColumnStretch(columns.size() + 1, 1);
    grid->setRowStretch(rows.size() + 1, 1);
}

void TotalsSheet::setFigures(const QList<QStringList> &figures)
{
    for (int r = 0; r < m_figures.size(); ++r)
        for (int c = 0; c < m_figures[r].size(); ++c)
            m_figures[r][c]->setText(r < figures.size() && c < figures[r].size() ? figures[r][c] : QString());
}

void TotalsSheet::clear() { setFigures({}); }

QString TotalsSheet::figure(int row, int column) const
{
    if (row < 0 || row >= m_figures.size() || column < 0 || column >= m_figures[row].size())
        return {};
    return m_figures[row][column]->text();
}

OpeningBalancesPage::OpeningBalancesPage(QWidget *parent) : QWidget(parent)
{
    auto *split = new QSplitter(this);
    auto *left = new QWidget(split);
    auto *column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    auto *tools = new QHBoxLayout;
    m_search = new QLineEdit(left);
    m_search->setPlaceholderText(u"Търсене на сметка"_s);
    m_filter = new QToolButton(left);
    m_filter->setText(u"Филтър"_s);
    m_filter->setPopupMode(QToolButton::InstantPopup);
    // Room for the menu arrow beside the caption.
    m_filter->setMinimumWidth(m_filter->sizeHint().width() + 16);
    tools->addWidget(m_search, 1);
    tools->addWidget(m_filter);
    m_filterLabel = new QLabel(AccountFilterCaption(AccountFilter::All), left);
    m_accounts = PlainTable(2, {u"Номер"_s, u"Наименование"_s}, left);
    m_accounts->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_accounts->horizontalHeader()->setStretchLastSection(true);
    column->addLayout(tools);
    column->addWidget(m_filterLabel);
    column->addWidget(m_accounts, 1);

    m_grid = PlainTable(9, {u"ДТ.Кол"_s, u"ДТ.Ст."_s, u"КТ.Ст."_s, u"КТ.Кол"_s, u"Партиди:"_s, {}, {}, {}, {}}, split);
    split->addWidget(left);
    split->addWidget(m_grid);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    split->setStretchFactor(1, 1);
    split->setSizes({380, 620});
    m_firmTotals = new QLabel(this);
    m_firmTotals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split, 1);
    layout->addWidget(m_firmTotals);

    connect(m_accounts, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous) {
                if (row != previous)
                    emit accountChanged();
            });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous) {
        if (row != previous)
            emit rowChanged();
    });
    connect(m_accounts->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this] { emit accountEditRequested(true); });
    connect(m_accounts, &QTableWidget::cellDoubleClicked, this, [this] { emit accountEditRequested(false); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { emit rowActivated(); });
}

void OpeningBalancesPage::setAccounts(const QList<SRow> &accounts)
{
    const QSignalBlocker block(m_accounts);
    m_accounts->setRowCount(0);
    m_accounts->setRowCount(int(accounts.size()));
    for (int r = 0; r < accounts.size(); ++r) {
        auto *number = new QTableWidgetItem(QString::number(accounts[r].S_UNo));
        number->setData(Qt::UserRole, accounts[r].S_UNo);
        m_accounts->setItem(r, 0, number);
        m_accounts->setItem(r, 1, new QTableWidgetItem(accounts[r].S_Name));
    }
}

std::optional<int> OpeningBalancesPage::currentAccount() const
{
    const QTableWidgetItem *item = m_accounts->item(m_accounts->currentRow(), 0);
    return item ? std::optional<int>(item->data(Qt::UserRole).toInt()) : std::nullopt;
}

bool OpeningBalancesPage::selectAccount(int account)
{
    for (int r = 0; r < m_accounts->rowCount(); ++r) {
        if (m_accounts->item(r, 0)->data(Qt::UserRole).toInt() == account) {
            m_accounts->setCurrentCell(r, 0);
            m_accounts->scrollToItem(m_accounts->item(r, 0));
            return true;
        }
    }
    return false;
}

void OpeningBalancesPage::setRows(const QList<QStringList> &rows, const SRow &account)
{
    const QSignalBlocker block(m_grid);
    m_grid->setRowCount(0);
    m_grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size() && c < m_grid->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            if (c < 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
    for (int i = 0; i < 5; ++i)
        m_grid->setColumnHidden(4 + i, account.S_An[i] == 0);
}

int OpeningBalancesPage::currentRow() const { return m_grid->currentRow(); }

void OpeningBalancesPage::setFirmTotals(const QString &text, bool balanced)
{
    m_firmTotals->setText(text);
    m_firmTotals->setStyleSheet(balanced ? QString() : u"QLabel { color: #b00000; font-weight: bold; }"_s);
}
