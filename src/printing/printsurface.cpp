#include "printing/printsurface.h"

#include "platform/records/safefile.h"
#include "platform/rtf/rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <optional>
#include <variant>

namespace {

constexpr qreal kTwipsPerInch = 1440.0;
constexpr qreal kTwipsPerPoint = 20.0;

// Text is measured and laid out on a device of 1440 dots per inch, so one
// device unit is one twip. A picture is the simplest paint device with a
// settable resolution; it is never painted on.
const QPaintDevice *twipsDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(kTwipsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

QFont measuringFont(const QFont &font)
{
    return QFont(font, twipsDevice());
}

// The same font with its size fixed in twips, so it draws at the right size
// on any painter scaled from twips to its device.
QFont drawingFont(const QFont &font)
{
    QFont scaled(font);
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    scaled.setPixelSize(std::max(1, qRound(points * kTwipsPerPoint)));
    return scaled;
}

struct TextItem
{
    QString text;
    QPointF position; // top of the line
    QFont font;
    QColor colour;
    qreal ascent = 0;
};

struct LineItem
{
    QLineF line;
    QColor colour;
};

// A horizontal band [start, end) of a laid-out rich-text document placed on a
// page with the band's top at `origin`.
struct RichSlice
{
    std::shared_ptr<QTextDocument> document;
    QPointF origin;
    qreal start = 0;
    qreal end = 0;
};

// Drawing of a composer's own (the progress chart), in twips.
struct PaintItem
{
    QRectF area;
    std::shared_ptr<PrintSurface::Painting> paint;
};

using PageItem = std::variant<TextItem, LineItem, RichSlice, PaintItem>;

// Calls `visit(text, position, font, colour, wholeLine)` for every piece of
// text of a slice, line by line; pieces of one line share its y.
template<typename Visit>
void forEachSliceText(const RichSlice &slice, Visit visit)
{
    QAbstractTextDocumentLayout *layout = slice.document->documentLayout();
    for (QTextBlock block = slice.document->begin(); block.isValid(); block = block.next()) {
        const QRectF blockRect = layout->blockBoundingRect(block);
        if (blockRect.bottom() <= slice.start || blockRect.top() >= slice.end)
            continue;
        const QTextLayout *textLayout = block.layout();
        const QString blockText = block.text();
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            const QTextLine line = textLayout->lineAt(i);
            const qreal top = blockRect.top() + line.y();
            if (top < slice.start - 0.5 || top >= slice.end - 0.5)
                continue;
            const int lineStart = line.textStart();
            const int lineEnd = lineStart + line.textLength();
            const qreal pageY = slice.origin.y() + top - slice.start;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int fragmentStart = fragment.position() - block.position();
                const int from = std::max(lineStart, fragmentStart);
                const int to = std::min(lineEnd, fragmentStart + fragment.length());
                if (from >= to)
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                const QColor colour = format.foreground().style() == Qt::NoBrush
                    ? QColor(Qt::black) : format.foreground().color();
                const qreal x = slice.origin.x() + blockRect.left() + line.cursorToX(from);
                visit(blockText.mid(from, to - from), QPointF(x, pageY), format.font(), colour);
            }
        }
    }
}

} // namespace

struct PrintSurface::Page
{
    QSize size;
    QString section;
    std::vector<PageItem> items;
};

PrintSurface::PrintSurface(QObject *parent)
    : QObject(parent)
    , m_pageSize(defaultPageSize())
{
    setFont(QStringLiteral("Times New Roman"), 12);
}

PrintSurface::~PrintSurface() = default;

// --- Document ---------------------------------------------------------------

void PrintSurface::clear()
{
    m_pages.clear();
    m_anchors.clear();
    m_links.clear();
    m_runningSection.clear();
    m_composing = false;
    m_x = m_margins.left;
    m_y = m_margins.top;
    Q_EMIT documentChanged();
}

void PrintSurface::startDoc()
{
    m_pages.clear();
    m_anchors.clear();
    m_links.clear();
    m_runningSection.clear();
    m_composing = true;
    m_x = m_margins.left;
    m_y = m_margins.top;
}

void PrintSurface::endDoc()
{
    m_composing = false;
    Q_EMIT documentChanged();
}

void PrintSurface::newPage()
{
    ensurePage();
    breakPage();
}

int PrintSurface::pageCount() const
{
    return int(m_pages.size());
}

PrintSurface::Page &PrintSurface::currentPage()
{
    ensurePage();
    return *m_pages.back();
}

