// The exports of KelvandorKey.dll: SendKeys and the journal playback
// procedure that plays its key queue.
//
// Journal playback hooks are refused by current Windows and never called by
// Wine, so SendKeys no longer installs one: it takes the events from the
// journal procedure itself, exactly as the system would (the current event,
// then skip to the next), and injects them with SendInput.
#include "hooklib/KelvandorKey.h"

#include <atomic>
#include <vector>

#include "hooklib/KeyEvents.h"
#include "hooklib/KeyInput.h"
#include "platform/SecureWipe.h"

namespace {

using namespace kv::keys;

// The process's one playback: the queue, the journal's place in it, the
// target window placed in every event and whether events are left.
struct Playback {
    KeyQueue queue;
    JournalCursor cursor{queue};
    HWND target = nullptr;
    bool playing = false;
};

Playback playback;
std::atomic<bool> busy{false};

// Holds the playback for one SendKeys call; a second call while it is held
// (from another thread, or from a message pumped during the playback) fails.
class BusyGuard {
public:
    BusyGuard() : acquired_(!busy.exchange(true)) {}
    ~BusyGuard() {
        if (acquired_) busy.store(false);
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    bool acquired() const { return acquired_; }

private:
    bool acquired_;
};

short ScanKey(char character) { return VkKeyScanA(character); }

void FillEvent(EVENTMSG& message, const KeyEvent& event) {
    const UINT scanCode = MapVirtualKeyA(event.key, MAPVK_VK_TO_VSC) & 0xFF;
    message.message = event.down ? WM_KEYDOWN : WM_KEYUP;
    message.paramL = (event.key & 0xFF) | (scanCode << 8);
    message.paramH = 1;
    message.time = GetTickCount();
    message.hwnd = playback.target;
}

// The key event that a journal event plays.
KeyEvent EventOf(const EVENTMSG& message) { return {LOBYTE(message.paramL), message.message == WM_KEYDOWN}; }

// Plays the built queue through the journal procedure into SendInput.
int PlayQueue(HWND target) {
    playback.target = target;
    playback.cursor.Start();
    playback.playing = true;
    std::vector<KeyEvent> events;
    events.reserve(2 * playback.queue.size());
    while (playback.playing) {
        EVENTMSG message{};
        JrnlPlayBackHook(HC_GETNEXT, 0, reinterpret_cast<LPARAM>(&message));
        events.push_back(EventOf(message));
        JrnlPlayBackHook(HC_SKIP, 0, 0);
    }
    const int result = SendKeyEvents(events, target);
    kv::SecureWipe(events.data(), events.size() * sizeof(KeyEvent));
    return result;
}

}  // namespace

extern "C" int WINAPI SendKeys(HWND target, const char* text) {
    BusyGuard guard;
    if (!guard.acquired()) return kKeysBusy;
    int result = playback.queue.Build(text, ScanKey);
    if (result == kKeysTyped) result = PlayQueue(target);
    playback.queue.Wipe();
    playback.playing = false;
    return result;
}

extern "C" LRESULT CALLBACK JrnlPlayBackHook(int code, WPARAM wParam, LPARAM lParam) {
    switch (code) {
    case HC_GETNEXT:
        if (const auto event = playback.cursor.Current()) FillEvent(*reinterpret_cast<EVENTMSG*>(lParam), *event);
        return 0;
    case HC_SKIP:
        if (!playback.cursor.Skip()) playback.playing = false;
        return 0;
    case HC_SYSMODALOFF:
        playback.playing = false;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    default:
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
}
