#include "macros/MacroFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "image/MemoryMap.h"
#include "macros/MacroMemory.h"

namespace vtr::macros {

namespace fs = std::filesystem;

std::size_t SingleMacroFileSize(int type) {
    return type == image::kDeviceType2 ? kRecordBuffer2 : kNameFieldSize + kRecordBuffer10;
}

std::size_t AllMacrosFileSize(int type) {
    return image::macroAreaSize(type);
}

fs::path MacroFilePath(const fs::path& chosen) {
    std::string name = chosen.filename().string();
    std::string ending = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ending == ".bin") {
        return chosen;
    }
    fs::path path = chosen;
    path += ".bin";
    return path;
}

}  // namespace vtr::macros
