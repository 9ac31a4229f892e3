// Arbitrary bytes as an imported macro file: as a single macro into a chosen
// slot and as the whole area, in either layout, over an area that already holds
// macros. Nothing may be read or written out of bounds; afterwards the tables
// and the area must agree and fit the area.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/ConfigImage.h"
#include "image/DefaultImage.h"
#include "macros/MacroEditor.h"
#include "macros/MacroMemory.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void CheckConsistent(vtr::macros::MacroMemory& memory) {
    int sum = 0;
    for (std::size_t slot = 0; slot < memory.slotCount(); ++slot) {
        sum += memory.storedLength(slot);
    }
    Check(sum == memory.totalBytes());
    Check(memory.totalBytes() <= static_cast<int>(memory.areaSize()));
    const std::vector<std::uint8_t> area(memory.area().begin(), memory.area().end());
    memory.ReadAndRefreshMacro();
    Check(std::equal(area.begin(), area.end(), memory.area().begin()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtr;
    const std::span<const std::uint8_t> file(data, size);
    static image::ConfigImage defaults = [] {
        image::ConfigImage image;
        image::LoadDefaultImage(image);
        return image;
    }();
    for (int type : {2, 10}) {
        image::ConfigImage image = defaults;
        if (type == 2) {
            // Three small macros in the type-2 area.
            const std::uint8_t records[] = {0x03, 0xA1, 0x21, 0x9F, 0x03, 0xA2,
                                            0x22, 0x9D, 0x02, 0xA4, 0xFC};
            std::copy(std::begin(records), std::end(records), image.macroArea2.begin());
        }
        macros::MacroMemory memory;
        macros::MacroEditor editor(memory);
        editor.bind(type, image.macroArea(type));
        editor.ReadAndRefreshMacro();
        const std::vector<std::uint8_t> before(memory.area().begin(), memory.area().end());

        const int slot = size > 0 ? data[0] % 16 : 0;
        editor.LB_MacroNameClick(slot);
        const macros::MacroResult one = editor.ImportOne(file);
        if (!one.done) {
            Check(std::equal(before.begin(), before.end(), memory.area().begin()));
        }
        CheckConsistent(memory);

        editor.LB_MacroNameClick(slot);
        (void)editor.ExportOneBytes();
        editor.ImportAll(file);
        CheckConsistent(memory);
        Check(editor.ExportAllBytes().size() == memory.areaSize());
    }
    return 0;
}
