#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Macro files: raw copies of macro memory without a header. A single-macro file
// is the record buffer (type 2, 164 bytes) or the name field and the record
// buffer (type 10, 288 bytes); an all-macros file is the macro area (164 or 512
// bytes). A file is read in the layout of the current device type whatever its
// size: only its first bytes are used.
namespace vtr::macros {

std::size_t SingleMacroFileSize(int type);
std::size_t AllMacrosFileSize(int type);

// The file an export writes: the chosen name with ".bin" appended, unless the
// name already ends in ".bin" in any case.
std::filesystem::path MacroFilePath(const std::filesystem::path& chosen);

}  // namespace vtr::macros
