#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/HeldInputFilter.h"

namespace vtr::platform {
namespace {

// A raw key event: down or up, keycode, and for a press the virtual key.
struct Raw {
    bool down;
    unsigned keycode;
    std::uint16_t vk = 0;
};

// What comes out, as "+41" (down) and "-41" (up), in hexadecimal.
std::vector<std::string> Filtered(HeldInputFilter& filter, const std::vector<Raw>& events) {
    std::vector<std::string> out;
    for (const Raw& event : events) {
        const std::optional<std::uint16_t> vk =
            event.down ? filter.keyDown(event.keycode, event.vk) : filter.keyUp(event.keycode);
        if (vk) {
            char text[8];
            std::snprintf(text, sizeof text, "%c%X", event.down ? '+' : '-', *vk);
            out.emplace_back(text);
        }
    }
    return out;
}

TEST(HeldInputFilterTest, KeysGoDownOnceAndUpOnce) {
    struct Case {
        const char* what;
        std::vector<Raw> events;
        std::vector<std::string> reported;
    };
    const Case cases[] = {
        {"press and release", {{true, 38, 0x41}, {false, 38}}, {"+41", "-41"}},
        {"a repeated press and a repeated release",
         {{true, 38, 0x41}, {true, 38, 0x41}, {false, 38}, {false, 38}},
         {"+41", "-41"}},
        {"a release of a key never pressed", {{false, 38}, {true, 56, 0x42}}, {"+42"}},
        {"A, B, release B, release A",
         {{true, 38, 0x41}, {true, 56, 0x42}, {false, 56}, {false, 38}},
         {"+41", "+42", "-42", "-41"}},
        // Left and right Shift are both 0x10: down with the first, up with the last.
        {"both Shift keys",
         {{true, 50, 0x10}, {true, 62, 0x10}, {false, 50}, {true, 38, 0x41}, {false, 62}},
         {"+10", "+41", "-10"}},
        // Num Lock went on between the press and the release of keypad 1.
        {"a release keeps the virtual key of its press",
         {{true, 87, 0x23}, {false, 87}, {true, 87, 0x61}, {false, 87}},
         {"+23", "-23", "+61", "-61"}},
        {"keycodes outside 0..255", {{true, 256, 0x41}, {false, 256}, {false, 1000}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeldInputFilter filter;
        EXPECT_EQ(Filtered(filter, c.events), c.reported);
    }
}

TEST(HeldInputFilterTest, ButtonsArePressedOnceAndReleasedOnce) {
    HeldInputFilter filter;
    EXPECT_FALSE(filter.buttonRelease(CaptureButton::Left));
    EXPECT_TRUE(filter.buttonPress(CaptureButton::Left));
    EXPECT_FALSE(filter.buttonPress(CaptureButton::Left));
    // The other buttons are tracked apart.
    EXPECT_TRUE(filter.buttonPress(CaptureButton::Forward));
    EXPECT_FALSE(filter.buttonRelease(CaptureButton::Right));
    EXPECT_TRUE(filter.buttonRelease(CaptureButton::Left));
    EXPECT_FALSE(filter.buttonRelease(CaptureButton::Left));
    EXPECT_TRUE(filter.buttonRelease(CaptureButton::Forward));
    EXPECT_FALSE(filter.buttonPress(static_cast<CaptureButton>(5)));
}

}  // namespace
}  // namespace vtr::platform
