#include "app/CtlSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <map>
#include <sstream>

#include "image/FileIo.h"
#include "image/MemoryMap.h"
#include "keys/FunctionCode.h"
#include "keys/KeyCatalogue.h"

namespace vtr::app {

namespace img = vtr::image;
using settings::LightingGroup;

namespace {

// Names of the catalogue functions on the command line, by menu tag.
struct NamedFunction {
    const char* name;
    int tag;
};
constexpr NamedFunction kFunctionNames[] = {
    {"left", 900},        {"right", 901},        {"middle", 902},         {"backward", 903},
    {"forward", 904},     {"fire", 1000},        {"cpi", 1001},           {"cpi-up", 1002},
    {"cpi-down", 1003},   {"led-switch", 1004},  {"my-computer", 1100},   {"calculator", 1101},
    {"email", 1102},      {"play-pause", 1300},  {"stop", 1301},          {"previous-track", 1302},
    {"next-track", 1303}, {"volume-up", 1304},   {"volume-down", 1305},   {"mute", 1306},
    {"www-home", 1400},   {"www-search", 1401},  {"www-back", 1402},      {"www-forward", 1403},
    {"www-stop", 1404},   {"www-refresh", 1405}, {"www-favorites", 1406},
};

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// A keyboard key name as typed on the command line: the catalogue name in lower
// case, spaces as dashes, without parentheses ("page-up", "f5", "a",
// "1-numeric-pad"); plus a few everyday spellings.
std::string commandLineKeyName(std::string_view catalogueName) {
    std::string out;
    for (char c : lower(catalogueName)) {
        if (c == ' ' || c == '_') {
            out += '-';
        } else if (c != '(' && c != ')') {
            out += c;
        }
    }
    return out;
}

std::optional<std::uint8_t> deviceKeyNamed(std::string_view name) {
    static const std::map<std::string, std::string> aliases = {
        {"space", "space-bar"}, {"escape", "esc"},
        {"return", "enter"},    {"del", "delete"},
        {"ins", "insert"},      {"pgup", "page-up"},
        {"pgdn", "page-down"},  {"left-arrow", "left-arrow"},
        {"up", "up-arrow"},     {"down", "down-arrow"},
    };
    std::string wanted = lower(name);
    if (const auto alias = aliases.find(wanted); alias != aliases.end()) {
        wanted = alias->second;
    }
    for (const keys::KeyEntry& entry : keys::KeyCatalogue()) {
        if (entry.deviceKey != 0 && !entry.name.empty() &&
            commandLineKeyName(entry.name) == wanted) {
            return entry.deviceKey;
        }
    }
    return std::nullopt;
}

bool isHexCode(std::string_view text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) != 0;
           });
}

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == ',') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// "--name value" and "--name=value" pairs after a `set` topic.
std::optional<std::map<std::string, std::string>> parseOptions(
    const std::vector<std::string>& words, std::size_t first, const std::vector<std::string>& known,
    std::string& error) {
    std::map<std::string, std::string> options;
    for (std::size_t i = first; i < words.size(); ++i) {
        std::string name = words[i];
        std::string value;
        if (name.rfind("--", 0) != 0) {
            error = "unexpected '" + name + "'";
            return std::nullopt;
        }
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            error = name + " needs a value";
            return std::nullopt;
        }
        name = name.substr(2);
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            std::string list;
            for (const auto& k : known) {
                list += (list.empty() ? "--" : ", --") + k;
            }
            error = "unknown option '--" + name + "' (accepted: " + list + ")";
            return std::nullopt;
        }
        options[name] = value;
    }
    if (options.empty()) {
        error = "nothing to set";
        return std::nullopt;
    }
    return options;
}

std::string cpiValuesList(const text::Languages& languages) {
    std::string list;
    for (int i = 0; i < settings::kCpiValueCount; ++i) {
        list += (i ? ", " : "") + languages.text(settings::CpiValueKey(i));
    }
    return list;
}

// --- set button ---

