// The application shell: start-up order, the main menu, screen switching, the error box,
// leaving with pending rows, and the start without a database.
#include "Repost1_p.h"
#include "TAcc_p.h"
#include "TDate_p.h"
#include "TMain_p.h"
#include "TUser_p.h"
#include "Taccuser.h"
#include "application.h"
#include "connection.h"
#include "dbmaker.h"
#include "errors.h"
#include "messagebox.h"
#include "testsupport.h"

#include <QCalendarWidget>
#include <QFontInfo>
#include <QImageReader>
#include <QTest>

#include <memory>
#include <optional>

using controls::Answer;
using controls::BoxKind;
using controls::BoxRecorder;
using controls::Form;

namespace {

app::Application* theApp() { return static_cast<app::Application*>(qApp); }

// A started application on a demo database (or none), with every box recorded.
struct Started {
    testsupport::WorkDir dir;
    BoxRecorder boxes;
    bool ok = false;

    explicit Started(bool withDatabase = true, std::function<void(const controls::BoxRecord&)> onBox = {})
    {
        if (withDatabase)
            dbtool::createDemo(dir.dbPath(), true);
        boxes.onBox = std::move(onBox);
        ok = theApp()->start();
    }
    ~Started()
    {
        Form::setSwitchTrace({});
        theApp()->afterScreenCreated = {};
        theApp()->destroyScreens();
    }
};

std::vector<Form*> workingScreens() { return {tMain, TUser, TAcc}; }

QStringList visibleScreens()
{
    QStringList names;
    for (Form* f : Form::forms())
        if (f->isVisible())
            names << f->formName();
    return names;
}

// Runs fn as a handler of the message loop would: through the application's event dispatch.
void dispatch(const std::function<void()>& fn)
{
    QMetaObject::invokeMethod(qApp, fn, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

QString closedMessage(const QString& dataSet)
{
    return dataSet + QStringLiteral(": Cannot perform this operation on a closed dataset.");
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void startUpCreatesTheScreensInOrder();
    void onlyTheMainMenuIsShownAtStart();
    void screensStandWhereDesigned_data();
    void screensStandWhereDesigned();
    void mainMenuDesign();

    void switching_data();
    void switching();
    void switchingKeepsAHalfEditedRecord();

    void handlerErrorsReachTheErrorBox();
    void escapingCreationErrorIsAnApplicationError_data();
    void escapingCreationErrorIsAnApplicationError();

    void leaving_data();
    void leaving();
    void leavingWhenTheSaveFails();

    void missingDatabase();
};

void TestShell::startUpCreatesTheScreensInOrder()
{
    QStringList created;
    QStringList openAtEachCreation;
    theApp()->afterScreenCreated = [&](const QString& name) {
        created << name;
        int open = 0;
        for (Form* f : Form::forms())
            for (data::DataSet* ds : f->dataSets())
                open += ds->isActive();
        openAtEachCreation << QString::number(open);
    };
    Started s;
    QVERIFY(s.ok);
    QCOMPARE(created, QStringList({"tMain", "TUser", "TAcc", "accuser1", "TDate", "Repost1"}));
    // Each screen opens its designed data sets while it is created: four in all.
    QCOMPARE(openAtEachCreation, QStringList({"0", "1", "3", "4", "4", "4"}));
    QVERIFY(s.boxes.boxes.empty());

    // One reference per screen, the main menu first and therefore the main window.
    const std::vector<Form*> refs{tMain, TUser, TAcc, accuser1, TDate, Repost1};
    QCOMPARE(Form::forms(), refs);
    QCOMPARE(Form::mainForm(), static_cast<Form*>(tMain));
    QVERIFY(!Repost1->ADOQuery1->isActive());
    QCOMPARE(accuser1->ADOQuery1->fields().size(), size_t(10));
    QCOMPARE(TDate->MonthCalendar1->selectedDate(), QDate(2003, 3, 28));

    // The pay records follow the first employee in employee-number order.
    const QString first = testsupport::scalar(s.dir.dbPath(), "SELECT min(u_number) FROM t_user").toString();
    QCOMPARE(TAcc->ADOTable2->fieldByName("u_number")->asString(), first);
    QCOMPARE(TAcc->ADOTable1->presentedCount(),
             testsupport::scalar(s.dir.dbPath(), QString("SELECT count(*) FROM m_money WHERE m_number='%1'").arg(first)).toInt());
    QVERIFY(!TAcc->ADOTable1->fieldByName("m_km")->isNull());

    theApp()->destroyScreens();
    QVERIFY(Form::forms().empty());
    QVERIFY(!tMain && !TUser && !TAcc && !accuser1 && !TDate && !Repost1);
}

void TestShell::onlyTheMainMenuIsShownAtStart()
{
    Started s;
    QCOMPARE(visibleScreens(), QStringList({"tMain"}));
    QCOMPARE(tMain->windowTitle(), QStringLiteral("tMain"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Quorvel"));
    QVERIFY(QTest::qWaitForWindowActive(tMain));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(tMain->Button1));
}

void TestShell::screensStandWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("outer");
    QTest::addColumn<bool>("skin");
    QTest::newRow("tMain") << "tMain" << QRect(290, 191, 356, 422) << true;
    QTest::newRow("TUser") << "TUser" << QRect(234, 163, 458, 392) << true;
    QTest::newRow("TAcc") << "TAcc" << QRect(200, 112, 538, 504) << true;
    QTest::newRow("accuser1") << "accuser1" << QRect(258, 209, 594, 382) << false;
    QTest::newRow("TDate") << "TDate" << QRect(258, 123, 442, 262) << false;
    QTest::newRow("Repost1") << "Repost1" << QRect(114, 113, 886, 622) << false;
}

void TestShell::screensStandWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, outer);
    QFETCH(bool, skin);
    Started s;
    Form* form = nullptr;
    for (Form* f : Form::forms())
        if (f->formName() == name)
            form = f;
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), name);
    QCOMPARE(form->frameGeometry(), outer);
    QCOMPARE(form->hasMenuSkin(), skin);
    QCOMPARE(form->font().pixelSize(), 11);
}

