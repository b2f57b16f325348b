#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QObject>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;
class QTextDocument;

// Page margins in twips (1/1440 inch), measured from the paper's edges.
struct PrintMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PrintMargins &, const PrintMargins &) = default;
};

// One piece of text as it was placed on a recorded page (twips from the
// paper's top-left corner; `position` is the top of its line).
struct PrintedText
{
    QString text;
    QPointF position;
    QFont font;
    QColor colour;
};

// One straight line as it was placed on a recorded page (twips).
struct PrintedLine
{
    QLineF line;
    QColor colour;
};

// What a PDF says about itself.
struct PdfInfo
{
    QString title;
    QString creator = QStringLiteral("Sentrivo");
};

// A heading's place in the document (0-based page, twips from the paper's
// top): what the contents list and the PDF's bookmarks point at. Level 0 is
// a section, level 1 an item inside it.
struct PrintAnchor
{
    QString title;
    int level = 0;
    int page = 0;
    int y = 0;
};

// An area of a page that, clicked in a PDF, goes to an anchor.
struct PrintLink
{
    int page = 0;
    QRectF area; // twips
    int anchor = 0; // index into anchors()
};

// What every page of a document carries besides its content: the
// organization and the document's (or the page's section's) name at the top,
// "Page N of M" and the date at the bottom.
struct PageFurniture
{
    QString organization;
    QString document;
    QString date;
};

// The document every printout is composed on. Callers compose in twips with a
// current position, a font and colours, paragraphs of plain or rich text,
// loose text and lines; the surface records the pages once. The on-screen
// preview, the printer and the PDF writer all render those same pages, so
// what the user previews is what is printed, and the text of a PDF is real,
// selectable text.
//
// Composition follows the usual print-preview pattern:
//     surface.clear(); surface.setMargins(...); surface.startDoc();
//     surface.paragraph(...); ... surface.endDoc();
// Text and rich text are measured at 1440 dots per inch, so twips are the
// layout's own unit and nothing is rounded to screen pixels.
class PrintSurface : public QObject
{
    Q_OBJECT

public:
    explicit PrintSurface(QObject *parent = nullptr);
    ~PrintSurface() override;

    // --- Document --------------------------------------------------------
    // Output goes to the recorded pages either way; the flag only says the
    // document is meant for the on-screen preview (as opposed to a direct
    // print), which is the program's only use.
    void setPreview(bool preview) { m_preview = preview; }
    bool preview() const { return m_preview; }

    // Discards the current document (no pages; documentChanged is emitted).
    void clear();
    // Opens a new document on page 1: the position moves to the top-left margin.
    void startDoc();
    // Finishes the document and shows it (documentChanged is emitted).
    void endDoc();
    bool isComposing() const { return m_composing; }
    // Later output starts at the top margin of a new page.
    void newPage();
    // Number of recorded pages; non-zero once anything was output.
    int pageCount() const;

    // --- Font and colours ------------------------------------------------
    void setFont(const QString &family, qreal pointSize, bool bold = false, bool italic = false,
                 bool underline = false, bool strikeOut = false);
    void setFont(const QFont &font);
    QFont font() const { return m_font; }
    void setFontBold(bool bold);
    void setFontSize(qreal pointSize);
    void setTextColor(const QColor &colour) { m_textColour = colour; }
    QColor textColor() const { return m_textColour; }
    void setPenColor(const QColor &colour) { m_penColour = colour; }
    QColor penColor() const { return m_penColour; }

    // --- Page geometry (twips) -------------------------------------------
    void setMargins(const PrintMargins &margins) { m_margins = margins; }
    PrintMargins margins() const { return m_margins; }
    void setMarginLeft(int twips) { m_margins.left = twips; }
    void setMarginTop(int twips) { m_margins.top = twips; }
    void setMarginRight(int twips) { m_margins.right = twips; }
    void setMarginBottom(int twips) { m_margins.bottom = twips; }
    int marginLeft() const { return m_margins.left; }
    int marginTop() const { return m_margins.top; }
    int marginRight() const { return m_margins.right; }
    int marginBottom() const { return m_margins.bottom; }

    // Paper size (default US Letter) and orientation. Changing them while a
    // document is open affects the pages started afterwards.
    void setPageSize(const QPageSize &size);
    QPageSize pageSize() const { return m_pageSize; }
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const { return m_orientation; }
    // Paper width and height in the current orientation.
    int pageWidth() const;
    int pageHeight() const;
    // The page size, orientation and margins as one layout (points), and
    // back: what the page-setup dialog shows and returns.
    QPageLayout pageLayout() const;
    void setPageLayout(const QPageLayout &layout);

    // --- Position (twips) ------------------------------------------------
    int currentX() const { return m_x; }
    int currentY() const { return m_y; }
    void setCurrentX(int twips) { m_x = twips; }
    void setCurrentY(int twips) { m_y = twips; }

