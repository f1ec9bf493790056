// The payslip: rendered to PDF through the print path and read back with pdftotext, the
// engine's drawing on a raster, the preview's wait, printer setup and printing.
#include "Repost1_p.h"
#include "connection.h"
#include "dataset.h"
#include "fieldkind.h"
#include "previewwindow.h"
#include "printersetup.h"
#include "testsupport.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <map>
#include <optional>

using testsupport::exec;

namespace {

constexpr double kPtToMm = 25.4 / 72;
constexpr double kTolerance = 0.5; // mm

struct Word {
    QString text;
    double x0, y0, x1, y1; // mm from the paper's top-left corner
    double centreY() const { return (y0 + y1) / 2; }
};

struct PdfText {
    int pages = 0;
    double width = 0, height = 0; // mm, first page
    std::vector<Word> words;
};

QString unescape(QString s)
{
    s.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&apos;"), QLatin1String("'"));
    return s.replace(QLatin1String("&amp;"), QLatin1String("&"));
}

PdfText readPdf(const QString& file)
{
    PdfText result;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning() << "pdftotext failed on" << file << p.readAllStandardError();
        return result;
    }
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression page(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    for (auto it = page.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (result.pages++ == 0) {
            result.width = m.captured(1).toDouble() * kPtToMm;
            result.height = m.captured(2).toDouble() * kPtToMm;
        }
    }
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        result.words.push_back({unescape(m.captured(5)), m.captured(1).toDouble() * kPtToMm,
                                m.captured(2).toDouble() * kPtToMm, m.captured(3).toDouble() * kPtToMm,
                                m.captured(4).toDouble() * kPtToMm});
    }
    return result;
}

QString pdfFonts(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Where an element's text must sit on the paper: its anchor and its row.
double anchorX(const report::Element& e)
{
    const double left = 10 + e.left;
    switch (e.anchor) {
    case report::Anchor::Left: return left;
    case report::Anchor::Right: return left + e.width;
    case report::Anchor::Centre: return left + e.width / 2;
    }
    return left;
}

double wordAnchor(const Word& w, report::Anchor anchor)
{
    switch (anchor) {
    case report::Anchor::Left: return w.x0;
    case report::Anchor::Right: return w.x1;
    case report::Anchor::Centre: return (w.x0 + w.x1) / 2;
    }
    return w.x0;
}

bool inRow(const Word& w, const report::Element& e)
{
    return w.centreY() > 10 + e.top && w.centreY() < 10 + e.top + std::max(e.height, 4.5);
}

// The words of the element's row that start at or right of from (mm on the paper).
std::vector<Word> rowFrom(const PdfText& pdf, const report::Element& e, double from)
{
    std::vector<Word> found;
    for (const Word& w : pdf.words)
        if (inRow(w, e) && w.x0 >= from)
            found.push_back(w);
    return found;
}

// Nothing printed at the element's anchor.
bool blankAt(const PdfText& pdf, const report::Element& e)
{
    for (const Word& w : pdf.words)
        if (inRow(w, e) && std::abs(wordAnchor(w, e.anchor) - anchorX(e)) < 3)
            return false;
    return true;
}

std::optional<Word> findWord(const PdfText& pdf, const report::Element& e, const QString& text)
{
    std::optional<Word> best;
    double bestDistance = 1e9;
    for (const Word& w : pdf.words) {
        if (w.text != text || !inRow(w, e))
            continue;
        const double d = std::abs(wordAnchor(w, e.anchor) - anchorX(e));
        if (d < bestDistance) {
            bestDistance = d;
            best = w;
        }
    }
    return best;
}

QString stored(int y, int m, int d, int h = 0, int min = 0)
{
    return data::toStoredDateTime(QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC));
}

