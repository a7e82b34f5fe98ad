#include "bho/MenuChoice.h"

#include "protocol/MessageNames.h"

namespace kv::bho {

MenuChoiceAction RouteMenuChoice(unsigned choice, bool programRunning, const std::vector<std::uint32_t>& records) {
    if (choice == 0) return {MenuChoiceKind::Nothing, 0, 0};
    if (!programRunning) return {MenuChoiceKind::Browser, choice, 0};
    switch (choice) {
        case protocol::kCommandOpenProgram:
        case protocol::kCommandLock:
        case protocol::kCommandAddWebForm:
        case protocol::kCommandAutoFillPopup:
            return {MenuChoiceKind::ProgramCommand, choice, 0};
        default:
            break;
    }
    if (choice >= kFirstRecordItem && choice - kFirstRecordItem < records.size()) {
        return {MenuChoiceKind::Fill, 0, records[choice - kFirstRecordItem]};
    }
    return {MenuChoiceKind::Browser, choice, 0};
}

}  // namespace kv::bho
