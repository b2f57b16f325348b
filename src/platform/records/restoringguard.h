#pragma once

// Marks that a screen is restoring a stored option: while the guard lives the
// marker is true, so the option's change handler knows the selection came
// from the program and must not write the setting back. The previous value
// returns when the guard goes, so restores may nest.
//
//   { RestoringGuard restoring(m_restoring); m_guideLinesOption[n]->setChecked(true); }
//   ...
//   void onGuideLinesChosen(int n) { if (!m_restoring) m_settings.setGuideLinesShown(n); }
class RestoringGuard
{
public:
    explicit RestoringGuard(bool &marker)
        : m_marker(marker)
        , m_previous(marker)
    {
        m_marker = true;
    }
    ~RestoringGuard() { m_marker = m_previous; }
    RestoringGuard(const RestoringGuard &) = delete;
    RestoringGuard &operator=(const RestoringGuard &) = delete;

private:
    bool &m_marker;
    bool m_previous;
};
