#include "actionarea/editsession.h"

#include <QApplication>

EditSession::EditSession(std::shared_ptr<Prompt> prompt, QObject *parent)
    : QObject(parent)
    , prompt_(std::move(prompt))
{
}

bool EditSession::settleUnsavedChanges(QWidget *parent)
{
    discardedByNo_ = false;
    if (!unsaved_)
        return true;
    if (questionAllowed_ && !questionAllowed_()) {
        unsaved_ = false;
        return true;
    }
    QApplication::restoreOverrideCursor();
    const Prompt::Answer answer = prompt_->ask(parent, Prompt::Icon::Question, kSaveQuestionTitle,
                                               kSaveQuestion, Prompt::Buttons::YesNoCancel);
    if (answer == Prompt::Answer::Yes) {
        if (saver_ && !saver_())
            return false;
    } else if (answer == Prompt::Answer::No) {
        discardedByNo_ = true;
    } else {
        return false;
    }
    unsaved_ = false;
    return true;
}

void EditSession::guardedActionCancelled()
{
    if (discardedByNo_)
        unsaved_ = true;
    discardedByNo_ = false;
}

void EditSession::noteContentChanged(bool countsAsEdit)
{
    if (loading_ == kLoading) {
        loading_ = 0;
        return;
    }
    unsaved_ = countsAsEdit;
}
