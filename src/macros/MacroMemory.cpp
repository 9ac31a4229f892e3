#include "macros/MacroMemory.h"

#include <algorithm>

#include "image/CheckByte.h"
#include "image/MemoryMap.h"
#include "text/Utf.h"

namespace vtr::macros {

void MacroMemory::bind(int type, std::span<std::uint8_t> area) {
    type_ = image::isDeviceType(type) ? type : 0;
    area_ = type_ == 0 ? std::span<std::uint8_t>()
                       : area.first(std::min(area.size(), image::macroAreaSize(type)));
    slots_ = {};
    addresses_ = {};
    if (type_ != 0) {
        addresses_[0] = baseAddress();
    }
    names_.clear();
    total_ = 0;
    RefreshMacroName();
}

std::size_t MacroMemory::slotCount() const {
    return type_ == image::kDeviceType2 ? kSlots2 : type_ == image::kDeviceType10 ? kSlots10 : 0;
}

std::size_t MacroMemory::bufferSize() const {
    return type_ == image::kDeviceType2 ? kRecordBuffer2 : kRecordBuffer10;
}

std::uint16_t MacroMemory::baseAddress() const {
    return type_ == image::kDeviceType2 ? kBaseAddress2
                                        : static_cast<std::uint16_t>(kBaseAddress10);
}

void MacroMemory::ReadAndRefreshMacro() {
    if (!bound()) {
        return;
    }
    slots_ = {};
    addresses_ = {};
    addresses_[0] = baseAddress();
    if (type_ == image::kDeviceType2) {
        parse2();
    } else {
        parse10();
    }
    CheckMacroContentBuf();
    RefreshMacroName();
    RefreshMacro();
}

void MacroMemory::parse2() {
    std::size_t p = 0;  // also the sum of the stored lengths so far
    for (std::size_t i = 0; i < kSlots2; ++i) {
        const std::size_t length = p < area_.size() ? area_[p] : 0;
        Slot& slot = slots_[i];
        if (length != 0) {
            const std::size_t size = length + 1;
            // A record running past the area or its buffer is dropped; as it
            // adds no bytes, every later slot reads the same place and is
            // dropped too.
            if (p + size <= area_.size() && size <= kRecordBuffer2) {
                std::copy_n(area_.begin() + static_cast<std::ptrdiff_t>(p), size,
                            slot.buffer.begin());
                slot.storedLength = static_cast<std::uint16_t>(size);
            }
        }
        if (i > 0 && slot.storedLength != 0) {
            addresses_[i] = static_cast<std::uint16_t>(kBaseAddress2 + p);
        }
        p += slot.storedLength;
    }
}

void MacroMemory::parse10() {
    std::size_t p = 0;
    for (std::size_t k = 0; k < kSlots10; ++k) {
        if (p + kNameFieldSize > area_.size()) {
            break;
        }
        Slot& slot = slots_[k];
        std::copy_n(area_.begin() + static_cast<std::ptrdiff_t>(p), kNameFieldSize,
                    slot.nameField.begin());
        const std::size_t at = p + kNameFieldSize;
        const std::size_t length = at < area_.size() ? area_[at] : 0;
        if (length == 0) {
            // Every later slot would read this same place again: the list ends.
            break;
        }
        bool last = false;
        if (at + length + 1 <= area_.size()) {
            std::copy_n(area_.begin() + static_cast<std::ptrdiff_t>(at), length + 1,
                        slot.buffer.begin());
            slot.storedLength = static_cast<std::uint16_t>(length + 1 + kNameFieldSize);
        } else if (at + 2 <= area_.size()) {
            // The record runs past the area: the macro keeps its name and gets
            // the empty record; nothing behind it lies inside the area.
            slot.buffer[0] = 0x01;
            slot.buffer[1] = 0xFF;
            slot.storedLength = kEmptyEntry10;
            last = true;
        } else {
            break;
        }
        if (k > 0) {
            addresses_[k] = static_cast<std::uint16_t>(kBaseAddress10 + p);
        }
        p += slot.storedLength;
        if (last) {
            break;
        }
    }
}

void MacroMemory::CheckMacroContentBuf() {
    const std::size_t size = bufferSize();
    for (std::size_t i = 0; i < slotCount(); ++i) {
        Slot& slot = slots_[i];
        if (type_ == image::kDeviceType10 && slot.storedLength == 0) {
            continue;
        }
        const std::size_t length = slot.buffer[0];
        const bool verifies =
            length < size &&
            image::CheckByte(std::span(slot.buffer).first(length)) == slot.buffer[length];
        if (verifies) {
            continue;
        }
        if (type_ == image::kDeviceType2) {
            slot.buffer.fill(0);
            slot.storedLength = 0;
            if (i > 0) {
                addresses_[i] = 0;  // a slot without a macro has no address
            }
        } else {
            setEmptyRecord(i);
        }
    }
}

void MacroMemory::CheckMacroLen() {
    total_ = 0;
    for (std::size_t i = 0; i < slotCount(); ++i) {
        total_ += slots_[i].storedLength;
    }
}

void MacroMemory::RefreshMacroName() {
    names_.clear();
    if (type_ == image::kDeviceType2) {
        for (std::size_t i = 0; i < kSlots2; ++i) {
            names_.push_back(u"Macro" + std::u16string(1, static_cast<char16_t>(u'1' + i)));
        }
        return;
    }
    for (std::size_t i = 0; i < slotCount(); ++i) {
        if (slots_[i].storedLength != 0) {
            names_.push_back(fieldName(i));
        }
    }
}

void MacroMemory::RefreshMacro() {
    if (!bound()) {
        return;
    }
    std::fill(area_.begin(), area_.end(), 0);
    total_ = 0;
    std::size_t p = 0;
    std::vector<std::uint8_t> entry;
    for (std::size_t i = 0; i < slotCount(); ++i) {
        const Slot& slot = slots_[i];
        const std::size_t stored = slot.storedLength;
        total_ += static_cast<int>(stored);
        if (stored == 0) {
            continue;
        }
        entry.clear();
        if (type_ == image::kDeviceType10) {
            entry.assign(slot.nameField.begin(), slot.nameField.end());
        }
        entry.insert(entry.end(), slot.buffer.begin(),
                     slot.buffer.begin() + static_cast<std::ptrdiff_t>(bufferSize()));
        entry.resize(stored, 0);
        if (p + stored <= area_.size()) {
            std::copy(entry.begin(), entry.end(), area_.begin() + static_cast<std::ptrdiff_t>(p));
        }
        if (i > 0) {
            addresses_[i] = static_cast<std::uint16_t>(baseAddress() + p);
        }
        p += stored;
    }
}

std::uint16_t MacroMemory::storedLength(std::size_t slot) const {
    return valid(slot) ? slots_[slot].storedLength : 0;
}

std::uint16_t MacroMemory::address(std::size_t slot) const {
    return valid(slot) ? addresses_[slot] : 0;
}

std::span<const std::uint8_t> MacroMemory::recordBuffer(std::size_t slot) const {
    if (!valid(slot)) {
        return {};
    }
    return std::span(slots_[slot].buffer).first(bufferSize());
}

std::span<const std::uint8_t> MacroMemory::record(std::size_t slot) const {
    const std::span<const std::uint8_t> buffer = recordBuffer(slot);
    if (buffer.empty() || buffer[0] == 0) {
        return {};
    }
    return buffer.first(std::min<std::size_t>(buffer[0] + 1, buffer.size()));
}

NameField MacroMemory::nameField(std::size_t slot) const {
    return valid(slot) ? slots_[slot].nameField : NameField{};
}

std::u16string MacroMemory::fieldName(std::size_t slot) const {
    const NameField field = nameField(slot);
    return ReadNameField(field);
}

int MacroMemory::bytesOfOtherSlots(std::size_t slot) const {
    int sum = 0;
    for (std::size_t i = 0; i < slotCount(); ++i) {
        if (i != slot) {
            sum += slots_[i].storedLength;
        }
    }
    return sum;
}

void MacroMemory::setSlot(std::size_t slot, std::span<const std::uint8_t> bytes,
                          std::uint16_t storedLength) {
    if (!valid(slot)) {
        return;
    }
    Slot& s = slots_[slot];
    s.buffer.fill(0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), bufferSize()), s.buffer.begin());
    s.storedLength = storedLength;
}

void MacroMemory::clearSlot(std::size_t slot) {
    if (!valid(slot)) {
        return;
    }
    slots_[slot] = Slot{};
    if (slot > 0) {
        addresses_[slot] = 0;
    }
}

void MacroMemory::setEmptyRecord(std::size_t slot) {
    const std::uint8_t empty[] = {0x01, 0xFF};
    setSlot(slot, empty, kEmptyEntry10);
}

void MacroMemory::setStoredLength(std::size_t slot, std::uint16_t storedLength) {
    if (valid(slot)) {
        slots_[slot].storedLength = storedLength;
    }
}

void MacroMemory::setName(std::size_t slot, std::u16string_view name) {
    setNameField(slot, MakeNameField(name));
}

void MacroMemory::setNameField(std::size_t slot, const NameField& field) {
    if (valid(slot)) {
        slots_[slot].nameField = field;
    }
}

std::span<const std::uint16_t> MacroMemory::startAddresses() const {
    return std::span(addresses_).first(slotCount());
}

std::string MacroMemory::name(std::size_t index) const {
    return index < names_.size() ? text::ToUtf8(names_[index]) : std::string();
}

}  // namespace vtr::macros
