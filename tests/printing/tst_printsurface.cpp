#include "printing/printpreview.h"
#include "printing/printsurface.h"

#include "pdftext.h"

#include <QPainter>
#include <QSignalSpy>
#include <QToolButton>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {

// A document of `count` numbered paragraphs, each long enough to wrap.
QTextDocument *numberedDocument(int count, QObject *parent)
{
    auto *document = new QTextDocument(parent);
    QTextCursor cursor(document);
    QTextCharFormat format;
    format.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Paragraph %1 begins here and goes on with enough words to "
                                         "wrap over more than one line of the printed page end%1.")
                              .arg(i),
                          format);
    }
    return document;
}

bool hasInk(const QImage &image, const QRect &area)
{
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x) {
            if (qGray(image.pixel(x, y)) < 160)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPrintSurface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageSizeFollowsOrientation();
    void pageLayoutCarriesMarginsBothWays();
    void emptyDocumentHasNoPages();
    void plainParagraphsWrapAndFlowWithinMargins();
    void textAdvancesAlongTheLine();
    void newPageStartsAtTheMargins();
    void richTextKeepsItsFontsAndFlowsBetweenLines();
    void richTextInATableBreaksBetweenRows();
    void paragraphStartsAtCurrentX();
    void renderingDrawsTextLinesAndOnlyTheSliceOfEachPage();
    void pdfHoldsRealTextOnTheRightPages();
    void pdfWriteFailureGivesTheReason();
    void printerReceivesEveryPage();
    void printerFailureGivesTheReason();
    void previewNavigatesZoomsAndShowsGuides();
};

void TestPrintSurface::pageSizeFollowsOrientation()
{
    PrintSurface surface;
    QCOMPARE(surface.pageWidth(), 12240);
    QCOMPARE(surface.pageHeight(), 15840);
    surface.setOrientation(QPageLayout::Landscape);
    QCOMPARE(surface.pageWidth(), 15840);
    QCOMPARE(surface.pageHeight(), 12240);
    surface.setPageSize(QPageSize(QPageSize::A4));
    QCOMPARE(surface.pageWidth(), 842 * 20);
    QCOMPARE(surface.pageHeight(), 595 * 20);
}

void TestPrintSurface::pageLayoutCarriesMarginsBothWays()
{
    PrintSurface surface;
    surface.setMargins({350, 300, 350, 100});
    const QPageLayout layout = surface.pageLayout();
    QCOMPARE(layout.margins(QPageLayout::Point), QMarginsF(17.5, 15, 17.5, 5));
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);

    // What a page-setup dialog hands back lands in the margins and orientation.
    PrintSurface other;
    other.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                    QMarginsF(36, 18, 72, 9), QPageLayout::Point));
    QCOMPARE(other.margins(), (PrintMargins{720, 360, 1440, 180}));
    QCOMPARE(other.orientation(), QPageLayout::Landscape);
    QCOMPARE(other.pageWidth(), 15840);
}

void TestPrintSurface::emptyDocumentHasNoPages()
{
    PrintSurface surface;
    QSignalSpy changed(&surface, &PrintSurface::documentChanged);
    surface.startDoc();
    surface.endDoc();
    QCOMPARE(surface.pageCount(), 0);
    QCOMPARE(changed.count(), 1);
    surface.startDoc();
    surface.paragraph(QStringLiteral(" "));
    QCOMPARE(surface.pageCount(), 1);
    surface.clear();
    QCOMPARE(surface.pageCount(), 0);
}

void TestPrintSurface::plainParagraphsWrapAndFlowWithinMargins()
{
    PrintSurface surface;
    surface.setMargins({1000, 800, 1200, 600});
    surface.setFont(QStringLiteral("Times New Roman"), 12);
    surface.startDoc();
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog near the river bank. ");
    for (int i = 0; i < 60; ++i)
        surface.paragraph(QString::number(i) + QStringLiteral(": ") + sentence.repeated(2));
    surface.endDoc();

    QVERIFY(surface.pageCount() >= 3);
    const int lineHeight = surface.lineHeight();
    QStringList all;
    for (int page = 0; page < surface.pageCount(); ++page) {
        const QList<PrintedText> texts = surface.texts(page);
        QVERIFY(!texts.isEmpty());
        QCOMPARE(texts.first().position.y(), 800.0); // every page starts at the top margin
        for (const PrintedText &text : texts) {
            QCOMPARE(text.position.x(), 1000.0);
            QVERIFY(text.position.y() + lineHeight <= 15840 - 600);
            surface.setFont(text.font);
            QVERIFY2(surface.textWidth(text.text) <= 12240 - 1000 - 1200, qPrintable(text.text));
            all << text.text;
        }
    }
    // Nothing lost or repeated in the wrapping: the words come back in order.
    QString expected;
    for (int i = 0; i < 60; ++i)
        expected += QString::number(i) + QStringLiteral(": ") + sentence.repeated(2);
    QCOMPARE(all.join(QLatin1Char(' ')).simplified(), expected.simplified());
    // After a paragraph, x is back at the left margin and y below the last line.
    const QList<PrintedText> last = surface.texts(surface.pageCount() - 1);
    QCOMPARE(surface.currentX(), 1000);
    QCOMPARE(surface.currentY(), qRound(last.last().position.y()) + lineHeight);
}

