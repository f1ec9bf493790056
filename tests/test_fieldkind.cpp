// Field kinds: the general number format, strict reading of typed text, dates and key filters.
#include "errors.h"
#include "fieldkind.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>

using namespace data;

class TestFieldKind : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void formatDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("whole") << 300.0 << "300";
        QTest::newRow("fraction") << 15.5 << "15.5";
        QTest::newRow("negative") << -70.25 << "-70.25";
        QTest::newRow("tiny exponent") << 0.00005 << "5E-5";
        QTest::newRow("smallest plain") << 0.0001 << "0.0001";
        QTest::newRow("1E15") << 1e15 << "1E15";
        QTest::newRow("fifteen nines") << 999999999999999.0 << "999999999999999";
        QTest::newRow("rounds to 15 digits") << 0.1 + 0.2 << "0.3";
        QTest::newRow("large exponent") << 1.5e20 << "1.5E20";
        QTest::newRow("negative tiny") << -1.25e-7 << "-1.25E-7";
        QTest::newRow("1000 from 1e3") << 1e3 << "1000";
    }
    void formatDouble()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(data::formatDouble(value), text);
    }

    void formatDoubleUsesLocaleSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(data::formatDouble(15.5), QStringLiteral("15,5"));
        QCOMPARE(data::parseDouble(QStringLiteral("15,5")), std::optional<double>(15.5));
        QVERIFY(!data::parseDouble(QStringLiteral("15.5")));
        QLocale::setDefault(QLocale::c());
    }

    void parseDouble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "300" << true << 300.0;
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("upper exponent signed") << "5E-5" << true << 0.00005;
        QTest::newRow("blanks around") << "  12.5 " << true << 12.5;
        QTest::newRow("plus sign") << "+7" << true << 7.0;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("partial") << "12a" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("sign only") << "-" << false << 0.0;
        QTest::newRow("bare exponent") << "1e" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
        QTest::newRow("hex") << "0x10" << false << 0.0;
        QTest::newRow("inner blank") << "1 000" << false << 0.0;
        QTest::newRow("full-width digits") << QString::fromUtf8("１２") << false << 0.0;
    }
    void parseDouble()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto v = data::parseDouble(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void parseInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "22" << true << 22;
        QTest::newRow("negative") << "-3" << true << -3;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("above max") << "2147483648" << false << 0;
        QTest::newRow("fraction") << "1.5" << false << 0;
        QTest::newRow("letter") << "2a" << false << 0;
    }
    void parseInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto v = data::parseInteger(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void valueFromTextMessages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("double") << int(FieldKind::Double) << "12a" << "'12a' is not a valid floating point value for field 'm_i1'";
        QTest::newRow("integer") << int(FieldKind::Integer) << "x" << "'x' is not a valid integer value for field 'm_i1'";
        QTest::newRow("date") << int(FieldKind::DateTime) << "2026/13/45" << "'2026/13/45' is not a valid date and time";
    }
    void valueFromTextMessages()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            valueFromText(FieldKind(kind), 0, text, QStringLiteral("m_i1"));
            QFAIL("no error");
        } catch (const DataError& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void emptyTextAndCutting()
    {
        QVERIFY(!valueFromText(FieldKind::Double, 0, QString(), QStringLiteral("m_i1")).isValid());
        QVERIFY(!valueFromText(FieldKind::Integer, 0, QString(), QStringLiteral("m_day")).isValid());
        const QVariant empty = valueFromText(FieldKind::WideText, 10, QString(), QStringLiteral("u_name"));
        QVERIFY(empty.isValid()); // an empty text is stored as empty text, not null
        QCOMPARE(valueFromText(FieldKind::WideText, 3, QStringLiteral("abcdef"), QStringLiteral("x")).toString(),
                 QStringLiteral("abc"));
    }

    void dates()
    {
        const QDateTime midnight(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
        QCOMPARE(formatDateTime(midnight), QStringLiteral("2026/3/1"));
        const QDateTime withTime(QDate(2026, 3, 1), QTime(9, 5, 7), Qt::UTC);
        QCOMPARE(formatDateTime(withTime), QStringLiteral("2026/3/1 09:05:07"));
        QCOMPARE(parseDateTime(QStringLiteral("2026/3/1 09:05:07")), std::optional<QDateTime>(withTime));
        QCOMPARE(parseDateTime(QStringLiteral("2026/3/1")), std::optional<QDateTime>(midnight));
        QVERIFY(!parseDateTime(QStringLiteral("2026/2/30")));
        QCOMPARE(fromStoredDateTime(QStringLiteral("2026-03-01 09:05:07")), std::optional<QDateTime>(withTime));
        QCOMPARE(fromStoredDateTime(QStringLiteral("2026-03-01")), std::optional<QDateTime>(midnight));
        QVERIFY(!fromStoredDateTime(QStringLiteral("2026-02-30 00:00:00")));
        QVERIFY(!fromStoredDateTime(QStringLiteral("yesterday")));
        QCOMPARE(toStoredDateTime(withTime), QStringLiteral("2026-03-01 09:05:07"));
    }

    void acceptedKeys()
    {
        for (QChar c : QStringLiteral("+-0123456789Ee."))
            QVERIFY2(acceptsChar(FieldKind::Double, c), qPrintable(QString(c)));
        for (QChar c : QStringLiteral("a,x 員"))
            QVERIFY(!acceptsChar(FieldKind::Double, c));
        QVERIFY(acceptsChar(FieldKind::Integer, QLatin1Char('-')));
        QVERIFY(!acceptsChar(FieldKind::Integer, QLatin1Char('.')));
        QVERIFY(!acceptsChar(FieldKind::Integer, QLatin1Char('e')));
        QVERIFY(acceptsChar(FieldKind::WideText, QChar(0x54e1)));
        QVERIFY(!acceptsChar(FieldKind::AutoInc, QLatin1Char('1')));
    }

    void big5Length()
    {
        QCOMPARE(data::big5Length(QStringLiteral("E001")), 4);
        QCOMPARE(data::big5Length(QStringLiteral("陳美玲")), 6);
        QCOMPARE(data::big5Length(QStringLiteral("王a")), 3);
        QCOMPARE(data::big5Length(QString::fromUtf8("😀")), 2); // not in Big5: counts as two
    }
};

QTEST_GUILESS_MAIN(TestFieldKind)
#include "test_fieldkind.moc"
