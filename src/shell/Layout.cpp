#include "shell/Layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "shell/ReportOnce.h"
#include "shell/SkinControls.h"

namespace vtr::shell {

namespace {

const std::array<QString, 4> kCopies = {"_1", "_2", "_3", "_4"};

std::string lower(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// A label lying over an image, in one copy or in the four page copies.
struct Pair {
    const char* label;  // "Btn_Confirm" or "Key1"
    const char* image;  // "Img_Confirm" or "Img_Key1"
    bool copies;
};

std::vector<std::pair<QWidget*, QWidget*>> pairControls(const LayoutTarget& target,
                                                        const Pair& pair) {
    std::vector<std::pair<QWidget*, QWidget*>> found;
    if (pair.copies) {
        for (const QString& copy : kCopies) {
            QWidget* label = target.control(pair.label + copy);
            QWidget* image = target.control(pair.image + copy);
            if (label != nullptr && image != nullptr) {
                found.emplace_back(label, image);
            }
        }
    } else {
        QWidget* label = target.control(pair.label);
        QWidget* image = target.control(pair.image);
        if (label != nullptr && image != nullptr) {
            found.emplace_back(label, image);
        }
    }
    return found;
}

struct Inset {
    int front = 0;
    int back = 0;
};

// Image at (X, Y); label over it, its size the image's, narrowed by the inset.
void placePair(const DescriptorKeys& keys, const LayoutTarget& target, const Pair& pair,
               const std::string& xKey, const std::string& yKey,
               std::optional<Inset> inset = Inset{}) {
    const auto controls = pairControls(target, pair);
    if (controls.empty()) {
        return;
    }
    const auto x = keys.integer(xKey);
    const auto y = keys.integer(yKey);
    if (!x || !y || !inset) {
        return;
    }
    for (const auto& [label, image] : controls) {
        image->move(*x, *y);
        label->setGeometry(*x + inset->front, *y, image->width() - inset->front - inset->back,
                           image->height());
    }
}

// The value 1 shows the pair and places it by its X and Y keys; any other
// value hides it without reading them.
void enabledPair(const DescriptorKeys& keys, const LayoutTarget& target, const Pair& pair,
                 const std::string& prefix, std::optional<Inset> inset = Inset{}) {
    const auto controls = pairControls(target, pair);
    if (controls.empty()) {
        return;
    }
    const auto enable = keys.integer(prefix + "_Enable");
    if (!enable) {
        return;
    }
    const bool shown = *enable == 1;
    for (const auto& [label, image] : controls) {
        label->setVisible(shown);
        image->setVisible(shown);
    }
    if (shown) {
        placePair(keys, target, pair, prefix + "_X", prefix + "_Y", inset);
    }
}

void place(const DescriptorKeys& keys, const LayoutTarget& target, const QString& name,
           const std::string& prefix) {
    QWidget* control = target.control(name);
    if (control == nullptr) {
        return;
    }
    const auto x = keys.integer(prefix + "_X");
    const auto y = keys.integer(prefix + "_Y");
    if (x && y) {
        control->move(*x, *y);
    }
}

QString numbered(const char* base, int n, const char* tail = "") {
    return QString::fromLatin1(base) + QString::number(n) + QString::fromLatin1(tail);
}

std::string key(const char* base, int n, const char* tail) {
    return base + std::to_string(n) + tail;
}

// The controls of these names the window has; each name in four page copies
// when `copies`.
std::vector<QWidget*> controlsNamed(const LayoutTarget& target, const std::vector<QString>& names,
                                    bool copies = false) {
    std::vector<QWidget*> found;
    for (const QString& name : names) {
        if (copies) {
            for (const QString& copy : kCopies) {
                if (QWidget* w = target.control(name + copy)) {
                    found.push_back(w);
                }
            }
        } else if (QWidget* w = target.control(name)) {
            found.push_back(w);
        }
    }
    return found;
}

void setPointSize(QWidget* control, int points) {
    if (auto* label = qobject_cast<LabelButton*>(control)) {
        label->setPointSize(points);
        return;
    }
    QFont font = control->font();
    font.setPointSize(std::max(1, points));
    control->setFont(font);
}

void setTextColour(QWidget* control, const QColor& colour) {
    if (auto* label = qobject_cast<LabelButton*>(control)) {
        label->setTextColour(colour);
        return;
    }
    QPalette palette = control->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, colour);
    }
    control->setPalette(palette);
}

void setBackColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    control->setPalette(palette);
}