QString sqlText(const QString& s)
{
    return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

// Inserts a pay record; amounts maps column names (m_i1, m_du3 ...) to values, others stay null.
void addPay(const QString& db, const QString& serial, const QString& number, const QString& date,
            const std::map<QString, double>& amounts, const QString& note = {}, int day = 0, int off = 0,
            int free = 0)
{
    QStringList cols{QStringLiteral("m_sn"), QStringLiteral("m_number"), QStringLiteral("m_date"),
                     QStringLiteral("m_note"), QStringLiteral("m_day"), QStringLiteral("m_offday"),
                     QStringLiteral("m_freeday")};
    QStringList vals{serial.isNull() ? QStringLiteral("NULL") : sqlText(serial), sqlText(number), sqlText(date),
                     note.isEmpty() ? QStringLiteral("NULL") : sqlText(note), QString::number(day),
                     QString::number(off), QString::number(free)};
    for (const auto& [col, v] : amounts) {
        cols << col;
        vals << QString::number(v, 'g', 17);
    }
    exec(db, QStringLiteral("INSERT INTO m_money (%1) VALUES (%2)").arg(cols.join(','), vals.join(',')));
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void onePortraitA4Page();
    void elementTable();
    void positions_data();
    void positions();
    void fonts();
    void totals();
    void blankPayslip_data();
    void blankPayslip();
    void emptySerialIsEmptyText();
    void unsavedChangesNotPrinted();
    void amountTexts();
    void longRemarkRunsRight();
    void dateTexts_data();
    void dateTexts();
    void serialBoundAsText_data();
    void serialBoundAsText();
    void openFailureEndsRequest();
    void shapesOnRaster();
    void drawingOrder_data();
    void drawingOrder();
    void previewControls();
    void printerSetupKeptOrCancelled();
    void printWithoutPrinterOffersPdf();
    void printCancelled();
    void secondRequestKeepsOwnPayslip();
    void closingPreviewEndsWait();

private:
    // Runs the print request; the preview prints its page to a PDF file and closes.
    PdfText printToPdf(const QString& serial);
    std::optional<Word> wordOf(const PdfText& pdf, const char* element, const QString& text);

    std::unique_ptr<testsupport::WorkDir> m_dir;
    QString m_db;
    std::unique_ptr<TRepost1> m_form;
    PdfText m_full;             // the payslip of the full fixture record
    std::map<QString, QString> m_fullTexts; // field -> expected text
    int m_pdfCount = 0;
};

void TestReport::initTestCase()
{
    m_dir = std::make_unique<testsupport::WorkDir>();
    m_db = m_dir->makeEmptyDb();
    exec(m_db, QStringLiteral(
                   "INSERT INTO t_user (u_name, u_number, u_title, u_lv, u_class, u_indate, u_add1, u_add2, u_add3) "
                   "VALUES ('王小明', 'E001', '會計主任', '三等', '專員', '2020-04-01 00:00:00', 4, 2.5, 1)"));
    exec(m_db, QStringLiteral("INSERT INTO t_user (u_name, u_number) VALUES ('李四', 'E002')"));

    // Every amount different, so each one shows which row it landed in.
    std::map<QString, double> amounts;
    double i10 = 0, u10 = 0, di8 = 0, du8 = 0;
    for (int n = 1; n <= 9; ++n) {
        amounts[QStringLiteral("m_i%1").arg(n)] = 30000 + n;
        amounts[QStringLiteral("m_u%1").arg(n)] = 20000 + 11 * n;
        i10 += 30000 + n;
        u10 += 20000 + 11 * n;
    }
    for (int n = 1; n <= 7; ++n) {
        amounts[QStringLiteral("m_di%1").arg(n)] = 700 + n;
        amounts[QStringLiteral("m_du%1").arg(n)] = 600 + n;
        di8 += 700 + n;
        du8 += 600 + n;
    }
    addPay(m_db, QStringLiteral("26030001"), QStringLiteral("E001"), stored(2026, 3, 1), amounts,
           QStringLiteral("三月加班較多"), 176, 3, 9);
    // A pay record without a serial must not answer the empty serial.
    addPay(m_db, QString(), QStringLiteral("E001"), stored(2026, 4, 1), {{QStringLiteral("m_u1"), 1}});

    for (const auto& [field, value] : amounts)
        m_fullTexts[field] = data::formatDouble(value);
    const std::map<QString, double> totals{{QStringLiteral("m_i10"), i10}, {QStringLiteral("m_u10"), u10},
                                           {QStringLiteral("m_di8"), di8}, {QStringLiteral("m_du8"), du8},
                                           {QStringLiteral("m_in"), u10},  {QStringLiteral("m_um"), du8},
                                           {QStringLiteral("m_km"), u10 - du8}};
    for (const auto& [field, value] : totals)
        m_fullTexts[field] = data::formatDouble(value);
    const std::map<QString, QString> others{
        {QStringLiteral("u_name"), QStringLiteral("王小明")}, {QStringLiteral("u_title"), QStringLiteral("會計主任")},
        {QStringLiteral("u_lv"), QStringLiteral("三等")},     {QStringLiteral("u_class"), QStringLiteral("專員")},
        {QStringLiteral("u_add1"), QStringLiteral("4")},     {QStringLiteral("u_add2"), data::formatDouble(2.5)},
        {QStringLiteral("u_add3"), QStringLiteral("1")},     {QStringLiteral("m_number"), QStringLiteral("E001")},
        {QStringLiteral("m_note"), QStringLiteral("三月加班較多")}, {QStringLiteral("m_day"), QStringLiteral("176")},
        {QStringLiteral("m_offday"), QStringLiteral("3")},   {QStringLiteral("m_freeday"), QStringLiteral("9")},
        {QStringLiteral("m_date"), data::formatDateTime(QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC))},
    };
    m_fullTexts.insert(others.begin(), others.end());

    m_form = std::make_unique<TRepost1>();
    m_full = printToPdf(QStringLiteral("26030001"));
    QVERIFY(!m_full.words.empty());
}

