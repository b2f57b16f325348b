#pragma once

#include "risk/riskrecords.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class RiskStore;

// Assets from a CSV file: the first record names the columns (matched to
// the asset's fields ignoring case, spaces and the punctuation of the
// export's own header), every later record is one asset. Nothing is
// imported unless every record reads: the faults are listed with their line
// numbers instead.
namespace AssetImport {

struct Result
{
    QList<RiskAsset> assets;
    QStringList errors;      // "line N: why"; empty when the file read cleanly
    bool ok() const { return errors.isEmpty(); }
};

// Reads bytes; associates are matched by name (case-insensitive) against
// the given list. At most kMaxErrors faults are listed, then a count.
inline constexpr int kMaxErrors = 100;
Result parse(const QByteArray &bytes, const QList<BusinessAssociate> &associates);

// Reads the file and, when it reads cleanly, adds every asset in one
// transaction. *count is the number added; errors as above, or the file's
// or the database's failure.
Result importFile(RiskStore &store, const QString &path);

// The column names the import knows, in the order the export writes them.
QStringList knownColumns();

} // namespace AssetImport
