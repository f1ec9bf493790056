#pragma once
// A small banded report engine on Qt's painting and printing: one detail band of labels,
// data texts and shapes laid out in millimetres, a preview window and printing.
#include <QFont>
#include <QObject>
#include <QPageLayout>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QProgressDialog;
class QWidget;

namespace data { class DataSet; }

namespace report {

class PreviewWindow;
class PrinterSetupDialog;

enum class ElementKind { Label, DataText, Shape };
enum class ShapeKind { None, Rectangle, TopAndBottomLines, VerticalLine, HorizontalLine };
// The edge (or centre) of a text that stays put when the box takes the width of its text.
enum class Anchor { Left, Right, Centre };

struct TextFont {
    QString face;      // the face as designed ("Arial", "標楷體")
    double points = 10;
    bool bold = false;
};

// One printable element; position and design size in millimetres from the band's corner.
struct Element {
    QString name;
    ElementKind kind = ElementKind::Label;
    ShapeKind shape = ShapeKind::None;
    QString text;      // a label's caption, a data text's field name
    double left = 0, top = 0, width = 0, height = 0;
    Anchor anchor = Anchor::Left;
    TextFont font;
    int pen = 1;       // shapes: 1 or 2
};

struct Band {
    QString name;
    double width = 0, height = 0; // mm
    std::vector<Element> elements;
};

// Page geometry in tenths of a millimetre, in the order the definition keeps it.
struct PageGeometry {
    int bottomMargin = 100;
    int paperLength = 2970;
    int topMargin = 100;
    int paperWidth = 2100;
    int leftMargin = 100;
    int rightMargin = 100;
    int columnSpace = 0;
};

struct PrintSettings {
    QString printerName;       // empty: the system's default printer
    QString outputFile;        // a PDF file as destination instead of a printer
    int copies = 1;
    bool duplex = false;
    int firstPage = 0;         // 0: from the first page
    int lastPage = 0;          // 0: to the last page
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// A generated page: the text of every element, data texts resolved when it was generated,
// so a page prints what its preview shows whatever the data set does afterwards.
struct Page {
    std::vector<QString> texts; // one per band element; empty for shapes
};

struct PageStore {
    std::vector<Page> pages;
};

// The faces that stand in for a designed face: Latin from the first, Chinese from the next.
QStringList facesFor(const QString& designedFace);

// A text element placed at device resolution.
struct PlacedText {
    QRect box;     // the text's own rectangle, filled white under the text
    int baseline = 0;
    QFont font;
};

class Report : public QObject {
    Q_OBJECT
public:
    explicit Report(const QString& name);
    ~Report() override;

    const QString& name() const { return m_name; }

    // Definition.
    PageGeometry geometry;
    TextFont font{QStringLiteral("Arial"), 10, false};
    int columns = 1;
    bool printIfEmpty = true;
    bool showProgress = true;
    QString reportTitle;
    Band band;
    PrintSettings printSettings;  // kept from one run to the next; printer setup changes it
    void setDataSet(data::DataSet* dataSet) { m_dataSet = dataSet; }
    data::DataSet* dataSet() const { return m_dataSet; }

    QSizeF paperSizeMm() const;
    QPointF bandOriginMm() const;
    const Element* element(const QString& name) const;

    // Generation: one page with the band printed once, data texts from the current row.
    void generate(PageStore& store);
    bool isGenerating() const { return m_generating; }
    // The display text of a data text's field, empty when there is none to show.
    QString dataText(const QString& fieldName) const;

    // Draws a page on a device with dpiX × dpiY dots per inch whose origin is the paper's corner.
    void paintPage(QPainter& painter, const Page& page, double dpiX, double dpiY) const;
    PlacedText placeText(const Element& element, const QString& text, double dpiX, double dpiY) const;

    // Prints a page with the print settings. With no printer installed and no PDF file set,
    // asks for a PDF file first. Returns false when nothing was printed.
    bool print(const Page& page, QWidget* parent);
    // Writes a page to a PDF file as the printer does (A4 at 1200 dpi).
    void writePdf(const Page& page, const QString& fileName);
    // Printer setup on the print settings; false when cancelled (nothing changes then).
    bool printerSetup(QWidget* parent, int pageCount);

    // Generates into a fresh page store, opens a non-modal preview on it and handles events
    // until that preview closes or the application ends.
    void PreviewAndWait();

    // Seams for tests, and for hosts that want to know.
    std::function<void(PreviewWindow&)> onPreviewReady;   // page 1 shown, before the wait
    std::function<QString(QWidget*)> askPdfFile;           // replaces the save-file dialog
    std::function<bool(PrinterSetupDialog&)> runSetupDialog; // replaces exec()
    std::function<void(QProgressDialog&)> onPrinting; // progress window up, before each copy

    // Previews still open, oldest first.
    std::vector<PreviewWindow*> previews() const;

private:
    bool setUpPrinter(QPrinter& printer, QWidget* parent);
    void paintCopies(QPrinter& printer, const Page& page, QWidget* parent);

    QString m_name;
    data::DataSet* m_dataSet = nullptr;
    bool m_generating = false;
    std::vector<QPointer<PreviewWindow>> m_previews;
};

// Millimetres to device pixels.
inline int toDevice(double mm, double dpi) { return qRound(mm * dpi / 25.4); }

} // namespace report
