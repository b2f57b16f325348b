#pragma once

#include <QDir>
#include <QString>

// Workbooks made on systems whose file names ignore case may spell a file
// differently from the program ("GCOLOR3.FIL"). Returns the path of the file
// in dir whose name matches name ignoring case (the exact spelling preferred),
// or, when none exists, dir's path with name spelled as given, for creating it.
// name may carry a folder part ("backup/DiskInfo.bk1"); only its last part is
// matched ignoring case.
QString findFileIgnoringCase(const QDir &dir, const QString &name);

// The same for a path relative to the current directory or absolute.
QString findFileIgnoringCase(const QString &path);
