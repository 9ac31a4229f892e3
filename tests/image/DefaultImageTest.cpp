#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/DefaultImage.h"
#include "macros/MacroRecord.h"
#include "resources/Resources.h"

namespace vtr::image {
namespace {

TEST(DefaultImageTest, HeaderCarriesTheIdsAndImageType) {
    const auto image = BuiltInDefaultImage();
    ASSERT_EQ(image.size(), 583u);
    const DefaultHeader header = ReadDefaultHeader();
    EXPECT_EQ(header.vendorId(), 0x1BCF);
    EXPECT_EQ(header.productId(), 0x08A0);
    EXPECT_EQ(header.imageType(), 10);
}

TEST(DefaultImageTest, FirstSeventyOneBytesAreTheFactorySettings) {
    const std::vector<std::uint8_t> expected = {
        0xCB, 0x04, 0x00, 0x03, 0x14, 0xCF, 0x1B, 0xA0, 0x08, 0x02, 0x04, 0x06, 0x07, 0x00, 0x00,
        0x00, 0x00, 0x0A, 0x6D, 0x60, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x03, 0x03,
        0x03, 0x03, 0x07, 0x7D, 0x32, 0x10, 0x3F, 0xD5, 0x01, 0xFE, 0x12, 0xED, 0x0A, 0x01, 0x01,
        0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00, 0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x05, 0x00,
        0x00, 0x04, 0x04, 0x20, 0x02, 0x08, 0x07, 0x09, 0x00, 0x00, 0x31};
    const auto image = BuiltInDefaultImage();
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.begin()));
}

TEST(DefaultImageTest, MacroAreaHoldsSevenNamedValidMacrosIn484Bytes) {
    ConfigImage defaults;
    LoadDefaultImage(defaults);
    const auto macros = macros::ListMacros10(defaults.macroArea10);
    ASSERT_EQ(macros.size(), 7u);
    std::size_t used = 0;
    std::vector<std::u16string> names;
    for (const auto& macro : macros) {
        EXPECT_TRUE(macro.valid);
        EXPECT_FALSE(macro.name.empty());
        EXPECT_EQ(macro.offset, used);  // packed without gaps
        used += macros::kNameFieldSize + macro.record.size();
        names.push_back(macro.name);
    }
    EXPECT_EQ(used, 484u);
    EXPECT_TRUE(std::all_of(defaults.macroArea10.begin() + 484, defaults.macroArea10.end(),
                            [](std::uint8_t b) { return b == 0; }));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "names are unique";
}

TEST(DefaultImageTest, LoadFillsOnlyTheImageTypesMacroArea) {
    ConfigImage defaults;
    defaults.macroArea2.fill(0x55);
    LoadDefaultImage(defaults);
    EXPECT_EQ(defaults.toProfileBytes(10), std::vector<std::uint8_t>(BuiltInDefaultImage().begin(),
                                                                     BuiltInDefaultImage().end()));
    EXPECT_TRUE(std::all_of(defaults.macroArea2.begin(), defaults.macroArea2.end(),
                            [](std::uint8_t b) { return b == 0x55; }));
}

TEST(ResourcesTest, FoundByNameIgnoringCase) {
    EXPECT_EQ(resources::find("vtr6420kddata").size(), 583u);
    EXPECT_EQ(resources::find("VTR6420KDDATA").data(), resources::find("VTR6420KDData").data());
    EXPECT_TRUE(resources::find("VTR6420KDData.bin").empty());  // names carry no extension
    EXPECT_TRUE(resources::find("").empty());
    EXPECT_FALSE(resources::exists("no-such-resource"));
}

}  // namespace
}  // namespace vtr::image
