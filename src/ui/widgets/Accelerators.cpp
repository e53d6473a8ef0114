#include "widgets/Accelerators.h"

#include "shell/MainWindowModel.h"
#include "widgets/CommandLabel.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const char *const KeyProperty = "orvalisCommandKey";

// A button that belongs to the inner works of another control (a spin box's arrows, a tab bar's
// scroll buttons) is no command of the window.
bool InsideCompositeControl(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p)
            || qobject_cast<const QTabBar *>(p) || qobject_cast<const QCalendarWidget *>(p)
            || qobject_cast<const QLineEdit *>(p))
            return true;
    return false;
}

QString CaptionOf(const QWidget *command)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(command))
        return PlainCaption(button->text());
    if (const auto *label = qobject_cast<const QLabel *>(command))
        return label->text();
    return {};
}

bool Usable(QChar letter, const QList<QChar> &used)
{
    return letter.isLetter() && !used.contains(letter.toUpper()) && !ClashesWithNavigationKeys(letter);
}

// The position of the letter to take: the first letter of a word first, then any other letter.
int ChooseLetter(const QString &caption, const QList<QChar> &used)
{
    for (int i = 0; i < caption.size(); ++i)
        if ((i == 0 || !caption.at(i - 1).isLetter()) && Usable(caption.at(i), used))
            return i;
    for (int i = 0; i < caption.size(); ++i)
        if (Usable(caption.at(i), used))
            return i;
    return -1;
}

QString WithMnemonic(const QString &caption, int position)
{
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (i == position)
            text += u'&';
        text += caption.at(i);
        if (caption.at(i) == u'&')
            text += u'&';
    }
    return text;
}

void SetAccelerator(QWidget *command, int position)
{
    const QString caption = CaptionOf(command);
    if (auto *button = qobject_cast<QAbstractButton *>(command)) {
        const QString text = position < 0 ? WithMnemonic(caption, -1) : WithMnemonic(caption, position);
        if (button->text() != text)
            button->setText(text);
    } else if (auto *label = qobject_cast<CommandLabel *>(command)) {
        label->setAccelerator(position < 0 ? QChar() : caption.at(position), position);
    }
}

// Key names as the keys are engraved; the arrows and the space bar in words of their own.
QString KeyText(const QKeySequence &key)
{
    static const QHash<QString, QString> names = {{u"Return"_s, u"Enter"_s}, {u"Left"_s, u"←"_s},
                                                  {u"Right"_s, u"→"_s},      {u"Up"_s, u"↑"_s},
                                                  {u"Down"_s, u"↓"_s},       {u"Space"_s, u"интервал"_s}};
    // Key by key, so that PgUp stays PgUp.
    QStringList parts = key.toString(QKeySequence::NativeText).split(u'+');
    for (QString &part : parts)
        part = names.value(part, part);
    return parts.join(u'+');
}
}  // namespace

QString PlainCaption(const QString &text)
{
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        plain += text.at(i);
    }
    return plain;
}

void SetCommandKey(QWidget *command, const QKeySequence &key, bool install)
{
    command->setProperty(KeyProperty, key);
    const QString hint = command->toolTip();
    const QString named = u"Клавиш: "_s + KeyText(key);
    command->setToolTip(hint.isEmpty() ? named : hint + u'\n' + named);
    if (!install)
        return;
    // Parented to the command, the shortcut acts only while the command is shown and enabled.
    auto *shortcut = new QShortcut(command);
    QList<QKeySequence> keys{key};
    // Enter on the keypad does what Enter on the main block does.
    if (key.count() == 1 && key[0].key() == Qt::Key_Return)
        keys << QKeySequence(QKeyCombination(key[0].keyboardModifiers(), Qt::Key_Enter));
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, command, [command] {
        if (auto *tool = qobject_cast<QToolButton *>(command); tool && tool->menu())
            tool->showMenu();
        else if (auto *button = qobject_cast<QAbstractButton *>(command))
            button->click();
    });
}

