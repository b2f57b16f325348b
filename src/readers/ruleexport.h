#pragma once

#include <QString>

// Prints section `section` (0-24) of the Security Rule to a PDF file, as the
// Security Rule reader's "&Print" does with nothing selected: the whole
// section, portrait, margins 350/300/350/100 twips. False with a readable
// reason when the section does not exist, cannot be read or the file cannot
// be written.
bool exportRuleSection(const QString &contentFolder, int section, const QString &pdfPath, QString *error = nullptr);

// The section number of an export name "rule:N", or -1.
int ruleSectionOfExportName(const QString &name);
