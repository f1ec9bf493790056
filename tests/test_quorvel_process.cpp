// The built program as a process: its exit status on a normal end and when an error escapes
// start-up. QUORVEL_AUTOQUIT_MS stands in for the user: it dismisses each box and then closes
// the main window.
#include "dbmaker.h"
#include "testsupport.h"

#include <QProcess>
#include <QTest>

class TestQuorvelProcess : public QObject {
    Q_OBJECT
private slots:
    void exitStatus_data();
    void exitStatus();
};

void TestQuorvelProcess::exitStatus_data()
{
    QTest::addColumn<bool>("database");
    QTest::addColumn<QString>("failingScreen");
    QTest::addColumn<int>("status");
    QTest::newRow("normal end") << true << QString() << 0;
    // Five error boxes, then the main menu as usual.
    QTest::newRow("database missing") << false << QString() << 0;
    QTest::newRow("error escapes the first screen") << true << "tMain" << 1;
    QTest::newRow("error escapes a later screen") << true << "TDate" << 1;
}

void TestQuorvelProcess::exitStatus()
{
    QFETCH(bool, database);
    QFETCH(QString, failingScreen);
    QFETCH(int, status);
    testsupport::WorkDir dir;
    if (database)
        dbtool::createDemo(dir.dbPath(), true);

    QProcess quorvel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUORVEL_AUTOQUIT_MS"), QStringLiteral("200"));
    if (!failingScreen.isEmpty())
        env.insert(QStringLiteral("QUORVEL_TEST_FAIL_CREATE"), failingScreen);
    quorvel.setProcessEnvironment(env);
    quorvel.setWorkingDirectory(dir.path());
    quorvel.start(QStringLiteral(QUORVEL_BIN), QStringList());
    QVERIFY2(quorvel.waitForFinished(120000), "quorvel did not end");
    QCOMPARE(quorvel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(quorvel.exitCode(), status);
    // The program never creates the database file.
    QCOMPARE(QFile::exists(dir.dbPath()), database);
}

QTEST_MAIN(TestQuorvelProcess)
#include "test_quorvel_process.moc"
