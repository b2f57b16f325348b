// The Action Area's print panel: what each WorkMode opens and composes, the
// section boxes' rules, the all-policies run and its menu entry, and the
// keys and checks that depend on the panel being shown.
#include "actionarea/actionareafixture.h"
#include "scriptedprintservices.h"

#include "actionarea/actionareaprint.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statustable.h"
#include "platform/records/settingsstore.h"
#include "printing/printpanel.h"
#include "printing/printpreview.h"
#include "screens/helptopics.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>

namespace {

QByteArray rtfOf(const QByteArray &text)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 " + text + "\\par}";
}

QString documentText(const PrintSurface &surface)
{
    QStringList pages;
    for (int page = 0; page < surface.pageCount(); ++page)
        pages << surface.pageText(page);
    return pages.join(QLatin1Char('\n'));
}

struct PrintFixture : ActionAreaFixture
{
    std::shared_ptr<ScriptedPrintServices> print = std::make_shared<ScriptedPrintServices>();

    ActionArea *openWithPrint()
    {
        open();
        panel()->setPrintServices(print);
        return window;
    }
    PrintPanel *panel() const { return window->printing()->panel(); }
    PrintSurface &surface() const { return *panel()->surface(); }
    QAction *allPoliciesEntry() const
    {
        return window->findChild<QAction *>(QStringLiteral("printAllPolicies"));
    }
    void clickPrint()
    {
        QTest::mouseClick(workspace()->commandButton(SafeguardWorkspace::Command::Print), Qt::LeftButton);
    }
};

} // namespace

class TestActionAreaPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void safeguardPrintChecksTheShownEntryAndPreviewsItAsEdited();
    void emptyEntriesAndOverviewsAreRefused();
    void gridPrintChecksTheShownGroupAndComposesAtOnce();
    void allSafeguardsAndGroupBoxesExcludeEachOther();
    void allPoliciesEntryOnlyWhileAGroupIsPrinted();
    void pageSetupRecomposesTheDocumentShown();
    void recoveryPlanPrintsTheDisplayCopy();
    void helpEscapeAndBeepChecksSeeThePanel();
    void guideLineChoiceIsRestoredAtLoad();
};

void TestActionAreaPrint::safeguardPrintChecksTheShownEntryAndPreviewsItAsEdited()
{
    PrintFixture f;
    f.workbook.writeFile(QStringLiteral("Action0.Fil"), rtfOf("Saved action."));
    f.workbook.writeFile(QStringLiteral("Policy0.Fil"), rtfOf("Saved policy."));
    f.openWithPrint();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(SafeguardWorkspace::ActionTakenOption);
    f.editor()->moveCursor(QTextCursor::End);
    f.type(QStringLiteral(" Unsaved words"));
    QVERIFY(f.unsaved());
    QVERIFY(!f.window->printPreviewShown());
    f.clickPrint();

    QVERIFY(f.window->printPreviewShown());
    PrintPanel &panel = *f.panel();
    QCOMPARE(panel.sectionBox(5)->text(), QStringLiteral("Policies && Procedures/Plan"));
    QVERIFY(panel.isSectionBoxChecked(3));
    for (int box : {0, 1, 2, 4, 5})
        QVERIFY(!panel.isSectionBoxChecked(box));
    QVERIFY(panel.button(PrintPanel::PrinterFontButton)->isEnabled());
    QCOMPARE(panel.printMargins(), (PrintMargins{720, 1080, 720, 1080}));
    // The preview opens on a copy of the display, unsaved words included.
    QVERIFY(documentText(f.surface()).contains(QStringLiteral("Saved action. Unsaved words")));

    // Adding the policies composes the report, with the entry as edited.
    panel.sectionBox(5)->click();
    const QString report = documentText(f.surface());
    // It says what it is before the entries.
    QVERIFY(report.contains(QStringLiteral("Standard: Security Management Process")));
    QVERIFY(report.indexOf(QStringLiteral("Standard:")) < report.indexOf(QStringLiteral("Action Taken:")));
    QVERIFY(report.contains(QStringLiteral("Saved action. Unsaved words")));
    QVERIFY(report.contains(QStringLiteral("Policies and Procedures/Plan:\n \nSaved policy.")));
    QCOMPARE(panel.documentName(), QStringLiteral("Risk Analysis - Safeguard Report"));
    QVERIFY(f.unsaved()); // printing never saves nor discards the edits
}

