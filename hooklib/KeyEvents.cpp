#include "hooklib/KeyEvents.h"

namespace kv::keys {

void KeyEventGenerator::Reset() {
    readIndex_ = 0;
    shiftDown_ = false;
    keyUpOwed_ = false;
    lastKey_ = 0;
}

std::optional<KeyEvent> KeyEventGenerator::Next() {
    if (keyUpOwed_) {
        keyUpOwed_ = false;
        return KeyEvent{lastKey_, false};
    }
    if (readIndex_ >= queue_.size()) return std::nullopt;
    const std::uint32_t key = queue_[readIndex_++];
    if (key == kShiftKey) {
        shiftDown_ = !shiftDown_;
        return KeyEvent{kShiftKey, shiftDown_};
    }
    lastKey_ = key;
    keyUpOwed_ = true;
    return KeyEvent{key, true};
}

std::vector<KeyEvent> ReleasesAfter(const std::vector<KeyEvent>& events, std::size_t taken) {
    bool shiftDown = false;
    std::optional<std::uint32_t> keyDown;
    for (std::size_t i = 0; i < taken && i < events.size(); ++i) {
        if (events[i].key == kShiftKey) {
            shiftDown = events[i].down;
        } else {
            keyDown = events[i].down ? std::optional<std::uint32_t>(events[i].key) : std::nullopt;
        }
    }
    std::vector<KeyEvent> releases;
    if (keyDown) releases.push_back({*keyDown, false});
    if (shiftDown) releases.push_back({kShiftKey, false});
    return releases;
}

void JournalCursor::Start() {
    events_.Reset();
    current_.reset();
    firstCall_ = true;
}

void JournalCursor::FetchFirst() {
    if (!firstCall_) return;
    firstCall_ = false;
    current_ = events_.Next();
}

std::optional<KeyEvent> JournalCursor::Current() {
    FetchFirst();
    return current_;
}

bool JournalCursor::Skip() {
    FetchFirst();
    current_ = events_.Next();
    return current_.has_value();
}

}  // namespace kv::keys
