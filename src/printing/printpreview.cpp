#include "printing/printpreview.h"

#include "printing/printsurface.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kDeskPadding = 12; // pixels of desk around the page
} // namespace

// The scrolled area the page is painted on.
class PreviewCanvas : public QWidget
{
public:
    explicit PreviewCanvas(PrintPreview *preview)
        : QWidget(preview)
        , m_preview(preview)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        PrintSurface *surface = m_preview->surface();
        if (!surface)
            return;
        const qreal scale = m_preview->scale();
        const QSize paper = surface->pageSizeTwips(m_preview->currentPage());
        const QSize pagePixels(qRound(paper.width() * scale), qRound(paper.height() * scale));
        const QPoint topLeft(std::max(kDeskPadding, (width() - pagePixels.width()) / 2), kDeskPadding);
        const QRect page(topLeft, pagePixels);
        painter.fillRect(page.translated(3, 3), QColor(64, 64, 64));
        painter.fillRect(page, Qt::white);
        const QImage image = m_preview->renderedPage();
        if (!image.isNull())
            painter.drawImage(topLeft, image);
        if (m_preview->showGuides()) {
            const PrintMargins margins = surface->margins();
            painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
            painter.drawRect(page.adjusted(0, 0, -1, -1));
            const QRectF inner(topLeft.x() + margins.left * scale, topLeft.y() + margins.top * scale,
                               (paper.width() - margins.left - margins.right) * scale,
                               (paper.height() - margins.top - margins.bottom) * scale);
            painter.drawRect(inner);
        }
    }

private:
    PrintPreview *m_preview;
};

PrintPreview::PrintPreview(PrintSurface *surface, QWidget *parent)
    : QWidget(parent)
    , m_surface(surface)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The preview is opaque: enlarged, it lies over the panel's options.
    setAutoFillBackground(true);
    m_navigation = new QWidget(this);
    auto *bar = new QHBoxLayout(m_navigation);
    bar->setContentsMargins(4, 2, 4, 2);
    const auto makeButton = [this, bar](QStyle::StandardPixmap icon, const QString &tip) {
        auto *button = new QToolButton(m_navigation);
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(tip);
        button->setAutoRaise(true);
        bar->addWidget(button);
        return button;
    };
    m_firstButton = makeButton(QStyle::SP_MediaSkipBackward, tr("First page"));
    m_previousButton = makeButton(QStyle::SP_MediaSeekBackward, tr("Previous page"));
    m_pageLabel = new QLabel(m_navigation);
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageLabel);
    m_nextButton = makeButton(QStyle::SP_MediaSeekForward, tr("Next page"));
    m_lastButton = makeButton(QStyle::SP_MediaSkipForward, tr("Last page"));
    bar->addSpacing(12);
    m_printButton = new QToolButton(m_navigation);
    m_printButton->setText(tr("Print"));
    m_printButton->setToolTip(tr("Print the document"));
    m_printButton->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));
    m_printButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(m_printButton);
    bar->addStretch();
    layout->addWidget(m_navigation);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::Panel);
    m_scrollArea->setFrameShadow(QFrame::Sunken);
    m_scrollArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_canvas = new PreviewCanvas(this);
    m_scrollArea->setWidget(m_canvas);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->viewport()->installEventFilter(this);
    layout->addWidget(m_scrollArea, 1);

    connect(m_firstButton, &QToolButton::clicked, this, [this] { setCurrentPage(0); });
    connect(m_previousButton, &QToolButton::clicked, this, [this] { setCurrentPage(m_currentPage - 1); });
    connect(m_nextButton, &QToolButton::clicked, this, [this] { setCurrentPage(m_currentPage + 1); });
    connect(m_lastButton, &QToolButton::clicked, this, [this] {
        setCurrentPage(m_surface ? m_surface->pageCount() - 1 : 0);
    });
    connect(m_printButton, &QToolButton::clicked, this, &PrintPreview::printRequested);
    if (m_surface)
        connect(m_surface, &PrintSurface::documentChanged, this, &PrintPreview::documentChanged);
    updateNavigation();
    updateCanvasSize();
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::setZoomMode(int mode)
{
    m_zoomMode = mode == EnlargedPanel ? EnlargedPanel : NormalPanel;
    updateCanvasSize();
}

