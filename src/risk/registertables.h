#pragma once

#include "platform/spreadsheet/spreadsheet.h"

class RiskStore;

// The register as the tables of its spreadsheet export: "Assets", "Risks"
// and "Business associates", one row per record, dates as dates, levels by
// name. The Assets table's header is also what the CSV import reads, so an
// exported inventory imports again unchanged.
namespace RegisterTables {

QStringList assetHeader();
SpreadsheetTable assets(const RiskStore &store);
SpreadsheetTable risks(const RiskStore &store);
SpreadsheetTable associates(const RiskStore &store);

// The safeguards of a risk by their names, "; " between them.
QString safeguardNames(const QList<int> &safeguardNos);

// Writes the register to out: an .xlsx with one sheet per table, or, for
// any other name, one CSV file per table named from out ("reg.csv" gives
// "reg-assets.csv", "reg-risks.csv", "reg-business-associates.csv"). Each
// file is written completely or not at all. False with *error.
bool write(const RiskStore &store, const QString &out, QStringList *written = nullptr, QString *error = nullptr);
// The CSV file names write() uses for out.
QStringList csvPaths(const QString &out);

} // namespace RegisterTables
