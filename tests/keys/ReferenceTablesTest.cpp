// The key and function tables against the public reference tables, so that a
// mistyped code cannot hide: virtual-key codes against the VK_ definitions of
// the Windows headers (mingw-w64), device key codes against the USB HID usage
// names of usb.ids. Both files come from Debian packages that scripts/install-deps
// installs; a missing file fails the test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>

#include "keys/FunctionCode.h"
#include "keys/KeyCatalogue.h"

namespace vtr::keys {
namespace {

constexpr const char* kUsbIds = "/var/lib/usbutils/usb.ids";
constexpr const char* kWinUser = "/usr/share/mingw-w64/include/winuser.h";

// usage -> name of one "HUT xx" page of usb.ids.
using UsagePage = std::map<int, std::string>;

std::optional<UsagePage> ReadUsagePage(const char* path, const std::string& page) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    UsagePage usages;
    const std::regex header("^HUT ([0-9a-fA-F]{2})\\s.*");
    const std::regex usage("^\\t([0-9a-fA-F]{3})  (.*)$");
    bool inPage = false;
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, header)) {
            inPage = m[1].str() == page;
        } else if (inPage && std::regex_match(line, m, usage)) {
            std::string name = m[2].str();
            // A misspelling in the file; compare with the usage's real name.
            if (name == "Alt Rigth") {
                name = "Alt Right";
            }
            usages[std::stoi(m[1].str(), nullptr, 16)] = name;
        } else if (!line.empty() && line[0] != '\t' && line[0] != '#') {
            inPage = false;
        }
    }
    return usages;
}

// VK_ name -> value.
std::optional<std::map<std::string, int>> ReadVirtualKeys(const char* path) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    std::map<std::string, int> keys;
    const std::regex define("^\\s*#define\\s+(VK_\\w+)\\s+(0x[0-9A-Fa-f]+)\\b.*");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, define)) {
            keys[m[1].str()] = std::stoi(m[2].str(), nullptr, 16);
        }
    }
    return keys;
}

constexpr const char* kMissing =
    " is missing: run scripts/install-deps (Debian packages usb.ids and mingw-w64-common)";

class ReferenceTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        keyboard_ = ReadUsagePage(kUsbIds, "07");
        consumer_ = ReadUsagePage(kUsbIds, "0c");
        virtualKeys_ = ReadVirtualKeys(kWinUser);
        ASSERT_TRUE(keyboard_ && consumer_) << kUsbIds << kMissing;
        ASSERT_TRUE(virtualKeys_) << kWinUser << kMissing;
        ASSERT_GT(keyboard_->size(), 100u) << kUsbIds << " has no keyboard page";
        ASSERT_GT(consumer_->size(), 100u) << kUsbIds << " has no consumer page";
        ASSERT_GT(virtualKeys_->size(), 100u) << kWinUser << " has no VK_ definitions";
    }

    static const KeyEntry& Entry(std::string_view name) {
        for (const KeyEntry& entry : KeyCatalogue()) {
            if (entry.name == name) {
                return entry;
            }
        }
        ADD_FAILURE() << "no catalogue entry named " << name;
        static const KeyEntry none{};
        return none;
    }

    int Usage(const std::string& name) const {
        for (const auto& [code, usageName] : *keyboard_) {
            if (usageName == name) {
                return code;
            }
        }
        ADD_FAILURE() << "the reference has no keyboard usage named " << name;
        return -1;
    }

    std::optional<UsagePage> keyboard_;
    std::optional<UsagePage> consumer_;
    std::optional<std::map<std::string, int>> virtualKeys_;
};

// What an entry's device key is checked against.
enum class Device {
    Usage,      // the keyboard-page usage named `usage`
    KeypadRun,  // a keypad digit the reference misplaces (see below)
    Own,        // one of the mouse's own codes, `own`
    None,       // no device code
};

struct Expectation {
    std::string name;
    std::string vk;  // the VK_ name; empty: the virtual key is `literalVk`
    Device device;
    std::string usage = {};
    int own = 0;
    int literalVk = 0;
};

Expectation U(std::string name, std::string vk, std::string usage) {
    return {std::move(name), std::move(vk), Device::Usage, std::move(usage)};
}
Expectation Own(std::string name, std::string vk, int code) {
    return {std::move(name), std::move(vk), Device::Own, {}, code};
}
Expectation NoCode(std::string name, std::string vk) {
    return {std::move(name), std::move(vk), Device::None};
}
Expectation Keypad(std::string name, std::string vk) {
    return {std::move(name), std::move(vk), Device::KeypadRun};
}

