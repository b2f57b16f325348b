#pragma once

#include "catalogue/workmode.h"

#include <optional>

// Which of the Action Area's Options entries each WorkMode shows, hides,
// enables or disables. Entries a mode leaves alone keep their state (for
// example "&Save" in the safeguard modes follows the chosen view).
namespace OptionsTable {

enum class Entry {
    GridBackgroundSelector,
    CopyToClipboard,
    FontSelect,
    SpellCheck,
    Thesaurus,
    DeleteItemFromGrid,
    ClearGrid,
    InsertRow,
    Print,
    Save,
    ChangeWorksheetButtonTitle,
};
inline constexpr int kEntryCount = 11;

struct EntryState
{
    std::optional<bool> visible;
    std::optional<bool> enabled;
};

// The state of an entry in a WorkMode.
EntryState stateFor(Entry entry, WorkMode workMode);

} // namespace OptionsTable
