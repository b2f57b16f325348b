#pragma once

#include <QObject>

class QTextEdit;

// Keeps an editor read-only for a workbook opened read-only, whatever the
// screens set with setReadOnly() as views change: typing, pasting, dropping
// and the input method reach the editor only as reading does (moving the
// caret, selecting, copying).
class ReadOnlyEditorGuard : public QObject
{
    Q_OBJECT
public:
    // Guards editor for as long as it lives (the guard is its child).
    static void install(QTextEdit *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ReadOnlyEditorGuard(QTextEdit *editor);
    QTextEdit *m_editor;
};
