#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

struct ReplacementPair
{
    QString misspelling;
    QString correction;
    friend bool operator==(const ReplacementPair &, const ReplacementPair &) = default;
};

// The spell checker's list of automatic replacements, in registration order:
// the common misspellings, then the end marker that closes the part of the
// list a to-do change-all walks.
class ReplacementList
{
public:
    static inline const QString kEndMarker = QStringLiteral("TheEnd1");

    void add(const QString &misspelling, const QString &correction);
    int count() const { return int(entries_.size()); }
    const ReplacementPair &entry(int index) const { return entries_.at(index); }
    const QList<ReplacementPair> &entries() const { return entries_; }

    // Adds the common misspellings, once: a second call changes nothing.
    void registerAutoCorrect();
    bool autoCorrectRegistered() const { return autoCorrectRegistered_; }
    // Adds the end marker pair unless the list holds one already.
    void addEndMarker();
    static bool isEndMarker(const ReplacementPair &pair);
    // The entries from the first up to (not including) the first end marker.
    QList<ReplacementPair> entriesBeforeEndMarker() const;

    // The correction of a word, or of a phrase of several words, as typed:
    // exactly as listed, or with a leading capital (the correction then gets
    // one too). The end marker corrects nothing.
    std::optional<QString> correctionFor(const QString &text) const;
    // The listed misspellings made of several words ("their are").
    const QList<ReplacementPair> &phrases() const { return phrases_; }

private:
    QList<ReplacementPair> entries_;
    QHash<QString, QString> lookup_;
    QList<ReplacementPair> phrases_;
    bool autoCorrectRegistered_ = false;
};

// The replacement with the capital of the word it replaces: a found word that
// starts with a capital gives a correction that starts with one.
QString matchLeadingCapital(const QString &correction, const QString &found);
