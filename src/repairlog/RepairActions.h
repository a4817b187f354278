#pragma once
// What the operator did to a fault, and the result each action stands for in the repair
// messages a line exchanges (IPC-CFX's RepairResult).

#include <array>
#include <optional>
#include <string_view>

namespace dorvik {

enum class RepairAction {
    Replaced,
    Resoldered,
    Reflowed,
    SolderBridgeRemoved,
    Cleaned,
    Reseated,
    NoFaultFound,
    Scrapped,
    SentToEngineering,
};

inline constexpr std::array AllRepairActions{
    RepairAction::Replaced,          RepairAction::Resoldered,
    RepairAction::Reflowed,          RepairAction::SolderBridgeRemoved,
    RepairAction::Cleaned,           RepairAction::Reseated,
    RepairAction::NoFaultFound,      RepairAction::Scrapped,
    RepairAction::SentToEngineering,
};

// "Replaced", "Solder bridge removed", ... as the Repair window lists them.
std::string_view ActionText(RepairAction action) noexcept;
std::optional<RepairAction> ActionFromText(std::string_view text) noexcept;

// "RepairSuccessful", "UnableToRepair" (sent to engineering) or "Scrap" (scrapped).
std::string_view ResultOf(RepairAction action) noexcept;

// No fault found: the tester called a fault the board does not have.
inline constexpr std::string_view FalseCallAction = "No fault found";

} // namespace dorvik
