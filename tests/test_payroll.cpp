// The payroll screen driven with keys and clicks, checked on screen and in the database file.
#include "Repost1_p.h"
#include "TAcc_p.h"
#include "TMain_p.h"
#include "TUser_p.h"
#include "application.h"
#include "inputmethod.h"
#include "messagebox.h"
#include "previewwindow.h"
#include "sound.h"
#include "testsupport.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QMimeData>

using controls::BoxKind;
using controls::BoxRecorder;
using data::DataSetState;
using testsupport::exec;
using testsupport::scalar;
using testsupport::typeText;

namespace {

app::Application* theApp() { return static_cast<app::Application*>(qApp); }

const QString kEmployees = QStringLiteral(
    "INSERT INTO t_user (u_name, u_number, u_title, u_lv, u_class, u_add1) VALUES"
    " ('王小華', 'E10', '經理', '五等', '一級', 3),"
    " ('陳美玲', 'E01', '會計', '三等', '二級', 12.5),"
    " ('林志明', 'E02', '業務', '二等', '一級', NULL)");

// E01 has two pay records, E02 none, E10 two; the serials interleave across employees.
const QString kPayRecords = QStringLiteral(
    "INSERT INTO m_money (m_number, m_sn, m_date, m_i1, m_u1, m_di1, m_du1, m_day) VALUES"
    " ('E01', 'S0101', '2026-01-31 00:00:00', 32000, 32000, 700, 700, 22),"
    " ('E01', 'S0201', '2026-02-28 00:00:00', 32000, 32500, 700, 700, 20),"
    " ('E10', 'S0103', '2026-01-31 00:00:00', 45000, 45000, 900, 900, 22),"
    " ('E10', 'S0203', '2026-02-28 00:00:00', 45000, 45000, 900, 900, 21)");

// The application started on a small database, showing the payroll screen.
struct Screen {
    testsupport::WorkDir dir;
    BoxRecorder boxes;
    QString db;
    explicit Screen(const QString& employees = kEmployees, const QString& payRecords = kPayRecords)
    {
        db = dir.makeEmptyDb();
        for (const QString& rows : {employees, payRecords})
            if (!rows.isEmpty())
                exec(db, rows);
        theApp()->start();
        QTest::mouseClick(tMain->Button2, Qt::LeftButton);
        TAcc->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(TAcc));
    }
    ~Screen() { theApp()->destroyScreens(); }
    QString employee() const { return TAcc->DBEdit2->text(); }
    QString serial() const { return TAcc->DBEdit52->text(); }
    DataSetState payState() const { return TAcc->ADOTable1->state(); }
    int payRecords(const QString& where = QStringLiteral("1")) const
    {
        return scalar(db, QStringLiteral("SELECT count(*) FROM m_money WHERE ") + where).toInt();
    }
    QStringList errors() const { return boxes.texts(BoxKind::Error); }
    // m_i10, m_u10, m_di8, m_du8, m_in, m_um, m_km as shown.
    QStringList totals() const
    {
        QStringList out;
        for (QLineEdit* e : {TAcc->DBEdit40, TAcc->DBEdit41, TAcc->DBEdit1, TAcc->DBEdit54, TAcc->DBEdit21,
                             TAcc->DBEdit22, TAcc->DBEdit39})
            out << e->text();
        return out;
    }
};

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

template <class T = QWidget> T* control(const QString& name)
{
    auto* w = TAcc->findChild<T*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

QWidget* focused() { return QApplication::focusWidget(); }

// Focuses the box, replaces its text by typing, and stays in it.
void typeInto(QLineEdit* w, const QString& text)
{
    w->setFocus(Qt::OtherFocusReason);
    w->selectAll();
    if (text.isEmpty())
        QTest::keyClick(w, Qt::Key_Delete);
    typeText(w, text);
}

void enter(QWidget* w, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(w, Qt::Key_Return, m);
    QCoreApplication::processEvents(); // the posted Tab
}

const QStringList kZeroTotals{"0", "0", "0", "0", "0", "0", "0"};

} // namespace

