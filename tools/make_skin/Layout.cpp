#include "Layout.h"

#include <sstream>

namespace skin {

namespace {

// Off-window places: a control put there stays in place and enabled but is
// never seen.
constexpr Point kBreathOutside{1350, 1139};
constexpr int kColourOutsideX = 1710;

struct Rgb {
    int r, g, b;
};

class Writer {
  public:
    void banner(const std::string& text) { out_ << "// " << text << "\n"; }
    void section(const std::string& name) { out_ << "[" << name << "]\n"; }
    void comment(const std::string& text) { out_ << "\n; " << text << "\n"; }
    void note(const std::string& text) { out_ << "; " << text << "\n"; }
    void value(const std::string& key, int value) { out_ << key << "=" << value << "\n"; }
    void text(const std::string& key, const std::string& value) {
        out_ << key << "=" << value << "\n";
    }
    void point(const std::string& prefix, Point p) {
        value(prefix + "_X", p.x);
        value(prefix + "_Y", p.y);
    }
    void colour(const std::string& prefix, Rgb c) {
        value(prefix + "_R", c.r);
        value(prefix + "_G", c.g);
        value(prefix + "_B", c.b);
    }
    // A control pair with its visibility key.
    void shown(const std::string& prefix, bool enabled, Point p) {
        value(prefix + "_Enable", enabled ? 1 : 0);
        point(prefix, p);
    }
    std::string str() const { return out_.str(); }

