#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/TrayPlacement.h"
#include "db/Sha256.h"
#include "desktop/ClipboardClearing.h"
#include "settings/Settings.h"

namespace kv {
namespace {

std::string Hex(const Sha256Digest& digest) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char byte : digest) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

TEST(Sha256Test, PublishedVectors) {
    EXPECT_EQ(Hex(Sha256("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex(Sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Hex(Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Hex(Sha256(std::string(1000000, 'a'))),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// A clipboard whose text the test sets, counting what the clearing does.
class FakeClipboard : public ClipboardAccess {
public:
    bool Open() override { return opens; }
    std::optional<SecretString> Text() override {
        if (!text) return std::nullopt;
        return SecretString(*text);
    }
    void Empty() override { text.reset(); }
    void Close() override { ++closed; }

    bool opens = true;
    std::optional<std::string> text;
    int closed = 0;
};

TEST(ClipboardClearingTest, EmptiesTheClipboardOnceTheDelayHasPassed) {
    ClipboardMemory memory;
    FakeClipboard clipboard;
    clipboard.text = "s3cret";
    memory.Remember("s3cret", 1000);
    EXPECT_FALSE(ClearClipboardIfDue(memory, clipboard, 30999, 30));
    EXPECT_TRUE(memory.Remembers());
    EXPECT_EQ(clipboard.text, "s3cret");
    EXPECT_TRUE(ClearClipboardIfDue(memory, clipboard, 31000, 30));
    EXPECT_FALSE(clipboard.text.has_value());
    EXPECT_FALSE(memory.Remembers());
    EXPECT_EQ(clipboard.closed, 1);
}

TEST(ClipboardClearingTest, LeavesOtherTextAloneAndForgetsTheCopy) {
    ClipboardMemory memory;
    FakeClipboard clipboard;
    // The same first 80 characters, a different end: another text.
    const std::string copied(100, 'p');
    memory.Remember(copied, 0);
    clipboard.text = std::string(80, 'p') + "other";
    EXPECT_FALSE(ClearClipboardIfDue(memory, clipboard, 60000, 30));
    EXPECT_EQ(clipboard.text, std::string(80, 'p') + "other");
    EXPECT_FALSE(memory.Remembers());

    memory.Remember(copied, 0);
    clipboard.opens = false;
    EXPECT_FALSE(ClearClipboardIfDue(memory, clipboard, 60000, 30));
    EXPECT_FALSE(memory.Remembers());
}

TEST(ClipboardClearingTest, TickCountsThatWrapAroundStillCount) {
    ClipboardMemory memory;
    memory.Remember("x", 0xFFFFF000u);
    EXPECT_FALSE(memory.IsDue(0xFFFFFF00u, 5000));
    EXPECT_TRUE(memory.IsDue(0x00000400u, 5000));
    EXPECT_TRUE(memory.Matches("x"));
    EXPECT_FALSE(memory.Matches("x "));
}

TEST(TrayPlacementTest, DialogOpensBesideTheTaskbarOnEveryEdge) {
    const int width = 203, height = 247;
    // A 1024x768 screen with a 30-pixel taskbar on each edge.
    EXPECT_EQ(EdgeOfTaskbar({0, 738, 1024, 768}), TaskbarEdge::Bottom);
    ScreenPoint at = PlaceBesideTaskbar({0, 738, 1024, 768}, {0, 0, 1024, 738}, width, height);
    EXPECT_EQ(at.x, 1024 - width);
    EXPECT_EQ(at.y, 738 - height);

    EXPECT_EQ(EdgeOfTaskbar({0, 0, 1024, 30}), TaskbarEdge::Top);
    at = PlaceBesideTaskbar({0, 0, 1024, 30}, {0, 30, 1024, 768}, width, height);
    EXPECT_EQ(at.x, 1024 - width);
    EXPECT_EQ(at.y, 30);

    EXPECT_EQ(EdgeOfTaskbar({0, 0, 60, 768}), TaskbarEdge::Left);
    at = PlaceBesideTaskbar({0, 0, 60, 768}, {60, 0, 1024, 768}, width, height);
    EXPECT_EQ(at.x, 60);
    EXPECT_EQ(at.y, 768 - height);

    EXPECT_EQ(EdgeOfTaskbar({964, 0, 1024, 768}), TaskbarEdge::Right);
    at = PlaceBesideTaskbar({964, 0, 1024, 768}, {0, 0, 964, 768}, width, height);
    EXPECT_EQ(at.x, 964 - width);
    EXPECT_EQ(at.y, 768 - height);
}

TEST(HotKeyTest, StoredModifiersAreConvertedForRegistration) {
    EXPECT_EQ(RegistrationModifiers(1), 4u);  // Shift
    EXPECT_EQ(RegistrationModifiers(2), 2u);  // Control
    EXPECT_EQ(RegistrationModifiers(4), 1u);  // Alt
    EXPECT_EQ(RegistrationModifiers(3), 6u);
    EXPECT_EQ(RegistrationModifiers(7), 7u);
    EXPECT_EQ(RegistrationModifiers(0), 0u);
}

}  // namespace
}  // namespace kv