class TestPayroll : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void typicalPayRun()
    {
        Screen s;
        QCOMPARE(TAcc->windowTitle(), QStringLiteral("TAcc"));
        QCOMPARE(focused(), static_cast<QWidget*>(TAcc->DBEdit43));
        // Stepping to an employee brings that employee's pay records.
        QCOMPARE(s.employee(), QStringLiteral("E01"));
        QCOMPARE(s.serial(), QStringLiteral("S0101"));
        click(TAcc->Button10);
        click(TAcc->Button10);
        QCOMPARE(TAcc->DBEdit37->text(), QStringLiteral("王小華"));
        QCOMPARE(s.serial(), QStringLiteral("S0103"));

        click(TAcc->Button6); // 新增
        QCOMPARE(s.payState(), DataSetState::Insert);
        QCOMPARE(TAcc->DBEdit51->text(), QStringLiteral("E10"));
        QCOMPARE(s.totals(), kZeroTotals);
        QCOMPARE(TAcc->DBEdit3->text(), QString());

        typeInto(TAcc->DBEdit52, QStringLiteral("S0303"));
        typeInto(TAcc->DBEdit53, QStringLiteral("2026/3/31"));
        typeInto(TAcc->DBEdit45, QStringLiteral("22"));
        // Amounts with Enter moving on: m_i1, m_u1, m_i2 left empty, m_u2.
        TAcc->DBEdit3->setFocus(Qt::OtherFocusReason);
        for (const char* amount : {"46000", "45000", "", "1500"}) {
            typeText(focused(), QLatin1String(amount));
            enter(focused());
        }
        QCOMPARE(focused(), static_cast<QWidget*>(TAcc->DBEdit7));
        TAcc->DBEdit23->setFocus(Qt::OtherFocusReason);
        for (const char* amount : {"700", "700", "500", "450"}) {
            typeText(focused(), QLatin1String(amount));
            enter(focused());
        }
        QCOMPARE(s.totals(), (QStringList{"46000", "46500", "1200", "1150", "46500", "1150", "45350"}));

        click(TAcc->Button13); // 存檔
        QVERIFY(s.errors().isEmpty());
        QCOMPARE(s.payState(), DataSetState::Browse);
        QCOMPARE(s.payRecords(QStringLiteral("m_number='E10'")), 3);
        QCOMPARE(scalar(s.db, QStringLiteral(
                     "SELECT m_date || '|' || m_i1 || '|' || m_u1 || '|' || m_u2 || '|' || m_di1 || '|' || m_du1"
                     " || '|' || m_di2 || '|' || m_du2 || '|' || m_day || '|' || (m_i2 IS NULL) || (m_note IS NULL)"
                     " FROM m_money WHERE m_sn='S0303' AND m_number='E10'")).toString(),
                 QStringLiteral("2026-03-31 00:00:00|46000.0|45000.0|1500.0|700.0|700.0|500.0|450.0|22|11"));

        // 列印 runs the payslip for the serial shown, with the same totals.
        bool previewed = false;
        Repost1->QuickRep1->onPreviewReady = [&](report::PreviewWindow& w) {
            previewed = true;
            w.close();
        };
        click(TAcc->Button15);
        Repost1->QuickRep1->onPreviewReady = nullptr;
        QVERIFY(previewed);
        QCOMPARE(Repost1->ADOQuery1->fieldByName(QStringLiteral("u_name"))->asString(), QStringLiteral("王小華"));
        QCOMPARE(Repost1->ADOQuery1->fieldByName(QStringLiteral("m_km"))->asString(), QStringLiteral("45350"));

        click(TAcc->Button1); // 回主頁
        QVERIFY(tMain->isVisible());
        QVERIFY(!TAcc->isVisible());
        QVERIFY(s.errors().isEmpty());
    }

    void printReadsWhatIsStored()
    {
        Screen s;
        typeInto(TAcc->DBEdit4, QStringLiteral("99999"));
        bool previewed = false;
        Repost1->QuickRep1->onPreviewReady = [&](report::PreviewWindow& w) {
            previewed = true;
            w.close();
        };
        click(TAcc->Button15);
        QVERIFY(previewed);
        QCOMPARE(Repost1->ADOQuery1->fieldByName(QStringLiteral("m_u1"))->asString(), QStringLiteral("32000"));
        // A serial typed but never stored finds nothing; the typed one is what is asked for.
        typeInto(TAcc->DBEdit52, QStringLiteral("NEW1"));
        click(TAcc->Button15);
        Repost1->QuickRep1->onPreviewReady = nullptr;
        QVERIFY(Repost1->ADOQuery1->isEmpty());
        // Printing stores nothing and leaves the record pending.
        QCOMPARE(s.payState(), DataSetState::Edit);
        QCOMPARE(TAcc->DBEdit4->text(), QStringLiteral("99999"));
        QCOMPARE(s.payRecords(QStringLiteral("m_u1=99999 OR m_sn='NEW1'")), 0);
    }

    void totalsFollowTheAmounts_data()
    {
        QTest::addColumn<QStringList>("typed"); // "box=text", in typing order
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("approved and actual")
            << QStringList{"DBEdit4=300", "DBEdit6=15.5", "DBEdit24=70", "DBEdit26=45", "DBEdit3=320"}
            << QStringList{"320", "315.5", "0", "115", "315.5", "115", "200.5"};
        QTest::newRow("negative deduction raises the net pay")
            << QStringList{"DBEdit4=1000", "DBEdit24=-50", "DBEdit36=20"}
            << QStringList{"0", "1000", "0", "-30", "1000", "-30", "1030"};
        QTest::newRow("approved amounts stay out of the grand totals")
            << QStringList{"DBEdit19=500", "DBEdit35=80", "DBEdit20=400", "DBEdit1=7"}
            << QStringList{"500", "400", "80", "0", "400", "0", "400"};
        QTest::newRow("extended precision")
            << QStringList{"DBEdit4=1E16", "DBEdit6=1", "DBEdit8=-1e16"}
            << QStringList{"0", "1", "0", "0", "1", "0", "1"};
        QTest::newRow("every row counts")
            << QStringList{"DBEdit4=1", "DBEdit6=2", "DBEdit8=3", "DBEdit10=4", "DBEdit12=5", "DBEdit14=6",
                           "DBEdit17=7", "DBEdit18=8", "DBEdit20=9", "DBEdit24=0.5", "DBEdit26=0.5",
                           "DBEdit28=0.5", "DBEdit30=0.5", "DBEdit32=0.5", "DBEdit34=0.5", "DBEdit36=0.5"}
            << QStringList{"0", "45", "0", "3.5", "45", "3.5", "41.5"};
        QTest::newRow("an emptied amount counts as 0")
            << QStringList{"DBEdit4=300", "DBEdit4="} << kZeroTotals;
    }
    void totalsFollowTheAmounts()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, totals);
        Screen s;
        click(TAcc->Button6);
        for (const QString& t : typed) {
            const auto parts = t.split(QLatin1Char('='));
            typeInto(control<QLineEdit>(parts[0]), parts[1]);
        }
        TAcc->DBEdit52->setFocus(Qt::TabFocusReason); // leaves the last amount
        QCOMPARE(s.totals(), totals);
        QVERIFY(s.errors().isEmpty());
        // What is shown is what is stored; the totals are computed again from it.
        click(TAcc->Button13);
        QCOMPARE(s.totals(), totals);
        QCOMPARE(s.payRecords(QStringLiteral("m_number='E01'")), 3);
    }

    void totalsChangeWhenTheBoxIsLeft()
    {
        Screen s;
        const QStringList before{"32000", "32000", "700", "700", "32000", "700", "31300"};
        QCOMPARE(s.totals(), before);
        TAcc->DBEdit4->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(TAcc->DBEdit4, Qt::Key_End);
        typeText(TAcc->DBEdit4, QStringLiteral("5"));
        QCOMPARE(TAcc->DBEdit4->text(), QStringLiteral("320005"));
        QCOMPARE(s.payState(), DataSetState::Edit);
        QCOMPARE(s.totals(), before); // typing alone changes nothing
        QTest::keyClick(TAcc->DBEdit4, Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget*>(TAcc->DBEdit5));
        QCOMPARE(s.totals(), (QStringList{"32000", "320005", "700", "700", "320005", "700", "319305"}));
        // Esc puts back what the field holds now, not what is stored.
        typeInto(TAcc->DBEdit24, QStringLiteral("1"));
        QTest::keyClick(TAcc->DBEdit24, Qt::Key_Escape);
        QCOMPARE(TAcc->DBEdit24->text(), QStringLiteral("700"));
        QCOMPARE(TAcc->DBEdit4->text(), QStringLiteral("320005"));
    }

    void calculatedBoxesRefuseChanges_data()
    {
        QTest::addColumn<QString>("box");
        for (const char* box : {"DBEdit40", "DBEdit41", "DBEdit1", "DBEdit54", "DBEdit21", "DBEdit22", "DBEdit39"})
            QTest::newRow(box) << box;
    }
    void calculatedBoxesRefuseChanges()
    {
        QFETCH(QString, box);
        Screen s;
        auto* edit = control<QLineEdit>(box);
        const QString shown = edit->text();
        QVERIFY(!shown.isEmpty());
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(focused(), static_cast<QWidget*>(edit));
        typeText(edit, QStringLiteral("5"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QApplication::clipboard()->setText(QStringLiteral("7"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(s.payState(), DataSetState::Browse);
        TAcc->DBEdit52->setFocus(Qt::TabFocusReason);
        QVERIFY(s.errors().isEmpty());
    }

    void addTwice()
    {
        Screen s;
        click(TAcc->Button6);
        click(TAcc->Button6);
        QCOMPARE(s.payState(), DataSetState::Insert);
        QCOMPARE(TAcc->ADOTable1->presentedCount(), 3); // the first blank record is gone
        QCOMPARE(s.totals(), kZeroTotals);
        QCOMPARE(TAcc->DBEdit51->text(), QStringLiteral("E01"));
        click(TAcc->Button2); // a blank record is dropped by the move
        QCOMPARE(s.payRecords(), 4);
        QCOMPARE(TAcc->ADOTable1->presentedCount(), 2);
        QCOMPARE(s.serial(), QStringLiteral("S0101"));
        QVERIFY(s.errors().isEmpty());
    }

    void newRecordIsStoredForItsOwnEmployee()
    {
        Screen s;
        click(TAcc->Button6);
        typeInto(TAcc->DBEdit4, QStringLiteral("777"));
        click(TAcc->Button10); // the click leaves the box; the employee move stores the record
        QVERIFY(s.errors().isEmpty());
        QCOMPARE(s.payRecords(QStringLiteral("m_number='E01' AND m_u1=777")), 1);
        QCOMPARE(s.employee(), QStringLiteral("E02"));
        QCOMPARE(TAcc->DBEdit4->text(), QString()); // E02 has no pay records
        click(TAcc->Button9);
        QCOMPARE(TAcc->ADOTable1->presentedCount(), 3);
        QCOMPARE(s.serial(), QStringLiteral("S0101"));
    }

    void employeeWithoutPayRecords()
    {
        Screen s;
        click(TAcc->Button10);
        QCOMPARE(s.employee(), QStringLiteral("E02"));
        for (QLineEdit* e : {TAcc->DBEdit3, TAcc->DBEdit45, TAcc->DBEdit51, TAcc->DBEdit52, TAcc->DBEdit53,
                             TAcc->DBEdit44, TAcc->DBEdit39})
            QCOMPARE(e->text(), QString());
        for (QWidget* b : {TAcc->Button2, TAcc->Button3, TAcc->Button4, TAcc->Button5})
            click(b);
        QVERIFY(s.boxes.boxes.empty());

        click(TAcc->Button11); // 刪除
        QCOMPARE(s.errors(), QStringList{QStringLiteral("ADOTable1: Cannot perform this operation on an empty dataset.")});
        QCOMPARE(s.payState(), DataSetState::Browse);

        // Typing begins a new record for this employee, totals at 0 at once.
        typeInto(TAcc->DBEdit47, QStringLiteral("8"));
        QCOMPARE(s.payState(), DataSetState::Insert);
        QCOMPARE(TAcc->DBEdit51->text(), QStringLiteral("E02"));
        QCOMPARE(s.totals(), kZeroTotals);
        click(TAcc->Button11); // drops the new record only
        QCOMPARE(s.payState(), DataSetState::Browse);
        QCOMPARE(TAcc->DBEdit47->text(), QString());
        QCOMPARE(s.payRecords(), 4);

        // 存檔 stores a record holding only the number.
        click(TAcc->Button13);
        QCOMPARE(s.errors().size(), 1);
        QCOMPARE(s.payState(), DataSetState::Browse);
        QCOMPARE(s.payRecords(QStringLiteral("m_number='E02' AND m_sn IS NULL AND m_u1 IS NULL AND m_freeday IS NULL")), 1);
        QCOMPARE(TAcc->DBEdit51->text(), QStringLiteral("E02"));
    }

    void saveAndDelete()
    {
        Screen s;
        click(TAcc->Button13); // nothing changed: nothing stored, nothing shown
        QVERIFY(s.boxes.boxes.empty());
        QCOMPARE(s.payState(), DataSetState::Browse);
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT m_u1 FROM m_money WHERE m_sn='S0101'")).toDouble(), 32000.0);

        click(TAcc->Button5);
        QCOMPARE(s.serial(), QStringLiteral("S0201"));
        typeInto(TAcc->DBEdit44, QStringLiteral("加班"));
        click(TAcc->Button11); // deletes the shown record with its pending change
        QCOMPARE(s.payRecords(QStringLiteral("m_sn='S0201'")), 0);
        QCOMPARE(s.serial(), QStringLiteral("S0101")); // the last one went: the preceding one shows
        click(TAcc->Button6);
        typeInto(TAcc->DBEdit52, QStringLiteral("S9"));
        click(TAcc->Button11); // a new record is dropped; nothing stored is touched
        QCOMPARE(s.serial(), QStringLiteral("S0101"));
        QCOMPARE(s.payRecords(), 3);
        click(TAcc->Button11);
        QCOMPARE(s.payRecords(QStringLiteral("m_number='E01'")), 0);
        QCOMPARE(s.serial(), QString());
        QVERIFY(s.errors().isEmpty());
    }

    void emptyEmployeeTable()
    {
        Screen s{QString()};
        QCOMPARE(s.employee(), QString());
        QCOMPARE(s.serial(), QString()); // the stored pay records are not presented
        for (QWidget* b : {TAcc->Button7, TAcc->Button9, TAcc->Button10, TAcc->Button12, TAcc->Button2, TAcc->Button5})
            click(b);
        QVERIFY(s.boxes.boxes.empty());
        click(TAcc->Button6);
        QCOMPARE(s.payState(), DataSetState::Insert);
        QCOMPARE(TAcc->DBEdit51->text(), QString());
        QCOMPARE(s.totals(), kZeroTotals);
        typeInto(TAcc->DBEdit52, QStringLiteral("S0000"));
        click(TAcc->Button13);
        QVERIFY(s.errors().isEmpty());
        QCOMPARE(s.payRecords(QStringLiteral("m_sn='S0000' AND m_number=''")), 1);
        QCOMPARE(TAcc->ADOTable1->presentedCount(), 0);
        QCOMPARE(s.serial(), QString());
    }

    void enterWalksTheChains()
    {
        Screen s;
        const QList<QWidget*> payable{TAcc->DBEdit3, TAcc->DBEdit4, TAcc->DBEdit5, TAcc->DBEdit6, TAcc->DBEdit7,
                                      TAcc->DBEdit8, TAcc->DBEdit9, TAcc->DBEdit10, TAcc->DBEdit11, TAcc->DBEdit12,
                                      TAcc->DBEdit13, TAcc->DBEdit14, TAcc->DBEdit15, TAcc->DBEdit17, TAcc->DBEdit16,
                                      TAcc->DBEdit18, TAcc->DBEdit19, TAcc->DBEdit20};
        const QList<QWidget*> deductions{TAcc->DBEdit23, TAcc->DBEdit24, TAcc->DBEdit25, TAcc->DBEdit26,
                                         TAcc->DBEdit27, TAcc->DBEdit28, TAcc->DBEdit29, TAcc->DBEdit30,
                                         TAcc->DBEdit31, TAcc->DBEdit32, TAcc->DBEdit33, TAcc->DBEdit34,
                                         TAcc->DBEdit35, TAcc->DBEdit36, TAcc->DBEdit44};
        for (const auto& walk : {payable, deductions}) {
            walk.front()->setFocus(Qt::OtherFocusReason);
            for (qsizetype i = 1; i < walk.size(); ++i) {
                enter(focused());
                QCOMPARE(focused(), walk[i]);
            }
            enter(focused()); // m_u9 and m_note end their chains
            QCOMPARE(focused(), walk.back());
        }
        QVERIFY(s.errors().isEmpty());
    }

    void enterStops_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        const int none = Qt::NoModifier;
        QTest::newRow("m_di8 shares m_di7's handler") << "DBEdit1" << none << "DBEdit54";
        QTest::newRow("m_du8 shares m_du7's handler") << "DBEdit54" << none << "DBEdit21";
        QTest::newRow("Shift+Enter in m_u1") << "DBEdit4" << int(Qt::ShiftModifier) << "DBEdit3";
        QTest::newRow("Shift+Enter in m_di1") << "DBEdit23" << int(Qt::ShiftModifier) << "DBEdit41";
        QTest::newRow("Ctrl+Enter") << "DBEdit3" << int(Qt::ControlModifier) << "DBEdit3";
        QTest::newRow("Alt+Enter") << "DBEdit3" << int(Qt::AltModifier) << "DBEdit3";
        for (const char* box : {"DBEdit43", "DBEdit2", "DBEdit45", "DBEdit50", "DBEdit40", "DBEdit41", "DBEdit21",
                                "DBEdit39", "DBEdit51", "DBEdit52", "Edit1", "Edit2"})
            QTest::newRow(qPrintable(QStringLiteral("no handler in %1").arg(QLatin1String(box)))) << box << none << box;
    }
    void enterStops()
    {
        QFETCH(QString, box);
        QFETCH(int, modifiers);
        QFETCH(QString, after);
        Screen s;
        TAcc->Edit1->setText(QStringLiteral("E10"));
        TAcc->Edit2->setText(QStringLiteral("S0103"));
        QWidget* w = control(box);
        w->setFocus(Qt::OtherFocusReason);
        enter(w, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(focused(), control(after));
        // Enter never searches.
        QCOMPARE(s.employee(), QStringLiteral("E01"));
        QVERIFY(s.boxes.boxes.empty());
    }

    void tabOrder()
    {
        Screen s;
        const QStringList expected{
            "DBEdit43", "DBEdit42", "DBEdit38", "DBEdit37", "DBEdit47", "DBEdit46", "DBEdit45", "DBEdit2",
            "DBEdit48", "DBEdit49", "DBEdit50", "Button7", "Button9", "Button10", "Button12", "Button8", "Edit1",
            "DBEdit3", "DBEdit4", "DBEdit5", "DBEdit6", "DBEdit7", "DBEdit8", "DBEdit9", "DBEdit10", "DBEdit11",
            "DBEdit12", "DBEdit13", "DBEdit14", "DBEdit15", "DBEdit17", "DBEdit16", "DBEdit18", "DBEdit19",
            "DBEdit20", "DBEdit40", "DBEdit41",
            "DBEdit23", "DBEdit24", "DBEdit25", "DBEdit26", "DBEdit27", "DBEdit28", "DBEdit29", "DBEdit30",
            "DBEdit31", "DBEdit32", "DBEdit33", "DBEdit34", "DBEdit35", "DBEdit36", "DBEdit44", "DBEdit1", "DBEdit54",
            "DBEdit21", "DBEdit22", "DBEdit39",
            "DBEdit51", "DBEdit53", "DBEdit52", "Button2", "Button3", "Button4", "Button5", "Button6", "Button1",
            "Button11", "Button13", "Button14", "Edit2", "Button15"};
        QStringList chain;
        for (QWidget* w : TAcc->tabChain())
            chain << w->objectName();
        QCOMPARE(chain, expected);
        // Tab wraps from the last stop to the first.
        TAcc->Button15->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(TAcc->Button15, Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget*>(TAcc->DBEdit43));
    }

    void bindings_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("dataSet");
        QTest::addColumn<QString>("inputMethod");
        const QString cj = controls::kCangjie, ncj = controls::kNewCangjie;
        struct B { const char* box; const char* field; const char* set; bool cangjie; };
        const B table[] = {
            {"DBEdit37", "u_name", "ADOTable2", false}, {"DBEdit2", "u_number", "ADOTable2", false},
            {"DBEdit38", "u_title", "ADOTable2", false}, {"DBEdit42", "u_lv", "ADOTable2", false},
            {"DBEdit43", "u_class", "ADOTable2", false}, {"DBEdit45", "m_day", "ADOTable1", false},
            {"DBEdit46", "m_offday", "ADOTable1", false}, {"DBEdit47", "m_freeday", "ADOTable1", false},
            {"DBEdit48", "u_add1", "ADOTable2", true}, {"DBEdit49", "u_add2", "ADOTable2", true},
            {"DBEdit50", "u_add3", "ADOTable2", true},
            {"DBEdit3", "m_i1", "ADOTable1", false}, {"DBEdit4", "m_u1", "ADOTable1", false},
            {"DBEdit5", "m_i2", "ADOTable1", false}, {"DBEdit6", "m_u2", "ADOTable1", false},
            {"DBEdit7", "m_i3", "ADOTable1", false}, {"DBEdit8", "m_u3", "ADOTable1", false},
            {"DBEdit9", "m_i4", "ADOTable1", false}, {"DBEdit10", "m_u4", "ADOTable1", false},
            {"DBEdit11", "m_i5", "ADOTable1", false}, {"DBEdit12", "m_u5", "ADOTable1", false},
            {"DBEdit13", "m_i6", "ADOTable1", false}, {"DBEdit14", "m_u6", "ADOTable1", false},
            {"DBEdit15", "m_i7", "ADOTable1", false}, {"DBEdit17", "m_u7", "ADOTable1", false},
            {"DBEdit16", "m_i8", "ADOTable1", false}, {"DBEdit18", "m_u8", "ADOTable1", false},
            {"DBEdit19", "m_i9", "ADOTable1", false}, {"DBEdit20", "m_u9", "ADOTable1", false},
            {"DBEdit40", "m_i10", "ADOTable1", false}, {"DBEdit41", "m_u10", "ADOTable1", false},
            {"DBEdit23", "m_di1", "ADOTable1", false}, {"DBEdit24", "m_du1", "ADOTable1", false},
            {"DBEdit25", "m_di2", "ADOTable1", false}, {"DBEdit26", "m_du2", "ADOTable1", false},
            {"DBEdit27", "m_di3", "ADOTable1", false}, {"DBEdit28", "m_du3", "ADOTable1", false},
            {"DBEdit29", "m_di4", "ADOTable1", false}, {"DBEdit30", "m_du4", "ADOTable1", false},
            {"DBEdit31", "m_di5", "ADOTable1", false}, {"DBEdit32", "m_du5", "ADOTable1", false},
            {"DBEdit33", "m_di6", "ADOTable1", false}, {"DBEdit34", "m_du6", "ADOTable1", false},
            {"DBEdit35", "m_di7", "ADOTable1", false}, {"DBEdit36", "m_du7", "ADOTable1", false},
            {"DBEdit1", "m_di8", "ADOTable1", false}, {"DBEdit54", "m_du8", "ADOTable1", false},
            {"DBEdit44", "m_note", "ADOTable1", false},
            {"DBEdit21", "m_in", "ADOTable1", false}, {"DBEdit22", "m_um", "ADOTable1", false},
            {"DBEdit39", "m_km", "ADOTable1", false},
            {"DBEdit51", "m_number", "ADOTable1", true}, {"DBEdit53", "m_date", "ADOTable1", true},
            {"DBEdit52", "m_sn", "ADOTable1", true},
        };
        for (const B& b : table)
            QTest::newRow(b.box) << b.box << b.field << b.set << (b.cangjie ? cj : ncj);
        QTest::newRow("Edit1") << "Edit1" << "" << "" << cj;
        QTest::newRow("Edit2") << "Edit2" << "" << "" << cj;
    }
    void bindings()
    {
        QFETCH(QString, box);
        QFETCH(QString, field);
        QFETCH(QString, dataSet);
        QFETCH(QString, inputMethod);
        Screen s;
        QWidget* w = control(box);
        QCOMPARE(controls::inputMethodName(w), inputMethod);
        auto* edit = qobject_cast<controls::DBEdit*>(w);
        QCOMPARE(edit != nullptr, !field.isEmpty());
        if (!edit)
            return;
        QVERIFY(edit->field());
        QCOMPARE(edit->field()->fieldName(), field);
        QCOMPARE(edit->field()->dataSet()->name(), dataSet);
    }

    void layout()
    {
        Screen s;
        QCOMPARE(TAcc->designedOuter(), QRect(200, 112, 538, 504));
        struct G { controls::GroupBox* box; const char* caption; QRect at; };
        const G groups[] = {
            {TAcc->GroupBox1, "員工資料", {2, 2, 263, 185}},   {TAcc->GroupBox2, "應支金額", {2, 190, 263, 221}},
            {TAcc->GroupBox3, "應扣金額", {270, 2, 255, 205}}, {TAcc->GroupBox4, "總計", {2, 414, 263, 57}},
            {TAcc->GroupBox5, "功能表", {270, 212, 255, 259}},
        };
        for (const G& g : groups) {
            QCOMPARE(g.box->title(), QString::fromUtf8(g.caption));
            QCOMPARE(g.box->geometry(), g.at);
            // Every control stands inside its box; rows of edits 20 apart share one pixel, no more.
            const auto children = g.box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* c : children) {
                QVERIFY2(QRect(QPoint(0, 0), g.at.size()).contains(c->geometry()), qPrintable(c->objectName()));
                for (QWidget* d : children) {
                    const QRect common = c->geometry().intersected(d->geometry());
                    QVERIFY2(c == d || common.isEmpty() || std::min(common.width(), common.height()) <= 1,
                             qPrintable(c->objectName() + QLatin1Char('/') + d->objectName()));
                }
            }
        }
        // Rows of the amount groups share their edit top; the note spans both columns.
        QCOMPARE(TAcc->DBEdit17->geometry(), QRect(156, 134, 90, 21));
        QCOMPARE(TAcc->DBEdit16->geometry(), QRect(63, 154, 90, 21));
        QCOMPARE(TAcc->DBEdit1->geometry(), QRect(64, 156, 90, 21));
        QCOMPARE(TAcc->DBEdit44->geometry(), QRect(64, 178, 183, 21));
        QCOMPARE(TAcc->DBEdit50->geometry(), QRect(204, 102, 50, 21));
        QCOMPARE(TAcc->Button8->geometry(), QRect(6, 156, 75, 21));
        QCOMPARE(TAcc->Button15->geometry(), QRect(6, 172, 61, 25));
        QCOMPARE(TAcc->Edit2->geometry(), QRect(128, 146, 121, 21));
        QCOMPARE(TAcc->DBEdit39->geometry(), QRect(176, 30, 80, 21));
        QCOMPARE(TAcc->Label19->pos(), QPoint(8, 175));
        QCOMPARE(TAcc->Label28->pos(), QPoint(8, 160));
        QCOMPARE(TAcc->Label44->pos(), QPoint(11, 182));
        QCOMPARE(TAcc->Label44->buddy(), static_cast<QWidget*>(TAcc->DBEdit44));
        QVERIFY(TAcc->hasMenuSkin());
    }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char* const table[][2] = {
            {"Label4", "姓名"}, {"Label2", "編號"}, {"Label6", "職稱"}, {"Label8", "職等"}, {"Label10", "職級"},
            {"Label45", "工數"}, {"Label46", "缺勤"}, {"Label47", "公休"}, {"Label17", "1級"}, {"Label18", "2級"},
            {"Label20", "3級"}, {"Label1", "編號"},
            {"Label3", "基本薪資"}, {"Label5", "加班時薪"}, {"Label7", "職務加給"}, {"Label9", "專業加給"},
            {"Label11", "全勤津貼"}, {"Label13", "績效獎金"}, {"Label15", "提案獎金"}, {"Label16", "補助津貼"},
            {"Label19", "其        它"}, {"Label40", "應支合計"},
            {"Label23", "勞 保 費"}, {"Label25", "健 保 費"}, {"Label27", "借      支"}, {"Label29", "福 利 金"},
            {"Label31", "制 服 費"}, {"Label33", "公 休 日"}, {"Label35", "其      它"}, {"Label28", "應扣合計"},
            {"Label44", "備      註"},
            {"Label21", "應支金額"}, {"Label22", "應扣金額"}, {"Label39", "實支金額"},
            {"Label12", "員工編號"}, {"Label14", "薪資月份"}, {"Label24", "薪資編號"}, {"Label26", "薪資編號"},
            {"Button7", "<<"}, {"Button9", "<"}, {"Button10", ">"}, {"Button12", ">>"}, {"Button8", "找尋"},
            {"Button2", "<<"}, {"Button3", "<"}, {"Button4", ">"}, {"Button5", ">>"}, {"Button6", "新增"},
            {"Button11", "刪除"}, {"Button13", "存檔"}, {"Button1", "回主頁"}, {"Button14", "找尋"},
            {"Button15", "列印"},
        };
        for (const auto& row : table)
            QTest::newRow(row[0]) << row[0] << QString::fromUtf8(row[1]);
    }
    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Screen s;
        QWidget* w = control(name);
        if (auto* label = qobject_cast<QLabel*>(w))
            QCOMPARE(label->text(), caption);
        else
            QCOMPARE(qobject_cast<QAbstractButton*>(w)->text(), caption);
    }

    void keyFilters_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("paste");
        QTest::newRow("letter in an amount") << "DBEdit4" << "x" << "32000" << 1 << false;
        QTest::newRow("pasted text is not filtered") << "DBEdit3" << "12a" << "12a" << 0 << true;
        QTest::newRow("pasted text keeps the size") << "DBEdit52" << "S01010000123" << "S01010000" << 1 << true;
        QTest::newRow("Chinese in an amount") << "DBEdit24" << "五" << "700" << 1 << false;
        QTest::newRow("amount takes sign, exponent, point") << "DBEdit6" << "-1.5e+2E" << "-1.5e+2E" << 0 << false;
        QTest::newRow("letter in a day box") << "DBEdit45" << "x" << "22" << 1 << false;
        QTest::newRow("point and exponent in a day box") << "DBEdit46" << ".e" << "" << 2 << false;
        QTest::newRow("day box takes sign and digits") << "DBEdit47" << "+-9" << "+-9" << 0 << false;
        QTest::newRow("letter in an overtime box") << "DBEdit48" << "a" << "12.5" << 1 << false;
        QTest::newRow("serial stops at 9 bytes") << "DBEdit52" << "S01010000123" << "S01010000" << 3 << false;
        QTest::newRow("note counts Chinese as two") << "DBEdit44" << QString(26, QChar(0x5DE5)) << QString(25, QChar(0x5DE5)) << 1 << false;
    }
    void keyFilters()
    {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        QFETCH(bool, paste);
        Screen s;
        auto* edit = control<QLineEdit>(box);
        const bool replacing = text != edit->text();
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit, Qt::Key_End);
        if (replacing)
            edit->selectAll();
        const int before = controls::beepCount();
        if (paste) {
            QApplication::clipboard()->setText(keys);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(edit, keys);
        }
        QCOMPARE(edit->text(), text);
        QCOMPARE(controls::beepCount() - before, beeps);
        if (!paste && beeps == int(keys.size())) // every key refused: editing never started
            QCOMPARE(TAcc->ADOTable1->state(), DataSetState::Browse);
    }

    void badTextIsRefusedOnLeaving_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");
        QTest::newRow("12a pasted") << "DBEdit3" << "12a" << "'12a' is not a valid floating point value for field 'm_i1'" << "32000";
        QTest::newRow("lone minus") << "DBEdit3" << "-" << "'-' is not a valid floating point value for field 'm_i1'" << "32000";
        QTest::newRow("minus between digits") << "DBEdit3" << "1-2" << "'1-2' is not a valid floating point value for field 'm_i1'" << "32000";
        QTest::newRow("exponent without digits") << "DBEdit3" << "12e" << "'12e' is not a valid floating point value for field 'm_i1'" << "32000";
        QTest::newRow("day count") << "DBEdit45" << "1-2" << "'1-2' is not a valid integer value for field 'm_day'" << "22";
        QTest::newRow("day beyond 32 bits") << "DBEdit45" << "2147483648" << "'2147483648' is not a valid integer value for field 'm_day'" << "22";
        QTest::newRow("pay month") << "DBEdit53" << "2026/13/40" << "'2026/13/40' is not a valid date and time." << "2026/1/31";
    }
    void badTextIsRefusedOnLeaving()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        Screen s;
        auto* edit = control<controls::DBEdit>(box);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        if (text.contains(QLatin1Char('a'))) { // a letter gets in only by pasting
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(edit, text);
        }
        QCOMPARE(edit->text(), text);
        click(TAcc->Button4); // tries to leave the box and move on
        QCOMPARE(s.errors(), QStringList{message});
        QCOMPARE(focused(), static_cast<QWidget*>(edit));
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->selectedText(), text);
        QCOMPARE(edit->field()->asString(), stored);
        QCOMPARE(s.payState(), DataSetState::Edit);
        QCOMPARE(s.serial(), QStringLiteral("S0101")); // the click did not move
        // Esc brings the stored value back; then the box can be left.
        QCoreApplication::processEvents(); // the rest of the refused click
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), stored);
        click(TAcc->Button4);
        QCOMPARE(s.serial(), QStringLiteral("S0201"));
        QCOMPARE(s.errors().size(), 1);
    }

    void searches_data()
    {
        QTest::addColumn<QString>("box");      // Edit1: employees; Edit2: pay records
        QTest::addColumn<int>("startAt");      // employee panel clicks of ">" before searching
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("employee"); // after the search
        QTest::addColumn<QString>("serial");
        QTest::addColumn<bool>("found");
        QTest::newRow("employee: several match, lowest number") << "Edit1" << 2 << "E0" << "E01" << "S0101" << true;
        QTest::newRow("employee: whole number") << "Edit1" << 0 << "E10" << "E10" << "S0103" << true;
        QTest::newRow("employee: no pay records") << "Edit1" << 0 << "E02" << "E02" << "" << true;
        QTest::newRow("employee: miss") << "Edit1" << 2 << "X" << "E10" << "S0203" << false;
        QTest::newRow("employee: empty text") << "Edit1" << 2 << "" << "E10" << "S0203" << false;
        QTest::newRow("employee: blank kept") << "Edit1" << 2 << " E01" << "E10" << "S0203" << false;
        QTest::newRow("pay: several match, lowest serial") << "Edit2" << 0 << "S0" << "E01" << "S0101" << true;
        QTest::newRow("pay: whole serial") << "Edit2" << 2 << "S0103" << "E10" << "S0103" << true;
        QTest::newRow("pay: miss") << "Edit2" << 0 << "Z" << "E01" << "S0201" << false;
        QTest::newRow("pay: empty text") << "Edit2" << 0 << "" << "E01" << "S0201" << false;
        // The lowest matching serial is another employee's: the panel stays, nothing is found.
        QTest::newRow("pay: first hit of another employee") << "Edit2" << 2 << "S0" << "E10" << "S0203" << false;
        QTest::newRow("pay: other employee only") << "Edit2" << 2 << "S0201" << "E10" << "S0203" << false;
    }
    void searches()
    {
        QFETCH(QString, box);
        QFETCH(int, startAt);
        QFETCH(QString, text);
        QFETCH(QString, employee);
        QFETCH(QString, serial);
        QFETCH(bool, found);
        Screen s;
        for (int i = 0; i < startAt; ++i)
            click(TAcc->Button10);
        click(TAcc->Button5); // last pay record, so a hit visibly moves
        auto* edit = control<QLineEdit>(box);
        edit->setFocus(Qt::OtherFocusReason);
        typeText(edit, text);
        click(box == QLatin1String("Edit1") ? TAcc->Button8 : TAcc->Button14);
        if (found) {
            QVERIFY(s.boxes.boxes.empty());
        } else {
            QCOMPARE(s.boxes.boxes.size(), size_t(1));
            QCOMPARE(s.boxes.boxes[0].kind, BoxKind::NotFound);
            QCOMPARE(s.boxes.boxes[0].text, QStringLiteral("找不到編號"));
        }
        QCOMPARE(s.employee(), employee);
        QCOMPARE(s.serial(), serial);
        QCOMPARE(edit->text(), text);
    }

    void droppedTextIsRefused()
    {
        Screen s;
        auto* edit = TAcc->DBEdit3;
        QMimeData mime;
        mime.setText(QStringLiteral("12a"));
        const QPoint at = edit->rect().center();
        QDragEnterEvent enterEvent(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enterEvent);
        QDropEvent dropEvent(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &dropEvent);
        // Text shown but never written would be lost silently by the next move.
        QCOMPARE(edit->text(), QStringLiteral("32000"));
        QCOMPARE(s.payState(), DataSetState::Browse);
    }

    void searchSettlesFirst()
    {
        Screen s;
        click(TAcc->Button6);
        typeInto(TAcc->DBEdit52, QStringLiteral("S0301"));
        TAcc->Edit2->setText(QStringLiteral("S03"));
        click(TAcc->Button14); // the new record is stored first, then found
        QVERIFY(s.boxes.boxes.empty());
        QCOMPARE(s.payRecords(QStringLiteral("m_sn='S0301' AND m_number='E01'")), 1);
        QCOMPARE(s.serial(), QStringLiteral("S0301"));
        QCOMPARE(s.payState(), DataSetState::Browse);
    }

    void employeeNumberChangeReselects()
    {
        Screen s;
        typeInto(TAcc->DBEdit2, QStringLiteral("E10"));
        QCOMPARE(s.serial(), QStringLiteral("S0101")); // not while typing
        QTest::keyClick(TAcc->DBEdit2, Qt::Key_Tab);
        QCOMPARE(TAcc->ADOTable1->presentedCount(), 2);
        QCOMPARE(s.serial(), QStringLiteral("S0103"));
        typeInto(TAcc->DBEdit2, QStringLiteral("E05"));
        QTest::keyClick(TAcc->DBEdit2, Qt::Key_Tab);
        QCOMPARE(s.serial(), QString());
        QCOMPARE(TAcc->ADOTable1->presentedCount(), 0);
        // The pay records keep their number; the new one reaches t_user when the panel moves.
        QCOMPARE(s.payRecords(QStringLiteral("m_number='E01'")), 2);
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT count(*) FROM t_user WHERE u_number='E05'")).toInt(), 0);
        click(TAcc->Button10);
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT u_name FROM t_user WHERE u_number='E05'")).toString(), QStringLiteral("陳美玲"));
        QVERIFY(s.errors().isEmpty());
    }

    void pendingRecordSurvivesGoingBack()
    {
        Screen s;
        std::vector<std::pair<QString, bool>> trace;
        controls::Form::setSwitchTrace([&](controls::Form* f, bool show) { trace.emplace_back(f->formName(), show); });
        click(TAcc->Button6);
        typeInto(TAcc->DBEdit52, QStringLiteral("S0301"));
        typeInto(TAcc->DBEdit4, QStringLiteral("123"));
        click(TAcc->Button1); // 回主頁
        controls::Form::setSwitchTrace(nullptr);
        const std::vector<std::pair<QString, bool>> expected{{"TUser", false}, {"TAcc", false}, {"tMain", true}};
        QCOMPARE(trace, expected);
        QVERIFY(!TAcc->isVisible());
        QCOMPARE(s.payState(), DataSetState::Insert);
        QCOMPARE(s.payRecords(), 4);

        click(tMain->Button2); // 薪資管理
        TAcc->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(TAcc));
        QTRY_COMPARE(focused(), static_cast<QWidget*>(TAcc->Button1));
        QCOMPARE(s.payState(), DataSetState::Insert);
        QCOMPARE(s.serial(), QStringLiteral("S0301"));
        QCOMPARE(TAcc->DBEdit41->text(), QStringLiteral("123"));
        click(TAcc->Button13);
        QCOMPARE(s.payRecords(QStringLiteral("m_sn='S0301' AND m_u1=123 AND m_number='E01'")), 1);
        QVERIFY(s.errors().isEmpty());
    }
};

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestPayroll test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_payroll.moc"
