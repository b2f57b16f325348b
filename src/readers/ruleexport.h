#pragma once

#include <QString>

class PrintSurface;

// Section `section` (0-24) of the Security Rule composed as the Security Rule
// reader's "&Print" composes it with nothing selected: the whole section,
// margins 350/300/350/100 twips, on the surface's page (portrait unless the
// caller turned it). Names the document as the reader's window caption does.
// A section that cannot be read composes an empty document, as the reader
// shows an empty viewer, and says why in `problem`. False only for a section
// number outside 0-24.
bool composeRuleSection(const QString &contentFolder, int section, PrintSurface &surface, QString *documentName,
                        QString *problem = nullptr);

// The section number of the argument of "rule:N" (plain decimal digits), or -1.
int ruleSectionOfExportArgument(const QString &argument);