void fontSize(const DescriptorKeys& keys, const std::vector<QWidget*>& controls,
              const std::string& sizeKey, int offset = 0) {
    if (controls.empty()) {
        return;
    }
    if (const auto size = keys.integer(sizeKey)) {
        for (QWidget* control : controls) {
            setPointSize(control, *size + offset);
        }
    }
}

void textColour(const DescriptorKeys& keys, const std::vector<QWidget*>& controls,
                const std::string& prefix) {
    if (controls.empty()) {
        return;
    }
    if (const auto colour = keys.colour(prefix)) {
        for (QWidget* control : controls) {
            setTextColour(control, *colour);
        }
    }
}

// Image at (X, Y), its label at (X - 4, Y - 2).
void option(const DescriptorKeys& keys, const LayoutTarget& target, const char* name) {
    QWidget* image = target.control(QStringLiteral("Img_") + name);
    QWidget* label = target.control(QStringLiteral("lbl_") + name);
    if (image == nullptr && label == nullptr) {
        return;
    }
    const auto x = keys.integer(std::string(name) + "_X");
    const auto y = keys.integer(std::string(name) + "_Y");
    if (!x || !y) {
        return;
    }
    if (image != nullptr) {
        image->move(*x, *y);
    }
    if (label != nullptr) {
        label->move(*x - 4, *y - 2);
    }
}

// Segments `image`1 ... `image`n in a row spaced by segment 1's width; step
// label k (when `label` is given) at (X + (k - 1) w - 4, Y + 8).
void bar(const DescriptorKeys& keys, const LayoutTarget& target, const std::string& prefix,
         const char* image, const char* label, int count) {
    QWidget* first = target.control(numbered(image, 1));
    if (first == nullptr) {
        return;
    }
    const auto x = keys.integer(prefix + "_X");
    const auto y = keys.integer(prefix + "_Y");
    if (!x || !y) {
        return;
    }
    const int width = first->width();
    for (int k = 1; k <= count; ++k) {
        const int left = *x + (k - 1) * width;
        if (QWidget* segment = target.control(numbered(image, k))) {
            segment->move(left, *y);
        }
        if (label != nullptr) {
            if (QWidget* step = target.control(numbered(label, k))) {
                step->move(left - 4, *y + 8);
            }
        }
    }
}

// Three rows H apart: the lamps at X, their option boxes at X - 2.
void delayRows(const DescriptorKeys& keys, const LayoutTarget& target, const std::string& prefix,
               const std::array<const char*, 3>& lamps, const std::array<const char*, 3>& boxes) {
    std::vector<QWidget*> lampControls;
    std::vector<QWidget*> boxControls;
    for (std::size_t i = 0; i < 3; ++i) {
        lampControls.push_back(target.control(lamps[i]));
        boxControls.push_back(target.control(boxes[i]));
    }
    const auto present = [](QWidget* w) { return w != nullptr; };
    if (std::none_of(lampControls.begin(), lampControls.end(), present) &&
        std::none_of(boxControls.begin(), boxControls.end(), present)) {
        return;
    }
    const auto x = keys.integer(prefix + "_X");
    const auto y = keys.integer(prefix + "_Y");
    const auto h = keys.integer(prefix + "_H");
    if (!x || !y || !h) {
        return;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const int top = *y + static_cast<int>(i) * *h;
        if (lampControls[i] != nullptr) {
            lampControls[i]->move(*x, top);
        }
        if (boxControls[i] != nullptr) {
            boxControls[i]->move(*x - 2, top);
        }
    }
}

