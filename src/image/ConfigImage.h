#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/MemoryMap.h"

namespace vtr::image {

// The program's mirror of the mouse's memory (`DataBuf`), and the same shape
// filled from the built-in defaults (`DefaultBuf`).
struct ConfigImage {
    std::array<std::uint8_t, kParameterAreaSize> parameterArea{};
    std::array<std::uint8_t, kProfileAreaSize> profileArea{};
    std::array<std::uint8_t, kMacroAreaSize2> macroArea2{};
    std::array<std::uint8_t, kMacroAreaSize10> macroArea10{};

    // The macro area of a device type (2 or 10; anything else gives an empty span).
    std::span<std::uint8_t> macroArea(int type);
    std::span<const std::uint8_t> macroArea(int type) const;

    // The profile layout of a device type: parameter area, profile area, macro
    // area (235 or 583 bytes). Empty for a type other than 2 or 10.
    std::vector<std::uint8_t> toProfileBytes(int type) const;
    // Reads profile-layout bytes: each area takes what the bytes hold and keeps
    // its previous contents past their end; bytes after the macro area are ignored.
    void loadProfileBytes(std::span<const std::uint8_t> bytes, int type);

    bool operator==(const ConfigImage&) const = default;
};

// The editor's 71-byte working copy: section A (0..37), section B (38..42),
// profile section (43..70).
using WorkingImage = std::array<std::uint8_t, kWorkingImageSize>;

inline constexpr std::size_t kWorkingProfileOffset = kParameterAreaSize;

WorkingImage ToWorkingImage(const ConfigImage& image);
// Copies the working image back into the parameter and profile areas.
void FromWorkingImage(const WorkingImage& working, ConfigImage& image);

// Check bytes and repairs on the working image.
std::uint8_t ParameterACheckByte(const WorkingImage& working);
std::uint8_t ButtonTableCheckByte(const WorkingImage& working);
void RepairParameterA(WorkingImage& working);
void RepairButtonTable(WorkingImage& working);

// Each returns true when it repaired something.
bool CheckParameterASection(WorkingImage& working);
bool CheckParameterBSection(WorkingImage& working);
bool CheckProfileSection(WorkingImage& working);

// Section A's repair values (offsets 0..36) and the button table's repair set
// (offsets 0..26), without their check bytes.
extern const std::array<std::uint8_t, 37> kParameterARepair;
extern const std::array<std::uint8_t, 27> kButtonTableRepair;

}  // namespace vtr::image
