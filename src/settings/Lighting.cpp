#include "settings/Lighting.h"

namespace vtr::settings {

bool OptionGroup::select(int option) {
    if (option < 1 || option > size_) {
        return false;
    }
    selected_ = option;
    return true;
}

std::string_view OptionGroup::pictureName(int option) const {
    return isSelected(option) ? "RdS_E" : "RdS_D";
}

LedWords LedWords::FromFlags(std::uint8_t flags) {
    const auto bit = [flags](int n) { return (flags >> n & 1) != 0; };
    return {
        .kind = bit(2) ? "Color" : "NT",
        .sync = bit(3) ? "Sync" : "NoSync",
        .breath = bit(4) ? "Bre" : "NoBre",
        .source = bit(6) ? "7Color" : "CPI",
    };
}

LightingGroup GroupOf(const LedWords& words) {
    if (words.kind == "NT") {
        return LightingGroup::NT;
    }
    if (words.kind == "Color") {
        return words.sync == "Sync" && words.breath == "NoBre" ? LightingGroup::ColourMode
                                                               : LightingGroup::ColourBreathing;
    }
    return LightingGroup::None;
}

}  // namespace vtr::settings
