#include "shell/workbookopening.h"

#include "platform/records/readonlyworkbooks.h"
#include "platform/records/workbooklock.h"
#include "platform/services/choiceprompt.h"

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

bool openForWindow(const QString &folder, Prompt &prompt, std::unique_ptr<WorkbookLock> *lock)
{
    auto taken = std::make_unique<WorkbookLock>(folder);
    const WorkbookLock::Outcome outcome = taken->acquire();
    if (outcome == WorkbookLock::Outcome::Taken || outcome == WorkbookLock::Outcome::TakenOver) {
        if (outcome == WorkbookLock::Outcome::TakenOver)
            prompt.ask(nullptr, Prompt::Icon::Information, kTitle, taken->message(), Prompt::Buttons::Ok);
        *lock = std::move(taken);
        return true;
    }
    const QString text = taken->message()
                         + QStringLiteral("\n\nOpen it read-only to read and print it without changing "
                                          "anything?");
    const int choice = chooseButton(prompt, nullptr, Prompt::Icon::Exclamation, kTitle, text,
                                    {kOpenReadOnly, kCancel}, 0);
    lock->reset();
    if (choice != 0)
        return false;
    ReadOnlyWorkbooks::add(folder);
    return true;
}

} // namespace WorkbookOpening
