#include "widgets/CommandLabel.h"

#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOption>

CommandLabel::CommandLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void CommandLabel::releaseShortcuts()
{
    if (m_firstId)
        releaseShortcut(m_firstId);
    if (m_secondId)
        releaseShortcut(m_secondId);
    m_firstId = m_secondId = 0;
}

void CommandLabel::setAccelerator(QChar letter, int position)
{
    if (letter.toUpper() == m_accelerator && position == m_position)
        return;
    m_position = position;
    releaseShortcuts();
    m_accelerator = letter.toUpper();
    if (!m_accelerator.isNull()) {
        const int key = m_accelerator.unicode();
        m_firstId = grabShortcut(QKeySequence(Qt::ALT | Qt::Key(key)));
        if (m_second)
            m_secondId = grabShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key(key)));
    }
    update();
}

bool CommandLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        const int id = static_cast<QShortcutEvent *>(event)->shortcutId();
        if (id == m_firstId || (id == m_secondId && m_secondId != 0)) {
            if (isEnabled())
                keyTriggered(id == m_secondId);
            return true;
        }
    }
    return QLabel::event(event);
}

void CommandLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = text();
    int at = -1;
    if (!m_accelerator.isNull())
        at = m_position >= 0 && m_position < shown.size() && shown.at(m_position).toUpper() == m_accelerator
                 ? m_position
                 : int(shown.indexOf(m_accelerator, 0, Qt::CaseInsensitive));
    if (at < 0 || textFormat() == Qt::RichText)
        return QLabel::paintEvent(event);
    QFrame::paintEvent(event);
    QString marked = shown;
    marked.replace(u'&', QStringLiteral("&&"));
    marked.insert(at + int(shown.left(at).count(u'&')), u'&');
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    int flags = int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextShowMnemonic;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), marked, foregroundRole());
}
