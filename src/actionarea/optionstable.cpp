#include "actionarea/optionstable.h"

#include <array>

namespace OptionsTable {
namespace {

// The columns of the table: modes 0, 1, the safeguard modes 2-6 with the
// sample 9, the risk worksheets 7, the disaster recovery plan 8.
enum Column { Standards, Timeline, Safeguards, Worksheets, RecoveryPlan, ColumnCount };

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
    //                                   0          1                2-6, 9           7               8
    {Entry::GridBackgroundSelector, {kShown, kShown, kHidden, kHidden, kHidden}},
    {Entry::CopyToClipboard, {kHidden, kHidden, kShown, kShown, kShown}},
    {Entry::FontSelect, {kHidden, kHidden, kShown, kShownDisabled, kShownEnabled}},
    {Entry::SpellCheck, {kHidden, kShownEnabled, kShown, kShownDisabled, kShownEnabled}},
    {Entry::Thesaurus, {kHidden, kHidden, kShown, kShownDisabled, kShownEnabled}},
    {Entry::DeleteItemFromGrid, {kHidden, kShown, kHidden, kHidden, kHidden}},
    {Entry::ClearGrid, {kHidden, kShown, kHidden, kHidden, kHidden}},
    {Entry::InsertRow, {kHidden, kShown, kHidden, kHidden, kHidden}},
    {Entry::Print, {kEnabled, kEnabled, kDisabled, kDisabled, kEnabled}},
    {Entry::Save, {kHidden, kHiddenDisabled, kShown, kShownDisabled, kShownEnabled}},
    {Entry::ChangeWorksheetButtonTitle, {kHidden, kHidden, kHidden, kShown, kHidden}},
}};

std::optional<Column> columnFor(int workMode)
{
    switch (workMode) {
    case 0: return Standards;
    case 1: return Timeline;
    case 2: case 3: case 4: case 5: case 6: case 9: return Safeguards;
    case 7: return Worksheets;
    case 8: return RecoveryPlan;
    default: return std::nullopt;
    }
}

} // namespace

EntryState stateFor(Entry entry, int workMode)
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