    // --- Output ----------------------------------------------------------
    // Plain text printed from the current position, wrapped between the
    // current x and the right margin, flowing onto new pages; afterwards x is
    // back at the left margin and y is below the paragraph.
    void paragraph(const QString &text);
    // A rich-text document, likewise, keeping its own fonts and colours;
    // pages break between lines. The surface keeps its own copy.
    void paragraph(const QTextDocument &document);
    // An RTF document (Windows-1252), as paragraph(QTextDocument).
    void paragraphRtf(const QByteArray &rtf);
    // Text at the current position without ending the line: x advances by
    // its width, y stays.
    void text(const QString &text);
    // Width of the text in the current font (twips).
    int textWidth(const QString &text) const;
    // Height of one line in the current font (twips).
    int lineHeight() const;
    // A straight line in the pen colour on the current page.
    void drawLine(int x1, int y1, int x2, int y2);
    // Starts a new page unless `twips` of room are left below the current
    // position (a heading and what follows it stay together).
    void keepWithNext(int twips);
    // A heading: plain text in the current font that is never the last line
    // of a page (room for it and `followingLines` body lines, or a new page).
    // With a level of 0 or more it is also an anchor (contents, bookmarks).
    void heading(const QString &text, int level = -1, int followingLines = 2);
    // Records an anchor at the current position of the current page.
    int addAnchor(const QString &title, int level);
    const QList<PrintAnchor> &anchors() const { return m_anchors; }
    // A rectangle of the current page that links to an anchor (in a PDF).
    void addLink(const QRectF &areaTwips, int anchor);
    const QList<PrintLink> &links() const { return m_links; }
    // Drawing of one's own on the current page: `paint` draws with the
    // painter in twips, inside `areaTwips`, on the preview, the printer and
    // the PDF alike.
    using Painting = std::function<void(QPainter &painter, const QRectF &areaTwips)>;
    void paintArea(const QRectF &areaTwips, Painting paint);
    // The name of the part of the document the following pages belong to
    // (the page furniture shows it instead of the document's name).
    void setRunningSection(const QString &section);
    QString pageSection(int page) const;
    // Stamps every recorded page with the furniture: 9-point text half an
    // inch from the top and the bottom of the paper.
    void stampPageFurniture(const PageFurniture &furniture);
    // Appends the other document's pages (with its anchors and links).
    void appendDocument(const PrintSurface &other);

    // The paper of this computer's locale: US Letter in the United States
    // (and for the untranslated "C" locale), A4 elsewhere; the paper Page
    // Setup chose last in this run once it was used (an invalid size forgets it).
    static QPageSize defaultPageSize();
    static void rememberPageSize(const QPageSize &size);

    // --- Reading the recorded pages (pages are 0-based here) ----------------
    QList<PrintedText> texts(int page) const;
    QList<PrintedLine> lines(int page) const;
    // The page's text, one printed line per line of text, top to bottom.
    QString pageText(int page) const;
    // Paper size of a recorded page in twips (pages keep the orientation
    // they were started with).
    QSize pageSizeTwips(int page) const;

    // --- Rendering -------------------------------------------------------
    // Paints one page with its top-left corner at the painter's origin;
    // `deviceUnitsPerTwip` scales twips to the painter's device.
    void renderPage(QPainter &painter, int page, qreal deviceUnitsPerTwip) const;
    // The page as a picture at the given resolution (white paper).
    QImage pageImage(int page, qreal dotsPerInch) const;
    // Sends every page to the printer (full-page mode, each page in its own
    // orientation). False with a readable reason when the printer refuses.
    bool print(QPrinter &printer, QString *error = nullptr) const;
    // The whole document as a PDF (real text), in memory, and written safely
    // to a file. False with a readable reason when it cannot be written.
    QByteArray pdf(const PdfInfo &info) const;
    bool writePdf(const QString &path, const PdfInfo &info, QString *error = nullptr) const;

Q_SIGNALS:
    // The document was finished (EndDoc) or cleared: previews repaint.
    void documentChanged();

private:
    struct Page;
    Page &currentPage();
    void ensurePage();
    void breakPage();
    int contentBottom() const;
    int rightEdge() const;

    std::vector<std::unique_ptr<Page>> m_pages;
    QList<PrintAnchor> m_anchors;
    QList<PrintLink> m_links;
    QString m_runningSection;
    bool m_preview = true;
    bool m_composing = false;
    QFont m_font;
    QColor m_textColour = Qt::black;
    QColor m_penColour = Qt::black;
    PrintMargins m_margins{1440, 1440, 1440, 1440};
    QPageSize m_pageSize;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    int m_x = 0;
    int m_y = 0;
};
