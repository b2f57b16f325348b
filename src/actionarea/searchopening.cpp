// The Action Area's side of the search: a result opens through the same
// navigation and safeguard buttons a press uses (so unsaved text is settled
// first), and the words searched for are marked in the editor.
#include "actionarea/actionarea.h"

#include "actionarea/editsession.h"
#include "actionarea/safeguardworkspace.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/editor/richtexteditor.h"
#include "screens/programcontext.h"
#include "searchwindow/searchmarks.h"
#include "timeline/timelinepanel.h"
#include "worksheets/worksheetspanel.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>


bool ActionArea::openSearchResult(const SearchIndex::Document &document, const QStringList &terms)
{
    using Kind = SearchIndex::Place::Kind;
    const SearchIndex::Place &place = document.place;
    QTextEdit *shownIn = workspace_->editor();
    switch (place.kind) {
    case Kind::Entry: {
        if (!Catalogue::isValidSafeguardNo(place.safeguardNo))
            return false;
        const Catalogue::Safeguard &safeguard = Catalogue::safeguardAt(place.safeguardNo);
        const WorkMode mode = Catalogue::groupInfo(safeguard.group).workMode;
        if (workMode_ != mode) {
            navigationButton(mode)->click();
            if (workMode_ != mode)
                return false;   // the save question was cancelled
        }
        if (workspace_->currentButtonIndex() != safeguard.buttonIndex) {
            pressSafeguardButton(safeguard.buttonIndex);
            if (workspace_->currentButtonIndex() != safeguard.buttonIndex)
                return false;
        }
        const auto option = SafeguardWorkspace::ViewOption(SafeguardWorkspace::ActionTakenOption + place.entryKind);
        if (workspace_->checkedViewOption() != option)
            workspace_->viewOption(option)->click();
        if (workspace_->checkedViewOption() != option)
            return false;
        break;
    }
    case Kind::RecoveryPlan:
        if (workMode_ != WorkMode::RecoveryPlan)
            navigationButton(WorkMode::RecoveryPlan)->click();
        if (workMode_ != WorkMode::RecoveryPlan)
            return false;
        break;
    case Kind::Worksheet:
        if (workMode_ != WorkMode::Worksheets)
            navigationButton(WorkMode::Worksheets)->click();
        if (workMode_ != WorkMode::Worksheets)
            return false;
        if (worksheetsPanel_->currentIndex() != place.worksheetIndex
            && !worksheetsPanel_->openWorksheet(place.worksheetIndex))
            return false;
        break;
    case Kind::Timeline:
        if (workMode_ != WorkMode::Timeline)
            navigationButton(WorkMode::Timeline)->click();
        return workMode_ == WorkMode::Timeline;
    case Kind::Shipped:
        return SearchMarks::showShippedText(
            this, environment().context ? environment().context->workbook.contentPath(document.name) : QString(),
            document.title, terms);
    }
    SearchMarks::markAndShowFirst(shownIn, terms);
    shownIn->setFocus();
    return true;
}
