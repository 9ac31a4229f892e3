#pragma once

#include "text/Language.h"

namespace vtr::settings::testing {

// The shipped language tables in language 1, read once for the test binary.
inline const text::Languages& SharedLanguages() {
    static const text::Languages languages;
    return languages;
}

}  // namespace vtr::settings::testing
