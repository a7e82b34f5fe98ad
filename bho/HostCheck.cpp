#include "bho/HostCheck.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace kv::bho {

bool AcceptsHost(std::string_view hostPath) {
    std::string lower(hostPath);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower.find("explorer.exe") == std::string::npos;
}

}  // namespace kv::bho
