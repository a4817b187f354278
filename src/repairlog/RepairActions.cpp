#include "repairlog/RepairActions.h"

namespace dorvik {

std::string_view ActionText(RepairAction action) noexcept {
    switch (action) {
    case RepairAction::Replaced:
        return "Replaced";
    case RepairAction::Resoldered:
        return "Resoldered";
    case RepairAction::Reflowed:
        return "Reflowed";
    case RepairAction::SolderBridgeRemoved:
        return "Solder bridge removed";
    case RepairAction::Cleaned:
        return "Cleaned";
    case RepairAction::Reseated:
        return "Reseated";
    case RepairAction::NoFaultFound:
        return FalseCallAction;
    case RepairAction::Scrapped:
        return "Scrapped";
    case RepairAction::SentToEngineering:
        return "Sent to engineering";
    }
    return "Replaced";
}

std::optional<RepairAction> ActionFromText(std::string_view text) noexcept {
    for (const RepairAction action : AllRepairActions) {
        if (ActionText(action) == text) {
            return action;
        }
    }
    return std::nullopt;
}

std::string_view ResultOf(RepairAction action) noexcept {
    switch (action) {
    case RepairAction::Scrapped:
        return "Scrap";
    case RepairAction::SentToEngineering:
        return "UnableToRepair";
    default:
        return "RepairSuccessful";
    }
}

} // namespace dorvik
