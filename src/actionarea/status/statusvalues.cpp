#include "actionarea/status/statusvalues.h"

namespace StatusValues {

std::optional<RecordBlock> recordBlockFor(WorkMode mode)
{
    switch (mode) {
    case WorkMode::Administrative: return RecordBlock{1, 23};
    case WorkMode::Physical: return RecordBlock{24, 10};
    case WorkMode::Technical: return RecordBlock{34, 9};
    case WorkMode::Organizational: return RecordBlock{43, 3};   // Organizational Requirements
    case WorkMode::Documentation: return RecordBlock{46, 2};    // Policies and Procedures, Documentation
    case WorkMode::Worksheets: return RecordBlock{48, 21};      // risk analysis worksheets
    case WorkMode::Standards:
    case WorkMode::Timeline:
    case WorkMode::RecoveryPlan:
    case WorkMode::Sample:
    case WorkMode::RiskRegister:
        break;
    }
    return std::nullopt;
}

std::optional<int> statusRecordFor(WorkMode mode, int buttonIndex)
{
    const auto block = recordBlockFor(mode);
    if (!block || buttonIndex < 0 || buttonIndex >= block->count)
        return std::nullopt;
    return block->firstRecord + buttonIndex;
}

} // namespace StatusValues
