#include "reportengine.h"

#include "dataset.h"
#include "previewwindow.h"
#include "printersetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFontMetrics>
#include <QPainter>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <algorithm>
#include <stdexcept>

namespace report {

namespace {

// Pen widths are whole multiples of one screen pixel at the device's resolution, so a
// pen-2 line stays exactly twice as heavy as a pen-1 line on every device.
int penWidth(int pen, double dpi)
{
    return std::max(1, pen) * std::max(1, qRound(dpi / 96.0));
}

QRect deviceRect(const Element& e, double dpiX, double dpiY)
{
    const int left = toDevice(e.left, dpiX);
    const int top = toDevice(e.top, dpiY);
    return QRect(left, top, toDevice(e.left + e.width, dpiX) - left, toDevice(e.top + e.height, dpiY) - top);
}

void paintShape(QPainter& painter, const Element& e, double dpiX, double dpiY)
{
    const QRectF r = deviceRect(e, dpiX, dpiY);
    const double w = penWidth(e.pen, dpiX);
    painter.setPen(QPen(Qt::black, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // Outlines stay inside the element's box, as the design measures them.
    switch (e.shape) {
    case ShapeKind::Rectangle:
        painter.fillRect(r, Qt::white);
        painter.drawRect(r.adjusted(w / 2, w / 2, -w / 2, -w / 2));
        break;
    case ShapeKind::TopAndBottomLines:
        painter.drawLine(QLineF(r.left(), r.top() + w / 2, r.right(), r.top() + w / 2));
        painter.drawLine(QLineF(r.left(), r.bottom() - w / 2, r.right(), r.bottom() - w / 2));
        break;
    case ShapeKind::VerticalLine:
        painter.drawLine(QLineF(r.center().x(), r.top(), r.center().x(), r.bottom()));
        break;
    case ShapeKind::HorizontalLine:
        painter.drawLine(QLineF(r.left(), r.center().y(), r.right(), r.center().y()));
        break;
    case ShapeKind::None:
        break;
    }
}

} // namespace

QStringList facesFor(const QString& designedFace)
{
    // The designed faces are Windows faces; these free faces have their metrics and glyphs.
    if (designedFace == QLatin1String("Arial"))
        return {QStringLiteral("Liberation Sans"), QStringLiteral("AR PL UMing TW")};
    if (designedFace == QStringLiteral("標楷體"))
        return {QStringLiteral("AR PL UKai TW")};
    return {designedFace, QStringLiteral("AR PL UMing TW")};
}

Report::Report(const QString& name)
    : m_name(name)
{
    setObjectName(name);
}

Report::~Report()
{
    // A preview cannot outlive the report it prints with.
    for (const auto& preview : m_previews)
        delete preview.data();
}

QSizeF Report::paperSizeMm() const
{
    return QSizeF(geometry.paperWidth / 10.0, geometry.paperLength / 10.0);
}

QPointF Report::bandOriginMm() const
{
    return QPointF(geometry.leftMargin / 10.0, geometry.topMargin / 10.0);
}

const Element* Report::element(const QString& name) const
{
    for (const Element& e : band.elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

QString Report::dataText(const QString& fieldName) const
{
    if (!m_dataSet || !m_dataSet->isActive())
        return {};
    try {
        const data::Field* field = m_dataSet->findField(fieldName);
        return field ? field->asString() : QString();
    } catch (...) {
        // A value that cannot be shown prints blank; the rest of the page still prints.
        return {};
    }
}

void Report::generate(PageStore& store)
{
    m_generating = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_generating};

    // No master data set: the band prints exactly once, whatever the data set holds.
    Page page;
    page.texts.reserve(band.elements.size());
    for (const Element& e : band.elements) {
        switch (e.kind) {
        case ElementKind::Label: page.texts.push_back(e.text); break;
        case ElementKind::DataText: page.texts.push_back(dataText(e.text)); break;
        case ElementKind::Shape: page.texts.emplace_back(); break;
        }
    }
    store.pages.push_back(std::move(page));
}

PlacedText Report::placeText(const Element& e, const QString& text, double dpiX, double dpiY) const
{
    const TextFont& tf = e.font.face.isEmpty() ? font : e.font;
    QFont f;
    f.setFamilies(facesFor(tf.face));
    // Character height in whole device pixels, as the design's 13 px for 10 pt at 96 dpi.
    f.setPixelSize(std::max(1, qRound(tf.points * dpiY / 72.0)));
    f.setBold(tf.bold);
    // Unhinted advances scale with the resolution, so preview and paper agree.
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetrics metrics(f);

    const int width = metrics.horizontalAdvance(text);
    const QRect design = deviceRect(e, dpiX, dpiY);
    int left = design.left();
    if (e.anchor == Anchor::Right)
        left = design.left() + design.width() - width;
    else if (e.anchor == Anchor::Centre)
        left = toDevice(e.left + e.width / 2, dpiX) - width / 2;

    PlacedText placed;
    placed.box = QRect(left, design.top(), width, std::max(design.height(), metrics.height()));
    placed.baseline = design.top() + metrics.ascent();
    placed.font = f;
    return placed;
}

void Report::paintPage(QPainter& painter, const Page& page, double dpiX, double dpiY) const
{
    painter.save();
    const QPointF origin = bandOriginMm();
    painter.translate(toDevice(origin.x(), dpiX), toDevice(origin.y(), dpiY));
    painter.fillRect(QRect(0, 0, toDevice(band.width, dpiX), toDevice(band.height, dpiY)), Qt::white);

    // Table order: a later element covers what it overlaps, fills and text backgrounds included.
    for (std::size_t i = 0; i < band.elements.size(); ++i) {
        const Element& e = band.elements[i];
        if (e.kind == ElementKind::Shape) {
            paintShape(painter, e, dpiX, dpiY);
            continue;
        }
        const QString& text = i < page.texts.size() ? page.texts[i] : QString();
        if (text.isEmpty())
            continue;
        const PlacedText placed = placeText(e, text, dpiX, dpiY);
        painter.fillRect(placed.box, Qt::white);
        painter.setFont(placed.font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(placed.box.left(), placed.baseline), text);
    }
    painter.restore();
}

bool Report::setUpPrinter(QPrinter& printer, QWidget* parent)
{
    const PrintSettings& s = printSettings;
    if (!s.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(s.outputFile);
    } else if (!s.printerName.isEmpty() && !QPrinterInfo::printerInfo(s.printerName).isNull()) {
        printer.setPrinterName(s.printerName);
    } else if (!QPrinterInfo::defaultPrinter().isNull()) {
        printer.setPrinterName(QPrinterInfo::defaultPrinterName());
    } else {
        // No printer installed: print to a PDF file instead.
        const QString file = askPdfFile
            ? askPdfFile(parent)
            : askPdfFileName(parent, QDir::home().filePath(QStringLiteral("薪資明細表.pdf")));
        if (file.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
    printer.setDocName(QStringLiteral("薪資明細表"));
    // Full-page mode puts the origin on the paper's corner: positions are measured from the
    // paper's edges, and the printer's unprintable border clips the page without moving it.
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(paperSizeMm(), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(s.orientation);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setDuplex(s.duplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
    return true;
}

void Report::paintCopies(QPrinter& printer, const Page& page, QWidget* parent)
{
    const int pageCount = 1;
    const int from = printSettings.firstPage > 0 ? printSettings.firstPage : 1;
    const int to = printSettings.lastPage > 0 ? std::min(printSettings.lastPage, pageCount) : pageCount;
    if (from > to)
        return;
    const int copies = std::max(1, printSettings.copies);
    // Where the driver makes the copies it gets the pages once.
    int rounds = copies;
    printer.setCopyCount(copies);
    if (printer.supportsMultipleCopies() && printer.copyCount() == copies)
        rounds = 1;
    else
        printer.setCopyCount(1);

    QProgressDialog progress(QStringLiteral("正在列印…"), QStringLiteral("取消"), 0, rounds * (to - from + 1), parent);
    progress.setWindowTitle(QStringLiteral("列印"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setWindowFlag(Qt::WindowStaysOnTopHint);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    if (showProgress)
        progress.show();

    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(QStringLiteral("無法開始列印：%1")
                                     .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                             : printer.outputFileName())
                                     .toStdString());
    bool firstSheet = true;
    int done = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int p = from; p <= to; ++p) {
            if (onPrinting)
                onPrinting(progress);
            QCoreApplication::processEvents();
            if (progress.wasCanceled()) {
                printer.abort();
                return;
            }
            if (!firstSheet)
                printer.newPage();
            firstSheet = false;
            // The page is laid out anew at the printer's own resolution.
            paintPage(painter, page, printer.logicalDpiX(), printer.logicalDpiY());
            progress.setValue(++done);
        }
    }
    painter.end();
}

bool Report::print(const Page& page, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!setUpPrinter(printer, parent))
        return false;
    paintCopies(printer, page, parent);
    return true;
}

void Report::writePdf(const Page& page, const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(paperSizeMm(), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(QStringLiteral("無法寫入 %1").arg(fileName).toStdString());
    paintPage(painter, page, printer.logicalDpiX(), printer.logicalDpiY());
    painter.end();
}

bool Report::printerSetup(QWidget* parent, int pageCount)
{
    PrinterSetupDialog dialog(printSettings, pageCount, parent);
    const bool accepted = runSetupDialog ? runSetupDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (accepted)
        printSettings = dialog.settings();
    return accepted;
}

std::vector<PreviewWindow*> Report::previews() const
{
    std::vector<PreviewWindow*> open;
    for (const auto& p : m_previews)
        if (p && p->isVisible())
            open.push_back(p.data());
    return open;
}

void Report::PreviewAndWait()
{
    QCoreApplication::processEvents();
    if (m_generating)
        return;

    auto store = std::make_shared<PageStore>();
    auto* window = new PreviewWindow(*this, store);
    std::erase_if(m_previews, [](const QPointer<PreviewWindow>& p) { return p.isNull(); });
    m_previews.emplace_back(window);
    window->show();
    generate(*store);
    window->pagesReady();

    QPointer<PreviewWindow> watched(window);
    if (onPreviewReady)
        onPreviewReady(*window);
    if (!watched || !watched->isVisible() || QCoreApplication::closingDown())
        return;

    // Only this preview's close ends this wait; a nested request's preview has its own.
    QEventLoop wait;
    connect(window, &PreviewWindow::closed, &wait, &QEventLoop::quit);
    connect(window, &QObject::destroyed, &wait, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &wait, &QEventLoop::quit);
    wait.exec();
}

} // namespace report
