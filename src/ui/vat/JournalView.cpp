#include "vat/JournalView.h"

#include "engine/Formats.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// Long headings broken into lines of about this many characters.
constexpr int HeadingLine = 13;

QString Wrapped(const QString &text)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > HeadingLine) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : u" "_s) + word;
    }
    lines << line;
    return lines.join(u'\n');
}

QTableWidgetItem *Item(const QString &text, bool amount = false)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
}  // namespace

QStringList JournalView::Headings(VatJournalKind kind)
{
    const bool purchases = kind == VatJournalKind::Purchases;
    QStringList headings = {u"Вид на\nдокумента"_s,
                            QString(),
                            u"Номер на документа"_s,
                            u"Дата на документа"_s,
                            purchases ? u"Данъчен номер на доставчика"_s : u"Данъчен номер на получателя"_s,
                            purchases ? u"Наименование на доставчика"_s : u"Наименование на контрагента получателя"_s,
                            purchases ? u"Предмет на сделката"_s : u"Предмет на доставката"_s};
    for (const QString &h : VatJournals::AmountHeadings(kind))
        headings << h;
    return headings;
}

JournalView::JournalView(VatJournalKind kind, QWidget *parent) : QWidget(parent)
{
    m_journal.kind = kind;
    const QStringList headings = Headings(kind);
    m_grid = new QTableWidget(0, int(headings.size()), this);
    QStringList wrapped;
    for (const QString &h : headings)
        wrapped << (h.contains(u'\n') ? h : Wrapped(h));
    m_grid->setHorizontalHeaderLabels(wrapped);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->installEventFilter(this);

    m_footer = new QTableWidget(1, int(headings.size()), this);
    m_footer->horizontalHeader()->setVisible(false);
    m_footer->verticalHeader()->setVisible(false);
    m_footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setFocusPolicy(Qt::NoFocus);
    m_footer->setSelectionMode(QAbstractItemView::NoSelection);
    m_footer->setFixedHeight(24);
    m_footer->verticalHeader()->setDefaultSectionSize(22);

    const std::array<int, 7> widths = {60, 110, 95, 80, 95, 200, 150};
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        const int w = c < int(widths.size()) ? widths[size_t(c)] : 110;
        m_grid->setColumnWidth(c, w);
        m_footer->setColumnWidth(c, w);
    }
    // The footer follows the grid's column widths and horizontal scrolling.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { m_footer->setColumnWidth(column, size); });
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 0 && row < m_journal.rows.size())
            emit rowActivated(m_journal.rows[row]);
    });

    m_problems = new QLabel(this);
    m_problems->setWordWrap(true);
    m_problems->setStyleSheet(u"color: #a00000;"_s);
    m_problems->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_footer);
    layout->addWidget(m_problems);
}

void JournalView::setJournal(const VatJournal &journal)
{
    m_journal = journal;
    m_grid->setRowCount(0);
    m_grid->setRowCount(int(journal.rows.size()));
    for (int r = 0; r < journal.rows.size(); ++r) {
        const JournalRow &row = journal.rows[r];
        const QStringList texts = {u"%1"_s.arg(row.DocType, 2, 10, QChar(u'0')), row.Doc_Text,
                                   Formats::DocNo(double(row.Doc_No)), Formats::Date(row.Doc_Date), row.Kontra_DN,
                                   row.Kontra_Text, row.DostText};
        for (int c = 0; c < texts.size(); ++c)
            m_grid->setItem(r, c, Item(texts[c]));
        for (int i = 0; i < JournalAmountCount; ++i) {
            const auto &amount = row.amounts[size_t(i)];
            m_grid->setItem(r, FirstAmountColumn + i,
                            Item(amount ? VatJournals::AmountText(*amount) : QString(), true));
        }
    }
    QFont bold = m_footer->font();
    bold.setBold(true);
    for (int c = 0; c < m_footer->columnCount(); ++c) {
        QString text;
        if (c == FirstAmountColumn - 1)
            text = u"Всичко:"_s;
        else if (c >= FirstAmountColumn)
            text = journal.totals ? VatJournals::AmountText((*journal.totals)[size_t(c - FirstAmountColumn)])
                                  : u"?"_s;
        QTableWidgetItem *item = Item(text, c >= FirstAmountColumn - 1);
        item->setFont(bold);
        m_footer->setItem(0, c, item);
    }
    const QStringList problems = journal.problems();
    m_problems->setText(problems.isEmpty() ? QString()
                                           : u"Документи с непълни данни по ДДС:\n"_s + problems.join(u'\n'));
    m_problems->setVisible(!problems.isEmpty());
    if (!journal.rows.isEmpty())
        m_grid->setCurrentCell(0, 0);
}

std::optional<JournalRow> JournalView::currentRow() const
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_journal.rows.size())
        return std::nullopt;
    return m_journal.rows[row];
}

bool JournalView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (const auto row = currentRow())
                emit rowActivated(*row);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
