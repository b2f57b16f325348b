#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The records of the risk register as the program holds them. Ids are the
// database's; 0 means "not stored yet" (and, for a reference, "none").

enum class AssetKind {
    Ehr, Server, Workstation, Laptop, Mobile, RemovableMedia, NetworkDevice, CloudService,
    Email, BackupMedia, PaperToElectronic, Other,
};
inline constexpr int kAssetKindCount = 12;

namespace AssetKinds {
// The database's key ("ehr", "removable-media", ...).
QString key(AssetKind kind);
// The caption shown ("EHR or practice system", "Removable media", ...).
QString caption(AssetKind kind);
// The kind for a key or a caption (case-insensitive); nullopt when none.
std::optional<AssetKind> fromText(const QString &text);
QList<AssetKind> all();
} // namespace AssetKinds

struct RiskAsset
{
    qint64 id = 0;
    QString name;
    AssetKind kind = AssetKind::Other;
    QString location;
    QString owner;
    QString ephi;                       // what ePHI it holds
    std::optional<qint64> recordCount;  // roughly how many records
    bool creates = false;
    bool receives = false;
    bool maintains = false;
    bool transmits = false;
    qint64 associateId = 0;             // the business associate providing it
    QString notes;
    bool retired = false;               // kept, shown struck through

    friend bool operator==(const RiskAsset &, const RiskAsset &) = default;
};

struct BusinessAssociate
{
    qint64 id = 0;
    QString name;
    QString service;
    QString ephi;
    QString contact;
    QDate baaSignedOn;
    QDate baaReviewOn;     // the BAA's next review
    QString notes;

    friend bool operator==(const BusinessAssociate &, const BusinessAssociate &) = default;
};

enum class Treatment { Undecided, Mitigate, Accept, Transfer, Avoid };
enum class TreatmentStatus { Open, InProgress, Done };

namespace Treatments {
QString key(Treatment t);          // "", "mitigate", ...
QString caption(Treatment t);      // "", "Mitigate", ...
std::optional<Treatment> fromText(const QString &text);
QString statusKey(TreatmentStatus s);      // "open", "in-progress", "done"
QString statusCaption(TreatmentStatus s);  // "Open", "In progress", "Done"
std::optional<TreatmentStatus> statusFromText(const QString &text);
} // namespace Treatments

struct Risk
{
    qint64 id = 0;
    qint64 assetId = 0;           // 0: the whole organization
    QString threat;
    QString vulnerability;
    QString currentMeasures;
    QList<int> safeguards;        // SafeguardNos 0-46 (the catalogue's), ascending
    int likelihood = 3;
    int impact = 3;
    Treatment treatment = Treatment::Undecided;
    QString plannedMeasures;
    QString owner;
    QDate dueOn;
    TreatmentStatus status = TreatmentStatus::Open;
    int residualLikelihood = 0;   // 0: not assessed
    int residualImpact = 0;
    QString acceptedBy;
    QDate acceptedOn;
    QDate identifiedOn;
    QDate reviewedOn;

    friend bool operator==(const Risk &, const Risk &) = default;
};

struct AnalysisDetails
{
    QString scope;
    QString method;
    QString preparedBy;
    QString approvedBy;
    QDate approvedOn;
    QDate lastFullReviewOn;

    friend bool operator==(const AnalysisDetails &, const AnalysisDetails &) = default;
};

// Who an evidence file belongs to.
enum class EvidenceOwner { Asset, Associate, Risk, Safeguard };

struct EvidenceItem
{
    qint64 id = 0;
    EvidenceOwner ownerKind = EvidenceOwner::Asset;
    qint64 ownerId = 0;           // the asset, associate or risk id, or the SafeguardNo
    QString storedName;           // its file in Evidence/
    QString originalName;
    qint64 size = 0;
    QString sha256;               // lower-case hex
    QDateTime addedAt;            // UTC
    QString note;
};
