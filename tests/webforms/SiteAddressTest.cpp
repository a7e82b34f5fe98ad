#include <gtest/gtest.h>

#include "webforms/SiteAddress.h"

namespace kv {
namespace {

TEST(SiteAddressTest, SiteFormDropsSchemeQueryPortAndTheFirstLabelOfLongHosts) {
    EXPECT_EQ(SiteFormOf("https://www.example.com/login?next=/home"), "www.example.com/login");
    // Four labels: the first goes.
    EXPECT_EQ(SiteFormOf("https://login.mail.example.co.uk/"), "mail.example.co.uk/");
    // Three labels, but the path's dot makes three dots in all.
    EXPECT_EQ(SiteFormOf("http://www.example.com/index.html"), "example.com/index.html");
    // The port ends the site form, path and all.
    EXPECT_EQ(SiteFormOf("http://intranet:8080/login"), "intranet");
    // A leading "?" or "//" is no query or scheme.
    EXPECT_EQ(SiteFormOf("?a"), "?a");
    EXPECT_EQ(SiteFormOf("//host/x"), "//host/x");
    EXPECT_EQ(SiteFormOf(""), "");
}

TEST(SiteAddressTest, SitesCompareWithoutCase) {
    EXPECT_TRUE(SameSite("https://WWW.Example.com/Login", "http://www.example.com/login?x=1"));
    EXPECT_FALSE(SameSite("https://www.example.com/login", "https://www.example.org/login"));
}

TEST(SiteAddressTest, AFillIsCheckedAgainstTheRecordsSiteAndScheme) {
    EXPECT_EQ(CheckFill("https://bank.example/login", "https://bank.example/login?session=1"), FillCheck::Fill);
    EXPECT_EQ(CheckFill("http://forum.example/", "https://forum.example/"), FillCheck::Fill);
    EXPECT_EQ(CheckFill("https://bank.example/login", "https://evil.example/login"), FillCheck::OtherSite);
    EXPECT_EQ(CheckFill("https://bank.example/login", "http://bank.example/login"), FillCheck::InsecurePage);
    EXPECT_EQ(CheckFill("HTTPS://bank.example/login", "HTTP://bank.example/login"), FillCheck::InsecurePage);
    EXPECT_EQ(CheckFill("", "https://bank.example/login"), FillCheck::OtherSite);
}

}  // namespace
}  // namespace kv
