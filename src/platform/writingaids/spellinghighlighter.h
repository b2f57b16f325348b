#pragma once

#include <QPointer>
#include <QSyntaxHighlighter>

#include <memory>

class QMenu;
class RichTextEditor;
class SpellChecker;

// Underlines misspelled words in red as the user types. The underline is
// drawn over the text, never stored in it, and is off while the editor is
// read-only (reference texts). The editor's right-click menu offers the
// dictionary's suggestions for the word under the pointer and "Add to
// Dictionary".
class SpellingHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    static constexpr int kMaxMenuSuggestions = 7;

    SpellingHighlighter(RichTextEditor *editor, std::shared_ptr<SpellChecker> checker);

    bool isActive() const;
    // Underlines the whole text again (after the word list changed).
    void refresh();
    // Offers the suggestions for the misspelled word at a viewport position.
    void addSuggestions(QMenu *menu, const QPoint &viewportPosition);

Q_SIGNALS:
    // A word could not be added to the user's word list (the file and reason).
    void userWordNotSaved(const QString &word, const QString &error);

protected:
    void highlightBlock(const QString &text) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<RichTextEditor> editor_;
    std::shared_ptr<SpellChecker> checker_;
    bool wasReadOnly_ = false;
};
