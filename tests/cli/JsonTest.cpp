#include <gtest/gtest.h>

#include <chrono>

#include "cli/Json.h"
#include "cli/JsonWriter.h"

namespace kv::json {
namespace {

TEST(JsonTest, WrittenDocumentHasItsLayoutAndParsesBack) {
    const std::string kText = "quote \" backslash \\ newline \n tab \t bell \x07 euro \xE2\x82\xAC";
    std::string text;
    Writer out([&](std::string_view piece) {
        text.append(piece);
        return true;
    });
    out.BeginObject();
    out.Key("text");
    out.String(kText);
    out.Key("numbers");
    out.BeginArray(true);
    out.Integer(-1);
    out.Integer(65535);
    out.EndArray();
    out.Key("flags");
    out.BeginArray();
    out.Bool(true);
    out.Null();
    out.EndArray();
    out.Key("empty");
    out.BeginObject();
    out.EndObject();
    out.Key("none");
    out.BeginArray();
    out.EndArray();
    out.EndObject();
    ASSERT_TRUE(out.Finish());
    EXPECT_EQ(text,
              "{\n"
              "  \"text\": \"quote \\\" backslash \\\\ newline \\n tab \\t bell \\u0007 euro \xE2\x82\xAC\",\n"
              "  \"numbers\": [-1, 65535],\n"
              "  \"flags\": [\n"
              "    true,\n"
              "    null\n"
              "  ],\n"
              "  \"empty\": {},\n"
              "  \"none\": []\n"
              "}\n");
    std::string error;
    const std::optional<Value> parsed = Parse(text, error);
    ASSERT_TRUE(parsed.has_value()) << error;
    EXPECT_EQ(parsed->Find("text")->string(), kText);
    EXPECT_EQ(parsed->Find("numbers")->items()[1].integer(), 65535);
    EXPECT_EQ(parsed->Find("flags")->items()[1].kind(), Value::Kind::Null);
    // The model parsed is written back to the same text.
    EXPECT_EQ(Write(*parsed).view(), text);
}

TEST(JsonTest, EscapesAndSurrogatePairs) {
    std::string error;
    const std::optional<Value> v = Parse(R"(["\u00e9\/\b", "\ud83d\udd11"])", error);
    ASSERT_TRUE(v.has_value()) << error;
    EXPECT_EQ(v->items()[0].string(), "\xC3\xA9/\b");
    EXPECT_EQ(v->items()[1].string(), "\xF0\x9F\x94\x91");
}

TEST(JsonTest, MalformedDocumentsAreRefusedWithAPlace) {
    const char* const kBad[] = {
        "",       "{",          "[1,]",          "{\"a\" 1}",       "{\"a\":1,\"a\":2}", "01",
        "1.5",    "1e3",        "\"\\ud800\"",   "\"\\x\"",         "\"open",            "[1] 2",
        "tru",    "\"a\nb\"",   "99999999999999999999",
    };
    for (const char* text : kBad) {
        std::string error;
        EXPECT_FALSE(Parse(text, error).has_value()) << text;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << text;
    }
    std::string error;
    EXPECT_FALSE(Parse("[\n  1,\n  x]", error).has_value());
    EXPECT_EQ(error, "line 3, column 3: expected a value");
}

TEST(JsonTest, DeepNestingIsRefusedInsteadOfOverflowingTheStack) {
    std::string error;
    EXPECT_FALSE(Parse(std::string(100000, '['), error).has_value());
    EXPECT_NE(error.find("nested too deeply"), std::string::npos);
}

// An object of `count` members named "m0", "m1", ..., then `last`.
std::string ManyMembers(std::size_t count, const std::string& last) {
    std::string text = "{";
    for (std::size_t i = 0; i < count; ++i) text += "\"m" + std::to_string(i) + "\":0,";
    return text + "\"" + last + "\":1}";
}

TEST(JsonTest, ARepeatedMemberAmongManyIsFoundWithoutComparingEveryPair) {
    constexpr std::size_t kMembers = 200000;
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    const std::optional<Value> unique = Parse(ManyMembers(kMembers, "last"), error);
    ASSERT_TRUE(unique.has_value()) << error;
    EXPECT_EQ(unique->members().size(), kMembers + 1);
    EXPECT_FALSE(Parse(ManyMembers(kMembers, "m123456"), error).has_value());
    EXPECT_NE(error.find("the member \"m123456\" appears twice"), std::string::npos);
    // Comparing each name with all before it takes minutes here; a set takes well under a second.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace kv::json
