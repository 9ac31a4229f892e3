#include "image/ConfigImage.h"

#include <algorithm>

#include "image/CheckByte.h"

namespace vtr::image {

const std::array<std::uint8_t, 37> kParameterARepair = {
    0xFF, 0x04, 0x00, 0x03, 0x14, 0xCF, 0x1B, 0xA0, 0x08, 0x01, 0x03, 0x04, 0x06,
    0x00, 0x00, 0x00, 0x00, 0x0A, 0x6C, 0xFC, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
    0x06, 0x07, 0x03, 0x03, 0x03, 0x03, 0x07, 0x7D, 0x32, 0x10, 0x3F};

const std::array<std::uint8_t, 27> kButtonTableRepair = {
    0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00, 0x01, 0x08, 0x00, 0x01, 0x10,
    0x00, 0x05, 0x00, 0x00, 0x04, 0x08, 0x20, 0x02, 0x08, 0x07, 0x03, 0x02, 0x23};

std::span<std::uint8_t> ConfigImage::macroArea(int type) {
    if (type == kDeviceType2) {
        return macroArea2;
    }
    if (type == kDeviceType10) {
        return macroArea10;
    }
    return {};
}

std::span<const std::uint8_t> ConfigImage::macroArea(int type) const {
    return const_cast<ConfigImage*>(this)->macroArea(type);
}

std::vector<std::uint8_t> ConfigImage::toProfileBytes(int type) const {
    if (!isDeviceType(type)) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(profileFileSize(type));
    bytes.insert(bytes.end(), parameterArea.begin(), parameterArea.end());
    bytes.insert(bytes.end(), profileArea.begin(), profileArea.end());
    const auto macros = macroArea(type);
    bytes.insert(bytes.end(), macros.begin(), macros.end());
    return bytes;
}

namespace {

// Copies bytes[offset ..] into `area` as far as both reach.
void takeArea(std::span<const std::uint8_t> bytes, std::size_t offset,
              std::span<std::uint8_t> area) {
    if (offset >= bytes.size()) {
        return;
    }
    const std::size_t take = std::min(area.size(), bytes.size() - offset);
    std::copy_n(bytes.begin() + static_cast<long>(offset), take, area.begin());
}

}  // namespace

void ConfigImage::loadProfileBytes(std::span<const std::uint8_t> bytes, int type) {
    takeArea(bytes, 0, parameterArea);
    takeArea(bytes, kProfileFileProfileOffset, profileArea);
    takeArea(bytes, kProfileFileMacroOffset, macroArea(type));
}

WorkingImage ToWorkingImage(const ConfigImage& image) {
    WorkingImage working{};
    std::copy(image.parameterArea.begin(), image.parameterArea.end(), working.begin());
    std::copy(image.profileArea.begin(), image.profileArea.end(),
              working.begin() + kWorkingProfileOffset);
    return working;
}

void FromWorkingImage(const WorkingImage& working, ConfigImage& image) {
    std::copy_n(working.begin(), kParameterAreaSize, image.parameterArea.begin());
    std::copy_n(working.begin() + kWorkingProfileOffset, kProfileAreaSize,
                image.profileArea.begin());
}

std::uint8_t ParameterACheckByte(const WorkingImage& working) {
    return CheckByte(std::span(working).first(kSectionACheckOffset));
}

std::uint8_t ButtonTableCheckByte(const WorkingImage& working) {
    return CheckByte(std::span(working).subspan(kWorkingProfileOffset, kProfileCheckOffset));
}

void RepairParameterA(WorkingImage& working) {
    std::copy(kParameterARepair.begin(), kParameterARepair.end(), working.begin());
    working[kSectionACheckOffset] = ParameterACheckByte(working);
}

void RepairButtonTable(WorkingImage& working) {
    std::copy(kButtonTableRepair.begin(), kButtonTableRepair.end(),
              working.begin() + kWorkingProfileOffset);
    working[kWorkingProfileOffset + kProfileCheckOffset] = ButtonTableCheckByte(working);
}

bool CheckParameterASection(WorkingImage& working) {
    if (ParameterACheckByte(working) == working[kSectionACheckOffset]) {
        return false;
    }
    RepairParameterA(working);
    return true;
}

bool CheckParameterBSection(WorkingImage& working) {
    bool repaired = false;
    for (std::size_t first : {kSectionASize, kSectionASize + 2}) {
        if (working[first] + working[first + 1] != 255) {
            working[first] = 1;
            working[first + 1] = 254;
            repaired = true;
        }
    }
    return repaired;
}

bool CheckProfileSection(WorkingImage& working) {
    if (ButtonTableCheckByte(working) == working[kWorkingProfileOffset + kProfileCheckOffset]) {
        return false;
    }
    RepairButtonTable(working);
    return true;
}

}  // namespace vtr::image