void TestShell::mainMenuDesign()
{
    Started s;
    // The picture: a baseline JPEG of 343 x 391 with three 8-bit components.
    QFile jpeg(QStringLiteral(":/quorvel/menu.jpg"));
    QVERIFY(jpeg.open(QIODevice::ReadOnly));
    const QByteArray bytes = jpeg.readAll();
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    QVERIFY(!bytes.contains(QByteArray("\xFF\xC2", 2))); // not progressive
    QCOMPARE(quint8(bytes[sof + 4]), quint8(8));         // sample precision
    QCOMPARE((quint8(bytes[sof + 5]) << 8) | quint8(bytes[sof + 6]), 391);
    QCOMPARE((quint8(bytes[sof + 7]) << 8) | quint8(bytes[sof + 8]), 343);
    QCOMPARE(quint8(bytes[sof + 9]), quint8(3));
    QCOMPARE(tMain->Image1->geometry(), QRect(2, 2, 343, 391));

    for (controls::Label* label : {tMain->Label2, tMain->Label1}) {
        QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("AR PL UMing TW"));
        QCOMPARE(label->font().pixelSize(), 13);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->size(), label->sizeHint());
    }
    QCOMPARE(tMain->Label2->text(), QStringLiteral("版本:1.0"));
    QCOMPARE(tMain->Label2->pos(), QPoint(226, 346));
    QCOMPARE(tMain->Label1->text(), QStringLiteral("程式設計:Pexly"));
    QCOMPARE(tMain->Label1->pos(), QPoint(224, 366));

    QCOMPARE(tMain->Button1->text(), QStringLiteral("員工管理"));
    QCOMPARE(tMain->Button2->text(), QStringLiteral("薪資管理"));
    QCOMPARE(tMain->Button3->text(), QStringLiteral("離開"));
    QCOMPARE(tMain->Button1->geometry(), QRect(26, 236, 75, 25));
    QCOMPARE(tMain->Button2->geometry(), QRect(134, 236, 75, 25));
    QCOMPARE(tMain->Button3->geometry(), QRect(242, 236, 75, 25));
    const std::vector<QWidget*> chain{tMain->Button1, tMain->Button2, tMain->Button3};
    QCOMPARE(tMain->tabChain(), chain);

    // The switching buttons of the other two working screens.
    QCOMPARE(TUser->Button9->text(), QStringLiteral("回主畫面"));
    QCOMPARE(TUser->Button9->geometry(), QRect(344, 204, 75, 25));
    QCOMPARE(TUser->Button10->text(), QStringLiteral("回薪資表"));
    QCOMPARE(TUser->Button10->geometry(), QRect(264, 204, 75, 25));
    QCOMPARE(TAcc->Button1->text(), QStringLiteral("回主頁"));
    QCOMPARE(TAcc->Button1->parentWidget(), static_cast<QWidget*>(TAcc->GroupBox5));
    QCOMPARE(TAcc->Button1->geometry(), QRect(192, 116, 60, 25));
}

