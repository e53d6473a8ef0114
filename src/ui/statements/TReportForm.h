#pragma once
// The statement view: the computed statement in a read-only grid, rows shaded by the line's
// kind, with the include rows of the current line beside it. It is shown docked in the main
// window (mode 0), as a modal window (mode 1), or not at all when only the computation is wanted
// (mode 2). "Обнови" computes again, "Обнови към" for another period, "Печат" computes and
// previews; "Настрока" and a double click on a data line open the line's settings.
#include "statements/StatementComputation.h"
#include "widgets/TitleStripDialog.h"

#include <optional>

class IncludeRowsPanel;
class QPushButton;
class QTableWidget;
class TDM;
class TFD;

class TReportForm : public TitleStripDialog {
    Q_OBJECT
public:
    enum Mode { Docked = 0, Modal = 1, ComputeOnly = 2 };

    TReportForm(TFD &fd, TDM &dm, StatementType type, Mode mode, QWidget *parent = nullptr);

    // Computes the statement for the period, then shows it as the mode asks: docked into `host`
    // until the view closes, modally over `host`, or not at all. The statement as last computed,
    // or nothing when the computation failed (the reason was shown).
    static std::optional<ComputedStatement> Open(TFD &fd, TDM &dm, StatementType type, Mode mode, const QDate &from,
                                                 const QDate &to, QWidget *host);

    // Computes with the progress window; false after showing why it could not.
    bool compute(const QDate &from, const QDate &to);
    // "Назад"
    void back();
    // "Обнови": the same period again.
    void refresh();
    // "Обнови към": the period dialog filled with the view's dates; true when recomputed.
    bool refreshTo();
    // "Печат": as "Обнови към", then the statement goes to the preview.
    void print();
    // "Настрока": the settings of the current line when it is a data line.
    void settings();
    // "Настройка по подразбиране": the firm's include rows of this statement from the registry.
    void restoreDefaults();

    StatementType type() const { return m_type; }
    const ComputedStatement &statement() const { return m_statement; }
    bool computed() const { return m_computed; }
    // The line the grid is on, or nothing.
    const ComputedLine *currentLine() const;
    bool selectLine(int lineNo);

    QTableWidget *grid() const { return m_grid; }
    IncludeRowsPanel *includePanel() const { return m_panel; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *refreshButton() const { return m_refresh; }
    QPushButton *refreshToButton() const { return m_refreshTo; }
    QPushButton *printButton() const { return m_print; }
    QPushButton *settingsButton() const { return m_settings; }
    QPushButton *defaultsButton() const { return m_defaults; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillGrid();
    void currentLineChanged();
    void showIncludeRows();
    QString firmName() const;

    TFD &m_fd;
    TDM &m_dm;
    StatementType m_type;
    Mode m_mode;
    ComputedStatement m_statement;
    bool m_computed = false;

    QTableWidget *m_grid;
    IncludeRowsPanel *m_panel;
    QPushButton *m_back;
    QPushButton *m_refresh;
    QPushButton *m_refreshTo;
    QPushButton *m_print;
    QPushButton *m_settings;
    QPushButton *m_defaults;
};
