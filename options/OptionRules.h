// The rules behind the Options sheet's controls that need no window: the
// days box's digits, the transparency slider and its label, a category's
// column list from its check boxes, and the browser of the system's HTML
// handler.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/AppSettings.h"

namespace kv {

// Columns 0 to 10 have a box on the column settings page.
constexpr int kColumnBoxes = 11;

// Only the digits of a typed text, in order.
std::string KeepDigits(const std::string& text);
// The number the digits of a text form (0 for none); stops short of overflow.
std::uint32_t DigitsValue(const std::string& digits);

// The slider runs 0 (solid) to 127; the setting 255 (solid) down to 128.
constexpr int kTransparencySliderMax = 127;
int TransparencySliderPosition(std::uint32_t transparency);
std::uint32_t TransparencyAtSlider(int position);
// The label beside the slider: "0%" for a solid dialog up to "50%".
std::string TransparencyLabel(std::uint32_t transparency);

// The list of a category after its boxes changed: the ticked columns in
// ascending order, the other slots -1; none when no box is ticked.
std::optional<ColumnList> ColumnListOfBoxes(const std::array<bool, kColumnBoxes>& ticked);
// Whether column `column` is in a category's list.
bool ListHoldsColumn(const ColumnList& list, int column);

// A caption that shows `text` as it stands ('&' doubled).
std::string LiteralCaption(const std::string& text);

// The program of a shell open command: the quoted text when the command
// starts with a quote, else the text before its last blank.
std::string ProgramOfOpenCommand(const std::string& command);

}  // namespace kv
