// The Action Area's unsaved text when the user does not save it: put back
// to what is saved after a No, kept as a copy while it is being written,
// and settled when the desktop or a signal ends the program.
#include "actionarea/actionarea.h"

#include "actionarea/autosave.h"
#include "actionarea/editsession.h"
#include "actionarea/riskregisterhost.h"
#include "actionarea/safeguardworkspace.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/editor/richtexteditor.h"
#include "screens/programcontext.h"
#include "timeline/timelinepanel.h"
#include "worksheets/worksheetfiles.h"
#include "worksheets/worksheetspanel.h"

void ActionArea::revertToSavedText()
{
    switch (workMode_) {
    case WorkMode::Timeline:
        timelinePanel_->revertToSaved();
        break;
    case WorkMode::Worksheets:
        worksheetsPanel_->revertToSaved();
        break;
    case WorkMode::RiskRegister:
        m_riskRegister->revert();
        break;
    default:
        workspace_->revertToSaved();
        break;
    }
}

std::optional<Autosave::Copy> ActionArea::unsavedCopy() const
{
    switch (workMode_) {
    case WorkMode::Timeline:
        return Autosave::Copy{ToDoList::kFileName, timelinePanel_->list().toFileBytes()};
    case WorkMode::Worksheets: {
        const int index = worksheetsPanel_->currentIndex();
        if (index < 0 || workspace_->entryUnreadable())
            return std::nullopt;
        return Autosave::Copy{Worksheets::contentFileName(index), workspace_->editor()->rtf()};
    }
    case WorkMode::RecoveryPlan:
        if (workspace_->entryUnreadable())
            return std::nullopt;
        return Autosave::Copy{SafeguardWorkspace::kRecoveryPlanFile, workspace_->editor()->rtf()};
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation: {
        const int view = workspace_->currentView();
        const int safeguardNo = workspace_->currentSafeguardNo();
        if (view < SafeguardWorkspace::ActionTakenView || !Catalogue::isValidSafeguardNo(safeguardNo)
            || workspace_->entryUnreadable())
            return std::nullopt;
        const auto kind = Catalogue::EntryKind(view - SafeguardWorkspace::ActionTakenView);
        return Autosave::Copy{Catalogue::entryFileName(kind, safeguardNo), workspace_->editor()->rtf()};
    }
    default:
        return std::nullopt;
    }
}

void ActionArea::startKeepingUnsavedText()
{
    m_autosave = new Autosave::Keeper(*session_, workbook().dir(),
                                      [this] { return unsavedCopy(); }, this);
}

bool ActionArea::settleBeforeEnd(bool mayAsk)
{
    // The copy first: the desktop may end the program before the question
    // is answered.
    m_autosave->writeNow();
    if (!mayAsk)
        return true;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    return session_->settleUnsavedChanges(this);
}
