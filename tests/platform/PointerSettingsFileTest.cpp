#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/PointerSettingsFile.h"

namespace vtr::platform {
namespace {

using namespace std::string_literals;

constexpr const char* kMouse = "Control Panel\\Mouse";
constexpr const char* kDesktop = "Control Panel\\Desktop";

TEST(PointerSettingsFileTest, FindsTheFirstValueOfItsSection) {
    struct Case {
        const char* what;
        std::string text;
        const char* section;
        const char* name;
        std::optional<std::string> value;
    };
    const std::string usual =
        "[Control Panel\\Mouse]\nMouseSensitivity=10\nDoubleClickSpeed=500\n"
        "[Control Panel\\Desktop]\nWheelScrollLines=-1\n";
    const Case cases[] = {
        {"plain", usual, kMouse, "DoubleClickSpeed", "500"},
        {"second section", usual, kDesktop, "WheelScrollLines", "-1"},
        {"a name of another section", usual, kDesktop, "MouseSensitivity", std::nullopt},
        {"a section not there", usual, "Control Panel\\Keyboard", "MouseSensitivity", std::nullopt},
        {"any case", "[control panel\\MOUSE]\nmousesensitivity=4\n", kMouse, "MouseSensitivity",
         "4"},
        {"blanks and CR LF", "  [ Control Panel\\Mouse ]\t\r\n\tMouseSensitivity =  12 \r\n",
         kMouse, "MouseSensitivity", "12"},
        {"no final line break", "[Control Panel\\Mouse]\nMouseSensitivity=8", kMouse,
         "MouseSensitivity", "8"},
        {"empty value", "[Control Panel\\Mouse]\nMouseSpeed=\n", kMouse, "MouseSpeed", ""},
        {"value with '='", "[Control Panel\\Mouse]\nMouseSpeed=a=b\n", kMouse, "MouseSpeed", "a=b"},
        {"comments", "[Control Panel\\Mouse]\n;MouseSpeed=1\n# MouseSpeed=2\nMouseSpeed=3\n",
         kMouse, "MouseSpeed", "3"},
        {"first of repeated names", "[Control Panel\\Mouse]\nMouseSpeed=1\nMouseSpeed=2\n", kMouse,
         "MouseSpeed", "1"},
        {"first of repeated sections",
         "[Control Panel\\Mouse]\nOther=0\n[Control Panel\\Mouse]\nMouseSpeed=2\n", kMouse,
         "MouseSpeed", std::nullopt},
        {"before any section", "MouseSpeed=1\n[Control Panel\\Mouse]\n", kMouse, "MouseSpeed",
         std::nullopt},
        {"an unclosed header ends nothing",
         "[Control Panel\\Mouse]\n[Control Panel\\Desktop\nMouseSpeed=5\n", kMouse, "MouseSpeed",
         "5"},
        {"a line without '='", "[Control Panel\\Mouse]\nMouseSpeed\n", kMouse, "MouseSpeed",
         std::nullopt},
        {"NUL bytes and odd lines",
         "\0\xff[\n]\n[]\n[Control Panel\\Mouse]\n\0=1\nMouseSpeed=\0x\n"s, kMouse, "MouseSpeed",
         "\0x"s},
        {"empty text", "", kMouse, "MouseSpeed", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindSettingsValue(c.text, c.section, c.name), c.value) << c.what;
    }
}

TEST(PointerSettingsFileTest, SettingAValueKeepsEveryOtherLine) {
    struct Case {
        const char* what;
        std::string text;
        const char* section;
        const char* name;
        const char* value;
        std::string result;
    };
    const Case cases[] = {
        {"empty file", "", kMouse, "MouseSensitivity", "16",
         "[Control Panel\\Mouse]\nMouseSensitivity=16\n"},
        {"replaced in place",
         "# mine\n[Control Panel\\Mouse]\nMouseSensitivity=10\nDoubleClickSpeed=500\n", kMouse,
         "MouseSensitivity", "16",
         "# mine\n[Control Panel\\Mouse]\nMouseSensitivity=16\nDoubleClickSpeed=500\n"},
        {"matched in any case, written as given",
         "[control panel\\mouse]\n  mousesensitivity = 3\n", kMouse, "MouseSensitivity", "4",
         "[control panel\\mouse]\nMouseSensitivity=4\n"},
        {"added after the section's last entry",
         "[Control Panel\\Mouse]\nMouseSpeed=1\n\n; next\n\n[Control Panel\\Desktop]\n", kMouse,
         "MouseThreshold1", "6",
         "[Control Panel\\Mouse]\nMouseSpeed=1\n\n; next\nMouseThreshold1=6\n\n"
         "[Control Panel\\Desktop]\n"},
        {"added right after a bare header", "[Control Panel\\Desktop]\n\n[Other]\n", kDesktop,
         "WheelScrollLines", "3", "[Control Panel\\Desktop]\nWheelScrollLines=3\n\n[Other]\n"},
        {"section appended, final line break added", "[Control Panel\\Mouse]\nMouseSpeed=1",
         kDesktop, "WheelScrollLines", "-1",
         "[Control Panel\\Mouse]\nMouseSpeed=1\n[Control Panel\\Desktop]\nWheelScrollLines=-1\n"},
        {"CR LF lines kept, the new one LF",
         "[Control Panel\\Mouse]\r\nMouseSpeed=1\r\nMouseThreshold1=6\r\n", kMouse, "MouseSpeed",
         "2", "[Control Panel\\Mouse]\r\nMouseSpeed=2\nMouseThreshold1=6\r\n"},
        {"only the first of repeated names", "[Control Panel\\Mouse]\nMouseSpeed=1\nMouseSpeed=1\n",
         kMouse, "MouseSpeed", "0", "[Control Panel\\Mouse]\nMouseSpeed=0\nMouseSpeed=1\n"},
        {"a commented entry is not the entry", "[Control Panel\\Mouse]\n;MouseSpeed=1\n", kMouse,
         "MouseSpeed", "2", "[Control Panel\\Mouse]\n;MouseSpeed=1\nMouseSpeed=2\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithSettingsValue(c.text, c.section, c.name, c.value), c.result) << c.what;
    }
}

TEST(PointerSettingsFileTest, OnlyWhatReadsBackTheSameIsStorable) {
    EXPECT_TRUE(IsStorableSection(kMouse));
    EXPECT_TRUE(IsStorableName("MouseSensitivity"));
    EXPECT_TRUE(IsStorableValue("-1"));
    EXPECT_TRUE(IsStorableValue("")) << "an empty value reads back empty";
    for (const char* section : {"", " Mouse", "Mouse ", "Mo]use", "Mo\nuse"}) {
        EXPECT_FALSE(IsStorableSection(section)) << '"' << section << '"';
    }
    for (const char* name : {"", "a=b", "[a", ";a", "#a", " a", "a\t", "a\rb"}) {
        EXPECT_FALSE(IsStorableName(name)) << '"' << name << '"';
    }
    for (const char* value : {" 1", "1 ", "1\n", "1\r", "\x7f"}) {
        EXPECT_FALSE(IsStorableValue(value)) << '"' << value << '"';
    }
    EXPECT_FALSE(IsStorableValue(std::string("1\0", 2)));
}

// Whatever the file held, a value set reads back, and the values of other
// sections and names are what they were.
TEST(PointerSettingsFileTest, AnyTextTakesAValueAndKeepsTheOthers) {
    const std::vector<std::string> pieces = {"[Control Panel\\Mouse]",
                                             "[control panel\\mouse ]",
                                             "[Control Panel\\Desktop]",
                                             "[",
                                             "]",
                                             "MouseSpeed",
                                             "mousespeed ",
                                             "WheelScrollLines",
                                             "=",
                                             "=7",
                                             "-1",
                                             " ",
                                             "\t",
                                             "\r",
                                             "\n",
                                             "\n",
                                             "\n",
                                             ";",
                                             "#",
                                             std::string(1, '\0'),
                                             "\xff",
                                             "x"};
    std::mt19937 random(6420);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n) {
            text += pieces[pick(random)];
        }
        const auto othersBefore = FindSettingsValue(text, kDesktop, "WheelScrollLines");
        const auto siblingBefore = FindSettingsValue(text, kMouse, "MouseThreshold1");
        const std::string updated = WithSettingsValue(text, kMouse, "MouseSpeed", "12");
        ASSERT_EQ(FindSettingsValue(updated, kMouse, "MouseSpeed"), "12") << text;
        ASSERT_EQ(FindSettingsValue(updated, kDesktop, "WheelScrollLines"), othersBefore) << text;
        ASSERT_EQ(FindSettingsValue(updated, kMouse, "MouseThreshold1"), siblingBefore) << text;
        ASSERT_EQ(updated.back(), '\n');
    }
}

}  // namespace
}  // namespace vtr::platform
