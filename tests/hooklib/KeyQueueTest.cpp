#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hooklib/KeyQueue.h"
#include "hooklib/SendKeysResult.h"
#include "tests/hooklib/UsKeyboard.h"

namespace kv::keys {
namespace {

constexpr std::uint32_t S = kShiftKey;
constexpr std::uint32_t kOpenBrace = 0xDB;
constexpr std::uint32_t kCloseBrace = 0xDD;

std::vector<std::uint32_t> Keys(const KeyQueue& queue) {
    std::vector<std::uint32_t> keys;
    for (std::size_t i = 0; i < queue.size(); ++i) keys.push_back(queue[i]);
    return keys;
}

std::vector<std::uint32_t> QueueOf(const std::string& text) {
    KeyQueue queue;
    EXPECT_EQ(queue.Build(text.c_str(), test::UsKeyScan), kKeysTyped) << text;
    return Keys(queue);
}

using Queue = std::vector<std::uint32_t>;

TEST(KeyQueueTest, OneKeyPerCharacterWithShiftAround) {
    EXPECT_EQ(QueueOf("abc"), (Queue{65, 66, 67}));
    EXPECT_EQ(QueueOf("A"), (Queue{S, 65, S}));
    EXPECT_EQ(QueueOf("aB"), (Queue{65, S, 66, S}));
    EXPECT_EQ(QueueOf("a 1"), (Queue{65, 32, 49}));
}

TEST(KeyQueueTest, LayoutAnswersDecideTheKeys) {
    // Ctrl and Alt are not pressed; a character without a key ("~" in the
    // test layout) becomes Shift around a key that types nothing.
    EXPECT_EQ(QueueOf(std::string(1, test::kCtrlAltCharacter)), (Queue{0x45}));
    EXPECT_EQ(QueueOf("a~b"), (Queue{65, S, kUntypableKey, S, 66}));
}

TEST(KeyQueueTest, TabOnlyForAFinalTabInAnyCase) {
    EXPECT_EQ(QueueOf("x{TAB}"), (Queue{88, kTabKey}));
    EXPECT_EQ(QueueOf("x{tab}"), (Queue{88, kTabKey}));
    EXPECT_EQ(QueueOf("x{tAb}"), (Queue{88, kTabKey}));
    EXPECT_EQ(QueueOf("{TAB}"), (Queue{kTabKey}));
    EXPECT_EQ(QueueOf("{TAB}x"),
              (Queue{S, kOpenBrace, S, S, 84, S, S, 65, S, S, 66, S, S, kCloseBrace, S, 88}));
}

TEST(KeyQueueTest, EveryOtherBraceIsLiteral) {
    EXPECT_EQ(QueueOf("pa{ss}"), (Queue{80, 65, S, kOpenBrace, S, 83, 83, S, kCloseBrace, S}));
    EXPECT_EQ(QueueOf("{TAB}{TAB}").size(), 5u * 3 + 1);
    EXPECT_EQ(QueueOf("{TAB}{TAB}").back(), kTabKey);
    EXPECT_EQ(QueueOf("x{TAB} ").back(), 32u);
    EXPECT_EQ(QueueOf("x{TABS}").size(), 1u + 6 * 3);
    EXPECT_EQ(QueueOf("x{TA").size(), 1u + 3 * 3);
    EXPECT_EQ(QueueOf("x{").size(), 4u);
    EXPECT_EQ(QueueOf("[]"), (Queue{kOpenBrace, kCloseBrace}));
}

TEST(KeyQueueTest, HoldsAtMost1024Entries) {
    KeyQueue queue;
    EXPECT_EQ(queue.Build(std::string(341, 'A').c_str(), test::UsKeyScan), kKeysTyped);
    EXPECT_EQ(queue.size(), 1023u);
    EXPECT_EQ(queue.Build(std::string(342, 'A').c_str(), test::UsKeyScan), kKeysTooLong);
    EXPECT_EQ(queue.Build(std::string(1024, 'a').c_str(), test::UsKeyScan), kKeysTyped);
    EXPECT_EQ(queue.size(), 1024u);
    EXPECT_EQ(queue.Build(std::string(1025, 'a').c_str(), test::UsKeyScan), kKeysTooLong);
    EXPECT_EQ(queue.Build((std::string(1023, 'a') + "{TAB}").c_str(), test::UsKeyScan), kKeysTyped);
    EXPECT_EQ(queue.Build((std::string(1024, 'a') + "{TAB}").c_str(), test::UsKeyScan), kKeysTooLong);
}

TEST(KeyQueueTest, EmptyTextIsRefused) {
    KeyQueue queue;
    EXPECT_NE(queue.Build("", test::UsKeyScan), kKeysTyped);
    EXPECT_EQ(queue.Build("", test::UsKeyScan), kKeysEmptyText);
    EXPECT_EQ(queue.Build(nullptr, test::UsKeyScan), kKeysEmptyText);
    EXPECT_EQ(queue.size(), 0u);
}

TEST(KeyQueueTest, EachBuildStartsAfreshAndWipeEmpties) {
    KeyQueue queue;
    ASSERT_EQ(queue.Build("abc", test::UsKeyScan), kKeysTyped);
    ASSERT_EQ(queue.Build("z", test::UsKeyScan), kKeysTyped);
    EXPECT_EQ(Keys(queue), (Queue{90}));
    queue.Wipe();
    EXPECT_EQ(queue.size(), 0u);
}

}  // namespace
}  // namespace kv::keys
