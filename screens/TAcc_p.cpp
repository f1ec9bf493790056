#include "TAcc_p.h"

#include "Repost1_p.h"
#include "TUser_p.h"
#include "connection.h"
#include "declarefields.h"
#include "entermoveson.h"
#include "inputmethod.h"
#include "recordnav.h"

#include <QCloseEvent>

TTAcc* TAcc = nullptr;

TTAcc::TTAcc()
    : Form(QStringLiteral("TAcc"), QRect(200, 112, 538, 504))
{
    buildData();
    buildEmployeePanel();
    buildPayablePanel();
    buildDeductionPanel();
    buildTotalsPanel();
    buildFunctionPanel();
    connectKeyHandlers();
    applyTabOrder();
    setMenuSkin(true);
    // The detail opens first and presents every pay record until its master opens.
    openAtCreation(*ADOTable1);
    openAtCreation(*ADOTable2);
}

TTAcc::~TTAcc()
{
    // The controls go before the data sources they are bound to.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

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
    DataSource1 = std::make_unique<controls::DataSource>(ADOTable1.get());
    DataSource2 = std::make_unique<controls::DataSource>(ADOTable2.get());
}

// ---- building blocks ----

controls::GroupBox* TTAcc::addGroupBox(const QString& caption, const char* name, QRect at, int tabOrder)
{
    auto* box = new controls::GroupBox(caption, this);
    box->setObjectName(QLatin1String(name));
    place(box, at.x(), at.y(), at.width(), at.height());
    setTabOrder(box, tabOrder);
    return box;
}

controls::Label* TTAcc::addLabel(QWidget* parent, const QString& caption, const char* name, QPoint at, QSize size)
{
    auto* label = new controls::Label(caption, parent);
    label->setObjectName(QLatin1String(name));
    place(label, at.x(), at.y(), size.width(), size.height());
    label->setAutoSize(true); // keeps its place, sized to the caption in the font at hand
    return label;
}

controls::DBEdit* TTAcc::addDBEdit(QWidget* parent, const char* name, controls::DataSource* source,
                                   const char* field, QRect at, int tabOrder, const QString& inputMethod)
{
    auto* edit = new controls::DBEdit(parent);
    edit->setObjectName(QLatin1String(name));
    place(edit, at.x(), at.y(), at.width(), at.height());
    setTabOrder(edit, tabOrder);
    controls::setInputMethodName(edit, inputMethod);
    edit->bind(source, QLatin1String(field));
    return edit;
}

controls::Button* TTAcc::addButton(QWidget* parent, const QString& caption, const char* name, QRect at,
                                   int tabOrder, void (TTAcc::*handler)())
{
    auto* button = new controls::Button(caption, parent);
    button->setObjectName(QLatin1String(name));
    place(button, at.x(), at.y(), at.width(), at.height());
    setTabOrder(button, tabOrder);
    connect(button, &QAbstractButton::clicked, this, handler);
    return button;
}

// ---- the five group boxes ----