void PrintSurface::ensurePage()
{
    if (m_pages.empty()) {
        auto page = std::make_unique<Page>();
        page->size = QSize(pageWidth(), pageHeight());
        page->section = m_runningSection;
        m_pages.push_back(std::move(page));
    }
}

void PrintSurface::breakPage()
{
    auto page = std::make_unique<Page>();
    page->size = QSize(pageWidth(), pageHeight());
    page->section = m_runningSection;
    m_pages.push_back(std::move(page));
    m_x = m_margins.left;
    m_y = m_margins.top;
}

int PrintSurface::contentBottom() const
{
    return pageHeight() - m_margins.bottom;
}

int PrintSurface::rightEdge() const
{
    return pageWidth() - m_margins.right;
}

// --- Font -------------------------------------------------------------------

void PrintSurface::setFont(const QString &family, qreal pointSize, bool bold, bool italic,
                           bool underline, bool strikeOut)
{
    QFont font(family);
    font.setPointSizeF(pointSize > 0 ? pointSize : 10);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    m_font = font;
}

void PrintSurface::setFont(const QFont &font)
{
    m_font = font;
    if (m_font.pointSizeF() <= 0)
        m_font.setPointSizeF(10);
}

void PrintSurface::setFontBold(bool bold)
{
    m_font.setBold(bold);
}

void PrintSurface::setFontSize(qreal pointSize)
{
    m_font.setPointSizeF(pointSize > 0 ? pointSize : 10);
}

// --- Page geometry ----------------------------------------------------------

void PrintSurface::setPageSize(const QPageSize &size)
{
    if (size.isValid())
        m_pageSize = size;
}

void PrintSurface::setOrientation(QPageLayout::Orientation orientation)
{
    m_orientation = orientation;
}

int PrintSurface::pageWidth() const
{
    const QSizeF points = m_pageSize.size(QPageSize::Point);
    const qreal side = m_orientation == QPageLayout::Portrait ? points.width() : points.height();
    return qRound(side * kTwipsPerPoint);
}

int PrintSurface::pageHeight() const
{
    const QSizeF points = m_pageSize.size(QPageSize::Point);
    const qreal side = m_orientation == QPageLayout::Portrait ? points.height() : points.width();
    return qRound(side * kTwipsPerPoint);
}

QPageLayout PrintSurface::pageLayout() const
{
    const QMarginsF margins(m_margins.left / kTwipsPerPoint, m_margins.top / kTwipsPerPoint,
                            m_margins.right / kTwipsPerPoint, m_margins.bottom / kTwipsPerPoint);
    return QPageLayout(m_pageSize, m_orientation, margins, QPageLayout::Point);
}

void PrintSurface::setPageLayout(const QPageLayout &layout)
{
    if (!layout.isValid())
        return;
    setPageSize(layout.pageSize());
    m_orientation = layout.orientation();
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    m_margins = PrintMargins{qRound(margins.left() * kTwipsPerPoint),
                             qRound(margins.top() * kTwipsPerPoint),
                             qRound(margins.right() * kTwipsPerPoint),
                             qRound(margins.bottom() * kTwipsPerPoint)};
}

// --- Output -----------------------------------------------------------------

int PrintSurface::textWidth(const QString &text) const
{
    return qCeil(QFontMetricsF(measuringFont(m_font)).horizontalAdvance(text));
}

int PrintSurface::lineHeight() const
{
    return qCeil(QFontMetricsF(measuringFont(m_font)).lineSpacing());
}

void PrintSurface::text(const QString &text)
{
    const QFontMetricsF metrics(measuringFont(m_font));
    currentPage().items.push_back(
        TextItem{text, QPointF(m_x, m_y), m_font, m_textColour, metrics.ascent()});
    m_x += qCeil(metrics.horizontalAdvance(text));
}

void PrintSurface::paragraph(const QString &text)
{
    ensurePage();
    const QFont font = measuringFont(m_font);
    const QFontMetricsF metrics(font);
    const qreal advance = qCeil(metrics.lineSpacing());
    const int left = m_x;
    const qreal width = std::max(rightEdge() - left, 720);

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &source : normalised.split(QLatin1Char('\n'))) {
        QTextLayout layout(source, font, twipsDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(width);
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            if (m_y + advance > contentBottom() && m_y > m_margins.top)
                breakPage();
            QString piece = source.mid(line.textStart(), line.textLength());
            while (piece.endsWith(QLatin1Char(' ')) && piece.size() > 1)
                piece.chop(1);
            currentPage().items.push_back(
                TextItem{piece, QPointF(left, m_y), m_font, m_textColour, metrics.ascent()});
            m_y += advance;
        }
    }
    m_x = m_margins.left;
}

