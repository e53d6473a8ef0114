#pragma once
// What a window shows in words: its captions (what a help page names) and every visible text
// (what must be Bulgarian).
#include "widgets/Accelerators.h"
#include "widgets/CommandLabel.h"
#include "widgets/TitleStripDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QTreeWidget>
#include <algorithm>

// A caption as a page would name it: no mnemonic mark, blanks run together, no closing colon.
inline QString NormalCaption(const QString &text)
{
    QString plain = PlainCaption(text).simplified();
    while (plain.endsWith(u':'))
        plain.chop(1);
    return plain.trimmed();
}

inline bool HasLetter(const QString &text)
{
    for (QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

// A part of a calendar or a spin box: Qt's own, no caption of the window.
inline bool InsideControl(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (p->inherits("QCalendarWidget") || p->inherits("QAbstractSpinBox"))
            return true;
    return false;
}

inline bool ShownIn(const QWidget *w, const QWidget *window) { return w->window() == window && w->isVisibleTo(window); }

// The window's caption, its buttons, the labels that name a field (they end with a colon) or run a
// command, group and tab titles, column headings and the commands of its popup menus.
inline QStringList WindowCaptions(QWidget *window)
{
    QStringList captions;
    const auto add = [&captions](const QString &text) {
        const QString c = NormalCaption(text);
        if (HasLetter(c) && !captions.contains(c))
            captions << c;
    };
    // A caption followed by the record it names ("Данни за фирма: Демо ЕООД") counts up to its colon,
    // one followed by its period ("Баланс за периода от 01.01.2026 …") up to the first figure.
    if (auto *dialog = qobject_cast<TitleStripDialog *>(window); dialog && dialog->strip()->isVisibleTo(window)) {
        static const QRegularExpression figure(QStringLiteral("\\d"));
        add(dialog->caption().section(u':', 0, 0).section(figure, 0, 0));
    }
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (ShownIn(b, window))
            add(b->text());
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (!ShownIn(l, window) || l->textFormat() == Qt::RichText)
            continue;
        const QString text = l->text().trimmed();
        // A command label that shows figures (the firm header with its year) is a value.
        static const QRegularExpression digits(QStringLiteral("\\d"));
        if ((qobject_cast<CommandLabel *>(l) && !text.contains(digits)) || (text.endsWith(u':') && text.size() <= 60))
            add(text);
    }
    for (QGroupBox *g : window->findChildren<QGroupBox *>())
        if (ShownIn(g, window))
            add(g->title());
    for (QTabBar *t : window->findChildren<QTabBar *>())
        if (ShownIn(t, window))
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i));
    for (QTableWidget *t : window->findChildren<QTableWidget *>())
        if (ShownIn(t, window) && t->horizontalHeader()->isVisibleTo(window))
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->horizontalHeaderItem(c) && !t->isColumnHidden(c))
                    add(t->horizontalHeaderItem(c)->text());
    for (QMenu *m : window->findChildren<QMenu *>())
        if (!InsideControl(m, window))
            for (QAction *a : m->actions())
                if (a->isVisible() && !a->isSeparator())
                    add(a->text());
    if (qEnvironmentVariableIsSet("ORVALIS_DUMP_CAPTIONS"))
        qInfo("%s: %s", window->metaObject()->className(), qPrintable(captions.join(u" | ")));
    return captions;
}

