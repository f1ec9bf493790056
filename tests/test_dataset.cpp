// The data set engine against real SQLite files: states, moves, editing, the store,
// master/detail re-selection, key search and the errors the screens rely on.
#include "connection.h"
#include "dataset.h"
#include "tables.h"
#include "testsupport.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

using namespace data;
using testsupport::exec;
using testsupport::scalar;

namespace {

std::unique_ptr<DataSet> tableSet(const QString& name, const QString& table)
{
    auto set = std::make_unique<DataSet>(name, DataSet::Kind::Table);
    set->setConnectionString(kConnectionString);
    set->setTableName(table);
    for (const auto& c : table == QLatin1String("t_user") ? userColumns() : moneyColumns())
        set->addField(QLatin1String(c.name), c.kind, c.size);
    return set;
}

QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const DataError& e) {
        return e.message();
    }
    return {};
}

QString str(DataSet& s, const char* field) { return s.fieldByName(QLatin1String(field))->asString(); }

// Employees E1..E3 with pay records: E1 two, E2 one, E3 none; plus one record of an unknown employee.
void fillPayroll(const QString& db)
{
    exec(db, QStringLiteral(
        "INSERT INTO t_user (u_name, u_number) VALUES ('丙', 'E3'), ('甲', 'E1'), ('乙', 'E2');"
        "INSERT INTO m_money (m_number, m_sn, m_u1) VALUES ('E2', 'S21', 200), ('E1', 'S11', 100),"
        " ('X9', 'S91', 900), ('E1', 'S12', 110);"));
}

