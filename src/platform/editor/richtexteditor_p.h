#pragma once

#include "richtexteditor.h"

// Collects the document signals of one program call into a single
// contentChanged(), so callers see one change per call whatever the number of
// steps the call took.
class RichTextEditor::ProgramChange
{
public:
    enum class Signal { Always, IfChanged };

    ProgramChange(RichTextEditor *editor, Signal signal)
        : m_editor(editor)
        , m_signal(signal)
    {
        if (m_editor->m_programChangeDepth++ == 0)
            m_editor->m_changedDuringProgramChange = false;
    }
    ~ProgramChange()
    {
        if (--m_editor->m_programChangeDepth > 0 || m_cancelled)
            return;
        if (m_signal == Signal::Always || m_editor->m_changedDuringProgramChange)
            Q_EMIT m_editor->contentChanged();
    }
    // For calls that turn out to have changed nothing (a failed load).
    void cancel() { m_cancelled = true; }

    ProgramChange(const ProgramChange &) = delete;
    ProgramChange &operator=(const ProgramChange &) = delete;

private:
    RichTextEditor *m_editor;
    Signal m_signal;
    bool m_cancelled = false;
};
