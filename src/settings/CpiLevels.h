#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/NumberBox.h"

namespace vtr::text {
class Languages;
}

namespace vtr::settings {

inline constexpr int kCpiLevelCount = 8;        // levels 1..8
inline constexpr int kCpiValueCount = 8;        // value indices 0..7: "Str300" ... "Str307"
inline constexpr int kCpiBarSegments = 8;       // segments 1..8 of a value bar
inline constexpr std::uint8_t kCpiUnset = 255;  // a value index byte meaning "unset"
inline constexpr int kCpiLevel8Colour = 7;      // level 8's colour index, whatever its box shows

// The language key of a CPI value index ("Str300" for 0 ... "Str307" for 7).
std::string CpiValueKey(int index);

// How a level's label is drawn: the descriptor colours `Color_D_Selected` and
// `Color_D_notSelected`.
enum class LabelColour { Selected, NotSelected };
// The two-state skin pictures of a level: check image `CbS_E` / `CbS_D`, bar
// segment `Bar2_E` / `Bar2_D`.
enum class Picture { Selected, Normal };
std::string_view CheckImageName(Picture picture);  // "CbS_E" or "CbS_D"
std::string_view BarImageName(Picture picture);    // "Bar2_E" or "Bar2_D"

// The CPI bytes of an image, as the codec hands them over: level count (A 1),
// value index per level (A 9..16), current level index (B 0) and colour index
// per level (A 20..27).
struct CpiBytes {
    std::uint8_t count = 0;
    std::array<std::uint8_t, kCpiLevelCount> valueIndex{};
    std::uint8_t current = 0;
    std::array<std::uint8_t, kCpiLevelCount> colour{};

    bool operator==(const CpiBytes&) const = default;
};

// The CPI levels of the Advanced page: which levels are in use (always a
// prefix 1..count), each level's value, the current level and each level's LED
// colour index. Levels are numbered 1..8 as on the page; a level number outside
// 1..8 is ignored by every operation.
//
// The model keeps what the page shows: the value label's text and the bar's lit
// segments, set together from the language texts, and the colour boxes' texts.
// Reading the model back takes a level's value from its text, as the page does.
class CpiLevels {
  public:
    // The page before the first image is shown: eight levels, all live, no
    // current level, every value text empty.
    CpiLevels();

    // --- state, as the page draws it ---
    int count() const { return count_; }
    bool isEnabled(int level) const { return valid(level) && level <= count_; }
    // Check image and bar segments react to clicks exactly while enabled.
    bool isLive(int level) const { return isEnabled(level); }
    LabelColour labelColour(int level) const;
    // The current level 1..8, or none (a decoded current index above 7).
    std::optional<int> current() const { return current_; }
    Picture checkImage(int level) const;
    // How many of the level's bar segments show lit (segments 1..litSegments).
    int litSegments(int level) const;
    Picture barSegment(int level, int segment) const;
    const std::string& valueText(int level) const;
    // The colour box of a level, for typing (digits and Backspace) and showing.
    text::NumberBox& colourBox(int level);
    const text::NumberBox& colourBox(int level) const;

    // --- user operations; each returns whether it changed anything ---
    // A click on the level's label: enables the first disabled level, disables
    // the last enabled one (keeping at least one, moving the current level down
    // with it); any other level does nothing.
    bool toggle(int level);
    // A click on a live check image.
    bool makeCurrent(int level);
    // A click on segment 1..8 of a live level's bar: value index segment-1.
    bool setValue(int level, int segment, const text::Languages& languages);
    // Leaving a colour box: levels 1..7 get their leave rule (empty is "0",
    // above 6 is "6"); level 8's box has none.
    void leaveColourBox(int level);

    // --- the codec's side ---
    // Draws the model from an image's bytes. A count outside 1..8 is taken as
    // the nearest of 1 and 8. A value index 0..7 shows its text and bar; 255
    // (unset) shows as index 0; 8..254 show no text and no lit segment. A
    // current index 0..7 selects that level, anything else none.
    void show(const CpiBytes& bytes, const text::Languages& languages);
    // Writes the model into `bytes`: the count; each enabled level's value index
    // found by its text among the current language's value texts (left as it
    // is when no text matches), each disabled level as 0; the current level's
    // index (left as it is when none is current); the colour indices, levels
    // 1..7 after their leave rule (the boxes are normalised), level 8 as 7.
    void read(CpiBytes& bytes, const text::Languages& languages);

  private:
    struct Level {
        int lit = 0;            // bar segments lit
        std::string valueText;  // the value label
    };

    static bool valid(int level) { return level >= 1 && level <= kCpiLevelCount; }
    void showValue(int level, int index, const text::Languages& languages);

    int count_ = kCpiLevelCount;
    std::optional<int> current_;
    std::array<Level, kCpiLevelCount> levels_{};
    std::array<text::NumberBox, kCpiLevelCount> colours_;
};

}  // namespace vtr::settings