void TestPrintSurface::textAdvancesAlongTheLine()
{
    PrintSurface surface;
    surface.setMargins({500, 500, 500, 500});
    surface.startDoc();
    surface.setCurrentX(2000);
    surface.setCurrentY(3000);
    const int width = surface.textWidth(QStringLiteral("Printed: "));
    QVERIFY(width > 0);
    surface.text(QStringLiteral("Printed: "));
    QCOMPARE(surface.currentX(), 2000 + width);
    QCOMPARE(surface.currentY(), 3000);
    surface.setFontBold(true);
    QVERIFY(surface.textWidth(QStringLiteral("WWWW")) > 0);
    surface.text(QStringLiteral("now"));
    const QList<PrintedText> texts = surface.texts(0);
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[1].position, QPointF(2000 + width, 3000));
    QVERIFY(texts[1].font.bold());
    QCOMPARE(surface.pageText(0), QStringLiteral("Printed: now"));
}

void TestPrintSurface::newPageStartsAtTheMargins()
{
    PrintSurface surface;
    surface.setMargins({750, 600, 650, 600});
    surface.startDoc();
    surface.paragraph(QStringLiteral("first"));
    surface.newPage();
    QCOMPARE(surface.pageCount(), 2);
    QCOMPARE(surface.currentX(), 750);
    QCOMPARE(surface.currentY(), 600);
    surface.setPenColor(QColor(255, 0, 0));
    surface.drawLine(100, 200, 300, 400);
    QCOMPARE(surface.lines(1).size(), 1);
    QCOMPARE(surface.lines(1).first().line, QLineF(100, 200, 300, 400));
    QCOMPARE(surface.lines(1).first().colour, QColor(255, 0, 0));
    QVERIFY(surface.lines(0).isEmpty());
}

void TestPrintSurface::richTextKeepsItsFontsAndFlowsBetweenLines()
{
    // An RTF entry with its own fonts: a bold, underlined term in Arial and
    // red text; the surface's own font must not replace them.
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f1 Arial;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;}"
                           "\\f0\\fs24 Plain words, then \\f1\\b\\ul Risk Analysis\\ul0\\b0\\f0  and "
                           "\\cf1 red words\\cf0 .\\par}";
    PrintSurface surface;
    surface.setFont(QStringLiteral("Courier New"), 8);
    surface.setMargins({350, 300, 350, 100});
    surface.startDoc();
    surface.paragraphRtf(rtf);
    const QList<PrintedText> texts = surface.texts(0);
    const auto piece = [&texts](const QString &text) {
        for (const PrintedText &t : texts) {
            if (t.text.contains(text))
                return t;
        }
        return PrintedText{};
    };
    QVERIFY(piece(QStringLiteral("Risk Analysis")).font.bold());
    QVERIFY(piece(QStringLiteral("Risk Analysis")).font.underline());
    QCOMPARE(piece(QStringLiteral("Risk Analysis")).font.family(), QStringLiteral("Arial"));
    QVERIFY(!piece(QStringLiteral("Plain words")).font.bold());
    QCOMPARE(piece(QStringLiteral("Plain words")).font.pointSizeF(), 12.0);
    QCOMPARE(piece(QStringLiteral("red words")).colour, QColor(255, 0, 0));
    QCOMPARE(surface.pageText(0), QStringLiteral("Plain words, then Risk Analysis and red words."));

    // A long document starting half-way down page 1 flows onto later pages,
    // breaking between lines: every line lies within the margins, and the
    // text comes back whole and in order.
    QObject owner;
    QTextDocument *document = numberedDocument(120, &owner);
    surface.setCurrentY(8000);
    surface.paragraph(*document);
    surface.endDoc();
    QVERIFY2(surface.pageCount() >= 3, qPrintable(QString::number(surface.pageCount())));
    QString printed;
    for (int page = 0; page < surface.pageCount(); ++page) {
        const QList<PrintedText> pieces = surface.texts(page);
        QVERIFY(!pieces.isEmpty());
        for (const PrintedText &t : pieces) {
            QVERIFY(t.position.y() >= 300);
            QVERIFY2(t.position.y() + QFontMetricsF(t.font).height() * 15 <= 15840 - 100 + 1,
                     qPrintable(QStringLiteral("line below the bottom margin on page %1").arg(page)));
        }
        if (page > 0)
            QCOMPARE(pieces.first().position.y(), 300.0);
        printed += surface.pageText(page) + QLatin1Char('\n');
    }
    QString expected = QStringLiteral("Plain words, then Risk Analysis and red words. ")
        + document->toPlainText();
    QCOMPARE(printed.simplified().remove(QLatin1Char(' ')), expected.simplified().remove(QLatin1Char(' ')));
    QVERIFY(surface.currentY() > 300);
    QCOMPARE(surface.currentX(), 350);
}

