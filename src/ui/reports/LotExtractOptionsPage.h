#pragma once
// The lot-extract page of the report options dialog: the period, the analytic level, a lot of
// it (listed from the lot table of the level's kind) and the grouping.
#include "reports/OptionPages.h"

#include <QWidget>

class Db;
class QButtonGroup;
class QComboBox;
class DateBox;

class LotExtractOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit LotExtractOptionsPage(Db &db, QWidget *parent = nullptr);

    // The levels; the lots follow the level chosen.
    void load();
    void setPeriod(const ReportPeriodDefaults &dates);
    LotExtractPage read() const;

    DateBox *fromEdit() const { return m_from; }
    DateBox *toEdit() const { return m_to; }
    QComboBox *levelBox() const { return m_level; }
    QComboBox *lotBox() const { return m_lot; }
    QButtonGroup *groupingGroup() const { return m_grouping; }

private:
    void levelChanged();

    Db &m_db;
    DateBox *m_from;
    DateBox *m_to;
    QComboBox *m_level;
    QComboBox *m_lot;
    QButtonGroup *m_grouping;
};
