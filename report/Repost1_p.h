#pragma once
// The payslip report form (Repost1): never shown itself; it holds the payslip query,
// which each print request closes, gives its SQL and opens again.
#include "dataset.h"
#include "form.h"
#include "paytotals.h"

#include <memory>

class TRepost1 : public controls::Form {
    Q_OBJECT
public:
    TRepost1();
    ~TRepost1() override;

    std::unique_ptr<data::DataSet> ADOQuery1;

    void ADOQuery1CalcFields(data::DataSet& DataSet);

private:
    void buildData();

    data::PayFields m_payFields;
};

extern TRepost1* Repost1;
