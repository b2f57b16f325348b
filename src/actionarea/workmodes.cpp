// The Action Area's state machine: opening, activation, entering a
// WorkMode, selecting a safeguard, the screen buttons, Esc and closing.
#include "actionarea/actionarea.h"

#include "actionarea/actionareaprint.h"
#include "actionarea/editsession.h"
#include "actionarea/groupbuttonpanel.h"
#include "actionarea/riskregisterhost.h"
#include "actionarea/safeguardworkspace.h"
#include "actionarea/standards/gridbackground.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statusbox.h"
#include "actionarea/status/statustable.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/editor/richtexteditor.h"
#include "screens/helptopics.h"
#include "screens/programcontext.h"
#include "timeline/timelinepanel.h"
#include "worksheets/worksheetspanel.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

namespace {

const QString kSampleNoticeTitle = QStringLiteral("Sample Safeguard Entry");
const QString kSampleNotice = QStringLiteral("This sample was created so you can see\n"
                                             "how program works and can be used.\n"
                                             "\n"
                                             "You can make changes etc. but cannot save\n"
                                             "changes so Sample will remain in program.");

QString screenName(int index)
{
    switch (index) {
    case ScreenIndex::InformationAdvisor: return QStringLiteral("Information Advisor");
    case ScreenIndex::SecurityRule: return QStringLiteral("Security Rule");
    case ScreenIndex::Miscellaneous: return QStringLiteral("Miscellaneous");
    default: return {};
    }
}

} // namespace

ActionArea *ActionArea::openFrom(ScreenEnvironment &environment, const QWidget *startScreen)
{
    auto *window = new ActionArea(environment);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setGeometry(startScreen->geometry());
    // The smaller display is a fixed-size window; the full display resizes.
    const bool smaller = environment.context && environment.context->smallerDisplay;
    if (smaller)
        window->setFixedSize(startScreen->size());
    window->load();
    if (startScreen->isMaximized() && !smaller)
        window->showMaximized();
    else
        window->show();
    window->activateWindow();
    window->activateScreen();
    return window;
}

void ActionArea::load()
{
    statusTable_->loadStatusTable();
    environment().pendingSwitch = 0;
    gridBackground_->restore();
    print_->load();
    standardsPanel_->selectGroup(0);
    workspace_->hide();
    session_->clearUnsavedChanges();
    sampleNoticeShown_ = false;
    markScreenButton(ScreenIndex::ActionArea);
    hideAllPanels();
    standardsPanel_->show();
    drawNavigation(WorkMode::Standards);
    applyOptionsTable(WorkMode::Standards);
    m_reviewWarning->setText(m_riskRegister->reviewWarning(QDate::currentDate()));
}

void ActionArea::activateScreen()
{
    ScreenEnvironment &env = environment();
    const int pending = env.pendingSwitch;
    if (pending >= ScreenIndex::InformationAdvisor && pending <= ScreenIndex::Miscellaneous) {
        bodyStack_->setCurrentWidget(cover_);
        cover_->setFocus();
        setCaption(screenName(pending));
        env.pendingSwitch = 0;
        QCoreApplication::processEvents();
        env.open(pending, this);
        return;
    }
    if (pending == ScreenIndex::ExitProgram) {
        env.pendingSwitch = 0;
        return;
    }
    bodyStack_->setCurrentWidget(body_);
    timelinePanel_->updateDateLine();
    pressScreenButton(ScreenIndex::ActionArea);
    enterWorkMode(WorkMode::Standards);
}

void ActionArea::drawNavigation(WorkMode chosenMode)
{
    for (const WorkMode mode : allWorkModes()) {
        drawButtonAsChosen(navigationButton(mode), mode == chosenMode);
        navigationButton(mode)->setChecked(mode == chosenMode);
    }
}

void ActionArea::hideAllPanels()
{
    standardsPanel_->hide();
    timelinePanel_->hide();
    worksheetsPanel_->hide();
    worksheetsPanel_->closeTitlePanel();
    groupPanel_->hide();
    groupPanel_->showGroup(-1);
    workspace_->hide();
    if (QWidget *riskPanel = m_riskRegister->existingPanel())
        riskPanel->hide();
}