// Every text the window can show: the above, the values of its labels, boxes, lists and tables,
// hints and placeholders.
inline QStringList WindowTexts(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    const auto add = [&texts](const QString &text) {
        if (!text.trimmed().isEmpty())
            texts << text;
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (auto *m = qobject_cast<QMenu *>(w)) {
            for (QAction *a : m->actions())
                add(PlainCaption(a->text()));
            continue;
        }
        if (w->window() != window)
            continue;
        add(w->toolTip());
        if (auto *l = qobject_cast<QLabel *>(w)) {
            QTextDocument document;
            if (l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text()))
                document.setHtml(l->text());
            add(l->textFormat() == Qt::PlainText ? l->text() : document.toPlainText().isEmpty() ? l->text()
                                                                                                  : document.toPlainText());
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            add(PlainCaption(b->text()));
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            add(e->text());
            add(e->placeholderText());
        } else if (auto *c = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < c->count(); ++i)
                add(c->itemText(i));
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            add(g->title());
        } else if (auto *t = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i));
        } else if (auto *t = qobject_cast<QTableWidget *>(w)) {
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->horizontalHeaderItem(c))
                    add(t->horizontalHeaderItem(c)->text());
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 0; c < t->columnCount(); ++c)
                    if (t->item(r, c))
                        add(t->item(r, c)->text());
        } else if (auto *l = qobject_cast<QListWidget *>(w)) {
            for (int i = 0; i < l->count(); ++i)
                add(l->item(i)->text());
        } else if (auto *t = qobject_cast<QTreeWidget *>(w)) {
            for (QTreeWidgetItemIterator it(t); *it; ++it)
                add((*it)->text(0));
        }
    }
    return texts;
}

// The first word of a text written in Latin letters that is not one the program shows by design:
// its name, keys as they are engraved, PDF and the A4 sheet, the preview's zoom choices, file names
// or paths, Roman numerals of the statements' sections, the currencies' codes, and the program's own
// texts that carry Latin letters ("OK", "Документ No:", "Количество Kт:", "Cписък"). Empty when there
// is none.
inline QString ForeignWord(const QString &text)
{
    static const QStringList allowed = {
        QStringLiteral("Orvalis"), QStringLiteral("PDF"), QStringLiteral("A4"), QStringLiteral("Page"),
        QStringLiteral("Width"), QStringLiteral("Height"), QStringLiteral("Whole"), QStringLiteral("OK"),
        QStringLiteral("No"), QStringLiteral("Kт"), QStringLiteral("Cписък"), QStringLiteral("BGN"),
        QStringLiteral("EUR")};
    static const QStringList keys = {
        QStringLiteral("Ctrl"), QStringLiteral("Alt"), QStringLiteral("Shift"), QStringLiteral("Esc"),
        QStringLiteral("Enter"), QStringLiteral("Tab"), QStringLiteral("Ins"), QStringLiteral("Del"),
        QStringLiteral("Home"), QStringLiteral("End"), QStringLiteral("PgUp"), QStringLiteral("PgDown"),
        QStringLiteral("Backspace")};
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    static const QRegularExpression functionKey(QStringLiteral("^F\\d{1,2}$"));
    static const QRegularExpression roman(QStringLiteral("^[IVX]+$"));
    static const QRegularExpression fileName(QStringLiteral("^[\\w.-]+\\.[A-Za-z0-9]{1,4}$"));
    static const QRegularExpression separators(QStringLiteral("[\\s,;()\"„“]+"));
    const auto trimmed = [](QString word) {
        while (!word.isEmpty() && !word.back().isLetterOrNumber())
            word.chop(1);
        return word;
    };
    for (const QString &token : PlainCaption(text).split(separators, Qt::SkipEmptyParts)) {
        if (!token.contains(latin))
            continue;
        // A path or a file name is the user's own.
        if (token.contains(u'/') || token.contains(u'\\') || fileName.match(trimmed(token)).hasMatch())
            continue;
        const QString word = trimmed(token);
        if (allowed.contains(word) || keys.contains(word) || functionKey.match(word).hasMatch()
            || roman.match(word).hasMatch())
            continue;
        // A key with its modifiers: "Ctrl+P", "Alt+S".
        const QStringList parts = word.split(u'+');
        if (parts.size() > 1 && std::all_of(parts.begin(), parts.end(), [](const QString &part) {
                return keys.contains(part) || functionKey.match(part).hasMatch() || part.size() == 1;
            }))
            continue;
        return token;
    }
    return {};
}
