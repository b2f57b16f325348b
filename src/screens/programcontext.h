#pragma once

#include <QString>

// Program-wide values shared by the windows of one run.
struct ProgramContext
{
    QString workbookDir;   // the user's files; the current directory while running
    QString contentDir;    // shipped, read-only documents and pictures
    bool smallerDisplay = false;
    // Outer size of the start screen in twips, refreshed at each of its loads,
    // activations and resizes; the About box places itself by it.
    int startScreenWidthTwips = 0;
    int startScreenHeightTwips = 0;
    bool splashShown = false;
};