// Each row: how to reach the starting screen, the action, the show (+) and hide (-) calls
// it makes in order, how many working screens are visible as each call is made, and the one
// left visible.
void TestShell::switching_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QList<int>>("visibleBeforeEachCall");
    QTest::addColumn<QString>("visible");

    QTest::newRow("員工管理") << "tMain" << "tMain.Button1" << QStringList{"+TUser", "-TAcc", "-tMain"} << QList<int>{1, 2, 2} << "TUser";
    QTest::newRow("薪資管理") << "tMain" << "tMain.Button2" << QStringList{"+TAcc", "-tMain", "-TUser"} << QList<int>{1, 2, 1} << "TAcc";
    QTest::newRow("回主畫面") << "TUser" << "TUser.Button9" << QStringList{"+tMain", "-TAcc", "-TUser"} << QList<int>{1, 2, 2} << "tMain";
    QTest::newRow("回薪資表") << "TUser" << "TUser.Button10" << QStringList{"+TAcc", "-tMain", "-TUser"} << QList<int>{1, 2, 2} << "TAcc";
    // Hides both working screens before it shows the main menu.
    QTest::newRow("回主頁") << "TAcc" << "TAcc.Button1" << QStringList{"-TUser", "-TAcc", "+tMain"} << QList<int>{1, 1, 0} << "tMain";
    QTest::newRow("TUser frame close") << "TUser" << "TUser.close" << QStringList{"+tMain", "-TAcc", "-TUser"} << QList<int>{1, 2, 2} << "tMain";
    QTest::newRow("TAcc frame close") << "TAcc" << "TAcc.close" << QStringList{"-TUser", "-TAcc", "+tMain"} << QList<int>{1, 1, 0} << "tMain";
}

void TestShell::switching()
{
    QFETCH(QString, from);
    QFETCH(QString, action);
    QFETCH(QStringList, calls);
    QFETCH(QList<int>, visibleBeforeEachCall);
    QFETCH(QString, visible);
    Started s;
    if (from == "TUser")
        tMain->Button1->click();
    else if (from == "TAcc")
        tMain->Button2->click();
    QCOMPARE(visibleScreens(), QStringList{from});

    QStringList recorded;
    QList<int> visibleCounts;
    Form::setSwitchTrace([&](Form* f, bool show) {
        recorded << (show ? "+" : "-") + f->formName();
        int n = 0;
        for (Form* w : workingScreens())
            n += w->isVisible();
        visibleCounts << n;
    });
    QAbstractButton* button = nullptr;
    if (action == "tMain.Button1") button = tMain->Button1;
    if (action == "tMain.Button2") button = tMain->Button2;
    if (action == "TUser.Button9") button = TUser->Button9;
    if (action == "TUser.Button10") button = TUser->Button10;
    if (action == "TAcc.Button1") button = TAcc->Button1;
    if (button) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        Form* closing = action == "TUser.close" ? static_cast<Form*>(TUser) : static_cast<Form*>(TAcc);
        QVERIFY(!closing->close()); // the frame's close request is turned into the switch
    }
    QCOMPARE(recorded, calls);
    QCOMPARE(visibleCounts, visibleBeforeEachCall);
    QCOMPARE(visibleScreens(), QStringList{visible});
    QVERIFY(s.boxes.boxes.empty());
}

