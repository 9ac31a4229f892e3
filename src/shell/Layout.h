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

// The web button's pair Btn_Web_1 ... _4 over Img_Web_1 ... _4 (always shown).
void PlaceWebButton(const DescriptorKeys& keys, const LayoutTarget& target);

// Every key of a language's descriptor, in the descriptor's order, for the
// controls the window has. The images must already hold their pictures: label
// sizes and bar spacing come from image sizes.
void ApplyDescriptor(const DescriptorKeys& keys, const LayoutTarget& target);

}  // namespace vtr::shell
