#pragma once

#include "risk/riskrecords.h"

#include <QList>
#include <QString>
#include <QStringList>

// The shipped threat library (content/risk/threats.json): common threats to
// a small practice's ePHI, each with the kinds of asset it applies to, the
// vulnerabilities that usually let it happen and the SafeguardNos whose
// measures address it. "Suggest risks" offers an asset the entries for its
// kind; the chosen ones become risks the user then assesses.
struct ThreatEntry
{
    QString id;
    QString threat;
    QList<AssetKind> kinds;
    QStringList vulnerabilities;
    QList<int> safeguards;
};

class ThreatLibrary
{
public:
    static constexpr const char *kFileName = "risk/threats.json";

    // Reads the library from bytes; false with *error when it is not one.
    bool parse(const QByteArray &json, QString *error = nullptr);
    // Reads contentDir/risk/threats.json.
    bool load(const QString &contentDir, QString *error = nullptr);

    const QList<ThreatEntry> &entries() const { return m_entries; }
    QList<ThreatEntry> entriesFor(AssetKind kind) const;

    // A new, unsaved risk for asset from entry: the threat, its typical
    // vulnerabilities, its safeguards, identified today, levels left at
    // Moderate for the user to assess.
    static Risk draftRisk(const ThreatEntry &entry, const RiskAsset &asset, const QDate &today);

private:
    QList<ThreatEntry> m_entries;
};
