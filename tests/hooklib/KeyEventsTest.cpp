#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "hooklib/KeyEvents.h"
#include "hooklib/SendKeysResult.h"
#include "tests/hooklib/UsKeyboard.h"

namespace kv::keys {

void PrintTo(const KeyEvent& event, std::ostream* out) { *out << event.key << (event.down ? " down" : " up"); }

namespace {

KeyEvent Down(std::uint32_t key) { return {key, true}; }
KeyEvent Up(std::uint32_t key) { return {key, false}; }

using Events = std::vector<KeyEvent>;

KeyQueue QueueOf(const char* text) {
    KeyQueue queue;
    EXPECT_EQ(queue.Build(text, test::UsKeyScan), kKeysTyped);
    return queue;
}

Events EventsOf(const char* text) {
    const KeyQueue queue = QueueOf(text);
    KeyEventGenerator generator(queue);
    Events events;
    while (const auto event = generator.Next()) events.push_back(*event);
    return events;
}

TEST(KeyEventsTest, EachKeyDownThenUp) {
    EXPECT_EQ(EventsOf("abc"), (Events{Down(65), Up(65), Down(66), Up(66), Down(67), Up(67)}));
}

TEST(KeyEventsTest, ShiftEntriesPressAndReleaseShift) {
    EXPECT_EQ(EventsOf("A"), (Events{Down(kShiftKey), Down(65), Up(65), Up(kShiftKey)}));
    EXPECT_EQ(EventsOf("aB{TAB}"), (Events{Down(65), Up(65), Down(kShiftKey), Down(66), Up(66), Up(kShiftKey),
                                           Down(kTabKey), Up(kTabKey)}));
}

TEST(KeyEventsTest, PartlyPlayedEventsLeaveNoKeyDown) {
    const Events events = EventsOf("aB");  // A down, A up, Shift down, B down, B up, Shift up
    EXPECT_EQ(ReleasesAfter(events, 0), Events{});
    EXPECT_EQ(ReleasesAfter(events, 1), (Events{Up(65)}));
    EXPECT_EQ(ReleasesAfter(events, 2), Events{});
    EXPECT_EQ(ReleasesAfter(events, 3), (Events{Up(kShiftKey)}));
    EXPECT_EQ(ReleasesAfter(events, 4), (Events{Up(66), Up(kShiftKey)}));
    EXPECT_EQ(ReleasesAfter(events, 5), (Events{Up(kShiftKey)}));
    EXPECT_EQ(ReleasesAfter(events, 6), Events{});
}

TEST(KeyEventsTest, ResetStartsOver) {
    const KeyQueue queue = QueueOf("Ab");
    KeyEventGenerator generator(queue);
    generator.Next();
    generator.Next();  // Shift and A are down
    generator.Reset();
    EXPECT_EQ(generator.Next(), Down(kShiftKey));
}

TEST(KeyEventsTest, JournalRepeatsTheCurrentEventUntilSkipped) {
    const KeyQueue queue = QueueOf("A");
    JournalCursor cursor(queue);
    cursor.Start();
    EXPECT_EQ(cursor.Current(), Down(kShiftKey));
    EXPECT_EQ(cursor.Current(), Down(kShiftKey));
    for (const KeyEvent& next : {Down(65), Up(65), Up(kShiftKey)}) {
        EXPECT_TRUE(cursor.Skip());
        EXPECT_EQ(cursor.Current(), next);
    }
    EXPECT_FALSE(cursor.Skip());
    EXPECT_EQ(cursor.Current(), std::nullopt);

    cursor.Start();
    EXPECT_EQ(cursor.Current(), Down(kShiftKey));
}

TEST(KeyEventsTest, JournalSkipAsFirstCallPassesTheFirstEvent) {
    const KeyQueue queue = QueueOf("ab");
    JournalCursor cursor(queue);
    cursor.Start();
    EXPECT_TRUE(cursor.Skip());
    EXPECT_EQ(cursor.Current(), Up(65));
}

}  // namespace
}  // namespace kv::keys
