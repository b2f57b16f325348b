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

void ToDoList::fillFromFileBytes(QByteArrayView bytes)
{
    const QStringList fields = QuotedLines::read(bytes);
    const qsizetype count = std::min<qsizetype>(fields.size(), kRowCount * ToDoItem::FieldCount);
    for (qsizetype i = 0; i < count; ++i)
        rows_[size_t(i / ToDoItem::FieldCount)].fields[i % ToDoItem::FieldCount] = fields[i];
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