std::optional<std::string> setButton(editor::SettingsSession& session,
                                     const std::vector<std::string>& words) {
    if (words.size() != 3) {
        return "usage: set button N FUNCTION";
    }
    const auto button = parseNumber(words[1]);
    if (!button || *button < 1 || *button > keys::kButtonCount) {
        return "button '" + words[1] + "' does not exist (buttons are 1..9)";
    }
    keys::ButtonAssignment& buttons = session.buttons;
    buttons.ShowPnlMain_OnClick("Key" + std::to_string(*button));
    const std::string function = lower(words[2]);

    for (const NamedFunction& named : kFunctionNames) {
        if (function == named.name) {
            if (!buttons.KeyStatusOnClick(named.tag)) {
                return "button " + words[1] +
                       " is the last one with Left Key; give another button Left Key first";
            }
            return std::nullopt;
        }
    }
    if (function.rfind("macro:", 0) == 0) {
        // The last macro of that name, as the bindings follow names.
        const std::string wanted = words[2].substr(6);
        const keys::MacroDirectory& macros = buttons.macros();
        int row = -1;
        for (std::size_t i = 0; i < macros.nameCount(); ++i) {
            if (macros.name(i) == wanted) {
                row = static_cast<int>(i);
            }
        }
        if (row < 0 || !buttons.LB_NameClick(row)) {
            return "no macro named '" + wanted + "' (see macro list)";
        }
        return std::nullopt;
    }
    if (isHexCode(function)) {
        std::string code = lower(function);
        std::transform(code.begin(), code.end(), code.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        buttons.setCode(*button, code);
        buttons.setCaption(*button,
                           keys::DescribeFunction(code, session.languages(), buttons.macros()));
        return std::nullopt;
    }
    // A keyboard combination: modifiers and one key, joined by "+".
    std::uint8_t mask = 0;
    std::optional<std::uint8_t> key;
    std::string part;
    std::vector<std::string> parts;
    for (char c : function + "+") {
        if (c == '+') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& p = parts[i];
        const bool last = i + 1 == parts.size();
        if (!last && p == "ctrl") {
            mask |= keys::kModifierCtrl;
        } else if (!last && p == "shift") {
            mask |= keys::kModifierShift;
        } else if (!last && p == "alt") {
            mask |= keys::kModifierAlt;
        } else if (!last && p == "win") {
            mask |= keys::kModifierWin;
        } else if (last) {
            key = deviceKeyNamed(p);
        }
        if (!last && !(p == "ctrl" || p == "shift" || p == "alt" || p == "win")) {
            key.reset();
            break;
        }
    }
    if (!key) {
        return "unknown function '" + words[2] + "'\n" + FunctionNamesHelp();
    }
    keys::PendingCombination& pending = buttons.pendingCombination();
    buttons.Key_AssemblyClick();
    pending.confirmed = true;
    pending.codeText = keys::CombinationCodeText(mask, *key, 0);
    pending.displayText =
        keys::FunctionDisplayName(pending.codeText, session.languages(), buttons.macros());
    buttons.ApplyCombinationKey();
    return std::nullopt;
}

// --- set cpi ---

std::optional<std::string> setCpi(editor::SettingsSession& session,
                                  const std::vector<std::string>& words) {
    std::string error;
    const auto options = parseOptions(words, 1, {"levels", "current", "colours"}, error);
    if (!options) {
        return error;
    }
    settings::CpiLevels& cpi = session.cpi;
    const text::Languages& languages = session.languages();
    settings::CpiLevels edited = cpi;

    if (const auto levels = options->find("levels"); levels != options->end()) {
        const auto values = splitList(levels->second);
        if (values.size() > settings::kCpiLevelCount) {
            return "at most 8 CPI levels, not " + std::to_string(values.size());
        }
        std::vector<int> segments;
        for (const std::string& value : values) {
            int index = -1;
            for (int i = 0; i < settings::kCpiValueCount; ++i) {
                if (languages.text(settings::CpiValueKey(i)) == value) {
                    index = i;
                }
            }
            if (index < 0) {
                return "CPI value '" + value +
                       "' is not one the mouse has (accepted: " + cpiValuesList(languages) + ")";
            }
            segments.push_back(index + 1);
        }
        const int wanted = static_cast<int>(segments.size());
        while (edited.count() < wanted && edited.toggle(edited.count() + 1)) {
        }
        while (edited.count() > wanted && edited.toggle(edited.count())) {
        }
        for (int level = 1; level <= wanted; ++level) {
            edited.setValue(level, segments[static_cast<std::size_t>(level - 1)], languages);
        }
    }
    if (const auto current = options->find("current"); current != options->end()) {
        const auto level = parseNumber(current->second);
        if (!level || *level < 1 || *level > settings::kCpiLevelCount) {
            return "current level '" + current->second + "' is not a level (levels are 1..8)";
        }
        if (!edited.isEnabled(*level)) {
            return "level " + current->second + " is not enabled (enabled levels: 1.." +
                   std::to_string(edited.count()) + ")";
        }
        edited.makeCurrent(*level);
    }
    if (const auto colours = options->find("colours"); colours != options->end()) {
        const auto values = splitList(colours->second);
        if (values.size() > 7) {
            return "at most 7 colours (level 8's colour is fixed)";
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto colour = parseNumber(values[i]);
            if (!colour || *colour > 6) {
                return "colour '" + values[i] + "' is not a colour index (accepted: 0..6)";
            }
            edited.colourBox(static_cast<int>(i) + 1).setValue(*colour);
        }
    }
    cpi = edited;
    return std::nullopt;
}

// --- set lighting ---

struct TimingOption {
    const char* name;
    text::NumberBox settings::Lighting::*box;
};
constexpr TimingOption kTimingOptions[] = {
    {"nt1-time", &settings::Lighting::ntMode1Time},
    {"nt2-time", &settings::Lighting::ntMode2Time},
    {"nt2-hold", &settings::Lighting::ntMode2Hold},
    {"nt3-time", &settings::Lighting::ntMode3Time},
    {"nt3-count", &settings::Lighting::ntMode3Count},
    {"off-time", &settings::Lighting::offTime},
    {"rise-time", &settings::Lighting::riseTime},
    {"light-time", &settings::Lighting::lightTime},
    {"fall-time", &settings::Lighting::fallTime},
};

std::optional<bool> onOff(const std::string& value) {
    if (value == "on") {
        return true;
    }
    if (value == "off") {
        return false;
    }
    return std::nullopt;
}

settings::OptionGroup* visibleGroup(settings::Lighting& lighting) {
    switch (lighting.visible) {
        case LightingGroup::NT:
            return &lighting.ntMode;
        case LightingGroup::ColourMode:
            return &lighting.colourMode;
        case LightingGroup::ColourBreathing:
            return &lighting.colourBreathing;
        case LightingGroup::None:
            break;
    }
    return nullptr;
}

std::optional<std::string> setLighting(editor::SettingsSession& session,
                                       const std::vector<std::string>& words) {
    std::vector<std::string> known = {"option", "effect", "effect-switch"};
    for (const TimingOption& timing : kTimingOptions) {
        known.emplace_back(timing.name);
    }
    std::string error;
    const auto options = parseOptions(words, 1, known, error);
    if (!options) {
        return error;
    }
    settings::Lighting edited = session.lighting;
    for (const auto& [name, value] : *options) {
        if (name == "option") {
            settings::OptionGroup* group = visibleGroup(edited);
            const auto option = parseNumber(value);
            if (group == nullptr) {
                return "the lighting has not been read yet";
            }
            if (!option || *option < 1 || *option > group->size()) {
                return "lighting option '" + value + "' does not exist (this mouse's options: 1.." +
                       std::to_string(group->size()) + ")";
            }
            group->select(*option);
        } else if (name == "effect" || name == "effect-switch") {
            const auto on = onOff(value);
            if (!on) {
                return "--" + name + " takes on or off, not '" + value + "'";
            }
            (name == "effect" ? edited.ledKey : edited.mcpi)
                .select(*on ? settings::kOn : settings::kOff);
        } else {
            for (const TimingOption& timing : kTimingOptions) {
                if (name == timing.name) {
                    const auto number = parseNumber(value);
                    if (!number || *number > 255) {
                        return "--" + name + " takes 0..255, not '" + value + "'";
                    }
                    (edited.*timing.box).setValue(*number);
                }
            }
        }
    }
    session.lighting = edited;
    return std::nullopt;
}

// --- set fire ---

std::optional<std::string> setFire(editor::SettingsSession& session,
                                   const std::vector<std::string>& words) {
    std::string error;
    const auto options = parseOptions(words, 1, {"repeat", "delay"}, error);
    if (!options) {
        return error;
    }
    keys::FireKey edited = session.fireKey;
    for (const auto& [name, value] : *options) {
        text::NumberBox& box = name == "repeat" ? edited.repeat : edited.delay;
        const int largest = box.rule().largest;
        const auto number = parseNumber(value);
        // Exactly the values the box keeps as they are: 0, and 2 up to the largest.
        if (!number || *number == 1 || *number > largest) {
            return "--" + name + " takes 0 or 2.." + std::to_string(largest) + ", not '" + value +
                   "'";
        }
        box.setValue(*number);
    }
    session.fireKey = edited;
    return std::nullopt;
}

const char* groupName(LightingGroup group) {
    switch (group) {
        case LightingGroup::NT:
            return "nt";
        case LightingGroup::ColourMode:
            return "colour-mode";
        case LightingGroup::ColourBreathing:
            return "colour-breathing";
        case LightingGroup::None:
            break;
    }
    return "none";
}

nlohmann::ordered_json optionalOption(const settings::OptionGroup* group) {
    if (group == nullptr || !group->selected()) {
        return nullptr;
    }
    return *group->selected();
}

nlohmann::ordered_json switchState(const settings::OptionGroup& group) {
    if (!group.selected()) {
        return nullptr;
    }
    return *group.selected() == settings::kOn;
}

}  // namespace

