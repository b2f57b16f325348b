#pragma once

#include <QObject>
#include <QString>

class RichTextEditor;

// Word search through the document in a viewer. The search position is the
// character offset at which the next search starts: 1 whenever a search
// begins afresh, the caret wherever the user clicks or the text changes, and
// just after the last match once one is found. Matches are whole words (or a
// whole phrase), letters compared without regard to case.
class DocumentSearch : public QObject
{
    Q_OBJECT
public:
    enum class Result { Found, ReachedEnd, NothingToFind };

    explicit DocumentSearch(RichTextEditor *viewer, QObject *parent = nullptr);

    int position() const { return position_; }
    void setPosition(int offset) { position_ = offset; }
    // Starts again near the top: the search position goes back to 1.
    void restart() { position_ = 1; }
    int lastMatch() const { return lastMatch_; }

    // Looks for text from the search position on. A match is selected in the
    // viewer and the position moves past it. A match at offset 0 counts as
    // none: the search then reports the end of the document, with the caret
    // and the position back at offset 1 for the next round.
    Result findNext(const QString &text);

private:
    const QString &viewerText();

    RichTextEditor *viewer_;
    int position_ = 1;
    int lastMatch_ = -1;
    QString text_;          // the viewer's plain text, kept until it changes
    bool textStale_ = true;
};
