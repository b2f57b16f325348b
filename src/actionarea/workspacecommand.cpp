#include "actionarea/workspacecommand.h"

#include <QAction>
#include <QPushButton>

WorkspaceCommand::WorkspaceCommand(QPushButton *button, QAction *action)
{
    attachButton(button);
    attachAction(action);
}

void WorkspaceCommand::attachButton(QPushButton *button)
{
    button_ = button;
    if (button_)
        QObject::connect(button_, &QPushButton::clicked, button_, [this] { trigger(); });
    apply();
}

void WorkspaceCommand::attachAction(QAction *action)
{
    action_ = action;
    if (action_)
        QObject::connect(action_, &QAction::triggered, action_, [this] { trigger(); });
    apply();
}

void WorkspaceCommand::setAllowed(bool allowed)
{
    allowed_ = allowed;
    apply();
}

void WorkspaceCommand::setHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
    apply();
}

void WorkspaceCommand::trigger()
{
    if (isEnabled())
        handler_();
}

void WorkspaceCommand::apply()
{
    if (button_)
        button_->setEnabled(isEnabled());
    if (action_)
        action_->setEnabled(isEnabled());
}
