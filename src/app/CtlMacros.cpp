#include "app/CtlMacros.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <sstream>

#include "keys/ButtonAssignment.h"
#include "keys/KeyCatalogue.h"
#include "macros/StepList.h"
#include "text/Utf.h"

namespace vtr::app {

const char* const kMacroStepSyntax =
    R"(Steps of `macro set`, in playing order:
  +KEY / -KEY     press / release a key: a, f5, enter, space, page-up, ...
                  modifiers: ctrl, shift, alt, win, rwin
                  mouse buttons: mouse-left, mouse-right, mouse-middle,
                  mouse-forward, mouse-backward
  NUMBERms        a delay of 1..10200 milliseconds (8 ms steps in the mouse)
Example: macro set 1 +ctrl +c 48ms -c -ctrl)";

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::optional<int> number(std::string_view text, int largest) {
    int value = 0;
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value > largest) {
        return std::nullopt;
    }
    return value;
}

// The same key names `set button` takes.
std::optional<std::uint8_t> keyUsage(std::string_view name) {
    static const std::map<std::string, std::string> aliases = {
        {"space", "space-bar"}, {"escape", "esc"}, {"return", "enter"},
        {"del", "delete"},      {"ins", "insert"}, {"up", "up-arrow"},
        {"down", "down-arrow"}, {"left", "left-arrow"}, {"right", "right-arrow"},
    };
    std::string wanted = lower(name);
    if (const auto alias = aliases.find(wanted); alias != aliases.end()) {
        wanted = alias->second;
    }
    for (const keys::KeyEntry& entry : keys::KeyCatalogue()) {
        std::string candidate;
        for (char c : lower(entry.name)) {
            if (c == ' ' || c == '_') {
                candidate += '-';
            } else if (c != '(' && c != ')') {
                candidate += c;
            }
        }
        if (entry.deviceKey != 0 && candidate == wanted) {
            return entry.deviceKey;
        }
    }
    return std::nullopt;
}

// The step line of one step's bytes, as the step list writes it.
std::string lineOf(std::initializer_list<std::uint8_t> bytes, int type) {
    const std::vector<std::uint8_t> steps(bytes);
    const auto lines = macros::MacroBufToSteps(macros::StepBytesToRecord(steps, type)).lines;
    return lines.size() > 1 ? lines[1] : std::string();
}

// Compact steps into step lines; a message on a bad word.
std::optional<std::string> compactToLines(const std::vector<std::string>& words,
                                          std::size_t first, int type,
                                          macros::StepLines& lines) {
    static const std::map<std::string, std::uint8_t> modifiers = {
        {"ctrl", 0x01}, {"shift", 0x02}, {"alt", 0x04}, {"win", 0x08}, {"rwin", 0x80}};
    static const std::map<std::string, macros::MouseButton> buttons = {
        {"mouse-left", macros::MouseButton::Left},
        {"mouse-right", macros::MouseButton::Right},
        {"mouse-middle", macros::MouseButton::Middle},
        {"mouse-forward", macros::MouseButton::Forward},
        {"mouse-backward", macros::MouseButton::Backward}};
    lines = {macros::HeaderLine(macros::DelayMode::Record, "")};
    for (std::size_t i = first; i < words.size(); ++i) {
        const std::string word = lower(words[i]);
        if (word.size() > 2 && word.substr(word.size() - 2) == "ms") {
            const auto ms = number(word.substr(0, word.size() - 2), 10200);
            if (!ms || *ms < 1) {
                return "delay '" + words[i] + "' is not 1..10200 ms";
            }
            lines.push_back(macros::DelayLine(*ms));
            continue;
        }
        if (word.size() < 2 || (word[0] != '+' && word[0] != '-')) {
            return "step '" + words[i] + "' is neither +KEY, -KEY nor a delay like 96ms";
        }
        const bool press = word[0] == '+';
        const std::string name = word.substr(1);
        if (const auto m = modifiers.find(name); m != modifiers.end()) {
            lines.push_back(lineOf({static_cast<std::uint8_t>(press ? 0x81 : 0x01), m->second},
                                   type));
        } else if (const auto b = buttons.find(name); b != buttons.end()) {
            lines.push_back(macros::MouseStepLine(b->second, press));
        } else if (const auto usage = keyUsage(name)) {
            lines.push_back(lineOf({static_cast<std::uint8_t>(press ? 0x82 : 0x02), *usage},
                                   type));
        } else {
            return "unknown key '" + name + "' in '" + words[i] + "'";
        }
    }
    return std::nullopt;
}

// "macro N": a macro as `macro list` numbers them (1-based).
std::optional<int> macroIndex(const macros::MacroEditor& editor, const std::string& word,
                              std::string& error) {
    const int count = static_cast<int>(editor.macroNames().size());
    const auto n = number(word, 1000);
    if (!n || *n < 1 || *n > count) {
        error = "macro '" + word + "' does not exist (macros are 1.." + std::to_string(count) +
                ", see macro list)";
        return std::nullopt;
    }
    return *n - 1;
}

}  // namespace

