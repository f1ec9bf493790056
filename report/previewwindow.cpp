#include "previewwindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace report {

namespace {
constexpr int kPaperGap = 12; // grey border around the paper, in screen pixels
}

PageView::PageView(const Report& report, QWidget* parent)
    : QWidget(parent), m_report(report)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setScale(double pixelsPerMm)
{
    m_scale = pixelsPerMm;
    resize(sizeHint());
    update();
}

QSize PageView::sizeHint() const
{
    const QSizeF paper = m_report.paperSizeMm();
    return QSize(qRound(paper.width() * m_scale) + 2 * kPaperGap, qRound(paper.height() * m_scale) + 2 * kPaperGap);
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const QSizeF paper = m_report.paperSizeMm();
    const QRect sheet(kPaperGap, kPaperGap, qRound(paper.width() * m_scale), qRound(paper.height() * m_scale));
    painter.fillRect(sheet.translated(3, 3), QColor(64, 64, 64));
    painter.fillRect(sheet, Qt::white);
    if (!m_page)
        return;
    painter.translate(sheet.topLeft());
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The page is laid out at the zoom's own resolution, as a printer lays it out at its own.
    const double dpi = m_scale * 25.4;
    m_report.paintPage(painter, *m_page, dpi, dpi);
}

PreviewWindow::PreviewWindow(Report& report, std::shared_ptr<PageStore> store)
    : QWidget(nullptr, Qt::Window), m_report(report), m_store(std::move(store))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("預覽列印"));

    auto* tools = new QHBoxLayout;
    tools->setSpacing(4);
    auto button = [&](const QString& caption, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, slot);
        tools->addWidget(b);
        return b;
    };
    button(QStringLiteral("整頁"), [this] { setZoom(Zoom::WholePage); });
    button(QStringLiteral("實際大小"), [this] { setZoom(Zoom::ActualSize); });
    button(QStringLiteral("頁寬"), [this] { setZoom(Zoom::PageWidth); });
    tools->addSpacing(12);
    m_firstButton = button(QStringLiteral("第一頁"), [this] { firstPage(); });
    m_priorButton = button(QStringLiteral("上一頁"), [this] { priorPage(); });
    m_nextButton = button(QStringLiteral("下一頁"), [this] { nextPage(); });
    m_lastButton = button(QStringLiteral("最後一頁"), [this] { lastPage(); });
    tools->addSpacing(12);
    m_setupButton = button(QStringLiteral("印表機設定…"), [this] { printerSetup(); });
    m_printButton = button(QStringLiteral("列印…"), [this] { printPages(); });
    tools->addSpacing(12);
    button(QStringLiteral("關閉"), [this] { close(); });
    tools->addStretch(1);
    m_pageLabel = new QLabel(this);
    tools->addWidget(m_pageLabel);

    m_view = new PageView(m_report, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(m_scroll, 1);

    // Tall enough for the page at actual size where the screen allows.
    QSize size(m_view->sizeHint().width() + 40, 1000);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() - QSize(40, 60));
    resize(size);
    applyZoom();
    updateControls();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::pagesReady()
{
    m_ready = true;
    if (m_page == 0 && pageCount() > 0)
        showPage(1);
    updateControls();
}

void PreviewWindow::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    applyZoom();
}

void PreviewWindow::applyZoom()
{
    const QSizeF paper = m_report.paperSizeMm();
    const QSize room = m_scroll->viewport()->size() - QSize(2 * kPaperGap, 2 * kPaperGap);
    double scale = logicalDpiX() / 25.4;
    if (m_zoom == Zoom::WholePage)
        scale = std::min(room.width() / paper.width(), room.height() / paper.height());
    else if (m_zoom == Zoom::PageWidth)
        scale = (room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / paper.width();
    m_view->setScale(std::max(scale, 0.2));
}

void PreviewWindow::showPage(int page)
{
    if (page < 1 || page > pageCount())
        return;
    m_page = page;
    m_view->setPage(&m_store->pages[std::size_t(page - 1)]);
    updateControls();
}

void PreviewWindow::updateControls()
{
    m_pageLabel->setText(m_page > 0 ? QStringLiteral("第 %1 頁，共 %2 頁").arg(m_page).arg(pageCount()) : QString());
    m_firstButton->setEnabled(m_page > 1);
    m_priorButton->setEnabled(m_page > 1);
    m_nextButton->setEnabled(m_page > 0 && m_page < pageCount());
    m_lastButton->setEnabled(m_page > 0 && m_page < pageCount());
    m_setupButton->setEnabled(m_ready);
    m_printButton->setEnabled(m_ready && pageCount() > 0);
}

void PreviewWindow::printerSetup()
{
    if (m_ready)
        m_report.printerSetup(this, pageCount());
}

bool PreviewWindow::printPages()
{
    if (!m_ready || pageCount() == 0)
        return false;
    return m_report.print(m_store->pages.front(), this);
}

void PreviewWindow::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    if (e->isAccepted()) {
        m_view->setPage(nullptr);
        m_store.reset();
        // The store is gone: the wait of the request that opened this window ends.
        emit closed();
    }
}

void PreviewWindow::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (m_zoom != Zoom::ActualSize)
        applyZoom();
}

void PreviewWindow::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageUp: priorPage(); break;
    case Qt::Key_PageDown: nextPage(); break;
    case Qt::Key_Home: firstPage(); break;
    case Qt::Key_End: lastPage(); break;
    case Qt::Key_Escape: close(); break;
    default: QWidget::keyPressEvent(e);
    }
}

} // namespace report
