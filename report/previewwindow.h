#pragma once
// The preview: a top-level, non-modal window showing the generated pages, with zoom, page
// moves, printer setup and print. It owns its page store; closing it discards both.
#include "reportengine.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;

namespace report {

// Draws one page of the store at the preview's zoom.
class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(const Report& report, QWidget* parent);
    void setPage(const Page* page) { m_page = page; update(); }
    // Screen pixels per millimetre of paper.
    void setScale(double pixelsPerMm);
    double scale() const { return m_scale; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const Report& m_report;
    const Page* m_page = nullptr;
    double m_scale = 96 / 25.4;
};

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    enum class Zoom { WholePage, ActualSize, PageWidth };

    PreviewWindow(Report& report, std::shared_ptr<PageStore> store);
    ~PreviewWindow() override;

    // Generation has finished: page 1 is shown and printing becomes available.
    void pagesReady();

    int pageCount() const { return m_store ? int(m_store->pages.size()) : 0; }
    const Page* page(int n) const
    {
        return n >= 1 && n <= pageCount() ? &m_store->pages[std::size_t(n - 1)] : nullptr;
    }
    int currentPage() const { return m_page; } // 1-based; 0 before the first page exists
    Zoom zoom() const { return m_zoom; }
    PageView* view() const { return m_view; }

    void setZoom(Zoom zoom);
    void showPage(int page);
    void firstPage() { showPage(1); }
    void priorPage() { showPage(m_page - 1); }
    void nextPage() { showPage(m_page + 1); }
    void lastPage() { showPage(pageCount()); }
    void printerSetup();
    // Prints the page this preview shows (its own page store), with the report's settings.
    bool printPages();

    QPushButton* printerSetupButton() const { return m_setupButton; }
    QPushButton* printButton() const { return m_printButton; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void applyZoom();
    void updateControls();

    Report& m_report;
    std::shared_ptr<PageStore> m_store;
    int m_page = 0;
    bool m_ready = false;
    Zoom m_zoom = Zoom::ActualSize;
    QScrollArea* m_scroll = nullptr;
    PageView* m_view = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_firstButton = nullptr;
    QPushButton* m_priorButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_lastButton = nullptr;
    QPushButton* m_setupButton = nullptr;
    QPushButton* m_printButton = nullptr;
};

} // namespace report
