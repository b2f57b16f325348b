#include "printing/printpanel.h"
#include "printing/printpreview.h"

#include "pdftext.h"
#include "scriptedprintservices.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QFileInfo>

namespace {

// A panel on a fresh workbook whose composer writes one line per
// composition, naming the count and the surface's orientation.
struct PanelFixture
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    std::shared_ptr<ScriptedPrintServices> print = std::make_shared<ScriptedPrintServices>();
    QWidget window;
    PrintPanel *panel = nullptr;
    int compositions = 0;

    PanelFixture()
    {
        window.resize(800, 600);
        panel = new PrintPanel(workbook.workbook(), test.services, print, &window);
        panel->setGeometry(0, 0, 800, 600);
        panel->setComposer([this](PrintSurface &surface) {
            ++compositions;
            surface.clear();
            surface.setMargins(panel->printMargins());
            surface.startDoc();
            surface.paragraph(QStringLiteral("Composition %1").arg(compositions));
            surface.newPage();
            surface.paragraph(QStringLiteral("Second page"));
            surface.endDoc();
        });
        window.show();
    }
};

} // namespace

class TestPrintPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void guideLineChoiceIsStoredAndSurvivesARestart();
    void programChecksAreSilentUserChecksAreNot();
    void printerFontChangesTheBoxesAndRecomposes();
    void pageSetupReadsBackOrientationAndMarginsAndRecomposes();
    void copyCurrentPagePutsThePictureOnTheClipboard();
    void printSendsEveryPageOrSaysWhyNot();
    void saveAsPdfSuggestsTheDocumentNameAndReportsFailures();
    void enlargeToggleWidensThePreviewAndBack();
    void cancelHidesThePanel();
    void twinPanelIsConfiguredNotCopied();
};

void TestPrintPanel::guideLineChoiceIsStoredAndSurvivesARestart()
{
    PanelFixture fixture;
    // Restoring at load never writes the choice back.
    fixture.panel->restoreGuideLines();
    QVERIFY(fixture.panel->guideLineOption(0)->isChecked());
    QVERIFY(fixture.workbook.readFile(QStringLiteral("GColor3.Fil")).isEmpty());

    fixture.panel->guideLineOption(1)->click();
    QCOMPARE(fixture.panel->preview()->showGuides(), 1);
    const QByteArray stored = fixture.workbook.readFile(QStringLiteral("GColor3.Fil"));
    // Record 11 of 20-byte records, the text "1" without a leading blank.
    QVERIFY(stored.size() >= 11 * 20);
    QCOMPARE(stored.mid(10 * 20, 20).contains('1'), true);

    // A panel of the next run shows the guides at once, and restoring does
    // not rewrite the file.
    PrintPanel restarted(fixture.workbook.workbook(), fixture.test.services, fixture.print);
    restarted.restoreGuideLines();
    QVERIFY(restarted.guideLineOption(1)->isChecked());
    QCOMPARE(restarted.preview()->showGuides(), 1);
    QCOMPARE(fixture.workbook.readFile(QStringLiteral("GColor3.Fil")), stored);

    restarted.guideLineOption(0)->click();
    PrintPanel third(fixture.workbook.workbook(), fixture.test.services, fixture.print);
    third.restoreGuideLines();
    QVERIFY(third.guideLineOption(0)->isChecked());
    QCOMPARE(third.preview()->showGuides(), 0);
}

