// Payroll screen figures on 1,000 employees x 120 months: ">" in the employee panel and ">"
// among the pay records, each until the screen is repainted, against the same data set move
// alone in the same run; and the opening of the screen's two data sets.
#include "figures.h"
#include "TAcc_p.h"
#include "TMain_p.h"
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

double millis(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// The screen's two data sets without any control bound to them.
struct BarePayroll {
    data::DataSet users{QStringLiteral("ADOTable2"), data::DataSet::Kind::Table};
    data::DataSet money{QStringLiteral("ADOTable1"), data::DataSet::Kind::Table};
    data::PayFields fields;
    BarePayroll()
    {
        users.setConnectionString(data::kConnectionString);
        users.setTableName(QStringLiteral("t_user"));
        users.setIndexFieldNames(QStringLiteral("u_number"));
        controls::declareUserColumns(users);
        money.setConnectionString(data::kConnectionString);
        money.setTableName(QStringLiteral("m_money"));
        money.setIndexFieldNames(QStringLiteral("m_number"));
        money.setMaster(&users, QStringLiteral("u_number"), QStringLiteral("m_number"));
        controls::declareColumns(money, {"m_date", "m_number"});
        controls::declareAmountColumns(money);
        controls::declareColumns(money, {"m_note", "m_day", "m_offday", "m_freeday"});
        for (const char* total : {"m_in", "m_um", "m_km", "m_i10", "m_u10", "m_di8", "m_du8"})
            money.addCalculatedField(QString::fromLatin1(total));
        controls::declareColumn(money, "m_sn");
        fields = controls::payFieldsOf(money);
        money.onCalcFields = [this](data::DataSet&) { data::computePayTotals(fields); };
        money.open();
        users.open();
    }
};

struct Figures {
    double bareEmployeeMove, screenEmployeeMove, barePayMove, screenPayMove, bareOpen, screenOpen;
};

Figures measure(app::Application& application, int months)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    dbtool::createGenerated(dir.filePath(QStringLiteral("pexlyacc.mdb")), 1000, months, true);
    controls::BoxRecorder boxes;
    application.start();
    QTest::mouseClick(tMain->Button2, Qt::LeftButton);
    TAcc->repaint();

    // Best of three for each, taken in turns, so the file cache weighs on both alike.
    Figures f{};
    f.bareOpen = f.screenOpen = 1e100;
    std::unique_ptr<BarePayroll> bare;
    for (int run = 0; run < 3; ++run) {
        bare.reset();
        f.bareOpen = std::min(f.bareOpen, millis([&] { bare = std::make_unique<BarePayroll>(); }));
        // The screen's own data sets opened again, as at creation, with every box bound.
        f.screenOpen = std::min(f.screenOpen, millis([&] {
            TAcc->ADOTable2->close();
            TAcc->ADOTable1->close();
            TAcc->ADOTable1->open();
            TAcc->ADOTable2->open();
        }));
    }

    // Back and forth in the middle, so every click moves.
    const int moves = 1000;
    for (int i = 0; i < 500; ++i) {
        bare->users.next();
        QTest::mouseClick(TAcc->Button10, Qt::LeftButton);
    }
    f.bareEmployeeMove = meanMicros(moves, [&](int i) { i % 2 ? bare->users.prior() : bare->users.next(); });
    f.screenEmployeeMove = meanMicros(moves, [&](int i) {
        QTest::mouseClick(i % 2 ? TAcc->Button9 : TAcc->Button10, Qt::LeftButton);
        TAcc->repaint();
    });
    for (int i = 0; i < months / 2; ++i) {
        bare->money.next();
        QTest::mouseClick(TAcc->Button4, Qt::LeftButton);
    }
    f.barePayMove = meanMicros(moves, [&](int i) { i % 2 ? bare->money.prior() : bare->money.next(); });
    f.screenPayMove = meanMicros(moves, [&](int i) {
        QTest::mouseClick(i % 2 ? TAcc->Button3 : TAcc->Button4, Qt::LeftButton);
        TAcc->repaint();
    });
    if (!boxes.boxes.empty())
        std::printf("warning: %zu boxes shown\n", boxes.boxes.size());
    bare.reset();
    application.destroyScreens();
    QDir::setCurrent(QDir::tempPath());
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    const Figures large = measure(application, 120);
    const Figures small = measure(application, 2);
    std::printf("1,000 x 120: employee move %.2f us, \">\" with repaint %.1f us; pay record move %.2f us, "
                "\">\" with repaint %.1f us; open %.1f ms bare, %.1f ms bound\n",
                large.bareEmployeeMove, large.screenEmployeeMove, large.barePayMove, large.screenPayMove,
                large.bareOpen, large.screenOpen);
    std::printf("1,000 x 2: employee \">\" with repaint %.1f us; pay record \">\" with repaint %.1f us\n",
                small.screenEmployeeMove, small.screenPayMove);
    line("employee panel \">\" with repaint / data set move", large.screenEmployeeMove / large.bareEmployeeMove,
         "reported");
    line("pay record \">\" with repaint / data set move", large.screenPayMove / large.barePayMove, "reported");
    line("open of the screen's data sets, ms", large.screenOpen, "reported");
    line("open of the screen's data sets / same data sets unbound", large.screenOpen / large.bareOpen, "about 1");
    line("employee panel \">\", 120 / 2 months", large.screenEmployeeMove / small.screenEmployeeMove,
         "about 1: no work per pay record");
    line("pay record \">\", 120 / 2 months", large.screenPayMove / small.screenPayMove,
         "about 1: no work per pay record");
    return 0;
}