void TestActionAreaPrint::emptyEntriesAndOverviewsAreRefused()
{
    PrintFixture f;
    f.openWithPrint();
    f.clickNavigation(WorkMode::Organizational);
    f.chooseView(SafeguardWorkspace::ReferencesInRuleOption);
    f.clickPrint();
    PrintPanel &panel = *f.panel();
    QVERIFY(panel.isSectionBoxChecked(1));

    f.test.prompt->enqueue({Prompt::Answer::Ok, Prompt::Answer::Ok});
    panel.sectionBox(0)->click();
    QVERIFY(!panel.isSectionBoxChecked(0));
    QCOMPARE(f.test.prompt->questions.last().title, QStringLiteral("Implementation Specification"));
    QCOMPARE(f.test.prompt->questions.last().icon, Prompt::Icon::Exclamation);
    panel.sectionBox(4)->click();
    QVERIFY(!panel.isSectionBoxChecked(4));
    QCOMPARE(f.test.prompt->questions.last().text,
             QStringLiteral("No Comments/Notes were found for Organizational Requirements Overview!"));
    QCOMPARE(f.test.prompt->pendingAnswers(), 0);
}

void TestActionAreaPrint::gridPrintChecksTheShownGroupAndComposesAtOnce()
{
    PrintFixture f;
    f.openWithPrint();
    f.window->statusTable().writeStatus(24, QStringLiteral("Completed"));
    f.window->standardsPanel()->selectGroup(1);
    QVERIFY(f.window->standardsPanel()->printButton()->isEnabled());
    QTest::mouseClick(f.window->standardsPanel()->printButton(), Qt::LeftButton);

    PrintPanel &panel = *f.panel();
    QVERIFY(f.window->printPreviewShown());
    QCOMPARE(panel.sectionBox(0)->text(), QStringLiteral("All Safeguards"));
    QVERIFY(!panel.sectionBox(4)->isVisibleTo(&panel));
    QVERIFY(panel.isSectionBoxChecked(2));
    QVERIFY(!panel.button(PrintPanel::PrinterFontButton)->isEnabled());
    QVERIFY(!panel.button(PrintPanel::PageSetupButton)->isEnabled());
    QCOMPARE(panel.orientationBox()->text(), QStringLiteral("Portrait"));
    QCOMPARE(panel.fontNameBox()->text(), QStringLiteral(" Times New Roman"));
    QCOMPARE(panel.fontSizeBox()->text(), QStringLiteral(" 10"));
    const QString text = documentText(f.surface());
    QVERIFY(text.contains(QStringLiteral("PHYSICAL SAFEGUARDS")));
    QVERIFY(!text.contains(QStringLiteral("TECHNICAL SAFEGUARDS")));
    QVERIFY(text.contains(QStringLiteral("Contingency Operation")));
    QVERIFY(text.contains(QStringLiteral("Completed")));
    // No all-policies run from the grid.
    QVERIFY(!f.allPoliciesEntry()->isEnabled());
}

void TestActionAreaPrint::allSafeguardsAndGroupBoxesExcludeEachOther()
{
    PrintFixture f;
    f.openWithPrint();
    f.window->standardsPanel()->selectGroup(0);
    QTest::mouseClick(f.window->standardsPanel()->printButton(), Qt::LeftButton);
    PrintPanel &panel = *f.panel();
    QVERIFY(panel.isSectionBoxChecked(1));
    panel.sectionBox(3)->click();
    QVERIFY(panel.isSectionBoxChecked(1) && panel.isSectionBoxChecked(3));
    QVERIFY(documentText(f.surface()).contains(QStringLiteral("TECHNICAL SAFEGUARDS")));

    panel.sectionBox(0)->click(); // All unchecks the groups
    QVERIFY(panel.isSectionBoxChecked(0));
    for (int box : {1, 2, 3})
        QVERIFY(!panel.isSectionBoxChecked(box));
    QVERIFY(documentText(f.surface()).contains(QStringLiteral("ORGANIZATIONAL REQUIREMENTS")));

    panel.sectionBox(2)->click(); // a group unchecks All
    QVERIFY(!panel.isSectionBoxChecked(0));
    QVERIFY(panel.isSectionBoxChecked(2));
    QVERIFY(!documentText(f.surface()).contains(QStringLiteral("ORGANIZATIONAL")));

    panel.sectionBox(2)->click(); // nothing checked: an empty preview
    QCOMPARE(f.surface().pageCount(), 0);
}

