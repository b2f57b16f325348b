#include "printing/allpolicies.h"
#include "printing/printsurface.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"

#include "catalogue/referencetexts.h"
#include "platform/records/contentfolder.h"
#include "platform/rtf/rtf.h"
#include "support/tempworkbook.h"

#include <QTest>
#include <QTextDocument>

namespace {

QByteArray rtfOf(const QString &text, const QByteArray &font = "Arial", int halfPoints = 22)
{
    QByteArray body;
    for (const QString &line : text.split(QLatin1Char('\n')))
        body += line.toLatin1() + "\\par ";
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 " + font + ";}}\\f0\\fs" + QByteArray::number(halfPoints) + " " + body
        + "}";
}

// The page (0-based) and position of the first piece of text that starts
// with `text`, or page -1.
struct Found
{
    int page = -1;
    PrintedText piece;
};

Found find(const PrintSurface &surface, const QString &text)
{
    for (int page = 0; page < surface.pageCount(); ++page) {
        for (const PrintedText &piece : surface.texts(page)) {
            if (piece.text.startsWith(text))
                return {page, piece};
        }
    }
    return {};
}

QString allText(const PrintSurface &surface)
{
    QStringList pages;
    for (int page = 0; page < surface.pageCount(); ++page)
        pages << surface.pageText(page);
    return pages.join(QLatin1Char('\n'));
}

SafeguardReport::Sections sections(std::initializer_list<int> checked)
{
    SafeguardReport::Sections result{};
    for (int i : checked)
        result[i] = true;
    return result;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void safeguardReportSectionsInOrderWithSeparators();
    void noSectionGivesAnEmptyDocument();
    void oneReferenceBlockIsInThePrinterFontWithTheTermMarked();
    void twoReferenceTextsAreJoinedByABlankLineInCatalogueOrder();
    void reportTerms_data();
    void reportTerms();
    void policiesStartANewPageWhenLessThan1200TwipsRemain();
    void emptySectionsAndOverviewsAreRefused_data();
    void emptySectionsAndOverviewsAreRefused();
    void displayedEntryIsReportedAsEdited();
    void sampleViewReportsTheShippedSampleEntries();
    void summaryOfOneGroupHasTitleRowsStatusesLegendAndDate();
    void summaryOfAllSafeguardsKeepsEveryTableWhole();
    void summaryWithNothingCheckedIsEmpty();
    void allPoliciesOnePerPageSkippingMissingAndBlankOnes();
    void noPoliciesGiveAnEmptyDocument();

private:
    QString m_content;
};

void TestReports::initTestCase()
{
    m_content = shippedContentFolder();
    QVERIFY2(!m_content.isEmpty(), "the shipped content folder is missing");
}

void TestReports::safeguardReportSectionsInOrderWithSeparators()
{
    TempWorkbook workbook;
    workbook.writeFile(QStringLiteral("Action0.Fil"), rtfOf(QStringLiteral("We assessed every system.")));
    workbook.writeFile(QStringLiteral("Comment0.Fil"), rtfOf(QStringLiteral("Reviewed by the board.")));
    workbook.writeFile(QStringLiteral("Policy0.Fil"), rtfOf(QStringLiteral("Risk policy text.")));
    SafeguardReport report(m_content);
    report.reset(0);
    report.loadEntryScratches(workbook.path());
    PrintSurface surface;
    report.compose(surface, sections({0, 3, 4, 5}));

    const QString text = allText(surface);
    const QStringList order{QStringLiteral("Risk Analysis"), QStringLiteral("Action Taken:"),
                            QStringLiteral("We assessed every system."), QStringLiteral("Comments/Notes:"),
                            QStringLiteral("Reviewed by the board."),
                            QStringLiteral("Policies and Procedures/Plan:"), QStringLiteral("Risk policy text.")};
    qsizetype at = -1;
    for (const QString &piece : order) {
        const qsizetype next = text.indexOf(piece, at + 1, Qt::CaseInsensitive);
        QVERIFY2(next > at, qPrintable(piece));
        at = next;
    }
    // Each heading is followed by a blank line before its entry.
    const Found heading = find(surface, QStringLiteral("Action Taken:"));
    const Found entry = find(surface, QStringLiteral("We assessed"));
    QCOMPARE(heading.page, entry.page);
    QCOMPARE(entry.piece.position.y() - heading.piece.position.y(), 2.0 * surface.lineHeight());
    QCOMPARE(heading.piece.position.x(), 720.0);
    // Entries keep their own fonts; headings print in the printer font.
    QCOMPARE(entry.piece.font.family(), QStringLiteral("Arial"));
    QCOMPARE(heading.piece.font.family(), QStringLiteral("Times New Roman"));
    // Half an inch at the sides, room for the page furniture above and below.
    QCOMPARE(surface.margins(), (PrintMargins{720, 1080, 720, 1080}));
    // The report starts by saying what it is, and every page is numbered.
    QVERIFY(surface.pageText(0).contains(QStringLiteral("Standard: Security Management Process")));
    QVERIFY(surface.pageText(0).contains(QStringLiteral("Page 1 of ")));
}

