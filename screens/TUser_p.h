#pragma once
// The employee screen (TUser): browses, searches, adds, changes, saves and deletes the rows
// of t_user, in bound edit boxes and a grid, and switches to the main menu or the payroll screen.
#include "button.h"
#include "datasource.h"
#include "dataset.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "form.h"
#include "groupbox.h"
#include "label.h"

#include <memory>

class TTUser : public controls::Form {
    Q_OBJECT
public:
    TTUser();
    ~TTUser() override;

    // Components, in component order.
    std::unique_ptr<data::DataSet> ADOTable1;
    std::unique_ptr<controls::DataSource> DataSource1;
    controls::GroupBox* GroupBox1 = nullptr;
    controls::Label* Label1 = nullptr;
    controls::Label* Label2 = nullptr;
    controls::Label* Label3 = nullptr;
    controls::Label* Label4 = nullptr;
    controls::Label* Label5 = nullptr;
    controls::Label* Label6 = nullptr;
    controls::Label* Label7 = nullptr;
    controls::Label* Label8 = nullptr;
    controls::Label* Label9 = nullptr;
    controls::DBEdit* DBEdit1 = nullptr;
    controls::DBEdit* DBEdit2 = nullptr;
    controls::DBEdit* DBEdit3 = nullptr;
    controls::DBEdit* DBEdit4 = nullptr;
    controls::DBEdit* DBEdit5 = nullptr;
    controls::DBEdit* DBEdit6 = nullptr;
    controls::DBEdit* DBEdit7 = nullptr;
    controls::DBEdit* DBEdit8 = nullptr;
    controls::DBEdit* DBEdit9 = nullptr;
    controls::Edit* Edit1 = nullptr;
    controls::Button* Button7 = nullptr;
    controls::GroupBox* GroupBox2 = nullptr;
    controls::Button* Button1 = nullptr;
    controls::Button* Button2 = nullptr;
    controls::Button* Button3 = nullptr;
    controls::Button* Button4 = nullptr;
    controls::Button* Button5 = nullptr;
    controls::Button* Button6 = nullptr;
    controls::Button* Button11 = nullptr;
    controls::Button* Button10 = nullptr;
    controls::Button* Button9 = nullptr;
    controls::DBGrid* DBGrid1 = nullptr;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void DBEdit1KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit2KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit3KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit4KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit5KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit6KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit7KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit8KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void Edit1KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);

protected:
    // Closing by the frame returns to the main menu instead of leaving a hidden process.
    void closeEvent(QCloseEvent* e) override;

private:
    void buildData();
    void buildRecordBox();
    void buildFunctionPanel();
    controls::Button* addButton(const QString& caption, const char* name, QRect at, int tabOrder,
                                void (TTUser::*handler)());
};

extern TTUser* TUser;
