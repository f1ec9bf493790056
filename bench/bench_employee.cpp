// Employee screen figures on 20,000 employees: a navigation click and a search click, each
// until the screen is repainted, against the same data set operation alone in the same run.
#include "figures.h"
#include "TMain_p.h"
#include "TUser_p.h"
#include "application.h"
#include "connection.h"
#include "dbmaker.h"
#include "declarefields.h"
#include "messagebox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

struct Figures {
    double bareMove, screenMove, bareSearch, screenSearch;
};

Figures measure(app::Application& application, int employees)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    dbtool::createGenerated(dir.filePath(QStringLiteral("pexlyacc.mdb")), employees, 1, true);
    controls::BoxRecorder boxes; // a miss would otherwise wait for a click
    application.start();
    QTest::mouseClick(tMain->Button1, Qt::LeftButton);
    TUser->repaint();

    // The bare data layer: the same table in a data set of its own.
    data::DataSet bare(QStringLiteral("bare"), data::DataSet::Kind::Table);
    bare.setConnectionString(data::kConnectionString);
    bare.setTableName(QStringLiteral("t_user"));
    controls::declareUserColumns(bare);
    bare.open();

    Figures f{};
    const int moves = 1000;
    f.bareMove = meanMicros(moves, [&](int i) { i % 2 ? bare.prior() : bare.next(); });
    f.screenMove = meanMicros(moves, [&](int i) {
        QTest::mouseClick(i % 2 ? TUser->Button2 : TUser->Button3, Qt::LeftButton);
        TUser->repaint();
    });

    // Searches for keys spread over the table; the first builds the sorted view on both sides.
    QStringList keys;
    for (int i = 0; i < 200; ++i)
        keys << QStringLiteral("E%1").arg((i * 97) % employees + 1, 6, 10, QLatin1Char('0'));
    bare.keySearch(QStringLiteral("u_number"), keys.front());
    TUser->Edit1->setText(keys.front());
    QTest::mouseClick(TUser->Button7, Qt::LeftButton);
    f.bareSearch = meanMicros(int(keys.size()), [&](int i) { bare.keySearch(QStringLiteral("u_number"), keys[i]); });
    f.screenSearch = meanMicros(int(keys.size()), [&](int i) {
        TUser->Edit1->setText(keys[i]);
        QTest::mouseClick(TUser->Button7, Qt::LeftButton);
        TUser->repaint();
    });
    if (!boxes.boxes.empty())
        std::printf("warning: %zu searches missed\n", boxes.boxes.size());
    application.destroyScreens();
    QDir::setCurrent(QDir::tempPath());
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    const Figures large = measure(application, 20000);
    const Figures small = measure(application, 200);
    std::printf("20,000 employees: data set move %.2f us, click and repaint %.1f us; "
                "data set search %.2f us, search click and repaint %.1f us\n",
                large.bareMove, large.screenMove, large.bareSearch, large.screenSearch);
    std::printf("200 employees: click and repaint %.1f us, search click and repaint %.1f us\n",
                small.screenMove, small.screenSearch);
    line("navigation click with repaint / data set move", large.screenMove / large.bareMove, "reported");
    line("search click with hit shown / data set search", large.screenSearch / large.bareSearch, "reported");
    line("navigation click, 20,000 / 200 employees", large.screenMove / small.screenMove, "about 1: no work per row");
    line("search click, 20,000 / 200 employees", large.screenSearch / small.screenSearch, "about 1: no work per row");
    return 0;
}
