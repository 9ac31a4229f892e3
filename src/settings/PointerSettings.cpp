#include "settings/PointerSettings.h"

#include <charconv>
#include <cstddef>

namespace vtr::settings {

namespace {

// Position 1..10 -> stored value, per bar.
constexpr std::array<std::array<int, kPointerSteps>, 3> kSteps = {{
    {1, 2, 4, 6, 8, 10, 12, 14, 16, 18},                 // "MouseSensitivity"
    {900, 830, 760, 690, 620, 550, 480, 410, 340, 270},  // "DoubleClickSpeed" (ms)
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},                     // "WheelScrollLines"
}};

std::size_t indexOf(PointerBar bar) {
    return static_cast<std::size_t>(bar);
}

bool isStep(int position) {
    return position >= 1 && position <= kPointerSteps;
}

std::string_view controlStem(PointerBar bar) {
    switch (bar) {
        case PointerBar::Speed:
            return "Spd";
        case PointerBar::DoubleClick:
            return "DbSpd";
        case PointerBar::ScrollLines:
            return "ScrSpd";
    }
    return {};
}

std::string controlName(std::string_view prefix, PointerBar bar, int segment) {
    if (!isStep(segment)) {
        return {};
    }
    return std::string(prefix) + std::string(controlStem(bar)) + std::to_string(segment);
}

}  // namespace

std::optional<int> ParseDecimal(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;  // "+-5"
        }
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string_view ValueName(PointerBar bar) {
    switch (bar) {
        case PointerBar::Speed:
            return kMouseSensitivity;
        case PointerBar::DoubleClick:
            return kDoubleClickSpeed;
        case PointerBar::ScrollLines:
            return kWheelScrollLines;
    }
    return {};
}

std::string_view KeyOf(PointerBar bar) {
    return bar == PointerBar::ScrollLines ? kDesktopKey : kMouseKey;
}

int PointerSettings::StepValue(PointerBar bar, int position) {
    return isStep(position) ? kSteps[indexOf(bar)][static_cast<std::size_t>(position - 1)] : 0;
}

int PointerSettings::PositionOfValue(PointerBar bar, int value) {
    for (int position = 1; position <= kPointerSteps; ++position) {
        if (StepValue(bar, position) == value) {
            return position;
        }
    }
    return 0;
}

int PointerSettings::position(PointerBar bar) const {
    return positions_[indexOf(bar)];
}

bool PointerSettings::segmentLit(PointerBar bar, int segment) const {
    return isStep(segment) && segment <= position(bar);
}

std::string_view PointerSettings::segmentImage(PointerBar bar, int segment) const {
    return segmentLit(bar, segment) ? "Bar1_E" : "Bar1_D";
}

std::string PointerSettings::SegmentName(PointerBar bar, int segment) {
    return controlName("Img_", bar, segment);
}

std::string PointerSettings::LabelName(PointerBar bar, int segment) {
    return controlName("lbl_", bar, segment);
}

bool PointerSettings::hasValue(PointerBar bar) const {
    switch (bar) {
        case PointerBar::Speed:
            return speed_.has_value();
        case PointerBar::DoubleClick:
            return doubleClick_.has_value();
        case PointerBar::ScrollLines:
            return lines_.has_value();
    }
    return false;
}

std::optional<int>& PointerSettings::valueOf(PointerBar bar) {
    switch (bar) {
        case PointerBar::Speed:
            return speed_;
        case PointerBar::DoubleClick:
            return doubleClick_;
        case PointerBar::ScrollLines:
            break;
    }
    return lines_;
}

bool PointerSettings::click(PointerBar bar, int segment) {
    if (!isStep(segment) || position(bar) == segment) {
        return false;
    }
    positions_[indexOf(bar)] = segment;
    return true;
}

void PointerSettings::readBar(PointerSettingsStore& store, PointerBar bar) {
    const std::optional<std::string> text = store.readText(KeyOf(bar), ValueName(bar));
    const std::optional<int> value = text ? ParseDecimal(*text) : std::nullopt;
    if (!value) {
        return;
    }
    valueOf(bar) = *value;
    if (const int step = PositionOfValue(bar, *value); step != 0) {
        positions_[indexOf(bar)] = step;
    }
}

void PointerSettings::writeBar(PointerSettingsStore& store, PointerBar bar) {
    const int value = StepValue(bar, position(bar));
    if (value == 0) {
        return;  // no step chosen
    }
    store.writeText(KeyOf(bar), ValueName(bar), std::to_string(value));
    valueOf(bar) = value;
}

void PointerSettings::RefreshMouseSystemParameterA(PointerSettingsStore& store) {
    if (!store.openKey(kMouseKey)) {
        return;
    }
    readBar(store, PointerBar::Speed);
    // The triple is kept in the order the live call takes it.
    constexpr std::array<std::string_view, 3> kTriple = {kMouseThreshold1, kMouseThreshold2,
                                                         kMouseSpeed};
    for (std::size_t i = 0; i < kTriple.size(); ++i) {
        const std::optional<std::string> text = store.readText(kMouseKey, kTriple[i]);
        if (const std::optional<int> value = text ? ParseDecimal(*text) : std::nullopt) {
            acceleration_[i] = *value;
            accelerationRead_ = true;
        }
    }
    readBar(store, PointerBar::DoubleClick);
}

void PointerSettings::RefreshMouseSystemParameterB(PointerSettingsStore& store) {
    if (!store.openKey(kDesktopKey)) {
        return;
    }
    readBar(store, PointerBar::ScrollLines);
}

void PointerSettings::Refresh(PointerSettingsStore& store) {
    RefreshMouseSystemParameterA(store);
    RefreshMouseSystemParameterB(store);
}

void PointerSettings::ChangedMouseSystemParameterA(PointerSettingsStore& store) {
    if (!store.openKey(kMouseKey)) {
        return;
    }
    writeBar(store, PointerBar::Speed);
    writeBar(store, PointerBar::DoubleClick);
}

void PointerSettings::ChangedMouseSystemParameterB(PointerSettingsStore& store) {
    if (!store.openKey(kDesktopKey)) {
        return;
    }
    writeBar(store, PointerBar::ScrollLines);
}

void PointerSettings::ApplyToSystem(PointerSettingsStore& store) const {
    if (speed_) {
        store.setMouseSpeed(*speed_);
    }
    if (accelerationRead_) {
        store.setMouseAcceleration(acceleration_[0], acceleration_[1], acceleration_[2]);
    }
    if (doubleClick_) {
        store.setDoubleClickTime(*doubleClick_);
    }
    if (lines_) {
        store.setWheelScrollLines(*lines_);
    }
}

void PointerSettings::Write(PointerSettingsStore& store) {
    ChangedMouseSystemParameterA(store);
    ChangedMouseSystemParameterB(store);
    ApplyToSystem(store);
}

}  // namespace vtr::settings
