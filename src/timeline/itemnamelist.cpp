#include "timeline/itemnamelist.h"

#include "timeline/quotedlines.h"

namespace {

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString withoutLeadingBlanks(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

} // namespace

QString ItemNameList::slot(int index) const
{
    return index >= 0 && index < kSlotCount ? slots_[size_t(index)] : QString();
}

void ItemNameList::loadFromFileBytes(QByteArrayView bytes)
{
    slots_.fill(QString());
    names_.clear();
    const QStringList lines = QuotedLines::read(bytes);
    for (const QString &line : lines) {
        if (names_.size() >= kSlotCount - 1)
            break;
        const QString name = line.trimmed();
        names_.append(name);
        slots_[size_t(names_.size())] = name;
    }
}

QByteArray ItemNameList::toFileBytes() const
{
    return QuotedLines::write(names_);
}

bool ItemNameList::contains(const QString &text) const
{
    const QString wanted = withoutTrailingBlanks(text);
    const int last = std::min(int(names_.size()) + 2, kSlotCount - 1);
    for (int i = 0; i <= last; ++i) {
        if (QString::compare(withoutTrailingBlanks(slots_[size_t(i)]), wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool ItemNameList::remember(const QString &text)
{
    // A quote would cut the name short in the file.
    const QString name = QuotedLines::storable(text);
    if (name.isEmpty() || contains(name))
        return false;
    int m = int(names_.size()) + 1;
    if (names_.size() == 1 && names_.first().isEmpty())
        m = 1;
    if (m >= kSlotCount)
        return false;
    slots_[size_t(m)] = name;
    syncNames(m);
    return true;
}

bool ItemNameList::remove(const QString &text)
{
    const QString wanted = text.trimmed();
    const int n = int(names_.size());
    // Slot 0 is always empty and never a name: an empty text removes nothing.
    if (n == 0 || wanted.isEmpty())
        return false;
    for (int k = 1; k <= n; ++k) {
        if (QString::compare(slots_[size_t(k)].trimmed(), wanted, Qt::CaseInsensitive) != 0)
            continue;
        for (int i = k; i < n; ++i)
            slots_[size_t(i)] = slots_[size_t(i + 1)];
        slots_[size_t(n)].clear();
        syncNames(n == 1 ? 1 : n - 1);
        return true;
    }
    return false;
}

void ItemNameList::setNames(const QStringList &names)
{
    slots_.fill(QString());
    int count = 0;
    for (const QString &text : names) {
        const QString name = QuotedLines::storable(text);
        if (name.isEmpty() || count >= kSlotCount - 1)
            continue;
        slots_[size_t(++count)] = name;
    }
    syncNames(count);
}

QString ItemNameList::suggestionFor(const QString &text) const
{
    if (text.isEmpty() || text == QLatin1String(" "))
        return {};
    const QString typed = withoutLeadingBlanks(text);
    if (typed.isEmpty())
        return {};
    for (const QString &name : names_) {
        if (name.startsWith(typed, Qt::CaseInsensitive))
            return name;
    }
    return {};
}

void ItemNameList::syncNames(int count)
{
    names_.clear();
    for (int i = 1; i <= count; ++i)
        names_.append(slots_[size_t(i)]);
}
