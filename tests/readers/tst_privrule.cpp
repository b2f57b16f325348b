// The Security Rule reader: sections, search, Font Display, copy, Clear, keys.
#include "readerfixture.h"

#include "platform/editor/richtexteditor.h"
#include "readers/documentsearch.h"
#include "platform/records/settingsstore.h"
#include "printing/printpanel.h"
#include "printing/printpreview.h"
#include "readers/documentviewer.h"
#include "readers/readerprint.h"
#include "readers/privrule.h"
#include "readers/searchpanel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using Answer = Prompt::Answer;

namespace {

// The administrative-safeguards fixture: "Risk" opens the text, "risky"
// must never match "risk", and the word comes in several cases.
const QString kSafeguardsText = QStringLiteral(
    "Risk analysis is the first step.\n"
    "A risky plan ignores risk.\n"
    "The RISK analysis repeats: risk analysis.");

const QString kEndMessage = QStringLiteral("Search has reached the end of the document.");

QColor captionColour(const QRadioButton *button)
{
    return button->palette().color(QPalette::WindowText);
}

struct RuleFixture : ReaderFixture
{
    QPointer<PrivRule> screen;

    RuleFixture()
    {
        for (int n = 0; n < 25; ++n)
            writeDocument(QStringLiteral("PR%1.Fl1").arg(n), QStringLiteral("Section %1 of the rule.").arg(n));
        writeDocument(QStringLiteral("PR9.Fl1"), kSafeguardsText);
        screen = open<PrivRule>(ScreenIndex::SecurityRule);
    }
    ~RuleFixture()
    {
        delete screen.data();
    }

    RichTextEditor *viewer() const { return screen->viewer()->editor(); }

    // One press of the panel's "&Search": the match offset, or -1 when the
    // end of the document was reported.
    int searchStep()
    {
        const int asked = int(test.prompt->questions.size());
        test.prompt->answerUnscriptedWith(Answer::Ok);
        QTest::mouseClick(screen->searchPanel()->searchButton(), Qt::LeftButton);
        if (test.prompt->questions.size() > asked) {
            const auto &question = test.prompt->questions.last();
            if (question.text != kEndMessage || question.title != QStringLiteral("Search Document"))
                return -2;
            return -1;
        }
        return viewer()->selStart();
    }
};

int offsetAfter(const QString &marker, const QString &word)
{
    return int(kSafeguardsText.indexOf(marker) + marker.size() - word.size());
}

} // namespace

class TestPrivRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithNoSectionAndCommandsDisabled();
    void choosingSection_data();
    void choosingSection();
    void sectionListIndentsTheAnalysisParts();
    void missingSectionLeavesViewerEmpty();
    void coverHidesTheLoad();
    void searchRules_data();
    void searchRules();
    void enterRunsTheSearch();
    void matchIsScrolledToTheMiddleOfTheView();
    void choosingSectionClosesSearchPanel();
    void fontDisplayWithoutSelection();
    void fontDisplayChangesOnlyTheSelectionOnScreen();
    void fontDisplayCancelChangesNothing();
    void copyTakesWholeSection();
    void copyRefusedByClipboardIsReported();
    void clearLeavesSearchPanelOpen();
    void escapeOrder();
    void f1OpensRuleHelp();
    void printComposesSelectionOrWholeSection_data();
    void printComposesSelectionOrWholeSection();
    void printPanelIsTheReducedTwin();
    void pageSetupComposesAgainWithItsMargins();
    void printEntryPrintsWhilePanelIsOpen();
    void guideLinesRestoredWithoutWriting();
    void switchingEntryClosesPrintPanelFirst();
};

void TestPrivRule::opensWithNoSectionAndCommandsDisabled()
{
    RuleFixture f;
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Security Rule"));
    QCOMPARE(f.screen->currentSection(), -1);
    QVERIFY(!f.screen->searchPanel()->isVisible());
    QVERIFY(f.viewer()->text().isEmpty());
    for (QPushButton *button : {f.screen->fontDisplayButton(), f.screen->printButton(), f.screen->searchButton()})
        QVERIFY(!button->isEnabled());
    QVERIFY(f.screen->clearButton()->isEnabled());
    for (QAction *entry :
         {f.screen->copyEntry(), f.screen->fontDisplayEntry(), f.screen->printEntry(), f.screen->searchEntry()})
        QVERIFY(!entry->isEnabled());
    for (int n = 0; n < 25; ++n)
        QVERIFY(!f.screen->sectionButton(n)->isChecked());
}

