#include "platform/services/diskchangewatch.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

DiskChangeWatch::DiskChangeWatch(QObject *parent)
    : QObject(parent)
{
    const auto noticed = [this](const QString &) {
        if (m_path.isEmpty())
            return;
        // A save by replacement (ours or another program's) ends the watch
        // on the old file: watch the new one.
        if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
            m_watcher.addPath(m_path);
        if (changedOnDisk())
            Q_EMIT changed(m_path);
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, noticed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, noticed);
}

QByteArray DiskChangeWatch::fingerprint(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile())
        return QByteArrayLiteral("not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("unreadable");
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QByteArray::number(info.size()) + ':' + hash.result();
}

void DiskChangeWatch::watch(const QString &path)
{
    stop();
    m_path = path;
    m_shown = fingerprint(path);
    if (QFileInfo::exists(path))
        m_watcher.addPath(path);
    // The folder too: a file created or replaced there is seen.
    const QString folder = QFileInfo(path).absolutePath();
    if (!folder.isEmpty())
        m_watcher.addPath(folder);
}

void DiskChangeWatch::stop()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path.clear();
    m_shown.clear();
}

bool DiskChangeWatch::changedOnDisk() const
{
    return !m_path.isEmpty() && fingerprint(m_path) != m_shown;
}
