#pragma once

#include <QPointer>

#include <functional>

class QAction;
class QPushButton;

// One command of the workspace that has a button, a menu entry or both
// ("&Save", "&Print", "&Font Select", "Spell &Check", "&Thesaurus"). The
// WorkMode and the chosen view decide whether the command may be used; it
// can be used only when, in addition, a handler carries it out: a command
// whose handler is not connected keeps its button and entry disabled
// whatever the rules say.
class WorkspaceCommand
{
public:
    WorkspaceCommand() = default;
    WorkspaceCommand(QPushButton *button, QAction *action);
    WorkspaceCommand(const WorkspaceCommand &) = delete;
    WorkspaceCommand &operator=(const WorkspaceCommand &) = delete;

    void attachButton(QPushButton *button);
    void attachAction(QAction *action);

    // The enabling rules' verdict.
    void setAllowed(bool allowed);
    bool isAllowed() const { return allowed_; }

    void setHandler(std::function<void()> handler);
    bool hasHandler() const { return bool(handler_); }

    bool isEnabled() const { return allowed_ && handler_; }
    // Runs the handler when the command is enabled.
    void trigger();

private:
    void apply();

    QPointer<QPushButton> button_;
    QPointer<QAction> action_;
    bool allowed_ = false;
    std::function<void()> handler_;
};
