#pragma once
// The firm choice window: lists the registry's firms and opens the chosen one. At start it is
// the only way into the program; later it is reached from the main window.
#include "registry/FirmRecord.h"
#include "widgets/TitleStripDialog.h"

#include <QList>

class QPushButton;
class QTableWidget;
class QToolButton;
class TDM;
class TFD;

class TFirmForm : public TitleStripDialog {
    Q_OBJECT
public:
    static constexpr int Opened = 1;
    static constexpr int Back = 2;
    static constexpr int Terminated = 0;
    static constexpr int VisibleRows = 7;

    // Reopens the registry; throws when it cannot be opened.
    TFirmForm(TFD &fd, TDM &dm, bool atStart, QWidget *parent = nullptr);

    bool atStart() const { return m_atStart; }
    int firmCount() const { return int(m_firms.size()); }
    int currentFirmId() const;
    bool selectFirm(int firmId);
    QTableWidget *grid() const { return m_grid; }
    // The bottom button with this caption ("Изход " or "Назад", "Добавяне", …), or null.
    QPushButton *button(const QString &caption) const;
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

    // The window's commands, as its buttons run them.
    bool chooseCurrent();
    void leave();
    void addFirm();
    void editFirm();
    void deleteFirm();
    void moveCurrent(int step);

    void reject() override;

signals:
    // The books are closed and the program has to end.
    void terminateRequested();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reload();
    void updateButtons();
    void terminate();

    TFD &m_fd;
    TDM &m_dm;
    bool m_atStart;
    int m_firmAtOpen;
    QList<FirmRecord> m_firms;
    QTableWidget *m_grid;
    QToolButton *m_up;
    QToolButton *m_down;
    QList<QPushButton *> m_buttons;
    QPushButton *m_leave;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_choose;
};
