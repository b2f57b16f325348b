#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class PrintSurface;
class QLabel;
class QScrollArea;
class QToolButton;
class PreviewCanvas;

// The on-screen preview of a PrintSurface: one page at a time on a grey desk,
// with optional margin and page guides, two zoom modes, and a navigation bar
// (first, previous, page number, next, last, and a print button).
class PrintPreview : public QWidget
{
    Q_OBJECT

public:
    // How the page is fitted into the preview.
    enum ZoomMode {
        NormalPanel = 3,   // the whole page is visible
        EnlargedPanel = 4, // the page fills the width; scroll for the rest
    };

    explicit PrintPreview(PrintSurface *surface, QWidget *parent = nullptr);
    ~PrintPreview() override;

    PrintSurface *surface() const { return m_surface; }

    void setZoomMode(int mode);
    int zoomMode() const { return m_zoomMode; }
    // 1 shows the margin and page guide lines, 0 hides them (preview only).
    void setShowGuides(int show);
    int showGuides() const { return m_showGuides ? 1 : 0; }
    // 3 shows the navigation bar with its print button, 0 hides it.
    void setNavigationBar(int style);
    int navigationBar() const { return m_navigationStyle; }

    // The page shown, 0-based.
    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int page);
    // The caption of the navigation bar's page box, e.g. "Page 2 of 5".
    QString pageCaption() const;

    // The shown page as a picture (for the clipboard), 150 dots per inch.
    QImage currentPageImage() const;
    // The picture painted for the shown page at the current zoom (cached).
    QImage renderedPage() const;

    QToolButton *printButton() const { return m_printButton; }

Q_SIGNALS:
    // The navigation bar's print button was pressed.
    void printRequested();
    void currentPageChanged(int page);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class PreviewCanvas;
    void documentChanged();
    void updateNavigation();
    void updateCanvasSize();
    qreal scale() const; // screen pixels per twip

    QPointer<PrintSurface> m_surface;
    int m_zoomMode = NormalPanel;
    bool m_showGuides = false;
    int m_navigationStyle = 3;
    int m_currentPage = 0;

    QWidget *m_navigation = nullptr;
    QToolButton *m_firstButton = nullptr;
    QToolButton *m_previousButton = nullptr;
    QLabel *m_pageLabel = nullptr;
    QToolButton *m_nextButton = nullptr;
    QToolButton *m_lastButton = nullptr;
    QToolButton *m_printButton = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    PreviewCanvas *m_canvas = nullptr;
    mutable QImage m_cache;
    mutable int m_cachePage = -1;
    mutable qreal m_cacheScale = 0;
};
