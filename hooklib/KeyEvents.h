// The key events that play a key queue: each key pressed and released, the
// Shift entries as Shift down and Shift up in turn.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "hooklib/KeyQueue.h"

namespace kv::keys {

struct KeyEvent {
    std::uint32_t key = 0;
    bool down = false;

    bool operator==(const KeyEvent& other) const { return key == other.key && down == other.down; }
};

// Reads a queue from its start: a key-down, then the key-up owed for it;
// a Shift entry gives Shift down or Shift up.
class KeyEventGenerator {
public:
    explicit KeyEventGenerator(const KeyQueue& queue) : queue_(queue) {}

    // Back to the start of the queue, Shift up, no key-up owed.
    void Reset();

    // The next event, or none when the queue is played out.
    std::optional<KeyEvent> Next();

private:
    const KeyQueue& queue_;
    std::size_t readIndex_ = 0;
    bool shiftDown_ = false;
    bool keyUpOwed_ = false;
    std::uint32_t lastKey_ = 0;
};

// What to release when only the first `taken` of `events` were played: the
// key whose key-up was not played, then Shift if it is down.
std::vector<KeyEvent> ReleasesAfter(const std::vector<KeyEvent>& events, std::size_t taken);

// The playback as a journal playback hook sees it: the current event, asked
// for any number of times, until the player skips to the next one.
class JournalCursor {
public:
    explicit JournalCursor(const KeyQueue& queue) : events_(queue) {}

    // Starts over; the first event is fetched at the first call.
    void Start();

    // The event to play now; none once the queue is played out.
    std::optional<KeyEvent> Current();

    // Moves on; returns false when no event is left (the playback is over).
    bool Skip();

private:
    void FetchFirst();

    KeyEventGenerator events_;
    std::optional<KeyEvent> current_;
    bool firstCall_ = false;
};

}  // namespace kv::keys
