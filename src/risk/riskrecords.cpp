#include "risk/riskrecords.h"

#include <array>

namespace {

struct KindRow
{
    AssetKind kind;
    const char *key;
    const char *caption;
};

constexpr std::array<KindRow, kAssetKindCount> kKinds = {{
    {AssetKind::Ehr, "ehr", "EHR or practice system"},
    {AssetKind::Server, "server", "Server"},
    {AssetKind::Workstation, "workstation", "Workstation"},
    {AssetKind::Laptop, "laptop", "Laptop"},
    {AssetKind::Mobile, "mobile", "Tablet or phone"},
    {AssetKind::RemovableMedia, "removable-media", "Removable media"},
    {AssetKind::NetworkDevice, "network-device", "Network device"},
    {AssetKind::CloudService, "cloud-service", "Cloud service"},
    {AssetKind::Email, "email", "Email"},
    {AssetKind::BackupMedia, "backup-media", "Backup media"},
    {AssetKind::PaperToElectronic, "paper-to-electronic", "Paper-to-electronic"},
    {AssetKind::Other, "other", "Other"},
}};

struct TreatmentRow
{
    Treatment treatment;
    const char *key;
    const char *caption;
};

constexpr std::array<TreatmentRow, 5> kTreatments = {{
    {Treatment::Undecided, "", ""},
    {Treatment::Mitigate, "mitigate", "Mitigate"},
    {Treatment::Accept, "accept", "Accept"},
    {Treatment::Transfer, "transfer", "Transfer"},
    {Treatment::Avoid, "avoid", "Avoid"},
}};

struct StatusRow
{
    TreatmentStatus status;
    const char *key;
    const char *caption;
};

constexpr std::array<StatusRow, 3> kStatuses = {{
    {TreatmentStatus::Open, "open", "Open"},
    {TreatmentStatus::InProgress, "in-progress", "In progress"},
    {TreatmentStatus::Done, "done", "Done"},
}};

} // namespace

namespace AssetKinds {

QString key(AssetKind kind)
{
    return QString::fromLatin1(kKinds[static_cast<int>(kind)].key);
}

QString caption(AssetKind kind)
{
    return QString::fromLatin1(kKinds[static_cast<int>(kind)].caption);
}

std::optional<AssetKind> fromText(const QString &text)
{
    const QString t = text.simplified();
    for (const KindRow &row : kKinds) {
        if (t.compare(QLatin1String(row.key), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String(row.caption), Qt::CaseInsensitive) == 0)
            return row.kind;
    }
    return std::nullopt;
}

QList<AssetKind> all()
{
    QList<AssetKind> kinds;
    for (const KindRow &row : kKinds)
        kinds << row.kind;
    return kinds;
}

} // namespace AssetKinds

namespace Treatments {

QString key(Treatment t) { return QString::fromLatin1(kTreatments[static_cast<int>(t)].key); }
QString caption(Treatment t) { return QString::fromLatin1(kTreatments[static_cast<int>(t)].caption); }

std::optional<Treatment> fromText(const QString &text)
{
    const QString t = text.simplified();
    for (const TreatmentRow &row : kTreatments) {
        if (t.compare(QLatin1String(row.key), Qt::CaseInsensitive) == 0)
            return row.treatment;
    }
    return std::nullopt;
}

QString statusKey(TreatmentStatus s) { return QString::fromLatin1(kStatuses[static_cast<int>(s)].key); }
QString statusCaption(TreatmentStatus s) { return QString::fromLatin1(kStatuses[static_cast<int>(s)].caption); }

std::optional<TreatmentStatus> statusFromText(const QString &text)
{
    const QString t = text.simplified();
    for (const StatusRow &row : kStatuses) {
        if (t.compare(QLatin1String(row.key), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String(row.caption), Qt::CaseInsensitive) == 0)
            return row.status;
    }
    return std::nullopt;
}

} // namespace Treatments
