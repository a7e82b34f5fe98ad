// A parsed document takes a small multiple of its text in memory.
#include <gtest/gtest.h>

#include <string>

#include "cli/Json.h"
#include "tests/support/HeapLimit.h"

namespace kv::json {
namespace {

// The most memory a document may take for each byte of its text.
constexpr std::size_t kBytesPerByte = 40;

void ExpectParsesWithin(const std::string& text) {
    std::string error;
    test::HeapLimit limit(text.size() * kBytesPerByte);
    const std::optional<Value> parsed = Parse(text, error);
    EXPECT_EQ(limit.refused(), 0);
    EXPECT_TRUE(parsed.has_value()) << error;
}

TEST(JsonMemoryTest, ManySmallArraysAndObjects) {
    std::string arrays = "[[]";
    std::string objects = "[{}";
    for (int i = 0; i < 300000; ++i) {
        arrays += ",[]";
        objects += ",{}";
    }
    ExpectParsesWithin(arrays + "]");
    ExpectParsesWithin(objects + "]");
}

TEST(JsonMemoryTest, ManyEmptyStrings) {
    std::string strings = "[\"\"";
    for (int i = 0; i < 300000; ++i) strings += ",\"\"";
    ExpectParsesWithin(strings + "]");
}

}  // namespace
}  // namespace kv::json