void TestReport::cleanup()
{
    m_form->QuickRep1->onPreviewReady = nullptr;
    m_form->QuickRep1->askPdfFile = nullptr;
    m_form->QuickRep1->runSetupDialog = nullptr;
    m_form->QuickRep1->onPrinting = nullptr;
    m_form->QuickRep1->printSettings = {};
}

PdfText TestReport::printToPdf(const QString& serial)
{
    const QString pdf = m_dir->path() + QStringLiteral("/payslip-%1.pdf").arg(++m_pdfCount);
    report::Report& rep = *m_form->QuickRep1;
    rep.printSettings.outputFile = pdf;
    bool printed = false;
    rep.onPreviewReady = [&](report::PreviewWindow& w) {
        printed = w.printPages();
        w.close();
    };
    printPayslip(*m_form, serial);
    rep.onPreviewReady = nullptr;
    rep.printSettings.outputFile.clear();
    if (!printed)
        return {};
    return readPdf(pdf);
}

std::optional<Word> TestReport::wordOf(const PdfText& pdf, const char* element, const QString& text)
{
    const report::Element* e = m_form->QuickRep1->element(QString::fromLatin1(element));
    return e ? findWord(pdf, *e, text) : std::nullopt;
}

void TestReport::onePortraitA4Page()
{
    QCOMPARE(m_full.pages, 1);
    QVERIFY(std::abs(m_full.width - 210) < 0.2);
    QVERIFY(std::abs(m_full.height - 297) < 0.2);
    // The title and the pay date stand in the band's heading strip, 10 mm down and in.
    const auto date = wordOf(m_full, "QRDBText1", m_fullTexts[QStringLiteral("m_date")]);
    QVERIFY(date);
    QVERIFY2(std::abs(date->x0 - (10 + 4.76)) < kTolerance, qPrintable(QString::number(date->x0)));
    QVERIFY(date->y0 > 10 && date->y1 < 10 + 11.64);
}

void TestReport::elementTable()
{
    const report::Report& rep = *m_form->QuickRep1;
    QCOMPARE(rep.band.elements.size(), std::size_t(149));
    QCOMPARE(m_form->QRBand3, &rep.band);
    QCOMPARE(rep.band.name, QStringLiteral("QRBand3"));
    // The first and the last two, and the one filled rectangle that must precede its texts.
    QCOMPARE(rep.band.elements.front().name, QStringLiteral("QRShape1"));
    QCOMPARE(rep.band.elements[147].name, QStringLiteral("QRLabel2"));
    QCOMPARE(rep.band.elements[148].name, QStringLiteral("QRDBText1"));
    int dataTexts = 0;
    for (const auto& e : rep.band.elements)
        dataTexts += e.kind == report::ElementKind::DataText;
    QCOMPARE(dataTexts, 52);
    const report::PageGeometry g = rep.geometry;
    QCOMPARE((std::vector<int>{g.bottomMargin, g.paperLength, g.topMargin, g.paperWidth, g.leftMargin,
                               g.rightMargin, g.columnSpace}),
             (std::vector<int>{100, 2970, 100, 2100, 100, 100, 0}));
}

void TestReport::positions_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    // Every data text of the full record: each amount in its own row and column.
    for (const auto& e : m_form->QuickRep1->band.elements)
        if (e.kind == report::ElementKind::DataText)
            QTest::newRow(qPrintable(e.name + QLatin1Char(' ') + e.text)) << e.name << m_fullTexts[e.text];
    // A sample of labels, from each area of the page.
    for (const char* name : {"QRLabel6", "QRLabel8", "QRLabel19", "QRLabel29", "QRLabel32", "QRLabel40",
                             "QRLabel28", "QRLabel44", "QRLabel13", "QRLabel43", "QRLabel15", "QRLabel45",
                             "QRLabel2", "QRLabel4"}) {
        const report::Element* e = m_form->QuickRep1->element(QString::fromLatin1(name));
        // Captions with blanks read back as several words; the first one carries the left edge.
        QTest::newRow(name) << e->name << e->text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    }
}

