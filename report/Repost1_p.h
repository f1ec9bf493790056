#pragma once
// The payslip report form (Repost1): never shown itself; it holds the payslip query,
// which each print request closes, gives its SQL and opens again, and the report that
// prints the query's current row on one A4 page.
#include "dataset.h"
#include "form.h"
#include "paytotals.h"
#include "reportengine.h"

#include <memory>

class TRepost1 : public controls::Form {
    Q_OBJECT
public:
    TRepost1();
    ~TRepost1() override;

    std::unique_ptr<data::DataSet> ADOQuery1;
    std::unique_ptr<report::Report> QuickRep1;
    report::Band* QRBand3 = nullptr;

    void ADOQuery1CalcFields(data::DataSet& DataSet);

private:
    void buildData();
    void buildReport();

    data::PayFields m_payFields;
};

extern TRepost1* Repost1;

// The SQL of the payslip query; the serial is bound to the text parameter usersn.
extern const QString kPayslipSql;

// The print request of the payroll screen's print button: runs the payslip query for the
// serial shown (saved or not) and previews the payslip until its window closes.
void printPayslip(TRepost1& form, const QString& serial);
