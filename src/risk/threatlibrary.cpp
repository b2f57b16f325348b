#include "risk/threatlibrary.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

bool ThreatLibrary::parse(const QByteArray &json, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        m_entries.clear();
        return false;
    };
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull())
        return fail(parseError.errorString());
    const QJsonArray threats = document.object().value(QLatin1String("threats")).toArray();
    if (threats.isEmpty())
        return fail(QStringLiteral("no threats listed"));
    m_entries.clear();
    for (const QJsonValue &value : threats) {
        const QJsonObject object = value.toObject();
        ThreatEntry entry;
        entry.id = object.value(QLatin1String("id")).toString();
        entry.threat = object.value(QLatin1String("threat")).toString().trimmed();
        if (entry.id.isEmpty() || entry.threat.isEmpty())
            return fail(QStringLiteral("entry %1 has no id or threat").arg(m_entries.size() + 1));
        for (const QJsonValue &kind : object.value(QLatin1String("kinds")).toArray()) {
            const auto parsed = AssetKinds::fromText(kind.toString());
            if (!parsed)
                return fail(QStringLiteral("%1: unknown asset kind \"%2\"").arg(entry.id, kind.toString()));
            entry.kinds << *parsed;
        }
        for (const QJsonValue &v : object.value(QLatin1String("vulnerabilities")).toArray())
            entry.vulnerabilities << v.toString();
        for (const QJsonValue &s : object.value(QLatin1String("safeguards")).toArray()) {
            const int no = s.toInt(-1);
            if (no < 0 || no > 46)
                return fail(QStringLiteral("%1: SafeguardNo out of range").arg(entry.id));
            entry.safeguards << no;
        }
        m_entries << entry;
    }
    return true;
}

bool ThreatLibrary::load(const QString &contentDir, QString *error)
{
    QFile file(QDir(contentDir).filePath(QString::fromLatin1(kFileName)));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        return false;
    }
    QString why;
    if (!parse(file.readAll(), &why)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.fileName()), why);
        return false;
    }
    return true;
}

QList<ThreatEntry> ThreatLibrary::entriesFor(AssetKind kind) const
{
    QList<ThreatEntry> found;
    for (const ThreatEntry &entry : m_entries) {
        if (entry.kinds.contains(kind))
            found << entry;
    }
    return found;
}

Risk ThreatLibrary::draftRisk(const ThreatEntry &entry, const RiskAsset &asset, const QDate &today)
{
    Risk risk;
    risk.assetId = asset.id;
    risk.threat = entry.threat;
    risk.vulnerability = entry.vulnerabilities.join(QStringLiteral("; "));
    risk.safeguards = entry.safeguards;
    std::sort(risk.safeguards.begin(), risk.safeguards.end());
    risk.likelihood = 3;
    risk.impact = 3;
    risk.identifiedOn = today;
    return risk;
}