std::optional<ProfileFile> LoadProfileFile(const std::filesystem::path& path, std::string& error) {
    constexpr std::size_t kSmallest = img::profileFileSize(img::kDeviceType2);
    constexpr std::size_t kLargest = img::profileFileSize(img::kDeviceType10);
    const auto bytes = img::ReadFileBytes(path, kLargest, error);
    if (!bytes) {
        error += " (a profile file has " + std::to_string(kSmallest) + " or " +
                 std::to_string(kLargest) + " bytes)";
        return std::nullopt;
    }
    ProfileFile profile;
    profile.size = bytes->size();
    for (int type : {img::kDeviceType2, img::kDeviceType10}) {
        if (bytes->size() == img::profileFileSize(type)) {
            profile.deviceType = type;
        }
    }
    if (profile.deviceType == 0) {
        error = path.string() + ": " + std::to_string(bytes->size()) +
                " bytes is not a profile file (" + std::to_string(kSmallest) +
                " bytes for device type 2, " + std::to_string(kLargest) + " for device type 10)";
        return std::nullopt;
    }
    const int typeByte = (*bytes)[img::kDeviceTypeAddress];
    if (typeByte != profile.deviceType) {
        error = path.string() + ": a " + std::to_string(bytes->size()) +
                "-byte profile is for device type " + std::to_string(profile.deviceType) +
                " but its type byte (offset 42) is " + std::to_string(typeByte);
        return std::nullopt;
    }
    profile.image.loadProfileBytes(*bytes, profile.deviceType);
    return profile;
}