void TestReports::noSectionGivesAnEmptyDocument()
{
    SafeguardReport report(m_content);
    report.reset(0);
    PrintSurface surface;
    report.compose(surface, sections({}));
    QCOMPARE(surface.pageCount(), 0);
}

void TestReports::oneReferenceBlockIsInThePrinterFontWithTheTermMarked()
{
    SafeguardReport report(m_content);
    report.reset(0);
    QFont printerFont(QStringLiteral("Courier New"), 11);
    report.setPrinterFont(printerFont, QColor(0, 0, 128));
    PrintSurface surface;
    report.compose(surface, sections({1}));

    // The block is the content of RefRA1.Dat, all of it in the printer font.
    QTextDocument expected;
    QVERIFY(Rtf::loadFile(Reference::findContentFile(m_content, QStringLiteral("RefRA1.Dat")), &expected));
    QCOMPARE(report.scratch(SafeguardReport::kReportBlock).toPlainText(), expected.toPlainText());
    // The block's text (below the report's heading block, above the page
    // furniture) is in the printer font's family and colour; its body text in
    // the printer font's size, its headings keep their larger size.
    int marked = 0;
    int body = 0;
    const QString expectedText = expected.toPlainText();
    for (int page = 0; page < surface.pageCount(); ++page) {
        for (const PrintedText &piece : surface.texts(page)) {
            if (piece.font.family() == QLatin1String("Liberation Sans") && piece.font.pointSizeF() == 9.0)
                continue; // the page furniture
            if (!expectedText.contains(piece.text.trimmed()) || piece.text.trimmed().size() < 4
                || piece.position.y() < surface.marginTop() + 5 * surface.lineHeight())
                continue;
            QCOMPARE(piece.font.family(), QStringLiteral("Courier New"));
            QVERIFY(piece.font.pointSizeF() >= 11.0);
            QCOMPARE(piece.colour, QColor(0, 0, 128));
            if (piece.font.pointSizeF() == 11.0)
                ++body;
            const bool isTerm = piece.text.compare(QStringLiteral("Risk Analysis"), Qt::CaseInsensitive) == 0;
            if (isTerm && piece.font.pointSizeF() == 11.0) {
                QVERIFY(piece.font.bold());
                QVERIFY(piece.font.underline());
                ++marked;
            }
        }
    }
    QVERIFY(marked > 0);
    QVERIFY(body > 0);
}

void TestReports::twoReferenceTextsAreJoinedByABlankLineInCatalogueOrder()
{
    SafeguardReport report(m_content);
    report.reset(5);
    report.buildReportBlock(sections({2, 0}));
    const QString block = report.scratch(SafeguardReport::kReportBlock).toPlainText();
    const QString first = report.scratch(0).toPlainText();
    const QString third = report.scratch(2).toPlainText();
    QVERIFY(!first.isEmpty() && !third.isEmpty());
    QCOMPARE(block, first + QStringLiteral("\n\n") + third);
    // All three reference texts were built on the first composition.
    QVERIFY(!report.isScratchEmpty(1));
}

void TestReports::reportTerms_data()
{
    QTest::addColumn<int>("safeguardNo");
    QTest::addColumn<QString>("term");
    QTest::newRow("risk analysis") << 0 << QStringLiteral("Risk Analysis");
    QTest::newRow("activity review") << 3 << QStringLiteral("Information System Activity");
    QTest::newRow("access establishment") << 10 << QStringLiteral("Access Establishment");
    QTest::newRow("organizational overview") << 42 << QString();
    QTest::newRow("documentation overview") << 45 << QString();
}

void TestReports::reportTerms()
{
    QFETCH(int, safeguardNo);
    QFETCH(QString, term);
    QCOMPARE(SafeguardReport::reportTerm(safeguardNo), term);
}

