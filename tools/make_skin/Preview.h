#pragma once

#include <filesystem>

namespace skin {

// Writes one picture per page and language, composed as the window shows it:
// background, panel, every control's picture at its descriptor place, and the
// captions drawn roughly. For looking at the skin, not shipped.
void WritePreviews(const std::filesystem::path& folder);

}  // namespace skin