std::vector<Expectation> Expectations() {
    std::vector<Expectation> list = {
        // 0xFF is no key; the Windows headers leave it undefined.
        {"255", "", Device::None, {}, 0, 0xFF},
        U("Backspace", "VK_BACK", "Delete (Backspace)"),
        U("Tab", "VK_TAB", "Tab"),
        U("Clear", "VK_CLEAR", "Clear"),
        U("Enter", "VK_RETURN", "Return (Enter)"),
        U("Shift", "VK_SHIFT", "Shift Left"),
        U("Ctrl", "VK_CONTROL", "Control Left"),
        U("Alt", "VK_MENU", "Alt Left"),
        U("Pause", "VK_PAUSE", "Pause"),
        U("Caps Lock", "VK_CAPITAL", "Caps Lock"),
        U("Esc", "VK_ESCAPE", "Escape"),
        U("Space bar", "VK_SPACE", "Space Bar"),
        U("Page Up", "VK_PRIOR", "Page Up"),
        U("Page Down", "VK_NEXT", "Page Down"),
        U("End", "VK_END", "End"),
        U("Home", "VK_HOME", "Home"),
        U("Left Arrow", "VK_LEFT", "Left Arrow"),
        U("Up Arrow", "VK_UP", "Up Arrow"),
        U("Right Arrow", "VK_RIGHT", "Right Arrow"),
        U("Down Arrow", "VK_DOWN", "Down Arrow"),
        U("Select", "VK_SELECT", "Select"),
        U("Print Screen", "VK_SNAPSHOT", "Print Screen"),
        U("Insert", "VK_INSERT", "Insert"),
        U("Delete", "VK_DELETE", "Delete Forward (without Changing Position)"),
        U("Help", "VK_HELP", "Help"),
        U("Left Windows", "VK_LWIN", "GUI Left"),
        U("Right Windows", "VK_RWIN", "GUI Right"),
        U("Applications", "VK_APPS", "Keyboard Application (Windows Key for Win95 or Compose)"),
        Keypad("0 (numeric pad)", "VK_NUMPAD0"),
        U("1 (numeric pad)", "VK_NUMPAD1", "Keypad 1 and END"),
        U("2 (numeric pad)", "VK_NUMPAD2", "Keypad 2 and Down Arrow"),
        U("3 (numeric pad)", "VK_NUMPAD3", "Keypad 3 and Page Down"),
        U("4 (numeric pad)", "VK_NUMPAD4", "Keypad 4 and Left Arrow"),
        U("5 (numeric pad)", "VK_NUMPAD5", "Keypad 5 (Tactilei Raised)"),
        Keypad("6 (numeric pad)", "VK_NUMPAD6"),
        Keypad("7 (numeric pad)", "VK_NUMPAD7"),
        Keypad("8 (numeric pad)", "VK_NUMPAD8"),
        Keypad("9 (numeric pad)", "VK_NUMPAD9"),
        U("Multiply (numeric pad)", "VK_MULTIPLY", "Keypad * (Multiplication Sign)"),
        U("Add (numeric pad)", "VK_ADD", "Keypad + (Addition Sign)"),
        // The separator is sent as keypad Enter.
        U("Separator (numeric pad)", "VK_SEPARATOR", "Keypad Enter"),
        U("Subtract (numeric pad)", "VK_SUBTRACT", "Keypad - (Subtraction Sign)"),
        U("Decimal (numeric pad)", "VK_DECIMAL", "Keypad . (decimal delimiter) and Delete"),
        U("Divide (numeric pad)", "VK_DIVIDE", "Keypad / (Division Sign)"),
        U("Num Lock", "VK_NUMLOCK", "Num Lock and Clear"),
        U("Scroll Lock", "VK_SCROLL", "Scroll Lock"),
        U("Left Shift", "VK_LSHIFT", "Shift Left"),
        U("Right Shift", "VK_RSHIFT", "Shift Right"),
        U("Left Ctrl", "VK_LCONTROL", "Control Left"),
        U("Right Ctrl", "VK_RCONTROL", "Control Right"),
        U("Left Alt", "VK_LMENU", "Alt Left"),
        U("Right Alt", "VK_RMENU", "Alt Right"),
        U("OEM_1", "VK_OEM_1", "; and : (Semicolon and Colon)"),
        U("OEM_2", "VK_OEM_2", "/ and ? (Slash and Question Mark)"),
        U("OEM_3", "VK_OEM_3", "` and ~ (Accent Grace and Tilde)"),
        U("OEM_4", "VK_OEM_4", "[ and { (Bracket and Braces Left)"),
        U("OEM_5", "VK_OEM_5", "\\ and | (Backslash and Bar)"),
        U("OEM_6", "VK_OEM_6", "] and } (Bracket and Braces Right)"),
        U("OEM_7", "VK_OEM_7", "\xC2\xB4 and \" (Accent Acute and Double Quotes)"),
        NoCode("OEM_8", "VK_OEM_8"),
        U("OEM_Plus", "VK_OEM_PLUS", "= and + (Equal and Plus)"),
        U("OEM_Comma", "VK_OEM_COMMA", ", and < (Comma and Less)"),
        U("OEM_Minus", "VK_OEM_MINUS", "- and _ (Minus and underscore)"),
        U("OEM_Period", "VK_OEM_PERIOD", ". and > (Period and Greater)"),
        Own("Browser_Back", "VK_BROWSER_BACK", 0xCA),
        Own("Browser_Forward", "VK_BROWSER_FORWARD", 0xCB),
        Own("Browser_Refresh", "VK_BROWSER_REFRESH", 0xCD),
        Own("Browser_Stop", "VK_BROWSER_STOP", 0xCC),
        Own("Browser_Search", "VK_BROWSER_SEARCH", 0xC8),
        Own("Browser_Favorites", "VK_BROWSER_FAVORITES", 0xCE),
        Own("Browser_Home", "VK_BROWSER_HOME", 0xC9),
        Own("Volume_Mute", "VK_VOLUME_MUTE", 0xC4),
        Own("Volume_Down", "VK_VOLUME_DOWN", 0xC6),
        Own("Volume_Up", "VK_VOLUME_UP", 0xC5),
        Own("Media_Next_Track", "VK_MEDIA_NEXT_TRACK", 0xC0),
        Own("Media_Prev_Track", "VK_MEDIA_PREV_TRACK", 0xC1),
        Own("Media_Stop", "VK_MEDIA_STOP", 0xC2),
        Own("Media_Play_Pause", "VK_MEDIA_PLAY_PAUSE", 0xC3),
        Own("Launch_Mail", "VK_LAUNCH_MAIL", 0xC7),
        Own("Launch_Media_Select", "VK_LAUNCH_MEDIA_SELECT", 0xD1),
        NoCode("Launch_App1", "VK_LAUNCH_APP1"),
        NoCode("Launch_App2", "VK_LAUNCH_APP2"),
    };
    // Letters and digits: the virtual key is the ASCII code, which the Windows
    // headers do not define.
    for (char c = 'A'; c <= 'Z'; ++c) {
        list.push_back({std::string(1, c), "", Device::Usage, std::string(1, c), 0, c});
    }
    const char* const digitUsages[] = {
        "0 and ) (Zero and Parenthesis Right)",
        "1 and ! (One and Exclamation)",
        "2 and @ (2 and at)",
        "3 and # (3 and Hash)",
        "4 and $ (4 and Dollar Sign)",
        "5 and % (5 and Percent Sign)",
        "6 and ^ (6 and circumflex)",
        "7 and & (Seven and Ampersand)",
        "8 and * (Eight and asterisk)",
        "9 and ( (Nine and Parenthesis Left)",
    };
    for (int d = 0; d < 10; ++d) {
        list.push_back({std::to_string(d), "", Device::Usage, digitUsages[d], 0, '0' + d});
    }
    // F1 ... F24 carry the same names in both references.
    for (int n = 1; n <= 24; ++n) {
        const std::string f = "F" + std::to_string(n);
        list.push_back(U(f, "VK_" + f, f));
    }
    return list;
}

