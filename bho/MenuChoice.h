// Where a choice in the helper's context menu goes: the program's commands
// and records to the program, everything else to the browser's page.
#pragma once

#include <cstdint>
#include <vector>

namespace kv::bho {

// The identifier of the first record listed; the helper's own commands are the protocol's.
inline constexpr unsigned kFirstRecordItem = 1000;

enum class MenuChoiceKind {
    Nothing,         // the menu was dismissed
    ProgramCommand,  // "KelvandorBHOECommand" with the command
    Fill,            // "KelvandorBHOFill" with the record's item data
    Browser,         // WM_COMMAND to the page, one of the browser's own
};

struct MenuChoiceAction {
    MenuChoiceKind kind;
    unsigned command;        // ProgramCommand and Browser
    std::uint32_t itemData;  // Fill
};

// `records` holds the item data of the records listed from kFirstRecordItem on.
MenuChoiceAction RouteMenuChoice(unsigned choice, bool programRunning, const std::vector<std::uint32_t>& records);

}  // namespace kv::bho
