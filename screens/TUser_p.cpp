#include "TUser_p.h"

#include "TAcc_p.h"
#include "connection.h"
#include "declarefields.h"
#include "entermoveson.h"
#include "inputmethod.h"
#include "recordnav.h"

#include <QCloseEvent>

TTUser* TUser = nullptr;

namespace {
const QColor kSkyBlue(166, 202, 240);
}

TTUser::TTUser()
    : Form(QStringLiteral("TUser"), QRect(234, 163, 458, 392))
{
    buildData();
    buildRecordBox();
    buildFunctionPanel();
    applyTabOrder();
    setMenuSkin(true);
    openAtCreation(*ADOTable1);
}

TTUser::~TTUser()
{
    // The controls go before the data source they are bound to.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TTUser::buildData()
{
    ADOTable1 = std::make_unique<data::DataSet>(QStringLiteral("ADOTable1"), data::DataSet::Kind::Table);
    ADOTable1->setConnectionString(data::kConnectionString);
    ADOTable1->setTableName(QStringLiteral("t_user"));
    controls::declareUserColumns(*ADOTable1);

    struct Display { const char* column; const char* label; int width; bool visible; };
    static const Display kDisplay[] = {
        {"u_sn", "", 0, false},
        {"u_name", "員工姓名", 9, true},
        {"u_number", "員工編號", 9, true},
        {"u_title", "職位名稱", 17, true},
        {"u_lv", "職等", 7, true},
        {"u_class", "職級", 7, true},
        {"u_indate", "到職日期", 13, true},
        {"u_add1", "加班一級", 0, false},
        {"u_add2", "", 0, false},
        {"u_add3", "", 0, false},
    };
    for (const Display& d : kDisplay) {
        data::FieldDisplay& display = ADOTable1->fieldByName(QString::fromLatin1(d.column))->display();
        display.label = QString::fromUtf8(d.label);
        display.width = d.width;
        display.alignment = Qt::AlignRight;
        display.visible = d.visible;
    }
    addDataSet(ADOTable1.get());
    DataSource1 = std::make_unique<controls::DataSource>(ADOTable1.get());
}

void TTUser::buildRecordBox()
{
    GroupBox1 = new controls::GroupBox(QStringLiteral("員工基本資料"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setColor(kSkyBlue);
    place(GroupBox1, 2, 2, 441, 153);
    setTabOrder(GroupBox1, 6);

    struct Box {
        controls::Label** label; const char* labelName; const char* caption; QPoint labelAt;
        controls::DBEdit** edit; const char* editName; const char* field; QPoint editAt; int tabOrder;
    };
    const Box boxes[] = {
        {&Label1, "Label1", "員工姓名", {16, 32}, &DBEdit1, "DBEdit1", "u_name", {72, 24}, 0},
        {&Label2, "Label2", "員工編號", {224, 32}, &DBEdit2, "DBEdit2", "u_number", {280, 24}, 1},
        {&Label3, "Label3", "職位名稱", {16, 56}, &DBEdit3, "DBEdit3", "u_title", {72, 48}, 2},
        {&Label4, "Label4", "員工職等", {224, 56}, &DBEdit4, "DBEdit4", "u_lv", {280, 50}, 3},
        {&Label5, "Label5", "員工職級", {16, 80}, &DBEdit5, "DBEdit5", "u_class", {72, 72}, 4},
        {&Label7, "Label7", "加班一級", {224, 80}, &DBEdit7, "DBEdit7", "u_add1", {280, 72}, 5},
        {&Label8, "Label8", "加班二級", {16, 102}, &DBEdit8, "DBEdit8", "u_add2", {72, 96}, 6},
        {&Label6, "Label6", "加班三級", {224, 104}, &DBEdit6, "DBEdit6", "u_add3", {280, 96}, 7},
        {&Label9, "Label9", "到職日期", {16, 124}, &DBEdit9, "DBEdit9", "u_indate", {72, 120}, 8},
    };
    for (const Box& b : boxes) {
        auto* edit = new controls::DBEdit(GroupBox1);
        edit->setObjectName(QLatin1String(b.editName));
        place(edit, b.editAt.x(), b.editAt.y(), 134, 21);
        setTabOrder(edit, b.tabOrder);
        controls::setInputMethodName(edit, controls::kCangjie);
        edit->bind(DataSource1.get(), QLatin1String(b.field));
        *b.edit = edit;

        auto* label = new controls::Label(QString::fromUtf8(b.caption), GroupBox1);
        label->setObjectName(QLatin1String(b.labelName));
        label->setAutoSize(false);
        label->setOpaque(true);
        place(label, b.labelAt.x(), b.labelAt.y(), 48, 13);
        label->setBuddy(edit);
        *b.label = label;
    }
    using Handler = void (TTUser::*)(QChar&, Qt::KeyboardModifiers);
    const std::pair<controls::DBEdit*, Handler> chain[] = {
        {DBEdit1, &TTUser::DBEdit1KeyPress}, {DBEdit2, &TTUser::DBEdit2KeyPress},
        {DBEdit3, &TTUser::DBEdit3KeyPress}, {DBEdit4, &TTUser::DBEdit4KeyPress},
        {DBEdit5, &TTUser::DBEdit5KeyPress}, {DBEdit7, &TTUser::DBEdit7KeyPress},
        {DBEdit8, &TTUser::DBEdit8KeyPress}, {DBEdit6, &TTUser::DBEdit6KeyPress},
    };
    for (const auto& [edit, handler] : chain)
        edit->onKeyPress = [this, handler](QChar& key, Qt::KeyboardModifiers m) { (this->*handler)(key, m); };

    Edit1 = new controls::Edit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    place(Edit1, 280, 118, 134, 21);
    setTabOrder(Edit1, 9);
    controls::setInputMethodName(Edit1, controls::kCangjie);
    Edit1->onKeyPress = [this](QChar& key, Qt::KeyboardModifiers m) { Edit1KeyPress(key, m); };

    Button7 = new controls::Button(QStringLiteral("搜索編號"), GroupBox1);
    Button7->setObjectName(QStringLiteral("Button7"));
    place(Button7, 214, 122, 63, 17);
    setTabOrder(Button7, 10);
    connect(Button7, &QAbstractButton::clicked, this, &TTUser::Button7Click);
}

controls::Button* TTUser::addButton(const QString& caption, const char* name, QRect at, int tabOrder,
                                    void (TTUser::*handler)())
{
    auto* button = new controls::Button(caption, this);
    button->setObjectName(QLatin1String(name));
    place(button, at.x(), at.y(), at.width(), at.height());
    setTabOrder(button, tabOrder);
    connect(button, &QAbstractButton::clicked, this, handler);
    return button;
}

void TTUser::buildFunctionPanel()
{
    GroupBox2 = new controls::GroupBox(QStringLiteral("功能表"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setColor(kSkyBlue);
    place(GroupBox2, 2, 158, 441, 81);
    setTabOrder(GroupBox2, 7);

    // The buttons belong to the window and are drawn over the box.
    Button1 = addButton(QStringLiteral("第一頁"), "Button1", {20, 174, 75, 25}, 0, &TTUser::Button1Click);
    Button2 = addButton(QStringLiteral("上一頁"), "Button2", {102, 174, 75, 25}, 1, &TTUser::Button2Click);
    Button3 = addButton(QStringLiteral("下一頁"), "Button3", {182, 174, 75, 25}, 2, &TTUser::Button3Click);
    Button4 = addButton(QStringLiteral("最後頁"), "Button4", {264, 174, 75, 25}, 3, &TTUser::Button4Click);
    Button5 = addButton(QStringLiteral("新  增"), "Button5", {20, 204, 75, 25}, 4, &TTUser::Button5Click);
    Button6 = addButton(QStringLiteral("刪  除"), "Button6", {102, 204, 75, 25}, 5, &TTUser::Button6Click);
    Button11 = addButton(QStringLiteral("存  檔"), "Button11", {182, 204, 75, 25}, 11, &TTUser::Button11Click);
    Button10 = addButton(QStringLiteral("回薪資表"), "Button10", {264, 204, 75, 25}, 10, &TTUser::Button10Click);
    Button9 = addButton(QStringLiteral("回主畫面"), "Button9", {344, 204, 75, 25}, 9, &TTUser::Button9Click);

    DBGrid1 = new controls::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    place(DBGrid1, 2, 242, 441, 120);
    setTabOrder(DBGrid1, 8);
    DBGrid1->setDataSource(DataSource1.get());
}

void TTUser::Button1Click() { ADOTable1->first(); }

void TTUser::Button2Click() { controls::previousRecord(*ADOTable1); }

void TTUser::Button3Click() { controls::nextRecord(*ADOTable1); }

void TTUser::Button4Click() { ADOTable1->last(); }

void TTUser::Button5Click() { ADOTable1->append(); }

void TTUser::Button6Click() { ADOTable1->remove(); }

void TTUser::Button11Click() { ADOTable1->post(); }

void TTUser::Button7Click()
{
    controls::searchKey(*ADOTable1, QStringLiteral("u_number"), Edit1->text());
}

void TTUser::DBEdit1KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit2); }
void TTUser::DBEdit2KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit3); }
void TTUser::DBEdit3KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit4); }
void TTUser::DBEdit4KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit5); }
void TTUser::DBEdit5KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit7); }
void TTUser::DBEdit7KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit8); }
void TTUser::DBEdit8KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit6); }
void TTUser::DBEdit6KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, DBEdit9); }
void TTUser::Edit1KeyPress(QChar& key, Qt::KeyboardModifiers m) { controls::enterMovesOn(key, m, Button7); }

void TTUser::Button9Click()
{
    mainForm()->showForm();
    TAcc->hideForm();
    TUser->hideForm();
}

void TTUser::Button10Click()
{
    TAcc->showForm();
    mainForm()->hideForm();
    TUser->hideForm();
}

void TTUser::closeEvent(QCloseEvent* e)
{
    e->ignore();
    Button9Click();
}