void ActionArea::enterWorkMode(WorkMode mode)
{
    if (!isValidWorkMode(toInt(mode)))
        return;
    // Unsaved text is settled before anything changes: when it cannot be
    // saved, the user stays where the text is.
    if (!session_->settleUnsavedChanges(this)) {
        drawNavigation(workMode_);
        return;
    }
    BusyCursor busy;
    // A new view never keeps the printout of the old one on top.
    print_->closePanel();
    StatusBox *statusBox = workspace_->statusBox();
    statusBox->explanationButton()->hide();
    if (hasStatusList(mode))
        statusBox->setupStatusList(mode);
    else if (mode == WorkMode::RecoveryPlan)
        statusTable_->reloadStandardStatuses();

    hideAllPanels();
    drawNavigation(mode);
    workspace_->setSafeguardControlsVisible(true);
    switch (mode) {
    case WorkMode::Standards: standardsPanel_->show(); break;
    case WorkMode::Timeline: timelinePanel_->show(); break;
    case WorkMode::Worksheets: worksheetsPanel_->show(); break;
    case WorkMode::RiskRegister: break; // shown once made, below
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::RecoveryPlan:
    case WorkMode::Sample:
        groupPanel_->showGroup(safeguardGroupIndex(mode));
        groupPanel_->setTitle(isSafeguardGroupMode(mode) ? navigationCaptionOf(mode) : QString());
        groupPanel_->show();
        break;
    }

    applyOptionsTable(mode);
    workspace_->emptyEditor();
    workMode_ = mode;
    workspace_->setWorkMode(mode);
    workspace_->setTemplateButtonCaption(QStringLiteral("&Insert Template"));
    workspace_->setTemplateAllowed(false);

    captionBase_ = QStringLiteral("Action Area - ")
                   + (mode == WorkMode::RiskRegister ? QStringLiteral("Risk Register") : navigationCaptionOf(mode));
    QString caption = captionBase_;
    if (mode == WorkMode::Standards)
        caption += QStringLiteral(" - Administrative Safeguards");
    else if (mode == WorkMode::Organizational)
        caption = QStringLiteral("Action Area - Organizational Requirements");
    else if (mode == WorkMode::Documentation)
        caption = QStringLiteral("Action Area - Policies and Procedures and Documentation Requirements");
    setCaption(caption);

    if (showsWorkspace(mode)) {
        workspace_->show();
        workspace_->setFocus();
    }
    statusBox->setStatusText(mode == WorkMode::Sample ? QString::fromLatin1(Catalogue::Sample::Status) : QString());
    workspace_->editor()->setReadOnly(false);
    const bool ownOverviewGroup = mode == WorkMode::Organizational || mode == WorkMode::Documentation;
    workspace_->setImplementationSpecificationAvailable(!ownOverviewGroup, ownOverviewGroup);

    switch (mode) {
    case WorkMode::Standards:
        standardsPanel_->selectGroup(0);
        break;
    case WorkMode::Timeline:
        timelinePanel_->enter();
        break;
    case WorkMode::Worksheets:
        enterWorksheets();
        break;
    case WorkMode::Sample:
        enterSample();
        break;
    case WorkMode::RecoveryPlan:
        enterRecoveryPlan();
        break;
    case WorkMode::RiskRegister:
        enterRiskRegister();
        break;
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
        // Until a view is chosen there is nothing to save or format.
        if (workspace_->checkedViewOption() < 0)
            workspace_->setEntryCommandsAllowed(false);
        session_->clearUnsavedChanges();
        pressSafeguardButton(0);
        break;
    }
}

void ActionArea::pressSafeguardButton(int buttonIndex)
{
    if (!isSafeguardGroupMode(workMode_))
        return;
    const int group = safeguardGroupIndex(workMode_);
    if (workspace_->selectSafeguard(buttonIndex))
        groupPanel_->markButton(group, buttonIndex);
    else
        groupPanel_->markButton(group, groupPanel_->markedButton(group));
}

void ActionArea::enterSample()
{
    session_->clearUnsavedChanges();
    workspace_->deselectAllViews();
    workspace_->setEntryCommandsAllowed(false);
    groupPanel_->setTitle(QString::fromLatin1(Catalogue::Sample::PanelTitle));
    groupPanel_->show();
    workspace_->showSampleHeadings();
    if (!sampleNoticeShown_) {
        sampleNoticeShown_ = true;
        environment().services.prompt->ask(this, Prompt::Icon::Information, kSampleNoticeTitle, kSampleNotice,
                                           Prompt::Buttons::Ok);
    }
}

void ActionArea::enterRecoveryPlan()
{
    session_->clearUnsavedChanges();
    workspace_->setSafeguardControlsVisible(false);
    workspace_->deselectAllViews();
    workspace_->loadRecoveryPlan();
    const bool planReadable = !workspace_->entryUnreadable();
    workspace_->setTemplateAllowed(planReadable);
    groupPanel_->setTitle(QStringLiteral("Disaster Recovery Plan"));
    workspace_->setEntryCommandsAllowed(planReadable);
    session_->setLoadingFlag(0);
    session_->clearUnsavedChanges();
}

