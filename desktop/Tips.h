// The tips of the day: which one comes next, and their rich-text frame.
#pragma once

#include <string>

namespace kv {

constexpr int kTipCount = 9;

// The string resource of tip `index` (0 to 8).
unsigned TipStringId(int index);

// `FilePos` as stored: a value outside the tips starts again at the first.
int FirstTipIndex(int filePos);

// A tip's rich-text fragment in its fixed frame: Arial, black, language
// 1033, tab stops every 360 twips up to 6480, plain 10-point text, and a
// paragraph end.
std::string TipDocument(const std::string& fragment);

}  // namespace kv
