#include "platform/writingaids/spellinghighlighter.h"

#include "platform/editor/richtexteditor.h"
#include "platform/writingaids/spellchecker.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>

SpellingHighlighter::SpellingHighlighter(RichTextEditor *editor, std::shared_ptr<SpellChecker> checker)
    : QSyntaxHighlighter(editor->document())
    , editor_(editor)
    , checker_(std::move(checker))
    , wasReadOnly_(editor->isReadOnly())
{
    editor->installEventFilter(this);
    connect(editor, &RichTextEditor::contextMenuAboutToShow, this, &SpellingHighlighter::addSuggestions);
    // At once rather than later from the event loop, where the redraw would
    // look like an edit of the text.
    refresh();
}

void SpellingHighlighter::refresh()
{
    if (editor_)
        editor_->runDrawingOnlyChange([this] { rehighlight(); });
}

bool SpellingHighlighter::isActive() const
{
    return editor_ && !editor_->isReadOnly() && checker_ && checker_->isAvailable();
}

void SpellingHighlighter::highlightBlock(const QString &text)
{
    if (!isActive())
        return;
    QTextCharFormat underline;
    underline.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    underline.setUnderlineColor(Qt::red);
    for (const WordSpan &word : checker_->misspellings(text))
        setFormat(word.start, word.length, underline);
}

bool SpellingHighlighter::eventFilter(QObject *watched, QEvent *event)
{
    // The event type first: while the editor is being destroyed it still sends
    // events (focus), and it must not be looked at as an editor then.
    if (event->type() == QEvent::ReadOnlyChange && watched == editor_ && editor_->isReadOnly() != wasReadOnly_) {
        wasReadOnly_ = editor_->isReadOnly();
        refresh();
    }
    return QSyntaxHighlighter::eventFilter(watched, event);
}

void SpellingHighlighter::addSuggestions(QMenu *menu, const QPoint &viewportPosition)
{
    if (!isActive() || !menu)
        return;
    const QTextCursor at = editor_->cursorForPosition(viewportPosition);
    const QTextBlock block = at.block();
    const QString text = block.text();
    const int offset = at.positionInBlock();
    for (const WordSpan &word : checker_->misspellings(text)) {
        if (offset < word.start || offset > word.end())
            continue;
        const QString misspelled = text.mid(word.start, word.length);
        const int position = block.position() + word.start;
        QAction *first = menu->actions().value(0);
        const QStringList suggestions = checker_->suggestions(misspelled).mid(0, kMaxMenuSuggestions);
        QList<QAction *> added;
        if (suggestions.isEmpty()) {
            auto *none = new QAction(QStringLiteral("(no spelling suggestions)"), menu);
            none->setEnabled(false);
            added << none;
        }
        for (const QString &suggestion : suggestions) {
            auto *action = new QAction(suggestion, menu);
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            connect(action, &QAction::triggered, this, [this, position, word, suggestion] {
                if (!editor_)
                    return;
                QTextCursor format(editor_->document());
                format.setPosition(position + 1);
                const QTextCharFormat charFormat = format.charFormat();
                QTextCursor cursor(editor_->document());
                cursor.setPosition(position);
                cursor.setPosition(position + word.length, QTextCursor::KeepAnchor);
                cursor.insertText(suggestion, charFormat);
            });
            added << action;
        }
        auto *addWord = new QAction(QStringLiteral("Add to Dictionary"), menu);
        connect(addWord, &QAction::triggered, this, [this, misspelled] {
            QString error;
            if (!checker_->addUserWord(misspelled, &error))
                Q_EMIT userWordNotSaved(misspelled, error);
            refresh();
        });
        added << addWord;
        menu->insertActions(first, added);
        menu->insertSeparator(first);
        return;
    }
}