void SetDialogKeys(QAbstractButton *save, QAbstractButton *cancel, bool cancelRejects)
{
    if (save)
        SetCommandKey(save, QKeySequence(Qt::CTRL | Qt::Key_Return));
    if (cancel)
        SetCommandKey(cancel, QKeySequence(Qt::Key_Escape), !cancelRejects);
}

QKeySequence CommandKey(const QWidget *command) { return command->property(KeyProperty).value<QKeySequence>(); }

QList<QWidget *> WindowCommands(QWidget *window)
{
    QList<QWidget *> commands;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->window() != window || InsideCompositeControl(w, window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (!button->text().isEmpty() || !button->toolTip().isEmpty() || !CommandKey(button).isEmpty())
                commands << w;
        } else if (qobject_cast<CommandLabel *>(w)) {
            commands << w;
        }
    }
    return commands;
}

QChar AcceleratorOf(const QWidget *command)
{
    if (const auto *label = qobject_cast<const CommandLabel *>(command))
        return label->accelerator();
    if (const auto *button = qobject_cast<const QAbstractButton *>(command)) {
        const QString text = button->text();
        for (int i = 0; i + 1 < text.size(); ++i) {
            if (text.at(i) != u'&')
                continue;
            if (text.at(i + 1) != u'&')
                return text.at(i + 1).toUpper();
            ++i;
        }
    }
    return {};
}

void AssignAccelerators(QWidget *window)
{
    const QList<QWidget *> commands = WindowCommands(window);
    // A key a window gave a button itself (F5, Ins) would go with the button's next caption, which
    // carries its mnemonic: the key becomes the command's own.
    for (QWidget *command : commands)
        if (auto *button = qobject_cast<QAbstractButton *>(command); button && CommandKey(button).isEmpty()
            && !button->shortcut().isEmpty() && button->shortcut() != QKeySequence::mnemonic(button->text())) {
            const QKeySequence key = button->shortcut();
            button->setShortcut({});
            SetCommandKey(button, key);
        }
    QList<QChar> used;
    QList<QWidget *> waiting;
    for (QWidget *command : commands) {
        const QChar letter = AcceleratorOf(command);
        if (!CommandKey(command).isEmpty()) {
            if (!letter.isNull())
                SetAccelerator(command, -1);
        } else if (!letter.isNull() && Usable(letter, used) && CaptionOf(command).contains(letter, Qt::CaseInsensitive)) {
            used << letter.toUpper();
        } else {
            waiting << command;
        }
    }
    for (QWidget *command : std::as_const(waiting)) {
        const QString caption = CaptionOf(command);
        const int position = ChooseLetter(caption, used);
        if (position >= 0)
            used << caption.at(position).toUpper();
        SetAccelerator(command, position);
        // A wizard's page buttons without a free letter take the arrows with Alt.
        if (position < 0 && caption.trimmed().startsWith(u"<<"_s))
            SetCommandKey(command, QKeySequence(Qt::ALT | Qt::Key_Left));
        else if (position < 0 && caption.trimmed().endsWith(u">>"_s))
            SetCommandKey(command, QKeySequence(Qt::ALT | Qt::Key_Right));
    }
}

AcceleratorKeeper::AcceleratorKeeper(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
    for (QWidget *w : QApplication::topLevelWidgets())
        AssignAccelerators(w);
}

AcceleratorKeeper::~AcceleratorKeeper()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool AcceleratorKeeper::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::LayoutRequest) && watched->isWidgetType()) {
        QWidget *window = static_cast<QWidget *>(watched)->window();
        if (!m_pending.contains(window)) {
            // Once the event is over, and once for all the changes it came with.
            m_pending << window;
            QTimer::singleShot(0, this, [this, guard = QPointer<QWidget>(window)] {
                m_pending.removeIf([&guard](const QPointer<QWidget> &w) { return !w || w == guard; });
                if (guard)
                    AssignAccelerators(guard);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
