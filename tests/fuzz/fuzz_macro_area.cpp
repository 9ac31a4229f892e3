// Arbitrary bytes as the macro area of either layout: parsed, checked and packed
// again, then every macro decoded into step lines and encoded back. Nothing may
// be read or written out of bounds; the packed area must hold what the tables
// say, a second parse must change nothing, and a refused encoding must leave the
// area alone.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/ConfigImage.h"
#include "macros/MacroMemory.h"
#include "macros/StepList.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtr;
    const std::span<const std::uint8_t> bytes(data, size);
    for (int type : {2, 10}) {
        image::ConfigImage image;
        const std::span<std::uint8_t> area = image.macroArea(type);
        std::copy_n(bytes.begin(), std::min(bytes.size(), area.size()), area.begin());
        macros::MacroMemory memory;
        memory.bind(type, area);
        memory.ReadAndRefreshMacro();

        int sum = 0;
        for (std::size_t slot = 0; slot < memory.slotCount(); ++slot) {
            sum += memory.storedLength(slot);
        }
        Check(sum == memory.totalBytes());
        Check(memory.totalBytes() <= static_cast<int>(area.size()));
        Check(memory.startAddresses().size() == memory.slotCount());
        Check(memory.nameCount() <= memory.slotCount());

        const std::vector<std::uint8_t> packed(area.begin(), area.end());
        memory.ReadAndRefreshMacro();
        Check(std::equal(packed.begin(), packed.end(), area.begin()));

        for (std::size_t slot = 0; slot < memory.slotCount(); ++slot) {
            if (!memory.hasMacro(slot)) {
                continue;
            }
            const macros::DecodedSteps decoded = macros::MacroBufToSteps(memory.record(slot));
            for (int row = 0; row + 1 < static_cast<int>(decoded.lines.size()); ++row) {
                (void)macros::StepRowOf(decoded.lines, row);
            }
            const std::vector<std::uint8_t> before(area.begin(), area.end());
            if (!macros::StepsToMacroBuf(memory, slot, decoded.lines)) {
                Check(std::equal(before.begin(), before.end(), area.begin()));
            }
            Check(memory.totalBytes() <= static_cast<int>(area.size()));
        }
        (void)memory.name(0);
    }
    return 0;
}
