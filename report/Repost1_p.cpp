#include "Repost1_p.h"

#include "connection.h"
#include "declarefields.h"

TRepost1* Repost1 = nullptr;

const QString kPayslipSql = QStringLiteral(
    "SELECT * FROM t_user INNER JOIN m_money ON t_user.u_number = m_money.m_number  WHERE m_money.m_sn=:usersn");

namespace {

using report::Anchor;
using report::Element;
using report::ElementKind;
using report::ShapeKind;
using report::TextFont;

constexpr ShapeKind Rect = ShapeKind::Rectangle;
constexpr ShapeKind TopBottom = ShapeKind::TopAndBottomLines;
constexpr ShapeKind VLine = ShapeKind::VerticalLine;
constexpr ShapeKind HLine = ShapeKind::HorizontalLine;
constexpr Anchor Left = Anchor::Left;
constexpr Anchor Right = Anchor::Right;
constexpr Anchor Centre = Anchor::Centre;

// Element fonts other than the report's Arial 10 pt.
const TextFont kBold{QStringLiteral("Arial"), 10, true};
const TextFont kTitle{QStringLiteral("標楷體"), 18, false};
const TextFont kDate{QStringLiteral("Arial"), 14, false};

Element shape(const char* name, ShapeKind kind, double l, double t, double w, double h, int pen)
{
    return {QString::fromLatin1(name), ElementKind::Shape, kind, {}, l, t, w, h, Left, {}, pen};
}

Element label(const char* name, const QString& caption, double l, double t, double w, double h,
              const TextFont& font = {})
{
    return {QString::fromLatin1(name), ElementKind::Label, ShapeKind::None, caption, l, t, w, h, Left, font, 1};
}

Element dbText(const char* name, const char* field, double l, double t, double w, double h, Anchor anchor,
               const TextFont& font = {})
{
    return {QString::fromLatin1(name), ElementKind::DataText, ShapeKind::None, QString::fromLatin1(field),
            l, t, w, h, anchor, font, 1};
}

// The payslip's elements in drawing order, in millimetres from the band's top-left corner.
std::vector<Element> payslipElements()
{
    return {
    shape("QRShape1", Rect, 1.06, 11.64, 187.59, 77.52, 2),
    shape("QRShape4", TopBottom, 2.12, 80.43, 184.41, 7.14, 1),
    label("QRLabel6", "應支金額", 4.76, 82.02, 17.20, 4.50),
    label("QRLabel7", "應扣金額", 67.20, 82.02, 17.20, 4.50),
    label("QRLabel8", "實支金額", 132.82, 82.02, 17.20, 4.50),
    shape("QRShape5", Rect, 121.71, 12.70, 65.62, 66.94, 2),
    shape("QRShape2", Rect, 122.77, 13.76, 63.24, 5.82, 1),
    label("QRLabel1", "應扣金額", 126.47, 14.55, 17.20, 4.50),
    label("QRLabel19", "核定金額", 148.70, 14.55, 17.20, 4.50),
    label("QRLabel20", "實支金額", 167.75, 14.55, 17.20, 4.50),
    shape("QRShape6", Rect, 122.77, 20.11, 63.24, 5.56, 1),
    shape("QRShape7", Rect, 122.77, 25.93, 63.24, 5.56, 1),
    shape("QRShape8", Rect, 122.77, 31.75, 63.24, 5.56, 1),
    shape("QRShape9", Rect, 122.77, 37.57, 63.24, 5.56, 1),
    shape("QRShape10", Rect, 122.77, 43.39, 63.24, 5.56, 1),
    shape("QRShape13", Rect, 122.77, 49.21, 63.24, 5.56, 1),
    shape("QRShape14", Rect, 122.77, 55.03, 63.24, 5.56, 1),
    label("QRLabel21", "勞保費", 126.47, 20.90, 12.96, 4.50),
    label("QRLabel22", "健保費", 126.47, 26.72, 12.96, 4.50),
    label("QRLabel23", "借    支", 126.47, 32.54, 12.96, 4.50),
    label("QRLabel24", "福利金", 126.47, 38.36, 12.96, 4.50),
    label("QRLabel25", "制服費", 126.47, 44.19, 12.96, 4.50),
    label("QRLabel26", "公休日", 126.47, 50.01, 12.96, 4.50),
    label("QRLabel27", "其    它", 126.47, 55.83, 12.96, 4.50),
    shape("QRShape18", Rect, 55.03, 12.70, 65.62, 66.94, 2),
    shape("QRShape19", Rect, 56.09, 31.75, 63.24, 5.56, 1),
    shape("QRShape20", Rect, 56.09, 25.93, 63.24, 5.56, 1),
    shape("QRShape21", Rect, 56.09, 60.85, 63.24, 5.56, 1),
    shape("QRShape22", Rect, 56.09, 72.50, 63.24, 5.56, 1),
    shape("QRShape23", Rect, 56.09, 66.67, 63.24, 5.56, 1),
    shape("QRShape24", Rect, 56.09, 20.11, 63.24, 5.56, 1),
    shape("QRShape25", Rect, 56.09, 37.57, 63.24, 5.56, 1),
    shape("QRShape26", Rect, 56.09, 13.76, 63.24, 5.56, 1),
    shape("QRShape27", Rect, 56.09, 43.39, 63.24, 5.56, 1),
    shape("QRShape28", Rect, 56.09, 49.21, 63.24, 5.56, 1),
    shape("QRShape29", Rect, 56.09, 55.03, 63.24, 5.56, 1),
    label("QRLabel30", "核定金額", 82.02, 14.55, 17.20, 4.50),
    label("QRLabel31", "實支金額", 101.07, 14.55, 17.20, 4.50),
    shape("QRShape30", VLine, 99.48, 14.02, 1.06, 64.03, 1),
    shape("QRShape31", VLine, 80.43, 14.02, 1.06, 64.03, 1),
    label("QRLabel29", "應支金額", 59.80, 14.55, 17.20, 4.50),
    label("QRLabel32", "加班時薪", 59.80, 26.46, 17.20, 4.50),
    label("QRLabel18", "基本薪資", 59.80, 20.64, 17.20, 4.50),
    label("QRLabel33", "職務加給", 59.80, 32.28, 17.20, 4.50),
    label("QRLabel34", "專業加給", 59.80, 38.10, 17.20, 4.50),
    label("QRLabel35", "其        它", 59.80, 67.20, 17.20, 4.50),
    label("QRLabel36", "全勤津貼", 59.80, 43.92, 17.20, 4.50),
    label("QRLabel37", "績效獎金", 59.80, 49.74, 17.20, 4.50),
    label("QRLabel38", "提案獎金", 59.80, 55.56, 17.20, 4.50),
    label("QRLabel39", "補助津貼", 59.80, 61.38, 17.20, 4.50),
    label("QRLabel40", "合        計", 59.80, 73.03, 17.20, 4.50),
    dbText("QRDBText15", "m_i1", 89.96, 20.64, 7.67, 4.50, Right),
    dbText("QRDBText16", "m_u1", 107.95, 20.64, 8.73, 4.50, Right),
    dbText("QRDBText17", "m_i2", 89.96, 26.46, 7.67, 4.50, Right),
    dbText("QRDBText18", "m_u2", 107.95, 26.46, 8.73, 4.50, Right),
    dbText("QRDBText19", "m_i3", 89.96, 32.28, 7.67, 4.50, Right),
    dbText("QRDBText20", "m_u3", 107.95, 32.28, 8.73, 4.50, Right),
    dbText("QRDBText21", "m_i4", 89.96, 38.10, 7.67, 4.50, Right),
    dbText("QRDBText22", "m_u4", 107.95, 38.10, 8.73, 4.50, Right),
    dbText("QRDBText23", "m_i5", 89.96, 43.92, 7.67, 4.50, Right),
    dbText("QRDBText24", "m_u5", 107.95, 43.92, 8.73, 4.50, Right),
    dbText("QRDBText25", "m_i6", 89.96, 49.74, 7.67, 4.50, Right),
    dbText("QRDBText26", "m_u6", 107.95, 49.74, 8.73, 4.50, Right),
    dbText("QRDBText27", "m_i7", 89.96, 55.56, 7.67, 4.50, Right),
    dbText("QRDBText28", "m_u7", 107.95, 55.56, 8.73, 4.50, Right),
    dbText("QRDBText29", "m_i8", 89.96, 61.38, 7.67, 4.50, Right),
    dbText("QRDBText30", "m_u8", 107.95, 61.38, 8.73, 4.50, Right),
    dbText("QRDBText31", "m_i9", 89.96, 67.20, 7.67, 4.50, Right),
    dbText("QRDBText32", "m_u9", 107.95, 67.20, 8.73, 4.50, Right),
    dbText("QRDBText33", "m_i10", 88.64, 73.03, 9.53, 4.50, Right),
    dbText("QRDBText34", "m_u10", 106.10, 73.03, 10.58, 4.50, Right),
    dbText("QRDBText35", "m_di1", 153.46, 20.64, 9.53, 4.50, Right),
    dbText("QRDBText36", "m_du1", 173.04, 20.64, 10.58, 4.50, Right),
    dbText("QRDBText37", "m_di2", 153.46, 26.46, 9.53, 4.50, Right),
    dbText("QRDBText38", "m_du2", 173.04, 26.46, 10.58, 4.50, Right),
    dbText("QRDBText39", "m_di3", 153.46, 32.28, 9.53, 4.50, Right),
    dbText("QRDBText40", "m_du3", 173.04, 32.28, 10.58, 4.50, Right),
    dbText("QRDBText41", "m_di4", 153.46, 38.10, 9.53, 4.50, Right),
    dbText("QRDBText42", "m_du4", 173.04, 38.10, 10.58, 4.50, Right),
    dbText("QRDBText43", "m_di5", 153.46, 43.92, 9.53, 4.50, Right),
    dbText("QRDBText44", "m_du5", 173.04, 43.92, 10.58, 4.50, Right),
    dbText("QRDBText45", "m_di6", 153.46, 49.74, 9.53, 4.50, Right),
    dbText("QRDBText46", "m_du6", 173.04, 49.74, 10.58, 4.50, Right),
    dbText("QRDBText47", "m_di7", 153.46, 55.56, 9.53, 4.50, Right),
    dbText("QRDBText48", "m_du7", 173.04, 55.56, 10.58, 4.50, Right),
    shape("QRShape32", Rect, 2.12, 12.70, 51.06, 66.94, 2),
    shape("QRShape33", Rect, 3.17, 59.80, 48.68, 18.26, 1),
    label("QRLabel15", "一級", 6.88, 66.67, 8.73, 4.50),
    label("QRLabel16", "二級", 23.28, 66.67, 8.73, 4.50),
    label("QRLabel17", "三級", 39.69, 66.67, 8.73, 4.50),
    shape("QRShape34", HLine, 3.17, 71.44, 48.68, 1.06, 1),
    dbText("QRDBText10", "u_add1", 5.29, 73.03, 11.38, 4.50, Centre),
    dbText("QRDBText11", "u_add2", 21.70, 73.03, 11.38, 4.50, Centre),
    dbText("QRDBText12", "u_add3", 38.10, 73.03, 11.38, 4.50, Centre),
    shape("QRShape35", HLine, 3.17, 64.56, 48.68, 1.06, 1),
    label("QRLabel41", "加 班 時 數", 17.99, 60.33, 20.37, 4.50),
    shape("QRShape36", VLine, 34.92, 65.09, 1.59, 12.96, 1),
    shape("QRShape37", VLine, 18.52, 65.09, 1.59, 12.96, 1),
    shape("QRShape38", Rect, 3.17, 13.76, 48.68, 12.44, 1),
    label("QRLabel9", "姓名", 7.41, 14.82, 8.73, 4.50),
    dbText("QRDBText5", "u_name", 5.29, 20.64, 12.44, 4.50, Centre),
    label("QRLabel13", "職等", 22.75, 14.82, 8.73, 4.50),
    dbText("QRDBText9", "u_class", 37.04, 21.17, 12.17, 4.50, Centre),
    dbText("QRDBText8", "u_lv", 23.81, 21.17, 6.09, 4.50, Centre),
    label("QRLabel12", "職級", 38.63, 14.82, 8.73, 4.50),
    shape("QRShape39", VLine, 18.52, 13.76, 1.59, 12.44, 1),
    shape("QRShape40", HLine, 3.17, 19.58, 48.68, 0.53, 1),
    shape("QRShape41", VLine, 33.34, 13.76, 1.59, 12.44, 1),
    shape("QRShape42", Rect, 3.17, 26.46, 48.68, 12.96, 1),
    label("QRLabel11", "職稱", 6.35, 27.52, 8.73, 4.50),
    dbText("QRDBText7", "u_title", 30.69, 27.52, 9.53, 4.50, Centre),
    shape("QRShape43", VLine, 17.99, 26.46, 2.91, 12.96, 1),
    shape("QRShape44", Rect, 3.17, 39.69, 48.68, 19.84, 1),
    shape("QRShape45", HLine, 3.17, 52.39, 48.68, 0.53, 1),
    label("QRLabel14", "工作時數", 4.23, 40.75, 17.20, 4.50),
    shape("QRShape46", HLine, 3.17, 32.81, 48.68, 0.53, 1),
    label("QRLabel10", "編號", 5.82, 33.87, 8.73, 4.50),
    dbText("QRDBText6", "m_number", 27.52, 33.87, 16.40, 4.50, Centre),
    shape("QRShape47", HLine, 3.17, 46.04, 48.68, 0.53, 1),
    label("QRLabel42", "缺勤時數", 4.23, 47.10, 17.20, 4.50),
    label("QRLabel43", "公休時數", 4.23, 53.45, 17.20, 4.50),
    shape("QRShape48", VLine, 22.75, 39.69, 0.53, 19.58, 1),
    dbText("QRDBText13", "m_day", 32.28, 40.75, 10.58, 4.50, Centre),
    dbText("QRDBText14", "m_offday", 30.69, 47.62, 14.02, 4.50, Centre),
    dbText("QRDBText49", "m_freeday", 29.63, 53.98, 16.14, 4.50, Centre),
    shape("QRShape15", Rect, 122.77, 66.67, 63.24, 5.56, 1),
    shape("QRShape16", Rect, 122.77, 60.85, 63.24, 5.56, 1),
    shape("QRShape17", Rect, 122.77, 72.50, 63.24, 5.56, 1),
    label("QRLabel44", "備註:", 123.83, 73.03, 9.79, 4.50),
    dbText("QRDBText50", "m_note", 134.41, 73.03, 11.64, 4.50, Left),
    label("QRLabel28", "合    計", 126.47, 61.38, 12.96, 4.50),
    shape("QRShape12", VLine, 147.11, 13.76, 1.06, 58.47, 1),
    shape("QRShape11", VLine, 166.16, 13.76, 1.06, 58.47, 1),
    dbText("QRDBText51", "m_di8", 153.46, 61.38, 9.53, 4.50, Right),
    dbText("QRDBText52", "m_du8", 173.04, 61.38, 10.58, 4.50, Right),
    shape("QRShape49", Rect, 25.40, 81.23, 27.78, 5.56, 1),
    dbText("QRDBText2", "m_in", 34.40, 81.76, 8.47, 4.50, Centre, kBold),
    label("QRLabel45", "－", 58.21, 82.02, 4.76, 4.50, kBold),
    label("QRLabel46", " ＝", 123.30, 82.02, 5.56, 4.50),
    shape("QRShape50", Rect, 88.90, 81.23, 27.78, 5.56, 1),
    dbText("QRDBText3", "m_um", 97.37, 81.76, 10.58, 4.50, Centre, kBold),
    shape("QRShape51", Rect, 153.99, 81.23, 27.78, 5.56, 1),
    dbText("QRDBText4", "m_km", 164.04, 81.76, 10.32, 4.50, Centre, kBold),
    shape("QRShape3", Rect, 1.06, 89.96, 188.12, 15.61, 1),
    label("QRLabel3", "(一)辛苦了!感謝您在工作上付出的辛勞，希望住後繼續攜手共創美好的佳績.", 2.12, 91.02, 139.70, 4.50),
    label("QRLabel4", "(二)請收到薪資袋時，確實核對，如有疑問，請於３日內向會計部提出異議，將儘速處理，謝謝合作.", 2.12, 95.78, 185.47, 4.50),
    label("QRLabel5", "(三)個人薪資是屬機密之事，請勿公開或私下討論，避免造成困擾，請合作.", 2.12, 100.54, 138.91, 4.50),
    label("QRLabel2", "薪資明細表", 76.73, 1.59, 32.01, 6.61, kTitle),
    dbText("QRDBText1", "m_date", 4.76, 1.59, 17.20, 6.09, Left, kDate),
    };
}

} // namespace

