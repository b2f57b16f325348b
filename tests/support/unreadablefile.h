#pragma once

#include "support/tempworkbook.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/fsuid.h>
#include <unistd.h>

// Ways a workbook file can be there and still not be readable. Permissions
// do not bind the superuser, and the suite runs as root in CI: a file
// without permission is read under an ordinary user's file-system identity
// (OrdinaryUserFileAccess), the other two stop root as well.
enum class Unreadable { FolderInItsPlace, LinkToItself, NoPermission };

// File permissions then bind this thread as they bind an ordinary user,
// until the object goes. Only the file-system identity changes.
class OrdinaryUserFileAccess
{
public:
    OrdinaryUserFileAccess()
        : m_root(::geteuid() == 0)
    {
        if (m_root)
            ::setfsuid(kNobody);
    }
    ~OrdinaryUserFileAccess()
    {
        if (m_root)
            ::setfsuid(0);
    }
    OrdinaryUserFileAccess(const OrdinaryUserFileAccess &) = delete;
    OrdinaryUserFileAccess &operator=(const OrdinaryUserFileAccess &) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool m_root;
};

// Puts the unreadable file in place. For NoPermission the file holds bytes
// and has mode 000, and the folder is opened for others to pass through,
// so that only the file itself is out of reach.
inline bool makeUnreadable(const TempWorkbook &workbook, const QString &name, Unreadable how,
                           const QByteArray &bytes = QByteArrayLiteral("{\\rtf1\\ansi The user's work.\\par}"))
{
    // Others may pass through the folder (not list it), so that an ordinary
    // user meets the file itself.
    if (!QFile::setPermissions(workbook.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                    | QFile::ExeGroup | QFile::ExeOther))
        return false;
    switch (how) {
    case Unreadable::FolderInItsPlace:
        return workbook.dir().mkdir(name);
    case Unreadable::LinkToItself:
        return QFile::link(name, workbook.filePath(name));
    case Unreadable::NoPermission:
        return workbook.writeFile(name, bytes) && QFile::setPermissions(workbook.filePath(name), {});
    }
    return false;
}

// Whether the file is still what makeUnreadable made of it (nothing was
// written over it); for NoPermission the bytes are compared too.
inline bool stillAsMadeUnreadable(const TempWorkbook &workbook, const QString &name, Unreadable how,
                                  const QByteArray &bytes = QByteArrayLiteral("{\\rtf1\\ansi The user's work.\\par}"))
{
    const QFileInfo info(workbook.filePath(name));
    switch (how) {
    case Unreadable::FolderInItsPlace: return info.isDir();
    case Unreadable::LinkToItself: return info.isSymLink();
    case Unreadable::NoPermission:
    {
        constexpr QFile::Permissions kModeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                 | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                                 | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        return info.isFile() && !info.isSymLink() && (info.permissions() & kModeBits) == QFile::Permissions()
               && workbook.readFile(name) == bytes;
    }
    }
    return false;
}

inline void addUnreadableRows()
{
    QTest::addColumn<Unreadable>("how");
    QTest::newRow("a folder in its place") << Unreadable::FolderInItsPlace;
    QTest::newRow("a link to itself") << Unreadable::LinkToItself;
    QTest::newRow("no permission") << Unreadable::NoPermission;
}
