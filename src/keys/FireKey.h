#pragma once

#include <string>

#include "text/NumberBox.h"

namespace vtr::keys {

// The one pair of fire-key settings shared by every fire-key button: the repeat
// count (2..127, shown "2" at start) and the delay (0..255, "16" at start).
// Empty or exactly "1" becomes "2" in both.
class FireKey {
  public:
    text::NumberBox repeat{{.emptyDefault = 2, .largest = 127, .oneMeansEmpty = true}, "2"};
    text::NumberBox delay{{.emptyDefault = 2, .largest = 255, .oneMeansEmpty = true}, "16"};

    int repeatValue() const { return repeat.value(); }
    int delayValue() const { return delay.value(); }

    // "04", repeat count x 2 and delay as two upper-case hex digits each.
    std::string codeText() const;
};

}  // namespace vtr::keys
