#pragma once

#include <QDate>

class RiskStore;

// A realistic register of a small clinic: a dozen assets, thirty risks, four
// business associates, analysis details. Dates are relative to today so the
// overdue and due-for-review cases stay the same on every run.
namespace ClinicRegister {

// Fills an empty store; false when any save fails.
bool fill(RiskStore &store, const QDate &today);

// A large register for benchmarks: assets, risks and associates as asked.
bool fillLarge(RiskStore &store, const QDate &today, int assets, int risks, int associates);

} // namespace ClinicRegister
