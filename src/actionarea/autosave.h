#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

class EditSession;
class Prompt;
class QWidget;

// The copy of unsaved text kept beside the workbook's files, so that a
// program ended by the desktop, a signal or a crash loses at most a minute
// of typing.
//
// File: "<document's file name>.autosave" in the workbook folder (for
// example "Action3.Fil.autosave"), holding exactly the bytes a save of the
// document would write (RTF for entries, the plan and worksheets; the
// to-do file's lines for the timeline). The time it was kept is the file's
// modification time. It is written through the safe save, and removed once
// the text is saved or the user chooses not to save it. It never matches
// the workbook's "*.fil" patterns, so no store, backup or restore takes it
// for a document.
namespace Autosave {

inline const QString kSuffix = QStringLiteral(".autosave");

struct Copy
{
    QString fileName;   // the document's file in the workbook ("Action3.Fil")
    QByteArray bytes;   // what a save would write
};

// "Action3.Fil" -> "Action3.Fil.autosave".
QString copyFileName(const QString &documentFileName);
// The copies kept in the folder, by document file name, sorted.
QStringList pendingDocuments(const QDir &workbook);

// The document as the user knows it: "Action Taken for Risk Analysis",
// "Disaster Recovery Plan", "risk analysis worksheet \"EHR Server\"",
// "Project Timeline"; the file name for any other.
QString describe(const QDir &workbook, const QString &documentFileName);

// The document's text, one line per paragraph (RTF read as text, the
// timeline's lines as they are), blank lines left out.
QStringList textLines(const QString &documentFileName, const QByteArray &bytes);
// What the kept copy changes in the saved document: "- line" for a line
// only the saved file has, "+ line" for one only the copy has, in order;
// at most maxLines lines, then "... and N more changed lines".
QStringList differences(const QStringList &saved, const QStringList &kept, int maxLines = 12);

// At start: for each kept copy, asks whether to recover it, naming the
// document, when it was kept, and what differs. Yes writes the kept text
// as the document (the copy then goes), No removes the copy, Cancel keeps
// it to be asked about at the next start. Returns the documents recovered.
QStringList offerRecovery(const QDir &workbook, Prompt &prompt, QWidget *parent = nullptr);

// Keeps the copy of the Action Area's unsaved text: after the first edit
// following a save, a load or a discard, it writes the copy once the
// interval (60 s) has passed, and again after each further minute of
// editing; the copy goes as soon as the session has nothing unsaved.
class Keeper : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 60 * 1000;
    // The document being edited and its bytes; nothing when the text shown
    // is not the user's (a reference text, the sample).
    using Provider = std::function<std::optional<Copy>()>;

    Keeper(EditSession &session, QDir workbook, Provider provider, QObject *parent = nullptr);

    // Writes the copy at once when there is unsaved text (on a request to
    // end the program); false when there was none or it could not be written.
    bool writeNow();
    bool isScheduled() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    // The copy this run last wrote (empty when none is kept).
    QString keptCopyPath() const { return m_keptPath; }
    QString lastError() const { return m_lastError; }

private:
    void onEdited();
    void onUnsavedChanged(bool unsaved);
    void removeKeptCopy();

    EditSession &m_session;
    QDir m_workbook;
    Provider m_provider;
    QTimer m_timer;
    QString m_keptPath;
    QString m_lastError;
};

} // namespace Autosave
