#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The step list: a macro as text lines. Line 0 is the header with the delay mode
// ("10" record delay, "01" + milliseconds default delay, "00" no delay); every
// later line is one step:
//   "0 " + milliseconds                          a delay
//   "1 " + name + " CODE:" + four hex digits     a press
//   "2 " + name + " CODE:" + four hex digits     a release
// The four digits are the step's bytes: "82uu"/"02uu" keyboard key (uu the HID
// usage), "81mm"/"01mm" modifier, "00A1" ... "0030" the one-byte mouse-button
// steps. Row r of the step view shows line r + 1.
namespace vtr::macros {

using StepLines = std::vector<std::string>;

enum class DelayMode { Record, Default, None };

// The byte limits of a record buffer: 162 step bytes (type 2), 254 (type 10).
std::size_t MaxStepBytes(int type);

// Mouse buttons as the recorder and the step bytes know them.
enum class MouseButton { Left, Right, Middle, Forward, Backward };
// The button bit: 01 left, 02 right, 04 middle, 08 forward, 10 backward.
std::uint8_t MouseButtonBit(MouseButton button);
// "1 LeftKey CODE:00A1", "2 Backward CODE:0030" and so on.
std::string MouseStepLine(MouseButton button, bool press);

// "0 " + milliseconds.
std::string DelayLine(int milliseconds);
// The header line of a delay mode; default delay carries its milliseconds.
std::string HeaderLine(DelayMode mode, std::string_view defaultDelay);

// The kind of a line: its first character as a digit, or nothing.
std::optional<int> LineKind(std::string_view line);
bool IsDelayLine(std::string_view line);
// The name of a step line: the text between the two-character prefix and the
// last ten characters (" CODE:" and four digits); empty for a line too short.
std::string_view StepName(std::string_view line);

// What the recorder counts for a delay line of v ms: 2 for every whole 2040 ms
// and 2 more when a remainder above 0 is left (so 2040 ms counts 2 and 0 ms 0).
int DelayLineCount(long long milliseconds);

// MacroBufToSteps: the lines of a record (length byte, steps, check byte; only
// the bytes given are read), header first, and the delay mode the macro was made
// with. Consecutive delay pairs merge into one line, at most five pairs; a pair
// must lie within the step bytes to be merged. Unknown bytes are skipped one at
// a time; FC and FD xx carry no line; modifier steps other than 01, 02, 04, 08
// and 80 carry no line.
struct DecodedSteps {
    StepLines lines;  // header first
    DelayMode mode = DelayMode::None;
    int defaultDelay = 0;  // for DelayMode::Default
};
DecodedSteps MacroBufToSteps(std::span<const std::uint8_t> record);

// The step bytes of lines 1 ... end (the header is not encoded). Delay lines
// become FE FF for each whole 2040 ms and then FE with the remainder div 8 (also
// when that is 0); a step line gives its last four hex digits, or the last two
// when they begin "00". Lines whose code is not hexadecimal add nothing. Stops
// and returns nothing once more than `limit` bytes would be produced.
std::optional<std::vector<std::uint8_t>> StepsToStepBytes(std::span<const std::string> lines,
                                                          std::size_t limit);

// The record of the step bytes for a device type: [L, steps..., check], and for
// type 10 without steps the empty record 01 FF.
std::vector<std::uint8_t> StepBytesToRecord(std::span<const std::uint8_t> steps, int type);

class MacroMemory;

// StepsToMacroBuf: encodes `lines` (header first) into the record of `slot` and
// packs the area. Refused (false; the message is Str104 "EEPROM space
// shortage"), with the slot and the area left as they were, when the steps do
// not fit the record buffer or the area, or when a type-10 slot holds no macro.
bool StepsToMacroBuf(MacroMemory& memory, std::size_t slot, std::span<const std::string> lines);

// One row of the step view (LB_macroDrawItem): icon 0 delay, 1 press, 2 release
// (the line's first character as a number, 0 when it is not a digit), and the
// text: "A" for the press of A, "96 ms" for a delay.
struct StepRow {
    int icon = 0;
    std::string text;
};
// Row `row` of `lines` (line row + 1); an empty row for a row outside the list.
StepRow StepRowOf(std::span<const std::string> lines, int row);

}  // namespace vtr::macros
