#include "Taccuser.h"

#include "connection.h"

#include <QTableView>

Taccuser1* accuser1 = nullptr;

namespace {
constexpr int kModalResultYes = 6;
}

Taccuser1::Taccuser1()
    : Form(QStringLiteral("accuser1"), QRect(258, 209, 594, 382))
{
    buildData();
    buildControls();
    applyTabOrder();
    openAtCreation(*ADOQuery1);
    runCreateHandler([this] { FormCreate(); });
}

Taccuser1::~Taccuser1() = default;

void Taccuser1::buildData()
{
    // No declared fields: the query makes one field per column of its result.
    ADOQuery1 = std::make_unique<data::DataSet>(QStringLiteral("ADOQuery1"), data::DataSet::Kind::Query);
    ADOQuery1->setConnectionString(data::kConnectionString);
    ADOQuery1->setSql(QStringLiteral("SELECT * FROM t_user"));
    addDataSet(ADOQuery1.get());
}

void Taccuser1::buildControls()
{
    // Nothing ever shows this form, so the grid is only the placeholder of its design.
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    place(DBGrid1, 86, 58, 320, 120);
    setTabOrder(DBGrid1, 0);

    BitBtn1 = new controls::Button(QStringLiteral("&YES"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setModalResult(kModalResultYes);
    BitBtn1->setDefault(true);
    place(BitBtn1, 94, 16, 75, 25);
    setTabOrder(BitBtn1, 1);

    BitBtn2 = new controls::Button(QStringLiteral("&NO"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    place(BitBtn2, 182, 16, 75, 25);
    setTabOrder(BitBtn2, 2);
}

void Taccuser1::FormCreate()
{
    ADOQuery1->setActive(true);
}