void groupA(const DescriptorKeys& keys, const LayoutTarget& target) {
    const auto labels =
        controlsNamed(target, {"Btn_Confirm", "Btn_Apply", "Btn_Reset", "Btn_Exit"}, true);
    fontSize(keys, labels, "Size_A");
    textColour(keys, labels, "Color_A");
    enabledPair(keys, target, {"Btn_Confirm", "Img_Confirm", true}, "Btn_A1");
    enabledPair(keys, target, {"Btn_Apply", "Img_Apply", true}, "Btn_A2");
    enabledPair(keys, target, {"Btn_Reset", "Img_Reset", true}, "Btn_A3");
    enabledPair(keys, target, {"Btn_Exit", "Img_Exit", true}, "Btn_A4");
}

void groupB(const DescriptorKeys& keys, const LayoutTarget& target) {
    const auto labels = controlsNamed(target,
                                      {"Btn_Main", "Btn_Adv", "Btn_Breath", "Btn_Macro", "Btn_Save",
                                       "Btn_Load", "Btn_Lang1", "Btn_Lang2", "Btn_Lang3"},
                                      true);
    fontSize(keys, labels, "Size_B");
    textColour(keys, labels, "Color_B");
    const auto front = keys.integer("Btn_Space_F");
    const auto back = keys.integer("Btn_Space_B");
    std::optional<Inset> inset;
    if (front && back) {
        inset = Inset{*front, *back};
    }
    const struct {
        const char* prefix;
        const char* label;
        const char* image;
    } rows[] = {
        {"Btn_B1", "Btn_Main", "Img_Main"},     {"Btn_B4", "Btn_Adv", "Img_Adv"},
        {"Btn_B5", "Btn_Breath", "Img_Breath"}, {"Btn_B11", "Btn_Macro", "Img_Macro"},
        {"Btn_B6", "Btn_Save", "Img_Save"},     {"Btn_B7", "Btn_Load", "Img_Load"},
        {"Btn_B8", "Btn_Lang1", "Img_Lang1"},   {"Btn_B9", "Btn_Lang2", "Img_Lang2"},
        {"Btn_B10", "Btn_Lang3", "Img_Lang3"},
    };
    for (const auto& row : rows) {
        enabledPair(keys, target, {row.label, row.image, true}, row.prefix, inset);
    }
}

void groupC(const DescriptorKeys& keys, const LayoutTarget& target) {
    std::vector<QString> names;
    for (int n = 1; n <= 9; ++n) {
        names.push_back(numbered("Key", n));
    }
    const auto labels = controlsNamed(target, names);
    fontSize(keys, labels, "Size_C");
    textColour(keys, labels, "Color_C");
    place(keys, target, "Img_P1", "P1");
    for (int n = 1; n <= 9; ++n) {
        const std::string label = key("Key", n, "");
        const std::string image = key("Img_Key", n, "");
        enabledPair(keys, target, {label.c_str(), image.c_str(), false}, label);
    }
    if (QWidget* blocker = target.control("Disable")) {
        const auto x = keys.integer("Disable_X");
        const auto y = keys.integer("Disable_Y");
        const auto h = keys.integer("Disable_H");
        const auto w = keys.integer("Disable_W");
        if (x && y && h && w) {
            blocker->setGeometry(*x, *y, std::max(0, *w), std::max(0, *h));
        }
    }
}

