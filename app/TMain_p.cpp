#include "TMain_p.h"

#include "TAcc_p.h"
#include "TUser_p.h"
#include "leaving.h"

TtMain* tMain = nullptr;

TtMain::TtMain()
    : Form(QStringLiteral("tMain"), QRect(290, 191, 356, 422))
{
    buildPicture();
    buildLabels();
    buildButtons();
    applyTabOrder();
    setMenuSkin(true);
    // The first control in tab order has the focus when the window is first activated.
    Button1->setFocus();
}

TtMain::~TtMain() = default;

void TtMain::buildPicture()
{
    Image1 = new controls::Picture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->load(QStringLiteral(":/quorvel/menu.jpg"));
    Image1->move(scaled(2), scaled(2));
}

void TtMain::buildLabels()
{
    const QFont font = designFont(QStringLiteral("新細明體"), 13);

    Label2 = new controls::Label(QStringLiteral("版本:1.0"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(font);
    Label2->setOpaque(true);
    Label2->move(scaled(226), scaled(346));

    Label1 = new controls::Label(QStringLiteral("程式設計:Pexly"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(font);
    Label1->setOpaque(true);
    Label1->move(scaled(224), scaled(366));
}

void TtMain::buildButtons()
{
    struct Design { controls::Button*& button; const char* name; const char* caption; int left; void (TtMain::*click)(); };
    const Design designs[] = {
        {Button1, "Button1", "員工管理", 26, &TtMain::Button1Click},
        {Button2, "Button2", "薪資管理", 134, &TtMain::Button2Click},
        {Button3, "Button3", "離開", 242, &TtMain::Button3Click},
    };
    int order = 0;
    for (const Design& d : designs) {
        d.button = new controls::Button(QString::fromUtf8(d.caption), this);
        d.button->setObjectName(QString::fromLatin1(d.name));
        place(d.button, d.left, 236, 75, 25);
        setTabOrder(d.button, order++);
        connect(d.button, &QAbstractButton::clicked, this, d.click);
    }
}

void TtMain::Button1Click()
{
    TUser->showForm();
    TAcc->hideForm();
    tMain->hideForm();
}

void TtMain::Button2Click()
{
    TAcc->showForm();
    tMain->hideForm();
    TUser->hideForm();
}

void TtMain::Button3Click()
{
    close();
}

bool TtMain::closeQuery()
{
    return app::confirmLeave();
}