void TestPrintPanel::programChecksAreSilentUserChecksAreNot()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.setSectionCaptions({QStringLiteral("All Safeguards"), QStringLiteral("Administrative Safeguards"),
                              QStringLiteral("Physical Safeguards"), QStringLiteral("Technical Safeguards")});
    QVERIFY(panel.sectionBox(3)->isVisibleTo(&panel));
    QVERIFY(!panel.sectionBox(4)->isVisibleTo(&panel));
    QSignalSpy changes(&panel, &PrintPanel::sectionBoxChanged);
    panel.setSectionBoxChecked(2, true);
    QCOMPARE(changes.count(), 0);
    QVERIFY(panel.isSectionBoxChecked(2));
    panel.setSectionBoxChecked(1, true, /*notify=*/true);
    QCOMPARE(changes.count(), 1);
    panel.sectionBox(3)->click();
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.last(), (QVariantList{3, true}));
    panel.uncheckAllSectionBoxes();
    QCOMPARE(changes.count(), 2);
    QVERIFY(!panel.isSectionBoxChecked(3));

    QSignalSpy toDo(&panel, &PrintPanel::toDoOptionsChanged);
    panel.setToDoOptionChecked(panel.gridLinesBox(), true);
    QCOMPARE(toDo.count(), 0);
    panel.setToDoOptionsVisible(true);
    panel.asOfDateBox()->click();
    QCOMPARE(toDo.count(), 1);
}

void TestPrintPanel::printerFontChangesTheBoxesAndRecomposes()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.setPrinterFont(QFont(QStringLiteral("Times New Roman"), 12), Qt::black);
    panel.showPrinterFont();
    QCOMPARE(panel.fontNameBox()->text(), QStringLiteral(" Times New Roman"));
    QCOMPARE(panel.fontSizeBox()->text(), QStringLiteral(" 12"));

    fixture.test.fontDialog->enqueue(std::nullopt); // Cancel: nothing changes
    panel.button(PrintPanel::PrinterFontButton)->click();
    QCOMPARE(fixture.compositions, 0);
    QCOMPARE(panel.printerFont().family(), QStringLiteral("Times New Roman"));

    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(14.5);
    arial.setItalic(true);
    fixture.test.fontDialog->enqueue(arial);
    panel.button(PrintPanel::PrinterFontButton)->click();
    QCOMPARE(fixture.test.fontDialog->initialFonts.last().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(panel.printerFont().family(), QStringLiteral("Arial"));
    QVERIFY(panel.printerFont().italic());
    QCOMPARE(panel.fontNameBox()->text(), QStringLiteral(" Arial"));
    QCOMPARE(panel.fontSizeBox()->text(), QStringLiteral(" 14.5"));
    QCOMPARE(panel.sampleText()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(panel.sampleText()->text(), QStringLiteral("AaBbYyZz"));
    QCOMPARE(fixture.compositions, 1);
}

void TestPrintPanel::pageSetupReadsBackOrientationAndMarginsAndRecomposes()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.setPrintMargins({350, 300, 350, 100});
    QCOMPARE(panel.orientationBox()->text(), QStringLiteral(" Portrait"));

    fixture.print->pageSetupAnswers.enqueue(std::nullopt); // Cancel
    panel.button(PrintPanel::PageSetupButton)->click();
    QCOMPARE(fixture.compositions, 0);
    QCOMPARE(fixture.print->pageSetupPresets.last().margins(QPageLayout::Point),
             QMarginsF(17.5, 15, 17.5, 5));

    fixture.print->pageSetupAnswers.enqueue(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                                        QMarginsF(36, 36, 54, 18), QPageLayout::Point));
    panel.button(PrintPanel::PageSetupButton)->click();
    QCOMPARE(panel.orientation(), QPageLayout::Landscape);
    QCOMPARE(panel.orientationBox()->text(), QStringLiteral(" Landscape"));
    QCOMPARE(panel.printMargins(), (PrintMargins{720, 720, 1080, 360}));
    QCOMPARE(fixture.compositions, 1);
    QCOMPARE(panel.surface()->pageSizeTwips(0), QSize(15840, 12240));
    QCOMPARE(panel.surface()->texts(0).first().position, QPointF(720, 720));
}