void PrintSurface::paragraphRtf(const QByteArray &rtf)
{
    QTextDocument document;
    Rtf::read(rtf, &document);
    paragraph(document);
}

void PrintSurface::paragraph(const QTextDocument &source)
{
    ensurePage();
    auto document = std::shared_ptr<QTextDocument>(source.clone());
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    layout->setPaintDevice(const_cast<QPaintDevice *>(twipsDevice()));
    document->setDocumentMargin(0);
    const int left = m_x;
    document->setTextWidth(std::max(rightEdge() - left, 720));
    const qreal height = layout->documentSize().height();

    // Line bands, so that pages break between lines (also inside tables,
    // where the lines of neighbouring cells interleave).
    std::vector<std::pair<qreal, qreal>> bands;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QRectF blockRect = layout->blockBoundingRect(block);
        const QTextLayout *textLayout = block.layout();
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            const QTextLine line = textLayout->lineAt(i);
            bands.emplace_back(blockRect.top() + line.y(), blockRect.top() + line.y() + line.height());
        }
    }
    const auto crossedBy = [&bands](qreal y) {
        qreal firstTop = y;
        for (const auto &[top, bottom] : bands) {
            if (top < y - 0.5 && bottom > y + 0.5)
                firstTop = std::min(firstTop, top);
        }
        return firstTop;
    };

    qreal start = 0;
    while (start < height - 0.5) {
        const qreal room = contentBottom() - m_y;
        qreal end = std::min(height, start + room);
        if (end < height) {
            for (qreal moved = crossedBy(end); moved < end; moved = crossedBy(end))
                end = moved;
        }
        if (end <= start + 0.5) {
            if (m_y > m_margins.top) {
                breakPage();
                continue;
            }
            end = std::min(height, start + std::max<qreal>(room, 1)); // a line taller than a page
        }
        currentPage().items.push_back(RichSlice{document, QPointF(left, m_y), start, end});
        m_y += qCeil(end - start);
        start = end;
        if (start < height - 0.5)
            breakPage();
    }
    m_x = m_margins.left;
}

void PrintSurface::drawLine(int x1, int y1, int x2, int y2)
{
    currentPage().items.push_back(LineItem{QLineF(x1, y1, x2, y2), m_penColour});
}

void PrintSurface::keepWithNext(int twips)
{
    ensurePage();
    if (m_y + twips > contentBottom() && m_y > m_margins.top)
        breakPage();
}

void PrintSurface::heading(const QString &text, int level, int followingLines)
{
    const int own = lineHeight();
    QFont body = m_font;
    body.setBold(false);
    body.setPointSizeF(std::min<qreal>(m_font.pointSizeF(), 12));
    const int bodyLine = qCeil(QFontMetricsF(measuringFont(body)).lineSpacing());
    keepWithNext(own + followingLines * bodyLine);
    if (level >= 0)
        addAnchor(text, level);
    paragraph(text);
}

int PrintSurface::addAnchor(const QString &title, int level)
{
    ensurePage();
    m_anchors.append(PrintAnchor{title, level, pageCount() - 1, m_y});
    return int(m_anchors.size()) - 1;
}

void PrintSurface::addLink(const QRectF &areaTwips, int anchor)
{
    ensurePage();
    m_links.append(PrintLink{pageCount() - 1, areaTwips, anchor});
}

void PrintSurface::paintArea(const QRectF &areaTwips, Painting paint)
{
    currentPage().items.push_back(PaintItem{areaTwips, std::make_shared<Painting>(std::move(paint))});
}

void PrintSurface::setRunningSection(const QString &section)
{
    m_runningSection = section;
    if (!m_pages.empty() && m_pages.back()->items.empty())
        m_pages.back()->section = section;
}

QString PrintSurface::pageSection(int page) const
{
    if (page < 0 || page >= pageCount())
        return {};
    return m_pages[page]->section;
}

