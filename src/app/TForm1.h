#pragma once
// The main window. For now it carries the top bar, the firm header and the firm choice; the
// working modes over the chart, levels, folders, balances and reports join it later.
#include <QMainWindow>

class ClickLabel;
class QLabel;
class QPushButton;
class TDM;
class TFD;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(TFD &fd, TDM &dm, QWidget *parent = nullptr);

    QString headerText() const;
    QString dateText() const;
    // The firm row the first choice window starts on (from the command line).
    void setPreselectedFirm(int firmId) { m_preselectedFirm = firmId; }
    // Opens the firm choice; returns its result (1 when a firm was opened).
    int openFirmChoice(bool atStart);
    void editOpenFirm();
    void showAbout();
    void showEngineInformation();
    bool firstActivationPending() const { return m_firstActivation; }

    ClickLabel *headerLabel() const { return m_header; }
    QPushButton *navigationButton(const QString &caption) const;

signals:
    // The books are closed; the program has to end without asking again.
    void terminateRequested();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildTopBar();
    QWidget *buildNavigation();
    QWidget *buildStartPage();
    void refreshFirm();

    TFD &m_fd;
    TDM &m_dm;
    bool m_firstActivation = true;
    bool m_terminating = false;
    int m_preselectedFirm = 0;
    QLabel *m_date = nullptr;
    ClickLabel *m_header = nullptr;
    QList<QPushButton *> m_navigation;
    QLabel *m_firmName = nullptr;
    QLabel *m_firmPeriod = nullptr;
};
