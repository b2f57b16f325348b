#pragma once

#include "platform/services/services.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class FileOperations;
namespace SetEncryption {
struct NewSet;
}
class QWidget;

// What the backup and restore procedures show while they run. The window
// implements it with its status panel and progress bar; the command line
// leaves it empty.
class ProcedureFeedback
{
public:
    virtual ~ProcedureFeedback() = default;
    // The status panel with a text ("" clears the text, the panel stays).
    virtual void showStatus(const QString &) {}
    virtual void hideStatus() {}
    virtual void hideNote() {}
    virtual void showProgress(int /*maximum*/) {}
    virtual void setProgress(int) {}
    virtual void hideProgress() {}
    virtual void setBusy(bool) {}
    // The pause before a backup starts writing (the two-second wait).
    virtual void pause() {}
    // The user gave up on an unwritable target: the drive list goes back to
    // its first drive.
    virtual void resetDrive() {}
};

// Everything a procedure works with.
struct ProcedureEnvironment
{
    QString workbookDir;   // the user's files
    QString targetDir;     // the backup medium (a folder)
    FileOperations *files = nullptr;
    // Questions and messages. Without one the procedure runs unattended (the
    // command line): no questions, a single medium, the reason of a failure
    // in the result.
    Prompt *prompt = nullptr;
    QWidget *parent = nullptr;
    ProcedureFeedback *feedback = nullptr;
    // The time that names the safety folder of a restore.
    std::function<QDateTime()> now;
    // Writes a consistent copy of the workbook's database to a path that does
    // not exist yet (the open database's snapshotTo). Without one, a backup
    // opens the database itself for the copy.
    std::function<bool(const QString &path, QString *error)> snapshotDatabase;
    // A backup into a new set folder: one medium only (a full one ends the
    // backup instead of asking for the next disk), and the question was
    // asked already.
    bool singleMedium = false;
    bool confirmed = false;
    // An encrypted backup: the set's header and key (see SetEncryption).
    std::shared_ptr<const SetEncryption::NewSet> encryption;
    // For the restore of an encrypted backup: the passphrase, asked when
    // needed; nothing when the user gave none.
    std::function<std::optional<QByteArray>()> passphrase;
};

struct ProcedureResult
{
    enum class Outcome {
        NotStarted, // refused before anything was written
        Completed,
        Cancelled,  // by the user at a prompt
        Failed,
    };
    Outcome outcome = Outcome::NotStarted;
    QString reason;             // why it did not complete (for the command line)
    bool workbookChanged = false; // a restore replaced the workbook's files
    QString safetyFolder;       // a restore's folder holding the previous files
    int disksWritten = 0;       // media whose part of a backup was completed
    QString setName;            // the backup set written
    QStringList setsRemoved;    // the oldest sets removed once it was in place

    bool completed() const { return outcome == Outcome::Completed; }
};

// True when two folders are the same one (the backup target must never be
// the workbook itself).
bool isSameFolder(const QString &a, const QString &b);
