#include "settings/SettingsCodec.h"

#include <cstdio>

#include "image/MemoryMap.h"
#include "keys/FunctionCode.h"

namespace vtr::settings {

namespace {

using image::WorkingImage;

constexpr std::size_t kA = 0;
constexpr std::size_t kB = image::kSectionASize;
constexpr std::size_t kP = image::kWorkingProfileOffset;

constexpr std::size_t kFlags = kA + 0;
constexpr std::size_t kCount = kA + 1;
constexpr std::size_t kValueIndex = kA + 9;  // levels 1..8
constexpr std::size_t kColour = kA + 20;     // levels 1..8
constexpr std::size_t kCurrent = kB + 0;
constexpr std::size_t kCurrentComplement = kB + 1;
constexpr std::size_t kLightingMode = kB + 2;
constexpr std::size_t kLightingModeComplement = kB + 3;

// Flags byte (A 0) and lighting mode byte (B 2) bits.
constexpr std::uint8_t kFlagMcpi = 0x01;
constexpr std::uint8_t kFlagSync = 0x08;
constexpr std::uint8_t kFlagBreath = 0x10;
constexpr std::uint8_t kFlagSeven = 0x40;
constexpr std::uint8_t kModeLedKey = 0x80;
constexpr std::uint8_t kModeNumber = 0x0F;  // bits 0..3
constexpr std::uint8_t kModeBit4 = 0x10;

std::size_t buttonOffset(int button) {
    return kP + 3 * static_cast<std::size_t>(button - 1);
}

CpiBytes cpiBytesOf(const WorkingImage& working) {
    CpiBytes bytes;
    bytes.count = working[kCount];
    for (std::size_t i = 0; i < kCpiLevelCount; ++i) {
        bytes.valueIndex[i] = working[kValueIndex + i];
        bytes.colour[i] = working[kColour + i];
    }
    bytes.current = working[kCurrent];
    return bytes;
}

void storeCpiBytes(const CpiBytes& bytes, WorkingImage& working) {
    working[kCount] = bytes.count;
    for (std::size_t i = 0; i < kCpiLevelCount; ++i) {
        working[kValueIndex + i] = bytes.valueIndex[i];
        working[kColour + i] = bytes.colour[i];
    }
    working[kCurrent] = bytes.current;
}

void setBit(std::uint8_t& byte, std::uint8_t mask, bool on) {
    byte = static_cast<std::uint8_t>(on ? byte | mask : byte & ~mask);
}

// Decode step: which lighting option the flags and the mode byte select. The
// options of a group exclude each other, so a later selection replaces an
// earlier one; where nothing is selected the previous selection stays.
void selectLightingOption(Lighting& lighting, std::uint8_t mode) {
    const LedWords& w = lighting.words;
    const bool colour = w.kind == "Color";
    const bool colourModePair = w.sync == "Sync" && w.breath == "NoBre";
    if (colour) {
        if (w.sync == "Sync" && w.breath == "Bre") {
            lighting.colourBreathing.select(3);
        } else if (w.sync == "NoSync" && w.breath == "NoBre") {
            lighting.colourBreathing.select(2);
        } else if (w.sync == "NoSync" && w.breath == "Bre") {
            lighting.colourBreathing.select(1);
        }
    }
    if (w.kind == "NT") {
        switch (mode & kModeNumber) {
            case 1:
                if (w.source == "7Color") {
                    lighting.ntMode.select(1);
                } else if (w.source == "CPI") {
                    lighting.ntMode.select(2);
                }
                break;
            case 2:
                lighting.ntMode.select(3);
                break;
            case 3:
                lighting.ntMode.select(4);
                break;
            default:
                break;
        }
        if (mode & kModeBit4) {
            lighting.ntMode.select(5);
        }
    }
    if (colour && colourModePair) {
        lighting.colourMode.select(mode & kModeBit4 ? 2 : 1);
    } else if (colour && (mode & kModeBit4)) {
        lighting.colourBreathing.select(4);
    }
}

// Encode step: the mode bits (B 2 bits 0..4) of the option selected in the
// group the words name, and the flag bits some options set.
std::uint8_t encodeLightingOption(const Lighting& lighting, std::uint8_t& flags) {
    switch (GroupOf(lighting.words)) {
        case LightingGroup::NT:
            switch (lighting.ntMode.selected().value_or(0)) {
                case 1:
                    setBit(flags, kFlagSeven, true);
                    return 0x01;
                case 2:
                    setBit(flags, kFlagSeven, false);
                    return 0x01;
                case 3:
                    return 0x02;
                case 4:
                    return 0x03;
                case 5:
                    return 0x10;
                default:
                    return 0;
            }
        case LightingGroup::ColourMode:
            switch (lighting.colourMode.selected().value_or(0)) {
                case 1:
                    return 0x04;
                case 2:
                    return 0x10;
                default:
                    return 0;
            }
        case LightingGroup::ColourBreathing:
            switch (lighting.colourBreathing.selected().value_or(0)) {
                case 1:
                    setBit(flags, kFlagSync, false);
                    setBit(flags, kFlagBreath, true);
                    return 0x06;
                case 2:
                    setBit(flags, kFlagSync, false);
                    setBit(flags, kFlagBreath, false);
                    return 0x05;
                case 3:
                    setBit(flags, kFlagSync, true);
                    setBit(flags, kFlagBreath, true);
                    return 0x06;
                case 4:
                    return 0x10;
                default:
                    return 0;
            }
        case LightingGroup::None:
            break;
    }
    return 0;
}

}  // namespace

bool IsFireKeyText(std::string_view codeText) {
    return codeText.starts_with("04");
}

void DataBufToUI(const image::ConfigImage& dataBuf, const SettingsRefs& settings,
                 const ShowFirstPage& showFirstPage) {
    for (std::string& text : settings.codeTexts) {
        text.clear();
    }
    WorkingImage& working = settings.working;
    working = image::ToWorkingImage(dataBuf);
    image::CheckParameterASection(working);
    image::CheckParameterBSection(working);
    image::CheckProfileSection(working);
    for (int button = 1; button <= kButtonCount; ++button) {
        const std::size_t at = buttonOffset(button);
        settings.codeTexts[button - 1] =
            keys::BytesToCodeText({working[at], working[at + 1], working[at + 2]});
    }
    RefreshUI(settings, showFirstPage);
}

void RefreshUI(const SettingsRefs& settings, const ShowFirstPage& showFirstPage) {
    const WorkingImage& working = settings.working;
    Lighting& lighting = settings.lighting;
    const std::uint8_t flags = working[kFlags];
    const std::uint8_t mode = working[kLightingMode];

    settings.cpi.show(cpiBytesOf(working), settings.languages);
    lighting.mcpi.select(flags & kFlagMcpi ? kOff : kOn);
    lighting.ledKey.select(mode & kModeLedKey ? kOn : kOff);
    lighting.words = LedWords::FromFlags(flags);
    lighting.visible = GroupOf(lighting.words);
    selectLightingOption(lighting, mode);
    for (const LightingBoxField& field : kLightingBoxes) {
        (lighting.*field.box).setValue(working[kA + field.offset]);
    }
    RefreshFireKeyMode(settings.codeTexts, working, settings.fireKey);
    if (showFirstPage) {
        showFirstPage();
    }
}

void RefreshFireKeyMode(const CodeTexts& codeTexts, const WorkingImage& working,
                        keys::FireKey& fireKey) {
    for (int button = 1; button <= kButtonCount; ++button) {
        if (IsFireKeyText(codeTexts[button - 1])) {
            const std::size_t at = buttonOffset(button);
            fireKey.repeat.setValue(working[at + 1] >> 1);
            fireKey.delay.setValue(working[at + 2]);
        }
    }
}

void UIToDataBuf(const SettingsRefs& settings) {
    WorkingImage& working = settings.working;
    Lighting& lighting = settings.lighting;

    CpiBytes cpi = cpiBytesOf(working);
    settings.cpi.read(cpi, settings.languages);
    storeCpiBytes(cpi, working);
    working[kCurrentComplement] = static_cast<std::uint8_t>(255 - working[kCurrent]);

    std::uint8_t flags = working[kFlags];
    if (lighting.mcpi.selected()) {
        setBit(flags, kFlagMcpi, lighting.mcpi.isSelected(kOff));
    }
    std::uint8_t mode = lighting.ledKey.isSelected(kOn) ? kModeLedKey : 0;
    mode |= encodeLightingOption(lighting, flags);
    working[kFlags] = flags;
    working[kLightingMode] = mode;
    working[kLightingModeComplement] = static_cast<std::uint8_t>(255 - mode);

    for (const LightingBoxField& field : kLightingBoxes) {
        text::NumberBox& box = lighting.*field.box;
        box.normalise();
        working[kA + field.offset] = static_cast<std::uint8_t>(box.value());
    }
}

void FireKeyAndFireKeyModeToDataBuf(const CodeTexts& codeTexts, keys::FireKey& fireKey,
                                    WorkingImage& working) {
    fireKey.repeat.normalise();
    fireKey.delay.normalise();
    const auto repeat = static_cast<std::uint8_t>(fireKey.repeatValue() * 2);
    const auto delay = static_cast<std::uint8_t>(fireKey.delayValue());
    for (int button = 1; button <= kButtonCount; ++button) {
        if (IsFireKeyText(codeTexts[button - 1])) {
            const std::size_t at = buttonOffset(button);
            working[at] = 0x04;
            working[at + 1] = repeat;
            working[at + 2] = delay;
        }
    }
}

void DataBufToMemo_OnClick(const SettingsRefs& settings, image::ConfigImage& dataBuf) {
    WorkingImage& working = settings.working;
    UIToDataBuf(settings);
    working[kA + image::kSectionACheckOffset] = image::ParameterACheckByte(working);
    FireKeyAndFireKeyModeToDataBuf(settings.codeTexts, settings.fireKey, working);
    working[kP + image::kProfileCheckOffset] = image::ButtonTableCheckByte(working);
    image::FromWorkingImage(working, dataBuf);
}

void MemoToDataBuf_OnClick(const image::ConfigImage& dataBuf, const SettingsRefs& settings,
                           const ParseMacroArea& parseMacroArea,
                           const ShowFirstPage& showFirstPage) {
    if (parseMacroArea) {
        parseMacroArea();
    }
    DataBufToUI(dataBuf, settings, showFirstPage);
}

}  // namespace vtr::settings