void TTAcc::buildEmployeePanel()
{
    GroupBox1 = addGroupBox(QStringLiteral("員工資料"), "GroupBox1", {2, 2, 263, 185}, 0);
    auto* g = GroupBox1;
    auto* ds1 = DataSource1.get();
    auto* ds2 = DataSource2.get();
    const QString& newCangjie = controls::kNewCangjie;
    const QString& cangjie = controls::kCangjie;

    Label4 = addLabel(g, QStringLiteral("姓名"), "Label4", {7, 18}, {24, 13});
    DBEdit37 = addDBEdit(g, "DBEdit37", ds2, "u_name", {37, 14, 96, 21}, 3, newCangjie);
    Label2 = addLabel(g, QStringLiteral("編號"), "Label2", {138, 18}, {24, 13});
    DBEdit2 = addDBEdit(g, "DBEdit2", ds2, "u_number", {167, 14, 88, 21}, 7, newCangjie);
    Label6 = addLabel(g, QStringLiteral("職稱"), "Label6", {7, 40}, {24, 13});
    DBEdit38 = addDBEdit(g, "DBEdit38", ds2, "u_title", {37, 36, 218, 21}, 2, newCangjie);
    Label8 = addLabel(g, QStringLiteral("職等"), "Label8", {7, 62}, {24, 13});
    DBEdit42 = addDBEdit(g, "DBEdit42", ds2, "u_lv", {37, 58, 96, 21}, 1, newCangjie);
    Label10 = addLabel(g, QStringLiteral("職級"), "Label10", {138, 62}, {24, 13});
    DBEdit43 = addDBEdit(g, "DBEdit43", ds2, "u_class", {166, 58, 89, 21}, 0, newCangjie);
    // The day counts belong to the pay record although they stand with the employee.
    Label45 = addLabel(g, QStringLiteral("工數"), "Label45", {7, 85}, {24, 13});
    DBEdit45 = addDBEdit(g, "DBEdit45", ds1, "m_day", {37, 80, 51, 21}, 6, newCangjie);
    Label46 = addLabel(g, QStringLiteral("缺勤"), "Label46", {91, 85}, {24, 13});
    DBEdit46 = addDBEdit(g, "DBEdit46", ds1, "m_offday", {120, 80, 51, 21}, 5, newCangjie);
    Label47 = addLabel(g, QStringLiteral("公休"), "Label47", {177, 85}, {24, 13});
    DBEdit47 = addDBEdit(g, "DBEdit47", ds1, "m_freeday", {204, 80, 51, 21}, 4, newCangjie);
    Label17 = addLabel(g, QStringLiteral("1級"), "Label17", {12, 108}, {18, 13});
    DBEdit48 = addDBEdit(g, "DBEdit48", ds2, "u_add1", {37, 102, 51, 21}, 8, cangjie);
    Label18 = addLabel(g, QStringLiteral("2級"), "Label18", {90, 108}, {18, 13});
    DBEdit49 = addDBEdit(g, "DBEdit49", ds2, "u_add2", {120, 102, 51, 21}, 9, cangjie);
    Label20 = addLabel(g, QStringLiteral("3級"), "Label20", {180, 108}, {18, 13});
    DBEdit50 = addDBEdit(g, "DBEdit50", ds2, "u_add3", {204, 102, 50, 21}, 10, cangjie);
    // Focus targets without an accelerator: a click on the label moves nothing.
    Label17->setBuddy(DBEdit48);
    Label18->setBuddy(DBEdit49);
    Label20->setBuddy(DBEdit50);

    Button7 = addButton(g, QStringLiteral("<<"), "Button7", {6, 126, 60, 25}, 11, &TTAcc::Button7Click);
    Button9 = addButton(g, QStringLiteral("<"), "Button9", {70, 126, 60, 25}, 12, &TTAcc::Button9Click);
    Button10 = addButton(g, QStringLiteral(">"), "Button10", {132, 126, 60, 25}, 13, &TTAcc::Button10Click);
    Button12 = addButton(g, QStringLiteral(">>"), "Button12", {194, 126, 60, 25}, 14, &TTAcc::Button12Click);
    Button8 = addButton(g, QStringLiteral("找尋"), "Button8", {6, 156, 75, 21}, 15, &TTAcc::Button8Click);
    Label1 = addLabel(g, QStringLiteral("編號"), "Label1", {94, 160}, {24, 13});
    Edit1 = new controls::Edit(g);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    place(Edit1, 130, 156, 123, 21);
    setTabOrder(Edit1, 16);
    controls::setInputMethodName(Edit1, cangjie);
}

