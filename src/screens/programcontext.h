#pragma once

#include "platform/records/workbook.h"

#include <memory>

class DocumentHistory;
class WorkbookDatabase;

// Program-wide values shared by the windows of one run.
struct ProgramContext
{
    // The user's files, and the shipped, read-only documents and pictures
    // (the workbook's content folder).
    Workbook workbook;
    bool smallerDisplay = false;
    // Outer size of the start screen in twips, refreshed at each of its loads,
    // activations and resizes; the About box places itself by it.
    int startScreenWidthTwips = 0;
    int startScreenHeightTwips = 0;
    bool splashShown = false;
    // The workbook's database, opened once at start; when it could not be
    // opened it is there all the same, closed, and says why (openReport()).
    std::shared_ptr<WorkbookDatabase> database;
    // The versions, status changes and reviews kept in that database.
    std::shared_ptr<DocumentHistory> history;
};
