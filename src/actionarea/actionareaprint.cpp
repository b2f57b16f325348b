#include "actionarea/actionareaprint.h"

#include "actionarea/actionarea.h"
#include "actionarea/safeguardworkspace.h"
#include "worksheets/worksheetspanel.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statustable.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/editor/richtexteditor.h"
#include "platform/services/busycursor.h"
#include "printing/allpolicies.h"
#include "printing/printpanel.h"
#include "printing/printpreview.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QString kPrinterFontTip = QStringLiteral(
    "Only works with the Implementation specicfication, References in Rule and Additional Information of "
    "this portion of the program!");

const QStringList kSafeguardCaptions{
    QStringLiteral("Implementation specification"), QStringLiteral("References in Rule"),
    QStringLiteral("Additional Information"),       QStringLiteral("Action Taken"),
    QStringLiteral("Comments/Notes"),               QStringLiteral("Policies && Procedures/Plan")};

const QStringList kSummaryCaptions{QStringLiteral("All Safeguards"), QStringLiteral("Administrative Safeguards"),
                                   QStringLiteral("Physical Safeguards"), QStringLiteral("Technical Safeguards")};

SafeguardReport::Sections checkedSections(const PrintPanel &panel)
{
    SafeguardReport::Sections sections{};
    for (int i = 0; i < SafeguardReport::kSectionCount; ++i)
        sections[i] = panel.isSectionBoxChecked(i);
    return sections;
}

} // namespace

ActionAreaPrint::ActionAreaPrint(ActionArea &area, QWidget *body, const PlatformServices &services,
                                 std::shared_ptr<PrintServices> printServices, const Workbook &workbook)
    : QObject(&area)
    , m_area(area)
    , m_body(body)
    , m_services(services)
    , m_workbook(workbook)
    , m_report(std::make_unique<SafeguardReport>(workbook.contentFolder()))
{
    m_panel = new PrintPanel(workbook, services, std::move(printServices), body);
    m_panel->setObjectName(QStringLiteral("printPreviewPanel"));
    m_panel->hide();
    body->installEventFilter(this);
    connect(m_panel, &PrintPanel::sectionBoxChanged, this, &ActionAreaPrint::onSectionBoxChanged);
    connect(m_panel, &PrintPanel::closed, this, &ActionAreaPrint::onPanelClosed);
}

ActionAreaPrint::~ActionAreaPrint() = default;

bool ActionAreaPrint::isShown() const
{
    return !m_panel->isHidden();
}

void ActionAreaPrint::load()
{
    m_panel->setPrinterFont(m_area.workspace()->editor()->defaultFont(), Qt::black);
    m_panel->restoreGuideLines();
    m_panel->setOrientation(QPageLayout::Portrait);
}

bool ActionAreaPrint::isPlainCopyMode() const
{
    return m_area.workMode() == WorkMode::Worksheets || m_area.workMode() == WorkMode::RecoveryPlan;
}

bool ActionAreaPrint::isSafeguardGroupMode() const
{
    return ::isSafeguardGroupMode(m_area.workMode());
}

void ActionAreaPrint::placePanel()
{
    if (m_body)
        m_panel->setGeometry(m_body->rect());
}

bool ActionAreaPrint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_body && event->type() == QEvent::Resize)
        placePanel();
    return QObject::eventFilter(watched, event);
}

void ActionAreaPrint::printCommand()
{
    if (isShown()) {
        m_panel->printDocument();
        return;
    }
    switch (m_area.workMode()) {
    case WorkMode::Standards:
        openSummaryPrint();
        break;
    case WorkMode::Timeline:
        if (m_timelinePrint)
            m_timelinePrint();
        else
            QApplication::beep();
        break;
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::Worksheets:
    case WorkMode::RecoveryPlan:
    case WorkMode::Sample:
        openSafeguardPrint();
        break;
    case WorkMode::RiskRegister:
        if (m_riskRegisterPrint)
            m_riskRegisterPrint();
        else
            QApplication::beep();
        break;
    }
}