void TTAcc::buildPayablePanel()
{
    GroupBox2 = addGroupBox(QStringLiteral("應支金額"), "GroupBox2", {2, 190, 263, 221}, 1);
    struct Row {
        controls::Label** label; const char* labelName; const char* caption; int labelTop; int editTop;
        controls::DBEdit** approved; const char* approvedName; const char* approvedField;
        controls::DBEdit** actual; const char* actualName; const char* actualField;
    };
    const Row rows[] = {
        {&Label3, "Label3", "基本薪資", 16, 14, &DBEdit3, "DBEdit3", "m_i1", &DBEdit4, "DBEdit4", "m_u1"},
        {&Label5, "Label5", "加班時薪", 35, 34, &DBEdit5, "DBEdit5", "m_i2", &DBEdit6, "DBEdit6", "m_u2"},
        {&Label7, "Label7", "職務加給", 55, 54, &DBEdit7, "DBEdit7", "m_i3", &DBEdit8, "DBEdit8", "m_u3"},
        {&Label9, "Label9", "專業加給", 75, 74, &DBEdit9, "DBEdit9", "m_i4", &DBEdit10, "DBEdit10", "m_u4"},
        {&Label11, "Label11", "全勤津貼", 95, 94, &DBEdit11, "DBEdit11", "m_i5", &DBEdit12, "DBEdit12", "m_u5"},
        {&Label13, "Label13", "績效獎金", 115, 114, &DBEdit13, "DBEdit13", "m_i6", &DBEdit14, "DBEdit14", "m_u6"},
        {&Label15, "Label15", "提案獎金", 135, 134, &DBEdit15, "DBEdit15", "m_i7", &DBEdit17, "DBEdit17", "m_u7"},
        {&Label16, "Label16", "補助津貼", 155, 154, &DBEdit16, "DBEdit16", "m_i8", &DBEdit18, "DBEdit18", "m_u8"},
        {&Label19, "Label19", "其        它", 175, 174, &DBEdit19, "DBEdit19", "m_i9", &DBEdit20, "DBEdit20", "m_u9"},
        {&Label40, "Label40", "應支合計", 195, 194, &DBEdit40, "DBEdit40", "m_i10", &DBEdit41, "DBEdit41", "m_u10"},
    };
    int tab = 0;
    for (const Row& r : rows) {
        *r.label = addLabel(GroupBox2, QString::fromUtf8(r.caption), r.labelName, {8, r.labelTop}, {48, 13});
        *r.approved = addDBEdit(GroupBox2, r.approvedName, DataSource1.get(), r.approvedField,
                                {63, r.editTop, 90, 21}, tab++, controls::kNewCangjie);
        *r.actual = addDBEdit(GroupBox2, r.actualName, DataSource1.get(), r.actualField,
                              {156, r.editTop, 90, 21}, tab++, controls::kNewCangjie);
    }
}

void TTAcc::buildDeductionPanel()
{
    GroupBox3 = addGroupBox(QStringLiteral("應扣金額"), "GroupBox3", {270, 2, 255, 205}, 2);
    struct Row {
        controls::Label** label; const char* labelName; const char* caption; QPoint labelAt; QSize labelSize;
        int editTop; int tab;
        controls::DBEdit** approved; const char* approvedName; const char* approvedField;
        controls::DBEdit** actual; const char* actualName; const char* actualField;
    };
    // The totals row stands above the note but comes after it in the tab order.
    const Row rows[] = {
        {&Label23, "Label23", "勞 保 費", {10, 18}, {42, 13}, 14, 0, &DBEdit23, "DBEdit23", "m_di1", &DBEdit24, "DBEdit24", "m_du1"},
        {&Label25, "Label25", "健 保 費", {10, 38}, {42, 13}, 34, 2, &DBEdit25, "DBEdit25", "m_di2", &DBEdit26, "DBEdit26", "m_du2"},
        {&Label27, "Label27", "借      支", {10, 58}, {42, 13}, 54, 4, &DBEdit27, "DBEdit27", "m_di3", &DBEdit28, "DBEdit28", "m_du3"},
        {&Label29, "Label29", "福 利 金", {10, 78}, {42, 13}, 74, 6, &DBEdit29, "DBEdit29", "m_di4", &DBEdit30, "DBEdit30", "m_du4"},
        {&Label31, "Label31", "制 服 費", {10, 98}, {42, 13}, 94, 8, &DBEdit31, "DBEdit31", "m_di5", &DBEdit32, "DBEdit32", "m_du5"},
        {&Label33, "Label33", "公 休 日", {10, 118}, {42, 13}, 114, 10, &DBEdit33, "DBEdit33", "m_di6", &DBEdit34, "DBEdit34", "m_du6"},
        {&Label35, "Label35", "其      它", {10, 138}, {42, 13}, 134, 12, &DBEdit35, "DBEdit35", "m_di7", &DBEdit36, "DBEdit36", "m_du7"},
        {&Label28, "Label28", "應扣合計", {8, 160}, {48, 13}, 156, 15, &DBEdit1, "DBEdit1", "m_di8", &DBEdit54, "DBEdit54", "m_du8"},
    };
    for (const Row& r : rows) {
        *r.label = addLabel(GroupBox3, QString::fromUtf8(r.caption), r.labelName, r.labelAt, r.labelSize);
        *r.approved = addDBEdit(GroupBox3, r.approvedName, DataSource1.get(), r.approvedField,
                                {64, r.editTop, 90, 21}, r.tab, controls::kNewCangjie);
        *r.actual = addDBEdit(GroupBox3, r.actualName, DataSource1.get(), r.actualField,
                              {156, r.editTop, 90, 21}, r.tab + 1, controls::kNewCangjie);
    }
    Label44 = addLabel(GroupBox3, QStringLiteral("備      註"), "Label44", {11, 182}, {42, 13});
    DBEdit44 = addDBEdit(GroupBox3, "DBEdit44", DataSource1.get(), "m_note", {64, 178, 183, 21}, 14,
                         controls::kNewCangjie);
    Label44->setBuddy(DBEdit44);
}