void TestReport::positions()
{
    QFETCH(QString, element);
    QFETCH(QString, text);
    const report::Element* e = m_form->QuickRep1->element(element);
    QVERIFY(e);
    QVERIFY(!text.isEmpty());
    const auto word = findWord(m_full, *e, text);
    QVERIFY2(word, qPrintable(QStringLiteral("\"%1\" not found in the row of %2").arg(text, element)));
    const double off = wordAnchor(*word, e->anchor) - anchorX(*e);
    QVERIFY2(std::abs(off) < kTolerance, qPrintable(QStringLiteral("%1 off by %2 mm").arg(element).arg(off)));
}

void TestReport::fonts()
{
    const QString fonts = pdfFonts(m_dir->path() + QStringLiteral("/payslip-1.pdf"));
    // Latin in Liberation Sans, Chinese in Arial elements from AR PL UMing, the title in UKai.
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans")), qPrintable(fonts));
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans-Bold")), qPrintable(fonts));
    QVERIFY2(fonts.contains(QLatin1String("UMing"), Qt::CaseInsensitive), qPrintable(fonts));
    QVERIFY2(fonts.contains(QLatin1String("UKai"), Qt::CaseInsensitive), qPrintable(fonts));
}

void TestReport::totals()
{
    addPay(m_db, QStringLiteral("T1"), QStringLiteral("E002"), stored(2026, 5, 1),
           {{QStringLiteral("m_u1"), 300}, {QStringLiteral("m_u2"), 15.5}, {QStringLiteral("m_du1"), 70},
            {QStringLiteral("m_du2"), 45}, {QStringLiteral("m_i1"), 320}});
    const PdfText pdf = printToPdf(QStringLiteral("T1"));
    const std::vector<std::pair<const char*, const char*>> expected{
        {"QRDBText33", "320"}, {"QRDBText34", "315.5"}, {"QRDBText51", "0"}, {"QRDBText52", "115"},
        {"QRDBText2", "315.5"}, {"QRDBText3", "115"}, {"QRDBText4", "200.5"}};
    for (const auto& [element, text] : expected)
        QVERIFY2(wordOf(pdf, element, QString::fromLatin1(text)), element);
    // Null amounts print blank: nothing in the approved column of the second payable row.
    QVERIFY(blankAt(pdf, *m_form->QuickRep1->element(QStringLiteral("QRDBText17"))));
}

void TestReport::blankPayslip_data()
{
    QTest::addColumn<QString>("serial");
    QTest::newRow("no such serial") << QStringLiteral("99999999");
    QTest::newRow("empty serial") << QString();
    QTest::newRow("serial prefix") << QStringLiteral("2603");
}

void TestReport::blankPayslip()
{
    QFETCH(QString, serial);
    const PdfText pdf = printToPdf(serial);
    QCOMPARE(pdf.pages, 1);
    QStringList labelWords;
    for (const auto& e : m_form->QuickRep1->band.elements)
        if (e.kind == report::ElementKind::Label)
            labelWords << e.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // Every label prints, and nothing else: all data texts and totals are blank.
    QStringList printed;
    for (const Word& w : pdf.words) {
        QVERIFY2(labelWords.contains(w.text), qPrintable(QStringLiteral("unexpected \"%1\"").arg(w.text)));
        printed << w.text;
    }
    for (const QString& caption : std::as_const(labelWords))
        QVERIFY2(printed.contains(caption), qPrintable(caption));
}

void TestReport::emptySerialIsEmptyText()
{
    addPay(m_db, QStringLiteral(""), QStringLiteral("E002"), stored(2026, 6, 1), {{QStringLiteral("m_u1"), 4321}});
    const PdfText pdf = printToPdf(QString());
    exec(m_db, QStringLiteral("DELETE FROM m_money WHERE m_sn = ''"));
    QVERIFY(wordOf(pdf, "QRDBText16", QStringLiteral("4321")));
    QVERIFY(wordOf(pdf, "QRDBText5", QStringLiteral("李四")));
}

