#pragma once

#include <QString>

// Where the workbook (the user's files) and the shipped content live.
namespace AppPaths {

// The per-user data folder used when no --workbook is given.
QString defaultWorkbookFolder();

// Creates the folder when needed and makes it the current directory, so every
// relative file name the program uses lands in the workbook.
bool enterWorkbook(const QString &folder, QString *error = nullptr);

} // namespace AppPaths