TRepost1::TRepost1()
    // Laid out for the page, so it does not follow the system's resolution.
    : Form(QStringLiteral("Repost1"), QRect(114, 113, 886, 622), Scaling::Fixed)
{
    buildData();
    buildReport();
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

void TRepost1::buildReport()
{
    QuickRep1 = std::make_unique<report::Report>(QStringLiteral("QuickRep1"));
    // A4 portrait, 10 mm margins all round, in tenths of a millimetre.
    QuickRep1->geometry = {100, 2970, 100, 2100, 100, 100, 0};
    QuickRep1->font = {QStringLiteral("Arial"), 10, false};
    QuickRep1->columns = 1;
    QuickRep1->printIfEmpty = true;
    QuickRep1->showProgress = true;
    QuickRep1->printSettings = {};
    QuickRep1->setDataSet(ADOQuery1.get());

    QRBand3 = &QuickRep1->band;
    QRBand3->name = QStringLiteral("QRBand3");
    QRBand3->width = 189.97;
    QRBand3->height = 128.32;
    QRBand3->elements = payslipElements();
}

void TRepost1::ADOQuery1CalcFields(data::DataSet&)
{
    data::computePayTotals(m_payFields);
}

void printPayslip(TRepost1& form, const QString& serial)
{
    data::DataSet& query = *form.ADOQuery1;
    query.close();
    // Replaced before every opening; the serial is bound as text, never pasted into the SQL.
    query.setSql(kPayslipSql);
    query.setParameter(QStringLiteral("usersn"), serial);
    query.open();
    form.QuickRep1->PreviewAndWait();
}
