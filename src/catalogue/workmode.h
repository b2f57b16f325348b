#pragma once

#include <array>

// The Action Area's modes, one per navigation button, in button order. The
// numbers are those the program and its help pages have always used.
//
// Adding a mode: one enumerator here (kWorkModeCount follows the last one),
// then one row in each table keyed by WorkMode. Those tables are switches
// without a default case, so the compiler names every rule that does not yet
// say what the new mode does: the predicates below, the options table's
// column (actionarea/optionstable.cpp), the navigation caption, caption and
// help topic (actionarea/actionarea.cpp, actionarea/workmodes.cpp), the entry
// templates and the status records.
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
    RiskRegister = 10,
    Last = RiskRegister,
};

inline constexpr int kWorkModeCount = static_cast<int>(WorkMode::Last) + 1;

constexpr int toInt(WorkMode mode) { return static_cast<int>(mode); }
constexpr WorkMode workModeFromInt(int n) { return static_cast<WorkMode>(n); }
constexpr bool isValidWorkMode(int n) { return n >= 0 && n < kWorkModeCount; }

// Every mode, in button order.
constexpr std::array<WorkMode, kWorkModeCount> allWorkModes()
{
    std::array<WorkMode, kWorkModeCount> modes{};
    for (int n = 0; n < kWorkModeCount; ++n)
        modes[n] = workModeFromInt(n);
    return modes;
}

// WorkModes 2-6 show a safeguard group and its workspace.
constexpr bool isSafeguardGroupMode(WorkMode mode)
{
    switch (mode) {
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
        return true;
    case WorkMode::Standards:
    case WorkMode::Timeline:
    case WorkMode::Worksheets:
    case WorkMode::RecoveryPlan:
    case WorkMode::Sample:
    case WorkMode::RiskRegister:
        return false;
    }
    return false;
}

// The position of a safeguard group mode among the groups (Administrative 0
// ... Documentation 4); -1 for the other modes.
constexpr int safeguardGroupIndex(WorkMode mode)
{
    return isSafeguardGroupMode(mode) ? toInt(mode) - toInt(WorkMode::Administrative) : -1;
}

// The modes that show the safeguard workspace (editor, views, commands):
// the groups, the worksheets, the recovery plan and the sample. The risk
// register has a panel of its own.
constexpr bool showsWorkspace(WorkMode mode)
{
    switch (mode) {
    case WorkMode::Standards:
    case WorkMode::Timeline:
    case WorkMode::RiskRegister:
        return false;
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::Worksheets:
    case WorkMode::RecoveryPlan:
    case WorkMode::Sample:
        return true;
    }
    return false;
}

// The modes whose workspace carries a status box with a list of statuses
// (a safeguard's or a worksheet's).
constexpr bool hasStatusList(WorkMode mode)
{
    return showsWorkspace(mode) && mode != WorkMode::RecoveryPlan;
}
