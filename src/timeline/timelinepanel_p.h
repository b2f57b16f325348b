#pragma once

// What the timeline panel's source files share: the grid's columns and
// small text rules.

#include <QLatin1Char>
#include <QObject>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QString>

namespace TimelineGrid {

inline constexpr int kColumnCount = 6;
inline constexpr int kItemColumn = 1;
inline constexpr int kSpacerColumn = 4;

// Grid column n holds field n - 1 of a row.
inline int fieldOf(int column)
{
    return column - 1;
}

inline bool isDateColumn(int column)
{
    return column == 2 || column == 3 || column == 5;
}

// Where the calendar's left edge goes for each date column, as a fraction
// of the panel's width.
inline double calendarLeftFor(int column)
{
    switch (column) {
    case 2: return 0.575;
    case 3: return 0.28;
    default: return 0.485;
    }
}

inline QString withoutLeadingBlanks(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

// Texts that can be stored: the file format has no escape for a double
// quote, so none can be typed.
inline QValidator *noQuotesValidator(QObject *parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), parent);
}

// A cell's text as the grid shows it: a stored date with its four-digit
// year, anything else as it is.
QString shownText(int column, const QString &text);

} // namespace TimelineGrid
