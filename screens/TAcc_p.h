#pragma once
// The payroll screen (TAcc): the employees of t_user and, as their detail, the pay records
// of m_money with their totals.
#include "button.h"
#include "dataset.h"
#include "form.h"
#include "groupbox.h"
#include "paytotals.h"

#include <memory>

class TTAcc : public controls::Form {
    Q_OBJECT
public:
    TTAcc();
    ~TTAcc() override;

    // Components. The master is declared first so that it outlives its detail; the
    // component order, which is the order of opening, is ADOTable1 then ADOTable2.
    std::unique_ptr<data::DataSet> ADOTable2;
    std::unique_ptr<data::DataSet> ADOTable1;
    controls::GroupBox* GroupBox5 = nullptr;
    controls::Button* Button1 = nullptr;

    void Button1Click();
    void ADOTable1CalcFields(data::DataSet& DataSet);
    void ADOTable1NewRecord(data::DataSet& DataSet);

protected:
    // Closing by the frame returns to the main menu instead of leaving a hidden process.
    void closeEvent(QCloseEvent* e) override;

private:
    void buildData();
    void buildFunctionPanel();

    data::PayFields m_payFields;
};

extern TTAcc* TAcc;
