// The shipped layout descriptors ORG and ORG1 ... ORG3: every key the window
// reads is there and numeric, the values that shape each layout hold, and the
// controls they place fit the pages and panels of the skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/Resources.h"
#include "text/LayoutDescriptor.h"

namespace vtr::text {
namespace {

LayoutDescriptor shipped(int layout) {
    const std::string name = "org" + std::to_string(layout);
    return LayoutDescriptor::Parse(resources::find(name), name);
}

std::vector<std::string> xy(const std::string& prefix) {
    return {prefix + "_X", prefix + "_Y"};
}

std::vector<std::string> rgb(const std::string& prefix) {
    return {prefix + "_R", prefix + "_G", prefix + "_B"};
}

// Every key of ORG1 ... ORG3 that the window reads, by group.
std::vector<std::string> requiredKeys() {
    std::vector<std::string> keys;
    auto add = [&](const std::vector<std::string>& more) {
        keys.insert(keys.end(), more.begin(), more.end());
    };
    auto pair = [&](const std::string& prefix) {
        keys.push_back(prefix + "_Enable");
        add(xy(prefix));
    };
    // A: bottom buttons.
    keys.push_back("Size_A");
    add(rgb("Color_A"));
    for (int i = 1; i <= 4; ++i) {
        pair("Btn_A" + std::to_string(i));
    }
    // B: page, profile and language buttons.
    keys.push_back("Size_B");
    add(rgb("Color_B"));
    add({"Btn_Space_F", "Btn_Space_B"});
    for (int i : {1, 4, 5, 11, 6, 7, 8, 9, 10}) {
        pair("Btn_B" + std::to_string(i));
    }
    // C: Main Control.
    keys.push_back("Size_C");
    add(rgb("Color_C"));
    add(xy("P1"));
    for (int i = 1; i <= 9; ++i) {
        pair("Key" + std::to_string(i));
    }
    add({"Disable_X", "Disable_Y", "Disable_H", "Disable_W"});
    // D: Advanced.
    keys.push_back("Size_D");
    add(rgb("Color_D_Selected"));
    add(rgb("Color_D_notSelected"));
    add(rgb("Color_D_Back"));
    for (const char* prefix : {"P2", "FKCnt", "FKDelay", "Spd", "DbSpd", "ScrSpd"}) {
        add(xy(prefix));
    }
    for (int level = 1; level <= 8; ++level) {
        const std::string n = "DPI" + std::to_string(level);
        for (const std::string& prefix :
             {n + "_Color", n + "_Check", n, n + "_Value", n + "_Steps"}) {
            add(xy(prefix));
        }
    }
    // E: Breathing Light.
    add(rgb("Color_E"));
    for (const char* prefix : {"P3",
                               "MCPIOn",
                               "MCPIOff",
                               "LEDKeyOn",
                               "LEDKeyOff",
                               "LEDNTMode1",
                               "LEDNTMode2",
                               "LEDNTMode3",
                               "LEDNTMode4",
                               "LEDNTMode5",
                               "LEDNTMode1Time",
                               "LEDNTMode2Time",
                               "LEDNTMode2Hold",
                               "LEDNTMode3Time",
                               "LEDNTMode3Count",
                               "LEDColorMode1",
                               "LEDColorMode2",
                               "LEDColorBre1",
                               "LEDColorBre2",
                               "LEDColorBre3",
                               "LEDColorBre4",
                               "OffTime",
                               "RiseTime",
                               "LightTime",
                               "FallTime"}) {
        add(xy(prefix));
    }
    // F: Macro.
    keys.push_back("Size_F");
    add(rgb("Color_F"));
    add(rgb("Color_F_Font"));
    add(rgb("Color_F_Back"));
    for (const char* prefix : {"P4",
                               "MacroName",
                               "BtnStart",
                               "BtnDel",
                               "BtnInsert",
                               "BtnClear",
                               "BtnSaveMacro",
                               "BtnRename",
                               "BtnNewMacro",
                               "BtnDelMacro",
                               "BtnExportOne",
                               "BtnExport",
                               "BtnImportOne",
                               "BtnImport",
                               "MacroContent",
                               "DelayTime",
                               "RecDelay",
                               "DelayEdit",
                               "Insert",
                               "InsertList",
                               "InsertRecDelay",
                               "InsertDelayEdit",
                               "InsertBtnStart",
                               "InsertBtnOK",
                               "InsertBtnCancel"}) {
        add(xy(prefix));
    }
    add({"MacroNameHeight", "RecDelay_H", "InsertRecDelay_H"});
    // Present in the shipped files though nothing reads them.
    add({"Size_E", "Btn_Program_X", "Btn_Program_Y"});
    return keys;
}

TEST(ShippedLayoutsTest, EveryKeyIsPresentAndNumeric) {
    std::vector<std::string> updatePage = {"Size_I",        "P5_X",          "P5_Y",
                                           "lbl_BINPath_X", "lbl_BINPath_Y", "lbl_LoadBin_X",
                                           "lbl_LoadBin_Y", "Btn_LoadBin_X", "Btn_LoadBin_Y"};
    for (const std::string& key : rgb("Color_I")) {
        updatePage.push_back(key);
    }
    for (int layout = 1; layout <= 3; ++layout) {
        SCOPED_TRACE("ORG" + std::to_string(layout));
        const LayoutDescriptor descriptor = shipped(layout);
        for (const std::string& key : requiredKeys()) {
            EXPECT_TRUE(descriptor.integer(key).has_value()) << key;
        }
        if (layout != 1) {
            for (const std::string& key : updatePage) {
                EXPECT_TRUE(descriptor.integer(key).has_value()) << key;
            }
        }
        for (const char* prefix :
             {"Color_A", "Color_B", "Color_C", "Color_D_Selected", "Color_D_notSelected",
              "Color_D_Back", "Color_E", "Color_F", "Color_F_Font", "Color_F_Back"}) {
            EXPECT_TRUE(descriptor.colour(prefix).has_value()) << prefix;
        }
        // The window takes every descriptor's keys from its own section only.
        EXPECT_EQ(
            LayoutDescriptor::Parse(resources::find("org" + std::to_string(layout)), "org").size(),
            0u);
    }

    const LayoutDescriptor web = LayoutDescriptor::Parse(resources::find("org"), "org");
    ASSERT_TRUE(web.text("Web").has_value());
    EXPECT_TRUE(web.text("Web")->starts_with("https://")) << *web.text("Web");
    EXPECT_EQ(web.integer("Web_X"), 1317);
    EXPECT_EQ(web.integer("Web_Y"), 1500);
}

TEST(ShippedLayoutsTest, TellingValuesShapeEachLayout) {
    struct Telling {
        const char* key;
        int layout1and3;
        int layout2;
    };
    const Telling values[] = {
        {"Btn_B5_X", 1350, 581},        {"Btn_B5_Y", 1139, 497},
        {"Btn_B9_Enable", 0, 0},        {"Key7_Enable", 0, 0},
        {"Key8_Enable", 0, 1},          {"Key9_Enable", 0, 0},
        {"Btn_B1_Y", 39, 497},          {"Color_A_R", 0, 255},
        {"Color_A_G", 255, 255},        {"Color_A_B", 255, 255},
        {"Color_D_Selected_R", 0, 255}, {"Color_D_Selected_G", 255, 0},
        {"Color_D_Selected_B", 0, 0},   {"Btn_Space_F", 12, 12},
        {"Btn_Space_B", 12, 12},        {"MacroNameHeight", 20, 20},
    };
    for (int layout = 1; layout <= 3; ++layout) {
        SCOPED_TRACE("ORG" + std::to_string(layout));
        const LayoutDescriptor descriptor = shipped(layout);
        for (const Telling& value : values) {
            EXPECT_EQ(descriptor.integer(value.key),
                      layout == 2 ? value.layout2 : value.layout1and3)
                << value.key;
        }
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(descriptor.integer("Btn_A" + std::to_string(i) + "_Y"),
                      layout == 2 ? 49 : 513)
                << i;
        }
        for (int level = 1; level <= 8; ++level) {
            EXPECT_EQ(descriptor.integer("DPI" + std::to_string(level) + "_Color_X"),
                      layout == 2 ? 750 : 1710)
                << level;
        }
        // Six key buttons everywhere, and the seventh (Key8) in layout 2.
        for (int key = 1; key <= 6; ++key) {
            EXPECT_EQ(descriptor.integer("Key" + std::to_string(key) + "_Enable"), 1) << key;
        }
    }
}

// Sizes of the pictures and of the picture-less controls the skin leaves room for.
struct Box {
    int x, y, w, h;
    bool inside(const Box& outer) const {
        return x >= outer.x && y >= outer.y && x + w <= outer.x + outer.w &&
               y + h <= outer.y + outer.h;
    }
    bool overlaps(const Box& other) const {
        return x < other.x + other.w && other.x < x + w && y < other.y + other.h && other.y < y + h;
    }
};

class Layout {
  public:
    explicit Layout(int layout) : descriptor_(shipped(layout)) {}
    int value(const std::string& key) const {
        const auto v = descriptor_.integer(key);
        EXPECT_TRUE(v.has_value()) << key;
        return v.value_or(0);
    }
    Box box(const std::string& prefix, int w, int h) const {
        return {value(prefix + "_X"), value(prefix + "_Y"), w, h};
    }
    bool shown(const std::string& prefix) const { return value(prefix + "_Enable") == 1; }

