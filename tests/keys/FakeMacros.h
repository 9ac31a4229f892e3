#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "keys/MacroDirectory.h"

namespace vtr::keys::testing {

// A macro directory set up by hand: a device type, one start address and one
// name per slot.
class FakeMacros final : public MacroDirectory {
  public:
    FakeMacros(int type, std::vector<std::uint16_t> addresses, std::vector<std::string> names)
        : type_(type), addresses_(std::move(addresses)), names_(std::move(names)) {}

    int deviceType() const override { return type_; }
    std::span<const std::uint16_t> startAddresses() const override { return addresses_; }
    std::string name(std::size_t index) const override {
        return index < names_.size() ? names_[index] : std::string();
    }
    std::size_t nameCount() const override { return names_.size(); }

  private:
    int type_;
    std::vector<std::uint16_t> addresses_;
    std::vector<std::string> names_;
};

// Type 2: five slots named Macro1 ... Macro5; the first always starts at 0x5C.
inline FakeMacros TypeTwoMacros() {
    return FakeMacros(2, {0x005C, 0x0070, 0x0090, 0, 0},
                      {"Macro1", "Macro2", "Macro3", "Macro4", "Macro5"});
}

}  // namespace vtr::keys::testing
