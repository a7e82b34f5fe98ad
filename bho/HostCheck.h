// Which programs the browser helper agrees to be loaded into.
#pragma once

#include <string_view>

namespace kv::bho {

// Not the Windows shell ("explorer.exe" anywhere in the path, in any case),
// which loads browser helpers too: the helper lives only in the browser.
bool AcceptsHost(std::string_view hostPath);

}  // namespace kv::bho
