#pragma once

#include "image/ConfigImage.h"
#include "keys/ButtonAssignment.h"
#include "keys/FireKey.h"
#include "keys/MacroDirectory.h"
#include "settings/CpiLevels.h"
#include "settings/Lighting.h"
#include "settings/SettingsCodec.h"
#include "text/Language.h"

namespace vtr::editor {

// The editor's settings models around one working image: the nine buttons, the
// fire key, the CPI levels and the lighting, decoded from and encoded into a
// configuration image by the settings codec. The window and the command-line
// tool both edit through it.
class SettingsSession {
  public:
    explicit SettingsSession(const text::Languages& languages,
                             const keys::MacroDirectory& macros = kNoMacros);
    SettingsSession(const SettingsSession&) = delete;
    SettingsSession& operator=(const SettingsSession&) = delete;

    // Every model from `dataBuf` (checks and repairs included), captions too.
    void decode(const image::ConfigImage& dataBuf);
    // Every model into `dataBuf`'s parameter area and button table.
    void encode(image::ConfigImage& dataBuf);

    settings::SettingsRefs refs();

    const text::Languages& languages() const { return languages_; }

    image::WorkingImage working{};
    keys::FireKey fireKey;
    settings::CpiLevels cpi;
    settings::Lighting lighting;
    keys::ButtonAssignment buttons;

  private:
    static const keys::NoMacros kNoMacros;
    const text::Languages& languages_;
};

}  // namespace vtr::editor
