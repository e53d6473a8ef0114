#pragma once
// The user guide shipped with the program: one page per window and per report, grouped into the
// parts of its contents. Each window of the program is listed with its page here; F1 and
// "Помощ" open the page of the window that has the focus, and a window whose state changes what
// it shows (the main window's modes, the entry wizard with or without VAT) names a place on its
// page by the window's help context. A window added to the program gets its line here, or the
// tests that go through every window fail.
#include <QList>
#include <QString>
#include <QStringList>

struct HelpTopic {
    QString page;         // the page's file among the guide's pages, e.g. "entry-wizard.html"
    QString title;        // as the contents list it
    QString section;      // the part of the contents it stands in
    QStringList windows;  // the window classes, or report runners, whose page it is
};

// Every page of the guide in the order of the contents.
const QList<HelpTopic> &HelpTopics();
// The page the contents open with.
QString HelpStartPage();
// The page of a window class or report runner; empty when the program lists none.
QString HelpPageOfWindow(const QString &window);
// The page, with the place on it, of one of the program's help contexts; empty for an unknown
// context.
QString HelpPageOfContext(int context);
// The title of a page (an anchor after "#" aside); empty for a page the guide does not have.
QString HelpTitleOfPage(const QString &page);

// The guide's text of one page, for the search.
struct HelpText {
    QString page;
    QString title;
    QString text;
};
// The pages in which every word of `query` occurs (case aside, also inside a longer word: a
// search for "сметк" finds "сметка" and "сметки"), those with most occurrences of the words of
// three letters or more first, a word in
// the title weighing as ten in the text and the words together as typed as twenty, ties in the
// order given. An empty query finds nothing.
QStringList SearchHelp(const QList<HelpText> &pages, const QString &query);
