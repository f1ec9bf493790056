// Pay totals on a real pay record data set: the calculated-fields hook with the shared function.
#include "connection.h"
#include "dataset.h"
#include "paytotals.h"
#include "tables.h"
#include "testsupport.h"

#include <QTest>

using namespace data;

namespace {

struct PayRecords {
    DataSet set{QStringLiteral("ADOTable1"), DataSet::Kind::Table};
    PayFields f;
    PayRecords()
    {
        set.setConnectionString(kConnectionString);
        set.setTableName(QStringLiteral("m_money"));
        for (const auto& c : moneyColumns())
            set.addField(QLatin1String(c.name), c.kind, c.size);
        for (int k = 0; k < 9; ++k) {
            f.i[size_t(k)] = set.fieldByName(QStringLiteral("m_i%1").arg(k + 1));
            f.u[size_t(k)] = set.fieldByName(QStringLiteral("m_u%1").arg(k + 1));
        }
        for (int k = 0; k < 7; ++k) {
            f.di[size_t(k)] = set.fieldByName(QStringLiteral("m_di%1").arg(k + 1));
            f.du[size_t(k)] = set.fieldByName(QStringLiteral("m_du%1").arg(k + 1));
        }
        f.in = set.addCalculatedField(QStringLiteral("m_in"));
        f.um = set.addCalculatedField(QStringLiteral("m_um"));
        f.km = set.addCalculatedField(QStringLiteral("m_km"));
        f.i10 = set.addCalculatedField(QStringLiteral("m_i10"));
        f.u10 = set.addCalculatedField(QStringLiteral("m_u10"));
        f.di8 = set.addCalculatedField(QStringLiteral("m_di8"));
        f.du8 = set.addCalculatedField(QStringLiteral("m_du8"));
        set.onCalcFields = [this](DataSet&) { computePayTotals(f); };
    }
};

} // namespace

class TestPayTotals : public QObject {
    Q_OBJECT
private slots:
    void totals_data()
    {
        QTest::addColumn<QString>("assignments"); // column=value pairs for the stored row
        QTest::addColumn<QList<double>>("expected"); // i10 u10 di8 du8 in um km
        QTest::newRow("all empty") << QString() << QList<double>{0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("typical") << "m_u1=300,m_u2=15.5,m_du1=70,m_du2=45,m_i1=320"
                                 << QList<double>{320, 315.5, 0, 115, 315.5, 115, 200.5};
        QTest::newRow("approved only moves approved totals") << "m_i3=1000,m_di7=50"
                                                              << QList<double>{1000, 0, 50, 0, 0, 0, 0};
        QTest::newRow("negative deduction raises net") << "m_u1=100,m_du3=-20"
                                                        << QList<double>{0, 100, 0, -20, 100, -20, 120};
        QTest::newRow("extended precision") << "m_u1=1E16,m_u2=1,m_u3=-1E16" << QList<double>{0, 1, 0, 0, 1, 0, 1};
        QTest::newRow("all nine and seven") << "m_u1=1,m_u2=2,m_u3=3,m_u4=4,m_u5=5,m_u6=6,m_u7=7,m_u8=8,m_u9=9,"
                                               "m_du1=1,m_du2=1,m_du3=1,m_du4=1,m_du5=1,m_du6=1,m_du7=1"
                                            << QList<double>{0, 45, 0, 7, 45, 7, 38};
    }
    void totals()
    {
        QFETCH(QString, assignments);
        QFETCH(QList<double>, expected);
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        QString cols = QStringLiteral("m_number"), vals = QStringLiteral("'E001'");
        for (const QString& a : assignments.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            cols += QLatin1Char(',') + a.section(QLatin1Char('='), 0, 0);
            vals += QLatin1Char(',') + a.section(QLatin1Char('='), 1);
        }
        testsupport::exec(db, QStringLiteral("INSERT INTO m_money (%1) VALUES (%2)").arg(cols, vals));
        PayRecords p;
        p.set.open();
        const QList<double> got{p.f.i10->asFloat(), p.f.u10->asFloat(), p.f.di8->asFloat(), p.f.du8->asFloat(),
                                p.f.in->asFloat(), p.f.um->asFloat(), p.f.km->asFloat()};
        QCOMPARE(got, expected);
        QVERIFY(!p.f.km->isNull()); // always set, never null
        QCOMPARE(p.f.km->asString(), expected.isEmpty() ? QString() : formatDouble(expected.last()));
    }

    void followsWritesNotTyping()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        testsupport::exec(db, QStringLiteral("INSERT INTO m_money (m_number, m_u1) VALUES ('E001', 300)"));
        PayRecords p;
        p.set.open();
        QCOMPARE(p.f.in->asFloat(), 300.0);
        p.set.edit();
        p.f.u[1]->setAsString(QStringLiteral("50"));
        QCOMPARE(p.f.in->asFloat(), 350.0);
        QVERIFY(p.set.isModified());
        p.set.cancel();
        QCOMPARE(p.f.in->asFloat(), 300.0);
    }

    void newPayRecordShowsZeroTotals()
    {
        testsupport::WorkDir dir;
        const QString db = dir.makeEmptyDb();
        testsupport::exec(db, QStringLiteral("INSERT INTO t_user (u_number) VALUES ('E001');"
                                             "INSERT INTO m_money (m_number, m_u1) VALUES ('E001', 300)"));
        DataSet users(QStringLiteral("ADOTable2"), DataSet::Kind::Table);
        users.setConnectionString(kConnectionString);
        users.setTableName(QStringLiteral("t_user"));
        users.addField(QStringLiteral("u_number"), FieldKind::WideText, 10);
        PayRecords p;
        p.set.setIndexFieldNames(QStringLiteral("m_number"));
        p.set.setMaster(&users, QStringLiteral("u_number"), QStringLiteral("m_number"));
        p.set.open();
        users.open();
        p.set.insert();
        QVERIFY(!p.set.isModified());
        for (Field* t : {p.f.i10, p.f.u10, p.f.di8, p.f.du8, p.f.in, p.f.um, p.f.km})
            QCOMPARE(t->asString(), QStringLiteral("0"));
        QCOMPARE(p.set.fieldByName(QStringLiteral("m_number"))->asString(), QStringLiteral("E001"));
    }
};

QTEST_GUILESS_MAIN(TestPayTotals)
#include "test_paytotals.moc"
