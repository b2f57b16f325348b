#include "actionarea/editsession.h"

#include <QApplication>

EditSession::EditSession(std::shared_ptr<Prompt> prompt, QObject *parent)
    : QObject(parent)
    , prompt_(std::move(prompt))
{
}

void EditSession::setUnsaved(bool unsaved)
{
    if (unsaved_ == unsaved)
        return;
    unsaved_ = unsaved;
    Q_EMIT unsavedChanged(unsaved);
}

bool EditSession::settleUnsavedChanges(QWidget *parent)
{
    discardedByNo_ = false;
    if (!unsaved_ && pendingEdits_ && pendingEdits_())
        setUnsaved(true);
    if (!unsaved_)
        return true;
    if (questionAllowed_ && !questionAllowed_()) {
        setUnsaved(false);
        return true;
    }
    QApplication::restoreOverrideCursor();
    const Prompt::Answer answer = prompt_->ask(parent, Prompt::Icon::Question, kSaveQuestionTitle,
                                               kSaveQuestion, Prompt::Buttons::YesNoCancel);
    if (answer == Prompt::Answer::Yes) {
        if (saver_ && !saver_())
            return false;
    } else if (answer == Prompt::Answer::No) {
        setUnsaved(false);
        if (reverter_)
            reverter_();
        else
            discardedByNo_ = true;
    } else {
        return false;
    }
    setUnsaved(false);
    return true;
}

void EditSession::guardedActionCancelled()
{
    if (discardedByNo_)
        setUnsaved(true);
    discardedByNo_ = false;
}

void EditSession::noteContentChanged(bool countsAsEdit)
{
    if (loading_ == kLoading) {
        loading_ = 0;
        return;
    }
    setUnsaved(countsAsEdit);
    if (countsAsEdit)
        Q_EMIT edited();
}