void TTAcc::buildTotalsPanel()
{
    GroupBox4 = addGroupBox(QStringLiteral("總計"), "GroupBox4", {2, 414, 263, 57}, 3);
    Label21 = addLabel(GroupBox4, QStringLiteral("應支金額"), "Label21", {30, 14}, {48, 13});
    DBEdit21 = addDBEdit(GroupBox4, "DBEdit21", DataSource1.get(), "m_in", {8, 30, 80, 21}, 0, controls::kNewCangjie);
    Label22 = addLabel(GroupBox4, QStringLiteral("應扣金額"), "Label22", {110, 14}, {48, 13});
    DBEdit22 = addDBEdit(GroupBox4, "DBEdit22", DataSource1.get(), "m_um", {92, 30, 80, 21}, 1, controls::kNewCangjie);
    Label39 = addLabel(GroupBox4, QStringLiteral("實支金額"), "Label39", {196, 14}, {48, 13});
    DBEdit39 = addDBEdit(GroupBox4, "DBEdit39", DataSource1.get(), "m_km", {176, 30, 80, 21}, 2, controls::kNewCangjie);
}

void TTAcc::buildFunctionPanel()
{
    GroupBox5 = addGroupBox(QStringLiteral("功能表"), "GroupBox5", {270, 212, 255, 259}, 4);
    auto* g = GroupBox5;
    const QString& cangjie = controls::kCangjie;

    Label12 = addLabel(g, QStringLiteral("員工編號"), "Label12", {6, 20}, {48, 13});
    DBEdit51 = addDBEdit(g, "DBEdit51", DataSource1.get(), "m_number", {61, 14, 184, 21}, 0, cangjie);
    Label14 = addLabel(g, QStringLiteral("薪資月份"), "Label14", {6, 42}, {48, 13});
    DBEdit53 = addDBEdit(g, "DBEdit53", DataSource1.get(), "m_date", {61, 38, 184, 21}, 1, cangjie);
    Label24 = addLabel(g, QStringLiteral("薪資編號"), "Label24", {6, 66}, {48, 13});
    DBEdit52 = addDBEdit(g, "DBEdit52", DataSource1.get(), "m_sn", {61, 62, 184, 21}, 2, cangjie);

    Button2 = addButton(g, QStringLiteral("<<"), "Button2", {6, 86, 60, 25}, 3, &TTAcc::Button2Click);
    Button3 = addButton(g, QStringLiteral("<"), "Button3", {68, 86, 60, 25}, 4, &TTAcc::Button3Click);
    Button4 = addButton(g, QStringLiteral(">"), "Button4", {130, 86, 60, 25}, 5, &TTAcc::Button4Click);
    Button5 = addButton(g, QStringLiteral(">>"), "Button5", {192, 86, 60, 25}, 6, &TTAcc::Button5Click);
    // "回主頁" comes right after "新增" in the tab order, before "刪除" and "存檔".
    Button6 = addButton(g, QStringLiteral("新增"), "Button6", {6, 116, 60, 25}, 7, &TTAcc::Button6Click);
    Button11 = addButton(g, QStringLiteral("刪除"), "Button11", {68, 116, 60, 25}, 9, &TTAcc::Button11Click);
    Button13 = addButton(g, QStringLiteral("存檔"), "Button13", {130, 116, 60, 25}, 10, &TTAcc::Button13Click);
    Button1 = addButton(g, QStringLiteral("回主頁"), "Button1", {192, 116, 60, 25}, 8, &TTAcc::Button1Click);
    Button14 = addButton(g, QStringLiteral("找尋"), "Button14", {6, 144, 60, 25}, 11, &TTAcc::Button14Click);
    Label26 = addLabel(g, QStringLiteral("薪資編號"), "Label26", {72, 150}, {48, 13});
    Edit2 = new controls::Edit(g);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    place(Edit2, 128, 146, 121, 21);
    setTabOrder(Edit2, 12);
    controls::setInputMethodName(Edit2, cangjie);
    Button15 = addButton(g, QStringLiteral("列印"), "Button15", {6, 172, 61, 25}, 13, &TTAcc::Button15Click);
}

