// The Action Area's side of the shared Utilities menu.
#include "actionarea/actionarea.h"

#include "actionarea/editsession.h"
#include "actionarea/riskregisterhost.h"

bool ActionArea::openBackupUtility(bool restore)
{
    // A backup must hold the text being written; before a restore it is
    // saved among the files the restore sets aside, or knowingly dropped,
    // never left to be saved over the restored files afterwards.
    if (!session_->settleUnsavedChanges(this))
        return false;
    const bool changed = MainScreen::openBackupUtility(restore);
    if (restore) {
        if (changed) {
            m_riskRegister->reload();
            load();
            enterWorkMode(WorkMode::Standards);
        }
        pressScreenButton(ScreenIndex::ActionArea);
    }
    return changed;
}
