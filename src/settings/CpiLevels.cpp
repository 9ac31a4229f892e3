#include "settings/CpiLevels.h"

#include <algorithm>

#include "text/Language.h"

namespace vtr::settings {

namespace {

constexpr text::NumberBox::Rule kColourRule{.emptyDefault = 0, .largest = 6};
// Level 8's box is only shown, never read, and has no leave rule.
constexpr text::NumberBox::Rule kLevel8ColourRule{.emptyDefault = kCpiLevel8Colour, .largest = 255};

}  // namespace

std::string CpiValueKey(int index) {
    return "Str" + std::to_string(300 + index);
}

std::string_view CheckImageName(Picture picture) {
    return picture == Picture::Selected ? "CbS_E" : "CbS_D";
}

std::string_view BarImageName(Picture picture) {
    return picture == Picture::Selected ? "Bar2_E" : "Bar2_D";
}

CpiLevels::CpiLevels()
    : colours_{text::NumberBox(kColourRule), text::NumberBox(kColourRule),
               text::NumberBox(kColourRule), text::NumberBox(kColourRule),
               text::NumberBox(kColourRule), text::NumberBox(kColourRule),
               text::NumberBox(kColourRule), text::NumberBox(kLevel8ColourRule)} {}

LabelColour CpiLevels::labelColour(int level) const {
    return isEnabled(level) ? LabelColour::Selected : LabelColour::NotSelected;
}

Picture CpiLevels::checkImage(int level) const {
    return current_ && *current_ == level ? Picture::Selected : Picture::Normal;
}

int CpiLevels::litSegments(int level) const {
    return valid(level) ? levels_[level - 1].lit : 0;
}

Picture CpiLevels::barSegment(int level, int segment) const {
    return segment >= 1 && segment <= litSegments(level) ? Picture::Selected : Picture::Normal;
}

const std::string& CpiLevels::valueText(int level) const {
    static const std::string none;
    return valid(level) ? levels_[level - 1].valueText : none;
}

text::NumberBox& CpiLevels::colourBox(int level) {
    return colours_.at(static_cast<std::size_t>(level - 1));
}

const text::NumberBox& CpiLevels::colourBox(int level) const {
    return colours_.at(static_cast<std::size_t>(level - 1));
}

bool CpiLevels::toggle(int level) {
    if (!valid(level)) {
        return false;
    }
    if (level == count_ + 1) {
        ++count_;
        return true;
    }
    if (level == count_ && count_ >= 2) {
        --count_;
        if (current_ == level) {
            current_ = level - 1;
        }
        return true;
    }
    // The only enabled level, a level inside the enabled run, or a disabled
    // level above the first disabled one.
    return false;
}

bool CpiLevels::makeCurrent(int level) {
    if (!isLive(level)) {
        return false;
    }
    const bool changed = current_ != level;
    current_ = level;
    return changed;
}

bool CpiLevels::setValue(int level, int segment, const text::Languages& languages) {
    if (!isLive(level) || segment < 1 || segment > kCpiBarSegments) {
        return false;
    }
    const Level before = levels_[level - 1];
    showValue(level, segment - 1, languages);
    const Level& after = levels_[level - 1];
    return before.lit != after.lit || before.valueText != after.valueText;
}

void CpiLevels::leaveColourBox(int level) {
    if (valid(level) && level < kCpiLevelCount) {
        colours_[level - 1].normalise();
    }
}

void CpiLevels::showValue(int level, int index, const text::Languages& languages) {
    Level& shown = levels_[level - 1];
    if (index >= 0 && index < kCpiValueCount) {
        shown.lit = index + 1;
        shown.valueText = languages.text(CpiValueKey(index));
    } else {
        shown.lit = 0;
        shown.valueText.clear();
    }
}

void CpiLevels::show(const CpiBytes& bytes, const text::Languages& languages) {
    count_ = std::clamp<int>(bytes.count, 1, kCpiLevelCount);
    for (int level = 1; level <= kCpiLevelCount; ++level) {
        const std::uint8_t index = bytes.valueIndex[level - 1];
        showValue(level, index == kCpiUnset ? 0 : index, languages);
        colours_[level - 1].setValue(bytes.colour[level - 1]);
    }
    if (bytes.current < kCpiLevelCount) {
        current_ = bytes.current + 1;
    } else {
        current_.reset();
    }
}

void CpiLevels::read(CpiBytes& bytes, const text::Languages& languages) {
    bytes.count = static_cast<std::uint8_t>(count_);
    for (int level = 1; level <= kCpiLevelCount; ++level) {
        std::uint8_t& value = bytes.valueIndex[level - 1];
        if (!isEnabled(level)) {
            value = 0;
            continue;
        }
        // An empty label matches nothing, even where a table lacks a value text.
        const std::string& shown = levels_[level - 1].valueText;
        for (int index = 0; index < kCpiValueCount && !shown.empty(); ++index) {
            if (languages.text(CpiValueKey(index)) == shown) {
                value = static_cast<std::uint8_t>(index);
                break;
            }
        }
    }
    if (current_) {
        bytes.current = static_cast<std::uint8_t>(*current_ - 1);
    }
    for (int level = 1; level < kCpiLevelCount; ++level) {
        colours_[level - 1].normalise();
        bytes.colour[level - 1] = static_cast<std::uint8_t>(colours_[level - 1].value());
    }
    bytes.colour[kCpiLevelCount - 1] = kCpiLevel8Colour;
}

}  // namespace vtr::settings
