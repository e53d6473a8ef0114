#pragma once
// The account-extract page of the report options dialog: the period, the account with a lot
// list for each of its analytic levels, the grouping, document bounds, the corresponding
// account, the folder, "ГР"/"НС"/"КС" per level and the totals-only box. Choosing an account or
// a grouping sets the page as AccountExtractPageFor decides.
#include "reports/OptionPages.h"

#include <QWidget>
#include <array>

class Db;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class DateBox;
class QLabel;
class QLineEdit;
struct NomPapRow;
struct SRow;

class AccountExtractOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit AccountExtractOptionsPage(Db &db, QWidget *parent = nullptr);

    // The lists of accounts and folders; then the page is set for the account chosen.
    void load(const QList<SRow> &accounts, const QList<NomPapRow> &folders);
    void setPeriod(const ReportPeriodDefaults &dates);
    AccountExtractPage read() const;

    DateBox *fromEdit() const { return m_from; }
    DateBox *toEdit() const { return m_to; }
    QComboBox *accountBox() const { return m_account; }
    QLabel *levelLabel(int k) const { return m_levelLabels[size_t(k)]; }
    QComboBox *lotBox(int k) const { return m_lots[size_t(k)]; }
    QButtonGroup *groupingGroup() const { return m_grouping; }
    QLineEdit *fromDocumentEdit() const { return m_fromDocument; }
    QLineEdit *toDocumentEdit() const { return m_toDocument; }
    QComboBox *correspondingBox() const { return m_corresponding; }
    QComboBox *folderBox() const { return m_folder; }
    QCheckBox *turnoverBox(int k) const { return m_turnovers[size_t(k)]; }
    QCheckBox *openingBox(int k) const { return m_openings[size_t(k)]; }
    QCheckBox *closingBox(int k) const { return m_closings[size_t(k)]; }
    QCheckBox *totalsOnlyBox() const { return m_totalsOnly; }

    // The grouping buttons by their grouping.
    static int ButtonOf(AccountGrouping grouping);

private:
    void accountChanged();
    void groupingChanged();
    // Shows and enables the controls for the account and grouping as they stand.
    void apply();
    AccountGrouping grouping() const;

    Db &m_db;
    QList<SRow> m_accounts;
    DateBox *m_from;
    DateBox *m_to;
    QComboBox *m_account;
    std::array<QLabel *, 5> m_levelLabels{};
    std::array<QComboBox *, 5> m_lots{};
    std::array<QCheckBox *, 5> m_turnovers{}, m_openings{}, m_closings{};
    QButtonGroup *m_grouping;
    QLineEdit *m_fromDocument;
    QLineEdit *m_toDocument;
    QComboBox *m_corresponding;
    QComboBox *m_folder;
    QCheckBox *m_totalsOnly;
};