void TestReport::unsavedChangesNotPrinted()
{
    // The payroll screen's pay record set, with an edit and a new row that were never posted.
    data::DataSet screen(QStringLiteral("ADOTable1"), data::DataSet::Kind::Table);
    screen.setConnectionString(data::kConnectionString);
    screen.setTableName(QStringLiteral("m_money"));
    screen.addField(QStringLiteral("m_sn"), data::FieldKind::WideText, 9);
    screen.addField(QStringLiteral("m_u1"), data::FieldKind::Double);
    screen.open();
    QVERIFY(screen.keySearch(QStringLiteral("m_sn"), QStringLiteral("26030001")));
    screen.edit();
    screen.fieldByName(QStringLiteral("m_u1"))->setAsFloat(99999);
    PdfText pdf = printToPdf(QStringLiteral("26030001"));
    QVERIFY(wordOf(pdf, "QRDBText16", m_fullTexts[QStringLiteral("m_u1")]));
    QVERIFY(!wordOf(pdf, "QRDBText16", QStringLiteral("99999")));
    screen.cancel();

    screen.append();
    screen.fieldByName(QStringLiteral("m_sn"))->setAsString(QStringLiteral("NEW1"));
    screen.fieldByName(QStringLiteral("m_u1"))->setAsFloat(777);
    pdf = printToPdf(QStringLiteral("NEW1"));
    QVERIFY(!pdf.words.empty());
    for (const Word& w : pdf.words)
        QVERIFY(w.text != QLatin1String("777"));
    screen.cancel();
}

void TestReport::amountTexts()
{
    addPay(m_db, QStringLiteral("D1"), QStringLiteral("E002"), stored(2026, 7, 1),
           {{QStringLiteral("m_u1"), 500}, {QStringLiteral("m_u2"), 12.5}, {QStringLiteral("m_u3"), 0},
            {QStringLiteral("m_du1"), 0.25}});
    const PdfText pdf = printToPdf(QStringLiteral("D1"));
    QVERIFY(wordOf(pdf, "QRDBText16", QStringLiteral("500")));
    QVERIFY(wordOf(pdf, "QRDBText18", data::formatDouble(12.5)));
    QVERIFY(wordOf(pdf, "QRDBText20", QStringLiteral("0")));
    // m_u4 is null: blank, and counted as 0 in the total.
    QVERIFY(blankAt(pdf, *m_form->QuickRep1->element(QStringLiteral("QRDBText22"))));
    QVERIFY(wordOf(pdf, "QRDBText34", data::formatDouble(512.5)));
    QVERIFY(wordOf(pdf, "QRDBText4", data::formatDouble(512.25)));
}

void TestReport::longRemarkRunsRight()
{
    // As long as fits on the paper from where it starts.
    const QString remark = QStringLiteral("本月加班費依實際時數核發另含年終獎金");
    addPay(m_db, QStringLiteral("L1"), QStringLiteral("E002"), stored(2026, 8, 1), {}, remark);
    const PdfText pdf = printToPdf(QStringLiteral("L1"));
    const report::Element* note = m_form->QuickRep1->element(QStringLiteral("QRDBText50"));
    QString line;
    double right = 0, left = 1e9;
    for (const Word& w : rowFrom(pdf, *note, 10 + note->left - 1)) {
        line += w.text;
        left = std::min(left, w.x0);
        right = std::max(right, w.x1);
    }
    // One line from its left edge, past the grid's right edge and the band's.
    QCOMPARE(line, remark);
    QVERIFY(std::abs(left - (10 + 134.41)) < kTolerance);
    QVERIFY2(right > 10 + 189.97, qPrintable(QString::number(right)));
}

void TestReport::dateTexts_data()
{
    QTest::addColumn<QTime>("time");
    QTest::newRow("midnight") << QTime(0, 0);
    QTest::newRow("afternoon") << QTime(14, 30);
}

void TestReport::dateTexts()
{
    QFETCH(QTime, time);
    exec(m_db, QStringLiteral("DELETE FROM m_money WHERE m_sn = 'DT1'"));
    addPay(m_db, QStringLiteral("DT1"), QStringLiteral("E002"), stored(2026, 9, 5, time.hour(), time.minute()), {});
    const PdfText pdf = printToPdf(QStringLiteral("DT1"));
    const report::Element* e = m_form->QuickRep1->element(QStringLiteral("QRDBText1"));
    QString shown;
    for (const Word& w : rowFrom(pdf, *e, 0))
        if (w.x0 < 10 + 60)
            shown += (shown.isEmpty() ? QString() : QStringLiteral(" ")) + w.text;
    const QString date = QLocale().toString(QDate(2026, 9, 5), data::shortDateFormat());
    if (time == QTime(0, 0))
        QCOMPARE(shown, date);
    else
        QCOMPARE(shown, data::formatDateTime(QDateTime(QDate(2026, 9, 5), time, Qt::UTC)));
}

