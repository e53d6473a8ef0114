#pragma once
// The page "Данни за фирмата" of the VAT window: the firm's VAT data, kept in the registry, and
// the monthly table of payment-order dates and cells 71, 72 and 80. What is typed stays on the
// page until it is posted; posting checks it and writes only what changed.
#include "registry/FirmRecord.h"
#include "vat/MonthlyData.h"

#include <QMap>
#include <QWidget>

class QLineEdit;
class QTableWidget;
class TDM;
class TFD;

class VatDataPage : public QWidget {
    Q_OBJECT
public:
    VatDataPage(TFD &fd, TDM &dm, QWidget *parent = nullptr);

    // Reads the firm's record and the monthly table (creating the twelve months when empty).
    void load();
    // Writes pending edits; shows the first problem, puts the cursor on it and answers false.
    bool post();
    bool pending();

    enum MonthColumn { MonthName = 0, PaymentDate, Cell71, Cell72, Cell80 };
    QLineEdit *field(const QString &name) const { return m_fields.value(name); }
    QTableWidget *months() const { return m_months; }

private:
    // What the page holds now; false with the problem shown when something typed is not a value.
    bool read(FirmRecord &firm, QList<SdMonth> &months, bool showProblems);
    void showValues();

    TFD &m_fd;
    TDM &m_dm;
    FirmRecord m_loaded;
    QList<SdMonth> m_loadedMonths;
    QMap<QString, QLineEdit *> m_fields;
    QTableWidget *m_months;
};