ProfileSession::ProfileSession(const text::Languages& languages, ProfileFile file)
    : profile(std::move(file)), settings(languages, memory) {
    macroEditor.setButtons(&settings.buttons);
    macroEditor.bind(profile.deviceType, profile.image.macroArea(profile.deviceType));
    macroEditor.ReadAndRefreshMacro();
    settings.decode(profile.image);
}

std::vector<std::uint8_t> ProfileSession::encode() {
    settings.buttons.RefreshMacroAddr();
    settings.encode(profile.image);
    return profile.image.toProfileBytes(profile.deviceType);
}

std::optional<std::string> ApplySetCommand(editor::SettingsSession& session,
                                           const std::vector<std::string>& words) {
    const std::string topic = words.empty() ? std::string() : words[0];
    if (topic == "button") {
        return setButton(session, words);
    }
    if (topic == "cpi") {
        return setCpi(session, words);
    }
    if (topic == "lighting") {
        return setLighting(session, words);
    }
    if (topic == "fire") {
        return setFire(session, words);
    }
    return "set what? (button, cpi, lighting or fire)";
}

std::string FunctionNamesHelp() {
    std::string text = "Functions: ";
    for (std::size_t i = 0; i < std::size(kFunctionNames); ++i) {
        text += (i ? ", " : "") + std::string(kFunctionNames[i].name);
    }
    text +=
        ";\na keyboard key with any of ctrl, shift, alt, win joined by '+' (a, f5, enter, "
        "page-up, ctrl+c, ctrl+shift+esc);\na macro by name (macro:Copy);\nor a code of six hex "
        "digits (010100).";
    return text;
}