void TestPrivRule::choosingSection_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("entire rule") << 0 << "Entire Rule" << "The Entire Security Rule";
    QTest::newRow("analysis") << 4 << "III. Analysis of, ..."
                              << "Analysis of, and Responses to, Public Comments on the Proposed Rule";
    QTest::newRow("administrative") << 9 << "E. Admin. Safeguards" << "Administrative Safeguards (Sec. 164.308)";
    QTest::newRow("ampersand") << 13 << "I. Policies&&Procedures.."
                               << "Policies and Procedures and Documentation Requirements (Sec. 164.316)";
    QTest::newRow("federalism") << 21 << "V. Federalism" << "Federalism";
    QTest::newRow("matrix") << 24 << "Subpart C- Matrix"
                            << "Appendix A to Subpart C of Part 164--Security Standards Matrix";
}

void TestPrivRule::choosingSection()
{
    QFETCH(int, section);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    RuleFixture f;
    QRadioButton *button = f.screen->sectionButton(section);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), tooltip);

    f.screen->sectionButton(section == 0 ? 1 : 0)->click();
    button->click();
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Security Rule - ") + tooltip);
    QCOMPARE(f.screen->currentSection(), section);
    QVERIFY(button->isChecked());
    for (int n = 0; n < 25; ++n)
        QCOMPARE(captionColour(f.screen->sectionButton(n)), n == section ? QColor(0, 0, 255) : QColor(0, 0, 0));
    const QString expected =
        section == 9 ? kSafeguardsText : QStringLiteral("Section %1 of the rule.").arg(section);
    QCOMPARE(f.viewer()->text(), expected);
    for (QPushButton *command : {f.screen->fontDisplayButton(), f.screen->printButton(), f.screen->searchButton()})
        QVERIFY(command->isEnabled());
    for (QAction *entry :
         {f.screen->copyEntry(), f.screen->fontDisplayEntry(), f.screen->printEntry(), f.screen->searchEntry()})
        QVERIFY(entry->isEnabled());
    QCOMPARE(QApplication::focusWidget(), f.screen->printButton());
}

void TestPrivRule::sectionListIndentsTheAnalysisParts()
{
    RuleFixture f;
    const int plainLeft = f.screen->sectionButton(4)->x();
    for (int n = 0; n < 25; ++n) {
        const bool indented = n >= 5 && n <= 18;
        QCOMPARE(f.screen->sectionButton(n)->x() > plainLeft, indented);
    }
}

void TestPrivRule::missingSectionLeavesViewerEmpty()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    QVERIFY(QFile::remove(f.content.filePath(QStringLiteral("PR21.Fl1"))));
    f.screen->sectionButton(21)->click();
    QVERIFY(f.viewer()->text().isEmpty());
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Security Rule - Federalism"));
    QCOMPARE(captionColour(f.screen->sectionButton(21)), QColor(0, 0, 255));
    QVERIFY(f.screen->searchButton()->isEnabled());
    QVERIFY(f.test.prompt->questions.isEmpty());
}

void TestPrivRule::coverHidesTheLoad()
{
    RuleFixture f;
    QList<bool> coverShownWhileLoading;
    QObject::connect(f.viewer(), &RichTextEditor::contentChanged, f.screen,
                     [&] { coverShownWhileLoading << f.screen->viewer()->cover()->isVisible(); });
    f.screen->sectionButton(9)->click();
    QVERIFY(!coverShownWhileLoading.isEmpty());
    QVERIFY(!coverShownWhileLoading.contains(false));
    QVERIFY(!f.screen->viewer()->cover()->isVisible());
}

