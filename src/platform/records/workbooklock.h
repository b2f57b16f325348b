#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// One program per workbook: the lock file "Sentrivo.lock" in the workbook
// folder, held from opening to the end of the run by the window or by a
// command (export, backup, restore).
//
// The file is a QLockFile (process id, process name, host), followed by two
// lines of our own, "user=NAME" and "since=ISO-8601 UTC", so that a refused
// program can say who holds the workbook and since when.
//
// A lock is taken over when it is stale: left by a process of this host that
// is no longer running, or not renewed for longer than the stale time (a
// program on another computer sharing the folder that crashed or lost the
// network). While held, the file's modification time is renewed every
// quarter of the stale time from a thread of its own, so a long run, a
// modal dialog or a long backup never makes a live lock look stale.
//
// The file is not a user file: backups never carry it (it matches none of
// their names) and it goes when the program ends.
class WorkbookLock
{
public:
    static inline const QString kFileName = QStringLiteral("Sentrivo.lock");
    static constexpr int kDefaultStaleMs = 5 * 60 * 1000;

    enum class Outcome {
        Taken,        // the workbook was free
        TakenOver,    // a stale lock was replaced; message() says whose
        Held,         // another live program holds it; message() says who
        Unavailable,  // no lock can be written there (read-only folder); message() says why
    };

    struct Holder
    {
        qint64 pid = 0;
        QString host;
        QString user;
        QDateTime since;       // when that program took the workbook (UTC); invalid when unknown
        QDateTime renewed;     // when the lock was last renewed (UTC)
        // "jane on clinic-pc (process 4711) since 2026-12-10 09:14"
        QString describe() const;
    };

    explicit WorkbookLock(const QString &folder, int staleMs = kDefaultStaleMs);
    ~WorkbookLock();
    WorkbookLock(const WorkbookLock &) = delete;
    WorkbookLock &operator=(const WorkbookLock &) = delete;

    Outcome acquire();
    bool isLocked() const { return m_lock.isLocked(); }
    void release();

    QString folder() const { return m_folder; }
    QString lockPath() const { return m_path; }
    // After Held: the holder; after TakenOver: the previous one.
    const std::optional<Holder> &holder() const { return m_holder; }
    // The readable reason for the outcome (empty after Taken).
    QString message() const { return m_message; }

    // Who holds the lock file at path, as far as it says.
    static std::optional<Holder> readHolder(const QString &lockPath);
    // The name this program writes as its user.
    static QString currentUser();

private:
    void startRenewing();
    void stopRenewing();

    QString m_folder;
    QString m_path;
    int m_staleMs;
    QLockFile m_lock;
    std::optional<Holder> m_holder;
    QString m_message;

    std::mutex m_renewMutex;
    std::condition_variable m_renewWake;
    bool m_stopRenewing = false;
    std::thread m_renewer;
};
