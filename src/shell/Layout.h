#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "text/LayoutDescriptor.h"

// Placing the window's controls from a layout descriptor: positions,
// visibility, font sizes and colours, by the descriptor's keys. A key that is
// missing or not a decimal integer leaves what it would set as it was and is
// reported once on stderr.
namespace vtr::shell {

// The keys of one descriptor resource ("ORG1"), reporting the defective ones.
class DescriptorKeys {
  public:
    // `descriptor` null: the resource is missing (reported once), and every
    // key reads as absent without further reports.
    DescriptorKeys(const text::LayoutDescriptor* descriptor, std::string resourceName);

    std::optional<int> integer(std::string_view key) const;
    std::optional<QColor> colour(std::string_view prefix) const;
    std::optional<std::string> text(std::string_view key) const;

  private:
    void reportDefect(std::string_view key) const;

    const text::LayoutDescriptor* descriptor_;
    std::string resourceName_;
};

// The controls the layout places, found by name; null for a control the
// window does not have.
class LayoutTarget {
  public:
    virtual ~LayoutTarget() = default;
    virtual QWidget* control(const QString& name) const = 0;
};

// What a descriptor sets besides the places, fonts and colours of controls:
// colours and sizes that other parts of the window use when they draw. A value
// is absent when its keys are missing or defective.
struct LayoutValues {
    std::optional<QColor> cpiSelected;     // Color_D_Selected: an enabled CPI level
    std::optional<QColor> cpiNotSelected;  // Color_D_notSelected: a disabled one
    std::optional<QColor> fireKeyBack;     // Color_D_Back: the fire-key boxes
    std::optional<QColor> macroLabel;      // Color_F: the macro page's labels
    std::optional<QColor> macroValue;      // Color_F_Font: its lists and boxes
    std::optional<QColor> macroBack;       // Color_F_Back: their background
    std::optional<int> macroNameHeight;    // MacroNameHeight: rows of the macro names
};

// The web button's pair Btn_Web_1 ... _4 over Img_Web_1 ... _4 (always shown).
void PlaceWebButton(const DescriptorKeys& keys, const LayoutTarget& target);

// Every key of a language's descriptor, in the descriptor's order, for the
// controls the window has; keys of controls it does not have are not read.
// The images must already hold their pictures: label sizes and bar spacing
// come from image sizes.
//
// Patterns: a pair is a label over an image (label placed and sized as the
// image, or inset by Btn_Space_F and Btn_Space_B); an option is an image at
// (X, Y) with its label at (X - 4, Y - 2); a bar is a row of segments spaced by
// the width of segment 1, with step label k at (X + (k - 1) w - 4, Y + 8).
LayoutValues ApplyDescriptor(const DescriptorKeys& keys, const LayoutTarget& target);

}  // namespace vtr::shell
