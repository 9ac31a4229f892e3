#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/NumberBox.h"

namespace vtr::settings {

// A group of mutually exclusive options (1..size) on the lighting page, each a
// label over a picture showing `RdS_E` when selected and `RdS_D` otherwise.
// Nothing is selected until the first selection; from then on exactly one is.
class OptionGroup {
  public:
    explicit OptionGroup(int size) : size_(size) {}

    int size() const { return size_; }
    std::optional<int> selected() const { return selected_; }
    bool isSelected(int option) const { return selected_ == option; }
    // Selects an option and deselects the others; a number outside 1..size is
    // ignored. Returns whether the option was taken.
    bool select(int option);
    // "RdS_E" for the selected option, "RdS_D" for the others.
    std::string_view pictureName(int option) const;

  private:
    int size_;
    std::optional<int> selected_;
};

// The two options of a switch.
inline constexpr int kOn = 1;
inline constexpr int kOff = 2;

// The lighting mode words: how the last decode read the flags byte (A 0). They
// decide which group of options the encoder reads, and are empty before the
// first decode and after the mouse is lost.
struct LedWords {
    std::string kind;    // bit 2: "NT" / "Color"
    std::string sync;    // bit 3: "NoSync" / "Sync"
    std::string breath;  // bit 4: "NoBre" / "Bre"
    std::string source;  // bit 6: "CPI" / "7Color"

    static LedWords FromFlags(std::uint8_t flags);
    void clear() { *this = {}; }
    bool operator==(const LedWords&) const = default;
};

// The groups of lighting options; one of them is on the page at a time.
enum class LightingGroup {
    None,             // nothing decoded yet
    NT,               // mode options 1..5 with the NT times, hold and count
    ColourMode,       // colour options 1 and 2
    ColourBreathing,  // breathing options 1..4 with the four breathing times
};

// The group the words name: "NT" the NT group; "Color" with "Sync" and "NoBre"
// the colour mode group; "Color" with any other pair the breathing group;
// anything else none.
LightingGroup GroupOf(const LedWords& words);

// The Breathing Light page: two switches, the option groups, the timing boxes
// (digits only, three characters, each with its leave rule) and the lighting
// mode words with the group shown.
struct Lighting {
    OptionGroup mcpi{2};        // Button Effect Switch: kOn (`rb_MCPIOn`) / kOff (`rb_MCPIOff`)
    OptionGroup ledKey{2};      // Button Effect: kOn (`rb_LEDKeyOn`) / kOff (`rb_LEDKeyOff`)
    OptionGroup ntMode{5};      // `rb_LEDNTMode1` ... `rb_LEDNTMode5`
    OptionGroup colourMode{2};  // `rb_LEDColorMode1`, `rb_LEDColorMode2`
    OptionGroup colourBreathing{4};  // `rb_LEDColorBre1` ... `rb_LEDColorBre4`

    text::NumberBox ntMode1Time{{.emptyDefault = 0}};    // `edt_LEDNTMode1Time`, A 2
    text::NumberBox ntMode2Time{{.emptyDefault = 3}};    // `edt_LEDNTMode2Time`, A 3
    text::NumberBox ntMode3Time{{.emptyDefault = 20}};   // `edt_LEDNTMode3Time`, A 4
    text::NumberBox offTime{{.emptyDefault = 0}};        // `edt_OffTime`, A 28
    text::NumberBox riseTime{{.emptyDefault = 0}};       // `edt_RiseTime`, A 29
    text::NumberBox lightTime{{.emptyDefault = 0}};      // `edt_LightTime`, A 30
    text::NumberBox fallTime{{.emptyDefault = 0}};       // `edt_FallTime`, A 31
    text::NumberBox ntMode2Hold{{.emptyDefault = 50}};   // `edt_LEDNTMode2Hold`, A 34
    text::NumberBox ntMode3Count{{.emptyDefault = 16}};  // `edt_LEDNTMode3Count`, A 35

    LedWords words;
    // The group on the page, set at every decode; it stays when the words are
    // emptied.
    LightingGroup visible = LightingGroup::None;
};

// The timing boxes with their bytes in section A, for the codec and for
// anything that walks all of them.
struct LightingBoxField {
    text::NumberBox Lighting::*box;
    std::size_t offset;
};
inline constexpr LightingBoxField kLightingBoxes[] = {
    {&Lighting::ntMode1Time, 2}, {&Lighting::ntMode2Time, 3},  {&Lighting::ntMode3Time, 4},
    {&Lighting::offTime, 28},    {&Lighting::riseTime, 29},    {&Lighting::lightTime, 30},
    {&Lighting::fallTime, 31},   {&Lighting::ntMode2Hold, 34}, {&Lighting::ntMode3Count, 35},
};

}  // namespace vtr::settings
