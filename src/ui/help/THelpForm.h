#pragma once
// The help window: the user guide's pages from the program's resources, with the contents, a
// search over every page, and back and forward through the pages seen. One window for the whole
// program; opened over a modal window it belongs to that window, so that it stays usable.
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

class THelpForm : public QWidget {
    Q_OBJECT
public:
    // Shows the help window on `page` (a page of the guide, with an optional "#place").
    static THelpForm *Open(const QString &page);
    // The help window now open, if any.
    static THelpForm *Current();
    // The resource path of a page of the guide.
    static QString ResourceOf(const QString &page);
    // The page's text without its markup; empty when the guide has no such page.
    static QString PageText(const QString &page);

    void showPage(const QString &page);
    // The page shown, with its place.
    QString currentPage() const;
    // Runs the search and lists the pages found; their titles, best first.
    QStringList search(const QString &query);
    void back();
    void forward();
    void home();

    QTextBrowser *browser() const { return m_browser; }
    QTreeWidget *contents() const { return m_contents; }
    QTabWidget *tabs() const { return m_tabs; }
    QLineEdit *searchBox() const { return m_searchBox; }
    QListWidget *results() const { return m_results; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *forwardButton() const { return m_forward; }
    QPushButton *homeButton() const { return m_home; }
    QPushButton *closeButton() const { return m_close; }

private:
    explicit THelpForm(QWidget *parent);
    void buildContents();
    void sourceChanged();
    void openResult();

    QTabWidget *m_tabs;
    QTreeWidget *m_contents;
    QLineEdit *m_searchBox;
    QPushButton *m_searchButton;
    QListWidget *m_results;
    QTextBrowser *m_browser;
    QPushButton *m_back;
    QPushButton *m_forward;
    QPushButton *m_home;
    QPushButton *m_close;
};