void TestPrintSurface::richTextInATableBreaksBetweenRows()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextTable *table = cursor.insertTable(80, 2);
    for (int row = 0; row < 80; ++row) {
        table->cellAt(row, 0).firstCursorPosition().insertText(QStringLiteral("Left %1").arg(row));
        table->cellAt(row, 1).firstCursorPosition().insertText(
            QStringLiteral("Right %1 with a longer text that wraps inside its narrow cell").arg(row));
    }
    PrintSurface surface;
    surface.setMargins({720, 720, 720, 720});
    surface.startDoc();
    surface.paragraph(document);
    surface.endDoc();
    QVERIFY(surface.pageCount() >= 2);
    // Each row's two cells land on one page: no row is torn between pages.
    QSet<QString> seen;
    for (int page = 0; page < surface.pageCount(); ++page) {
        QSet<int> left;
        QSet<int> right;
        for (const PrintedText &text : surface.texts(page)) {
            if (text.text.startsWith(QStringLiteral("Left ")))
                left.insert(text.text.mid(5).toInt());
            else if (text.text.startsWith(QStringLiteral("Right ")))
                right.insert(text.text.section(QLatin1Char(' '), 1, 1).toInt());
        }
        QCOMPARE(left, right);
        for (int row : left)
            QVERIFY(!seen.contains(QString::number(row)) && (seen.insert(QString::number(row)), true));
    }
    QCOMPARE(seen.size(), 80);
}

void TestPrintSurface::paragraphStartsAtCurrentX()
{
    PrintSurface surface;
    surface.setMargins({100, 150, 100, 100});
    surface.setFont(QStringLiteral("Times New Roman"), 10);
    surface.startDoc();
    surface.setCurrentX(6000);
    surface.setCurrentY(1000);
    surface.paragraph(QStringLiteral("Completed"));
    QCOMPARE(surface.texts(0).first().position, QPointF(6000, 1000));
    QCOMPARE(surface.currentX(), 100);
    QCOMPARE(surface.currentY(), 1000 + surface.lineHeight());
}

void TestPrintSurface::renderingDrawsTextLinesAndOnlyTheSliceOfEachPage()
{
    PrintSurface surface;
    surface.setMargins({1440, 1440, 1440, 1440});
    surface.startDoc();
    surface.drawLine(1440, 7200, 10800, 7200); // 5 inches down
    QObject owner;
    surface.setCurrentY(8000);
    surface.paragraph(*numberedDocument(60, &owner));
    surface.endDoc();
    QVERIFY(surface.pageCount() >= 2);

    const QImage first = surface.pageImage(0, 72); // 1 pixel = 20 twips
    QCOMPARE(first.size(), QSize(612, 792));
    QVERIFY(hasInk(first, QRect(100, 358, 300, 4)));      // the line
    QVERIFY(!hasInk(first, QRect(0, 0, 612, 70)));        // top margin stays clean
    QVERIFY(hasInk(first, QRect(72, 400, 468, 60)));      // the text under the line
    QVERIFY(!hasInk(first, QRect(0, 792 - 70, 612, 70))); // bottom margin stays clean
    const QImage second = surface.pageImage(1, 72);
    QVERIFY(!hasInk(second, QRect(0, 0, 612, 70)));       // nothing of page 1 bleeds in
    QVERIFY(hasInk(second, QRect(72, 72, 468, 40)));
}

