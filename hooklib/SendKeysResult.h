// The results of SendKeys, shared by the library and the program.
#pragma once

namespace kv::keys {

constexpr int kKeysTyped = 0;      // every key was typed
constexpr int kKeysEmptyText = 1;  // nothing to type
constexpr int kKeysTooLong = 5;    // more than 1024 queue entries; nothing typed
constexpr int kKeysRefused = 6;    // the system refused the input; keys held down were released
constexpr int kKeysBusy = 7;       // a playback is already running; nothing typed

}  // namespace kv::keys
