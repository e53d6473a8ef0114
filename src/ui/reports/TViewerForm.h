#pragma once
// The preview of a report. It makes the report's pages a slice at a time between events, so the
// first page shows while later ones are still being made, and keeps them in a spool file; from
// there they are viewed, printed or saved as PDF. Non-modal; it frees itself when closed.
#include "reportkit/Job.h"
#include "reportkit/PageStore.h"

#include <QTimer>
#include <QWidget>
#include <memory>

class PageView;
class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;

inline const QString DefaultViewerCaption = QStringLiteral("Преглед преди печат");

class TViewerForm : public QWidget {
    Q_OBJECT
public:
    // Opens a preview on the job and starts making its pages.
    static TViewerForm *Show(std::unique_ptr<rk::ReportJob> job, QWidget *parent);
    ~TViewerForm() override;

    // "200%" … "10%", "Page Width", "Page Height", "Whole Page".
    static const QStringList &ZoomChoices();
    // The file name offered for the PDF copy of a report with this title.
    static QString PdfFileName(const QString &title);

    int pageCount() const { return m_store->count(); }
    int currentPage() const { return m_current; }  // 0-based; -1 before the first page
    bool generating() const;
    int meter() const;
    QString counterText() const;
    QString zoom() const;
    void setZoom(const QString &choice);

    void first();
    void previous();
    void next();
    void last();
    void goTo(int page);
    // Ends generation; the pages made so far stay.
    void stop();

    // Pages first..last (0-based) onto the printer, each in its own orientation.
    bool printPages(QPrinter &printer, int first, int last);
    // All pages as a PDF file; the reason is shown when it cannot be written.
    bool savePdf(const QString &file);
    // What was made so far, as text.
    QString reportText() const;

    PageView *pageView() const { return m_view; }
    QComboBox *zoomBox() const { return m_zoom; }
    QLabel *counterLabel() const { return m_counter; }
    QProgressBar *meterBar() const { return m_meter; }
    QPushButton *firstButton() const { return m_first; }
    QPushButton *previousButton() const { return m_previous; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *lastButton() const { return m_last; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *printerSetupButton() const { return m_setup; }
    QPushButton *pdfButton() const { return m_pdf; }
    QPushButton *stopButton() const { return m_stop; }
    QPushButton *exitButton() const { return m_exit; }

signals:
    // The generation meter, 0..100, after every slice of pages.
    void generationProgress(int percent);
    // Generation is over: finished, stopped or failed.
    void generationEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    TViewerForm(std::unique_ptr<rk::ReportJob> job, QWidget *parent);
    void generateSlice();
    void endGeneration();
    void refresh();
    QPrinter &printer();
    void printCommand();
    void printerSetupCommand();
    void pdfCommand();

    // The run refers to the job and the store: declared after them, it is destroyed first.
    std::unique_ptr<rk::ReportJob> m_job;
    std::unique_ptr<rk::PageStore> m_store;
    std::unique_ptr<rk::ReportRun> m_run;
    std::unique_ptr<QPrinter> m_printer;
    QTimer m_timer;
    int m_current = -1;
    int m_shown = -1;
    int m_meterValue = 0;

    PageView *m_view;
    QComboBox *m_zoom;
    QLabel *m_counter;
    QProgressBar *m_meter;
    QPushButton *m_first;
    QPushButton *m_previous;
    QPushButton *m_next;
    QPushButton *m_last;
    QPushButton *m_print;
    QPushButton *m_setup;
    QPushButton *m_pdf;
    QPushButton *m_stop;
    QPushButton *m_exit;
};