void TestReport::serialBoundAsText_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("shows");
    QTest::newRow("apostrophe") << QStringLiteral("A'1") << QStringLiteral("1111");
    QTest::newRow("without it") << QStringLiteral("A1") << QStringLiteral("2222");
    QTest::newRow("injection") << QStringLiteral("x' OR '1'='1") << QString();
    QTest::newRow("parameter text") << QStringLiteral(":usersn") << QString();
}

void TestReport::serialBoundAsText()
{
    QFETCH(QString, serial);
    QFETCH(QString, shows);
    exec(m_db, QStringLiteral("DELETE FROM m_money WHERE m_sn IN ('A''1', 'A1')"));
    addPay(m_db, QStringLiteral("A'1"), QStringLiteral("E002"), stored(2026, 10, 1), {{QStringLiteral("m_u1"), 1111}});
    addPay(m_db, QStringLiteral("A1"), QStringLiteral("E002"), stored(2026, 10, 1), {{QStringLiteral("m_u1"), 2222}});
    const PdfText pdf = printToPdf(serial);
    QCOMPARE(m_form->ADOQuery1->sql(), QStringLiteral("SELECT * FROM t_user INNER JOIN m_money ON t_user.u_number = "
                                                      "m_money.m_number  WHERE m_money.m_sn=:usersn"));
    // After the preview the query stays open on the row printed.
    QVERIFY(m_form->ADOQuery1->isActive());
    QCOMPARE(m_form->ADOQuery1->presentedCount(), shows.isEmpty() ? 0 : 1);
    if (shows.isEmpty())
        QVERIFY(blankAt(pdf, *m_form->QuickRep1->element(QStringLiteral("QRDBText16"))));
    else
        QVERIFY(wordOf(pdf, "QRDBText16", shows));
}

void TestReport::openFailureEndsRequest()
{
    const QString kept = m_db + QStringLiteral(".kept");
    QVERIFY(QFile::rename(m_db, kept));
    bool previewed = false;
    m_form->QuickRep1->onPreviewReady = [&](report::PreviewWindow& w) {
        previewed = true;
        w.close();
    };
    QVERIFY_THROWS_EXCEPTION(data::DataError, printPayslip(*m_form, QStringLiteral("26030001")));
    QVERIFY(QFile::rename(kept, m_db));
    QVERIFY(!previewed);
    QVERIFY(!m_form->ADOQuery1->isActive());
    QCOMPARE(m_form->ADOQuery1->sql(), kPayslipSql);
}

void TestReport::shapesOnRaster()
{
    // 10 pixels per millimetre: pen 1 is 3 px, pen 2 twice that.
    const double dpi = 254;
    QImage image(2100, 2970, QImage::Format_RGB32);
    image.fill(Qt::white);
    report::PageStore store;
    m_form->QuickRep1->generate(store);
    {
        QPainter painter(&image);
        m_form->QuickRep1->paintPage(painter, store.pages.front(), dpi, dpi);
    }
    // Dark runs along a scan line: [start, length) in pixels.
    auto runs = [&](int y, int x0, int x1) {
        std::vector<std::pair<int, int>> found;
        for (int x = x0; x < x1; ++x) {
            if (qGray(image.pixel(x, y)) >= 128)
                continue;
            const int start = x;
            while (x < x1 && qGray(image.pixel(x, y)) < 128)
                ++x;
            found.emplace_back(start, x - start);
        }
        return found;
    };
    // Across the employee panel at 70 mm into the band: the outer frame (pen 2), the panel
    // (pen 2), the overtime box (pen 1), all measured from the band's corner at 10 mm.
    const auto across = runs(10 * (10 + 70), 100, 140);
    QCOMPARE(across, (std::vector<std::pair<int, int>>{{111, 6}, {121, 6}, {132, 3}}));
    // Down the left of the panel: the outer frame's top (pen 2) at 11.64 mm into the band.
    const auto down = [&] {
        std::vector<std::pair<int, int>> found;
        for (int y = 100; y < 250; ++y)
            if (qGray(image.pixel(10 * (10 + 50), y)) < 128)
                found.emplace_back(y, 1);
        return found;
    }();
    QVERIFY(!down.empty());
    QCOMPARE(down.front().first, 216);
    QCOMPARE(int(down.size()), 6 + 6 + 3); // frame, panel and name box tops
}