void PrintSurface::stampPageFurniture(const PageFurniture &furniture)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(9);
    const QFontMetricsF metrics(measuringFont(font));
    const int total = pageCount();
    for (int i = 0; i < total; ++i) {
        Page &page = *m_pages[i];
        const int width = page.size.width();
        const int height = page.size.height();
        const int inset = 720; // half an inch from every edge
        const qreal headerY = inset - metrics.height();
        const qreal footerY = height - inset;
        const auto place = [&](const QString &text, qreal y, int alignment) {
            if (text.isEmpty())
                return;
            qreal x = inset;
            const qreal textWidth = metrics.horizontalAdvance(text);
            if (alignment == Qt::AlignRight)
                x = width - inset - textWidth;
            else if (alignment == Qt::AlignHCenter)
                x = (width - textWidth) / 2;
            page.items.push_back(TextItem{text, QPointF(x, y), font, Qt::black, metrics.ascent()});
        };
        const QString title = page.section.isEmpty() ? furniture.document : page.section;
        place(furniture.organization, headerY, Qt::AlignLeft);
        place(title, headerY, furniture.organization.isEmpty() ? Qt::AlignLeft : Qt::AlignRight);
        place(tr("Page %1 of %2").arg(i + 1).arg(total), footerY, Qt::AlignRight);
        place(furniture.date, footerY, Qt::AlignLeft);
        if (!page.section.isEmpty() && !furniture.document.isEmpty() && page.section != furniture.document)
            place(furniture.document, footerY, Qt::AlignHCenter);
        page.items.push_back(LineItem{QLineF(inset, headerY + metrics.height() + 20, width - inset,
                                             headerY + metrics.height() + 20),
                                      QColor(Qt::darkGray)});
    }
}

void PrintSurface::appendDocument(const PrintSurface &other)
{
    const int offset = pageCount();
    for (const auto &page : other.m_pages)
        m_pages.push_back(std::make_unique<Page>(*page));
    for (PrintAnchor anchor : other.m_anchors) {
        anchor.page += offset;
        m_anchors.append(anchor);
    }
    const int anchorOffset = int(m_anchors.size()) - int(other.m_anchors.size());
    for (PrintLink link : other.m_links) {
        link.page += offset;
        link.anchor += anchorOffset;
        m_links.append(link);
    }
}

namespace {
std::optional<QPageSize> &chosenPageSize()
{
    static std::optional<QPageSize> chosen;
    return chosen;
}
} // namespace

