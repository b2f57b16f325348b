// The writing aids of the Action Area: the workspace's "&Font Select",
// "&Thesaurus" and "Spell &Check" with their Options entries (in the project
// timeline "&Spell Check" checks the to-do items), and the red underline of
// misspellings in the workspace editor.
#include "actionarea/actionarea.h"

#include "actionarea/safeguardworkspace.h"
#include "platform/editor/richtexteditor.h"
#include "platform/writingaids/editorwritingaids.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/spellinghighlighter.h"
#include "platform/writingaids/thesaurus.h"
#include "screens/programcontext.h"
#include "timeline/timelinepanel.h"

#include <QApplication>
#include <QDir>

void ActionArea::connectWritingAids()
{
    const std::shared_ptr<SpellChecker> checker = SpellChecker::shared();
    // The common misspellings are handed to the checker once; the user's own
    // words live in the workbook.
    checker->replacements().registerAutoCorrect();
    checker->setUserWordFile(workbook().filePath(SpellChecker::kUserWordFile));
    writingAids_ = std::make_unique<EditorWritingAids>(environment().services, checker, Thesaurus::shared());

    RichTextEditor *editor = workspace_->editor();
    spellingHighlighter_ = new SpellingHighlighter(editor, checker);
    connect(spellingHighlighter_, &SpellingHighlighter::userWordNotSaved, this,
            [this](const QString &word, const QString &error) {
                environment().services.prompt->ask(
                    this, Prompt::Icon::Exclamation, QStringLiteral("Add to Dictionary"),
                    QStringLiteral("\"%1\" could not be added to your word list\n%2\n\n%3")
                        .arg(word, QDir::toNativeSeparators(SpellChecker::shared()->userWordFile()), error),
                    Prompt::Buttons::Ok);
            });

    // While the print preview is shown the aids only beep.
    auto guarded = [this](void (EditorWritingAids::*aid)(RichTextEditor *)) {
        return [this, aid] {
            if (printPreviewShown()) {
                QApplication::beep();
                return;
            }
            (writingAids_.get()->*aid)(workspace_->editor());
        };
    };
    using Command = SafeguardWorkspace::Command;
    workspace_->command(Command::FontSelect).setHandler(guarded(&EditorWritingAids::chooseFont));
    workspace_->command(Command::Thesaurus).setHandler(guarded(&EditorWritingAids::lookUpThesaurus));
    // In the project timeline "&Spell Check" checks the to-do items.
    timelinePanel_->setSpellChecker(checker);
    auto checkEditor = guarded(&EditorWritingAids::spellCheckEditor);
    workspace_->command(Command::SpellCheck).setHandler([this, checkEditor] {
        if (workMode_ == WorkMode::Timeline && !printPreviewShown())
            timelinePanel_->spellCheckItems();
        else
            checkEditor();
    });
}
