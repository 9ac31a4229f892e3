#include "keys/FireKey.h"

#include <cstdio>

namespace vtr::keys {

std::string FireKey::codeText() const {
    char text[8];
    std::snprintf(text, sizeof text, "04%02X%02X", (repeatValue() * 2) & 0xFF, delayValue() & 0xFF);
    return text;
}

}  // namespace vtr::keys