MacroCommandResult RunMacroCommand(macros::MacroEditor& editor, keys::ButtonAssignment& buttons,
                                   const std::vector<std::string>& words,
                                   const std::function<std::string(const std::string&)>& text) {
    MacroCommandResult result;
    const auto refuse = [&](std::string message) {
        result.exitStatus = 2;
        result.error = std::move(message);
        return result;
    };
    // A macro operation's result: its message key becomes a refusal.
    const auto outcome = [&](const macros::MacroResult& r) {
        result.changed = r.macroChanged || r.done;
        if (!r.message.empty()) {
            return refuse(text(r.message));
        }
        if (!r.error.empty()) {
            return refuse(r.error);
        }
        return result;
    };
    const std::string verb = words.empty() ? std::string() : words[0];
    const int type = editor.type();
    const auto need = [&](std::size_t count) { return words.size() == count; };
    std::string error;

    if (verb == "list" && need(1)) {
        std::ostringstream out;
        const auto& names = editor.macroNames();
        const auto& memory = editor.memory();
        for (std::size_t i = 0; i < names.size(); ++i) {
            out << (i + 1) << "  " << text::ToUtf8(names[i]) << "  " << memory.storedLength(i)
                << " bytes\n";
        }
        out << memory.totalBytes() << " of " << memory.areaSize() << " bytes used\n";
        result.output = out.str();
        return result;
    }
    if (verb == "export-all" && need(2)) {
        return outcome(editor.ExportAllTo(words[1]));
    }
    if (verb == "import-all" && need(2)) {
        return outcome(editor.ImportAllFrom(words[1]));
    }
    if (verb == "new" && need(2)) {
        if (type != 10) {
            return refuse("a mouse of device type 2 has five fixed macros; new is not possible");
        }
        if (const auto r = editor.Btn_NewMacroClick(); !r.done) {
            return outcome(r);
        }
        if (text::ToUtf16(words[1]).size() > 14) {
            editor.IB_CloseClick();
            return refuse("macro name '" + words[1] + "' is longer than 14 characters");
        }
        return outcome(editor.ApplyMacroName(words[1]));
    }
    if (words.size() < 2) {
        return refuse("usage: macro list | show N | set N STEPS... | new NAME | rename N NAME | "
                      "delete N | clear N | export N FILE | export-all FILE | import N FILE | "
                      "import-all FILE");
    }
    const auto index = macroIndex(editor, words[1], error);
    if (!index) {
        return refuse(error);
    }
    const auto select = [&] { editor.LB_MacroNameClick(*index); };

    if (verb == "show" && need(2)) {
        select();
        std::ostringstream out;
        // In the syntax of `macro set`: +press, -release, delays as they are.
        for (int r = 0; r < editor.rowCount(); ++r) {
            const macros::StepRow row = editor.row(r);
            std::string text = row.text;
            if (row.icon == 0 && text.size() > 3 && text.substr(text.size() - 3) == " ms") {
                text.erase(text.size() - 3, 1);  // "96 ms" as "96ms"
            }
            out << (row.icon == 1 ? "+" : row.icon == 2 ? "-" : "") << text << '\n';
        }
        result.output = out.str();
        return result;
    }
    if (verb == "export" && need(3)) {
        select();
        return outcome(editor.ExportOneTo(words[2]));
    }
    if (verb == "import" && need(3)) {
        select();
        auto r = editor.ImportOneFrom(words[2]);
        r.macroChanged = true;
        return outcome(r);
    }
    if (verb == "rename" && need(3)) {
        if (type != 10) {
            return refuse("a mouse of device type 2 names its macros Macro1..Macro5");
        }
        if (text::ToUtf16(words[2]).size() > 14) {
            return refuse("macro name '" + words[2] + "' is longer than 14 characters");
        }
        select();
        if (const auto r = editor.Btn_NewNameClick(); !r.done) {
            return outcome(r);
        }
        return outcome(editor.ApplyMacroName(words[2]));
    }
    if (verb == "delete" && need(2)) {
        if (type != 10) {
            return refuse("a mouse of device type 2 keeps its five macros; use clear");
        }
        select();
        return outcome(editor.Btn_DelMacroClick());
    }
    if (verb == "clear" && need(2)) {
        select();
        return outcome(editor.Btn_ClearClick([](std::string_view) { return true; }));
    }
    if (verb == "set" && words.size() >= 2) {
        macros::StepLines lines;
        if (const auto bad = compactToLines(words, 2, type, lines)) {
            return refuse(*bad + "\n" + kMacroStepSyntax);
        }
        select();
        auto& memory = editor.memory();
        if (!macros::StepsToMacroBuf(memory, static_cast<std::size_t>(*index), lines)) {
            return refuse(text("Str104"));
        }
        memory.RefreshMacro();
        buttons.RefreshMacroAddr();
        result.changed = true;
        return result;
    }
    return refuse("unknown or incomplete macro command '" + verb + "'");
}

}  // namespace vtr::app