void ActionAreaPrint::openOtherDocument(const QString &name, std::function<void(PrintSurface &)> compose)
{
    PrintPanel &panel = *m_panel;
    placeForOtherDocument();
    panel.surface()->clear();
    panel.setUpForWholeDocument(name);
    panel.setComposer(std::move(compose));
    panel.recompose();
    panel.open();
}

void ActionAreaPrint::setAllPoliciesEntry(QAction *entry, QAction *separator)
{
    m_allPoliciesEntry = entry;
    m_allPoliciesSeparator = separator;
    setAllPoliciesEnabled(false);
}

void ActionAreaPrint::setAllPoliciesEnabled(bool enabled)
{
    if (m_allPoliciesEntry)
        m_allPoliciesEntry->setEnabled(enabled);
    if (m_allPoliciesSeparator)
        m_allPoliciesSeparator->setEnabled(enabled);
}

void ActionAreaPrint::openSafeguardPrint()
{
    SafeguardWorkspace *workspace = m_area.workspace();
    PrintPanel &panel = *m_panel;
    m_summaryMode = false;
    panel.button(PrintPanel::PrinterFontButton)->setToolTip(kPrinterFontTip);
    panel.surface()->clear();
    panel.setSectionCaptions(kSafeguardCaptions);
    for (int i = 0; i < 4; ++i)
        panel.sectionBox(i)->setEnabled(true);
    panel.uncheckAllSectionBoxes();
    panel.setSectionFrameVisible(true);
    panel.setToDoOptionsVisible(false);
    panel.setRangeOption(QStringLiteral("All Data Will Be Displayed"));
    panel.setFontBoxesVisible(true);

    QFont displayFont = workspace->editor()->defaultFont();
    if (displayFont.pointSizeF() <= 0)
        displayFont.setPointSizeF(10);
    panel.setPrinterFont(displayFont, Qt::black);
    panel.setOrientation(QPageLayout::Portrait);
    panel.setPrintMargins(SafeguardReport::kDefaultMargins);
    panel.preview()->setNavigationBar(3);

    const QTextDocument &display = *workspace->editor()->document();
    const bool displayHasText = !display.toPlainText().trimmed().isEmpty();
    if (isPlainCopyMode()) {
        panel.setButtonEnabled(PrintPanel::PrinterFontButton, false);
        panel.setButtonEnabled(PrintPanel::PageSetupButton, true);
        panel.setSectionFrameVisible(false);
        panel.setToDoOptionsVisible(false);
        panel.setDocumentName(m_area.workMode() == WorkMode::RecoveryPlan
                                  ? QStringLiteral("Disaster Recovery Plan")
                                  : QStringLiteral("Risk Analysis Worksheet"));
    } else {
        panel.setButtonEnabled(PrintPanel::PrinterFontButton, false);
        panel.setButtonEnabled(PrintPanel::PageSetupButton, true);
        const bool sample = m_area.workMode() == WorkMode::Sample;
        m_report->reset(workspace->currentSafeguardNo(), sample);
        panel.setDocumentName(m_report->documentName());
        const int shown = workspace->checkedViewOption();
        if (displayHasText && shown >= 0) {
            panel.setSectionBoxChecked(shown, true);
            m_report->copyFromDisplay(shown, display);
        }
        panel.setButtonEnabled(PrintPanel::PrinterFontButton, true);
    }
    panel.showPrinterFont();
    placePanel();
    panel.open();
    setAllPoliciesEnabled(isSafeguardGroupMode());

    m_allPoliciesShown = false;
    composeDisplayCopy();
    panel.setButtonEnabled(PrintPanel::PrinterFontButton, !isPlainCopyMode());
    if (isPlainCopyMode())
        panel.setComposer([this](PrintSurface &) { composeDisplayCopy(); });
    else
        panel.setComposer([this](PrintSurface &) { composeSafeguardReport(); });
    if (!isPlainCopyMode()) {
        m_report->loadEntryScratches(m_workbook.folder());
    }
}