void TestReport::drawingOrder_data()
{
    QTest::addColumn<bool>("labelLast");
    QTest::newRow("label drawn after the line covers it") << true;
    QTest::newRow("line drawn after the label crosses it") << false;
}

void TestReport::drawingOrder()
{
    QFETCH(bool, labelLast);
    report::Report rep(QStringLiteral("fixture"));
    rep.geometry.leftMargin = rep.geometry.topMargin = 0;
    rep.band.width = 100;
    rep.band.height = 20;
    report::Element line{QStringLiteral("line"), report::ElementKind::Shape, report::ShapeKind::HorizontalLine,
                         {}, 0, 0, 100, 10, report::Anchor::Left, {}, 1};
    // Blanks only: a white box the width of the text and no glyph on it.
    report::Element label{QStringLiteral("label"), report::ElementKind::Label, report::ShapeKind::None,
                          QString(20, QLatin1Char(' ')), 20, 2, 10, 8, report::Anchor::Left, {}, 1};
    rep.band.elements = labelLast ? std::vector{line, label} : std::vector{label, line};
    report::PageStore store;
    rep.generate(store);
    QImage image(1000, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        rep.paintPage(painter, store.pages.front(), 254, 254);
    }
    const auto placed = rep.placeText(label, label.text, 254, 254);
    QVERIFY(placed.box.width() > 100);
    QVERIFY(qGray(image.pixel(100, 50)) < 128);                            // the line left of the text
    QCOMPARE(qGray(image.pixel(placed.box.center().x(), 50)) < 128, !labelLast); // under the text
}

void TestReport::previewControls()
{
    report::Report& rep = *m_form->QuickRep1;
    bool checked = false;
    rep.onPreviewReady = [&](report::PreviewWindow& w) {
        checked = true;
        QVERIFY(w.isVisible());
        QVERIFY(!w.isModal() && w.isWindow());
        QCOMPARE(w.pageCount(), 1);
        QCOMPARE(w.currentPage(), 1);
        QVERIFY(w.printButton()->isEnabled());
        QVERIFY(w.printerSetupButton()->isEnabled());
        w.setZoom(report::PreviewWindow::Zoom::ActualSize);
        QCOMPARE(w.view()->scale(), w.logicalDpiX() / 25.4);
        w.setZoom(report::PreviewWindow::Zoom::PageWidth);
        const double width = w.view()->scale();
        w.setZoom(report::PreviewWindow::Zoom::WholePage);
        const double whole = w.view()->scale();
        QVERIFY(whole < width);
        // The whole page fits the window's view.
        QVERIFY(w.view()->height() <= w.height());
        w.nextPage();
        w.lastPage();
        QCOMPARE(w.currentPage(), 1);
        w.close();
    };
    printPayslip(*m_form, QStringLiteral("26030001"));
    QVERIFY(checked);
    QVERIFY(rep.previews().empty());
}

void TestReport::printerSetupKeptOrCancelled()
{
    report::Report& rep = *m_form->QuickRep1;
    const QString pdf = m_dir->path() + QStringLiteral("/setup.pdf");
    rep.runSetupDialog = [&](report::PrinterSetupDialog& d) {
        d.printer->setCurrentIndex(d.printer->count() - 1); // the PDF file
        d.file->setText(pdf);
        d.copies->setValue(2);
        d.landscape->setChecked(true);
        return true;
    };
    QVERIFY(rep.printerSetup(nullptr, 1));
    QCOMPARE(rep.printSettings.outputFile, pdf);
    QCOMPARE(rep.printSettings.copies, 2);
    QCOMPARE(rep.printSettings.orientation, QPageLayout::Landscape);

    // Cancel changes nothing, whatever was touched in the dialog.
    bool shownKept = false;
    rep.runSetupDialog = [&](report::PrinterSetupDialog& d) {
        shownKept = d.copies->value() == 2 && d.landscape->isChecked();
        d.copies->setValue(7);
        d.portrait->setChecked(true);
        return false;
    };
    QVERIFY(!rep.printerSetup(nullptr, 1));
    QVERIFY(shownKept);
    QCOMPARE(rep.printSettings.copies, 2);
    QCOMPARE(rep.printSettings.orientation, QPageLayout::Landscape);

    // The next print request prints with the kept settings: two landscape sheets.
    rep.onPreviewReady = [](report::PreviewWindow& w) {
        w.printPages();
        w.close();
    };
    printPayslip(*m_form, QStringLiteral("26030001"));
    const PdfText out = readPdf(pdf);
    QCOMPARE(out.pages, 2);
    QVERIFY(out.width > out.height);
}