void TestShell::switchingKeepsAHalfEditedRecord()
{
    Started s;
    tMain->Button1->click();
    data::DataSet& users = *TUser->ADOTable1;
    users.next();
    const int row = users.currentIndex();
    users.edit();
    users.fieldByName("u_name")->setAsString(QStringLiteral("改名中"));
    TUser->Button10->click();
    TAcc->Button1->click();
    tMain->Button1->click();
    QCOMPARE(users.state(), data::DataSetState::Edit);
    QCOMPARE(users.currentIndex(), row);
    QCOMPARE(users.fieldByName("u_name")->asString(), QStringLiteral("改名中"));
}

void TestShell::handlerErrorsReachTheErrorBox()
{
    Started s;
    Form form(QStringLiteral("f"), QRect(0, 0, 200, 100));
    auto* button = new controls::Button(QStringLiteral("b"), &form);
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, &form, [&] {
        ++clicks;
        if (clicks == 1)
            throw data::DataError(QStringLiteral("ADOTable1: Dataset not in edit or insert mode"));
        if (clicks == 2)
            throw std::runtime_error("Out of range");
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton); // the application went on
    QCOMPARE(clicks, 3);
    QCOMPARE(s.boxes.boxes.size(), size_t(2));
    QCOMPARE(s.boxes.boxes[0].kind, BoxKind::Error);
    QCOMPARE(s.boxes.boxes[0].caption, QStringLiteral("Quorvel"));
    QCOMPARE(s.boxes.boxes[0].text, QStringLiteral("ADOTable1: Dataset not in edit or insert mode."));
    QCOMPARE(s.boxes.boxes[1].text, QStringLiteral("Out of range."));
}

void TestShell::escapingCreationErrorIsAnApplicationError_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("dataError");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("std error after TAcc") << "TAcc" << false << "Cannot build TAcc" << "Cannot build TAcc.";
    QTest::newRow("data error after tMain") << "tMain" << true << "Invalid design." << "Invalid design.";
    QTest::newRow("after the last screen") << "Repost1" << false << "x!" << "x!.";
}

void TestShell::escapingCreationErrorIsAnApplicationError()
{
    QFETCH(QString, failing);
    QFETCH(bool, dataError);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    testsupport::WorkDir dir;
    dbtool::createDemo(dir.dbPath(), true);
    BoxRecorder boxes;
    QStringList destroyed;
    theApp()->afterScreenCreated = [&](const QString& name) {
        QObject::connect(Form::forms().back(), &QObject::destroyed, [&destroyed, name] { destroyed << name; });
        if (name == failing) {
            if (dataError)
                throw data::DataError(message);
            throw std::runtime_error(message.toStdString());
        }
    };
    const bool started = theApp()->start();
    theApp()->afterScreenCreated = {};
    QVERIFY(!started);

    QCOMPARE(boxes.boxes.size(), size_t(1));
    QCOMPARE(boxes.boxes[0].kind, BoxKind::ApplicationError);
    QCOMPARE(boxes.boxes[0].caption, QStringLiteral("Application Error"));
    const QString kind = dataError ? QStringLiteral("data::DataError") : QStringLiteral("std::runtime_error");
    const QRegularExpression expected(
        QStringLiteral("^Exception %1 in module test_shell at [0-9A-F]{8,}\\.\\n%2\\n$")
            .arg(QRegularExpression::escape(kind), QRegularExpression::escape(shown)));
    QVERIFY2(expected.match(boxes.boxes[0].text).hasMatch(), qPrintable(boxes.boxes[0].text));

    // The screens already created are destroyed, last first.
    QStringList createdReversed;
    for (const QString name : {"tMain", "TUser", "TAcc", "accuser1", "TDate", "Repost1"}) {
        createdReversed.prepend(name);
        if (name == failing)
            break;
    }
    QCOMPARE(destroyed, createdReversed);
    QVERIFY(Form::forms().empty());
    QVERIFY(!tMain && !TUser && !TAcc);
}

