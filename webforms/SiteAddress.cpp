#include "webforms/SiteAddress.h"

#include <algorithm>

#include "platform/Windows1252.h"

namespace kv {
namespace {

using windows1252::EqualNoCase;

// The scheme before "://", empty when there is none.
std::string_view SchemeOf(std::string_view address) {
    const std::size_t end = address.find("://");
    return end == std::string_view::npos ? std::string_view() : address.substr(0, end);
}

}  // namespace

std::string SiteFormOf(std::string_view address) {
    const std::size_t query = address.find('?');
    if (query != std::string_view::npos && query > 0) address = address.substr(0, query);
    const std::size_t slashes = address.find("//");
    if (slashes != std::string_view::npos && slashes > 0) address.remove_prefix(slashes + 2);
    const std::size_t colon = address.find(':');
    if (colon != std::string_view::npos) address = address.substr(0, colon);
    if (std::count(address.begin(), address.end(), '.') >= 3) address.remove_prefix(address.find('.') + 1);
    return std::string(address);
}

bool SameSite(std::string_view a, std::string_view b) { return EqualNoCase(SiteFormOf(a), SiteFormOf(b)); }

FillCheck CheckFill(std::string_view recordAddress, std::string_view pageAddress) {
    if (!SameSite(recordAddress, pageAddress)) return FillCheck::OtherSite;
    if (EqualNoCase(SchemeOf(recordAddress), "https") && !EqualNoCase(SchemeOf(pageAddress), "https")) {
        return FillCheck::InsecurePage;
    }
    return FillCheck::Fill;
}

}  // namespace kv