void groupD(const DescriptorKeys& keys, const LayoutTarget& target, LayoutValues& values) {
    std::vector<QString> steps;
    std::vector<QString> levelValues;
    std::vector<QString> levels;
    for (int k = 1; k <= 10; ++k) {
        for (const char* bar : {"lbl_Spd", "lbl_DbSpd", "lbl_ScrSpd"}) {
            steps.push_back(numbered(bar, k));
        }
    }
    for (int n = 1; n <= 8; ++n) {
        levelValues.push_back(numbered("lbl_DPI", n, "Value"));
        levels.push_back(numbered("lbl_DPI", n));
    }
    const auto stepLabels = controlsNamed(target, steps);
    const auto valueLabels = controlsNamed(target, levelValues);
    const auto levelLabels = controlsNamed(target, levels);
    const auto boxes = controlsNamed(target, {"Edt_Repeat1", "Edt_DelayTime1"});
    auto smallLabels = stepLabels;
    smallLabels.insert(smallLabels.end(), valueLabels.begin(), valueLabels.end());
    fontSize(keys, smallLabels, "Size_D");
    fontSize(keys, levelLabels, "Size_D", 1);
    values.cpiSelected = keys.colour("Color_D_Selected");
    values.cpiNotSelected = keys.colour("Color_D_notSelected");
    values.fireKeyBack = keys.colour("Color_D_Back");
    if (values.cpiNotSelected) {
        auto plain = smallLabels;
        plain.insert(plain.end(), boxes.begin(), boxes.end());
        for (QWidget* control : plain) {
            setTextColour(control, *values.cpiNotSelected);
        }
    }
    if (values.fireKeyBack) {
        for (QWidget* box : boxes) {
            setBackColour(box, *values.fireKeyBack);
        }
    }
    place(keys, target, "Img_P2", "P2");
    place(keys, target, "Edt_Repeat1", "FKCnt");
    place(keys, target, "Edt_DelayTime1", "FKDelay");
    bar(keys, target, "Spd", "Img_Spd", "lbl_Spd", 10);
    bar(keys, target, "DbSpd", "Img_DbSpd", "lbl_DbSpd", 10);
    bar(keys, target, "ScrSpd", "Img_ScrSpd", "lbl_ScrSpd", 10);
    for (int n = 1; n <= 8; ++n) {
        place(keys, target, numbered("Edt_CPI", n, "Color"), key("DPI", n, "_Color"));
        place(keys, target, numbered("Img_DPI", n), key("DPI", n, "_Check"));
        place(keys, target, numbered("lbl_DPI", n), key("DPI", n, ""));
        place(keys, target, numbered("lbl_DPI", n, "Value"), key("DPI", n, "_Value"));
        const std::string segments = key("Img_DPI", n, "_");
        bar(keys, target, key("DPI", n, "_Steps"), segments.c_str(), nullptr, 8);
    }
}

void groupE(const DescriptorKeys& keys, const LayoutTarget& target) {
    const auto boxes =
        controlsNamed(target, {"edt_LEDNTMode1Time", "edt_LEDNTMode2Time", "edt_LEDNTMode2Hold",
                               "edt_LEDNTMode3Time", "edt_LEDNTMode3Count", "edt_OffTime",
                               "edt_RiseTime", "edt_LightTime", "edt_FallTime"});
    textColour(keys, boxes, "Color_E");
    place(keys, target, "Img_P3", "P3");
    for (const char* name : {"MCPIOn", "MCPIOff", "LEDKeyOn", "LEDKeyOff", "LEDNTMode1",
                             "LEDNTMode2", "LEDNTMode3", "LEDNTMode4", "LEDNTMode5"}) {
        option(keys, target, name);
    }
    for (const char* name : {"LEDNTMode1Time", "LEDNTMode2Time", "LEDNTMode2Hold", "LEDNTMode3Time",
                             "LEDNTMode3Count"}) {
        place(keys, target, QStringLiteral("edt_") + name, name);
    }
    for (const char* name : {"LEDColorMode1", "LEDColorMode2", "LEDColorBre1", "LEDColorBre2",
                             "LEDColorBre3", "LEDColorBre4"}) {
        option(keys, target, name);
    }
    for (const char* name : {"OffTime", "RiseTime", "LightTime", "FallTime"}) {
        place(keys, target, QStringLiteral("edt_") + name, name);
    }
}