QPageSize PrintSurface::defaultPageSize()
{
    if (chosenPageSize())
        return *chosenPageSize();
    const QLocale locale;
    const bool letter = locale.territory() == QLocale::UnitedStates || locale.language() == QLocale::C;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

void PrintSurface::rememberPageSize(const QPageSize &size)
{
    if (size.isValid())
        chosenPageSize() = size;
    else
        chosenPageSize().reset();
}

// --- Reading the pages ------------------------------------------------------

QList<PrintedText> PrintSurface::texts(int page) const
{
    QList<PrintedText> result;
    if (page < 0 || page >= pageCount())
        return result;
    for (const PageItem &item : m_pages[page]->items) {
        if (const auto *text = std::get_if<TextItem>(&item)) {
            result.append({text->text, text->position, text->font, text->colour});
        } else if (const auto *slice = std::get_if<RichSlice>(&item)) {
            forEachSliceText(*slice, [&result](const QString &piece, QPointF at, const QFont &font,
                                               const QColor &colour) {
                result.append({piece, at, font, colour});
            });
        }
    }
    return result;
}

QList<PrintedLine> PrintSurface::lines(int page) const
{
    QList<PrintedLine> result;
    if (page < 0 || page >= pageCount())
        return result;
    for (const PageItem &item : m_pages[page]->items) {
        if (const auto *line = std::get_if<LineItem>(&item))
            result.append({line->line, line->colour});
    }
    return result;
}

QString PrintSurface::pageText(int page) const
{
    QList<PrintedText> pieces = texts(page);
    std::stable_sort(pieces.begin(), pieces.end(), [](const PrintedText &a, const PrintedText &b) {
        if (qAbs(a.position.y() - b.position.y()) > 1)
            return a.position.y() < b.position.y();
        return a.position.x() < b.position.x();
    });
    QStringList lines;
    qreal lineY = -1e9;
    for (const PrintedText &piece : pieces) {
        if (qAbs(piece.position.y() - lineY) > 1) {
            lines.append(piece.text);
            lineY = piece.position.y();
        } else {
            lines.last() += piece.text;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QSize PrintSurface::pageSizeTwips(int page) const
{
    if (page < 0 || page >= pageCount())
        return QSize(pageWidth(), pageHeight());
    return m_pages[page]->size;
}

// --- Rendering --------------------------------------------------------------

void PrintSurface::renderPage(QPainter &painter, int page, qreal deviceUnitsPerTwip) const
{
    if (page < 0 || page >= pageCount())
        return;
    const Page &recorded = *m_pages[page];
    painter.save();
    painter.scale(deviceUnitsPerTwip, deviceUnitsPerTwip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PageItem &item : recorded.items) {
        if (const auto *text = std::get_if<TextItem>(&item)) {
            painter.setFont(drawingFont(text->font));
            painter.setPen(text->colour);
            painter.drawText(QPointF(text->position.x(), text->position.y() + text->ascent),
                             text->text);
        } else if (const auto *line = std::get_if<LineItem>(&item)) {
            // A rule a little over half a point wide, as on paper, and never
            // thinner than one device pixel, so it shows on the screen.
            QPen pen(line->colour, std::max(1.0, 12 * deviceUnitsPerTwip));
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.drawLine(line->line);
        } else if (const auto *slice = std::get_if<RichSlice>(&item)) {
            painter.save();
            painter.translate(slice->origin.x(), slice->origin.y() - slice->start);
            const QRectF band(-slice->origin.x(), slice->start, recorded.size.width(),
                              slice->end - slice->start);
            painter.setClipRect(band, Qt::IntersectClip);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = band.adjusted(0, 0.5, 0, -0.5);
            context.palette.setColor(QPalette::Text, Qt::black);
            slice->document->documentLayout()->draw(&painter, context);
            painter.restore();
        } else if (const auto *paint = std::get_if<PaintItem>(&item)) {
            painter.save();
            painter.setClipRect(paint->area, Qt::IntersectClip);
            (*paint->paint)(painter, paint->area);
            painter.restore();
        }
    }
    painter.restore();
}

QImage PrintSurface::pageImage(int page, qreal dotsPerInch) const
{
    const QSize size = pageSizeTwips(page);
    const qreal scale = dotsPerInch / kTwipsPerInch;
    QImage image(qCeil(size.width() * scale), qCeil(size.height() * scale), QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPage(painter, page, scale);
    return image;
}

namespace {

QPageLayout fullPageLayout(QSize twips)
{
    const QSizeF points(twips.width() / kTwipsPerPoint, twips.height() / kTwipsPerPoint);
    const bool landscape = points.width() > points.height();
    const QSizeF portrait = landscape ? points.transposed() : points;
    return QPageLayout(QPageSize(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Point);
}

} // namespace

bool PrintSurface::print(QPrinter &printer, QString *error) const
{
    const auto fail = [error, &printer](const QString &reason) {
        if (error) {
            const QString target = printer.outputFileName().isEmpty()
                ? printer.printerName() : printer.outputFileName();
            *error = target.isEmpty() ? reason : target + QStringLiteral(": ") + reason;
        }
        return false;
    };
    if (pageCount() == 0)
        return fail(tr("There is nothing to print."));
    printer.setFullPage(true);
    printer.setPageLayout(fullPageLayout(m_pages.front()->size));
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(tr("The printer could not be started."));
    const qreal scale = printer.resolution() / kTwipsPerInch;
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0) {
            printer.setPageLayout(fullPageLayout(m_pages[page]->size));
            if (!printer.newPage())
                return fail(tr("The printer refused a new page."));
        }
        renderPage(painter, page, scale);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(tr("The printer reported an error."));
    return true;
}

QByteArray PrintSurface::pdf(const PdfInfo &info) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        writer.setResolution(1200);
        const QSize firstSize = pageCount() > 0 ? m_pages.front()->size
                                                : QSize(pageWidth(), pageHeight());
        writer.setPageLayout(fullPageLayout(firstSize));
        QPainter painter(&writer);
        const qreal scale = writer.resolution() / kTwipsPerInch;
        for (int page = 0; page < pageCount(); ++page) {
            if (page > 0) {
                writer.setPageLayout(fullPageLayout(m_pages[page]->size));
                writer.newPage();
            }
            renderPage(painter, page, scale);
        }
    }
    return bytes;
}

bool PrintSurface::writePdf(const QString &path, const PdfInfo &info, QString *error) const
{
    QString reason;
    if (writeFileSafely(path, pdf(info), &reason))
        return true;
    if (error)
        *error = reason;
    return false;
}
