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

// Font size and colour of a group of labels (all four copies of each).
void fontAndColour(const DescriptorKeys& keys, const LayoutTarget& target,
                   const std::vector<QString>& names, bool copies, const std::string& sizeKey,
                   const std::string& colourPrefix, int sizeOffset = 0) {
    std::vector<LabelButton*> labels;
    for (const QString& name : names) {
        if (copies) {
            for (const QString& copy : kCopies) {
                if (auto* label = qobject_cast<LabelButton*>(target.control(name + copy))) {
                    labels.push_back(label);
                }
            }
        } else if (auto* label = qobject_cast<LabelButton*>(target.control(name))) {
            labels.push_back(label);
        }
    }
    if (labels.empty()) {
        return;
    }
    if (const auto size = keys.integer(sizeKey)) {
        for (LabelButton* label : labels) {
            label->setPointSize(*size + sizeOffset);
        }
    }
    if (const auto colour = keys.colour(colourPrefix)) {
        for (LabelButton* label : labels) {
            label->setTextColour(*colour);
        }
    }
}

void groupA(const DescriptorKeys& keys, const LayoutTarget& target) {
    fontAndColour(keys, target, {"Btn_Confirm", "Btn_Apply", "Btn_Reset", "Btn_Exit"}, true,
                  "Size_A", "Color_A");
    enabledPair(keys, target, {"Btn_Confirm", "Img_Confirm", true}, "Btn_A1");
    enabledPair(keys, target, {"Btn_Apply", "Img_Apply", true}, "Btn_A2");
    enabledPair(keys, target, {"Btn_Reset", "Img_Reset", true}, "Btn_A3");
    enabledPair(keys, target, {"Btn_Exit", "Img_Exit", true}, "Btn_A4");
}

void groupB(const DescriptorKeys& keys, const LayoutTarget& target) {
    fontAndColour(keys, target,
                  {"Btn_Main", "Btn_Adv", "Btn_Breath", "Btn_Macro", "Btn_Save", "Btn_Load",
                   "Btn_Lang1", "Btn_Lang2", "Btn_Lang3"},
                  true, "Size_B", "Color_B");
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
        names.push_back(QStringLiteral("Key%1").arg(n));
    }
    fontAndColour(keys, target, names, false, "Size_C", "Color_C");
    place(keys, target, "Img_P1", "P1");
    for (int n = 1; n <= 9; ++n) {
        const std::string label = "Key" + std::to_string(n);
        const std::string image = "Img_Key" + std::to_string(n);
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
        ReportOnce("layout:" + lower(resourceName_) + ":" + lower(key),
                   "layout descriptor " + resourceName_ + ": key " + std::string(key) +
                       " is missing");
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

void ApplyDescriptor(const DescriptorKeys& keys, const LayoutTarget& target) {
    groupA(keys, target);
    groupB(keys, target);
    groupC(keys, target);
    place(keys, target, "Img_P2", "P2");
    place(keys, target, "Img_P3", "P3");
    place(keys, target, "Img_P4", "P4");
}

}  // namespace vtr::shell
