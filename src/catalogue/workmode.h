#pragma once

#include <array>

// The Action Area's modes, one per navigation button, in button order. The
// numbers are those the program and its help pages have always used.
enum class WorkMode {
    Standards = 0,
    Timeline = 1,
    Administrative = 2,
    Physical = 3,
    Technical = 4,
    Organizational = 5,
    Documentation = 6,
    Worksheets = 7,
    RecoveryPlan = 8,
    Sample = 9,
};

inline constexpr int kWorkModeCount = 10;

constexpr int toInt(WorkMode mode) { return static_cast<int>(mode); }
constexpr WorkMode workModeFromInt(int n) { return static_cast<WorkMode>(n); }
constexpr bool isValidWorkMode(int n) { return n >= 0 && n < kWorkModeCount; }
// WorkModes 2-6 show a safeguard group and its workspace.
constexpr bool isSafeguardGroupMode(WorkMode mode)
{
    return mode >= WorkMode::Administrative && mode <= WorkMode::Documentation;
}
