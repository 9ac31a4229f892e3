#pragma once

#include <array>
#include <string>

// Where every control of the main window sits, per language, and the places
// inside the panel pictures that the artwork draws around. The descriptors
// ORG, ORG1 ... ORG3 are written from here, so the pictures and the positions
// cannot drift apart.
namespace skin {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int w = 0;
    int h = 0;
};

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}

// Image sizes (fixed by the window's image set).
inline constexpr Size kWindow{800, 600};
inline constexpr Size kBackground{800, 568};
inline constexpr Size kBack1{460, 364};
inline constexpr Size kBack2{705, 340};
inline constexpr Size kBack3{521, 236};
inline constexpr Size kBack4{600, 346};
inline constexpr Size kInsertBase{207, 162};
inline constexpr Size kBtnS{48, 43};
inline constexpr Size kSetS{90, 30};
inline constexpr Size kKeyS{135, 27};
inline constexpr Size kMacroS{80, 25};
inline constexpr Size kMacroBtnS{40, 25};
inline constexpr Size kWebS{177, 88};
inline constexpr Size kBar1{24, 7};
inline constexpr Size kBar2{19, 7};
inline constexpr Size kCbS{18, 19};
inline constexpr Size kRdS{16, 16};
inline constexpr Size kDialog{354, 179};
inline constexpr Size kDialogButton{97, 30};
inline constexpr Size kDialogEdit{209, 22};
inline constexpr Size kStepIcon{24, 24};

// Sizes the artwork leaves room for, for the controls that have no picture of
// their own (the window chooses them; these are what the pictures expect).
inline constexpr Size kFireKeyBox{40, 20};
inline constexpr Size kColourBox{20, 18};
inline constexpr Size kTimingBox{34, 18};
inline constexpr Size kDelayBox{60, 20};
inline constexpr Size kInsertDelayBox{40, 20};
inline constexpr Size kInsertList{187, 22};
inline constexpr Size kMacroNameListSize{180, 120};
inline constexpr Size kStepListSize{166, 288};
inline constexpr Size kLamp{12, 12};
inline constexpr Size kGroupSize{207, 162};  // Gb_Delay and Gb_Insert

// Panel-relative places, the same in every language.
namespace back1 {
inline constexpr int kMouseCentreX = 240;
// Key label slots Key1 ... Key9 (index 0 is Key1).
inline constexpr std::array<Point, 9> kKeys{{
    {6, 40},     // Key1 left button
    {321, 100},  // Key2 wheel
    {321, 40},   // Key3 right button
    {6, 213},    // Key4 lower side button
    {6, 177},    // Key5 upper side button
    {321, 160},  // Key6 button behind the wheel
    {6, 290},    // Key7 (not shown)
    {321, 220},  // Key8 top button (layout 2)
    {321, 290},  // Key9 (not shown)
}};
}  // namespace back1

namespace back2 {
inline constexpr Point kSpd{58, 44};
inline constexpr Point kDbSpd{58, 114};
inline constexpr Point kScrSpd{58, 184};
inline constexpr int kSectionPitch = 70;
inline constexpr Point kFireCount{150, 258};
inline constexpr Point kFireDelay{150, 292};
// Row n (1..8) of the CPI levels: its top.
inline constexpr int cpiRow(int level) {
    return 66 + 32 * (level - 1);
}
inline constexpr int kCpiLabelX = 378;
inline constexpr int kCpiCheckX = 428;
inline constexpr int kCpiStepsX = 464;
inline constexpr int kCpiValueX = 628;
inline constexpr int kCpiColourX = 672;  // layout 2 only
}  // namespace back2

namespace back3 {
inline constexpr Point kMcpiOn{196, 17};
inline constexpr Point kMcpiOff{262, 17};
inline constexpr Point kLedKeyOn{196, 41};
inline constexpr Point kLedKeyOff{262, 41};
inline constexpr int ntRow(int option) {
    return 102 + 25 * (option - 1);
}
inline constexpr int kNtOptionX = 24;
inline constexpr int kNtStepX = 186;
inline constexpr int kNtSecondX = 266;
inline constexpr Point kColourMode1{366, 41};
inline constexpr Point kColourMode2{444, 41};
inline constexpr int breRow(int option) {
    return 100 + 20 * (option - 1);
}
inline constexpr int kBreX = 366;
inline constexpr Point kOffTime{394, 184};
inline constexpr Point kRiseTime{472, 184};
inline constexpr Point kLightTime{394, 208};
inline constexpr Point kFallTime{472, 208};
}  // namespace back3

namespace back4 {
inline constexpr Point kMacroName{21, 40};
inline constexpr Point kStepList{230, 40};
inline constexpr Point kGroup{6, 178};  // Gb_Delay and Gb_Insert
// The twelve buttons: two columns, three groups of two rows.
inline constexpr int kButtonLeftX = 420;
inline constexpr int kButtonRightX = 504;
inline constexpr int buttonRow(int group, int row) {
    return 40 + 108 * group + 32 * row;
}
inline constexpr int groupTitleY(int group) {
    return 16 + 108 * group;
}
}  // namespace back4

// Inside the delay group (Gb_Delay): relative to the group.
namespace delaygroup {
inline constexpr Point kRecDelay{16, 40};
inline constexpr int kRowPitch = 26;
inline constexpr Point kEdit{100, 122};
}  // namespace delaygroup

// Inside the insert group (Gb_Insert over InsertDelayBase / InsertKeyBase).
// Places inside the small dialogs (354 × 179).
namespace dialog {
inline constexpr Point kEdit{56, 68};
inline constexpr Point kConfirm{44, 134};
inline constexpr Point kCancel{196, 134};
inline constexpr Point kClose{316, 6};
}  // namespace dialog

namespace insertgroup {
inline constexpr Point kList{10, 10};
inline constexpr Point kDelayEdit{96, 40};
inline constexpr Point kRecDelay{16, 70};
inline constexpr int kRowPitch = 20;
inline constexpr Point kStart{8, 130};
inline constexpr Point kOk{116, 130};
inline constexpr Point kCancel{160, 130};
}  // namespace insertgroup

// The places that differ between the languages' arrangements.
struct Arrangement {
    bool buttonsOnTop = false;  // layout 2: bottom buttons on top, page buttons at the bottom
    int contentTop = 0;         // the band between header and footer
    int contentBottom = 0;
    int headerRail = 0;                    // y of the glowing line under the header
    int footerRail = 0;                    // y of the glowing line over the footer
    std::array<Point, 4> bottomButtons{};  // Confirm, Apply, Reset, Exit
    Point main, adv, breath, macro, save, load, lang1, lang2, lang3;
    Point p1, p2, p3, p4;
    Point logo;                 // top left of the name plate
    bool taglineBelow = false;  // tagline under the name instead of beside it
    bool colourColumn = false;  // CPI colour boxes visible
    bool key8 = false;          // top button shown
};

Arrangement arrangement(int language);

// The descriptor texts.
std::string descriptorText(int language);  // ORG1 ... ORG3
std::string webDescriptorText();           // ORG

inline constexpr const char* kWebAddress = "https://vtr6420kd.example.org";

}  // namespace skin