void TestActionAreaPrint::allPoliciesEntryOnlyWhileAGroupIsPrinted()
{
    PrintFixture f;
    f.workbook.writeFile(QStringLiteral("Policy20.Fil"), rtfOf("Testing policy."));
    f.workbook.writeFile(QStringLiteral("Policy3.Fil"), rtfOf("Review policy."));
    f.openWithPrint();
    QVERIFY(!f.allPoliciesEntry()->isEnabled());

    f.test.prompt->enqueue(Prompt::Answer::Ok); // the sample notice
    f.clickNavigation(WorkMode::Sample);
    f.chooseView(SafeguardWorkspace::ActionTakenOption);
    f.clickPrint();
    QVERIFY(f.window->printPreviewShown());
    QVERIFY(!f.allPoliciesEntry()->isEnabled());
    // The sample view reports the shipped sample entries.
    f.panel()->sectionBox(5)->click();
    QVERIFY(!documentText(f.surface()).isEmpty());
    f.panel()->button(PrintPanel::CancelButton)->click();

    f.clickNavigation(WorkMode::Physical);
    f.chooseView(SafeguardWorkspace::ImplementationSpecificationOption);
    f.clickPrint();
    QVERIFY(f.allPoliciesEntry()->isEnabled());
    f.allPoliciesEntry()->trigger();
    QVERIFY(f.window->printing()->allPoliciesShown());
    QCOMPARE(f.surface().pageCount(), 2);
    QCOMPARE(f.surface().pageText(0), QStringLiteral("Review policy."));
    QCOMPARE(f.surface().pageText(1), QStringLiteral("Testing policy."));
    QCOMPARE(f.surface().margins(), (PrintMargins{750, 600, 650, 600}));
    for (int box = 0; box < PrintPanel::kSectionBoxCount; ++box)
        QVERIFY(!f.panel()->isSectionBoxChecked(box));
    QVERIFY(f.panel()->progressPanel()->isHidden());
    // The sample's own policy is never part of it.
    QVERIFY(!documentText(f.surface()).contains(QStringLiteral("Sample")));

    f.panel()->button(PrintPanel::CancelButton)->click();
    QVERIFY(!f.allPoliciesEntry()->isEnabled());
}

void TestActionAreaPrint::pageSetupRecomposesTheDocumentShown()
{
    PrintFixture f;
    f.workbook.writeFile(QStringLiteral("Policy3.Fil"), rtfOf("Review policy."));
    f.workbook.writeFile(QStringLiteral("Policy23.Fil"), rtfOf("Facility policy."));
    f.openWithPrint();
    f.clickNavigation(WorkMode::Physical);
    f.chooseView(SafeguardWorkspace::PoliciesOption);
    f.clickPrint();
    f.allPoliciesEntry()->trigger();
    QCOMPARE(f.surface().pageCount(), 2);

    const QPageLayout landscape(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(36, 36, 36, 36));
    f.print->pageSetupAnswers.enqueue(landscape);
    f.panel()->button(PrintPanel::PageSetupButton)->click();
    // The dialog showed the margins of the policies, not the report's.
    QCOMPARE(f.print->pageSetupPresets.last().margins(QPageLayout::Point), QMarginsF(37.5, 30, 32.5, 30));
    // Still all the policies, now landscape with the margins chosen.
    QVERIFY(f.window->printing()->allPoliciesShown());
    QCOMPARE(f.surface().pageCount(), 2);
    QCOMPARE(f.surface().pageSizeTwips(1), QSize(15840, 12240));
    QCOMPARE(f.surface().texts(1).first().position, QPointF(720, 720));
    QCOMPARE(f.panel()->orientationBox()->text(), QStringLiteral(" Landscape"));

    // Then a safeguard report: Page Setup recomposes the report.
    f.panel()->sectionBox(5)->click();
    QVERIFY(!f.window->printing()->allPoliciesShown());
    f.print->pageSetupAnswers.enqueue(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18)));
    f.panel()->button(PrintPanel::PageSetupButton)->click();
    QVERIFY(!f.window->printing()->allPoliciesShown());
    QCOMPARE(f.surface().pageCount(), 1);
    QVERIFY(documentText(f.surface()).contains(QStringLiteral("Policies and Procedures/Plan:")));
    QCOMPARE(f.surface().texts(0).first().position, QPointF(360, 360));
}

