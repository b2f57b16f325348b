#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

// The file a screen shows, watched for changes made by something else
// (another program, a restore from the command line) so that a save never
// overwrites them unseen. The watcher's signal is a hint only (a network
// folder may send none): before a save, changedOnDisk() compares the file's
// bytes with those that were shown.
class DiskChangeWatch : public QObject
{
    Q_OBJECT
public:
    explicit DiskChangeWatch(QObject *parent = nullptr);

    // The file at path is what is shown now (just read or just written).
    void watch(const QString &path);
    void stop();
    QString path() const { return m_path; }

    // True when the file now differs from what was shown: other bytes, gone,
    // or there when it was not.
    bool changedOnDisk() const;

    // The user chose the file as it is now ("Load Theirs"): changed() is
    // sent for the screen to show it.
    void takeTheirs() { Q_EMIT changed(m_path); }

    // The screen's texts for the question asked before a save over a
    // changed file.
    static inline const QString kTitle = QStringLiteral("File Changed on Disk");
    static inline const QString kKeepMine = QStringLiteral("Keep Mine");
    static inline const QString kLoadTheirs = QStringLiteral("Load Theirs");

Q_SIGNALS:
    // Something changed the file (or replaced it) while it was shown.
    void changed(const QString &path);

private:
    static QByteArray fingerprint(const QString &path);

    QFileSystemWatcher m_watcher;
    QString m_path;
    QByteArray m_shown;
};