void TestPrintPanel::copyCurrentPagePutsThePictureOnTheClipboard()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    fixture.test.prompt->enqueue(Prompt::Answer::Ok);
    panel.button(PrintPanel::CopyPageButton)->click(); // empty preview
    QCOMPARE(fixture.test.prompt->questions.last().title, QStringLiteral("Copy Option"));
    QVERIFY(fixture.print->copiedImages.isEmpty());

    panel.recompose();
    panel.preview()->setCurrentPage(1);
    fixture.test.prompt->enqueue(Prompt::Answer::Ok);
    panel.button(PrintPanel::CopyPageButton)->click();
    QCOMPARE(fixture.print->copiedImages.size(), 1);
    QCOMPARE(fixture.print->copiedImages.first(), panel.surface()->pageImage(1, 150));
    const auto &said = fixture.test.prompt->questions.last();
    QCOMPARE(said.title, QStringLiteral("Copy Option"));
    QCOMPARE(said.text, QStringLiteral("Current Page has been copied to the Windows Clipboard."));
    QCOMPARE(said.icon, Prompt::Icon::Information);

    fixture.print->refuseClipboard = true;
    fixture.test.prompt->enqueue(Prompt::Answer::Ok);
    panel.button(PrintPanel::CopyPageButton)->click();
    QCOMPARE(fixture.test.prompt->questions.last().icon, Prompt::Icon::Exclamation);
}

void TestPrintPanel::printSendsEveryPageOrSaysWhyNot()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    // Nothing composed: the user is told, no dialog opens.
    fixture.test.prompt->enqueue(Prompt::Answer::Ok);
    QVERIFY(!panel.printDocument());
    QCOMPARE(fixture.print->printDialogs, 0);

    panel.recompose();
    fixture.print->printerAnswers.enqueue(std::nullopt); // Cancel in the dialog
    QVERIFY(!panel.printDocument());
    QCOMPARE(fixture.test.prompt->questions.size(), 1);

    const QString printed = fixture.workbook.filePath(QStringLiteral("printed.pdf"));
    fixture.print->printerAnswers.enqueue(printed);
    panel.button(PrintPanel::PrintButton)->click();
    const QStringList pages = pdfPageTexts(printed);
    if (!pages.isEmpty()) {
        QCOMPARE(pages.size(), 2);
        QCOMPARE(collapsed(pages[0]), QStringLiteral("Composition 1"));
    }

    // A printer that cannot be reached: the reason and the target are shown.
    const QString unreachable = fixture.workbook.filePath(QStringLiteral("gone/printed.pdf"));
    fixture.print->printerAnswers.enqueue(unreachable);
    fixture.test.prompt->enqueue(Prompt::Answer::Ok);
    panel.preview()->printButton()->click(); // the navigation bar's print button
    const auto &said = fixture.test.prompt->questions.last();
    QCOMPARE(said.icon, Prompt::Icon::Critical);
    QCOMPARE(said.title, QStringLiteral("Print"));
    QVERIFY2(said.text.contains(unreachable), qPrintable(said.text));
}

void TestPrintPanel::saveAsPdfSuggestsTheDocumentNameAndReportsFailures()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.setDocumentName(QStringLiteral("Risk Analysis - Safeguard Report"));
    panel.recompose();
    const QString target = fixture.workbook.filePath(QStringLiteral("report"));
    fixture.print->pdfFileAnswers.enqueue(target);
    QVERIFY(panel.saveAsPdf());
    QCOMPARE(fixture.print->suggestedPdfPaths.last(),
             fixture.workbook.dir().filePath(QStringLiteral("Risk Analysis - Safeguard Report.pdf")));
    QVERIFY(fixture.workbook.exists(QStringLiteral("report.pdf"))); // the extension is added
    const QString title = pdfInfoField(target + QStringLiteral(".pdf"), QStringLiteral("Title"));
    if (!title.isEmpty())
        QCOMPARE(title, QStringLiteral("Risk Analysis - Safeguard Report"));

    panel.setDocumentName(QStringLiteral("Rule: part 1/2"));
    QCOMPARE(QFileInfo(panel.suggestedPdfPath()).fileName(), QStringLiteral("Rule- part 1-2.pdf"));

    fixture.print->pdfFileAnswers.enqueue(std::nullopt); // Cancel: nothing said
    QVERIFY(!panel.saveAsPdf());
    QCOMPARE(fixture.test.prompt->questions.size(), 0);

    const QString unwritable = fixture.workbook.filePath(QStringLiteral("missing/out.pdf"));
    fixture.print->pdfFileAnswers.enqueue(unwritable);
    fixture.test.prompt->enqueue(Prompt::Answer::Ok);
    QVERIFY(!panel.saveAsPdf());
    const auto &said = fixture.test.prompt->questions.last();
    QCOMPARE(said.icon, Prompt::Icon::Critical);
    QVERIFY2(said.text.contains(QDir::toNativeSeparators(unwritable)), qPrintable(said.text));
}