void TestActionAreaPrint::recoveryPlanPrintsTheDisplayCopy()
{
    PrintFixture f;
    f.workbook.writeFile(QStringLiteral("DRPln1.Fil"), rtfOf("Our recovery plan."));
    f.openWithPrint();
    f.clickNavigation(WorkMode::RecoveryPlan);
    f.clickPrint();
    PrintPanel &panel = *f.panel();
    QVERIFY(f.window->printPreviewShown());
    QVERIFY(!panel.sectionFrameVisible());
    QVERIFY(!panel.button(PrintPanel::PrinterFontButton)->isEnabled());
    QVERIFY(panel.button(PrintPanel::PageSetupButton)->isEnabled());
    // Titled, the plan under it, every page numbered.
    const QString text = documentText(f.surface());
    QVERIFY(text.contains(QStringLiteral("Disaster Recovery Plan\n \nOur recovery plan.")));
    QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    QCOMPARE(f.surface().texts(0).first().position, QPointF(720, 1080));
    QVERIFY(!f.allPoliciesEntry()->isEnabled());
    QCOMPARE(QFileInfo(panel.suggestedPdfPath()).fileName(), QStringLiteral("Disaster Recovery Plan.pdf"));
}

void TestActionAreaPrint::helpEscapeAndBeepChecksSeeThePanel()
{
    PrintFixture f;
    f.workbook.writeFile(QStringLiteral("DRPln1.Fil"), rtfOf("Plan."));
    const QByteArray stored = f.workbook.readFile(QStringLiteral("DRPln1.Fil"));
    f.openWithPrint();
    f.clickNavigation(WorkMode::RecoveryPlan);
    f.type(QStringLiteral("x"));
    f.clickPrint();
    QVERIFY(f.window->printPreviewShown());

    QTest::keyClick(f.window, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics.last(), HelpTopic::PrintPreview);

    // "&Save" beeps instead of saving while the panel is shown.
    f.window->optionsEntry(OptionsTable::Entry::Save)->trigger();
    QCOMPARE(f.workbook.readFile(QStringLiteral("DRPln1.Fil")), stored);
    QVERIFY(f.unsaved());

    f.panel()->toggleEnlarged();
    QTest::keyClick(f.window, Qt::Key_Escape); // the preview back to normal size
    QVERIFY(!f.panel()->isEnlarged());
    QVERIFY(f.window->printPreviewShown());
    QTest::keyClick(f.window, Qt::Key_Escape); // the panel closes
    QVERIFY(!f.window->printPreviewShown());
    QTest::keyClick(f.window, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics.last(), HelpTopic::DisasterRecoveryPlan);
    QCOMPARE(f.test.prompt->questions.size(), 0); // no exit question yet
}

void TestActionAreaPrint::guideLineChoiceIsRestoredAtLoad()
{
    PrintFixture f;
    QVERIFY(SettingsStore(f.workbook.workbook()).setGuideLinesShown(1));
    const QByteArray stored = f.workbook.readFile(QStringLiteral("GColor3.Fil"));
    f.openWithPrint();
    QVERIFY(f.panel()->guideLineOption(1)->isChecked());
    QCOMPARE(f.panel()->preview()->showGuides(), 1);
    QCOMPARE(f.workbook.readFile(QStringLiteral("GColor3.Fil")), stored);
}

QTEST_MAIN(TestActionAreaPrint)
#include "tst_actionareaprint.moc"