void TestReports::policiesStartANewPageWhenLessThan1200TwipsRemain()
{
    // Action Taken entries of growing length push the Policies heading down
    // the page; wherever the entries end, the rule must hold.
    TempWorkbook workbook;
    workbook.writeFile(QStringLiteral("Policy7.Fil"), rtfOf(QStringLiteral("Policy body.")));
    bool sawBreakWithRoomLeft = false;
    bool sawSamePage = false;
    // From well inside the first page to well inside the second: the
    // heading passes through the last 1200 twips of a page on the way.
    for (int lines = 10; lines <= 80; ++lines) {
        QStringList entry;
        for (int i = 0; i < lines; ++i)
            entry << QStringLiteral("Line %1").arg(i);
        workbook.writeFile(QStringLiteral("Action7.Fil"), rtfOf(entry.join(QLatin1Char('\n')), "Times New Roman", 24));
        SafeguardReport report(m_content);
        report.reset(7);
        report.loadEntryScratches(workbook.path());
        PrintSurface surface;
        report.compose(surface, sections({3, 5}));

        // The pieces in print order; before the heading comes the blank
        // line after the entry, a plain line in the printer font.
        struct Placed { int page; PrintedText piece; };
        QList<Placed> placed;
        for (int page = 0; page < surface.pageCount(); ++page) {
            for (const PrintedText &piece : surface.texts(page)) {
                if (piece.font.family() == QLatin1String("Liberation Sans") && piece.font.pointSizeF() == 9.0)
                    continue; // the page furniture
                placed.append({page, piece});
            }
        }
        qsizetype headingAt = -1;
        for (qsizetype i = 0; i < placed.size(); ++i) {
            if (placed[i].piece.text == QLatin1String("Policies and Procedures/Plan:"))
                headingAt = i;
        }
        QVERIFY(headingAt > 0);
        const Placed heading = placed[headingAt];
        const Placed blank = placed[headingAt - 1];
        QCOMPARE(blank.piece.text, QStringLiteral(" "));
        const int lineHeight = surface.lineHeight();
        // Where the composition stood when the heading was due.
        const qreal before = blank.piece.position.y() + lineHeight;
        const int bottom = surface.pageHeight() - surface.marginBottom();
        const bool lowOnPage = before > bottom - SafeguardReport::kPoliciesPageRoom;
        if (heading.page == blank.page) {
            QVERIFY2(!lowOnPage, qPrintable(QString::number(lines)));
            QCOMPARE(heading.piece.position.y(), before);
            sawSamePage = true;
        } else {
            QVERIFY2(lowOnPage, qPrintable(QString::number(lines)));
            QCOMPARE(heading.page, blank.page + 1);
            QCOMPARE(heading.piece.position.y(), qreal(surface.marginTop()));
            if (before + lineHeight <= bottom)
                sawBreakWithRoomLeft = true; // the heading would still have fitted
        }
    }
    QVERIFY(sawSamePage);
    QVERIFY(sawBreakWithRoomLeft);
}

void TestReports::emptySectionsAndOverviewsAreRefused_data()
{
    QTest::addColumn<int>("safeguardNo");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("organizational overview") << 42 << 0 << QStringLiteral("Implementation Specification")
        << QStringLiteral("No Implementation specification is available for Organizational Requirements Overview!");
    QTest::newRow("documentation overview") << 45 << 0 << QStringLiteral("Implementation Specification")
        << QStringLiteral("No Implementation specification is available for "
                          "Policies and Procedures and Documentation Requirements Overview!");
    QTest::newRow("no action taken") << 1 << 3 << QStringLiteral("Action Taken")
        << QStringLiteral("No Action Taken entries were found for Risk Management!");
    QTest::newRow("no comments") << 1 << 4 << QStringLiteral("Comments/Notes")
        << QStringLiteral("No Comments/Notes were found for Risk Management!");
    QTest::newRow("no policies") << 1 << 5 << QStringLiteral("Policies and Procedures")
        << QStringLiteral("No Policies and Procedures/Plan were found for Risk Management!");
    QTest::newRow("implementation specification") << 1 << 0 << QString() << QString();
}

void TestReports::emptySectionsAndOverviewsAreRefused()
{
    QFETCH(int, safeguardNo);
    QFETCH(int, section);
    QFETCH(QString, title);
    QFETCH(QString, text);
    TempWorkbook workbook;
    // A blank entry counts as none.
    workbook.writeFile(QStringLiteral("Comment1.Fil"), rtfOf(QStringLiteral("   ")));
    SafeguardReport report(m_content);
    report.reset(safeguardNo);
    report.loadEntryScratches(workbook.path());
    const auto refusal = report.refusalFor(section);
    if (title.isEmpty()) {
        QVERIFY(!refusal);
        return;
    }
    QVERIFY(refusal);
    QCOMPARE(refusal->title, title);
    QCOMPARE(refusal->text, text);
}

