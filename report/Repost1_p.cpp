#include "Repost1_p.h"

#include "connection.h"
#include "declarefields.h"

TRepost1* Repost1 = nullptr;

TRepost1::TRepost1()
    // Laid out for the page, so it does not follow the system's resolution.
    : Form(QStringLiteral("Repost1"), QRect(114, 113, 886, 622), Scaling::Fixed)
{
    buildData();
}

TRepost1::~TRepost1() = default;

void TRepost1::buildData()
{
    // Not open at creation: the print request opens it.
    ADOQuery1 = std::make_unique<data::DataSet>(QStringLiteral("ADOQuery1"), data::DataSet::Kind::Query);
    ADOQuery1->setConnectionString(data::kConnectionString);
    for (const char* total : {"m_du8", "m_di8", "m_u10", "m_i10", "m_km", "m_um", "m_in"})
        ADOQuery1->addCalculatedField(QString::fromLatin1(total));
    controls::declareUserColumns(*ADOQuery1);
    controls::declareColumns(*ADOQuery1, {"m_sn", "m_date", "m_number"});
    controls::declareAmountColumns(*ADOQuery1);
    controls::declareColumns(*ADOQuery1, {"m_note", "m_day", "m_offday", "m_freeday"});
    m_payFields = controls::payFieldsOf(*ADOQuery1);
    ADOQuery1->onCalcFields = [this](data::DataSet& ds) { ADOQuery1CalcFields(ds); };
    addDataSet(ADOQuery1.get());
}

void TRepost1::ADOQuery1CalcFields(data::DataSet&)
{
    data::computePayTotals(m_payFields);
}