void TestPrintPanel::enlargeToggleWidensThePreviewAndBack()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.open();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));
    const QRect normal = panel.preview()->geometry();
    QCOMPARE(panel.enlargeToggle()->text(), QStringLiteral("Enlarge"));
    QCOMPARE(panel.enlargeToggle()->y(), 5); // 75 twips below the panel's top

    panel.enlargeToggle()->click();
    QVERIFY(panel.isEnlarged());
    QCOMPARE(panel.enlargeToggle()->text(), QStringLiteral("Normal"));
    QCOMPARE(panel.preview()->zoomMode(), int(PrintPreview::EnlargedPanel));
    QCOMPARE(panel.preview()->geometry().left(), 115 / 15);
    QCOMPARE(panel.preview()->geometry().width(), panel.width() - 230 / 15);
    QVERIFY(panel.preview()->geometry().width() > normal.width());

    panel.toggleEnlarged();
    QVERIFY(!panel.isEnlarged());
    QCOMPARE(panel.preview()->geometry(), normal);
    QCOMPARE(panel.preview()->zoomMode(), int(PrintPreview::NormalPanel));
    QVERIFY(panel.button(PrintPanel::CancelButton)->hasFocus());
}

void TestPrintPanel::cancelHidesThePanel()
{
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.open();
    QVERIFY(panel.isOpen());
    QSignalSpy closed(&panel, &PrintPanel::closed);
    panel.button(PrintPanel::CancelButton)->click();
    QVERIFY(!panel.isOpen());
    QCOMPARE(closed.count(), 1);
}

void TestPrintPanel::twinPanelIsConfiguredNotCopied()
{
    // A reader screen's panel: no section boxes, no Print Options frames, no
    // font boxes or sample, no "Printer &Font", a fixed range option; Page
    // Setup composes its document again with the margins chosen.
    PanelFixture fixture;
    PrintPanel &panel = *fixture.panel;
    panel.setSectionFrameVisible(false);
    panel.setToDoOptionsVisible(false);
    panel.setFontBoxesVisible(false);
    panel.setButtonVisible(PrintPanel::PrinterFontButton, false);
    panel.setRangeOption(QStringLiteral("Print Sample Incident Report Form"));
    panel.setPrintMargins({200, 260, 100, 100});
    panel.open();
    QVERIFY(!panel.sectionBox(0)->isVisible());
    QVERIFY(!panel.gridLinesBox()->isVisible());
    QVERIFY(!panel.fontNameBox()->isVisible());
    QVERIFY(!panel.sampleText()->isVisible());
    QVERIFY(panel.orientationBox()->isVisible());
    QVERIFY(!panel.button(PrintPanel::PrinterFontButton)->isVisible());
    QVERIFY(panel.button(PrintPanel::SaveAsPdfButton)->isVisible());
    QCOMPARE(panel.rangeOption()->text(), QStringLiteral("Print Sample Incident Report Form"));
    QVERIFY(panel.rangeOption()->isChecked());

    panel.recompose();
    QCOMPARE(panel.surface()->texts(0).first().position, QPointF(200, 260));
    fixture.print->pageSetupAnswers.enqueue(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                                        QMarginsF(36, 36, 36, 36), QPageLayout::Point));
    panel.button(PrintPanel::PageSetupButton)->click();
    QCOMPARE(fixture.compositions, 2);
    QCOMPARE(panel.surface()->texts(0).first().position, QPointF(720, 720));
}

QTEST_MAIN(TestPrintPanel)
#include "tst_printpanel.moc"
