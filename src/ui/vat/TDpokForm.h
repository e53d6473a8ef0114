#pragma once
// The VAT window: the purchase and sales journals of a period, the firm's VAT data with the
// monthly table, the printed journals, their files for the tax authority and the VAT return.
// Every page switch, print, file, declaration and close first posts what was typed on the data
// page.
#include "vat/VatJournal.h"
#include "widgets/TitleStripDialog.h"

#include <QDate>
#include <QMap>
#include <functional>

class ClickLabel;
class JournalView;
class QPushButton;
class QStackedWidget;
class TDM;
class TFD;
class TViewerForm;
class VatDataPage;

inline const QString DocumentNotFoundMessage = QStringLiteral("Документа не е намерен!");

class TDpokForm : public TitleStripDialog {
    Q_OBJECT
public:
    enum Page { Purchases = 0, Sales = 1, FirmData = 2 };

    TDpokForm(TFD &fd, TDM &dm, const QDate &from, const QDate &to, QWidget *parent = nullptr);

    // Opens the window modally on the period.
    static void Run(TFD &fd, TDM &dm, const QDate &from, const QDate &to, QWidget *parent);

    // Reads the data page and both journals.
    void start();

    // Commands; each answers false when it stopped (a problem on the data page, a refusal).
    bool showPage(Page page);
    bool choosePeriod();
    void setPeriod(const QDate &from, const QDate &to);
    TViewerForm *print();
    TViewerForm *declaration();
    bool writeFiles();
    bool writeFilesTo(const QString &folder);
    void openDocument(const JournalRow &row);
    void back();
    void reject() override;

    // The folder "Запис на дискета" writes into; asks with a folder dialog unless replaced.
    std::function<QString(QWidget *parent, const QString &caption)> chooseFolder;
    // Opens a document in the documents window; the journal entry wizard behind it unless replaced.
    std::function<void(int docNo)> documentOpener;

    Page page() const { return m_page; }
    QDate from() const { return m_from; }
    QDate to() const { return m_to; }
    QString periodText() const;
    static QString Title(Page page);
    static const QStringList &PageCaptions();
    static QString FolderCaption();

    JournalView *journalView(VatJournalKind kind) const;
    VatDataPage *dataPage() const { return m_data; }
    ClickLabel *pageLabel(int index) const { return m_pageLabels.value(index); }
    ClickLabel *periodLabel() const { return m_periodLabel; }
    QPushButton *button(const QString &caption) const { return m_buttons.value(caption); }

private:
    void reload();
    void addShortcuts();
    QString firmName() const;

    TFD &m_fd;
    TDM &m_dm;
    QDate m_from, m_to;
    Page m_page = Purchases;
    QList<ClickLabel *> m_pageLabels;
    ClickLabel *m_periodLabel;
    QStackedWidget *m_stack;
    JournalView *m_purchases;
    JournalView *m_sales;
    VatDataPage *m_data;
    QMap<QString, QPushButton *> m_buttons;
};
