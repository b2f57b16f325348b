#pragma once

#include <QDir>
#include <QString>

#include <functional>
#include <vector>

// `sentrivo --workbook DIR --export KIND OUT`: writes one document of the
// workbook to a file without opening a window, composed as the screens
// compose it.
namespace ExportCommand {

struct Kind
{
    QString name;          // what follows --export
    QString description;   // for --help
    std::function<bool(const QDir &workbook, const QString &outPath, QString *error)> write;
};

const std::vector<Kind> &kinds();
// The kinds and what they write, one per line, for --help.
QString describeKinds();
// Runs one export; the exit code of the program (0 when written). Errors
// go to standard error.
int run(const QString &kindName, const QString &outPath, const QDir &workbook);

} // namespace ExportCommand
