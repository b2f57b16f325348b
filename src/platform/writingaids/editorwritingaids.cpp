#include "platform/writingaids/editorwritingaids.h"

#include "platform/editor/richtexteditor.h"
#include "platform/services/busycursor.h"
#include "platform/services/writingaiddialogs.h"
#include "platform/writingaids/spellcheckrun.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/thesaurus.h"

#include <QDir>
#include <QTextCursor>
#include <QTextDocument>

EditorWritingAids::EditorWritingAids(PlatformServices services, std::shared_ptr<SpellChecker> checker,
                                     std::shared_ptr<Thesaurus> thesaurus)
    : services_(std::move(services))
    , checker_(std::move(checker))
    , thesaurus_(std::move(thesaurus))
{
}

void EditorWritingAids::spellCheckEditor(RichTextEditor *editor)
{
    if (!editor || !services_.spellDialog)
        return;
    if (!checker_->isAvailable()) {
        // Finding nothing without a dictionary would look like a clean text.
        services_.prompt->ask(editor, Prompt::Icon::Exclamation, kSpellCheckTitle, checker_->unavailableMessage(),
                              Prompt::Buttons::Ok);
        return;
    }
    SpellCheckRun run(*checker_, *services_.spellDialog, editor);
    {
        BusyCursor busy;
        run.setWordReportedHandler([editor](int position, int length) {
            QTextCursor cursor(editor->document());
            cursor.setPosition(position);
            cursor.setPosition(position + length, QTextCursor::KeepAnchor);
            editor->setTextCursor(cursor);
            editor->ensureCursorVisible();
        });
        run.checkDocument(editor->document());
    }
    if (!run.failedUserWords().isEmpty()) {
        services_.prompt->ask(editor, Prompt::Icon::Exclamation, kSpellCheckTitle,
                              QStringLiteral("These words could not be added to your word list\n%1\n\n%2\n\n%3")
                                  .arg(run.failedUserWords().join(QStringLiteral(", ")),
                                       QDir::toNativeSeparators(checker_->userWordFile()), run.lastError()),
                              Prompt::Buttons::Ok);
    }
    services_.prompt->ask(editor, Prompt::Icon::Information, kSpellCheckTitle, kSpellCheckEnd, Prompt::Buttons::Ok);
    QTextCursor start(editor->document());
    editor->setTextCursor(start);
}

void EditorWritingAids::lookUpThesaurus(RichTextEditor *editor)
{
    if (!editor || !services_.thesaurusDialog)
        return;
    QTextCursor cursor = editor->textCursor();
    static const QString kTrailing = QStringLiteral(" ,.:;");
    int end = cursor.selectionEnd();
    const int start = cursor.selectionStart();
    const QString selected = cursor.selectedText();
    int kept = int(selected.size());
    while (kept > 0 && kTrailing.contains(selected.at(kept - 1)))
        --kept;
    end = start + kept;
    if (kept == 0) {
        services_.prompt->ask(editor, Prompt::Icon::Question, kThesaurusTitle, kHighlightWord, Prompt::Buttons::Ok);
        return;
    }
    if (!thesaurus_->isAvailable()) {
        services_.prompt->ask(editor, Prompt::Icon::Exclamation, kThesaurusTitle, thesaurus_->unavailableMessage(),
                              Prompt::Buttons::Ok);
        return;
    }
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    const QString word = selected.left(kept);
    const std::shared_ptr<Thesaurus> thesaurus = thesaurus_;
    const std::optional<QString> chosen = services_.thesaurusDialog->choose(
        editor, word, thesaurus->lookUp(word), [thesaurus](const QString &next) { return thesaurus->lookUp(next); });
    if (!chosen || chosen->isEmpty())
        return;
    // The synonym takes the format of the word it replaces.
    QTextCursor format(editor->document());
    format.setPosition(start + 1);
    const QTextCharFormat charFormat = format.charFormat();
    cursor.insertText(*chosen, charFormat);
    cursor.setPosition(start);
    cursor.setPosition(start + int(chosen->size()), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

void EditorWritingAids::chooseFont(RichTextEditor *editor)
{
    if (!editor || !services_.fontDialog)
        return;
    const int start = editor->selStart();
    const int length = editor->selLength();
    QFont initial;
    if (length == 0) {
        initial = editor->defaultFont();
    } else {
        initial = QFont(editor->selFontName());
        initial.setPointSizeF(editor->selFontSize());
        initial.setBold(editor->selBold());
        initial.setItalic(editor->selItalic());
        initial.setUnderline(editor->selUnderline());
        initial.setStrikeOut(editor->selStrikeThru());
    }
    const std::optional<QFont> font = services_.fontDialog->chooseFont(editor, initial);
    if (font) {
        editor->setSelFontName(font->family());
        if (font->pointSizeF() > 0)
            editor->setSelFontSize(font->pointSizeF());
        editor->setSelBold(font->bold());
        editor->setSelItalic(font->italic());
        editor->setSelUnderline(font->underline());
        editor->setSelStrikeThru(font->strikeOut());
    }
    if (length > 0)
        editor->select(start, length);
    editor->setFocus();
}
