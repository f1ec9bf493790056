#pragma once
// The main menu (tMain): the main window, with the picture, the version and credit labels
// and the buttons to the employee screen, the payroll screen and out.
#include "button.h"
#include "form.h"
#include "label.h"
#include "picture.h"

class TtMain : public controls::Form {
    Q_OBJECT
public:
    TtMain();
    ~TtMain() override;

    controls::Picture* Image1 = nullptr;
    controls::Label* Label2 = nullptr;
    controls::Label* Label1 = nullptr;
    controls::Button* Button1 = nullptr;
    controls::Button* Button2 = nullptr;
    controls::Button* Button3 = nullptr;

    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    // Before the application ends with rows still being edited or added, asks whether to save them.
    bool closeQuery() override;

private:
    void buildPicture();
    void buildLabels();
    void buildButtons();
};

extern TtMain* tMain;