nlohmann::ordered_json SettingsJson(editor::SettingsSession& session, int deviceType) {
    using json = nlohmann::ordered_json;
    json buttons = json::array();
    for (int n = 1; n <= keys::kButtonCount; ++n) {
        const std::string& code = session.buttons.codeText(n);
        buttons.push_back(
            {{"button", n}, {"code", code.substr(0, 6)}, {"name", session.buttons.captionText(n)}});
    }
    json levels = json::array();
    settings::CpiBytes bytes;
    settings::CpiLevels copy = session.cpi;
    copy.read(bytes, session.languages());
    for (int level = 1; level <= settings::kCpiLevelCount; ++level) {
        const std::string& text = session.cpi.valueText(level);
        json value = nullptr;
        if (const auto number = parseNumber(text)) {
            value = *number;
        }
        levels.push_back({{"level", level},
                          {"enabled", session.cpi.isEnabled(level)},
                          {"cpi", value},
                          {"colour", bytes.colour[static_cast<std::size_t>(level - 1)]}});
    }
    const auto current = session.cpi.current();
    settings::Lighting& lighting = session.lighting;
    json timings = json::object();
    for (const TimingOption& timing : kTimingOptions) {
        timings[timing.name] = (lighting.*timing.box).value();
    }
    return {
        {"deviceType", deviceType},
        {"language", session.languages().current()},
        {"buttons", buttons},
        {"cpi",
         {{"enabledLevels", session.cpi.count()},
          {"current", current ? json(*current) : json(nullptr)},
          {"levels", levels}}},
        {"lighting",
         {{"variant", lighting.words.kind == "Color" ? "colour" : "nt"},
          {"group", groupName(lighting.visible)},
          {"option", optionalOption(visibleGroup(lighting))},
          {"effect", switchState(lighting.ledKey)},
          {"effectSwitch", switchState(lighting.mcpi)},
          {"timings", timings}}},
        {"fireKey",
         {{"repeat", session.fireKey.repeatValue()}, {"delay", session.fireKey.delayValue()}}},
    };
}

std::string SettingsText(editor::SettingsSession& session, int deviceType) {
    const nlohmann::ordered_json json = SettingsJson(session, deviceType);
    std::ostringstream out;
    out << "Device type " << deviceType << "\n\nButtons\n";
    for (const auto& button : json["buttons"]) {
        char line[64];
        std::snprintf(line, sizeof line, "  %d  %s  ", button["button"].get<int>(),
                      button["code"].get<std::string>().c_str());
        out << line << button["name"].get<std::string>() << '\n';
    }
    const auto& cpi = json["cpi"];
    out << "\nCPI levels (" << cpi["enabledLevels"] << " enabled, current "
        << (cpi["current"].is_null() ? std::string("none") : cpi["current"].dump()) << ")\n";
    for (const auto& level : cpi["levels"]) {
        out << "  " << level["level"] << "  " << (level["enabled"].get<bool>() ? "on " : "off")
            << "  " << (level["cpi"].is_null() ? std::string("-") : level["cpi"].dump())
            << " CPI  colour " << level["colour"] << '\n';
    }
    const auto& lighting = json["lighting"];
    const auto onOffText = [](const nlohmann::ordered_json& value) {
        return value.is_null() ? std::string("-") : (value.get<bool>() ? "on" : "off");
    };
    out << "\nLighting: " << lighting["variant"].get<std::string>() << ", "
        << lighting["group"].get<std::string>() << " option "
        << (lighting["option"].is_null() ? std::string("none") : lighting["option"].dump())
        << ", button effect " << onOffText(lighting["effect"]) << ", effect switch "
        << onOffText(lighting["effectSwitch"]) << "\n ";
    for (const auto& [name, value] : lighting["timings"].items()) {
        out << ' ' << name << ' ' << value;
    }
    out << "\n\nFire key: repeat " << json["fireKey"]["repeat"] << ", delay "
        << json["fireKey"]["delay"] << '\n';
    return out.str();
}

}  // namespace vtr::app
