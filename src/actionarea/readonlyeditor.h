#pragma once

#include <QObject>

class ActionArea;
class QTextEdit;

// A workbook opened read-only (another program holds it): the Action Area
// shows and prints everything and changes nothing. Every write is refused
// below the screens as well (ReadOnlyWorkbooks); this takes away the means:
// typing in the editor, "&Save", the status box, the settings, the worksheet
// titles and the timeline's editing.
namespace ReadOnlyView {
// Call once the Action Area is loaded.
void apply(ActionArea *area);
} // namespace ReadOnlyView

// Keeps an editor read-only whatever the screens set with setReadOnly() as
// views change: typing, pasting, dropping and the input method reach it only
// as reading does (moving the caret, selecting, copying).
class ReadOnlyEditorGuard : public QObject
{
    Q_OBJECT
public:
    // Guards widget for as long as it lives (the guard is its child).
    static void install(QTextEdit *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ReadOnlyEditorGuard(QObject *parent);
};