void TestPrivRule::searchRules_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("clickAt");       // caret placed by a click first; -1 none
    QTest::addColumn<QList<int>>("steps");  // match offsets; -1 the end message

    const int ignoresRisk = offsetAfter(QStringLiteral("ignores risk"), QStringLiteral("risk"));
    const int theRisk = offsetAfter(QStringLiteral("The RISK"), QStringLiteral("RISK"));
    const int repeatsRisk = offsetAfter(QStringLiteral("repeats: risk"), QStringLiteral("risk"));

    // The first word of the section sits at offset 0 and is never found;
    // "risky" is not "risk"; any case matches; the end wraps to offset 1.
    QTest::newRow("word, whole words, any case, end and wrap")
        << "risk" << -1 << QList<int>{ignoresRisk, theRisk, repeatsRisk, -1, ignoresRisk};
    QTest::newRow("typed in capitals") << "IGNORES" << -1
                                       << QList<int>{int(kSafeguardsText.indexOf(QStringLiteral("ignores"))), -1};
    QTest::newRow("phrase as one string") << "risk analysis" << -1 << QList<int>{theRisk, repeatsRisk, -1};
    QTest::newRow("letters inside a longer word") << "isk" << -1 << QList<int>{-1};
    QTest::newRow("phrase found once") << "first step" << -1
                                            << QList<int>{int(kSafeguardsText.indexOf(QStringLiteral("first")))};
    QTest::newRow("at the very start") << "Risk analysis is" << -1 << QList<int>{-1, -1};
    QTest::newRow("click sets the start") << "risk" << theRisk + 2 << QList<int>{repeatsRisk, -1, ignoresRisk};
}

void TestPrivRule::searchRules()
{
    QFETCH(QString, words);
    QFETCH(int, clickAt);
    QFETCH(QList<int>, steps);
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    QTest::mouseClick(f.screen->searchButton(), Qt::LeftButton);
    QVERIFY(f.screen->searchPanel()->isVisible());
    QCOMPARE(f.screen->search()->position(), 1);
    QTest::keyClicks(f.screen->searchPanel()->searchText(), words);
    if (clickAt >= 0) {
        QTextCursor cursor = f.viewer()->textCursor();
        cursor.setPosition(clickAt);
        const QRect place = f.viewer()->cursorRect(cursor);
        QTest::mouseClick(f.viewer()->viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(f.screen->search()->position(), clickAt);
    }
    for (int step = 0; step < steps.size(); ++step) {
        const int expected = steps.at(step);
        QCOMPARE(f.searchStep(), expected);
        if (expected >= 0) {
            QCOMPARE(f.viewer()->selLength(), int(words.size()));
            QCOMPARE(f.screen->search()->position(), expected + int(words.size()));
            QCOMPARE(QApplication::focusWidget(), f.screen->searchPanel()->searchText());
        } else {
            QCOMPARE(f.viewer()->selStart(), 1);
            QCOMPARE(f.viewer()->selLength(), 0);
            QCOMPARE(f.screen->search()->position(), 1);
            QCOMPARE(QApplication::focusWidget(), f.screen->searchPanel()->searchText());
        }
    }
}

void TestPrivRule::enterRunsTheSearch()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->searchEntry()->trigger();
    QLineEdit *box = f.screen->searchPanel()->searchText();
    QTest::keyClicks(box, QStringLiteral("ignores"));
    QTest::keyClick(box, Qt::Key_Return);
    const int ignores = int(kSafeguardsText.indexOf(QStringLiteral("ignores")));
    QCOMPARE(f.viewer()->selStart(), ignores);
    QCOMPARE(box->text(), QStringLiteral("ignores"));
    // The caret is still in the box: Enter finds the next one, which here
    // is the end of the document.
    QCOMPARE(QApplication::focusWidget(), box);
    f.test.prompt->enqueue(Answer::Ok);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions.first().text, kEndMessage);
    QCOMPARE(f.viewer()->text(), kSafeguardsText); // no line break reached the text
    // Changing the words starts again from offset 1.
    f.screen->search()->setPosition(40);
    QTest::keyClick(box, Qt::Key_S);
    QCOMPARE(f.screen->search()->position(), 1);
}

void TestPrivRule::matchIsScrolledToTheMiddleOfTheView()
{
    RuleFixture f;
    QStringList lines;
    for (int line = 0; line < 300; ++line)
        lines << QStringLiteral("Line %1 of a long section.").arg(line);
    lines[150] = QStringLiteral("The needle is here.");
    f.writeDocument(QStringLiteral("PR10.Fl1"), lines.join(QLatin1Char('\n')));
    f.screen->sectionButton(10)->click();
    f.screen->searchEntry()->trigger();
    QLineEdit *box = f.screen->searchPanel()->searchText();
    QTest::keyClicks(box, QStringLiteral("needle"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.viewer()->selLength(), 6);
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(box->hasFocus());
    const QRect match = f.viewer()->cursorRect();
    const int middle = f.viewer()->viewport()->height() / 2;
    QVERIFY2(qAbs(match.center().y() - middle) <= match.height(),
             qPrintable(QStringLiteral("match at %1, middle %2").arg(match.center().y()).arg(middle)));
}

void TestPrivRule::choosingSectionClosesSearchPanel()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->searchButton()->click();
    QVERIFY(f.screen->searchPanel()->isVisible());
    f.screen->sectionButton(10)->click();
    QVERIFY(!f.screen->searchPanel()->isVisible());
    // "&Search" toggles: open, then closed again.
    f.screen->searchButton()->click();
    f.screen->searchButton()->click();
    QVERIFY(!f.screen->searchPanel()->isVisible());
}

