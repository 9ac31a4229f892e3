#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// What the button editor needs to know about the macros: the device type, the
// start address of every macro slot and the macros' names. The macro library
// provides the real one; `NoMacros` stands in while no macros are known.
namespace vtr::keys {

class MacroDirectory {
  public:
    virtual ~MacroDirectory() = default;

    // 2 or 10; 0 while no device type is known.
    virtual int deviceType() const = 0;
    // The start-address table of the current device type, one entry per slot
    // (five for type 2, fifteen for type 10; empty while the type is unknown). A
    // slot without a macro has address 0.
    virtual std::span<const std::uint16_t> startAddresses() const = 0;
    // The name of the macro in slot `index` (UTF-8); empty for a slot without a
    // name and for an index outside the table.
    virtual std::string name(std::size_t index) const = 0;
    // How many names the binding list shows (the rows of the macro submenu).
    virtual std::size_t nameCount() const = 0;
};

// No device type, no macros.
class NoMacros final : public MacroDirectory {
  public:
    int deviceType() const override { return 0; }
    std::span<const std::uint16_t> startAddresses() const override { return {}; }
    std::string name(std::size_t) const override { return {}; }
    std::size_t nameCount() const override { return 0; }
};

}  // namespace vtr::keys