  private:
    std::ostringstream out_;
};

const char* languageName(int language) {
    switch (language) {
        case 2:
            return "Traditional Chinese";
        case 3:
            return "Simplified Chinese";
        default:
            return "English";
    }
}

}  // namespace

Arrangement arrangement(int language) {
    Arrangement a;
    if (language == 2) {
        a.buttonsOnTop = true;
        a.contentTop = 104;
        a.contentBottom = 486;
        a.headerRail = 100;
        a.footerRail = 490;
        a.bottomButtons = {{{548, 49}, {604, 49}, {660, 49}, {716, 49}}};
        a.save = {30, 497};
        a.load = {124, 497};
        a.main = {393, 497};
        a.adv = {487, 497};
        a.breath = {581, 497};
        a.macro = {675, 497};
        a.lang1 = {350, 56};
        a.lang2 = {256, 56};
        a.lang3 = {444, 56};
        a.p1 = {170, 113};
        a.p2 = {78, 125};
        a.p3 = {140, 177};
        a.p4 = {100, 122};
        a.logo = {30, 22};
        a.taglineBelow = true;
        a.colourColumn = true;
        a.key8 = true;
    } else {
        a.contentTop = 76;
        a.contentBottom = 500;
        a.headerRail = 72;
        a.footerRail = 504;
        a.bottomButtons = {{{548, 513}, {604, 513}, {660, 513}, {716, 513}}};
        a.save = {30, 520};
        a.load = {124, 520};
        a.main = {30, 39};
        a.adv = {124, 39};
        a.macro = {218, 39};
        a.breath = kBreathOutside;
        a.lang1 = {586, 39};
        a.lang2 = {492, 39};
        a.lang3 = {680, 39};
        a.p1 = {170, 106};
        a.p2 = {48, 118};
        a.p3 = {140, 170};
        a.p4 = {100, 115};
        a.logo = {30, 8};
    }
    return a;
}

std::string descriptorText(int language) {
    const Arrangement a = arrangement(language);
    const bool second = language == 2;
    Writer w;
    w.banner("VTR6420KD Gaming Mouse: window layout " + std::to_string(language) + " (" +
             languageName(language) + ")");
    w.banner(
        "Written by make-skin from tools/make_skin/Layout.cpp; change it there and regenerate.");
    w.section("org" + std::to_string(language));

    w.comment("A: Confirm, Apply, Reset, Exit");
    w.value("Size_A", 8);
    w.colour("Color_A", second ? Rgb{255, 255, 255} : Rgb{0, 255, 255});
    for (int i = 0; i < 4; ++i) {
        w.shown("Btn_A" + std::to_string(i + 1), true, a.bottomButtons[i]);
    }

    w.comment("B: page, profile and language buttons; labels inset by Btn_Space_F and Btn_Space_B");
    w.value("Size_B", 8);
    w.colour("Color_B", {226, 234, 242});
    w.value("Btn_Space_F", 12);
    w.value("Btn_Space_B", 12);
    w.shown("Btn_B1", true, a.main);
    w.shown("Btn_B4", true, a.adv);
    w.shown("Btn_B5", true, a.breath);
    w.shown("Btn_B11", true, a.macro);
    w.shown("Btn_B6", true, a.save);
    w.shown("Btn_B7", true, a.load);
    w.shown("Btn_B8", true, a.lang1);
    w.shown("Btn_B9", false, a.lang2);
    w.shown("Btn_B10", true, a.lang3);
    w.note("Btn_Program is kept for compatibility; nothing reads it");
    w.point("Btn_Program", {1400, 1139});

    w.comment("C: Main Control page, key labels over the mouse picture");
    w.value("Size_C", 9);
    w.colour("Color_C", {214, 228, 240});
    w.point("P1", a.p1);
    for (int key = 1; key <= 9; ++key) {
        const bool shown = key <= 6 || (key == 8 && a.key8);
        w.shown("Key" + std::to_string(key), shown, a.p1 + back1::kKeys[key - 1]);
    }
    w.value("Disable_X", a.p1.x);
    w.value("Disable_Y", a.p1.y);
    w.value("Disable_H", kBack1.h);
    w.value("Disable_W", kBack1.w);

    w.comment("D: Advanced page, pointer bars, fire key and CPI levels");
    w.value("Size_D", 8);
    w.colour("Color_D_Selected", second ? Rgb{255, 0, 0} : Rgb{0, 255, 0});
    w.colour("Color_D_notSelected", {122, 138, 156});
    w.colour("Color_D_Back", {10, 16, 22});
    w.point("P2", a.p2);
    w.point("FKCnt", a.p2 + back2::kFireCount);
    w.point("FKDelay", a.p2 + back2::kFireDelay);
    w.point("Spd", a.p2 + back2::kSpd);
    w.point("DbSpd", a.p2 + back2::kDbSpd);
    w.point("ScrSpd", a.p2 + back2::kScrSpd);
    for (int level = 1; level <= 8; ++level) {
        const std::string n = "DPI" + std::to_string(level);
        const int row = a.p2.y + back2::cpiRow(level);
        const int colourX = a.colourColumn ? a.p2.x + back2::kCpiColourX : kColourOutsideX;
        w.point(n + "_Color", {colourX, row - 1});
        w.point(n + "_Check", {a.p2.x + back2::kCpiCheckX, row - 2});
        w.point(n, {a.p2.x + back2::kCpiLabelX, row});
        w.point(n + "_Value", {a.p2.x + back2::kCpiValueX, row});
        w.point(n + "_Steps", {a.p2.x + back2::kCpiStepsX, row + 4});
    }

    w.comment("E: Breathing Light page");
    w.note("Size_E is kept for compatibility; nothing reads it");
    w.value("Size_E", 9);
    w.colour("Color_E", {96, 232, 255});
    w.point("P3", a.p3);
    w.point("MCPIOn", a.p3 + back3::kMcpiOn);
    w.point("MCPIOff", a.p3 + back3::kMcpiOff);
    w.point("LEDKeyOn", a.p3 + back3::kLedKeyOn);
    w.point("LEDKeyOff", a.p3 + back3::kLedKeyOff);
    for (int option = 1; option <= 5; ++option) {
        w.point("LEDNTMode" + std::to_string(option),
                a.p3 + Point{back3::kNtOptionX, back3::ntRow(option)});
    }
    w.point("LEDNTMode1Time", a.p3 + Point{back3::kNtStepX, back3::ntRow(1) - 1});
    w.point("LEDNTMode2Time", a.p3 + Point{back3::kNtStepX, back3::ntRow(3) - 1});
    w.point("LEDNTMode2Hold", a.p3 + Point{back3::kNtSecondX, back3::ntRow(3) - 1});
    w.point("LEDNTMode3Time", a.p3 + Point{back3::kNtStepX, back3::ntRow(4) - 1});
    w.point("LEDNTMode3Count", a.p3 + Point{back3::kNtSecondX, back3::ntRow(4) - 1});
    w.point("LEDColorMode1", a.p3 + back3::kColourMode1);
    w.point("LEDColorMode2", a.p3 + back3::kColourMode2);
    for (int option = 1; option <= 4; ++option) {
        w.point("LEDColorBre" + std::to_string(option),
                a.p3 + Point{back3::kBreX, back3::breRow(option)});
    }
    w.point("OffTime", a.p3 + back3::kOffTime);
    w.point("RiseTime", a.p3 + back3::kRiseTime);
    w.point("LightTime", a.p3 + back3::kLightTime);
    w.point("FallTime", a.p3 + back3::kFallTime);

    w.comment("F: Macro page; the delay and insert groups place their controls inside the group");
    w.value("Size_F", 9);
    w.colour("Color_F", {214, 228, 240});
    w.colour("Color_F_Font", {120, 232, 255});
    w.colour("Color_F_Back", {10, 16, 22});
    w.point("P4", a.p4);
    w.point("MacroName", a.p4 + back4::kMacroName);
    w.value("MacroNameHeight", 20);
    using back4::buttonRow;
    using back4::kButtonLeftX;
    using back4::kButtonRightX;
    w.point("BtnStart", a.p4 + Point{kButtonLeftX, buttonRow(0, 0)});
    w.point("BtnDel", a.p4 + Point{kButtonRightX, buttonRow(0, 0)});
    w.point("BtnInsert", a.p4 + Point{kButtonLeftX, buttonRow(0, 1)});
    w.point("BtnClear", a.p4 + Point{kButtonRightX, buttonRow(0, 1)});
    w.point("BtnSaveMacro", a.p4 + Point{kButtonRightX, buttonRow(1, 1)});
    w.point("BtnRename", a.p4 + Point{kButtonRightX, buttonRow(1, 0)});
    w.point("BtnNewMacro", a.p4 + Point{kButtonLeftX, buttonRow(1, 0)});
    w.point("BtnDelMacro", a.p4 + Point{kButtonLeftX, buttonRow(1, 1)});
    w.point("BtnExportOne", a.p4 + Point{kButtonLeftX, buttonRow(2, 0)});
    w.point("BtnExport", a.p4 + Point{kButtonRightX, buttonRow(2, 0)});
    w.point("BtnImportOne", a.p4 + Point{kButtonLeftX, buttonRow(2, 1)});
    w.point("BtnImport", a.p4 + Point{kButtonRightX, buttonRow(2, 1)});
    w.point("MacroContent", a.p4 + back4::kStepList);
    w.point("DelayTime", a.p4 + back4::kGroup);
    w.point("RecDelay", delaygroup::kRecDelay);
    w.value("RecDelay_H", delaygroup::kRowPitch);
    w.point("DelayEdit", delaygroup::kEdit);
    w.point("Insert", a.p4 + back4::kGroup);
    w.point("InsertList", insertgroup::kList);
    w.point("InsertRecDelay", insertgroup::kRecDelay);
    w.value("InsertRecDelay_H", insertgroup::kRowPitch);
    w.point("InsertDelayEdit", insertgroup::kDelayEdit);
    w.point("InsertBtnStart", insertgroup::kStart);
    w.point("InsertBtnOK", insertgroup::kOk);
    w.point("InsertBtnCancel", insertgroup::kCancel);

    if (language != 1) {
        w.comment("Update page (kept for compatibility; nothing reads it)");
        w.value("Size_I", 9);
        w.colour("Color_I", {226, 234, 242});
        w.point("P5", {1400, 1200});
        w.point("lbl_BINPath", {1420, 1260});
        w.point("lbl_LoadBin", {1420, 1230});
        w.point("Btn_LoadBin", {1600, 1255});
    }
    return w.str();
}

std::string webDescriptorText() {
    Writer w;
    w.banner("VTR6420KD Gaming Mouse: web button");
    w.banner(
        "Written by make-skin from tools/make_skin/Layout.cpp; change it there and regenerate.");
    w.section("org");
    w.comment("The address the web button opens, and its place (outside the window: never seen)");
    w.text("Web", kWebAddress);
    w.point("Web", {1317, 1500});
    return w.str();
}

}  // namespace skin
