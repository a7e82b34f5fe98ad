// The variables of the ".Shared" section (laid out in SharedSection.S),
// as the library's own code reads and writes them.
#pragma once

#include <cstdint>

#include "hooklib/KelvandorKey.h"

namespace kv::keys {

// Each text holds at most 79 characters and a zero.
constexpr std::size_t kSharedTextSize = kFormDataSize;

}  // namespace kv::keys

extern "C" {

extern volatile std::uint32_t bMessageSent;   // 1 once the hook has reported the dialog
extern volatile std::uint32_t hWndKelvandor;  // the window to notify
extern volatile std::uint32_t hHook;          // the installed hook, or 0
extern volatile std::uint32_t m_hWndIE;       // the watched authentication dialog
extern char szUsername[kv::keys::kSharedTextSize];
extern char szPassword[kv::keys::kSharedTextSize];

}  // extern "C"
