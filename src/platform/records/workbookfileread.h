#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file of the workbook (an entry, a to-do file): like
// readWholeFile(), never opening a folder, a pipe or a device in its place,
// and refusing a file larger than any the program writes
// (ReadOnlyWorkbooks::kMaxFileSize) rather than taking it all in. False with
// the reason in *error.
bool readWorkbookFile(const QString &path, QByteArray *bytes, QString *error = nullptr);