void TestPrintSurface::pdfHoldsRealTextOnTheRightPages()
{
    QTemporaryDir dir;
    PrintSurface surface;
    surface.setMargins({750, 600, 650, 600});
    surface.startDoc();
    surface.paragraphRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 First policy text.\\par}");
    surface.newPage();
    surface.paragraph(QStringLiteral("Second page in plain text"));
    surface.setOrientation(QPageLayout::Landscape);
    surface.newPage();
    surface.paragraph(QStringLiteral("Third page turned"));
    surface.endDoc();

    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    QString error;
    QVERIFY2(surface.writePdf(path, {QStringLiteral("Risk Analysis - Safeguard Report")}, &error),
             qPrintable(error));
    const QStringList pages = pdfPageTexts(path);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(pages.size(), 3);
    QCOMPARE(collapsed(pages[0]), QStringLiteral("First policy text."));
    QCOMPARE(collapsed(pages[1]), QStringLiteral("Second page in plain text"));
    QCOMPARE(collapsed(pages[2]), QStringLiteral("Third page turned"));
    QCOMPARE(pdfInfoField(path, QStringLiteral("Title")), QStringLiteral("Risk Analysis - Safeguard Report"));
    QCOMPARE(pdfInfoField(path, QStringLiteral("Creator")), QStringLiteral("Sentrivo"));
    QVERIFY(pdfInfoField(path, QStringLiteral("Page size")).startsWith(QStringLiteral("612 x 792")));
}

void TestPrintSurface::pdfWriteFailureGivesTheReason()
{
    QTemporaryDir dir;
    PrintSurface surface;
    surface.startDoc();
    surface.paragraph(QStringLiteral("text"));
    surface.endDoc();
    QString error;
    QVERIFY(!surface.writePdf(dir.filePath(QStringLiteral("missing/folder/out.pdf")), {}, &error));
    QVERIFY(!error.isEmpty());
}

void TestPrintSurface::printerReceivesEveryPage()
{
    QTemporaryDir dir;
    PrintSurface surface;
    surface.setMargins({350, 300, 350, 100});
    surface.startDoc();
    surface.paragraph(QStringLiteral("Page one"));
    surface.newPage();
    surface.paragraph(QStringLiteral("Page two"));
    surface.endDoc();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    QString error;
    QVERIFY2(surface.print(printer, &error), qPrintable(error));
    const QStringList pages = pdfPageTexts(printer.outputFileName());
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(pages.size(), 2);
    QCOMPARE(collapsed(pages[1]), QStringLiteral("Page two"));
}

void TestPrintSurface::printerFailureGivesTheReason()
{
    QTemporaryDir dir;
    PrintSurface surface;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString target = dir.filePath(QStringLiteral("no/such/folder/printed.pdf"));
    printer.setOutputFileName(target);
    QString error;
    QVERIFY(!surface.print(printer, &error)); // nothing composed
    surface.startDoc();
    surface.paragraph(QStringLiteral("text"));
    surface.endDoc();
    QVERIFY(!surface.print(printer, &error));
    QVERIFY2(error.contains(target), qPrintable(error));
}

void TestPrintSurface::previewNavigatesZoomsAndShowsGuides()
{
    PrintSurface surface;
    surface.setMargins({1440, 1440, 1440, 1440});
    PrintPreview preview(&surface);
    preview.resize(600, 500);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.pageCaption(), QStringLiteral("Page 0 of 0"));
    QVERIFY(!preview.printButton()->isEnabled());

    surface.startDoc();
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            surface.newPage();
        surface.paragraph(QStringLiteral("Page %1").arg(i + 1));
    }
    surface.endDoc();
    QCOMPARE(preview.pageCaption(), QStringLiteral("Page 1 of 3"));
    QVERIFY(preview.printButton()->isEnabled());
    QSignalSpy printSpy(&preview, &PrintPreview::printRequested);
    preview.printButton()->click();
    QCOMPARE(printSpy.count(), 1);
    preview.setCurrentPage(5);
    QCOMPARE(preview.currentPage(), 2);
    QCOMPARE(preview.pageCaption(), QStringLiteral("Page 3 of 3"));

    // Normal shows the whole page; Enlarged fills the width, so it is larger.
    preview.setZoomMode(PrintPreview::NormalPanel);
    const QImage normal = preview.renderedPage();
    QVERIFY(normal.height() < 500);
    preview.setZoomMode(PrintPreview::EnlargedPanel);
    const QImage enlarged = preview.renderedPage();
    QVERIFY(enlarged.width() > normal.width());
    QVERIFY(enlarged.height() > 500);

    // Guides are drawn on the screen only, never into the page itself.
    preview.setZoomMode(PrintPreview::NormalPanel);
    preview.setShowGuides(1);
    QCOMPARE(preview.showGuides(), 1);
    QCOMPARE(preview.renderedPage(), normal);
    QVERIFY(!preview.grab().isNull());

    // A new, shorter document brings the shown page back into range.
    surface.startDoc();
    surface.paragraph(QStringLiteral("Only page"));
    surface.endDoc();
    QCOMPARE(preview.pageCaption(), QStringLiteral("Page 1 of 1"));
    QVERIFY(!preview.currentPageImage().isNull());
    preview.setNavigationBar(0);
    QCOMPARE(preview.navigationBar(), 0);
}

QTEST_MAIN(TestPrintSurface)
#include "tst_printsurface.moc"
