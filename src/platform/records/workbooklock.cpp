#include "platform/records/workbooklock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <chrono>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kUserKey = QByteArrayLiteral("user=");
const QByteArray kSinceKey = QByteArrayLiteral("since=");

QString shownTime(const QDateTime &utc)
{
    return utc.isValid() ? utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
}

QString machineName()
{
    return QSysInfo::machineHostName();
}

} // namespace

QString WorkbookLock::Holder::describe() const
{
    QString text = user.isEmpty() ? QStringLiteral("another user") : user;
    if (!host.isEmpty())
        text += QStringLiteral(" on ") + host;
    text += QStringLiteral(" (process %1)").arg(pid);
    if (since.isValid())
        text += QStringLiteral(" since ") + shownTime(since);
    return text;
}

WorkbookLock::WorkbookLock(const QString &folder, int staleMs)
    : m_folder(QDir(folder).absolutePath())
    , m_path(QDir(m_folder).filePath(kFileName))
    , m_staleMs(staleMs)
    , m_lock(m_path)
{
    m_lock.setStaleLockTime(staleMs);
}

WorkbookLock::~WorkbookLock()
{
    release();
}

QString WorkbookLock::currentUser()
{
#ifdef Q_OS_UNIX
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
#endif
    for (const char *variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QString();
}

std::optional<WorkbookLock::Holder> WorkbookLock::readHolder(const QString &lockPath)
{
    QLockFile probe(lockPath);
    Holder holder;
    QString application;
    if (!probe.getLockInfo(&holder.pid, &holder.host, &application))
        return std::nullopt;
    QFile file(lockPath);
    // Our two lines follow QLockFile's own; a lock file is a few hundred bytes.
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = file.read(4096).split('\n');
        for (const QByteArray &line : lines) {
            if (line.startsWith(kUserKey))
                holder.user = QString::fromUtf8(line.mid(kUserKey.size())).trimmed();
            else if (line.startsWith(kSinceKey))
                holder.since = QDateTime::fromString(QString::fromLatin1(line.mid(kSinceKey.size())).trimmed(),
                                                     Qt::ISODate);
        }
    }
    holder.renewed = QFileInfo(lockPath).lastModified().toUTC();
    return holder;
}

WorkbookLock::Outcome WorkbookLock::acquire()
{
    if (m_lock.isLocked())
        return Outcome::Taken;
    m_holder.reset();
    m_message.clear();
    const std::optional<Holder> before = readHolder(m_path);

    if (m_lock.tryLock(0)) {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            file.write(kUserKey + currentUser().toUtf8() + '\n');
            file.write(kSinceKey + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + '\n');
            file.close();
        }
        startRenewing();
        if (!before)
            return Outcome::Taken;
        m_holder = before;
        const bool deadHere = before->host.isEmpty() || before->host == machineName();
        m_message = deadHere
            ? QStringLiteral("The workbook %1 was left locked by %2, which is no longer running. "
                             "The lock is taken over.")
                  .arg(QDir::toNativeSeparators(m_folder), before->describe())
            : QStringLiteral("The workbook %1 was left locked by %2, whose lock has not been renewed "
                             "since %3. The lock is taken over.")
                  .arg(QDir::toNativeSeparators(m_folder), before->describe(), shownTime(before->renewed));
        return Outcome::TakenOver;
    }

    if (m_lock.error() == QLockFile::LockFailedError) {
        m_holder = readHolder(m_path);
        const QString who = m_holder ? m_holder->describe() : QStringLiteral("another program");
        m_message = QStringLiteral("The workbook %1 is in use by %2. Only one program at a time may "
                                   "change a workbook.")
                        .arg(QDir::toNativeSeparators(m_folder), who);
        return Outcome::Held;
    }
    m_message = QStringLiteral("The workbook %1 cannot be locked for this program: the lock file %2 "
                               "cannot be written there.")
                    .arg(QDir::toNativeSeparators(m_folder), kFileName);
    return Outcome::Unavailable;
}

void WorkbookLock::release()
{
    stopRenewing();
    if (m_lock.isLocked())
        m_lock.unlock();
}

void WorkbookLock::startRenewing()
{
    stopRenewing();
    m_stopRenewing = false;
    const auto period = std::chrono::milliseconds(std::max(1000, m_staleMs / 4));
    const std::filesystem::path path = QFile::encodeName(m_path).toStdString();
    m_renewer = std::thread([this, period, path] {
        std::unique_lock guard(m_renewMutex);
        while (!m_renewWake.wait_for(guard, period, [this] { return m_stopRenewing; })) {
            std::error_code ignored;
            std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now(), ignored);
        }
    });
}

void WorkbookLock::stopRenewing()
{
    if (!m_renewer.joinable())
        return;
    {
        std::lock_guard guard(m_renewMutex);
        m_stopRenewing = true;
    }
    m_renewWake.notify_all();
    m_renewer.join();
}