void PrintPreview::setShowGuides(int show)
{
    m_showGuides = show != 0;
    m_canvas->update();
}

void PrintPreview::setNavigationBar(int style)
{
    m_navigationStyle = style;
    m_navigation->setVisible(style != 0);
}

void PrintPreview::setCurrentPage(int page)
{
    const int count = m_surface ? m_surface->pageCount() : 0;
    page = std::clamp(page, 0, std::max(0, count - 1));
    if (page == m_currentPage)
        return;
    m_currentPage = page;
    m_scrollArea->verticalScrollBar()->setValue(0);
    updateNavigation();
    updateCanvasSize();
    Q_EMIT currentPageChanged(page);
}

QString PrintPreview::pageCaption() const
{
    const int count = m_surface ? m_surface->pageCount() : 0;
    return tr("Page %1 of %2").arg(count == 0 ? 0 : m_currentPage + 1).arg(count);
}

QImage PrintPreview::currentPageImage() const
{
    if (!m_surface || m_surface->pageCount() == 0)
        return {};
    return m_surface->pageImage(m_currentPage, 150);
}

QImage PrintPreview::renderedPage() const
{
    if (!m_surface || m_surface->pageCount() == 0)
        return {};
    const qreal currentScale = scale();
    if (m_cachePage != m_currentPage || !qFuzzyCompare(m_cacheScale, currentScale) || m_cache.isNull()) {
        const QSize paper = m_surface->pageSizeTwips(m_currentPage);
        QImage image(qMax(1, qRound(paper.width() * currentScale)),
                     qMax(1, qRound(paper.height() * currentScale)), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        m_surface->renderPage(painter, m_currentPage, currentScale);
        painter.end();
        m_cache = image;
        m_cachePage = m_currentPage;
        m_cacheScale = currentScale;
    }
    return m_cache;
}

void PrintPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateCanvasSize();
}

bool PrintPreview::eventFilter(QObject *watched, QEvent *event)
{
    // The page is fitted to the scrolled area's viewport, which learns its
    // final size after the preview itself.
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize)
        updateCanvasSize();
    return QWidget::eventFilter(watched, event);
}

void PrintPreview::documentChanged()
{
    m_cache = QImage();
    m_cachePage = -1;
    const int count = m_surface ? m_surface->pageCount() : 0;
    if (m_currentPage >= count)
        m_currentPage = std::max(0, count - 1);
    updateNavigation();
    updateCanvasSize();
    m_canvas->update();
}

void PrintPreview::updateNavigation()
{
    const int count = m_surface ? m_surface->pageCount() : 0;
    m_pageLabel->setText(pageCaption());
    m_firstButton->setEnabled(m_currentPage > 0);
    m_previousButton->setEnabled(m_currentPage > 0);
    m_nextButton->setEnabled(m_currentPage + 1 < count);
    m_lastButton->setEnabled(m_currentPage + 1 < count);
    m_printButton->setEnabled(count > 0);
}

qreal PrintPreview::scale() const
{
    if (!m_surface)
        return 1.0 / 15;
    const QSize paper = m_surface->pageSizeTwips(m_currentPage);
    const QSize viewport = m_scrollArea->viewport()->size();
    const int scrollBar = m_scrollArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const qreal widthScale = qMax(40, viewport.width() - 2 * kDeskPadding - scrollBar)
        / qreal(paper.width());
    if (m_zoomMode == EnlargedPanel)
        return widthScale;
    const qreal heightScale = qMax(40, viewport.height() - 2 * kDeskPadding) / qreal(paper.height());
    return std::min(widthScale, heightScale);
}

void PrintPreview::updateCanvasSize()
{
    if (!m_canvas)
        return;
    const qreal currentScale = scale();
    const QSize paper = m_surface ? m_surface->pageSizeTwips(m_currentPage) : QSize(12240, 15840);
    const QSize viewport = m_scrollArea->viewport()->size();
    const int height = qRound(paper.height() * currentScale) + 2 * kDeskPadding;
    m_canvas->resize(viewport.width(), std::max(viewport.height(), height));
    m_canvas->update();
}
