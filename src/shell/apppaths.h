#pragma once

#include <QString>

// Where the workbook (the user's files) and the shipped content live.
namespace AppPaths {

// The per-user data folder used when no --workbook is given.
QString defaultWorkbookFolder();

} // namespace AppPaths
