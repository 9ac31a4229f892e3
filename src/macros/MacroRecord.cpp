#include "macros/MacroRecord.h"

#include "image/CheckByte.h"

namespace vtr::macros {

std::optional<std::vector<std::uint8_t>> MakeRecord(std::span<const std::uint8_t> steps) {
    if (steps.size() + 1 > 0xFF) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> record;
    record.reserve(steps.size() + 2);
    record.push_back(static_cast<std::uint8_t>(steps.size() + 1));
    record.insert(record.end(), steps.begin(), steps.end());
    record.push_back(image::CheckByte(record));
    return record;
}

bool RecordIsValid(std::span<const std::uint8_t> record) {
    if (record.empty() || record[0] == 0 || record.size() < std::size_t{record[0]} + 1) {
        return false;
    }
    const std::size_t length = record[0];
    return image::CheckByte(record.first(length)) == record[length];
}

std::array<std::uint8_t, kNameFieldSize> MakeNameField(std::u16string_view name) {
    std::array<std::uint8_t, kNameFieldSize> field{};
    for (std::size_t i = 0; i < name.size() && 2 * i + 1 < field.size(); ++i) {
        field[2 * i] = static_cast<std::uint8_t>(name[i] >> 8);
        field[2 * i + 1] = static_cast<std::uint8_t>(name[i] & 0xFF);
    }
    return field;
}

std::u16string ReadNameField(std::span<const std::uint8_t, kNameFieldSize> field) {
    std::u16string name;
    for (std::size_t i = 0; i + 1 < field.size(); i += 2) {
        const auto unit = static_cast<char16_t>(field[i] << 8 | field[i + 1]);
        if (unit == 0) {
            break;
        }
        name.push_back(unit);
    }
    return name;
}

std::vector<MacroEntry10> ListMacros10(std::span<const std::uint8_t> area) {
    std::vector<MacroEntry10> entries;
    std::size_t p = 0;
    while (entries.size() < kMaxMacros10 && p + kNameFieldSize < area.size()) {
        const std::size_t length = area[p + kNameFieldSize];
        if (length == 0 || p + kNameFieldSize + length >= area.size()) {
            break;
        }
        MacroEntry10 entry;
        entry.name = ReadNameField(area.subspan(p).first<kNameFieldSize>());
        entry.offset = p;
        const auto record = area.subspan(p + kNameFieldSize, length + 1);
        entry.record.assign(record.begin(), record.end());
        entry.valid = RecordIsValid(entry.record);
        entries.push_back(std::move(entry));
        p += kNameFieldSize + length + 1;
    }
    return entries;
}

}  // namespace vtr::macros