void ActionAreaPrint::composeDisplayCopy()
{
    BusyCursor busy;
    m_allPoliciesShown = false;
    if (!isPlainCopyMode()) {
        // A safeguard view's preview before any section is chosen: the display as it is.
        DisplayCopy::compose(*m_panel->surface(), *m_area.workspace()->editor()->document(),
                             m_panel->printMargins());
        return;
    }
    DisplayCopy::Heading heading;
    heading.organization = m_organization ? m_organization() : QString();
    heading.date = SafeguardReport::longDate(QDate::currentDate());
    if (m_area.workMode() == WorkMode::RecoveryPlan) {
        heading.title = QStringLiteral("Disaster Recovery Plan");
    } else {
        const int index = m_area.worksheetsPanel()->currentIndex();
        heading.title = index >= 0 ? m_area.worksheetsPanel()->title(index).trimmed()
                                   : QStringLiteral("Risk Analysis Worksheet");
        heading.label = QStringLiteral("Compliance Status:");
        if (index >= 0)
            heading.value = m_area.statusTable().slot(StatusTable::kFirstWorksheetRecord + index);
    }
    DisplayCopy::compose(*m_panel->surface(), *m_area.workspace()->editor()->document(), m_panel->printMargins(),
                         heading);
}

void ActionAreaPrint::composeSafeguardReport()
{
    BusyCursor busy;
    m_allPoliciesShown = false;
    m_panel->setToDoOptionsVisible(false);
    m_report->setPrinterFont(m_panel->printerFont(), m_panel->printerColour());
    m_report->setMargins(m_panel->printMargins());
    const int safeguardNo = m_report->safeguardNo();
    m_report->setStatus(Catalogue::isValidSafeguardNo(safeguardNo)
                            ? m_area.statusTable().slot(Catalogue::statusRecordNo(safeguardNo))
                            : QString());
    m_report->setRecord(m_record && Catalogue::isValidSafeguardNo(safeguardNo) ? m_record(safeguardNo)
                                                                               : QList<SafeguardReport::HeadingLine>());
    m_report->setFurniture(m_organization ? m_organization() : QString(), QDate::currentDate());
    m_report->compose(*m_panel->surface(), checkedSections(*m_panel));
    m_panel->setDocumentName(m_report->documentName());
}

void ActionAreaPrint::openSummaryPrint()
{
    PrintPanel &panel = *m_panel;
    m_summaryMode = true;
    panel.button(PrintPanel::PrinterFontButton)->setToolTip(QString());
    panel.surface()->clear();
    panel.setButtonEnabled(PrintPanel::PrinterFontButton, false);
    panel.setButtonEnabled(PrintPanel::PageSetupButton, false);
    panel.preview()->setNavigationBar(3);
    panel.setSectionCaptions(kSummaryCaptions);
    for (int i = 0; i < 4; ++i)
        panel.sectionBox(i)->setEnabled(true);
    panel.uncheckAllSectionBoxes();
    panel.setToDoOptionsVisible(false);
    panel.setRangeOption(QStringLiteral("All Data Will Be Displayed"));
    panel.setFontBoxesVisible(true);
    panel.setFontCaptions(QStringLiteral("Times New Roman"), QStringLiteral("10"));
    QFont sample(QStringLiteral("Times New Roman"), 10);
    const QFont gridFont = m_area.standardsPanel()->grid()->font();
    sample.setBold(gridFont.bold());
    sample.setItalic(gridFont.italic());
    sample.setStrikeOut(gridFont.strikeOut());
    sample.setUnderline(gridFont.underline());
    panel.setSample(sample, Qt::black);
    panel.setOrientation(QPageLayout::Portrait);
    panel.orientationBox()->setText(QStringLiteral("Portrait"));
    panel.setSectionFrameVisible(true);
    panel.setComposer([this](PrintSurface &) { composeSummary(); });
    StandardsSummary::Selection everything;
    everything.all = true;
    panel.setDocumentName(StandardsSummary::documentName(everything));
    placePanel();
    panel.open();
    setAllPoliciesEnabled(false);
    // The highlighted group's box, not suppressed: the summary is composed at once.
    const int group = std::clamp(m_area.standardsPanel()->currentGroup(), 0, 2);
    panel.setSectionBoxChecked(group + 1, true, /*notify=*/true);
}

