#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>

class Prompt;
class QWidget;

// Told of every user document the program writes, after the write succeeded:
// the one place through which saves reach the workbook's history and search
// index. The windows never know what is recorded or where.
//
// What must hold: a call is made only after the file on disk holds the new
// bytes, so a failure to record never touches the saved file; each call is
// one action (one transaction) and either records everything or nothing.
class DocumentRecorder
{
public:
    virtual ~DocumentRecorder() = default;

    // The document called fileName (its name in the workbook folder, e.g.
    // "Action12.Fil") now holds exactly bytes. False with *error when the
    // version could not be kept.
    virtual bool documentSaved(const QString &fileName, const QByteArray &bytes, QString *error) = 0;
    // The document called fileName was shown holding bytes: a document from
    // before the history existed gets them as its first version ("found").
    virtual bool documentShown(const QString &fileName, const QByteArray &bytes, QString *error) = 0;
    // Record `record` of Stat1.Fil changed from oldValue to newValue.
    virtual bool statusChanged(int record, const QString &oldValue, const QString &newValue, QString *error) = 0;
    // When each record of Stat1.Fil last changed (UTC); records never changed
    // since the history began are absent.
    virtual QHash<int, QDateTime> statusChangeTimes() const { return {}; }
};

// The title and text shown when a saved document's version was not kept.
namespace DocumentRecording {
inline const QString kNotRecordedTitle = QStringLiteral("History Not Recorded");

// Reads the file just written at path and hands its bytes to the recorder
// (nothing happens without one). A failure is shown through the prompt: the
// file stays saved and the user learns that this version is not in its
// history. Returns whether the version was kept.
bool recordSavedFile(DocumentRecorder *recorder, Prompt *prompt, QWidget *parent, const QString &path);
// The same for a document just shown (its "found" version); failures are
// shown the same way.
bool recordShownFile(DocumentRecorder *recorder, Prompt *prompt, QWidget *parent, const QString &path);
// The text of the failure message for a document.
QString notRecordedMessage(const QString &fileName, const QString &reason);
} // namespace DocumentRecording