void TestReports::displayedEntryIsReportedAsEdited()
{
    TempWorkbook workbook;
    workbook.writeFile(QStringLiteral("Action2.Fil"), rtfOf(QStringLiteral("Saved text.")));
    QTextDocument display;
    display.setPlainText(QStringLiteral("Edited, not yet saved."));
    SafeguardReport report(m_content);
    report.reset(2);
    report.copyFromDisplay(3, display);
    report.loadEntryScratches(workbook.path());
    PrintSurface surface;
    report.compose(surface, sections({3}));
    const QString text = allText(surface);
    QVERIFY(text.contains(QStringLiteral("Edited, not yet saved.")));
    QVERIFY(!text.contains(QStringLiteral("Saved text.")));
}

void TestReports::sampleViewReportsTheShippedSampleEntries()
{
    TempWorkbook workbook;
    workbook.writeFile(QStringLiteral("Action14.Fil"), rtfOf(QStringLiteral("The user's own entry.")));
    SafeguardReport report(m_content);
    report.reset(-1, /*sampleView=*/true);
    QCOMPARE(report.safeguardNo(), 14);
    report.loadEntryScratches(workbook.path());
    QTextDocument sample;
    QVERIFY(Rtf::loadFile(Reference::findContentFile(m_content, QStringLiteral("SampleAct.Dat")), &sample));
    QCOMPARE(report.scratch(4).toPlainText(), sample.toPlainText());
    QVERIFY(!report.isScratchEmpty(5));
    QVERIFY(!report.isScratchEmpty(6));
    QCOMPARE(report.documentName(), QStringLiteral("Password Management - Safeguard Report"));
}

void TestReports::summaryOfOneGroupHasTitleRowsStatusesLegendAndDate()
{
    PrintSurface surface;
    QList<int> asked;
    StandardsSummary::compose(
        surface, {false, false, false, true},
        [&asked](int record) {
            asked << record;
            return record == 39 ? QStringLiteral("  Completed  ") : QString();
        },
        Qt::black, QDate(2026, 3, 4));
    QCOMPARE(surface.pageCount(), 1);
    const QString text = surface.pageText(0);
    QVERIFY(text.contains(QStringLiteral("\nHIPAA Security Standards\nTECHNICAL SAFEGUARDS \u00A7164.312\n")));
    QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    QVERIFY(!text.contains(QStringLiteral("ADMINISTRATIVE")));
    QCOMPARE(asked, (QList<int>{34, 35, 36, 37, 38, 39, 40, 41, 42}));

    // One row: its cells share a line, the status trimmed and centred.
    const Found spec = find(surface, QStringLiteral("Mechanism to Authenticate Electronic PHI"));
    const Found status = find(surface, QStringLiteral("Completed"));
    const Found standard = find(surface, QStringLiteral("Integrity"));
    QCOMPARE(status.piece.text, QStringLiteral("Completed"));
    QCOMPARE(status.piece.position.y(), spec.piece.position.y());
    QCOMPARE(standard.piece.position.y(), spec.piece.position.y());
    QVERIFY(standard.piece.font.bold());
    QVERIFY(!spec.piece.font.bold());
    surface.setFont(status.piece.font);
    // The printed form's columns, between margins of half an inch.
    const qreal pw = surface.pageWidth();
    const auto at = [pw](qreal formX) { return 720 + (formX - 100) * (pw - 1440) / (pw - 200); };
    const qreal centre = status.piece.position.x() + surface.textWidth(QStringLiteral("Completed")) / 2.0;
    QVERIFY(qAbs(centre - at(pw / 1.12)) <= 1);
    QCOMPARE(spec.piece.position.x(), qRound(at(pw / 2.2)) * 1.0);

    // The legend and the date stamp share the last line, the stamp at the right.
    const Found legend = find(surface, StandardsSummary::kLegend);
    const Found stamp = find(surface, QStringLiteral("Printed:  March 4, 2026"));
    QVERIFY(legend.page == 0 && stamp.page == 0);
    QCOMPARE(stamp.piece.position.y(), legend.piece.position.y());
    QCOMPARE(stamp.piece.font.pointSizeF(), 8.0);
    QVERIFY(legend.piece.font.bold());
    QVERIFY(!stamp.piece.font.bold());

    // Rules: the outer frame and a rule above each of the five standards.
    int across = 0;
    for (const PrintedLine &line : surface.lines(0)) {
        if (line.line.y1() == line.line.y2() && line.line.x1() == 720 && line.line.y1() > 800)
            ++across; // not the page furniture's rule under the header
    }
    QCOMPARE(across, 3 + 5); // top, under the heading, under the last row; five standards
}

