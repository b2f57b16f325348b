#include "shell/workbookopening.h"

#include "platform/records/readonlyworkbooks.h"
#include "platform/records/workbooklock.h"
#include "platform/services/choiceprompt.h"
#include "screens/programcontext.h"

#include <QTextStream>

namespace WorkbookOpening {

std::unique_ptr<WorkbookLock> lockForCommand(const QString &folder, QTextStream &errors)
{
    auto lock = std::make_unique<WorkbookLock>(folder);
    switch (lock->acquire()) {
    case WorkbookLock::Outcome::Taken:
        return lock;
    case WorkbookLock::Outcome::TakenOver:
        errors << "sentrivo: " << lock->message() << '\n';
        errors.flush();
        return lock;
    case WorkbookLock::Outcome::Held:
    case WorkbookLock::Outcome::Unavailable:
        break;
    }
    errors << "sentrivo: " << lock->message() << " Nothing was done.\n";
    errors.flush();
    return nullptr;
}

bool openForWindow(ProgramContext &context, Prompt &prompt)
{
    auto lock = std::make_shared<WorkbookLock>(context.workbookDir);
    const WorkbookLock::Outcome outcome = lock->acquire();
    if (outcome == WorkbookLock::Outcome::Taken || outcome == WorkbookLock::Outcome::TakenOver) {
        if (outcome == WorkbookLock::Outcome::TakenOver)
            prompt.ask(nullptr, Prompt::Icon::Information, kTitle, lock->message(), Prompt::Buttons::Ok);
        context.workbookLock = std::move(lock);
        context.readOnly = false;
        return true;
    }
    const QString text = lock->message()
                         + QStringLiteral("\n\nOpen it read-only to read and print it without changing "
                                          "anything?");
    const int choice = chooseButton(prompt, nullptr, Prompt::Icon::Exclamation, kTitle, text,
                                    {kOpenReadOnly, kCancel}, 0);
    if (choice != 0)
        return false;
    context.readOnly = true;
    context.workbookLock.reset();
    ReadOnlyWorkbooks::add(context.workbookDir);
    return true;
}

} // namespace WorkbookOpening
