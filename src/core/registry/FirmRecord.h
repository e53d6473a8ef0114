#pragma once
#include <QDate>
#include <QString>
#include <array>

// One firm of the registry (table FirmData).
struct FirmRecord {
    int Firm_ID = 0;
    QString Firm_Name;
    QString Firm_DN;
    QString Firm_BS;
    int Firm_Period = 0;
    QString Firm_DataPath;
    QString Firm_Adres;
    QString Firm_Tel;
    QString Firm_Fax;
    QString Firm_Hed;
    QString Firm_HedDDS;
    QString Firm_HedDDSPr;
    QString Firm_SubDDS;
    QDate Firm_LastDDSReg;
    QDate Firm_LastDDSRegEnd;
    int Firm_Klon = 0;
};

// A text field of the firm's data as the firm editors show it.
struct FirmTextField {
    const char *label;  // UTF-8
    const char *name;   // the FirmData field
    QString FirmRecord::*member;
    int maxLength;
};
// Name, tax number, BULSTAT, telephone, fax, address and contact person, in the editors' order.
const std::array<FirmTextField, 7> &FirmContactFields();

// The main window's firm header for a firm.
QString FirmHeaderText(const FirmRecord &firm);

// The first problem with a firm's data as typed in the firm editors, or an empty text.
QString FirmRecordProblem(const FirmRecord &firm);
