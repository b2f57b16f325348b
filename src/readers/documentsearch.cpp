#include "readers/documentsearch.h"

#include "platform/editor/richtexteditor.h"
#include "platform/editor/textsearch.h"

DocumentSearch::DocumentSearch(RichTextEditor *viewer, QObject *parent)
    : QObject(parent)
    , viewer_(viewer)
{
    // The next search starts where the user clicked, or where the caret
    // stands after the text changed.
    connect(viewer_, &RichTextEditor::clicked, this, [this] { position_ = viewer_->selStart(); });
    connect(viewer_, &RichTextEditor::contentChanged, this, [this] {
        textStale_ = true;
        position_ = viewer_->selStart();
    });
}

const QString &DocumentSearch::viewerText()
{
    // A long section's plain text is built once, not at every step.
    if (textStale_) {
        text_ = viewer_->text();
        textStale_ = false;
    }
    return text_;
}

DocumentSearch::Result DocumentSearch::findNext(const QString &text)
{
    if (text.isEmpty())
        return Result::NothingToFind;
    const int match = TextSearch::find(viewerText(), text, position_, true);
    if (match > 0) {
        viewer_->select(match, int(text.size()));
        lastMatch_ = match;
        position_ = match + int(text.size());
        return Result::Found;
    }
    viewer_->select(1, 0);
    position_ = 1;
    return Result::ReachedEnd;
}