void TTAcc::connectKeyHandlers()
{
    // The two calculated deduction totals carry the handlers of the row above them.
    const std::pair<controls::DBEdit*, KeyHandler> chain[] = {
        {DBEdit3, &TTAcc::DBEdit3KeyPress},   {DBEdit4, &TTAcc::DBEdit4KeyPress},
        {DBEdit5, &TTAcc::DBEdit5KeyPress},   {DBEdit6, &TTAcc::DBEdit6KeyPress},
        {DBEdit7, &TTAcc::DBEdit7KeyPress},   {DBEdit8, &TTAcc::DBEdit8KeyPress},
        {DBEdit9, &TTAcc::DBEdit9KeyPress},   {DBEdit10, &TTAcc::DBEdit10KeyPress},
        {DBEdit11, &TTAcc::DBEdit11KeyPress}, {DBEdit12, &TTAcc::DBEdit12KeyPress},
        {DBEdit13, &TTAcc::DBEdit13KeyPress}, {DBEdit14, &TTAcc::DBEdit14KeyPress},
        {DBEdit15, &TTAcc::DBEdit15KeyPress}, {DBEdit17, &TTAcc::DBEdit17KeyPress},
        {DBEdit16, &TTAcc::DBEdit16KeyPress}, {DBEdit18, &TTAcc::DBEdit18KeyPress},
        {DBEdit19, &TTAcc::DBEdit19KeyPress},
        {DBEdit23, &TTAcc::DBEdit23KeyPress}, {DBEdit24, &TTAcc::DBEdit24KeyPress},
        {DBEdit25, &TTAcc::DBEdit25KeyPress}, {DBEdit26, &TTAcc::DBEdit26KeyPress},
        {DBEdit27, &TTAcc::DBEdit27KeyPress}, {DBEdit28, &TTAcc::DBEdit28KeyPress},
        {DBEdit29, &TTAcc::DBEdit29KeyPress}, {DBEdit30, &TTAcc::DBEdit30KeyPress},
        {DBEdit31, &TTAcc::DBEdit31KeyPress}, {DBEdit32, &TTAcc::DBEdit32KeyPress},
        {DBEdit33, &TTAcc::DBEdit33KeyPress}, {DBEdit34, &TTAcc::DBEdit34KeyPress},
        {DBEdit35, &TTAcc::DBEdit35KeyPress}, {DBEdit36, &TTAcc::DBEdit36KeyPress},
        {DBEdit1, &TTAcc::DBEdit35KeyPress},  {DBEdit54, &TTAcc::DBEdit36KeyPress},
    };
    for (const auto& [edit, handler] : chain)
        edit->onKeyPress = [this, handler](QChar& key, Qt::KeyboardModifiers m) { (this->*handler)(key, m); };
}