void TestPrivRule::fontDisplayWithoutSelection()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.test.prompt->enqueue(Answer::Ok);
    f.screen->fontDisplayButton()->click();
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions.first().text, QStringLiteral("Please select text to change."));
    QCOMPARE(f.test.prompt->questions.first().title, QStringLiteral("Font Display"));
    QVERIFY(f.test.fontDialog->initialFonts.isEmpty());
}

void TestPrivRule::fontDisplayChangesOnlyTheSelectionOnScreen()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    const int start = int(kSafeguardsText.indexOf(QStringLiteral("risky")));
    f.viewer()->select(start, 5);
    QFont chosen(QStringLiteral("Liberation Sans"));
    chosen.setPointSize(16);
    chosen.setBold(true);
    chosen.setItalic(true);
    f.test.fontDialog->enqueue(chosen);
    f.screen->fontDisplayEntry()->trigger();

    QCOMPARE(f.test.fontDialog->initialFonts.size(), 1);
    QCOMPARE(f.test.fontDialog->initialFonts.first().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(f.test.fontDialog->initialFonts.first().pointSizeF(), 11.0);
    QCOMPARE(f.viewer()->selStart(), start);
    QCOMPARE(f.viewer()->selLength(), 5);
    QCOMPARE(f.viewer()->selFontName(), QStringLiteral("Liberation Sans"));
    QCOMPARE(f.viewer()->selFontSize(), 16.0);
    QVERIFY(f.viewer()->selBold() && f.viewer()->selItalic());
    QCOMPARE(QApplication::focusWidget(), f.viewer());
    f.viewer()->select(0, 4);
    QVERIFY(!f.viewer()->selBold());

    // Only the display changed: the section reads as stored again.
    f.screen->sectionButton(9)->click();
    f.viewer()->select(start, 5);
    QVERIFY(!f.viewer()->selBold());
    QCOMPARE(f.viewer()->selFontName(), QStringLiteral("Times New Roman"));
}

void TestPrivRule::fontDisplayCancelChangesNothing()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.viewer()->select(2, 6);
    const QByteArray before = f.viewer()->rtf();
    f.test.fontDialog->enqueue(std::nullopt);
    f.screen->fontDisplayButton()->click();
    QCOMPARE(f.viewer()->rtf(), before);
    QCOMPARE(f.viewer()->selStart(), 2);
    QCOMPARE(f.viewer()->selLength(), 6);
}

void TestPrivRule::copyTakesWholeSection()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.viewer()->select(5, 8);
    f.test.prompt->enqueue(Answer::Ok);
    f.screen->copyEntry()->trigger();
    QCOMPARE(f.test.clipboard->setCount, 1);
    QCOMPARE(f.test.clipboard->rtf, f.viewer()->rtf());
    QVERIFY(f.test.clipboard->rtf.startsWith("{\\rtf1"));
    QVERIFY(f.test.clipboard->plainText.isEmpty());
    QVERIFY(f.test.clipboard->rtf.contains("repeats"));
    const auto &message = f.test.prompt->questions.first();
    QCOMPARE(message.text, QStringLiteral("A copy has been copied to the Windows Clipboard."));
    QCOMPARE(message.title, QStringLiteral("Copy Option"));
    QCOMPARE(message.icon, Prompt::Icon::Information);
}

void TestPrivRule::copyRefusedByClipboardIsReported()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.test.clipboard->refuse = true;
    f.test.prompt->enqueue(Answer::Ok);
    f.screen->copyEntry()->trigger();
    QCOMPARE(f.test.prompt->questions.first().icon, Prompt::Icon::Exclamation);
    QVERIFY(!f.test.prompt->questions.first().text.contains(QStringLiteral("has been copied")));
}

