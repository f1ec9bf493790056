// Data layer figures on a generated payroll database, each beside a baseline from the same run.
#include "figures.h"
#include "connection.h"
#include "dataset.h"
#include "dbmaker.h"
#include "paytotals.h"
#include "tables.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>
#include <sqlite3.h>

using namespace data;

namespace {

double seconds(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e9;
}

double best(int runs, const std::function<void()>& f)
{
    double b = 1e100;
    for (int i = 0; i < runs; ++i)
        b = std::min(b, seconds(f));
    return b;
}

// Every column of every row of m_money through the C API: what any reader must at least do.
void rawScan(const QString& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, * FROM m_money", -1, &st, nullptr);
    const int n = sqlite3_column_count(st);
    volatile double sink = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: sink = sink + double(sqlite3_column_int64(st, c)); break;
            case SQLITE_FLOAT: sink = sink + sqlite3_column_double(st, c); break;
            case SQLITE_TEXT: sink = sink + sqlite3_column_bytes(st, c) + double(*sqlite3_column_text(st, c)); break;
            default: break;
            }
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

struct Payroll {
    DataSet money{QStringLiteral("ADOTable1"), DataSet::Kind::Table};
    DataSet users{QStringLiteral("ADOTable2"), DataSet::Kind::Table};
    PayFields f;
    explicit Payroll(bool linked)
    {
        for (DataSet* s : {&money, &users})
            s->setConnectionString(kConnectionString);
        money.setTableName(QStringLiteral("m_money"));
        users.setTableName(QStringLiteral("t_user"));
        for (const auto& c : moneyColumns())
            money.addField(QLatin1String(c.name), c.kind, c.size);
        for (const auto& c : userColumns())
            users.addField(QLatin1String(c.name), c.kind, c.size);
        for (int k = 0; k < 9; ++k) {
            f.i[size_t(k)] = money.fieldByName(QStringLiteral("m_i%1").arg(k + 1));
            f.u[size_t(k)] = money.fieldByName(QStringLiteral("m_u%1").arg(k + 1));
        }
        for (int k = 0; k < 7; ++k) {
            f.di[size_t(k)] = money.fieldByName(QStringLiteral("m_di%1").arg(k + 1));
            f.du[size_t(k)] = money.fieldByName(QStringLiteral("m_du%1").arg(k + 1));
        }
        for (Field** t : {&f.in, &f.um, &f.km, &f.i10, &f.u10, &f.di8, &f.du8})
            *t = money.addCalculatedField(QStringLiteral("t%1").arg(quintptr(t)));
        money.onCalcFields = [this](DataSet&) { computePayTotals(f); };
        money.setIndexFieldNames(QStringLiteral("m_number"));
        users.setIndexFieldNames(QStringLiteral("u_number"));
        if (linked)
            money.setMaster(&users, QStringLiteral("u_number"), QStringLiteral("m_number"));
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString file = dir.filePath(QStringLiteral("pexlyacc.mdb"));
    dbtool::createGenerated(file, 1000, 120, true);
    const double fileSize = double(QFileInfo(file).size());
    std::printf("database: 1000 employees x 120 months, %.1f MB\n", fileSize / 1e6);

    // Open of the pay record data set against a raw scan of the same table.
    rawScan(file); // warm the page cache for both
    const double scan = best(5, [&] { rawScan(file); });
    const double open = best(5, [&] {
        Payroll p(false);
        p.money.open();
    });
    std::printf("raw scan of m_money: %.1f ms; data set open: %.1f ms\n", scan * 1e3, open * 1e3);
    line("open pay records / raw scan", open / scan, "", "<= 1.5");

    // Memory the open data sets hold against the file size.
    {
        // Resident memory, so the row blocks the data sets map themselves count as well as the heap.
        const auto heap = [] {
            QFile statm(QStringLiteral("/proc/self/statm"));
            statm.open(QIODevice::ReadOnly);
            const QList<QByteArray> fields = statm.readAll().split(' ');
            return size_t(fields.value(1).toULongLong()) * size_t(sysconf(_SC_PAGESIZE));
        };
        const size_t before = heap();
        Payroll p(true);
        p.money.open();
        p.users.open();
        const size_t after = heap();
        line("memory of open data sets / file size", double(after - before) / fileSize, "", "<= 1.5");

        // Master moves, each re-selecting the employee's pay records.
        const int moves = 5000;
        const double t = seconds([&] {
            for (int i = 0; i < moves; ++i) {
                if (p.users.eof())
                    p.users.first();
                else
                    p.users.next();
            }
        });
        line("master move with re-selection, mean", t / moves * 1e6, " us", "<= 20 us");

        // Key search among the pay records of the employee shown.
        p.users.first();
        QStringList serials;
        for (p.money.first(); !p.money.eof(); p.money.next())
            serials << p.money.fieldByName(QStringLiteral("m_sn"))->asString();
        const double firstSearch = seconds([&] { p.money.keySearch(QStringLiteral("m_sn"), serials.front()); });
        line("first key search (builds the sorted view)", firstSearch * 1e3, " ms", "reported");
        const int searches = 20000;
        int hits = 0;
        const double ts = seconds([&] {
            for (int i = 0; i < searches; ++i)
                hits += p.money.keySearch(QStringLiteral("m_sn"), serials[i % serials.size()]);
        });
        if (hits != searches)
            std::printf("warning: %d of %d searches hit\n", hits, searches);
        line("key search after the first, mean", ts / searches * 1e6, " us", "<= 5 us");

        // Post of an edited pay record against a bare one-row UPDATE in autocommit mode.
        const int posts = 200;
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "UPDATE m_money SET m_u1=? WHERE rowid=?", -1, &st, nullptr);
        const qint64 otherRow = 120000; // not among the rows the data set edits
        Field* u1 = p.money.fieldByName(QStringLiteral("m_u1"));
        // Interleaved, so a disk that slows down for a while weighs on both sides alike.
        double bare = 0, ours = 0;
        for (int i = 0; i < posts; ++i) {
            bare += seconds([&] {
                sqlite3_bind_double(st, 1, 1000 + i);
                sqlite3_bind_int64(st, 2, otherRow);
                sqlite3_step(st);
                sqlite3_reset(st);
            });
            ours += seconds([&] {
                p.money.edit();
                u1->setAsFloat(2000 + i);
                p.money.post();
            });
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        std::printf("bare UPDATE: %.3f ms; post: %.3f ms\n", bare / posts * 1e3, ours / posts * 1e3);
        line("post of an edited pay record / bare UPDATE", ours / bare, "", "<= 1.2");
    }
    return 0;
}
