// Runs the quorvel-db binary as a user would and checks the files it makes with SQLite itself.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run runTool(const QStringList& args)
{
    Run r;
    const QString tool = qEnvironmentVariable("QUORVEL_DB_TOOL");
    if (tool.isEmpty()) {
        r.err = QStringLiteral("QUORVEL_DB_TOOL is not set");
        return r;
    }
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit) {
        r.err = QStringLiteral("tool did not finish: ") + p.errorString();
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A read-only SQLite handle; every query result comes back as rows of text ("NULL" for null).
class Sql {
public:
    explicit Sql(const QString& file)
    {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    ~Sql() { sqlite3_close_v2(m_db); }
    Sql(const Sql&) = delete;
    Sql& operator=(const Sql&) = delete;

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    QList<QStringList> rows(const QString& sql)
    {
        QList<QStringList> result;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral(" in ") + sql;
            return result;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                row << (sqlite3_column_type(st, c) == SQLITE_NULL
                            ? QStringLiteral("NULL")
                            : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
            result << row;
        }
        sqlite3_finalize(st);
        return result;
    }
    QString value(const QString& sql)
    {
        const auto r = rows(sql);
        return r.isEmpty() || r[0].isEmpty() ? QString() : r[0][0];
    }
    qint64 count(const QString& sql) { return value(sql).toLongLong(); }

private:
    sqlite3* m_db = nullptr;
    QString m_error;
};

QStringList moneyAmountColumns()
{
    QStringList cols;
    for (const char* prefix : {"m_i", "m_u"})
        for (int n = 1; n <= 9; ++n)
            cols << QLatin1String(prefix) + QString::number(n);
    for (const char* prefix : {"m_di", "m_du"})
        for (int n = 1; n <= 7; ++n)
            cols << QLatin1String(prefix) + QString::number(n);
    return cols;
}

// Every column as "name TYPE" with " PK" on the primary key, in table order.
QStringList describe(Sql& db, const QString& table)
{
    QStringList cols;
    for (const auto& row : db.rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        cols << row[1] + QLatin1Char(' ') + row[2] + (row[5] != QLatin1String("0") ? QStringLiteral(" PK") : QString());
    return cols;
}

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Files in a folder, hidden ones included, so a left-over temporary file shows.
QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

#define VERIFY_RUN(run, code)                                                                                 \
    QVERIFY2((run).exitCode == (code),                                                                        \
             qPrintable(QStringLiteral("exit %1, stderr: %2").arg((run).exitCode).arg((run).err)))

} // namespace

class TestDbTool : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariable("QUORVEL_DB_TOOL").isEmpty(), "QUORVEL_DB_TOOL must name the quorvel-db binary");
    }

    void createMakesBothTablesWithExactColumns()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pexlyacc.mdb"));
        const Run r = runTool({QStringLiteral("create"), file});
        VERIFY_RUN(r, 0);

        Sql db(file);
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const QStringList user{
            "u_sn INTEGER PK",        "u_name NVARCHAR(10)",  "u_number NVARCHAR(10)", "u_title NVARCHAR(14)",
            "u_lv NVARCHAR(20)",      "u_class NVARCHAR(20)", "u_indate DATETIME",     "u_add1 DOUBLE",
            "u_add2 DOUBLE",          "u_add3 DOUBLE",
        };
        QCOMPARE(describe(db, QStringLiteral("t_user")), user);

        QStringList money{"m_date DATETIME", "m_number NVARCHAR(10)", "m_sn NVARCHAR(9)"};
        for (const QString& c : moneyAmountColumns())
            money << c + QStringLiteral(" DOUBLE");
        money << "m_note NVARCHAR(50)" << "m_day INTEGER" << "m_offday INTEGER" << "m_freeday INTEGER";
        QCOMPARE(describe(db, QStringLiteral("m_money")), money);

        // u_sn numbers rows by itself and never reuses a number.
        QVERIFY(db.value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='t_user'"))
                    .contains(QLatin1String("u_sn INTEGER PRIMARY KEY AUTOINCREMENT")));
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM t_user")), 0);
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money")), 0);
        // Duplicate employee numbers and serials are allowed, so no index may be unique;
        // and the file must be a plain rollback-journal database any SQLite tool can open.
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM sqlite_master s, pragma_index_list(s.name) i "
                                         "WHERE s.type='table' AND i.[unique]")),
                 0);
        QCOMPARE(db.value(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("pexlyacc.mdb")});
    }

    void existingFileIsRefusedUntouched_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("create") << QStringList{"create"};
        QTest::newRow("demo") << QStringList{"demo"};
        QTest::newRow("generate") << QStringList{"generate", "--employees", "2", "--months", "2"};
    }
    void existingFileIsRefusedUntouched()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pexlyacc.mdb"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("precious payroll data\n");
        }
        const QByteArray before = readAll(file);

        const Run r = runTool(args << file);
        QVERIFY(r.exitCode != 0);
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.err.contains(QLatin1String("--force")) && r.err.contains(file), qPrintable(r.err));
        QCOMPARE(readAll(file), before);
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("pexlyacc.mdb")});
    }

    void forceReplaces_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<qint64>("employees");
        // --force is accepted anywhere on the line.
        QTest::newRow("create, last") << QStringList{"create", "FILE", "--force"} << qint64(0);
        QTest::newRow("demo, first") << QStringList{"--force", "demo", "FILE"} << qint64(12);
        QTest::newRow("generate, middle")
            << QStringList{"generate", "--force", "FILE", "--employees", "3", "--months", "1"} << qint64(3);
    }
    void forceReplaces()
    {
        QFETCH(QStringList, args);
        QFETCH(qint64, employees);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pexlyacc.mdb"));
        {
            // An older database with rows of its own: none of them may survive.
            QVERIFY(runTool({QStringLiteral("generate"), file, QStringLiteral("--employees"), QStringLiteral("5"),
                             QStringLiteral("--months"), QStringLiteral("2")})
                        .exitCode
                    == 0);
        }
        args.replaceInStrings(QStringLiteral("FILE"), file);
        const Run r = runTool(args);
        VERIFY_RUN(r, 0);
        Sql db(file);
        QVERIFY2(db.ok(), qPrintable(db.error()));
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM t_user")), employees);
        QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("pexlyacc.mdb")});
    }

    void badArgumentsGiveOneLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown subcommand") << QStringList{"frobnicate", "FILE"};
        QTest::newRow("no subcommand") << QStringList{"--force"};
        QTest::newRow("no file") << QStringList{"create"};
        QTest::newRow("two files") << QStringList{"create", "FILE", "FILE2"};
        QTest::newRow("unknown option") << QStringList{"demo", "FILE", "--colour"};
        QTest::newRow("employees 0") << QStringList{"generate", "FILE", "--employees", "0", "--months", "2"};
        QTest::newRow("employees abc") << QStringList{"generate", "FILE", "--employees", "abc", "--months", "2"};
        QTest::newRow("employees negative") << QStringList{"generate", "FILE", "--employees", "-4"};
        QTest::newRow("employees too many") << QStringList{"generate", "FILE", "--employees", "1000000"};
        QTest::newRow("months overflow") << QStringList{"generate", "FILE", "--months", "99999999999"};
        QTest::newRow("months with no value") << QStringList{"generate", "FILE", "--months"};
        QTest::newRow("count on create") << QStringList{"create", "FILE", "--employees", "3"};
        QTest::newRow("missing folder") << QStringList{"create", "DIR/no-such-folder/pexlyacc.mdb"};
        QTest::newRow("folder is a file") << QStringList{"demo", "DIR/plain.txt/pexlyacc.mdb"};
        QTest::newRow("target is a folder") << QStringList{"create", "DIR/sub", "--force"};
    }
    void badArgumentsGiveOneLine()
    {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        {
            QFile f(dir.filePath(QStringLiteral("plain.txt")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QStringList before = folderEntries(dir.path());
        args.replaceInStrings(QStringLiteral("FILE"), dir.filePath(QStringLiteral("pexlyacc.mdb")));
        args.replaceInStrings(QStringLiteral("DIR"), dir.path());

        const Run r = runTool(args);
        QVERIFY2(r.exitCode > 0, qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.err.startsWith(QLatin1String("quorvel-db: ")) && r.err.size() > 20, qPrintable(r.err));
        QCOMPARE(folderEntries(dir.path()), before);
        QVERIFY(folderEntries(dir.filePath(QStringLiteral("sub"))).isEmpty());
    }

    void helpPrintsUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << QStringList{};
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("-h after a subcommand") << QStringList{"generate", "-h"};
    }
    void helpPrintsUsage()
    {
        QFETCH(QStringList, args);
        const Run r = runTool(args);
        VERIFY_RUN(r, 0);
        for (const char* word : {"create", "demo", "generate", "--employees", "--months", "--force"})
            QVERIFY2(r.out.contains(QLatin1String(word)), word);
    }

    void demoHoldsRealisticPayroll()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pexlyacc.mdb"));
        VERIFY_RUN(runTool({QStringLiteral("demo"), file}), 0);
        Sql db(file);
        QVERIFY2(db.ok(), qPrintable(db.error()));

        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM t_user")), 12);
        QCOMPARE(db.count(QStringLiteral("SELECT count(DISTINCT u_number) FROM t_user")), 12);
        const QRegularExpression chineseName(QStringLiteral("^\\p{Han}{3}$"));
        const QRegularExpression han(QStringLiteral("\\p{Han}"));
        for (const auto& row : db.rows(QStringLiteral("SELECT u_name, u_number, u_title, u_lv, u_class FROM t_user"))) {
            QVERIFY2(chineseName.match(row[0]).hasMatch(), qPrintable(row[0]));
            QVERIFY2(row[1].startsWith(QLatin1Char('E')) && row[1].size() <= 10, qPrintable(row[1]));
            QVERIFY2(han.match(row[2]).hasMatch() && row[2].size() <= 14, qPrintable(row[2]));
            QVERIFY2(row[3].endsWith(QStringLiteral("等")) && row[4].endsWith(QStringLiteral("級")),
                     qPrintable(row[3] + row[4]));
        }

        // Pay records per employee: one has none, the others one for each month of 2026.
        const auto perEmployee = db.rows(QStringLiteral(
            "SELECT u.u_number, count(m.m_sn), count(DISTINCT substr(m.m_date, 1, 7)), min(m.m_date), max(m.m_date) "
            "FROM t_user u LEFT JOIN m_money m ON m.m_number = u.u_number GROUP BY u.u_number"));
        int without = 0;
        for (const auto& row : perEmployee) {
            if (row[1] == QLatin1String("0")) {
                ++without;
                continue;
            }
            QCOMPARE(row[1], QStringLiteral("12"));
            QCOMPARE(row[2], QStringLiteral("12"));
            QVERIFY2(row[3].startsWith(QLatin1String("2026-01-")) && row[4].startsWith(QLatin1String("2026-12-")),
                     qPrintable(row.join(QLatin1Char(' '))));
        }
        QCOMPARE(without, 1);
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE m_number NOT IN (SELECT u_number FROM t_user)")), 0);
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money")), 11 * 12);
        QCOMPARE(db.count(QStringLiteral("SELECT count(DISTINCT m_sn) FROM m_money")), 11 * 12);
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE length(m_sn) > 9 OR m_sn = ''")), 0);

        // Amounts: most columns in use, a few left empty, insurance in the usual range.
        int nulls = 0, columnsInUse = 0;
        for (const QString& c : moneyAmountColumns()) {
            nulls += int(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE %1 IS NULL").arg(c)));
            columnsInUse += db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE %1 > 0").arg(c)) > 0;
        }
        QVERIFY2(nulls > 0 && nulls < 11 * 12 * 32 / 20, qPrintable(QString::number(nulls)));
        QVERIFY2(columnsInUse >= 28, qPrintable(QString::number(columnsInUse)));
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE m_du1 NOT BETWEEN 600 AND 2500 "
                                         "OR m_du2 NOT BETWEEN 400 AND 6000")),
                 0);
        // Net pay is positive for everyone.
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE "
                                         "ifnull(m_u1,0)+ifnull(m_u2,0)+ifnull(m_u3,0)+ifnull(m_u4,0)+ifnull(m_u5,0)+"
                                         "ifnull(m_u6,0)+ifnull(m_u7,0)+ifnull(m_u8,0)+ifnull(m_u9,0) <= "
                                         "ifnull(m_du1,0)+ifnull(m_du2,0)+ifnull(m_du3,0)+ifnull(m_du4,0)+"
                                         "ifnull(m_du5,0)+ifnull(m_du6,0)+ifnull(m_du7,0)")),
                 0);

        const qint64 notes = db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE m_note IS NOT NULL"));
        QVERIFY2(notes > 0 && notes < 11 * 12, qPrintable(QString::number(notes)));
        for (const auto& row : db.rows(QStringLiteral("SELECT m_note FROM m_money WHERE m_note IS NOT NULL")))
            QVERIFY2(han.match(row[0]).hasMatch() && row[0].size() <= 50, qPrintable(row[0]));
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE m_day IS NULL OR m_offday IS NULL "
                                         "OR m_freeday IS NULL OR m_day + m_offday + m_freeday NOT BETWEEN 28 AND 31")),
                 0);
    }

    // Each field kind keeps the storage the data layer reads back.
    void storedValuesHaveTheirKindsStorage_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("storage");
        QTest::newRow("auto-increment") << "t_user" << "u_sn" << "integer";
        QTest::newRow("wide text") << "t_user" << "u_name" << "text";
        QTest::newRow("date/time") << "t_user" << "u_indate" << "text";
        QTest::newRow("double, whole amount") << "t_user" << "u_add1" << "real";
        QTest::newRow("pay month") << "m_money" << "m_date" << "text";
        QTest::newRow("serial of digits") << "m_money" << "m_sn" << "text";
        QTest::newRow("amount") << "m_money" << "m_i1" << "real";
        QTest::newRow("32-bit integer") << "m_money" << "m_day" << "integer";
    }
    void storedValuesHaveTheirKindsStorage()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, storage);
        const QList<QStringList> makers{{QStringLiteral("demo")},
                                        {QStringLiteral("generate"), QStringLiteral("--employees"), QStringLiteral("3"),
                                         QStringLiteral("--months"), QStringLiteral("4")}};
        for (const QStringList& maker : makers) {
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("pexlyacc.mdb"));
            VERIFY_RUN(runTool(QStringList(maker) << file), 0);
            Sql db(file);
            const auto types = db.rows(QStringLiteral("SELECT DISTINCT typeof(%1) FROM %2 WHERE %1 IS NOT NULL")
                                           .arg(column, table));
            QCOMPARE(types, QList<QStringList>{QStringList{storage}});
            if (column.endsWith(QLatin1String("date"))) {
                QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 NOT GLOB "
                                                 "'[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] 00:00:00' "
                                                 "OR datetime(%1) IS NOT %1")
                                      .arg(column, table)),
                         0);
            }
        }
    }

    void demoIsTheSameEveryTime()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.mdb"));
        const QString b = dir.filePath(QStringLiteral("b.mdb"));
        VERIFY_RUN(runTool({QStringLiteral("demo"), a}), 0);
        VERIFY_RUN(runTool({QStringLiteral("demo"), b}), 0);
        QCOMPARE(readAll(a), readAll(b));
    }

    void generateMakesTheAskedSize_data()
    {
        QTest::addColumn<int>("employees");
        QTest::addColumn<int>("months");
        QTest::newRow("1 x 1") << 1 << 1;
        QTest::newRow("7 x 13, over a year boundary") << 7 << 13;
        QTest::newRow("150 x 30") << 150 << 30;
    }
    void generateMakesTheAskedSize()
    {
        QFETCH(int, employees);
        QFETCH(int, months);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("big.mdb"));
        VERIFY_RUN(runTool({QStringLiteral("generate"), file, QStringLiteral("--employees"), QString::number(employees),
                            QStringLiteral("--months"), QString::number(months)}),
                   0);
        Sql db(file);
        QVERIFY2(db.ok(), qPrintable(db.error()));
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM t_user")), employees);
        QCOMPARE(db.count(QStringLiteral("SELECT count(DISTINCT u_number) FROM t_user WHERE length(u_number) <= 10")),
                 employees);
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money")), qint64(employees) * months);
        QCOMPARE(db.count(QStringLiteral("SELECT count(DISTINCT m_sn) FROM m_money WHERE length(m_sn) <= 9")),
                 qint64(employees) * months);
        // Every employee has one record per month, the months running consecutively.
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM (SELECT m_number FROM m_money GROUP BY m_number "
                                         "HAVING count(*) = %1 AND count(DISTINCT m_date) = %1)")
                              .arg(months)),
                 employees);
        QCOMPARE(db.count(QStringLiteral("SELECT count(DISTINCT m_date) FROM m_money")), months);
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE m_number NOT IN (SELECT u_number FROM t_user)")), 0);
        // Dense: no amount left empty.
        QStringList anyNull;
        for (const QString& c : moneyAmountColumns())
            anyNull << c + QStringLiteral(" IS NULL");
        QCOMPARE(db.count(QStringLiteral("SELECT count(*) FROM m_money WHERE ") + anyNull.join(QLatin1String(" OR "))), 0);
    }
};

QTEST_GUILESS_MAIN(TestDbTool)
#include "test_dbtool.moc"
