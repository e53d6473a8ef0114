#pragma once
// The report period dialog: "От:" and "До:" inside the reporting period. It checks the period
// before the order of the dates and keeps its entries when a check fails.
#include "reports/ReportPeriod.h"
#include "widgets/TitleStripDialog.h"

#include <optional>

class DateBox;
class QPushButton;

class TRepDateForm : public TitleStripDialog {
    Q_OBJECT
public:
    // `start` fills the fields in place of the defaults (the statement view's own dates).
    TRepDateForm(const ReportingPeriod &period, std::optional<ReportPeriodDefaults> start = {},
                 QWidget *parent = nullptr);

    // Asks modally; nothing when the dialog is left without "OK".
    static std::optional<ReportPeriodDefaults> Ask(const ReportingPeriod &period, QWidget *parent,
                                                   std::optional<ReportPeriodDefaults> start = {});

    // "OK": closes with the dates, or shows why it cannot and stays.
    bool ok();
    ReportPeriodDefaults dates() const;

    DateBox *fromEdit() const { return m_from; }
    DateBox *toEdit() const { return m_to; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *exitButton() const { return m_exit; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    ReportingPeriod m_period;
    DateBox *m_from;
    DateBox *m_to;
    QPushButton *m_ok;
    QPushButton *m_exit;
};
