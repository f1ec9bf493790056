#include "TUser_p.h"

#include "TAcc_p.h"
#include "connection.h"
#include "declarefields.h"

#include <QCloseEvent>

TTUser* TUser = nullptr;

namespace {
const QColor kSkyBlue(166, 202, 240);
}

TTUser::TTUser()
    : Form(QStringLiteral("TUser"), QRect(234, 163, 458, 392))
{
    buildData();
    buildFunctionPanel();
    applyTabOrder();
    setMenuSkin(true);
    openAtCreation(*ADOTable1);
}

TTUser::~TTUser() = default;

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
}

void TTUser::buildFunctionPanel()
{
    GroupBox2 = new controls::GroupBox(QStringLiteral("功能表"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setColor(kSkyBlue);
    place(GroupBox2, 2, 158, 441, 81);
    setTabOrder(GroupBox2, 7);

    // The buttons belong to the window and are drawn over the box.
    Button10 = new controls::Button(QStringLiteral("回薪資表"), this);
    Button10->setObjectName(QStringLiteral("Button10"));
    place(Button10, 264, 204, 75, 25);
    setTabOrder(Button10, 10);
    connect(Button10, &QAbstractButton::clicked, this, &TTUser::Button10Click);

    Button9 = new controls::Button(QStringLiteral("回主畫面"), this);
    Button9->setObjectName(QStringLiteral("Button9"));
    place(Button9, 344, 204, 75, 25);
    setTabOrder(Button9, 9);
    connect(Button9, &QAbstractButton::clicked, this, &TTUser::Button9Click);
}

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
