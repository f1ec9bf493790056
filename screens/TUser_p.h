#pragma once
// The employee screen (TUser): the rows of t_user, and the way back to the main menu or
// on to the payroll screen.
#include "button.h"
#include "dataset.h"
#include "form.h"
#include "groupbox.h"

#include <memory>

class TTUser : public controls::Form {
    Q_OBJECT
public:
    TTUser();
    ~TTUser() override;

    // Components, in component order.
    std::unique_ptr<data::DataSet> ADOTable1;
    controls::GroupBox* GroupBox2 = nullptr;
    controls::Button* Button10 = nullptr;
    controls::Button* Button9 = nullptr;

    void Button9Click();
    void Button10Click();

protected:
    // Closing by the frame returns to the main menu instead of leaving a hidden process.
    void closeEvent(QCloseEvent* e) override;

private:
    void buildData();
    void buildFunctionPanel();
};

extern TTUser* TUser;