  private:
    LayoutDescriptor descriptor_;
};

const Box kPage{0, 0, 800, 600};

TEST(ShippedLayoutsTest, SharedButtonsFitTheWindowWithoutOverlapping) {
    for (int layout = 1; layout <= 3; ++layout) {
        SCOPED_TRACE("ORG" + std::to_string(layout));
        const Layout l(layout);
        std::vector<std::pair<std::string, Box>> visible;
        for (int i = 1; i <= 4; ++i) {
            const std::string prefix = "Btn_A" + std::to_string(i);
            if (l.shown(prefix)) {
                visible.push_back({prefix, l.box(prefix, 48, 43)});
            }
        }
        for (int i : {1, 4, 5, 11, 6, 7, 8, 9, 10}) {
            const std::string prefix = "Btn_B" + std::to_string(i);
            const Box b = l.box(prefix, 90, 30);
            // The Breathing Light button of layouts 1 and 3 is meant to lie outside.
            if (l.shown(prefix) && b.inside(kPage)) {
                visible.push_back({prefix, b});
            } else if (l.shown(prefix)) {
                EXPECT_TRUE(prefix == "Btn_B5" && layout != 2) << prefix << " lies partly outside";
            }
        }
        for (std::size_t i = 0; i < visible.size(); ++i) {
            EXPECT_TRUE(visible[i].second.inside({0, 0, 800, 568})) << visible[i].first;
            for (std::size_t j = i + 1; j < visible.size(); ++j) {
                EXPECT_FALSE(visible[i].second.overlaps(visible[j].second))
                    << visible[i].first << " and " << visible[j].first;
            }
        }
    }
}

TEST(ShippedLayoutsTest, PageControlsLieOnTheirPanels) {
    for (int layout = 1; layout <= 3; ++layout) {
        SCOPED_TRACE("ORG" + std::to_string(layout));
        const Layout l(layout);

        // Main Control: key labels on the panel, apart, and all under the blocker.
        const Box panel1 = l.box("P1", 460, 364);
        const Box blocker{l.value("Disable_X"), l.value("Disable_Y"), l.value("Disable_W"),
                          l.value("Disable_H")};
        EXPECT_TRUE(panel1.inside(kPage));
        std::vector<Box> keys;
        for (int key = 1; key <= 9; ++key) {
            const std::string prefix = "Key" + std::to_string(key);
            if (!l.shown(prefix)) {
                continue;
            }
            const Box label = l.box(prefix, 135, 27);
            EXPECT_TRUE(label.inside(panel1)) << prefix;
            EXPECT_TRUE(label.inside(blocker)) << prefix;
            for (const Box& other : keys) {
                EXPECT_FALSE(label.overlaps(other)) << prefix;
            }
            keys.push_back(label);
        }

        // Advanced: bars, fire-key boxes and every CPI level's controls.
        const Box panel2 = l.box("P2", 705, 340);
        EXPECT_TRUE(panel2.inside(kPage));
        for (const char* bar : {"Spd", "DbSpd", "ScrSpd"}) {
            EXPECT_TRUE(l.box(bar, 10 * 24, 7 + 8 + 14).inside(panel2)) << bar;
        }
        EXPECT_TRUE(l.box("FKCnt", 40, 20).inside(panel2));
        EXPECT_TRUE(l.box("FKDelay", 40, 20).inside(panel2));
        for (int level = 1; level <= 8; ++level) {
            const std::string n = "DPI" + std::to_string(level);
            EXPECT_TRUE(l.box(n + "_Check", 18, 19).inside(panel2)) << n;
            EXPECT_TRUE(l.box(n + "_Steps", 8 * 19, 7).inside(panel2)) << n;
            EXPECT_TRUE(l.box(n, 40, 16).inside(panel2)) << n;
            EXPECT_TRUE(l.box(n + "_Value", 40, 16).inside(panel2)) << n;
            const Box colour = l.box(n + "_Color", 20, 18);
            if (layout == 2) {
                EXPECT_TRUE(colour.inside(panel2)) << n;
            } else {
                EXPECT_FALSE(colour.overlaps(kPage)) << n;
            }
        }

        // Breathing Light: options and timing boxes.
        const Box panel3 = l.box("P3", 521, 236);
        EXPECT_TRUE(panel3.inside(kPage));
        for (const char* option :
             {"MCPIOn", "MCPIOff", "LEDKeyOn", "LEDKeyOff", "LEDNTMode1", "LEDNTMode2",
              "LEDNTMode3", "LEDNTMode4", "LEDNTMode5", "LEDColorMode1", "LEDColorMode2",
              "LEDColorBre1", "LEDColorBre2", "LEDColorBre3", "LEDColorBre4"}) {
            EXPECT_TRUE(l.box(option, 16, 16).inside(panel3)) << option;
        }
        for (const char* box :
             {"LEDNTMode1Time", "LEDNTMode2Time", "LEDNTMode2Hold", "LEDNTMode3Time",
              "LEDNTMode3Count", "OffTime", "RiseTime", "LightTime", "FallTime"}) {
            EXPECT_TRUE(l.box(box, 34, 18).inside(panel3)) << box;
        }

        // Macro: lists, buttons, and the delay and insert groups in one place.
        const Box panel4 = l.box("P4", 600, 346);
        EXPECT_TRUE(panel4.inside(kPage));
        EXPECT_TRUE(l.box("MacroName", 180, 120).inside(panel4));
        EXPECT_TRUE(l.box("MacroContent", 166, 288).inside(panel4));
        std::vector<Box> buttons;
        for (const char* button : {"BtnStart", "BtnDel", "BtnInsert", "BtnClear", "BtnSaveMacro",
                                   "BtnRename", "BtnNewMacro", "BtnDelMacro", "BtnExportOne",
                                   "BtnExport", "BtnImportOne", "BtnImport"}) {
            const Box b = l.box(button, 80, 25);
            EXPECT_TRUE(b.inside(panel4)) << button;
            for (const Box& other : buttons) {
                EXPECT_FALSE(b.overlaps(other)) << button;
            }
            buttons.push_back(b);
        }
        const Box group = l.box("DelayTime", 207, 162);
        EXPECT_TRUE(group.inside(panel4));
        EXPECT_EQ(l.value("Insert_X"), group.x);
        EXPECT_EQ(l.value("Insert_Y"), group.y);
        const Box inGroup{0, 0, 207, 162};
        const int h = l.value("RecDelay_H");
        EXPECT_TRUE(l.box("RecDelay", 12, 2 * h + 12).inside(inGroup));
        EXPECT_TRUE(l.box("DelayEdit", 60, 20).inside(inGroup));
        EXPECT_TRUE(l.box("InsertList", 187, 22).inside(inGroup));
        const Box edit = l.box("InsertDelayEdit", 40, 20);
        EXPECT_TRUE(edit.inside(inGroup));
        EXPECT_TRUE((Box{edit.x - 74, edit.y + 2, 70, 16}).inside(inGroup));  // lbl_Delay
        EXPECT_TRUE((Box{edit.x + 44, edit.y + 2, 24, 16}).inside(inGroup));  // lbl_s_A
        EXPECT_TRUE(
            l.box("InsertRecDelay", 12, 2 * l.value("InsertRecDelay_H") + 12).inside(inGroup));
        const Box start = l.box("InsertBtnStart", 80, 25);
        const Box ok = l.box("InsertBtnOK", 40, 25);
        const Box cancel = l.box("InsertBtnCancel", 40, 25);
        for (const Box& b : {start, ok, cancel}) {
            EXPECT_TRUE(b.inside(inGroup));
        }
        EXPECT_FALSE(start.overlaps(ok));
        EXPECT_FALSE(ok.overlaps(cancel));
        EXPECT_FALSE(start.overlaps(cancel));
    }
}

}  // namespace
}  // namespace vtr::text