void groupF(const DescriptorKeys& keys, const LayoutTarget& target, LayoutValues& values) {
    const std::vector<QString> labelNames = {
        "Btn_Clear",         "Btn_Start",          "Btn_Export",       "Btn_Import",
        "Btn_Del",           "Btn_Insert",         "Btn_SaveMacro",    "Btn_NewName",
        "Btn_NewMacro",      "Btn_DelMacro",       "Btn_ExportOne",    "Btn_ImportOne",
        "IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay", "lbl_Delay",
        "lbl_s_A",           "Btn_InsertStart",    "Btn_OK",           "Btn_Cancel"};
    const std::vector<QString> valueNames = {"LB_MacroName", "Edt_Delay", "Edt_InsertDelay"};
    auto sized = controlsNamed(target, labelNames);
    const auto labels = sized;
    const auto valueControls = controlsNamed(target, valueNames);
    sized.insert(sized.end(), valueControls.begin(), valueControls.end());
    fontSize(keys, sized, "Size_F");
    fontSize(keys, controlsNamed(target, {"CB_Insert"}), "Size_F", -1);
    values.macroLabel = keys.colour("Color_F");
    values.macroValue = keys.colour("Color_F_Font");
    values.macroBack = keys.colour("Color_F_Back");
    const auto coloured = controlsNamed(target, {"CB_Insert"});
    if (values.macroLabel) {
        for (QWidget* control : labels) {
            setTextColour(control, *values.macroLabel);
        }
        for (QWidget* control : coloured) {
            setTextColour(control, *values.macroLabel);
        }
    }
    const auto lists =
        controlsNamed(target, {"LB_MacroName", "LB_macro", "Edt_Delay", "Edt_InsertDelay"});
    if (values.macroValue) {
        for (QWidget* control : lists) {
            setTextColour(control, *values.macroValue);
        }
    }
    if (values.macroBack) {
        for (QWidget* control : lists) {
            setBackColour(control, *values.macroBack);
        }
    }
    place(keys, target, "Img_P4", "P4");
    place(keys, target, "LB_MacroName", "MacroName");
    values.macroNameHeight = keys.integer("MacroNameHeight");
    const struct {
        const char* prefix;
        const char* name;
    } pairs[] = {{"BtnStart", "Start"},         {"BtnDel", "Del"},
                 {"BtnInsert", "Insert"},       {"BtnClear", "Clear"},
                 {"BtnSaveMacro", "SaveMacro"}, {"BtnRename", "NewName"},
                 {"BtnNewMacro", "NewMacro"},   {"BtnDelMacro", "DelMacro"},
                 {"BtnExportOne", "ExportOne"}, {"BtnExport", "Export"},
                 {"BtnImportOne", "ImportOne"}, {"BtnImport", "Import"}};
    for (const auto& pair : pairs) {
        const std::string label = std::string("Btn_") + pair.name;
        const std::string image = std::string("Img_") + pair.name;
        placePair(keys, target, {label.c_str(), image.c_str(), false},
                  std::string(pair.prefix) + "_X", std::string(pair.prefix) + "_Y");
    }
    place(keys, target, "LB_macro", "MacroContent");
    place(keys, target, "Gb_Delay", "DelayTime");
    delayRows(keys, target, "RecDelay", {"LED_RecDelay", "LED_DelayTime", "LED_NoDelay"},
              {"IB_RecDelay", "IB_DelayTime", "IB_NoDelay"});
    place(keys, target, "Edt_Delay", "DelayEdit");
    place(keys, target, "Gb_Insert", "Insert");
    place(keys, target, "Img_InsertBase", "Insert");
    place(keys, target, "CB_Insert", "InsertList");
    delayRows(keys, target, "InsertRecDelay",
              {"LED_InsertRecDelay", "LED_InsertDelayTime", "LED_InsertNoDelay"},
              {"IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay"});
    const auto insertDelay = controlsNamed(target, {"Edt_InsertDelay", "lbl_Delay", "lbl_s_A"});
    if (!insertDelay.empty()) {
        const auto x = keys.integer("InsertDelayEdit_X");
        const auto y = keys.integer("InsertDelayEdit_Y");
        if (x && y) {
            const struct {
                const char* name;
                int dx;
                int dy;
            } places[] = {{"Edt_InsertDelay", 0, 0}, {"lbl_Delay", -74, 2}, {"lbl_s_A", 44, 2}};
            for (const auto& p : places) {
                if (QWidget* control = target.control(p.name)) {
                    control->move(*x + p.dx, *y + p.dy);
                }
            }
        }
    }
    placePair(keys, target, {"Btn_InsertStart", "Img_InsertStart", false}, "InsertBtnStart_X",
              "InsertBtnStart_Y");
    placePair(keys, target, {"Btn_OK", "Img_OK", false}, "InsertBtnOK_X", "InsertBtnOK_Y");
    placePair(keys, target, {"Btn_Cancel", "Img_Cancel", false}, "InsertBtnCancel_X",
              "InsertBtnCancel_Y");
}

}  // namespace