// Ending with rows pending on a visible or hidden screen, by "離開" or the frame.
void TestShell::leaving_data()
{
    QTest::addColumn<QString>("pendingOn");  // "", "TUser" or "TAcc"
    QTest::addColumn<QString>("via");        // "button" or "frame"
    QTest::addColumn<std::optional<Answer>>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("stored");

    QTest::newRow("nothing pending, 離開") << "" << "button" << std::optional<Answer>{} << true << false;
    QTest::newRow("nothing pending, frame") << "" << "frame" << std::optional<Answer>{} << true << false;
    QTest::newRow("employee, 是") << "TUser" << "button" << std::optional<Answer>(Answer::Yes) << true << true;
    QTest::newRow("employee, 否") << "TUser" << "frame" << std::optional<Answer>(Answer::No) << true << false;
    QTest::newRow("employee, 取消") << "TUser" << "button" << std::optional<Answer>(Answer::Cancel) << false << false;
    QTest::newRow("hidden payroll, 是") << "TAcc" << "frame" << std::optional<Answer>(Answer::Yes) << true << true;
    QTest::newRow("hidden payroll, 否") << "TAcc" << "button" << std::optional<Answer>(Answer::No) << true << false;
    QTest::newRow("hidden payroll, 取消") << "TAcc" << "frame" << std::optional<Answer>(Answer::Cancel) << false << false;
}

void TestShell::leaving()
{
    QFETCH(QString, pendingOn);
    QFETCH(QString, via);
    QFETCH(std::optional<Answer>, answer);
    QFETCH(bool, ends);
    QFETCH(bool, stored);
    Started s;
    const QString db = s.dir.dbPath();
    data::DataSet* pending = nullptr;
    QString check;
    if (pendingOn == "TUser") {
        pending = TUser->ADOTable1.get();
        pending->edit();
        pending->fieldByName("u_title")->setAsString(QStringLiteral("新職稱"));
        check = QString("SELECT count(*) FROM t_user WHERE u_title='新職稱'");
    } else if (pendingOn == "TAcc") {
        pending = TAcc->ADOTable1.get();
        pending->append();
        pending->fieldByName("m_sn")->setAsString(QStringLiteral("NEW-1"));
        check = QString("SELECT count(*) FROM m_money WHERE m_sn='NEW-1'");
    }
    if (answer)
        s.boxes.answers.push_back(*answer);

    const bool closed = via == "button" ? (tMain->Button3->click(), !tMain->isVisible()) : tMain->close();
    QCOMPARE(closed, ends);
    QCOMPARE(tMain->isVisible(), !ends);
    if (answer) {
        QCOMPARE(s.boxes.boxes.size(), size_t(1));
        QCOMPARE(s.boxes.boxes[0].kind, BoxKind::AskSaveBeforeExit);
        QCOMPARE(s.boxes.boxes[0].caption, QStringLiteral("Quorvel"));
        QCOMPARE(s.boxes.boxes[0].text, QStringLiteral("資料尚未存檔，是否存檔後離開？"));
    } else {
        QVERIFY(s.boxes.boxes.empty());
    }
    if (pending) {
        // 取消 leaves the row as it was; 是 has stored it; 否 leaves it to be dropped at the end.
        QCOMPARE(pending->isEditing(), !stored);
        theApp()->destroyScreens();
        QCOMPARE(testsupport::scalar(db, check).toInt(), stored ? 1 : 0);
    }
}

