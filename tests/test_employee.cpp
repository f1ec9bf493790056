// The employee screen driven with keys and clicks, checked on screen and in the database file.
#include "TMain_p.h"
#include "TUser_p.h"
#include "application.h"
#include "dbmaker.h"
#include "messagebox.h"
#include "sound.h"
#include "testsupport.h"
#include "typing.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

using controls::BoxKind;
using controls::BoxRecorder;
using testsupport::exec;
using testsupport::scalar;
using testsupport::typeText;

namespace {

app::Application* theApp() { return static_cast<app::Application*>(qApp); }

// The application started on a small database, showing the employee screen.
struct Screen {
    testsupport::WorkDir dir;
    BoxRecorder boxes;
    QString db;
    explicit Screen(const QString& rows = QStringLiteral(
                        "INSERT INTO t_user (u_name, u_number, u_title, u_indate, u_add1) VALUES"
                        " ('陳美玲', 'A2', '會計', '2020-03-01 00:00:00', 12.5),"
                        " ('林志明', 'B1', '業務', '2021-07-15 00:00:00', NULL),"
                        " ('王小華', 'A10', '經理', '2019-01-02 00:00:00', 3)"))
    {
        db = dir.makeEmptyDb();
        if (!rows.isEmpty())
            exec(db, rows);
        theApp()->start();
        QTest::mouseClick(tMain->Button1, Qt::LeftButton);
        TUser->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(TUser));
    }
    ~Screen() { theApp()->destroyScreens(); }
    QString number() const { return TUser->DBEdit2->text(); }
    int rows() const { return scalar(db, QStringLiteral("SELECT count(*) FROM t_user")).toInt(); }
    QStringList errors() const { return boxes.texts(BoxKind::Error); }
};

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void typeInto(QWidget* w, const QString& text)
{
    w->setFocus(Qt::OtherFocusReason);
    typeText(w, text);
}

void enter(QWidget* w, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(w, Qt::Key_Return, m);
    QCoreApplication::processEvents(); // the posted Tab
}

} // namespace