void TestPrivRule::clearLeavesSearchPanelOpen()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->searchButton()->click();
    QTest::keyClicks(f.screen->searchPanel()->searchText(), QStringLiteral("risk"));
    f.screen->clearButton()->click();

    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Security Rule"));
    QVERIFY(f.viewer()->text().isEmpty());
    for (int n = 0; n < 25; ++n) {
        QVERIFY(!f.screen->sectionButton(n)->isChecked());
        QCOMPARE(captionColour(f.screen->sectionButton(n)), QColor(0, 0, 0));
    }
    for (QPushButton *button : {f.screen->fontDisplayButton(), f.screen->printButton(), f.screen->searchButton()})
        QVERIFY(!button->isEnabled());
    for (QAction *entry :
         {f.screen->copyEntry(), f.screen->fontDisplayEntry(), f.screen->printEntry(), f.screen->searchEntry()})
        QVERIFY(!entry->isEnabled());
    QVERIFY(f.screen->searchPanel()->isVisible());
    QCOMPARE(f.searchStep(), -1);
}

void TestPrivRule::escapeOrder()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->searchButton()->click();
    f.screen->printButton()->click();
    PrintPanel *panel = f.screen->printing()->panel();
    QTest::mouseClick(panel->enlargeToggle(), Qt::LeftButton);
    QVERIFY(panel->isEnlarged());
    QTest::keyClick(f.screen, Qt::Key_Escape);
    QVERIFY(!panel->isEnlarged());
    QVERIFY(panel->isOpen());
    QTest::keyClick(f.screen, Qt::Key_Escape);
    QVERIFY(!panel->isOpen());
    QVERIFY(f.screen->searchPanel()->isVisible());
    QTest::keyClick(f.screen->searchPanel()->searchText(), Qt::Key_Escape);
    QVERIFY(!f.screen->searchPanel()->isVisible());
    QVERIFY(f.test.prompt->questions.isEmpty());
    f.test.prompt->enqueue(Answer::No);
    QTest::keyClick(f.screen, Qt::Key_Escape);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions.first().text, QStringLiteral("Exit Sentrivo?"));
    QVERIFY(f.screen && f.screen->isVisible());
}

void TestPrivRule::f1OpensRuleHelp()
{
    RuleFixture f;
    QTest::keyClick(f.screen, Qt::Key_F1);
    f.screen->sectionButton(9)->click();
    f.screen->printButton()->click();
    QTest::keyClick(f.screen, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics, (QList<int>{HelpTopic::SecurityRule, HelpTopic::PrintPreview}));
}

void TestPrivRule::printComposesSelectionOrWholeSection_data()
{
    QTest::addColumn<QString>("selected");  // empty: nothing selected
    QTest::newRow("nothing selected") << QString();
    QTest::newRow("a passage") << QStringLiteral("A risky plan ignores");
}

void TestPrivRule::printComposesSelectionOrWholeSection()
{
    QFETCH(QString, selected);
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    if (!selected.isEmpty())
        f.viewer()->select(int(kSafeguardsText.indexOf(selected)), int(selected.size()));
    f.screen->printButton()->click();

    PrintPanel *panel = f.screen->printing()->panel();
    QVERIFY(panel->isOpen());
    QCOMPARE(panel->geometry(), f.screen->centralWidget()->rect());
    QCOMPARE(QApplication::focusWidget(), panel->button(PrintPanel::CancelButton));
    PrintSurface *surface = panel->surface();
    QCOMPARE(surface->margins(), (PrintMargins{350, 300, 350, 100}));
    QCOMPARE(surface->pageCount(), 1);
    const QString printed = surface->pageText(0);
    if (selected.isEmpty()) {
        QVERIFY(printed.contains(QStringLiteral("Risk analysis is the first step.")));
        QVERIFY(printed.contains(QStringLiteral("repeats: risk analysis.")));
    } else {
        QVERIFY(printed.contains(selected));
        QVERIFY(!printed.contains(QStringLiteral("first step")));
        QVERIFY(!printed.contains(QStringLiteral("repeats")));
    }
    QCOMPARE(panel->preview()->navigationBar(), 3);
}

