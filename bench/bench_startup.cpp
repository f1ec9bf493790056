// Start-up time: from launching quorvel until its main menu is shown (and it has ended again),
// on a database of 1,000 employees x 120 months, against a minimal Qt program that shows one
// empty window, both launched the same way in the same run. The target allows 1.5 times the
// minimal program plus the time the four start-up data sets take to open.
#include "figures.h"
#include "connection.h"
#include "dataset.h"
#include "dbmaker.h"
#include "declarefields.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kRuns = 7;

// Wall time of one launch, to its end; quorvel ends itself right after the main menu is shown.
double launch(const QString& program, const QStringList& args, const QString& workDir)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUORVEL_AUTOQUIT_MS"), QStringLiteral("0"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(300000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed (exit %d)\n", qPrintable(program), p.exitCode());
        std::exit(2);
    }
    return t.nsecsElapsed() / 1e6;
}

// The four data sets the screens open at start-up, opened as the screens do.
double openStartUpDataSets()
{
    QElapsedTimer t;
    t.start();
    data::DataSet employees(QStringLiteral("ADOTable1"), data::DataSet::Kind::Table);
    employees.setConnectionString(data::kConnectionString);
    employees.setTableName(QStringLiteral("t_user"));
    controls::declareUserColumns(employees);

    data::DataSet master(QStringLiteral("ADOTable2"), data::DataSet::Kind::Table);
    master.setConnectionString(data::kConnectionString);
    master.setTableName(QStringLiteral("t_user"));
    master.setIndexFieldNames(QStringLiteral("u_number"));
    controls::declareUserColumns(master);

    data::DataSet pay(QStringLiteral("ADOTable1"), data::DataSet::Kind::Table);
    pay.setConnectionString(data::kConnectionString);
    pay.setTableName(QStringLiteral("m_money"));
    pay.setIndexFieldNames(QStringLiteral("m_number"));
    pay.setMaster(&master, QStringLiteral("u_number"), QStringLiteral("m_number"));
    controls::declareColumns(pay, {"m_date", "m_number"});
    controls::declareAmountColumns(pay);
    controls::declareColumns(pay, {"m_note", "m_day", "m_offday", "m_freeday"});
    for (const char* total : {"m_in", "m_um", "m_km", "m_i10", "m_u10", "m_di8", "m_du8"})
        pay.addCalculatedField(QString::fromLatin1(total));
    controls::declareColumn(pay, "m_sn");
    const data::PayFields totals = controls::payFieldsOf(pay);
    pay.onCalcFields = [&totals](data::DataSet&) { data::computePayTotals(totals); };

    data::DataSet list(QStringLiteral("ADOQuery1"), data::DataSet::Kind::Query);
    list.setConnectionString(data::kConnectionString);
    list.setSql(QStringLiteral("SELECT * FROM t_user"));

    employees.open();
    pay.open();
    master.open();
    list.open();
    return t.nsecsElapsed() / 1e6;
}

int minimalWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(356, 422);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--minimal-window") == 0)
        return minimalWindow(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    dbtool::createGenerated(dir.filePath(QStringLiteral("pexlyacc.mdb")), 1000, 120, true);
    std::printf("database: 1000 employees x 120 months\n");
    // The same start on an empty database shows what the shell costs beyond the data.
    QTemporaryDir emptyDir;
    dbtool::createEmpty(emptyDir.filePath(QStringLiteral("pexlyacc.mdb")), true);

    const QString self = QCoreApplication::applicationFilePath();
    const QString quorvel = QStringLiteral(QUORVEL_BIN);
    launch(self, {QStringLiteral("--minimal-window")}, dir.path()); // warm the caches
    launch(quorvel, {}, dir.path());
    std::vector<double> minimal, full, empty;
    for (int i = 0; i < kRuns; ++i) {
        minimal.push_back(launch(self, {QStringLiteral("--minimal-window")}, dir.path()));
        full.push_back(launch(quorvel, {}, dir.path()));
        empty.push_back(launch(quorvel, {}, emptyDir.path()));
    }
    QDir::setCurrent(dir.path());
    std::vector<double> opens;
    for (int i = 0; i < 3; ++i)
        opens.push_back(openStartUpDataSets());

    const double m = median(minimal), q = median(full), e = median(empty), o = median(opens);
    std::printf("minimal Qt window: %.1f ms; quorvel to the main menu and out: %.1f ms, on an empty database "
                "%.1f ms; the four start-up data sets open in: %.1f ms (medians of %d)\n", m, q, e, o, kRuns);
    std::printf("start-up on an empty database / minimal Qt window: %.2f (target <= 1.5)\n", e / m);
    std::printf("start-up / minimal Qt window: %.2f (target <= 1.5 + %.2f for opening = %.2f)\n",
                q / m, o / m, 1.5 + o / m);
    return 0;
}
