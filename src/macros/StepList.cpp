#include "macros/StepList.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "image/CheckByte.h"
#include "image/MemoryMap.h"
#include "keys/KeyCatalogue.h"
#include "macros/MacroMemory.h"
#include "macros/MacroRecord.h"

namespace vtr::macros {
namespace {

constexpr int kMaxDelayPairs = 5;
constexpr int kMsPerDelayUnit = 8;
constexpr int kMsPerDelayPair = 255 * kMsPerDelayUnit;  // 2040
constexpr std::size_t kCodeSuffixLength = 10;           // " CODE:" + four digits
constexpr std::size_t kSampleSize = 4;

struct MouseStep {
    MouseButton button;
    std::string_view name;
};
constexpr std::array<MouseStep, 5> kMouseSteps = {{
    {MouseButton::Left, "LeftKey"},
    {MouseButton::Right, "RightKey"},
    {MouseButton::Middle, "MiddleKey"},
    {MouseButton::Forward, "Forward"},
    {MouseButton::Backward, "Backward"},
}};

struct ModifierName {
    std::uint8_t mask;
    std::string_view name;
};
constexpr std::array<ModifierName, 5> kModifierNames = {{
    {step::kCtrl, "Ctrl"},
    {step::kShift, "Shift"},
    {step::kAlt, "Alt"},
    {step::kLeftWin, "Left Windows"},
    {step::kRightWin, "Right Windows"},
}};

std::string Hex2(std::uint8_t byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

std::optional<std::uint8_t> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return std::nullopt;
}

// The decimal number after a delay line's prefix; 0 when it is not a number.
// Saturates far above anything that could fit a record.
long long DelayValue(std::string_view line) {
    const std::string_view digits = line.size() > 2 ? line.substr(2) : std::string_view();
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    long long value = 0;
    for (char c : digits) {
        value = std::min(value * 10 + (c - '0'), 1'000'000'000'000LL);
    }
    return value;
}

const MouseStep* FindMouseStep(std::uint8_t byte) {
    const std::uint8_t bit = byte & 0x1F;
    if ((byte & 0x60) != step::kButtonBase) {
        return nullptr;
    }
    for (const MouseStep& step : kMouseSteps) {
        if (MouseButtonBit(step.button) == bit) {
            return &step;
        }
    }
    return nullptr;
}

const ModifierName* FindModifier(std::uint8_t mask) {
    for (const ModifierName& modifier : kModifierNames) {
        if (modifier.mask == mask) {
            return &modifier;
        }
    }
    return nullptr;
}

}  // namespace

std::size_t MaxStepBytes(int type) {
    return (type == image::kDeviceType2 ? kRecordBuffer2 : kRecordBuffer10) - 2;
}

std::uint8_t MouseButtonBit(MouseButton button) {
    switch (button) {
        case MouseButton::Left:
            return 0x01;
        case MouseButton::Right:
            return 0x02;
        case MouseButton::Middle:
            return 0x04;
        case MouseButton::Forward:
            return 0x08;
        case MouseButton::Backward:
            return 0x10;
    }
    return 0;
}

std::string MouseStepLine(MouseButton button, bool press) {
    const auto byte = static_cast<std::uint8_t>(step::kButtonBase | MouseButtonBit(button) |
                                                (press ? step::kButtonPress : 0));
    for (const MouseStep& step : kMouseSteps) {
        if (step.button == button) {
            return std::string(press ? "1 " : "2 ") + std::string(step.name) + " CODE:00" +
                   Hex2(byte);
        }
    }
    return {};
}

std::string DelayLine(int milliseconds) {
    return "0 " + std::to_string(milliseconds);
}

std::string HeaderLine(DelayMode mode, std::string_view defaultDelay) {
    switch (mode) {
        case DelayMode::Record:
            return "10";
        case DelayMode::Default:
            return "01" + std::string(defaultDelay);
        case DelayMode::None:
            return "00";
    }
    return "00";
}

std::optional<int> LineKind(std::string_view line) {
    if (line.empty() || line[0] < '0' || line[0] > '9') {
        return std::nullopt;
    }
    return line[0] - '0';
}

bool IsDelayLine(std::string_view line) {
    return !line.empty() && line[0] == '0';
}

std::string_view StepName(std::string_view line) {
    if (line.size() < 2 + kCodeSuffixLength) {
        return {};
    }
    return line.substr(2, line.size() - 2 - kCodeSuffixLength);
}

int DelayLineCount(long long milliseconds) {
    if (milliseconds <= 0) {
        return 0;
    }
    return static_cast<int>(2 * (milliseconds / kMsPerDelayPair) +
                            (milliseconds % kMsPerDelayPair > 0 ? 2 : 0));
}

DecodedSteps MacroBufToSteps(std::span<const std::uint8_t> record) {
    DecodedSteps decoded;
    decoded.lines.push_back("00");
    if (record.empty()) {
        return decoded;
    }
    // Step bytes are positions 1 ... L-1; the byte after a two-byte code may be
    // the check byte at L, but nothing past the bytes given is read.
    const std::size_t length = record[0];
    const std::size_t stepEnd = std::min(length, record.size());
    const auto byteAt = [&](std::size_t i) -> std::uint8_t {
        return i < record.size() ? record[i] : 0;
    };
    std::vector<long long> sample;

    std::size_t i = 1;
    while (i < stepEnd) {
        const std::uint8_t b = record[i];
        if (b == step::kKeyPress || b == step::kKeyRelease) {
            const std::uint8_t usage = byteAt(i + 1);
            decoded.lines.push_back(std::string(b == step::kKeyPress ? "1 " : "2 ") +
                                    std::string(keys::DeviceKeyToName(usage)) + " CODE:" + Hex2(b) +
                                    Hex2(usage));
            i += 2;
        } else if (b == step::kModifierPress || b == step::kModifierRelease) {
            const std::uint8_t mask = byteAt(i + 1);
            if (const ModifierName* modifier = FindModifier(mask)) {
                decoded.lines.push_back(std::string(b == step::kModifierPress ? "1 " : "2 ") +
                                        std::string(modifier->name) + " CODE:" + Hex2(b) +
                                        Hex2(mask));
            }
            i += 2;
        } else if (const MouseStep* mouse = FindMouseStep(b)) {
            decoded.lines.push_back(MouseStepLine(mouse->button, (b & step::kButtonPress) != 0));
            i += 1;
        } else if (b == step::kDelay) {
            long long total = kMsPerDelayUnit * static_cast<long long>(byteAt(i + 1));
            std::size_t pairs = 1;
            while (pairs < kMaxDelayPairs && i + 2 * pairs + 1 < stepEnd &&
                   record[i + 2 * pairs] == step::kDelay) {
                total += kMsPerDelayUnit * static_cast<long long>(record[i + 2 * pairs + 1]);
                ++pairs;
            }
            decoded.lines.push_back(DelayLine(static_cast<int>(total)));
            if (sample.size() < kSampleSize) {
                sample.push_back(total);
            }
            i += 2 * pairs;
        } else if (b == 0xFD) {
            i += 2;
        } else {
            i += 1;  // FC, and any byte that is no step
        }
    }

    sample.resize(kSampleSize, 0);
    if (std::all_of(sample.begin(), sample.end(), [](long long s) { return s == 0; })) {
        decoded.mode = DelayMode::None;
    } else if (std::all_of(sample.begin(), sample.end(),
                           [&](long long s) { return s == sample[0]; })) {
        decoded.mode = DelayMode::Default;
        decoded.defaultDelay = static_cast<int>(sample[0]);
    } else {
        decoded.mode = DelayMode::Record;
    }
    decoded.lines[0] = HeaderLine(decoded.mode, std::to_string(decoded.defaultDelay));
    return decoded;
}

std::optional<std::vector<std::uint8_t>> StepsToStepBytes(std::span<const std::string> lines,
                                                          std::size_t limit) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& line : lines) {
        if (line.empty()) {
            continue;
        }
        if (!IsDelayLine(line)) {
            if (line.size() < 4) {
                continue;
            }
            std::string_view code = std::string_view(line).substr(line.size() - 4);
            if (code.substr(0, 2) == "00") {
                code = code.substr(2);
            }
            std::vector<std::uint8_t> codeBytes;
            for (std::size_t k = 0; k + 1 < code.size(); k += 2) {
                const auto high = HexDigit(code[k]);
                const auto low = HexDigit(code[k + 1]);
                if (!high || !low) {
                    codeBytes.clear();
                    break;
                }
                codeBytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
            }
            if (bytes.size() + codeBytes.size() > limit) {
                return std::nullopt;
            }
            bytes.insert(bytes.end(), codeBytes.begin(), codeBytes.end());
            continue;
        }
        const long long value = DelayValue(line);
        const long long fullPairs = value / kMsPerDelayPair;
        if (static_cast<long long>(bytes.size()) + 2 * fullPairs + 2 >
            static_cast<long long>(limit)) {
            return std::nullopt;
        }
        for (long long k = 0; k < fullPairs; ++k) {
            bytes.push_back(step::kDelay);
            bytes.push_back(0xFF);
        }
        bytes.push_back(step::kDelay);
        bytes.push_back(static_cast<std::uint8_t>((value % kMsPerDelayPair) / kMsPerDelayUnit));
    }
    return bytes;
}

