#pragma once

#include <QByteArray>
#include <QString>

// The rule every store and editor of the workbook keeps about the files it
// reads before it writes them: a file that is there but cannot be read (no
// permission, a folder in its place, a link that leads nowhere, a read
// error) is never taken for a missing one. It is reported, and nothing is
// written over it, so a user's work that is only out of reach for a moment
// is never replaced by an empty list or an empty document.
namespace StoredFile {

enum class State {
    Missing,    // nothing by that name: a save creates it
    Read,       // read whole
    Unreadable, // there, but its bytes could not be read
};

struct ReadResult
{
    State state = State::Missing;
    QByteArray bytes;  // the file's bytes when Read
    QString error;     // why it could not be read, when Unreadable
    bool isUnreadable() const { return state == State::Unreadable; }
};

// Whether anything by that name is there: a file, a folder, or a link
// (one whose target is gone or unreachable included).
bool isPresent(const QString &path);

// Reads a whole file and says which of the three it is.
ReadResult read(const QString &path);

// The sentence shown when a save is refused because the file it would
// replace could not be read.
QString notWrittenOverMessage(const QString &path, const QString &reason);

// A file reached through a symbolic link lives somewhere else: a save would
// replace the link's target (the safe save resolves links), outside the
// workbook. True, with the reason in *error, when path is such a link.
bool refusesLinkedFile(const QString &path, QString *error);

} // namespace StoredFile