TEST(ReferenceTablesCoverageTest, EveryNamedKeyHasAnExpectation) {
    std::set<std::string> expected;
    for (const Expectation& e : Expectations()) {
        EXPECT_TRUE(expected.insert(e.name).second) << "two expectations for " << e.name;
    }
    for (int i = 0; i < kKeyCount; ++i) {
        const std::string name(KeyIndexToName(i));
        if (i == kNoKeyIndex || name.empty()) {
            continue;
        }
        EXPECT_TRUE(expected.count(name)) << "entry " << i << " (" << name << ") is not checked";
    }
    EXPECT_EQ(expected.size(), 142u);
}

TEST_F(ReferenceTablesTest, VirtualKeysAreTheWindowsOnes) {
    for (const Expectation& e : Expectations()) {
        SCOPED_TRACE(e.name);
        int vk = e.literalVk;
        if (!e.vk.empty()) {
            const auto it = virtualKeys_->find(e.vk);
            ASSERT_NE(it, virtualKeys_->end()) << e.vk << " is not in " << kWinUser;
            vk = it->second;
        }
        EXPECT_EQ(Entry(e.name).virtualKey, vk);
        EXPECT_EQ(KeyIndexToName(VirtualKeyToKeyIndex(static_cast<std::uint16_t>(vk))), e.name);
    }
}

