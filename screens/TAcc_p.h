#pragma once
// The payroll screen (TAcc): the employees of t_user and, as their detail, the pay records
// of m_money with their totals.
#include "button.h"
#include "datasource.h"
#include "dataset.h"
#include "dbedit.h"
#include "form.h"
#include "groupbox.h"
#include "label.h"
#include "paytotals.h"

#include <memory>

class TTAcc : public controls::Form {
    Q_OBJECT
public:
    TTAcc();
    ~TTAcc() override;

    // Components. The master is declared first so that it outlives its detail; the
    // component order, which is the order of opening, is ADOTable1 then ADOTable2. The data
    // sources come after the data sets they observe, so they go first.
    std::unique_ptr<data::DataSet> ADOTable2;
    std::unique_ptr<data::DataSet> ADOTable1;
    std::unique_ptr<controls::DataSource> DataSource1;
    std::unique_ptr<controls::DataSource> DataSource2;

    // Employee panel.
    controls::GroupBox* GroupBox1 = nullptr;
    controls::Label* Label4 = nullptr;
    controls::DBEdit* DBEdit37 = nullptr;
    controls::Label* Label2 = nullptr;
    controls::DBEdit* DBEdit2 = nullptr;
    controls::Label* Label6 = nullptr;
    controls::DBEdit* DBEdit38 = nullptr;
    controls::Label* Label8 = nullptr;
    controls::DBEdit* DBEdit42 = nullptr;
    controls::Label* Label10 = nullptr;
    controls::DBEdit* DBEdit43 = nullptr;
    controls::Label* Label45 = nullptr;
    controls::DBEdit* DBEdit45 = nullptr;
    controls::Label* Label46 = nullptr;
    controls::DBEdit* DBEdit46 = nullptr;
    controls::Label* Label47 = nullptr;
    controls::DBEdit* DBEdit47 = nullptr;
    controls::Label* Label17 = nullptr;
    controls::DBEdit* DBEdit48 = nullptr;
    controls::Label* Label18 = nullptr;
    controls::DBEdit* DBEdit49 = nullptr;
    controls::Label* Label20 = nullptr;
    controls::DBEdit* DBEdit50 = nullptr;
    controls::Button* Button7 = nullptr;
    controls::Button* Button9 = nullptr;
    controls::Button* Button10 = nullptr;
    controls::Button* Button12 = nullptr;
    controls::Button* Button8 = nullptr;
    controls::Label* Label1 = nullptr;
    controls::Edit* Edit1 = nullptr;

    // Payable amounts.
    controls::GroupBox* GroupBox2 = nullptr;
    controls::Label* Label3 = nullptr;
    controls::Label* Label5 = nullptr;
    controls::Label* Label7 = nullptr;
    controls::Label* Label9 = nullptr;
    controls::Label* Label11 = nullptr;
    controls::Label* Label13 = nullptr;
    controls::Label* Label15 = nullptr;
    controls::Label* Label16 = nullptr;
    controls::Label* Label19 = nullptr;
    controls::Label* Label40 = nullptr;
    controls::DBEdit* DBEdit3 = nullptr;
    controls::DBEdit* DBEdit4 = nullptr;
    controls::DBEdit* DBEdit5 = nullptr;
    controls::DBEdit* DBEdit6 = nullptr;
    controls::DBEdit* DBEdit7 = nullptr;
    controls::DBEdit* DBEdit8 = nullptr;
    controls::DBEdit* DBEdit9 = nullptr;
    controls::DBEdit* DBEdit10 = nullptr;
    controls::DBEdit* DBEdit11 = nullptr;
    controls::DBEdit* DBEdit12 = nullptr;
    controls::DBEdit* DBEdit13 = nullptr;
    controls::DBEdit* DBEdit14 = nullptr;
    controls::DBEdit* DBEdit15 = nullptr;
    controls::DBEdit* DBEdit17 = nullptr;
    controls::DBEdit* DBEdit16 = nullptr;
    controls::DBEdit* DBEdit18 = nullptr;
    controls::DBEdit* DBEdit19 = nullptr;
    controls::DBEdit* DBEdit20 = nullptr;
    controls::DBEdit* DBEdit40 = nullptr;
    controls::DBEdit* DBEdit41 = nullptr;

