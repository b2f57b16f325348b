// The timeline panel's "Spell Chec&k": the items through the spell checker,
// the corrections back into the grid and the item names.
#include "timeline/timelinepanel.h"
#include "timeline/timelinepanel_p.h"

#include "platform/services/busycursor.h"
#include "platform/services/writingaiddialogs.h"
#include "platform/writingaids/spellcheckrun.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/todospellcheck.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

using namespace TimelineGrid;

void TimelinePanel::setSpellChecker(std::shared_ptr<SpellChecker> checker)
{
    spellChecker_ = std::move(checker);
    buttons_[SpellCheck]->setEnabled(spellChecker_ && services_.spellDialog);
}

void TimelinePanel::spellCheckItems()
{
    if (printPreviewShown_()) {
        QApplication::beep();
        return;
    }
    if (!spellChecker_ || !services_.spellDialog)
        return;
    hideCalendar();
    if (!spellChecker_->isAvailable()) {
        // Finding nothing without a dictionary would look like clean items.
        services_.prompt->ask(this, Prompt::Icon::Exclamation, TodoSpellCheck::kTitle,
                              spellChecker_->unavailableMessage(), Prompt::Buttons::Ok);
        return;
    }
    QStringList items;
    items.reserve(ToDoList::kRowCount);
    for (int row = 1; row <= ToDoList::kRowCount; ++row)
        items.append(cellText(row, kItemColumn));

    SpellCheckRun run(*spellChecker_, *services_.spellDialog, this);
    TodoSpellCheck::Outcome outcome;
    {
        BusyCursor busy;
        outcome = TodoSpellCheck::spellCheckItems(items, run, *spellChecker_);
    }

    if (!outcome.corrections.isEmpty()) {
        QStringList names = names_.names();
        for (const TodoSpellCheck::ItemCorrection &correction : outcome.corrections) {
            setCellText(correction.row, kItemColumn, correction.after);
            // Items typed into the box keep two trailing blanks; the names
            // never do.
            names = TodoSpellCheck::updateItemNames(names, correction.before, correction.after.trimmed());
        }
        markUnsaved();
        if (names != names_.names()) {
            names_.setNames(names);
            writeItemNames();
        }
    }
    setEditMode(KeyboardAndMouseEditing);

    if (!run.failedUserWords().isEmpty()) {
        services_.prompt->ask(this, Prompt::Icon::Exclamation, TodoSpellCheck::kTitle,
                              QStringLiteral("These words could not be added to your word list\n%1\n\n%2\n\n%3")
                                  .arg(run.failedUserWords().join(QStringLiteral(", ")),
                                       QDir::toNativeSeparators(spellChecker_->userWordFile()), run.lastError()),
                              Prompt::Buttons::Ok);
    }
    services_.prompt->ask(this, Prompt::Icon::Information, TodoSpellCheck::kTitle, outcome.message,
                          Prompt::Buttons::Ok);
}
