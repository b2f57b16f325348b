#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// One row of the to-do grid: the item, its three dates and the spacer that
// is always saved empty.
struct ToDoItem
{
    enum Field { Item, ToDoDate, ActualDate, Spacer, NextReviewDate, FieldCount };
    std::array<QString, FieldCount> fields;

    const QString &item() const { return fields[Item]; }
    // Whether the row holds an item (blanks do not count).
    bool hasItem() const { return !fields[Item].trimmed().isEmpty(); }
    bool operator==(const ToDoItem &) const = default;
};

// The to-do list as the grid and TODOActv.FIL hold it: always exactly
// kRowCount rows, empty rows included. Row numbers are 0-based here (grid
// row 1 is row 0).
class ToDoList
{
public:
    static constexpr int kRowCount = 500;
    static inline const QString kFileName = QStringLiteral("TODOActv.FIL");

    ToDoList();

    const std::vector<ToDoItem> &rows() const { return rows_; }
    ToDoItem &row(int index) { return rows_[size_t(index)]; }
    const ToDoItem &row(int index) const { return rows_[size_t(index)]; }
    bool isEmpty() const;

    // The file's bytes: five lines per row for every row, the spacer always
    // written empty.
    QByteArray toFileBytes() const;
    // Fills the rows from the start of the file: five fields a row, at most
    // kRowCount rows; rows the file does not reach keep their contents, as
    // loading over a grid always did.
    void fillFromFileBytes(QByteArrayView bytes);

    // The first row with no item, or -1 when every row holds one.
    int firstRowWithoutItem() const;
    // Removes the row; an empty row comes in at the bottom.
    void removeRow(int index);
    // An empty row goes in at index; the last row falls off.
    void insertRow(int index);
    void clear();

    // Sorts by a field (ToDoItem::Field). Items compare ignoring case; dates
    // compare as dates (empty and unreadable dates first). The sort is
    // stable. Rows without an item always end up below the items.
    void sort(int field, bool ascending);

private:
    std::vector<ToDoItem> rows_;
};