std::vector<std::uint8_t> StepBytesToRecord(std::span<const std::uint8_t> steps, int type) {
    if (steps.empty() && type == image::kDeviceType10) {
        return {0x01, 0xFF};
    }
    // The encoder never makes more steps than a record holds; more would be
    // cut rather than wrap the length byte.
    constexpr std::size_t kMostSteps = 0xFF - 1;
    return *MakeRecord(steps.first(std::min(steps.size(), kMostSteps)));
}

bool StepsToMacroBuf(MacroMemory& memory, std::size_t slot, std::span<const std::string> lines) {
    if (!memory.bound() || slot >= memory.slotCount()) {
        return false;
    }
    const bool type10 = memory.type() == image::kDeviceType10;
    if (type10 && !memory.hasMacro(slot)) {
        return false;
    }
    const auto steps =
        StepsToStepBytes(lines.empty() ? lines : lines.subspan(1), MaxStepBytes(memory.type()));
    if (!steps) {
        return false;
    }
    const std::vector<std::uint8_t> record = StepBytesToRecord(*steps, memory.type());
    const auto stored =
        static_cast<std::uint16_t>(record.size() + (type10 ? kNameFieldSize : std::size_t{0}));
    if (memory.bytesOfOtherSlots(slot) + stored > static_cast<int>(memory.areaSize())) {
        return false;
    }
    memory.setSlot(slot, record, stored);
    memory.RefreshMacro();
    return true;
}

StepRow StepRowOf(std::span<const std::string> lines, int row) {
    if (row < 0 || static_cast<std::size_t>(row) + 1 >= lines.size()) {
        return {};
    }
    std::string_view line = lines[static_cast<std::size_t>(row) + 1];
    StepRow result;
    result.icon = LineKind(line).value_or(0);
    std::string text;
    if (IsDelayLine(line)) {
        text = std::string(line) + " ms";
    } else {
        text = std::string(line.substr(0, line.size() - std::min(line.size(), kCodeSuffixLength)));
    }
    result.text = text.size() > 2 ? text.substr(2) : std::string();
    return result;
}

}  // namespace vtr::macros
