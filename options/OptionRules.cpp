#include "options/OptionRules.h"

#include <algorithm>
#include <limits>

namespace kv {

std::string KeepDigits(const std::string& text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

std::uint32_t DigitsValue(const std::string& digits) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        const std::uint32_t digit = static_cast<std::uint32_t>(c - '0');
        if (value > (std::numeric_limits<std::uint32_t>::max() - digit) / 10) break;
        value = value * 10 + digit;
    }
    return value;
}

int TransparencySliderPosition(std::uint32_t transparency) {
    const std::uint32_t clamped = std::clamp<std::uint32_t>(transparency, 255 - kTransparencySliderMax, 255);
    return static_cast<int>(255 - clamped);
}

std::uint32_t TransparencyAtSlider(int position) {
    return 255 - static_cast<std::uint32_t>(std::clamp(position, 0, kTransparencySliderMax));
}

std::string TransparencyLabel(std::uint32_t transparency) {
    const std::uint32_t shown = TransparencyAtSlider(TransparencySliderPosition(transparency));
    return std::to_string((256 - shown) * 100 / 256) + "%";
}

std::optional<ColumnList> ColumnListOfBoxes(const std::array<bool, kColumnBoxes>& ticked) {
    ColumnList list;
    list.fill(-1);
    std::size_t slot = 0;
    for (int column = 0; column < kColumnBoxes; ++column) {
        if (ticked[static_cast<std::size_t>(column)]) list[slot++] = column;
    }
    if (slot == 0) return std::nullopt;
    return list;
}

bool ListHoldsColumn(const ColumnList& list, int column) {
    return std::find(list.begin(), list.end(), column) != list.end();
}

std::string LiteralCaption(const std::string& text) {
    std::string caption;
    for (const char c : text) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}

std::string ProgramOfOpenCommand(const std::string& command) {
    if (!command.empty() && command.front() == '"') {
        const std::size_t end = command.find('"', 1);
        return command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    }
    const std::size_t blank = command.rfind(' ');
    return blank == std::string::npos ? command : command.substr(0, blank);
}

}  // namespace kv
