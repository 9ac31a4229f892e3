#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "keys/MacroDirectory.h"
#include "macros/MacroRecord.h"

// The macro working tables: what the macro area of the configuration image
// holds, split into one entry per slot (stored length, start address, name
// field, record buffer), and the macro list the macro page and the binding menu
// show.
//
// How the editor drives it: `bind` it to the macro area of `DataBuf` whenever
// the device type is known (`bind(type, dataBuf.macroArea(type))`); call
// `ReadAndRefreshMacro` after anything filled the area as a whole (a read from
// the mouse, the defaults, a profile file, an import). Every single-macro edit
// changes a slot and then packs with `RefreshMacro`. Between operations the area,
// the tables and the total agree. The object is also the button editor's
// `MacroDirectory`.
//
// Layouts. Type 2: five slots, records packed back to back, no names, base
// address 92, record buffers of 164 bytes. Type 10: up to fifteen entries, each a
// 32-byte name field (UTF-16, high byte first) and a record, base address 544
// (512 + 32), record buffers of 256 bytes. A slot's stored length is the record
// size (type 2) or 32 + the record size (type 10); 0 means no macro.
//
// Nothing here reads or writes outside the area or a record buffer, whatever the
// area holds: a type-2 record that would run past the area or its buffer is
// dropped, a type-10 record that would run past the area becomes the empty record
// 01 FF (or ends the list when even that does not fit).
namespace vtr::macros {

inline constexpr std::size_t kSlots2 = 5;
inline constexpr std::size_t kSlots10 = kMaxMacros10;
inline constexpr std::size_t kRecordBuffer2 = 164;
inline constexpr std::size_t kRecordBuffer10 = 256;
inline constexpr std::uint16_t kBaseAddress2 = 92;
// The stored length of the empty type-10 record 01 FF with its name field.
inline constexpr std::uint16_t kEmptyEntry10 = kNameFieldSize + 2;

using NameField = std::array<std::uint8_t, kNameFieldSize>;

class MacroMemory final : public keys::MacroDirectory {
  public:
    MacroMemory() = default;
    MacroMemory(const MacroMemory&) = delete;
    MacroMemory& operator=(const MacroMemory&) = delete;

    // Works on `area` (the macro area of the type, 164 or 512 bytes; a shorter
    // span is used as far as it goes) from now on. The tables start empty; the
    // area is not read: call ReadAndRefreshMacro. A type other than 2 or 10
    // unbinds (no slots).
    void bind(int type, std::span<std::uint8_t> area);
    bool bound() const { return type_ != 0; }

    int type() const { return type_; }
    std::size_t slotCount() const;
    std::size_t bufferSize() const;
    std::uint16_t baseAddress() const;
    std::span<std::uint8_t> area() { return area_; }
    std::span<const std::uint8_t> area() const { return area_; }

    // ReadAndRefreshMacro1 / ReadAndRefreshMacro2: parse the area into the
    // tables, check every record, rebuild the macro list, pack again.
    void ReadAndRefreshMacro();
    // RefreshMacro1 / RefreshMacro2: pack the tables into the area, recompute
    // the addresses and the total macro bytes. Slots that would not fit the area
    // any more are left out of it (no operation here lets that happen).
    void RefreshMacro();
    // CheckMacroContentBuf1 / CheckMacroContentBuf2: a record whose check byte
    // does not verify empties its slot (type 2) or becomes 01 FF (type 10).
    void CheckMacroContentBuf();
    // CheckMacroLen1 / CheckMacroLen2: the total from the stored lengths.
    void CheckMacroLen();
    // RefreshMacroName2: the macro list from the name fields of the slots that
    // hold a macro (type 10); the five fixed names for type 2.
    void RefreshMacroName();

    // --- the tables; slots outside the table read as empty and ignore writes ---

    std::uint16_t storedLength(std::size_t slot) const;
    std::uint16_t address(std::size_t slot) const;
    bool hasMacro(std::size_t slot) const { return storedLength(slot) != 0; }
    // The whole record buffer (164 or 256 bytes).
    std::span<const std::uint8_t> recordBuffer(std::size_t slot) const;
    // The record: its L + 1 bytes as far as the buffer holds them; empty for a
    // slot whose buffer starts with 0.
    std::span<const std::uint8_t> record(std::size_t slot) const;
    NameField nameField(std::size_t slot) const;
    // The name read from the field: code units up to the first zero one.
    std::u16string fieldName(std::size_t slot) const;
    // Sum of the stored lengths (plus what a running recording has added).
    int totalBytes() const { return total_; }
    // Sum of the stored lengths of every slot but `slot`.
    int bytesOfOtherSlots(std::size_t slot) const;
    std::size_t areaSize() const { return area_.size(); }

    // The macro list (LB_MacroName, and the binding list LB_Name): one entry per
    // macro in slot order (type 10), or "Macro1" ... "Macro5" (type 2).
    const std::vector<std::u16string>& macroNames() const { return names_; }
    std::vector<std::u16string>& macroNames() { return names_; }

    // Slot edits; none of them packs.
    // The buffer becomes `bytes` followed by zeros (cut at the buffer size) and
    // the stored length `storedLength`.
    void setSlot(std::size_t slot, std::span<const std::uint8_t> bytes, std::uint16_t storedLength);
    // Stored length, buffer and name field zero; the address too, except for
    // the first slot's fixed address.
    void clearSlot(std::size_t slot);
    // Type 10: record 01 FF followed by zeros, stored length 34.
    void setEmptyRecord(std::size_t slot);
    void setStoredLength(std::size_t slot, std::uint16_t storedLength);
    // MacroNameStrToUnicode: the field zero-filled, then at most 16 code units
    // written high byte first.
    void setName(std::size_t slot, std::u16string_view name);
    void setNameField(std::size_t slot, const NameField& field);
    // A recording adds the bytes of its steps before the record exists.
    void addToTotal(int bytes) { total_ += bytes; }

    // keys::MacroDirectory
    int deviceType() const override { return type_; }
    std::span<const std::uint16_t> startAddresses() const override;
    std::string name(std::size_t index) const override;
    std::size_t nameCount() const override { return names_.size(); }

  private:
    struct Slot {
        std::uint16_t storedLength = 0;
        NameField nameField{};
        std::array<std::uint8_t, kRecordBuffer10> buffer{};
    };

    bool valid(std::size_t slot) const { return slot < slotCount(); }
    void parse2();
    void parse10();

    int type_ = 0;
    std::span<std::uint8_t> area_;
    std::array<Slot, kSlots10> slots_{};
    std::array<std::uint16_t, kSlots10> addresses_{};
    std::vector<std::u16string> names_;
    int total_ = 0;
};

}  // namespace vtr::macros
