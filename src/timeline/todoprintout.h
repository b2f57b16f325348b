#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QString>

class PrintSurface;
class ToDoList;

// The project timeline's printout: a ruled table with the title "Project
// Timeline/To Do List", an optional "As of" line and the column captions at
// the top of every page, then one line per row that holds an item, in grid
// order. Composed on a PrintSurface, so the preview, the printer and the
// PDF export show the same pages.
namespace ToDoPrintout {

inline const QString kTitle = QStringLiteral("Project Timeline/To Do List");
inline const QString kNothingToPrintTitle = QStringLiteral("Print");
inline const QString kNothingToPrint = QStringLiteral("There are currently No Entries to Print!");

struct Options
{
    QFont font = QFont(QStringLiteral("Times New Roman"), 12);
    QColor colour = Qt::black;
    bool gridLines = true;
    bool asOfDate = true;
    QDate today;
    // Every page carries it, with the title and "Page N of M".
    QString organization;
};

// Whether any row holds an item; without one there is nothing to print.
bool hasEntries(const ToDoList &list);

// The printer font taken from the item box's font: the old bitmap screen
// fonts become Times New Roman 12; otherwise the family with the given
// size (12 when it is not positive), keeping bold and italic.
QFont printerFontFrom(const QFont &itemBoxFont, qreal printerFontSize);

// Clears the surface and composes the whole document on it.
void compose(PrintSurface &surface, const ToDoList &list, const Options &options);

} // namespace ToDoPrintout
