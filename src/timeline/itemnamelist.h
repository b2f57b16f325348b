#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// The item names used before, kept in TODONAME.Fil and offered in the item
// drop-down. Slots 1 to n hold the names in file order; slot 0 and the
// slots above n stay empty. The drop-down shows names() in the same order.
// A list whose last name was deleted keeps one empty entry (n stays 1),
// which the next added name replaces.
class ItemNameList
{
public:
    static constexpr int kSlotCount = 1001;
    static inline const QString kFileName = QStringLiteral("TODONAME.Fil");
    static inline const QString kLocationFileName = QStringLiteral("Location.Fil");

    // The drop-down's entries, slots 1 to n.
    const QStringList &names() const { return names_; }
    QString slot(int index) const;

    // Names read from the file, each trimmed of blanks.
    void loadFromFileBytes(QByteArrayView bytes);
    QByteArray toFileBytes() const;

    // Whether a name equal to text (ignoring case and trailing blanks) is
    // already kept.
    bool contains(const QString &text) const;
    // Keeps text as a new name unless it is empty or already kept. True when
    // the list changed and the file must be rewritten.
    bool remember(const QString &text);
    // Removes the first name equal to text (blanks on both sides and case
    // ignored). True when the list changed.
    bool remove(const QString &text);
    // Replaces the whole list (a corrected name taking the place of the old
    // one). Empty names are dropped; the list keeps at most 1000 names.
    void setNames(const QStringList &names);
    // The first name, from the top, that begins with text (leading blanks
    // of text removed, case ignored); empty while text is empty or a single
    // blank.
    QString suggestionFor(const QString &text) const;

private:
    void syncNames(int count);

    std::array<QString, kSlotCount> slots_;
    QStringList names_;
};