// ---- employee panel ----

void TTAcc::Button7Click() { ADOTable2->first(); }

void TTAcc::Button9Click() { controls::previousRecord(*ADOTable2); }

void TTAcc::Button10Click() { controls::nextRecord(*ADOTable2); }

void TTAcc::Button12Click() { ADOTable2->last(); }

void TTAcc::Button8Click()
{
    controls::searchKey(*ADOTable2, QStringLiteral("u_number"), Edit1->text());
}

// ---- pay records ----

void TTAcc::Button2Click() { ADOTable1->first(); }

void TTAcc::Button3Click() { controls::previousRecord(*ADOTable1); }

void TTAcc::Button4Click() { controls::nextRecord(*ADOTable1); }

void TTAcc::Button5Click() { ADOTable1->last(); }

void TTAcc::Button6Click() { ADOTable1->insert(); }

void TTAcc::Button11Click() { ADOTable1->remove(); }

// Edit first, so an employee without pay records gets one holding only the number.
void TTAcc::Button13Click()
{
    ADOTable1->edit();
    ADOTable1->post();
}

// A hit among another employee's pay records is a miss: the employee panel stays put.
void TTAcc::Button14Click()
{
    controls::searchKey(*ADOTable1, QStringLiteral("m_sn"), Edit2->text());
}

void TTAcc::Button15Click()
{
    // What the box shows, saved or not; the payslip itself reads what is stored.
    printPayslip(*Repost1, DBEdit52->text());
}

void TTAcc::Button1Click()
{
    TUser->hideForm();
    TAcc->hideForm();
    mainForm()->showForm();
}

// ---- data set hooks ----

void TTAcc::ADOTable1CalcFields(data::DataSet&)
{
    data::computePayTotals(m_payFields);
}

void TTAcc::ADOTable1NewRecord(data::DataSet&)
{
    ADOTable1->fieldByName(QStringLiteral("m_number"))
        ->setAsString(ADOTable2->fieldByName(QStringLiteral("u_number"))->asString());
}

// ---- Enter moves on ----

void TTAcc::DBEdit3KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit4); }
void TTAcc::DBEdit4KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit5); }
void TTAcc::DBEdit5KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit6); }
void TTAcc::DBEdit6KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit7); }
void TTAcc::DBEdit7KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit8); }
void TTAcc::DBEdit8KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit9); }
void TTAcc::DBEdit9KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit10); }
void TTAcc::DBEdit10KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit11); }
void TTAcc::DBEdit11KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit12); }
void TTAcc::DBEdit12KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit13); }
void TTAcc::DBEdit13KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit14); }
void TTAcc::DBEdit14KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit15); }
void TTAcc::DBEdit15KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit17); }
void TTAcc::DBEdit17KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit16); }
void TTAcc::DBEdit16KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit18); }
void TTAcc::DBEdit18KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit19); }
void TTAcc::DBEdit19KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit20); }
void TTAcc::DBEdit23KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit24); }
void TTAcc::DBEdit24KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit25); }
void TTAcc::DBEdit25KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit26); }
void TTAcc::DBEdit26KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit27); }
void TTAcc::DBEdit27KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit28); }
void TTAcc::DBEdit28KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit29); }
void TTAcc::DBEdit29KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit30); }
void TTAcc::DBEdit30KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit31); }
void TTAcc::DBEdit31KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit32); }
void TTAcc::DBEdit32KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit33); }
void TTAcc::DBEdit33KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit34); }
void TTAcc::DBEdit34KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit35); }
void TTAcc::DBEdit35KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit36); }
void TTAcc::DBEdit36KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit44); }

void TTAcc::closeEvent(QCloseEvent* e)
{
    e->ignore();
    Button1Click();
}
