#pragma once

#include "platform/services/services.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

// The Action Area's record of unsaved user text, shared by every panel that
// edits: the unsaved-changes flag, the loading flag that tells the program's
// own content changes from the user's, and the save question asked before
// any change of view, safeguard, WorkMode or screen.
class EditSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kLoading = 9;
    static inline const QString kSaveQuestionTitle = QStringLiteral("Save Changes?");
    static inline const QString kSaveQuestion = QStringLiteral("Save changes/entries before next action?");

    explicit EditSession(std::shared_ptr<Prompt> prompt, QObject *parent = nullptr);

    bool hasUnsavedChanges() const { return unsaved_; }
    void setUnsavedChanges(bool unsaved) { setUnsaved(unsaved); }
    void clearUnsavedChanges() { setUnsaved(false); }

    int loadingFlag() const { return loading_; }
    void setLoadingFlag(int value) { loading_ = value; }

    // Saves the current entry exactly as "&Save" does; false when the save
    // failed (the saver has told the user why).
    void setSaver(std::function<bool()> saver) { saver_ = std::move(saver); }
    // Whether the question may be asked at all (never in the sample).
    void setQuestionAllowed(std::function<bool()> allowed) { questionAllowed_ = std::move(allowed); }
    // Puts what is saved back on screen (reads the file again), after a No.
    void setReverter(std::function<void()> reverter) { reverter_ = std::move(reverter); }
    // Whether something besides the editor holds edits not yet saved (the
    // risk register's forms): they count as unsaved changes when the
    // question is due.
    void setPendingEditsProbe(std::function<bool()> probe) { pendingEdits_ = std::move(probe); }

    // Asks the save question when there are unsaved changes. Returns whether
    // the action that asked may go on: Yes saves and goes on, No discards and
    // goes on, the screen showing what is saved, so that nothing on it looks
    // saved when it is not. Cancel (also Esc and the close box) and a Yes
    // whose save failed keep the edits and the flag, and the action must not
    // go on, so the user's text is never thrown away.
    bool settleUnsavedChanges(QWidget *parent);
    // The action a No let go on was then cancelled (the exit question
    // answered No or Cancel). Without a reverter the text is still on
    // screen, so it counts as unsaved again; with one, what is on screen is
    // what is saved.
    void guardedActionCancelled();

    // The editor's content changed. A change the program announced through
    // the loading flag only consumes the flag; otherwise the flag records
    // whether the change is an edit of the user's text.
    void noteContentChanged(bool countsAsEdit);

Q_SIGNALS:
    // The flag changed (false: saved, discarded, or another document shown).
    void unsavedChanged(bool unsaved);
    // The user edited the text.
    void edited();

private:
    void setUnsaved(bool unsaved);

    std::shared_ptr<Prompt> prompt_;
    std::function<bool()> saver_;
    std::function<bool()> questionAllowed_;
    std::function<void()> reverter_;
    std::function<bool()> pendingEdits_;
    bool unsaved_ = false;
    bool discardedByNo_ = false;
    int loading_ = 0;
};

// Sets the loading flag around a content change made by the program.
class LoadingGuard
{
public:
    explicit LoadingGuard(EditSession &session)
        : session_(session)
    {
        session_.setLoadingFlag(EditSession::kLoading);
    }
    ~LoadingGuard() { session_.setLoadingFlag(0); }
    LoadingGuard(const LoadingGuard &) = delete;
    LoadingGuard &operator=(const LoadingGuard &) = delete;

private:
    EditSession &session_;
};