TEST_F(ReferenceTablesTest, DeviceKeysAreTheKeyboardPageUsages) {
    for (const Expectation& e : Expectations()) {
        SCOPED_TRACE(e.name);
        const int code = Entry(e.name).deviceKey;
        switch (e.device) {
            case Device::Usage: {
                const auto it = keyboard_->find(code);
                ASSERT_NE(it, keyboard_->end()) << "code " << code << " has no usage name";
                EXPECT_EQ(it->second, e.usage) << "code " << code;
                break;
            }
            case Device::None:
                EXPECT_EQ(code, 0);
                break;
            case Device::Own:
                EXPECT_EQ(code, e.own);
                break;
            case Device::KeypadRun:
                break;  // below
        }
    }
}

// The reference lists keypad 6 ... 9 one place too high and has no keypad 0
// (its 0x62 reads "Keypad 8 and Page Up"). The usage tables number the keypad
// digits 1 ... 9, 0 in a row from "Keypad 1 and END", ending just before the
// keypad's decimal point; check that run against the two correct ends.
TEST_F(ReferenceTablesTest, KeypadDigitsRunFromKeypadOneToBeforeTheDecimalPoint) {
    const int one = Usage("Keypad 1 and END");
    const int point = Usage("Keypad . (decimal delimiter) and Delete");
    ASSERT_EQ(point - one, 10);
    for (int n = 1; n <= 9; ++n) {
        const std::string name = std::to_string(n) + " (numeric pad)";
        EXPECT_EQ(Entry(name).deviceKey, one + n - 1) << name;
    }
    EXPECT_EQ(Entry("0 (numeric pad)").deviceKey, point - 1);
}

// The mouse's own codes for browser, volume, media and mail keys lie in
// 0xC0 ... 0xD1, which the keyboard page gives to keypad extras (hexadecimal
// and memory keys) that no PC keyboard sends; they must not take the place of a
// key the reference names otherwise, nor of each other.
TEST_F(ReferenceTablesTest, TheMouseOwnCodesStayClearOfOrdinaryKeys) {
    std::set<int> own;
    for (const Expectation& e : Expectations()) {
        if (e.device != Device::Own) {
            continue;
        }
        const int code = Entry(e.name).deviceKey;
        EXPECT_GE(code, 0xC0) << e.name;
        EXPECT_LE(code, 0xD1) << e.name;
        EXPECT_TRUE(own.insert(code).second) << e.name << " shares its code";
        const auto it = keyboard_->find(code);
        if (it != keyboard_->end()) {
            EXPECT_EQ(it->second.rfind("Keypad", 0), 0u)
                << e.name << " takes the code of " << it->second;
        }
    }
    EXPECT_EQ(own.size(), 16u);
}

TEST_F(ReferenceTablesTest, ConsumerFunctionsAreTheConsumerPageUsages) {
    struct Case {
        int tag;
        const char* usage;
    };
    const Case cases[] = {
        {1100, "AL Local Machine Browser"},
        {1101, "AL Calculator"},
        {1102, "AL Email Reader"},
        {1300, "Play/Pause"},
        {1301, "Stop"},
        {1302, "Scan Previous Track"},
        {1303, "Scan Next Track"},
        {1304, "Volume Increment"},
        {1305, "Volume Decrement"},
        {1306, "Mute"},
        {1400, "AC Home"},
        {1401, "AC Search"},
        {1402, "AC Back"},
        {1403, "AC Forward"},
        {1404, "AC Stop"},
        {1405, "AC Refresh"},
        {1406, "AC Bookmarks"},
    };
    int checked = 0;
    for (const FunctionEntry& entry : FunctionCatalogue()) {
        if (entry.codeText.starts_with("03")) {
            ++checked;
        }
    }
    EXPECT_EQ(checked, 17) << "a consumer function without a case";

    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        const FunctionEntry* entry = FindFunction(c.tag);
        ASSERT_NE(entry, nullptr);
        const std::optional<CodeBytes> bytes = CodeTextToBytes(entry->codeText);
        ASSERT_TRUE(bytes);
        EXPECT_EQ((*bytes)[0], 0x03);
        const int usage = (*bytes)[1] << 8 | (*bytes)[2];
        EXPECT_EQ(usage, entry->consumerUsage);
        const auto it = consumer_->find(usage);
        if (it == consumer_->end() && std::string_view(c.usage) == "AC Bookmarks") {
            // usb.ids skips 0x22A; its neighbours pin the place.
            EXPECT_EQ(consumer_->at(0x229), "AC Next Link");
            EXPECT_EQ(consumer_->at(0x22B), "AC History");
            EXPECT_EQ(usage, 0x22A);
            continue;
        }
        ASSERT_NE(it, consumer_->end()) << "usage " << usage << " has no name";
        EXPECT_EQ(it->second, c.usage);
    }
}

}  // namespace
}  // namespace vtr::keys