void TestPrivRule::printPanelIsTheReducedTwin()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->printEntry()->trigger();
    PrintPanel *panel = f.screen->printing()->panel();
    QVERIFY(!panel->sectionFrameVisible());
    QVERIFY(!panel->toDoOptionsVisible());
    QVERIFY(!panel->fontBoxesVisible());
    QVERIFY(!panel->button(PrintPanel::PrinterFontButton)->isVisible());
    for (auto button : {PrintPanel::PageSetupButton, PrintPanel::CancelButton, PrintPanel::CopyPageButton,
                        PrintPanel::PrintButton})
        QVERIFY(panel->button(button)->isVisible());
    QCOMPARE(panel->rangeOption()->text(), QStringLiteral("All Data Will Be Displayed"));
    QVERIFY(panel->rangeOption()->isChecked());
    QCOMPARE(panel->orientationBox()->text(), QStringLiteral(" Portrait"));
    // The screen's own menu entries beep rather than act over the panel.
    f.screen->searchEntry()->trigger();
    f.screen->fontDisplayEntry()->trigger();
    QVERIFY(!f.screen->searchPanel()->isVisible());
    QVERIFY(f.test.prompt->questions.isEmpty());
    QVERIFY(f.test.fontDialog->initialFonts.isEmpty());
}

void TestPrivRule::pageSetupComposesAgainWithItsMargins()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.viewer()->select(int(kSafeguardsText.indexOf(QStringLiteral("The RISK"))), 8);
    f.screen->printButton()->click();
    f.printServices->pageSetupAnswers.enqueue(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                                          QMarginsF(36, 18, 36, 18), QPageLayout::Point));
    QTest::mouseClick(f.screen->printing()->panel()->button(PrintPanel::PageSetupButton), Qt::LeftButton);
    PrintPanel *panel = f.screen->printing()->panel();
    QCOMPARE(panel->surface()->margins(), (PrintMargins{720, 360, 720, 360}));
    QCOMPARE(panel->surface()->orientation(), QPageLayout::Landscape);
    QCOMPARE(panel->orientationBox()->text(), QStringLiteral(" Landscape"));
    QVERIFY(panel->surface()->pageText(0).contains(QStringLiteral("The RISK")));
    QVERIFY(!panel->surface()->pageText(0).contains(QStringLiteral("first step")));
}

void TestPrivRule::printEntryPrintsWhilePanelIsOpen()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->printEntry()->trigger();
    QCOMPARE(f.printServices->printDialogs, 0);
    f.printServices->printerAnswers.enqueue(std::nullopt); // the user cancels the print dialog
    f.screen->printEntry()->trigger();
    QCOMPARE(f.printServices->printDialogs, 1);
    QVERIFY(f.screen->printing()->isOpen());
}

void TestPrivRule::guideLinesRestoredWithoutWriting()
{
    RuleFixture f;
    // No stored choice: "Do Not Display Guide Lines", and nothing written.
    QVERIFY(f.screen->printing()->panel()->guideLineOption(0)->isChecked());
    QVERIFY(f.workbook.readFile(QStringLiteral("GColor3.Fil")).isEmpty());

    QVERIFY(SettingsStore(f.workbook.workbook()).setGuideLinesShown(1));
    const QByteArray stored = f.workbook.readFile(QStringLiteral("GColor3.Fil"));
    f.screen->close();
    QTRY_VERIFY(!f.screen);
    f.screen = f.open<PrivRule>(ScreenIndex::SecurityRule);
    PrintPanel *panel = f.screen->printing()->panel();
    QVERIFY(panel->guideLineOption(1)->isChecked());
    QCOMPARE(panel->preview()->showGuides(), 1);
    QCOMPARE(f.workbook.readFile(QStringLiteral("GColor3.Fil")), stored);

    // The user's choice is stored for every print panel.
    f.screen->sectionButton(9)->click();
    f.screen->printButton()->click();
    panel->guideLineOption(0)->click();
    QCOMPARE(panel->preview()->showGuides(), 0);
    QCOMPARE(SettingsStore(f.workbook.workbook()).guideLinesShown(), 0);
}

void TestPrivRule::switchingEntryClosesPrintPanelFirst()
{
    RuleFixture f;
    f.screen->sectionButton(9)->click();
    f.screen->printButton()->click();
    QVERIFY(f.screen->printing()->isOpen());
    f.test.prompt->enqueue(Answer::No);
    f.screen->switchingEntry(ScreenIndex::ExitProgram)->trigger();
    QVERIFY(!f.screen->printing()->isOpen());
    QCOMPARE(f.test.prompt->questions.size(), 1);
    f.screen->switchingEntry(ScreenIndex::Miscellaneous)->trigger();
    QTRY_VERIFY(!f.screen);
    QCOMPARE(f.hub->activations, QList<int>{ScreenIndex::Miscellaneous});
}

QTEST_MAIN(TestPrivRule)
#include "tst_privrule.moc"
