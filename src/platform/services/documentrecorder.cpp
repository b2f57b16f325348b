#include "platform/services/documentrecorder.h"

#include "platform/records/safefile.h"
#include "platform/services/services.h"

#include <QFileInfo>

namespace DocumentRecording {
namespace {

enum class Event { Saved, Shown };

bool record(Event event, DocumentRecorder *recorder, Prompt *prompt, QWidget *parent, const QString &path)
{
    if (!recorder)
        return true;
    const QString name = QFileInfo(path).fileName();
    QByteArray bytes;
    QString reason;
    bool kept = false;
    if (readWholeFile(path, &bytes, &reason))
        kept = event == Event::Saved ? recorder->documentSaved(name, bytes, &reason)
                                     : recorder->documentShown(name, bytes, &reason);
    if (!kept && prompt)
        prompt->ask(parent, Prompt::Icon::Exclamation, kNotRecordedTitle, notRecordedMessage(name, reason),
                    Prompt::Buttons::Ok);
    return kept;
}

} // namespace

QString notRecordedMessage(const QString &fileName, const QString &reason)
{
    return QStringLiteral("%1 is saved, but this version of it could not be kept in the workbook's "
                          "history:\n\n%2\n\nThe file itself is complete and unchanged by this.")
        .arg(fileName, reason);
}

bool recordSavedFile(DocumentRecorder *recorder, Prompt *prompt, QWidget *parent, const QString &path)
{
    return record(Event::Saved, recorder, prompt, parent, path);
}

bool recordShownFile(DocumentRecorder *recorder, Prompt *prompt, QWidget *parent, const QString &path)
{
    return record(Event::Shown, recorder, prompt, parent, path);
}

} // namespace DocumentRecording
