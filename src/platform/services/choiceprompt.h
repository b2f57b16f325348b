#pragma once

#include "platform/services/services.h"

#include <QStringList>

// A message box whose buttons carry captions of their own ("Open Read-Only",
// "Keep Mine" / "Load Theirs"). The program's prompt and the tests' scripted
// one implement it beside Prompt.
class ChoicePrompt
{
public:
    virtual ~ChoicePrompt() = default;
    // The index of the button pressed, or -1 when the box was closed without
    // one. defaultIndex is the button Enter presses.
    virtual int choose(QWidget *parent, Prompt::Icon icon, const QString &title, const QString &text,
                       const QStringList &captions, int defaultIndex = 0) = 0;
};

// Asks through prompt when it can show captioned buttons; -1 (closed) when
// it cannot, so the caller takes its most cautious way.
inline int chooseButton(Prompt &prompt, QWidget *parent, Prompt::Icon icon, const QString &title,
                        const QString &text, const QStringList &captions, int defaultIndex = 0)
{
    auto *choice = dynamic_cast<ChoicePrompt *>(&prompt);
    return choice ? choice->choose(parent, icon, title, text, captions, defaultIndex) : -1;
}