void TestReports::summaryOfAllSafeguardsKeepsEveryTableWhole()
{
    PrintSurface surface;
    StandardsSummary::compose(
        surface, {true, false, false, false}, [](int record) { return QStringLiteral("S%1").arg(record); },
        Qt::black, QDate(2026, 1, 2));
    QVERIFY(surface.pageCount() >= 1);
    const QString text = allText(surface);
    const QStringList headings{QStringLiteral("ADMINISTRATIVE SAFEGUARDS \u00A7164.308"),
                               QStringLiteral("PHYSICAL SAFEGUARDS \u00A7164.310"),
                               QStringLiteral("TECHNICAL SAFEGUARDS \u00A7164.312"),
                               QStringLiteral("ORGANIZATIONAL REQUIREMENTS \u00A7164.314"),
                               QStringLiteral("POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS \u00A7164.316"),
                               QStringLiteral("Legend:")};
    qsizetype at = -1;
    for (const QString &heading : headings) {
        const qsizetype next = text.indexOf(heading, at + 1);
        QVERIFY2(next > at, qPrintable(heading));
        at = next;
    }
    QCOMPARE(text.split(QLatin1Char('\n')).count(StandardsSummary::kTitle), 1);
    // Every status of the 47 safeguards, the two overviews included.
    for (int record : {1, 23, 24, 33, 34, 42, 43, 44, 45, 46, 47})
        QVERIFY2(text.contains(QStringLiteral("S%1").arg(record)), qPrintable(QString::number(record)));
    // No text or rule runs past the bottom margin, and each table's rows are
    // on the page of its heading.
    for (int page = 0; page < surface.pageCount(); ++page) {
        for (const PrintedText &piece : surface.texts(page))
            QVERIFY(piece.position.y() + surface.lineHeight() <= surface.pageHeight() - 100 + 1);
        for (const PrintedLine &line : surface.lines(page))
            QVERIFY(std::max(line.line.y1(), line.line.y2()) <= surface.pageHeight() - 100);
    }
    QCOMPARE(find(surface, QStringLiteral("Documentation")).page,
             find(surface, QStringLiteral("POLICIES AND PROCEDURES")).page);
    QCOMPARE(find(surface, QStringLiteral("Encryption")).page,
             find(surface, QStringLiteral("TECHNICAL SAFEGUARDS")).page);
}

void TestReports::summaryWithNothingCheckedIsEmpty()
{
    PrintSurface surface;
    StandardsSummary::compose(surface, {}, {}, Qt::black, QDate(2026, 1, 2));
    QCOMPARE(surface.pageCount(), 0);
}

void TestReports::allPoliciesOnePerPageSkippingMissingAndBlankOnes()
{
    TempWorkbook workbook;
    workbook.writeFile(QStringLiteral("Policy20.Fil"), rtfOf(QStringLiteral("Policy twenty.")));
    workbook.writeFile(QStringLiteral("Policy3.Fil"), rtfOf(QStringLiteral("Policy three.")));
    workbook.writeFile(QStringLiteral("Policy0.Fil"), rtfOf(QStringLiteral("  ")));   // blank
    workbook.writeFile(QStringLiteral("Policy5.Fil"), QByteArray());                  // empty file
    workbook.writeFile(QStringLiteral("Action4.Fil"), rtfOf(QStringLiteral("Not a policy.")));
    PrintSurface surface;
    QList<int> progress;
    const bool shown = AllPolicies::compose(surface, workbook.path(), QFont(QStringLiteral("Arial"), 10),
                                            Qt::black, AllPolicies::kMargins,
                                            [&progress](int n) { progress << n; });
    QVERIFY(shown);
    QCOMPARE(surface.pageCount(), 2);
    QCOMPARE(surface.pageText(0), QStringLiteral("Policy three."));
    QCOMPARE(surface.pageText(1), QStringLiteral("Policy twenty."));
    QCOMPARE(surface.texts(0).first().position, QPointF(750, 600));
    QCOMPARE(surface.texts(1).first().position, QPointF(750, 600));
    QCOMPARE(progress.size(), 47);
    QCOMPARE(progress.first(), 0);
    QCOMPARE(progress.last(), 46);
}

void TestReports::noPoliciesGiveAnEmptyDocument()
{
    TempWorkbook workbook;
    PrintSurface surface;
    QVERIFY(!AllPolicies::compose(surface, workbook.path(), QFont(), Qt::black));
    QCOMPARE(surface.pageCount(), 0);
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
