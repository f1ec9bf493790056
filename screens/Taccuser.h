#pragma once
// The user list (accuser1): every row of t_user above two answer buttons. Created at
// start-up and never shown; it keeps its own query on t_user open for the whole run.
#include "button.h"
#include "dataset.h"
#include "form.h"

#include <memory>

class QTableView;

class Taccuser1 : public controls::Form {
    Q_OBJECT
public:
    Taccuser1();
    ~Taccuser1() override;

    std::unique_ptr<data::DataSet> ADOQuery1;
    QTableView* DBGrid1 = nullptr;
    controls::Button* BitBtn1 = nullptr;
    controls::Button* BitBtn2 = nullptr;

    void FormCreate();

private:
    void buildData();
    void buildControls();
};

extern Taccuser1* accuser1;
