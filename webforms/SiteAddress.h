// The site of a web address, by which records are matched to pages, and the
// checks made before a record's values are filled into a page.
#pragma once

#include <string>
#include <string_view>

namespace kv {

// The address without its query, its scheme and its port, and without the
// first label of the host when the rest holds three or more dots (path
// included): "https://www.mail.example.co/x?y" gives "mail.example.co/x".
std::string SiteFormOf(std::string_view address);

// Whether two addresses have the same site form, compared without case.
bool SameSite(std::string_view a, std::string_view b);

enum class FillCheck {
    Fill,           // the page belongs to the record's site
    OtherSite,      // the page's site differs from the record's: ask first
    InsecurePage,   // recorded on https, the page is http: ask first
};

// What a fill of a record recorded at `recordAddress` into the page at
// `pageAddress` may do. Any process can ask for a fill, so it is checked
// before every one.
FillCheck CheckFill(std::string_view recordAddress, std::string_view pageAddress);

}  // namespace kv