    // Deductions and note.
    controls::GroupBox* GroupBox3 = nullptr;
    controls::Label* Label23 = nullptr;
    controls::Label* Label25 = nullptr;
    controls::Label* Label27 = nullptr;
    controls::Label* Label29 = nullptr;
    controls::Label* Label31 = nullptr;
    controls::Label* Label33 = nullptr;
    controls::Label* Label35 = nullptr;
    controls::Label* Label28 = nullptr;
    controls::Label* Label44 = nullptr;
    controls::DBEdit* DBEdit23 = nullptr;
    controls::DBEdit* DBEdit24 = nullptr;
    controls::DBEdit* DBEdit25 = nullptr;
    controls::DBEdit* DBEdit26 = nullptr;
    controls::DBEdit* DBEdit27 = nullptr;
    controls::DBEdit* DBEdit28 = nullptr;
    controls::DBEdit* DBEdit29 = nullptr;
    controls::DBEdit* DBEdit30 = nullptr;
    controls::DBEdit* DBEdit31 = nullptr;
    controls::DBEdit* DBEdit32 = nullptr;
    controls::DBEdit* DBEdit33 = nullptr;
    controls::DBEdit* DBEdit34 = nullptr;
    controls::DBEdit* DBEdit35 = nullptr;
    controls::DBEdit* DBEdit36 = nullptr;
    controls::DBEdit* DBEdit1 = nullptr;
    controls::DBEdit* DBEdit54 = nullptr;
    controls::DBEdit* DBEdit44 = nullptr;

    // Totals.
    controls::GroupBox* GroupBox4 = nullptr;
    controls::Label* Label21 = nullptr;
    controls::Label* Label22 = nullptr;
    controls::Label* Label39 = nullptr;
    controls::DBEdit* DBEdit21 = nullptr;
    controls::DBEdit* DBEdit22 = nullptr;
    controls::DBEdit* DBEdit39 = nullptr;

    // Function panel.
    controls::GroupBox* GroupBox5 = nullptr;
    controls::Label* Label12 = nullptr;
    controls::DBEdit* DBEdit51 = nullptr;
    controls::Label* Label14 = nullptr;
    controls::DBEdit* DBEdit53 = nullptr;
    controls::Label* Label24 = nullptr;
    controls::DBEdit* DBEdit52 = nullptr;
    controls::Button* Button2 = nullptr;
    controls::Button* Button3 = nullptr;
    controls::Button* Button4 = nullptr;
    controls::Button* Button5 = nullptr;
    controls::Button* Button6 = nullptr;
    controls::Button* Button11 = nullptr;
    controls::Button* Button13 = nullptr;
    controls::Button* Button1 = nullptr;
    controls::Button* Button14 = nullptr;
    controls::Label* Label26 = nullptr;
    controls::Edit* Edit2 = nullptr;
    controls::Button* Button15 = nullptr;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button15Click();
    void ADOTable1CalcFields(data::DataSet& DataSet);
    void ADOTable1NewRecord(data::DataSet& DataSet);

    void DBEdit3KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit4KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit5KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit6KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit7KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit8KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit9KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit10KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit11KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit12KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit13KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit14KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit15KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit17KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit16KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit18KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit19KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit23KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit24KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit25KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit26KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit27KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit28KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit29KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit30KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit31KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit32KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit33KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit34KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit35KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);
    void DBEdit36KeyPress(QChar& key, Qt::KeyboardModifiers modifiers);

protected:
    // Closing by the frame returns to the main menu instead of leaving a hidden process.
    void closeEvent(QCloseEvent* e) override;

private:
    using KeyHandler = void (TTAcc::*)(QChar&, Qt::KeyboardModifiers);

    void buildData();
    void buildEmployeePanel();
    void buildPayablePanel();
    void buildDeductionPanel();
    void buildTotalsPanel();
    void buildFunctionPanel();
    void connectKeyHandlers();
    controls::GroupBox* addGroupBox(const QString& caption, const char* name, QRect at, int tabOrder);
    controls::Label* addLabel(QWidget* parent, const QString& caption, const char* name, QPoint at,
                              QSize size);
    controls::DBEdit* addDBEdit(QWidget* parent, const char* name, controls::DataSource* source,
                                const char* field, QRect at, int tabOrder, const QString& inputMethod);
    controls::Button* addButton(QWidget* parent, const QString& caption, const char* name, QRect at,
                                int tabOrder, void (TTAcc::*handler)());

    data::PayFields m_payFields;
};

extern TTAcc* TAcc;
