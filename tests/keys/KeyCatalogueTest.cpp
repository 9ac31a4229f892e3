#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "keys/KeyCatalogue.h"

namespace vtr::keys {
namespace {

TEST(KeyCatalogueTest, KeyPressToNameToStoredCodeAndBack) {
    struct Case {
        std::uint16_t virtualKey;
        int index;
        const char* name;
        std::uint8_t deviceKey;
        const char* storedName;  // DeviceKeyToName of the device key
    };
    const Case cases[] = {
        {0x41, 78, "A", 0x04, "A"},
        {0x5A, 103, "Z", 0x1D, "Z"},
        {0x30, 104, "0", 0x27, "0"},
        {0x31, 105, "1", 0x1E, "1"},
        {0x0D, 6, "Enter", 0x28, "Enter"},
        {0x1B, 12, "Esc", 0x29, "Esc"},
        // The generic modifiers share the left-hand keys' codes and come back
        // under those names; both Windows keys come back as "Win".
        {0x10, 7, "Shift", 0xE1, "Left Shift"},
        {0x11, 8, "Ctrl", 0xE0, "Left Ctrl"},
        {0x12, 9, "Alt", 0xE2, "Left Alt"},
        {0xA0, 72, "Left Shift", 0xE1, "Left Shift"},
        {0xA5, 77, "Right Alt", 0xE6, "Right Alt"},
        {0x5B, 27, "Left Windows", 0xE3, "Win"},
        {0x5C, 28, "Right Windows", 0xE7, "Win"},
        // Named, but without a device code.
        {0xDF, 121, "OEM_8", 0x00, ""},
        {0xB6, 142, "Launch_App1", 0x00, ""},
        {0xB7, 143, "Launch_App2", 0x00, ""},
        {0xFF, 2, "255", 0x00, ""},
        // Unlisted virtual keys, also above one byte (not truncated to 0x41).
        {0xE5, 0, "None", 0x00, ""},
        {0x00, 0, "None", 0x00, ""},
        {0x0100, 0, "None", 0x00, ""},
        {0x4141, 0, "None", 0x00, ""},
        {0xFFFF, 0, "None", 0x00, ""},
        // The mouse's own media codes and the separator's keypad Enter.
        {0xB3, 139, "Media_Play_Pause", 0xC3, "Media_Play_Pause"},
        {0xA6, 126, "Browser_Back", 0xCA, "Browser_Back"},
        {0xB5, 141, "Launch_Media_Select", 0xD1, "Launch_Media_Select"},
        {0x6C, 42, "Separator (numeric pad)", 0x58, "Separator (numeric pad)"},
        {0x60, 30, "0 (numeric pad)", 0x62, "0 (numeric pad)"},
        {0x87, 69, "F24", 0x73, "F24"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "virtual key 0x" << std::hex << c.virtualKey);
        const int index = VirtualKeyToKeyIndex(c.virtualKey);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(KeyIndexToName(index), c.name);
        EXPECT_EQ(KeyIndexToDeviceKey(index), c.deviceKey);
        EXPECT_EQ(DeviceKeyToName(c.deviceKey), c.storedName);
    }
}

TEST(KeyCatalogueTest, IndexesAndCodesOutsideTheTableAreEmpty) {
    for (int index : {-1, 1, 144, 255, 1000}) {
        EXPECT_EQ(KeyIndexToName(index), "") << index;
        EXPECT_EQ(KeyIndexToDeviceKey(index), 0) << index;
    }
    for (int code : {0x00, 0x01, 0x02, 0x03, 0x32, 0x64, 0x9B, 0xBF, 0xD2, 0xE8, 0xFF}) {
        EXPECT_EQ(DeviceKeyToName(static_cast<std::uint8_t>(code)), "") << code;
    }
}

TEST(KeyCatalogueTest, EveryVirtualKeyReachesExactlyItsOwnEntry) {
    const auto catalogue = KeyCatalogue();
    ASSERT_EQ(catalogue.size(), 144u);
    std::map<int, int> listed;  // virtual key -> index
    for (int i = 0; i < kKeyCount; ++i) {
        if (catalogue[i].virtualKey >= 0) {
            EXPECT_TRUE(listed.emplace(catalogue[i].virtualKey, i).second)
                << "two entries for virtual key " << catalogue[i].virtualKey;
        }
    }
    EXPECT_EQ(listed.size(), 142u) << "every entry but 0 and 1 has a virtual key";
    for (int vk = 0; vk <= 0xFFFF; ++vk) {
        const auto it = listed.find(vk);
        const int expected = it == listed.end() ? kNoKeyIndex : it->second;
        ASSERT_EQ(VirtualKeyToKeyIndex(static_cast<std::uint16_t>(vk)), expected) << vk;
    }
}

TEST(KeyCatalogueTest, EveryStoredCodeNamesItsOwnKeyExceptTheSharedOnes) {
    std::multiset<int> codes;
    for (const KeyEntry& entry : KeyCatalogue()) {
        if (entry.deviceKey != 0) {
            codes.insert(entry.deviceKey);
        }
    }
    std::set<int> shared;
    for (int code : codes) {
        if (codes.count(code) > 1) {
            shared.insert(code);
        }
    }
    EXPECT_EQ(shared, (std::set<int>{0xE0, 0xE1, 0xE2})) << "only the generic modifiers share";

    for (const KeyEntry& entry : KeyCatalogue()) {
        const int code = entry.deviceKey;
        if (code == 0 || shared.count(code) || code == 0xE3 || code == 0xE7) {
            continue;
        }
        EXPECT_EQ(DeviceKeyToName(entry.deviceKey), entry.name);
    }
    // Every named code belongs to an entry.
    for (int code = 0; code <= 0xFF; ++code) {
        if (!DeviceKeyToName(static_cast<std::uint8_t>(code)).empty()) {
            EXPECT_TRUE(codes.count(code)) << code;
        }
    }
}

}  // namespace
}  // namespace vtr::keys
