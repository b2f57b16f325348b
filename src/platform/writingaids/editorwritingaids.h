#pragma once

#include "platform/services/services.h"

#include <QString>

#include <memory>

class RichTextEditor;
class SpellChecker;
class Thesaurus;

// The writing aids over a rich-text editor: the spell check of its whole
// text, the thesaurus for the selected word and the font dialog for the
// selection. Every change goes through the editor's document at the range it
// concerns, so formatting elsewhere stays as it was.
class EditorWritingAids
{
public:
    static inline const QString kSpellCheckTitle = QStringLiteral("Spell Check");
    static inline const QString kSpellCheckEnd =
        QStringLiteral("Spell Check has been canceled or has reached the end of your document");
    static inline const QString kThesaurusTitle = QStringLiteral("Thesaurus");
    static inline const QString kHighlightWord = QStringLiteral("Please highlight word you desire to look up!");

    EditorWritingAids(PlatformServices services, std::shared_ptr<SpellChecker> checker,
                      std::shared_ptr<Thesaurus> thesaurus);

    void spellCheckEditor(RichTextEditor *editor);
    void lookUpThesaurus(RichTextEditor *editor);
    void chooseFont(RichTextEditor *editor);

    SpellChecker &checker() const { return *checker_; }

private:
    PlatformServices services_;
    std::shared_ptr<SpellChecker> checker_;
    std::shared_ptr<Thesaurus> thesaurus_;
};