void TestShell::leavingWhenTheSaveFails()
{
    Started s;
    data::DataSet& users = *TUser->ADOTable1;
    users.edit();
    users.fieldByName("u_title")->setAsString(QStringLiteral("新職稱"));
    // Another connection changes the row meanwhile, so the save is refused.
    const QString number = users.fieldByName("u_number")->asString();
    testsupport::exec(s.dir.dbPath(), QString("UPDATE t_user SET u_lv='x' WHERE u_number='%1'").arg(number));
    s.boxes.answers.push_back(Answer::Yes);

    QVERIFY(!tMain->close());
    QVERIFY(tMain->isVisible());
    QCOMPARE(s.boxes.boxes.size(), size_t(2));
    QCOMPARE(s.boxes.boxes[1].kind, BoxKind::Error);
    QCOMPARE(s.boxes.boxes[1].caption, QStringLiteral("Quorvel"));
    QVERIFY(!s.boxes.boxes[1].text.isEmpty());
    QVERIFY(users.isEditing());
}

void TestShell::missingDatabase()
{
    // Which screen is being created as each box comes.
    QStringList creatingAtEachBox;
    bool mainShownBeforeABox = false;
    auto s = std::make_unique<Started>(false, [&](const controls::BoxRecord&) {
        creatingAtEachBox << Form::forms().back()->formName();
        mainShownBeforeABox |= tMain && tMain->isVisible();
    });
    QVERIFY(s->ok);
    QCOMPARE(creatingAtEachBox, QStringList({"TUser", "TAcc", "TAcc", "accuser1", "accuser1"}));
    QVERIFY(!mainShownBeforeABox);
    // The store's own message for the missing file, as a data set of its own reports it.
    QString storeMessage;
    data::DataSet probe(QStringLiteral("probe"), data::DataSet::Kind::Table);
    probe.setConnectionString(data::kConnectionString);
    probe.setTableName(QStringLiteral("t_user"));
    try {
        probe.open();
    } catch (const data::DataError& e) {
        storeMessage = e.message();
    }
    QVERIFY(!storeMessage.isEmpty());
    QCOMPARE(s->boxes.boxes.size(), size_t(5));
    for (const controls::BoxRecord& box : s->boxes.boxes) {
        QCOMPARE(box.kind, BoxKind::Error);
        QCOMPARE(box.caption, QStringLiteral("Quorvel"));
        QCOMPARE(box.text, controls::withFullStop(storeMessage));
    }
    QCOMPARE(visibleScreens(), QStringList({"tMain"}));
    s->boxes.boxes.clear();

    // Switching works as usual; every data operation reports its closed data set.
    QTest::mouseClick(tMain->Button1, Qt::LeftButton);
    QCOMPARE(visibleScreens(), QStringList({"TUser"}));
    dispatch([] { TUser->ADOTable1->first(); });
    dispatch([] { TUser->ADOTable1->keySearch(QStringLiteral("u_number"), QStringLiteral("E")); });
    dispatch([] { TAcc->ADOTable2->next(); });
    dispatch([] { TAcc->ADOTable1->append(); });
    dispatch([] { accuser1->ADOQuery1->last(); });
    dispatch([] { TUser->ADOTable1->post(); });
    QStringList texts;
    for (const controls::BoxRecord& box : s->boxes.boxes)
        texts << box.text;
    QCOMPARE(texts, QStringList({closedMessage("ADOTable1"), closedMessage("ADOTable1"), closedMessage("ADOTable2"),
                                 closedMessage("ADOTable1"), closedMessage("ADOQuery1"),
                                 QStringLiteral("ADOTable1: Dataset not in edit or insert mode.")}));
    QTest::mouseClick(TUser->Button10, Qt::LeftButton);
    QTest::mouseClick(TAcc->Button1, Qt::LeftButton);
    QCOMPARE(visibleScreens(), QStringList({"tMain"}));
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shell.moc"