class TestEmployee : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void showsFieldsRightAlignedUntilFocused()
    {
        Screen s;
        QCOMPARE(TUser->DBEdit1->text(), QStringLiteral("陳美玲"));
        QCOMPARE(TUser->DBEdit9->text(), QStringLiteral("2020/3/1"));
        QCOMPARE(TUser->DBEdit7->text(), QStringLiteral("12.5"));
        QVERIFY(TUser->DBEdit1->alignment() & Qt::AlignRight);
        TUser->DBEdit1->setFocus(Qt::TabFocusReason);
        QVERIFY(TUser->DBEdit1->alignment() & Qt::AlignLeft);
        QCOMPARE(TUser->windowTitle(), QStringLiteral("TUser"));
    }

    void navigation()
    {
        Screen s;
        click(TUser->Button2); // 上一頁 on the first row
        click(TUser->Button2);
        QCOMPARE(s.number(), QStringLiteral("A2"));
        click(TUser->Button3);
        QCOMPARE(s.number(), QStringLiteral("B1"));
        click(TUser->Button4);
        QCOMPARE(s.number(), QStringLiteral("A10"));
        click(TUser->Button3); // 下一頁 on the last row
        click(TUser->Button3);
        QCOMPARE(s.number(), QStringLiteral("A10"));
        click(TUser->Button1);
        QCOMPARE(s.number(), QStringLiteral("A2"));
        QCOMPARE(TUser->DBGrid1->currentIndex().row(), 0);
        QVERIFY(s.boxes.boxes.empty());
    }

    void navigationOnEmptyTable()
    {
        Screen s{QString()};
        for (QWidget* b : {TUser->Button1, TUser->Button2, TUser->Button3, TUser->Button4})
            click(b);
        QVERIFY(s.boxes.boxes.empty());
        QCOMPARE(TUser->DBEdit1->text(), QString());
        click(TUser->Button6);
        QCOMPARE(s.errors(), QStringList{QStringLiteral("ADOTable1: Cannot perform this operation on an empty dataset.")});
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hit"); // empty: the not-found box
        QTest::newRow("prefix finds A10 before A2") << "A" << "A10";
        QTest::newRow("whole number") << "B1" << "B1";
        QTest::newRow("miss") << "C" << "";
        QTest::newRow("empty text") << "" << "";
        QTest::newRow("lower case differs") << "a" << "";
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(QString, hit);
        Screen s;
        click(TUser->Button3); // on B1
        typeInto(TUser->Edit1, text);
        // Enter moves to the search button, a second Enter presses it.
        enter(TUser->Edit1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(TUser->Button7));
        QTest::keyClick(TUser->Button7, Qt::Key_Return);
        if (hit.isEmpty()) {
            QCOMPARE(s.boxes.boxes.size(), size_t(1));
            QCOMPARE(s.boxes.boxes[0].kind, BoxKind::NotFound);
            QCOMPARE(s.boxes.boxes[0].text, QStringLiteral("找不到編號"));
            QCOMPARE(s.boxes.boxes[0].caption, QStringLiteral("Quorvel"));
            QCOMPARE(s.number(), QStringLiteral("B1"));
        } else {
            QVERIFY(s.boxes.boxes.empty());
            QCOMPARE(s.number(), hit);
            QCOMPARE(TUser->DBGrid1->currentIndex().row(), hit == QLatin1String("A10") ? 2 : 1);
        }
        QCOMPARE(TUser->Edit1->text(), text);
    }

    void addTypeSaveAndSaveAgain()
    {
        Screen s;
        click(TUser->Button5);
        QCOMPARE(TUser->DBEdit1->text(), QString());
        QCOMPARE(TUser->DBGrid1->gridModel()->rowCount(), 4);
        typeInto(TUser->DBEdit1, QStringLiteral("張三"));
        enter(TUser->DBEdit1);
        typeText(TUser->DBEdit2, QStringLiteral("C7"));
        enter(TUser->DBEdit2);
        typeText(TUser->DBEdit3, QStringLiteral("司機"));
        typeInto(TUser->DBEdit9, QStringLiteral("2026/2/3"));
        click(TUser->Button11);
        QVERIFY(s.errors().isEmpty());
        QCOMPARE(s.rows(), 4);
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT u_name || u_number || u_title || u_indate FROM t_user WHERE u_sn=4")).toString(),
                 QStringLiteral("張三C7司機2026-02-03 00:00:00"));
        QCOMPARE(TUser->DBGrid1->currentIndex().row(), 3);
        click(TUser->Button11);
        QCOMPARE(s.errors(), QStringList{QStringLiteral("ADOTable1: Dataset not in edit or insert mode.")});
        QCOMPARE(s.rows(), 4);
    }

    void addThenMoveWithoutTyping()
    {
        Screen s;
        click(TUser->Button5);
        click(TUser->Button1);
        QCOMPARE(s.rows(), 3);
        QCOMPARE(TUser->DBGrid1->gridModel()->rowCount(), 3);
        QCOMPARE(s.number(), QStringLiteral("A2"));
    }

    void typedChangeIsStoredByAMove()
    {
        Screen s;
        typeInto(TUser->DBEdit3, QStringLiteral("X"));
        click(TUser->Button3); // the click leaves the box, writing it, then the move saves
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT u_title FROM t_user WHERE u_number='A2'")).toString(), QStringLiteral("會計X"));
        QCOMPARE(s.number(), QStringLiteral("B1"));
    }

    void deletes()
    {
        Screen s;
        click(TUser->Button3);
        click(TUser->Button5);
        typeInto(TUser->DBEdit2, QStringLiteral("N1"));
        click(TUser->Button6); // drops the new row only
        QCOMPARE(s.rows(), 3);
        QCOMPARE(s.number(), QStringLiteral("B1"));
        click(TUser->Button4);
        click(TUser->Button6); // the last row: the one before becomes current
        QCOMPARE(s.number(), QStringLiteral("B1"));
        click(TUser->Button6);
        click(TUser->Button6); // the only row
        QCOMPARE(s.rows(), 0);
        QCOMPARE(TUser->DBEdit2->text(), QString());
        QVERIFY(s.errors().isEmpty());
    }

    void enterWalksTheRecordBox()
    {
        Screen s;
        const QList<QWidget*> walk{TUser->DBEdit1, TUser->DBEdit2, TUser->DBEdit3, TUser->DBEdit4, TUser->DBEdit5,
                                   TUser->DBEdit7, TUser->DBEdit8, TUser->DBEdit6, TUser->DBEdit9};
        walk.front()->setFocus(Qt::OtherFocusReason);
        for (qsizetype i = 1; i < walk.size(); ++i) {
            enter(QApplication::focusWidget());
            QCOMPARE(QApplication::focusWidget(), walk[i]);
        }
        enter(TUser->DBEdit9); // no handler in 到職日期
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(TUser->DBEdit9));
        enter(TUser->DBEdit7, Qt::ShiftModifier);
        TUser->DBEdit7->setFocus(Qt::OtherFocusReason);
        enter(TUser->DBEdit7, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(TUser->DBEdit5));
        TUser->DBEdit7->setFocus(Qt::OtherFocusReason);
        enter(TUser->DBEdit7, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(TUser->DBEdit7));
        QVERIFY(s.errors().isEmpty());
    }

    void tabSequence()
    {
        Screen s;
        const QList<QWidget*> expected{TUser->Button1, TUser->Button2, TUser->Button3, TUser->Button4, TUser->Button5,
                                       TUser->Button6, TUser->DBEdit1, TUser->DBEdit2, TUser->DBEdit3, TUser->DBEdit4,
                                       TUser->DBEdit5, TUser->DBEdit7, TUser->DBEdit8, TUser->DBEdit6, TUser->DBEdit9,
                                       TUser->Edit1, TUser->Button7, TUser->DBGrid1, TUser->Button9, TUser->Button10,
                                       TUser->Button11};
        const auto chain = TUser->tabChain();
        QCOMPARE(QList<QWidget*>(chain.begin(), chain.end()), expected);
    }

    void keyFilters()
    {
        Screen s;
        const int beeps = controls::beepCount();
        typeInto(TUser->DBEdit7, QStringLiteral("x"));
        QCOMPARE(controls::beepCount(), beeps + 1);
        QCOMPARE(TUser->DBEdit7->text(), QStringLiteral("12.5"));
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Browse); // a refused key starts nothing
        TUser->DBEdit1->selectAll();
        typeText(TUser->DBEdit1, QStringLiteral("一二三四五六"));
        QCOMPARE(TUser->DBEdit1->text(), QStringLiteral("一二三四五"));
        TUser->DBEdit2->selectAll();
        typeText(TUser->DBEdit2, QStringLiteral("0123456789AB"));
        QCOMPARE(TUser->DBEdit2->text(), QStringLiteral("0123456789"));
        // Esc puts the stored value back; the row stays in editing.
        QTest::keyClick(TUser->DBEdit2, Qt::Key_Escape);
        QCOMPARE(TUser->DBEdit2->text(), QStringLiteral("A2"));
        QCOMPARE(TUser->DBEdit2->selectedText(), QStringLiteral("A2"));
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Edit);
    }

    void badTextKeepsTheFocus_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("date") << "DBEdit9" << "2026/13/40" << "'2026/13/40' is not a valid date and time.";
        QTest::newRow("number") << "DBEdit8" << "1e" << "'1e' is not a valid floating point value for field 'u_add2'"; // ends below "."; no full stop
    }
    void badTextKeepsTheFocus()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Screen s;
        auto* edit = TUser->findChild<controls::DBEdit*>(box);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        typeText(edit, text);
        click(TUser->Button3); // tries to leave the box and move on
        QCOMPARE(s.errors(), QStringList{message});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->selectedText(), text);
        QCOMPARE(s.number(), QStringLiteral("A2")); // the click did not move
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT u_add2 IS NULL AND u_indate='2020-03-01 00:00:00' FROM t_user WHERE u_number='A2'")).toInt(), 1);
    }

    void grid()
    {
        Screen s;
        auto* model = TUser->DBGrid1->gridModel();
        QStringList titles;
        for (int c = 0; c < model->columnCount(); ++c)
            titles << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(titles, (QStringList{"員工姓名", "員工編號", "職位名稱", "職等", "職級", "到職日期"}));
        QCOMPARE(model->data(model->index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("A10"));
        // Title wider than its display width: the title decides.
        const QFontMetrics fm(TUser->DBGrid1->font());
        QVERIFY(TUser->DBGrid1->columnWidth(2) >= 17 * fm.horizontalAdvance(QLatin1Char('0')) + 4);
        // Moving in the grid moves the record; the boxes follow.
        TUser->DBGrid1->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(TUser->DBGrid1, Qt::Key_Down);
        QCOMPARE(s.number(), QStringLiteral("B1"));
        QCOMPARE(model->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("\u25B6"));
        // Ctrl+Delete asks first: Cancel keeps, OK deletes.
        s.boxes.answers = {controls::Answer::Cancel, controls::Answer::Ok};
        QTest::keyClick(TUser->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(s.rows(), 3);
        QTest::keyClick(TUser->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(s.rows(), 2);
        QCOMPARE(s.boxes.boxes.back().kind, BoxKind::ConfirmDelete);
        QCOMPARE(s.boxes.boxes.back().text, QStringLiteral("Delete record?"));
        // Down past the last row appends; leaving the grid drops the blank row.
        QTest::keyClick(TUser->DBGrid1, Qt::Key_Down);
        QTest::keyClick(TUser->DBGrid1, Qt::Key_Down);
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Insert);
        QCOMPARE(model->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("*"));
        TUser->Button1->setFocus(Qt::TabFocusReason);
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Browse);
        QCOMPARE(model->rowCount(), 2);
    }

    void gridKeys()
    {
        Screen s;
        auto* grid = TUser->DBGrid1;
        grid->setFocus(Qt::OtherFocusReason);
        // Tab runs along the row and wraps into the next one; Shift+Tab goes back.
        grid->setCurrentIndex(grid->gridModel()->index(0, 5));
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->currentIndex(), grid->gridModel()->index(1, 0));
        QCOMPARE(s.number(), QStringLiteral("B1"));
        QTest::keyClick(grid, Qt::Key_Backtab);
        QCOMPARE(grid->currentIndex(), grid->gridModel()->index(0, 5));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid)); // Tab never leaves the grid
        // Tab on the last cell of the last row appends a row.
        grid->setCurrentIndex(grid->gridModel()->index(2, 5));
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Insert);
        QCOMPARE(grid->currentIndex(), grid->gridModel()->index(3, 0));
        // Esc drops it; Insert puts a new row before the current one.
        QTest::keyClick(grid, Qt::Key_Escape);
        QCOMPARE(grid->gridModel()->rowCount(), 3);
        grid->setCurrentIndex(grid->gridModel()->index(1, 0));
        QTest::keyClick(grid, Qt::Key_Insert);
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Insert);
        QCOMPARE(TUser->ADOTable1->currentIndex(), 1);
        QCOMPARE(grid->gridModel()->data(grid->gridModel()->index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("B1"));
        QVERIFY(s.errors().isEmpty());
        QCOMPARE(s.rows(), 3);
    }

    void gridRefusesBadCellAndGoesOn()
    {
        Screen s;
        auto* grid = TUser->DBGrid1;
        grid->setFocus(Qt::OtherFocusReason);
        grid->setCurrentIndex(grid->gridModel()->index(0, 5));
        QTest::keyClick(grid, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        typeText(editor, QStringLiteral("x"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(s.errors(), QStringList{QStringLiteral("'x' is not a valid date and time.")});
        QCOMPARE(TUser->DBEdit9->text(), QStringLiteral("2020/3/1"));
        // The grid still edits afterwards: the next cell's change is stored.
        QTest::keyClick(grid, Qt::Key_Escape);
        grid->setCurrentIndex(grid->gridModel()->index(0, 0));
        QTest::keyClick(grid, Qt::Key_F2);
        editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        typeText(editor, QStringLiteral("Zed"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        click(TUser->Button11);
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT u_name FROM t_user WHERE u_number='A2'")).toString(), QStringLiteral("Zed"));
        QCOMPARE(s.errors().size(), 1);
    }

    void gridEditsInPlace()
    {
        Screen s;
        TUser->DBGrid1->setFocus(Qt::OtherFocusReason);
        TUser->DBGrid1->setCurrentIndex(TUser->DBGrid1->gridModel()->index(0, 2));
        QTest::keyClick(TUser->DBGrid1, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != TUser->DBGrid1);
        QCOMPARE(TUser->ADOTable1->state(), data::DataSetState::Edit);
        QTest::keyClick(editor, Qt::Key_End);
        typeText(editor, QStringLiteral("長"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits on a queued call
        QCOMPARE(TUser->DBEdit3->text(), QStringLiteral("會計長"));
        click(TUser->Button11);
        QCOMPARE(scalar(s.db, QStringLiteral("SELECT u_title FROM t_user WHERE u_number='A2'")).toString(), QStringLiteral("會計長"));
    }
};

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestEmployee test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_employee.moc"
