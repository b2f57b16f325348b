#include "timeline/todolist.h"

#include "timeline/quotedlines.h"
#include "timeline/tododate.h"

#include <QStringList>

#include <algorithm>
#include <limits>

ToDoList::ToDoList()
    : rows_(kRowCount)
{
}

bool ToDoList::isEmpty() const
{
    return std::none_of(rows_.begin(), rows_.end(), [](const ToDoItem &item) { return item.hasItem(); });
}

QByteArray ToDoList::toFileBytes() const
{
    QStringList fields;
    fields.reserve(kRowCount * ToDoItem::FieldCount);
    for (const ToDoItem &row : rows_) {
        for (int field = 0; field < ToDoItem::FieldCount; ++field)
            fields.append(field == ToDoItem::Spacer ? QString() : row.fields[field]);
    }
    return QuotedLines::write(fields);
}

namespace {

bool isDateField(const QString &field)
{
    return field.trimmed().isEmpty() || ToDoDate::parse(field).isValid();
}

// Whether five fields can be one row as the program writes it: the spacer
// empty, the three dates empty or dates, and (when strict) an item that is
// not itself a date.
bool fitsRow(const std::array<QString, ToDoItem::FieldCount> &row, bool strict)
{
    return row[ToDoItem::Spacer].trimmed().isEmpty() && isDateField(row[ToDoItem::ToDoDate])
           && isDateField(row[ToDoItem::ActualDate]) && isDateField(row[ToDoItem::NextReviewDate])
           && (!strict || row[ToDoItem::Item].trimmed().isEmpty() || !ToDoDate::parse(row[ToDoItem::Item]).isValid());
}

// The row at fields[at], with the field `missing` (0-4) taken as lost from
// the file (empty) when given; fields past the end read as empty.
std::array<QString, ToDoItem::FieldCount> rowAt(const QStringList &fields, qsizetype at, int missing = -1)
{
    std::array<QString, ToDoItem::FieldCount> row;
    qsizetype next = at;
    for (int field = 0; field < ToDoItem::FieldCount; ++field) {
        if (field == missing)
            continue;
        if (next < fields.size())
            row[size_t(field)] = fields[next];
        ++next;
    }
    return row;
}

bool nextRowFits(const QStringList &fields, qsizetype at)
{
    return at >= fields.size() || fitsRow(rowAt(fields, at), true);
}

} // namespace

void ToDoList::fillFromFileBytes(QByteArrayView bytes)
{
    const QStringList fields = QuotedLines::read(bytes);
    // A file as the program writes it holds five lines a row. When lines are
    // missing (a damaged or hand-edited file), each lost line would shift
    // every later field by one, putting dates in the spacer, which the next
    // save writes empty. So, for as many lines as are missing, a row that
    // does not fit is read as four lines with the one missing that lets it
    // and the next row fit.
    qsizetype missingLines = (ToDoItem::FieldCount - fields.size() % ToDoItem::FieldCount) % ToDoItem::FieldCount;
    qsizetype at = 0;
    for (int row = 0; row < kRowCount && at < fields.size(); ++row) {
        std::array<QString, ToDoItem::FieldCount> taken = rowAt(fields, at);
        qsizetype used = ToDoItem::FieldCount;
        if (missingLines > 0 && !(fitsRow(taken, true) && nextRowFits(fields, at + used))) {
            for (int missing = 0; missing < ToDoItem::FieldCount; ++missing) {
                const std::array<QString, ToDoItem::FieldCount> candidate = rowAt(fields, at, missing);
                if (fitsRow(candidate, true) && nextRowFits(fields, at + ToDoItem::FieldCount - 1)) {
                    taken = candidate;
                    used = ToDoItem::FieldCount - 1;
                    --missingLines;
                    break;
                }
            }
        }
        // Fields the file does not reach keep their contents; a row read with
        // a line missing is whole.
        const qsizetype reached = used < ToDoItem::FieldCount ? qsizetype(ToDoItem::FieldCount)
                                                               : std::min<qsizetype>(used, fields.size() - at);
        for (qsizetype field = 0; field < reached; ++field)
            rows_[size_t(row)].fields[size_t(field)] = taken[size_t(field)];
        at += used;
    }
}

int ToDoList::firstRowWithoutItem() const
{
    for (int i = 0; i < kRowCount; ++i) {
        // Blanks left after the item are not an item.
        if (rows_[size_t(i)].item().trimmed().isEmpty())
            return i;
    }
    return -1;
}

void ToDoList::removeRow(int index)
{
    if (index < 0 || index >= kRowCount)
        return;
    rows_.erase(rows_.begin() + index);
    rows_.emplace_back();
}

void ToDoList::insertRow(int index)
{
    if (index < 0 || index >= kRowCount)
        return;
    rows_.insert(rows_.begin() + index, ToDoItem());
    rows_.pop_back();
}

void ToDoList::clear()
{
    rows_.assign(kRowCount, ToDoItem());
}

void ToDoList::sort(int field, bool ascending)
{
    if (field < 0 || field >= ToDoItem::FieldCount)
        return;
    const bool byDate = field == ToDoItem::ToDoDate || field == ToDoItem::ActualDate
        || field == ToDoItem::NextReviewDate;

    struct Keyed
    {
        qint64 day;
        QString text;
        size_t index;
    };
    std::vector<Keyed> keys;
    keys.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QString &text = rows_[i].fields[size_t(field)];
        qint64 day = std::numeric_limits<qint64>::min();
        if (byDate) {
            const QDate date = ToDoDate::parse(text);
            if (date.isValid())
                day = date.toJulianDay();
        }
        keys.push_back({day, byDate ? QString() : text.trimmed(), i});
    }
    auto less = [](const Keyed &a, const Keyed &b) {
        if (a.day != b.day)
            return a.day < b.day;
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    };
    if (ascending)
        std::stable_sort(keys.begin(), keys.end(), less);
    else
        std::stable_sort(keys.begin(), keys.end(), [&](const Keyed &a, const Keyed &b) { return less(b, a); });

    std::vector<ToDoItem> sorted;
    sorted.reserve(rows_.size());
    for (const Keyed &key : keys)
        sorted.push_back(std::move(rows_[key.index]));
    rows_ = std::move(sorted);

    // Rows without an item go below the items, and those that still hold a
    // date come right after them, so the list reads from the top and
    // nothing is lost.
    const auto dated = std::stable_partition(rows_.begin(), rows_.end(), [](const ToDoItem &r) { return r.hasItem(); });
    std::stable_partition(dated, rows_.end(), [](const ToDoItem &r) {
        return std::any_of(r.fields.begin(), r.fields.end(), [](const QString &f) { return !f.trimmed().isEmpty(); });
    });
}