DescriptorKeys::DescriptorKeys(const text::LayoutDescriptor* descriptor, std::string resourceName)
    : descriptor_(descriptor), resourceName_(std::move(resourceName)) {
    if (descriptor_ == nullptr) {
        ReportOnce("layout:" + lower(resourceName_),
                   "layout descriptor " + resourceName_ +
                       " is missing; the controls it places stay where they are");
    }
}

void DescriptorKeys::reportDefect(std::string_view key) const {
    const bool present = descriptor_->contains(key);
    ReportOnce("layout:" + lower(resourceName_) + ":" + lower(key),
               "layout descriptor " + resourceName_ + ": key " + std::string(key) +
                   (present ? " is not a decimal integer" : " is missing") +
                   "; what it sets stays as it was");
}

std::optional<int> DescriptorKeys::integer(std::string_view key) const {
    if (descriptor_ == nullptr) {
        return std::nullopt;
    }
    const auto value = descriptor_->integer(key);
    if (!value) {
        reportDefect(key);
    }
    return value;
}

std::optional<QColor> DescriptorKeys::colour(std::string_view prefix) const {
    if (descriptor_ == nullptr) {
        return std::nullopt;
    }
    const auto value = descriptor_->colour(prefix);
    if (!value) {
        for (const char* channel : {"_R", "_G", "_B"}) {
            const std::string key = std::string(prefix) + channel;
            const auto channelValue = descriptor_->integer(key);
            if (!channelValue) {
                reportDefect(key);
            } else if (*channelValue < 0 || *channelValue > 255) {
                ReportOnce("layout:" + lower(resourceName_) + ":" + lower(key),
                           "layout descriptor " + resourceName_ + ": key " + key +
                               " is outside 0..255; the colour stays as it was");
            }
        }
        return std::nullopt;
    }
    return QColor(value->red, value->green, value->blue);
}

std::optional<std::string> DescriptorKeys::text(std::string_view key) const {
    if (descriptor_ == nullptr) {
        return std::nullopt;
    }
    auto value = descriptor_->text(key);
    if (!value) {
        ReportOnce(
            "layout:" + lower(resourceName_) + ":" + lower(key),
            "layout descriptor " + resourceName_ + ": key " + std::string(key) + " is missing");
    }
    return value;
}

void PlaceWebButton(const DescriptorKeys& keys, const LayoutTarget& target) {
    const Pair web{"Btn_Web", "Img_Web", true};
    for (const auto& [label, image] : pairControls(target, web)) {
        label->show();
        image->show();
    }
    placePair(keys, target, web, "Web_X", "Web_Y");
}

LayoutValues ApplyDescriptor(const DescriptorKeys& keys, const LayoutTarget& target) {
    LayoutValues values;
    groupA(keys, target);
    groupB(keys, target);
    groupC(keys, target);
    groupD(keys, target, values);
    groupE(keys, target);
    groupF(keys, target, values);
    return values;
}

}  // namespace vtr::shell