void ActionArea::enterWorksheets()
{
    session_->clearUnsavedChanges();
    workspace_->setSafeguardControlsVisible(false);
    workspace_->deselectAllViews();
    workspace_->setEntryCommandsAllowed(false);
    // Nothing can be typed until a worksheet is open to hold it.
    workspace_->editor()->setReadOnly(true);
    worksheetsPanel_->enterWorksheetPanel(captionBase_);
}

void ActionArea::enterRiskRegister()
{
    session_->clearUnsavedChanges();
    RiskRegisterPanel *panel = m_riskRegister->panel(body_);
    if (!panel)
        return;
    auto *layout = static_cast<QBoxLayout *>(body_->layout());
    if (layout->indexOf(panel) < 0)
        layout->addWidget(panel, 1);
    panel->refreshOverview();
    panel->show();
    // On the tabs, so Ctrl+Tab moves between them at once.
    panel->tabs()->setFocus();
    // An empty register must never pass for the workbook's own: the user is
    // told, once, that it could not be read.
    if (!m_riskRegister->loadProblem().isEmpty() && !m_riskRegisterProblemShown) {
        m_riskRegisterProblemShown = true;
        environment().services.prompt->ask(
            this, Prompt::Icon::Exclamation, QStringLiteral("Risk Register"),
            QStringLiteral("The risk register of this workbook could not be read (%1), so it is shown empty and "
                           "nothing can be saved in it.")
                .arg(m_riskRegister->loadProblem()),
            Prompt::Buttons::Ok);
    }
}

bool ActionArea::saveCurrentText()
{
    switch (workMode_) {
    case WorkMode::Timeline:
        return timelinePanel_->save(true);
    case WorkMode::Worksheets:
        return worksheetsPanel_->saveWorksheet();
    case WorkMode::RiskRegister:
        return m_riskRegister->save();
    case WorkMode::Standards:
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::RecoveryPlan:
    case WorkMode::Sample:
        break;
    }
    return workspace_->save();
}

void ActionArea::pressScreenButton(int index)
{
    markScreenButton(index);
    environment().pendingSwitch = index;
    if (index == ScreenIndex::ActionArea)
        return;
    if (!session_->settleUnsavedChanges(this)) {
        // The text could not be saved: stay here with it.
        markScreenButton(ScreenIndex::ActionArea);
        environment().pendingSwitch = 0;
        return;
    }
    if (index < ScreenIndex::ExitProgram) {
        workspace_->hide();
        QCoreApplication::processEvents();
        environment().open(index, this);
        return;
    }
    if (askExitQuestion()) {
        close();
        return;
    }
    // A No to the save question let the exit go on; the exit did not happen,
    // so the text still on screen is still unsaved.
    session_->guardedActionCancelled();
    pressScreenButton(ScreenIndex::ActionArea);
}

void ActionArea::chooseSwitchingEntry(int index)
{
    pressScreenButton(index);
}

int ActionArea::screenHelpTopic() const
{
    switch (workMode_) {
    case WorkMode::Timeline: return HelpTopic::ProjectTimeline;
    case WorkMode::Worksheets: return HelpTopic::RiskWorksheets;
    case WorkMode::RecoveryPlan: return HelpTopic::DisasterRecoveryPlan;
    case WorkMode::RiskRegister: return HelpTopic::RiskRegister;
    case WorkMode::Standards:
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::Sample:
        break;
    }
    return HelpTopic::ActionArea;
}

int ActionArea::f1HelpTopic() const
{
    // The calendar floats over the panel; help must not open beside it.
    timelinePanel_->hideCalendar();
    return printPreviewShown() ? HelpTopic::PrintPreview : screenHelpTopic();
}

void ActionArea::handleEscape()
{
    // The worksheet title panel first, then the print preview (its enlarged
    // preview, then the panel). With nothing open, Esc asks the exit question.
    if (worksheetsPanel_->titlePanelShown()) {
        worksheetsPanel_->closeTitlePanel();
        return;
    }
    if (print_->handleEscape())
        return;
    pressScreenButton(ScreenIndex::ExitProgram);
}

void ActionArea::closeEvent(QCloseEvent *event)
{
    if (!session_->settleUnsavedChanges(this)) {
        event->ignore();
        return;
    }
    event->accept();
    if (environment().endProgram)
        environment().endProgram();
}
