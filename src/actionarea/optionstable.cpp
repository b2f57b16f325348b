#include "actionarea/optionstable.h"

#include <array>

namespace OptionsTable {
namespace {

// The columns of the table: modes 0, 1, the safeguard modes 2-6 with the
// sample 9, the risk worksheets 7, the disaster recovery plan 8, the risk
// register 10 (whose panel saves its forms with buttons of its own).
enum Column { Standards, Timeline, Safeguards, Worksheets, RecoveryPlan, RiskRegister, ColumnCount };

constexpr std::optional<bool> kKeep = std::nullopt;
constexpr EntryState kShown{true, kKeep};
constexpr EntryState kHidden{false, kKeep};
constexpr EntryState kShownEnabled{true, true};
constexpr EntryState kShownDisabled{true, false};
constexpr EntryState kHiddenDisabled{false, false};
constexpr EntryState kEnabled{kKeep, true};
constexpr EntryState kDisabled{kKeep, false};

struct Row
{
    Entry entry;
    std::array<EntryState, ColumnCount> states;
};

constexpr std::array<Row, kEntryCount> kTable = {{
    //                                   0          1                2-6, 9           7               8               10
    {Entry::GridBackgroundSelector, {kShown, kShown, kHidden, kHidden, kHidden, kHidden}},
    {Entry::CopyToClipboard, {kHidden, kHidden, kShown, kShown, kShown, kHidden}},
    {Entry::FontSelect, {kHidden, kHidden, kShown, kShownDisabled, kShownEnabled, kHiddenDisabled}},
    {Entry::SpellCheck, {kHidden, kShownEnabled, kShown, kShownDisabled, kShownEnabled, kHiddenDisabled}},
    {Entry::Thesaurus, {kHidden, kHidden, kShown, kShownDisabled, kShownEnabled, kHiddenDisabled}},
    {Entry::DeleteItemFromGrid, {kHidden, kShown, kHidden, kHidden, kHidden, kHidden}},
    {Entry::ClearGrid, {kHidden, kShown, kHidden, kHidden, kHidden, kHidden}},
    {Entry::InsertRow, {kHidden, kShown, kHidden, kHidden, kHidden, kHidden}},
    {Entry::Print, {kEnabled, kEnabled, kDisabled, kDisabled, kEnabled, kEnabled}},
    {Entry::Save, {kHidden, kHiddenDisabled, kShown, kShownDisabled, kShownEnabled, kHiddenDisabled}},
    {Entry::ChangeWorksheetButtonTitle, {kHidden, kHidden, kHidden, kShown, kHidden, kHidden}},
}};

std::optional<Column> columnFor(WorkMode workMode)
{
    switch (workMode) {
    case WorkMode::Standards: return Standards;
    case WorkMode::Timeline: return Timeline;
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::Sample: return Safeguards;
    case WorkMode::Worksheets: return Worksheets;
    case WorkMode::RecoveryPlan: return RecoveryPlan;
    case WorkMode::RiskRegister: return RiskRegister;
    }
    return std::nullopt;
}

} // namespace

EntryState stateFor(Entry entry, WorkMode workMode)
{
    const std::optional<Column> column = columnFor(workMode);
    if (!column)
        return {};
    for (const Row &row : kTable) {
        if (row.entry == entry)
            return row.states[*column];
    }
    return {};
}

} // namespace OptionsTable
