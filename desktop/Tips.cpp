#include "desktop/Tips.h"

namespace kv {

unsigned TipStringId(int index) {
    static const unsigned kIds[kTipCount] = {9, 10, 11, 12, 13, 14, 15, 57673, 57674};
    return index >= 0 && index < kTipCount ? kIds[index] : kIds[0];
}

int FirstTipIndex(int filePos) { return filePos < 0 || filePos >= kTipCount ? 0 : filePos; }

std::string TipDocument(const std::string& fragment) {
    std::string tabs;
    for (int stop = 360; stop <= 6480; stop += 360) tabs += "\\tx" + std::to_string(stop);
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}"
           "\\deflang1033\\pard" + tabs + "\\plain\\f0\\fs20\\cf1 " + fragment + "\\par}";
}

}  // namespace kv
