// Arbitrary bytes as a macro record for the step decoder, and as step lines for
// the encoder. Nothing may be read out of bounds, decoding must end, and the
// encoder must keep to its byte limit.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "macros/StepList.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vtr::macros;
    const std::span<const std::uint8_t> bytes(data, size);

    const DecodedSteps decoded = MacroBufToSteps(bytes);
    Check(!decoded.lines.empty());
    Check(decoded.lines.size() <= size + 1);
    for (int row = -1; row <= static_cast<int>(decoded.lines.size()); ++row) {
        (void)StepRowOf(decoded.lines, row);
    }
    for (std::size_t limit : {std::size_t{162}, std::size_t{254}}) {
        const auto steps = StepsToStepBytes(std::span(decoded.lines).subspan(1), limit);
        if (steps) {
            Check(steps->size() <= limit);
            for (int type : {2, 10}) {
                const std::vector<std::uint8_t> record = StepBytesToRecord(*steps, type);
                Check(record.size() == (steps->empty() ? 2 : steps->size() + 2));
            }
        }
    }

    // The same bytes as text lines.
    std::vector<std::string> lines(1);
    for (std::uint8_t b : bytes) {
        if (b == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(static_cast<char>(b));
        }
    }
    const auto steps = StepsToStepBytes(lines, 254);
    Check(!steps || steps->size() <= 254);
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        (void)StepRowOf(lines, row);
        (void)StepName(lines[static_cast<std::size_t>(row)]);
    }
    return 0;
}