void ActionAreaPrint::composeSummary()
{
    BusyCursor busy;
    m_allPoliciesShown = false;
    m_panel->setToDoOptionsVisible(false);
    StandardsSummary::Selection selection;
    selection.all = m_panel->isSectionBoxChecked(0);
    selection.administrative = m_panel->isSectionBoxChecked(1);
    selection.physical = m_panel->isSectionBoxChecked(2);
    selection.technical = m_panel->isSectionBoxChecked(3);
    const StatusTable &statuses = m_area.statusTable();
    StandardsSummary::compose(
        *m_panel->surface(), selection, [&statuses](int record) { return statuses.slot(record); },
        m_panel->printerColour(), QDate::currentDate(), m_organization ? m_organization() : QString());
    if (selection.any())
        m_panel->setDocumentName(StandardsSummary::documentName(selection));
}

void ActionAreaPrint::onSectionBoxChanged(int index, bool checked)
{
    if (!isShown())
        return;
    if (m_summaryMode) {
        if (checked && index == 0) {
            for (int i = 1; i <= 3; ++i)
                m_panel->setSectionBoxChecked(i, false);
        } else if (checked && m_panel->isSectionBoxChecked(0)) {
            m_panel->setSectionBoxChecked(0, false);
        }
        m_panel->setSample(QFont(QStringLiteral("Times New Roman"), 10), Qt::black);
        composeSummary();
        return;
    }
    BusyCursor busy;
    if (checked) {
        if (const auto refusal = m_report->refusalFor(index)) {
            m_panel->setSectionBoxChecked(index, false);
            if (m_services.prompt)
                m_services.prompt->ask(m_panel, Prompt::Icon::Exclamation, refusal->title, refusal->text,
                                       Prompt::Buttons::Ok);
            return;
        }
    }
    m_panel->setComposer([this](PrintSurface &) { composeSafeguardReport(); });
    composeSafeguardReport();
}

void ActionAreaPrint::printAllPolicies()
{
    if (!isShown() || !isSafeguardGroupMode())
        return;
    PrintPanel &panel = *m_panel;
    panel.uncheckAllSectionBoxes();
    panel.setToDoOptionsVisible(false);
    const auto compose = [this](const PrintMargins &margins) {
        BusyCursor busy;
        m_panel->showProgress(AllPolicies::kLastSafeguardNo);
        m_allPoliciesShown = AllPolicies::compose(
            *m_panel->surface(), m_workbook.folder(), m_panel->printerFont(), m_panel->printerColour(), margins,
            [this](int n) {
                m_panel->setProgress(n);
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            });
        m_panel->hideProgress();
        m_panel->setDocumentName(AllPolicies::kDocumentName);
    };
    // Page Setup composes this document again with the margins chosen there.
    panel.setComposer([this, compose](PrintSurface &) { compose(m_panel->printMargins()); });
    compose(AllPolicies::kMargins);
}

void ActionAreaPrint::placeForOtherDocument()
{
    m_summaryMode = false;
    m_allPoliciesShown = false;
    m_panel->uncheckAllSectionBoxes();
    placePanel();
    setAllPoliciesEnabled(false);
}

void ActionAreaPrint::onPanelClosed()
{
    setAllPoliciesEnabled(false);
}

void ActionAreaPrint::closePanel()
{
    if (isShown())
        m_panel->cancel();
}

bool ActionAreaPrint::handleEscape()
{
    if (!isShown())
        return false;
    if (m_panel->isEnlarged())
        m_panel->toggleEnlarged();
    else
        m_panel->cancel();
    return true;
}
