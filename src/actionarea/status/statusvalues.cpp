#include "actionarea/status/statusvalues.h"

namespace StatusValues {

std::optional<RecordBlock> recordBlockFor(int mode)
{
    switch (mode) {
    case 2: return RecordBlock{1, 23};   // Administrative
    case 3: return RecordBlock{24, 10};  // Physical
    case 4: return RecordBlock{34, 9};   // Technical
    case 5: return RecordBlock{43, 3};   // Organizational Requirements
    case 6: return RecordBlock{46, 2};   // Policies and Procedures, Documentation
    case 7: return RecordBlock{48, 21};  // risk analysis worksheets
    default: return std::nullopt;        // standards, timeline, recovery plan, sample
    }
}

std::optional<int> statusRecordFor(int mode, int buttonIndex)
{
    const auto block = recordBlockFor(mode);
    if (!block || buttonIndex < 0 || buttonIndex >= block->count)
        return std::nullopt;
    return block->firstRecord + buttonIndex;
}

} // namespace StatusValues
