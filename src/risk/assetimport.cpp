#include "risk/assetimport.h"

#include "risk/csvreader.h"
#include <QHash>

namespace AssetImport {

namespace {

enum Field { Name, Kind, Location, Owner, Ephi, Records, Creates, Receives, Maintains, Transmits, Associate, Notes, Retired };

// Lower case without spaces, '-', '_' or '.'.
QString squeeze(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c.isLetterOrNumber())
            out += c.toLower();
    }
    return out;
}

const QHash<QString, int> &columnNames()
{
    static const QHash<QString, int> names = [] {
        QHash<QString, int> h;
        const QStringList header = knownColumns();
        for (int i = 0; i < header.size(); ++i)
            h.insert(squeeze(header.at(i)), i);
        h.insert(QStringLiteral("assetname"), Name);
        h.insert(QStringLiteral("asset"), Name);
        h.insert(QStringLiteral("type"), Kind);
        h.insert(QStringLiteral("assetkind"), Kind);
        h.insert(QStringLiteral("whatephi"), Ephi);
        h.insert(QStringLiteral("recordcount"), Records);
        h.insert(QStringLiteral("numberofrecords"), Records);
        h.insert(QStringLiteral("associate"), Associate);
        h.insert(QStringLiteral("provider"), Associate);
        h.insert(QStringLiteral("vendor"), Associate);
        h.insert(QStringLiteral("note"), Notes);
        return h;
    }();
    return names;
}

std::optional<bool> flag(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == QLatin1String("no") || t == QLatin1String("n") || t == QLatin1String("false")
        || t == QLatin1String("0"))
        return false;
    if (t == QLatin1String("yes") || t == QLatin1String("y") || t == QLatin1String("true") || t == QLatin1String("1")
        || t == QLatin1String("x"))
        return true;
    return std::nullopt;
}

} // namespace

QStringList knownColumns()
{
    return {QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Location"), QStringLiteral("Owner"),
            QStringLiteral("ePHI"), QStringLiteral("Records"), QStringLiteral("Creates"),
            QStringLiteral("Receives"), QStringLiteral("Maintains"), QStringLiteral("Transmits"),
            QStringLiteral("Business associate"), QStringLiteral("Notes"), QStringLiteral("Retired")};
}

Result parse(const QByteArray &bytes, const QList<BusinessAssociate> &associates)
{
    Result result;
    auto addError = [&](const QString &error) {
        if (result.errors.size() < kMaxErrors)
            result.errors << error;
        else if (result.errors.size() == kMaxErrors)
            result.errors << QStringLiteral("... and more faults not listed");
    };
    const CsvReader::Result csv = CsvReader::parse(CsvReader::decode(bytes));
    for (const QString &error : csv.errors)
        addError(error);
    if (csv.records.isEmpty()) {
        if (result.errors.isEmpty())
            addError(QStringLiteral("line 1: the file is empty; its first line must name the columns (%1)")
                         .arg(knownColumns().join(QStringLiteral(", "))));
        return result;
    }
    const CsvReader::Record &header = csv.records.constFirst();
    QList<int> columns;
    QList<bool> seen(13, false);
    for (const QString &title : header.fields) {
        const int field = columnNames().value(squeeze(title), -1);
        if (field < 0 && !title.trimmed().isEmpty()) {
            addError(QStringLiteral("line %1: unknown column \"%2\"; the columns are %3")
                         .arg(header.line).arg(title.trimmed(), knownColumns().join(QStringLiteral(", "))));
        } else if (field >= 0 && seen[field]) {
            addError(QStringLiteral("line %1: the column \"%2\" appears twice").arg(header.line).arg(title.trimmed()));
        } else if (field >= 0) {
            seen[field] = true;
        }
        columns << field;
    }
    if (!seen[Name])
        addError(QStringLiteral("line %1: no \"Name\" column").arg(header.line));
    if (!result.errors.isEmpty() && csv.records.size() == 1)
        return result;

    QHash<QString, qint64> associateIds;
    for (const BusinessAssociate &b : associates)
        associateIds.insert(b.name.trimmed().toCaseFolded(), b.id);

    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvReader::Record &record = csv.records.at(r);
        if (record.fields.size() > columns.size()) {
            addError(QStringLiteral("line %1: %2 fields, but the header names %3 columns")
                         .arg(record.line).arg(record.fields.size()).arg(columns.size()));
            continue;
        }
        RiskAsset asset;
        bool kindSeen = false;
        const int before = int(result.errors.size());
        for (qsizetype c = 0; c < record.fields.size(); ++c) {
            const QString value = record.fields.at(c);
            const QString trimmed = value.trimmed();
            switch (columns.at(c)) {
            case Name: asset.name = trimmed; break;
            case Kind:
                if (!trimmed.isEmpty()) {
                    if (const auto kind = AssetKinds::fromText(trimmed)) {
                        asset.kind = *kind;
                        kindSeen = true;
                    } else {
                        QStringList captions;
                        for (AssetKind k : AssetKinds::all())
                            captions << AssetKinds::caption(k);
                        addError(QStringLiteral("line %1: unknown kind \"%2\"; the kinds are %3")
                                     .arg(record.line).arg(trimmed, captions.join(QStringLiteral(", "))));
                    }
                }
                break;
            case Location: asset.location = trimmed; break;
            case Owner: asset.owner = trimmed; break;
            case Ephi: asset.ephi = value; break;
            case Records:
                if (!trimmed.isEmpty()) {
                    QString digits = trimmed;
                    digits.remove(QLatin1Char(','));
                    digits.remove(QLatin1Char(' '));
                    bool ok = false;
                    const qint64 count = digits.toLongLong(&ok);
                    if (!ok || count < 0)
                        addError(QStringLiteral("line %1: \"%2\" is not a number of records").arg(record.line).arg(trimmed));
                    else
                        asset.recordCount = count;
                }
                break;
            case Creates:
            case Receives:
            case Maintains:
            case Transmits:
            case Retired: {
                const auto value = flag(trimmed);
                if (!value) {
                    addError(QStringLiteral("line %1: \"%2\" under %3 is neither Yes nor No")
                                 .arg(record.line).arg(trimmed, knownColumns().at(columns.at(c))));
                    break;
                }
                bool *target = columns.at(c) == Creates    ? &asset.creates
                               : columns.at(c) == Receives ? &asset.receives
                               : columns.at(c) == Maintains ? &asset.maintains
                               : columns.at(c) == Transmits ? &asset.transmits
                                                            : &asset.retired;
                *target = *value;
                break;
            }
            case Associate:
                if (!trimmed.isEmpty()) {
                    const qint64 id = associateIds.value(trimmed.toCaseFolded(), 0);
                    if (id == 0)
                        addError(QStringLiteral("line %1: no business associate called \"%2\"; add it first")
                                     .arg(record.line).arg(trimmed));
                    asset.associateId = id;
                }
                break;
            case Notes: asset.notes = value; break;
            default: break;
            }
        }
        if (asset.name.isEmpty())
            addError(QStringLiteral("line %1: the asset has no name").arg(record.line));
        if (!kindSeen && asset.kind == AssetKind::Other) {
            // No kind given: Other, which is a kind of its own.
        }
        if (int(result.errors.size()) == before)
            result.assets << asset;
    }
    if (!result.errors.isEmpty())
        result.assets.clear();
    else if (result.assets.isEmpty())
        addError(QStringLiteral("line %1: the file names its columns but holds no assets").arg(header.line));
    return result;
}

} // namespace AssetImport
