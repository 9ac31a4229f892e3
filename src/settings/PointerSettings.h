#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/PointerSettingsStore.h"

namespace vtr::settings {

// The three ten-step bars of the Advanced page.
enum class PointerBar {
    Speed,        // pointer speed: "MouseSensitivity", segments `Img_Spd1` ...
    DoubleClick,  // double-click speed: "DoubleClickSpeed" (ms), segments `Img_DbSpd1` ...
    ScrollLines,  // wheel scroll lines: "WheelScrollLines", segments `Img_ScrSpd1` ...
};

inline constexpr int kPointerSteps = 10;  // segments 1..10 of a bar

// The pointer speed, double-click speed and wheel scroll lines of the current
// user, as three bars and the values last read from or written to the store.
//
// A bar's position is 0 (no step chosen: nothing lit, nothing written) or
// 1..10. Reading a value from the store takes it as the setting's value and
// moves the bar to the matching step when the value is one; any other value is
// held as it is and leaves the bar where it was. Writing stores only the steps
// chosen. The values reach the live system with ApplyToSystem.
//
// A stored value that is not decimal text (see ParseDecimal) is treated as
// absent: it changes neither the value nor the bar.
class PointerSettings {
  public:
    // --- the step tables ---
    // The stored value of a step 1..10; 0 for any other position.
    static int StepValue(PointerBar bar, int position);
    // The step whose stored value is `value`, or 0 when it is not a step.
    static int PositionOfValue(PointerBar bar, int value);

    // --- the bars, as the page draws them ---
    int position(PointerBar bar) const;
    // Segment k (1..10) shows lit (`Bar1_E`) exactly when k <= position.
    bool segmentLit(PointerBar bar, int segment) const;
    std::string_view segmentImage(PointerBar bar, int segment) const;  // "Bar1_E" / "Bar1_D"
    // Control names: `Img_Spd3`, `lbl_DbSpd10`, ...; empty for a segment outside 1..10.
    static std::string SegmentName(PointerBar bar, int segment);
    static std::string LabelName(PointerBar bar, int segment);

    // --- the values ---
    int speedValue() const { return speed_.value_or(0); }             // sensitivity
    int doubleClickTime() const { return doubleClick_.value_or(0); }  // ms
    int scrollLines() const { return lines_.value_or(0); }            // -1: a screen per notch
    // (MouseThreshold1, MouseThreshold2, MouseSpeed), each 0 until read.
    std::array<int, 3> acceleration() const { return acceleration_; }
    // Whether the value has been read from or written to the store at least once.
    bool hasValue(PointerBar bar) const;
    bool hasAcceleration() const { return accelerationRead_; }

    // --- user operations ---
    // `MseSpd_OnClick`, `MseDbSpd_OnClick`, `MseScrSpd_OnClick`: a click on
    // segment 1..10 chooses that step; other numbers are ignored. Nothing is
    // written. Returns whether the position changed.
    bool click(PointerBar bar, int segment);

    // --- the store ---
    // Pointer speed, acceleration triple and double-click speed from
    // "Control Panel\\Mouse"; nothing when the key cannot be opened.
    void RefreshMouseSystemParameterA(PointerSettingsStore& store);
    // Wheel scroll lines from "Control Panel\\Desktop".
    void RefreshMouseSystemParameterB(PointerSettingsStore& store);
    // Both readings.
    void Refresh(PointerSettingsStore& store);

    // The chosen pointer-speed and double-click steps into "Control Panel\\Mouse";
    // each written step also becomes the held value. Nothing when the key
    // cannot be opened.
    void ChangedMouseSystemParameterA(PointerSettingsStore& store);
    // The chosen scroll step into "Control Panel\\Desktop".
    void ChangedMouseSystemParameterB(PointerSettingsStore& store);
    // The four live calls, in this order, with the values held: mouse speed,
    // acceleration triple (passed back as read), double-click time, wheel
    // scroll lines. A value never read nor written is not passed at all: the
    // system keeps its own instead of being set to 0 (no wheel scrolling, no
    // acceleration, the default double-click time).
    void ApplyToSystem(PointerSettingsStore& store) const;
    // What Confirm and Apply do: both writes, then the live calls.
    void Write(PointerSettingsStore& store);

  private:
    std::array<int, 3> positions_{};  // indexed by PointerBar
    std::optional<int> speed_;
    std::optional<int> doubleClick_;
    std::optional<int> lines_;
    std::array<int, 3> acceleration_{};
    bool accelerationRead_ = false;

    std::optional<int>& valueOf(PointerBar bar);
    void readBar(PointerSettingsStore& store, PointerBar bar);
    void writeBar(PointerSettingsStore& store, PointerBar bar);
};

// The stored value name of a bar's setting and the key it lives under.
std::string_view ValueName(PointerBar bar);
std::string_view KeyOf(PointerBar bar);

}  // namespace vtr::settings