void TestReport::printWithoutPrinterOffersPdf()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is installed here");
    report::Report& rep = *m_form->QuickRep1;
    const QString pdf = m_dir->path() + QStringLiteral("/asked.pdf");
    int asked = 0;
    QString answer;
    rep.askPdfFile = [&](QWidget*) {
        ++asked;
        return answer;
    };
    bool shownOnTop = false;
    rep.onPrinting = [&](QProgressDialog& p) { shownOnTop = p.isVisible() && p.windowModality() != Qt::NonModal; };
    bool printed = true;
    rep.onPreviewReady = [&](report::PreviewWindow& w) {
        printed = w.printPages(); // cancelled file dialog: nothing printed
        answer = pdf;
        QVERIFY(w.printPages());
        w.close();
    };
    printPayslip(*m_form, QStringLiteral("26030001"));
    QVERIFY(!printed);
    QCOMPARE(asked, 2);
    QVERIFY(shownOnTop);
    const PdfText out = readPdf(pdf);
    QCOMPARE(out.pages, 1);
    QVERIFY(wordOf(out, "QRDBText4", m_fullTexts[QStringLiteral("m_km")]));
}

void TestReport::printCancelled()
{
    report::Report& rep = *m_form->QuickRep1;
    const QString pdf = m_dir->path() + QStringLiteral("/cancelled.pdf");
    rep.printSettings.outputFile = pdf;
    rep.printSettings.copies = 3;
    int sheets = 0;
    rep.onPrinting = [&](QProgressDialog& p) {
        if (++sheets == 2)
            p.cancel();
    };
    report::PageStore store;
    rep.generate(store);
    rep.print(store.pages.front(), nullptr);
    QCOMPARE(sheets, 2);
    const PdfText out = readPdf(pdf);
    QVERIFY(out.pages < 3);
}

void TestReport::secondRequestKeepsOwnPayslip()
{
    report::Report& rep = *m_form->QuickRep1;
    QPointer<report::PreviewWindow> first;
    QString secondShows;
    bool secondReturned = false;
    bool firstOpenAfterSecond = false;
    rep.onPreviewReady = [&](report::PreviewWindow& w) {
        if (!first) {
            // The second press arrives while the first preview waits.
            first = &w;
            QTimer::singleShot(0, &w, [&] {
                printPayslip(*m_form, QStringLiteral("T1"));
                secondReturned = true;
                firstOpenAfterSecond = first && first->isVisible();
                // The first preview still prints its own payslip.
                const QString pdf = m_dir->path() + QStringLiteral("/first.pdf");
                rep.printSettings.outputFile = pdf;
                QVERIFY(first->printPages());
                rep.printSettings.outputFile.clear();
                const PdfText out = readPdf(pdf);
                QVERIFY(wordOf(out, "QRDBText4", m_fullTexts[QStringLiteral("m_km")]));
                first->close();
            });
            return;
        }
        secondShows = w.page(1)->texts[142]; // m_km
        w.close();
    };
    printPayslip(*m_form, QStringLiteral("26030001"));
    QVERIFY(secondReturned);
    QVERIFY(firstOpenAfterSecond);
    QCOMPARE(secondShows, QStringLiteral("200.5"));
    QVERIFY(rep.previews().empty());
}

void TestReport::closingPreviewEndsWait()
{
    // The user closes the window some time after it shows: the request returns then.
    report::Report& rep = *m_form->QuickRep1;
    QElapsedTimer clock;
    rep.onPreviewReady = [&](report::PreviewWindow& w) {
        clock.start();
        QTimer::singleShot(200, &w, &QWidget::close);
    };
    printPayslip(*m_form, QStringLiteral("26030001"));
    QVERIFY(clock.elapsed() >= 150);
    QVERIFY(rep.previews().empty());

    // Ending the application ends the wait too, with the preview still open. Last, as the
    // thread's loops stay told to quit afterwards.
    rep.onPreviewReady = [&](report::PreviewWindow& w) { QTimer::singleShot(50, &w, [] { QCoreApplication::exit(0); }); };
    printPayslip(*m_form, QStringLiteral("26030001"));
    QCOMPARE(rep.previews().size(), std::size_t(1));
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