struct Payroll {
    std::unique_ptr<DataSet> money = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("m_money"));
    std::unique_ptr<DataSet> users = tableSet(QStringLiteral("ADOTable2"), QStringLiteral("t_user"));
    int calcCalls = 0;
    Payroll()
    {
        users->setIndexFieldNames(QStringLiteral("u_number"));
        money->setIndexFieldNames(QStringLiteral("m_number"));
        money->setMaster(users.get(), QStringLiteral("u_number"), QStringLiteral("m_number"));
        money->addCalculatedField(QStringLiteral("m_in"));
        money->onCalcFields = [this](DataSet& s) {
            ++calcCalls;
            s.fieldByName(QStringLiteral("m_in"))->setAsFloat(s.fieldByName(QStringLiteral("m_u1"))->asFloat());
        };
        // Component order of the payroll screen: the detail opens first.
        money->open();
        users->open();
    }
    QStringList serials()
    {
        QStringList out;
        auto* f = money->fieldByName(QStringLiteral("m_sn"));
        for (int r = 0; r < money->presentedCount(); ++r)
            out << money->presentedValue(r, f).toString();
        return out;
    }
};

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // ---- opening ----

    void openFailures_data()
    {
        QTest::addColumn<QString>("setup"); // how the file is spoiled
        QTest::addColumn<QString>("expected"); // part of the message
        QTest::newRow("missing file") << "missing" << "找不到資料庫檔案";
        QTest::newRow("text file") << "text" << "不是 Quorvel 的資料庫檔案";
        QTest::newRow("access file") << "access" << "Microsoft Access 資料庫檔案";
        QTest::newRow("missing table") << "notable" << "沒有資料表 t_user";
        QTest::newRow("missing column") << "nocolumn" << "ADOTable1: Field 'u_title' not found";
        QTest::newRow("wrong kind") << "wrongkind" << "ADOTable1: Type mismatch for field 'u_add1', expecting: Float actual: WideString";
        QTest::newRow("bad stored number") << "badvalue" << "欄位 u_add1 存有無法讀取的值「many」";
        QTest::newRow("bad stored date") << "baddate" << "欄位 u_indate 存有無法讀取的值「soon」";
        QTest::newRow("damaged") << "damaged" << "pexlyacc.mdb";
        QTest::newRow("text not in UTF-8") << "big5" << "欄位 u_name 存有無法讀取的值";
        QTest::newRow("binary data in a column of its own") << "blob" << "欄位 photo 存有無法讀取的值「<binary>」";
    }
    void openFailures()
    {
        QFETCH(QString, setup);
        QFETCH(QString, expected);
        testsupport::WorkDir dir;
        const QString db = dir.dbPath();
        QFile f(db);
        if (setup == QLatin1String("text")) {
            f.open(QIODevice::WriteOnly);
            f.write("name,number\n陳,E1\n");
        } else if (setup == QLatin1String("access")) {
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, '\0'));
        } else if (setup == QLatin1String("notable")) {
            exec(db, QStringLiteral("CREATE TABLE other (x)"));
        } else if (setup == QLatin1String("nocolumn")) {
            exec(db, QStringLiteral("CREATE TABLE t_user (u_sn INTEGER PRIMARY KEY AUTOINCREMENT, u_name NVARCHAR(10), u_number NVARCHAR(10))"));
        } else if (setup == QLatin1String("wrongkind")) {
            exec(db, createTableSql(QStringLiteral("t_user"), userColumns()).replace(QStringLiteral("u_add1 DOUBLE"), QStringLiteral("u_add1 NVARCHAR(5)")));
        } else if (setup == QLatin1String("badvalue")) {
            dir.makeEmptyDb();
            exec(db, QStringLiteral("INSERT INTO t_user (u_number, u_add1) VALUES ('E1', 'many')"));
        } else if (setup == QLatin1String("baddate")) {
            dir.makeEmptyDb();
            exec(db, QStringLiteral("INSERT INTO t_user (u_number, u_indate) VALUES ('E1', 'soon')"));
        } else if (setup == QLatin1String("big5")) {
            dir.makeEmptyDb();
            exec(db, QStringLiteral("INSERT INTO t_user (u_name, u_number) VALUES (CAST(x'B3AFACFC' AS TEXT), 'E1')"));
        } else if (setup == QLatin1String("blob")) {
            dir.makeEmptyDb();
            exec(db, QStringLiteral("ALTER TABLE t_user ADD photo BLOB; INSERT INTO t_user (u_number, photo) VALUES ('E1', x'FFD8')"));
        } else if (setup == QLatin1String("damaged")) {
            dir.makeEmptyDb();
            exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('E1')"));
            f.open(QIODevice::ReadWrite);
            f.seek(100);
            f.write(QByteArray(3000, '\x5a'));
        }
        f.close();
        const QByteArray before = QFile::exists(db) ? [&] { QFile r(db); r.open(QIODevice::ReadOnly); return r.readAll(); }() : QByteArray();
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        const QString message = errorOf([&] { set->open(); });
        QVERIFY2(message.contains(expected), qPrintable(message));
        QVERIFY(!set->isActive());
        // The app never creates or changes the file when opening fails.
        QCOMPARE(QFile::exists(db), setup != QLatin1String("missing"));
        if (!before.isEmpty()) {
            QFile r(db);
            r.open(QIODevice::ReadOnly);
            QCOMPARE(r.readAll(), before);
        }
        // Every later operation reports the closed data set.
        QCOMPARE(errorOf([&] { set->next(); }), QStringLiteral("ADOTable1: Cannot perform this operation on a closed dataset"));
        QCOMPARE(errorOf([&] { set->post(); }), QStringLiteral("ADOTable1: Dataset not in edit or insert mode"));
        QCOMPARE(errorOf([&] { set->keySearch(QStringLiteral("u_number"), QStringLiteral("E")); }),
                 QStringLiteral("ADOTable1: Cannot perform this operation on a closed dataset"));
    }

    void lockedFileReportsAfterWaiting()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        sqlite3* other = nullptr;
        sqlite3_open(db.toUtf8().constData(), &other);
        sqlite3_exec(other, "BEGIN EXCLUSIVE; INSERT INTO t_user (u_number) VALUES ('E9');", nullptr, nullptr, nullptr);
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        const QString message = errorOf([&] { set->open(); });
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY2(message.contains(QStringLiteral("鎖定")), qPrintable(message));
    }

    void readOnlyFileRefusesChanges()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('E1')"));
        QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        QVERIFY(!set->canModify());
        QVERIFY(set->fieldByName(QStringLiteral("u_name"))->isReadOnly());
        for (auto op : {&DataSet::append, &DataSet::insert, &DataSet::edit})
            QCOMPARE(errorOf([&] { (set.get()->*op)(); }), QStringLiteral("ADOTable1: Cannot modify a read-only dataset"));
        QCOMPARE(set->state(), DataSetState::Browse);
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    }

    void storedValuesReadByKind()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_name, u_number, u_indate, u_add1) VALUES "
                                "('陳美玲', 'E1', '2026-03-01 00:00:00', 1e3), ('林', 'E2', '2026-03-01 08:30:00', NULL)"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        QCOMPARE(str(*set, "u_name"), QStringLiteral("陳美玲"));
        QCOMPARE(str(*set, "u_indate"), QStringLiteral("2026/3/1"));
        QCOMPARE(str(*set, "u_add1"), QStringLiteral("1000"));
        QCOMPARE(str(*set, "u_sn"), QStringLiteral("1"));
        set->next();
        QCOMPARE(str(*set, "u_indate"), QStringLiteral("2026/3/1 08:30:00"));
        QCOMPARE(str(*set, "u_add1"), QString());
        QCOMPARE(set->fieldByName(QStringLiteral("u_add1"))->asFloat(), 0.0);
        QCOMPARE(errorOf([&] { set->fieldByName(QStringLiteral("nope")); }), QStringLiteral("ADOTable1: Field 'nope' not found"));
    }

    // ---- moves ----

    void moves()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('A'), ('B'), ('C')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        QVERIFY(set->bof() && !set->eof());
        set->prior();
        QCOMPARE(str(*set, "u_number"), QStringLiteral("A"));
        set->next();
        QVERIFY(!set->bof() && !set->eof());
        set->next();
        QCOMPARE(str(*set, "u_number"), QStringLiteral("C"));
        QVERIFY(!set->eof());
        set->next(); // on the last row: stays, EOF set
        QCOMPARE(str(*set, "u_number"), QStringLiteral("C"));
        QVERIFY(set->eof());
        set->next();
        QCOMPARE(str(*set, "u_number"), QStringLiteral("C"));
        set->first();
        QVERIFY(set->bof() && !set->eof());
        set->last();
        QVERIFY(set->eof() && !set->bof());
        QCOMPARE(str(*set, "u_number"), QStringLiteral("C"));
    }

    void movesOnEmptyTableDoNothing()
    {
        testsupport::WorkDir dir;
        dir.makeEmptyDb();
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        QVERIFY(set->bof() && set->eof() && set->isEmpty());
        set->first();
        set->next();
        set->prior();
        set->last();
        QCOMPARE(set->currentIndex(), -1);
        QCOMPARE(str(*set, "u_number"), QString());
        QCOMPARE(errorOf([&] { set->remove(); }), QStringLiteral("ADOTable1: Cannot perform this operation on an empty dataset"));
    }

    // ---- editing and the store ----

    void postInBrowseState()
    {
        testsupport::WorkDir dir;
        dir.makeEmptyDb();
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        QCOMPARE(errorOf([&] { set->post(); }), QStringLiteral("ADOTable1: Dataset not in edit or insert mode"));
        QCOMPARE(errorOf([&] { set->fieldByName(QStringLiteral("u_name"))->setAsString(QStringLiteral("x")); }),
                 QStringLiteral("ADOTable1: Dataset not in edit or insert mode"));
        QCOMPARE(set->state(), DataSetState::Browse);
    }

    void appendTypeAndPost()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('A')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->append();
        QCOMPARE(set->state(), DataSetState::Insert);
        QCOMPARE(set->presentedCount(), 2);
        QCOMPARE(set->currentIndex(), 1);
        set->fieldByName(QStringLiteral("u_name"))->setAsString(QStringLiteral("王小明王小明王小明王小明")); // 12 > 10
        set->fieldByName(QStringLiteral("u_indate"))->setAsString(QStringLiteral("2026/1/5"));
        set->fieldByName(QStringLiteral("u_add1"))->setAsString(QStringLiteral("1e3"));
        QCOMPARE(errorOf([&] { set->fieldByName(QStringLiteral("u_sn"))->setAsString(QStringLiteral("5")); }),
                 QStringLiteral("Field 'u_sn' cannot be modified"));
        set->post();
        QCOMPARE(set->state(), DataSetState::Browse);
        QCOMPARE(scalar(db, QStringLiteral("SELECT u_name FROM t_user WHERE u_sn=2")).toString(), QStringLiteral("王小明王小明王小明王"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT u_indate FROM t_user WHERE u_sn=2")).toString(), QStringLiteral("2026-01-05 00:00:00"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT u_add1 FROM t_user WHERE u_sn=2")).toDouble(), 1000.0);
        QCOMPARE(str(*set, "u_sn"), QStringLiteral("2")); // assigned by the store, read back
        // The posted row stays current and presented after the rows read.
        QCOMPARE(set->currentIndex(), 1);
        set->first();
        set->last();
        QCOMPARE(str(*set, "u_sn"), QStringLiteral("2"));
    }

    void blankNewRowIsDroppedBySettle_data()
    {
        QTest::addColumn<QString>("move");
        QTest::newRow("next") << "next";
        QTest::newRow("first") << "first";
        QTest::newRow("append again") << "append";
        QTest::newRow("search") << "search";
    }
    void blankNewRowIsDroppedBySettle()
    {
        QFETCH(QString, move);
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('A'), ('B')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->insert();
        if (move == QLatin1String("next"))
            set->next();
        else if (move == QLatin1String("first"))
            set->first();
        else if (move == QLatin1String("append"))
            set->append();
        else
            set->keySearch(QStringLiteral("u_number"), QStringLiteral("B"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM t_user")).toInt(), 2);
        QCOMPARE(set->presentedCount(), move == QLatin1String("append") ? 3 : 2);
    }

    void typedNewRowIsStoredBySettle()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('A')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->append();
        set->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("Z"));
        set->prior();
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM t_user WHERE u_number='Z'")).toInt(), 1);
        QCOMPARE(str(*set, "u_number"), QStringLiteral("A"));
    }

    void editPostsOnlyWrittenFields()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_name, u_number) VALUES ('甲', 'A')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        // Edit then post with nothing written stores nothing and raises nothing.
        set->edit();
        set->post();
        QCOMPARE(set->state(), DataSetState::Browse);
        set->edit();
        set->fieldByName(QStringLiteral("u_title"))->setAsString(QStringLiteral("會計"));
        set->post();
        QCOMPARE(scalar(db, QStringLiteral("SELECT u_title || u_name FROM t_user")).toString(), QStringLiteral("會計甲"));
    }

    void cancelRestores()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('A'), ('B')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->next();
        set->edit();
        set->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("Q"));
        set->cancel();
        QCOMPARE(str(*set, "u_number"), QStringLiteral("B"));
        set->first();
        set->insert();
        set->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("N"));
        set->cancel();
        QCOMPARE(set->presentedCount(), 2);
        QCOMPARE(str(*set, "u_number"), QStringLiteral("A"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT group_concat(u_number) FROM t_user")).toString(), QStringLiteral("A,B"));
    }

    void deletes()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('A'), ('B'), ('C')"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        // Delete while inserting drops the new row only.
        set->next();
        set->insert();
        set->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("N"));
        set->remove();
        QCOMPARE(str(*set, "u_number"), QStringLiteral("B"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM t_user")).toInt(), 3);
        // Delete while editing deletes the row with its pending change.
        set->edit();
        set->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("BB"));
        set->remove();
        QCOMPARE(set->state(), DataSetState::Browse);
        QCOMPARE(str(*set, "u_number"), QStringLiteral("C")); // the following row
        set->remove(); // the last row: the preceding one becomes current
        QCOMPARE(str(*set, "u_number"), QStringLiteral("A"));
        set->remove(); // the only row
        QVERIFY(set->isEmpty());
        QCOMPARE(set->currentIndex(), -1);
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM t_user")).toInt(), 0);
    }

    void rowChangedElsewhereIsRefused_data()
    {
        QTest::addColumn<QString>("otherChange");
        QTest::addColumn<bool>("deleteInstead");
        QTest::newRow("changed, then post") << "UPDATE t_user SET u_title='x'" << false;
        QTest::newRow("deleted, then post") << "DELETE FROM t_user" << false;
        QTest::newRow("changed, then delete") << "UPDATE t_user SET u_add1=5" << true;
    }
    void rowChangedElsewhereIsRefused()
    {
        QFETCH(QString, otherChange);
        QFETCH(bool, deleteInstead);
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        exec(db, QStringLiteral("INSERT INTO t_user (u_number, u_add1) VALUES ('A', 1.5)"));
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->edit();
        set->fieldByName(QStringLiteral("u_name"))->setAsString(QStringLiteral("新"));
        exec(db, otherChange);
        const QString message = errorOf([&] { deleteInstead ? set->remove() : set->post(); });
        QVERIFY2(message.contains(QStringLiteral("其他連線")), qPrintable(message));
        QVERIFY(!message.startsWith(QStringLiteral("ADOTable1")));
        QCOMPARE(set->state(), DataSetState::Edit);
        QCOMPARE(str(*set, "u_name"), QStringLiteral("新"));
        QVERIFY(scalar(db, QStringLiteral("SELECT count(*) FROM t_user WHERE u_name IS NOT NULL")).toInt() == 0);
    }

    void ownPostsCanBeChangedAgain()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->append();
        set->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("A"));
        set->post();
        for (const char* title : {"一", "二"}) {
            set->edit();
            set->fieldByName(QStringLiteral("u_title"))->setAsString(QString::fromUtf8(title));
            set->post();
        }
        QCOMPARE(scalar(db, QStringLiteral("SELECT u_title FROM t_user")).toString(), QStringLiteral("二"));
        set->remove();
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM t_user")).toInt(), 0);
    }

    // ---- master/detail ----

    void detailFollowsMaster()
    {
        testsupport::WorkDir dir;
        fillPayroll(dir.makeEmptyDb());
        Payroll p;
        QCOMPARE(str(*p.users, "u_number"), QStringLiteral("E1"));
        QCOMPARE(p.serials(), (QStringList{QStringLiteral("S11"), QStringLiteral("S12")}));
        QCOMPARE(p.money->fieldByName(QStringLiteral("m_in"))->asFloat(), 100.0);
        p.users->next();
        QCOMPARE(p.serials(), QStringList{QStringLiteral("S21")});
        p.users->next();
        QCOMPARE(p.serials(), QStringList());
        QVERIFY(p.money->isEmpty());
        p.users->first();
        p.money->next();
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S12"));
        // Starting to edit the master keeps the selection and the current pay record.
        p.users->edit();
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S12"));
        // Writing the employee number re-selects, by whole value.
        p.users->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("E2"));
        QCOMPARE(p.serials(), QStringList{QStringLiteral("S21")});
        p.users->fieldByName(QStringLiteral("u_number"))->setAsString(QStringLiteral("E"));
        QCOMPARE(p.serials(), QStringList());
        p.users->cancel();
        QCOMPARE(p.serials(), (QStringList{QStringLiteral("S11"), QStringLiteral("S12")}));
        // A master in insert state presents no pay records.
        p.users->append();
        QVERIFY(p.money->isEmpty());
        p.users->cancel();
        QCOMPARE(p.serials().size(), 2);
    }

    void refusedDetailSaveLeavesTheMasterAsItWas()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        fillPayroll(db);
        Payroll p;
        p.money->edit();
        p.money->fieldByName(QStringLiteral("m_u1"))->setAsString(QStringLiteral("1"));
        exec(db, QStringLiteral("DELETE FROM m_money WHERE m_sn='S11'")); // gone behind our back
        // Starting to edit the employee, or changing its number, must save the pay record first.
        QVERIFY(!errorOf([&] { p.users->edit(); }).isEmpty());
        QCOMPARE(p.users->state(), DataSetState::Browse);
        QCOMPARE(p.money->state(), DataSetState::Edit);
        QCOMPARE(str(*p.money, "m_u1"), QStringLiteral("1"));
        QCOMPARE(str(*p.users, "u_number"), QStringLiteral("E1"));
    }

    void detailBeforeMasterOpensPresentsAll()
    {
        testsupport::WorkDir dir;
        fillPayroll(dir.makeEmptyDb());
        auto money = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("m_money"));
        auto users = tableSet(QStringLiteral("ADOTable2"), QStringLiteral("t_user"));
        money->setIndexFieldNames(QStringLiteral("m_number"));
        money->setMaster(users.get(), QStringLiteral("u_number"), QStringLiteral("m_number"));
        money->open();
        QCOMPARE(money->presentedCount(), 4);
        QCOMPARE(str(*money, "m_number"), QStringLiteral("E1")); // ordered by m_number
    }

    void newPayRecordTakesEmployeeNumber()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        fillPayroll(db);
        Payroll p;
        p.users->last(); // E3, no pay records
        // Edit on an employee without pay records starts a new one; post stores only the number.
        p.money->edit();
        QCOMPARE(p.money->state(), DataSetState::Insert);
        QCOMPARE(str(*p.money, "m_number"), QStringLiteral("E3"));
        QVERIFY(!p.money->isModified());
        p.money->post();
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM m_money WHERE m_number='E3' AND m_sn IS NULL AND m_u1 IS NULL")).toInt(), 1);
        // A new record with typing is stored for its own employee when the master moves.
        p.money->insert();
        p.money->fieldByName(QStringLiteral("m_sn"))->setAsString(QStringLiteral("S31"));
        p.users->first();
        QCOMPARE(scalar(db, QStringLiteral("SELECT m_number FROM m_money WHERE m_sn='S31'")).toString(), QStringLiteral("E3"));
        QCOMPARE(p.serials(), (QStringList{QStringLiteral("S11"), QStringLiteral("S12")}));
        p.users->last();
        QCOMPARE(p.serials().size(), 2);
        // A blank new record is dropped by the master's move.
        p.money->insert();
        p.users->first();
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM m_money WHERE m_number='E3'")).toInt(), 2);
    }

    void newRowHookFailureRestoresBrowse()
    {
        testsupport::WorkDir dir;
        fillPayroll(dir.makeEmptyDb());
        Payroll p;
        p.money->next();
        p.money->onNewRecord = [](DataSet&) { throw DataError(QStringLiteral("hook")); };
        QCOMPARE(errorOf([&] { p.money->insert(); }), QStringLiteral("hook"));
        QCOMPARE(p.money->state(), DataSetState::Browse);
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S12"));
        QCOMPARE(p.money->presentedCount(), 2);
    }

    void calcHookRunsOnReadsAndWrites()
    {
        testsupport::WorkDir dir;
        fillPayroll(dir.makeEmptyDb());
        Payroll p;
        const int before = p.calcCalls;
        p.money->next();
        QVERIFY(p.calcCalls > before);
        p.money->edit();
        const int editing = p.calcCalls;
        p.money->fieldByName(QStringLiteral("m_u1"))->setAsString(QStringLiteral("5"));
        QCOMPARE(p.calcCalls, editing + 1);
        QCOMPARE(p.money->fieldByName(QStringLiteral("m_in"))->asFloat(), 5.0);
        QCOMPARE(errorOf([&] { p.money->fieldByName(QStringLiteral("m_in"))->setAsFloat(1); }),
                 QStringLiteral("Field 'm_in' cannot be modified"));
    }

    // ---- key search ----

    void keySearch_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hit"); // empty: not found
        QTest::newRow("first in ascending order") << "E01,E001,F0" << "E0" << "E001";
        QTest::newRow("prefix among A10 A2 B1") << "A2,B1,A10" << "A" << "A10";
        QTest::newRow("whole key") << "A2,B1,A10" << "B1" << "B1";
        QTest::newRow("miss") << "A2,B1" << "C" << "";
        QTest::newRow("case matters") << "a1" << "A" << "";
        QTest::newRow("empty text misses") << "A2,B1" << "" << "";
        QTest::newRow("empty text finds empty key") << "A2,,B1" << "" << "";
        QTest::newRow("null never matches") << "A2,NULL" << "" << "";
        QTest::newRow("blank kept") << "A 1,A1" << "A " << "A 1";
        QTest::newRow("apostrophe") << "O'Neil,Ox" << "O'" << "O'Neil";
        QTest::newRow("wildcards are literal") << "A%1,A11" << "A%" << "A%1";
    }
    void keySearch()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, hit);
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        int n = 0;
        for (const QString& k : keys.split(QLatin1Char(','))) {
            const QString value = k == QLatin1String("NULL") ? k : QLatin1Char('\'') + QString(k).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
            exec(db, QStringLiteral("INSERT INTO t_user (u_name, u_number) VALUES ('%1', %2)").arg(++n).arg(value));
        }
        auto set = tableSet(QStringLiteral("ADOTable1"), QStringLiteral("t_user"));
        set->open();
        set->last();
        const int before = set->currentIndex();
        const bool found = set->keySearch(QStringLiteral("u_number"), text);
        const bool emptyKeyCase = QTest::currentDataTag() == QLatin1String("empty text finds empty key");
        QCOMPARE(found, !hit.isEmpty() || emptyKeyCase);
        if (found)
            QCOMPARE(str(*set, "u_number"), hit);
        else
            QCOMPARE(set->currentIndex(), before);
        if (emptyKeyCase)
            QCOMPARE(str(*set, "u_name"), QStringLiteral("2"));
    }

    void keySearchOnDetail()
    {
        testsupport::WorkDir dir;
        fillPayroll(dir.makeEmptyDb());
        Payroll p;
        QVERIFY(p.money->keySearch(QStringLiteral("m_sn"), QStringLiteral("S12")));
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S12"));
        // The first hit is another employee's pay record: not found, nothing moves.
        QVERIFY(!p.money->keySearch(QStringLiteral("m_sn"), QStringLiteral("S2")));
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S12"));
        QCOMPARE(str(*p.users, "u_number"), QStringLiteral("E1"));
        // Rows the data set posts show in the search.
        p.money->insert();
        p.money->fieldByName(QStringLiteral("m_sn"))->setAsString(QStringLiteral("S10"));
        p.money->post();
        p.money->last();
        QVERIFY(p.money->keySearch(QStringLiteral("m_sn"), QStringLiteral("S1")));
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S10"));
        p.money->remove();
        QVERIFY(p.money->keySearch(QStringLiteral("m_sn"), QStringLiteral("S1")));
        QCOMPARE(str(*p.money, "m_sn"), QStringLiteral("S11"));
        // Master search moves the detail along.
        QVERIFY(p.users->keySearch(QStringLiteral("u_number"), QStringLiteral("E2")));
        QCOMPARE(p.serials(), QStringList{QStringLiteral("S21")});
    }

    void queryWithTextParameter()
    {
        testsupport::WorkDir dir;
        fillPayroll(dir.makeEmptyDb());
        DataSet q(QStringLiteral("ADOQuery1"), DataSet::Kind::Query);
        q.setConnectionString(kConnectionString);
        q.setSql(QStringLiteral("SELECT * FROM t_user INNER JOIN m_money ON t_user.u_number = m_money.m_number  WHERE m_money.m_sn=:usersn"));
        q.setParameter(QStringLiteral("usersn"), QStringLiteral("S21"));
        q.open();
        QCOMPARE(q.presentedCount(), 1);
        QCOMPARE(str(q, "u_name"), QStringLiteral("乙"));
        QCOMPARE(q.fieldByName(QStringLiteral("m_u1"))->kind(), FieldKind::Double);
        q.close();
        q.setParameter(QStringLiteral("usersn"), QStringLiteral("x' OR '1'='1"));
        q.open();
        QCOMPARE(q.presentedCount(), 0);
        QCOMPARE(errorOf([&] { q.edit(); }), QStringLiteral("ADOQuery1: Cannot modify a read-only dataset"));
    }
};

QTEST_GUILESS_MAIN(TestDataSet)
#include "test_dataset.moc"
