#include "TAcc_p.h"

#include "TUser_p.h"
#include "connection.h"
#include "declarefields.h"

#include <QCloseEvent>

TTAcc* TAcc = nullptr;

TTAcc::TTAcc()
    : Form(QStringLiteral("TAcc"), QRect(200, 112, 538, 504))
{
    buildData();
    buildFunctionPanel();
    applyTabOrder();
    setMenuSkin(true);
    // The detail opens first and presents every pay record until its master opens.
    openAtCreation(*ADOTable1);
    openAtCreation(*ADOTable2);
}

TTAcc::~TTAcc() = default;

void TTAcc::buildData()
{
    ADOTable2 = std::make_unique<data::DataSet>(QStringLiteral("ADOTable2"), data::DataSet::Kind::Table);
    ADOTable2->setConnectionString(data::kConnectionString);
    ADOTable2->setTableName(QStringLiteral("t_user"));
    ADOTable2->setIndexFieldNames(QStringLiteral("u_number"));
    controls::declareUserColumns(*ADOTable2);

    ADOTable1 = std::make_unique<data::DataSet>(QStringLiteral("ADOTable1"), data::DataSet::Kind::Table);
    ADOTable1->setConnectionString(data::kConnectionString);
    ADOTable1->setTableName(QStringLiteral("m_money"));
    ADOTable1->setIndexFieldNames(QStringLiteral("m_number"));
    ADOTable1->setMaster(ADOTable2.get(), QStringLiteral("u_number"), QStringLiteral("m_number"));
    controls::declareColumns(*ADOTable1, {"m_date", "m_number"});
    controls::declareAmountColumns(*ADOTable1);
    controls::declareColumns(*ADOTable1, {"m_note", "m_day", "m_offday", "m_freeday"});
    for (const char* total : {"m_in", "m_um", "m_km", "m_i10", "m_u10", "m_di8", "m_du8"})
        ADOTable1->addCalculatedField(QString::fromLatin1(total));
    controls::declareColumn(*ADOTable1, "m_sn");
    m_payFields = controls::payFieldsOf(*ADOTable1);
    ADOTable1->onCalcFields = [this](data::DataSet& ds) { ADOTable1CalcFields(ds); };
    ADOTable1->onNewRecord = [this](data::DataSet& ds) { ADOTable1NewRecord(ds); };

    addDataSet(ADOTable1.get());
    addDataSet(ADOTable2.get());
}

void TTAcc::buildFunctionPanel()
{
    GroupBox5 = new controls::GroupBox(QStringLiteral("功能表"), this);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    place(GroupBox5, 270, 212, 255, 259);
    setTabOrder(GroupBox5, 4);

    Button1 = new controls::Button(QStringLiteral("回主頁"), GroupBox5);
    Button1->setObjectName(QStringLiteral("Button1"));
    place(Button1, 192, 116, 60, 25);
    setTabOrder(Button1, 8);
    connect(Button1, &QAbstractButton::clicked, this, &TTAcc::Button1Click);
}

void TTAcc::Button1Click()
{
    TUser->hideForm();
    TAcc->hideForm();
    mainForm()->showForm();
}

void TTAcc::ADOTable1CalcFields(data::DataSet&)
{
    data::computePayTotals(m_payFields);
}

void TTAcc::ADOTable1NewRecord(data::DataSet&)
{
    ADOTable1->fieldByName(QStringLiteral("m_number"))
        ->setAsString(ADOTable2->fieldByName(QStringLiteral("u_number"))->asString());
}

void TTAcc::closeEvent(QCloseEvent* e)
{
    e->ignore();
    Button1Click();
}
