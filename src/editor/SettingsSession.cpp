#include "editor/SettingsSession.h"

namespace vtr::editor {

const keys::NoMacros SettingsSession::kNoMacros;

SettingsSession::SettingsSession(const text::Languages& languages,
                                 const keys::MacroDirectory& macros)
    : buttons(working, languages, fireKey, macros), languages_(languages) {}

settings::SettingsRefs SettingsSession::refs() {
    return {working, buttons.codeTexts(), cpi, lighting, fireKey, languages_};
}

void SettingsSession::decode(const image::ConfigImage& dataBuf) {
    settings::DataBufToUI(dataBuf, refs(), [this] { buttons.RefreshProfileKeys(); });
}

void SettingsSession::encode(image::ConfigImage& dataBuf) {
    settings::DataBufToMemo_OnClick(refs(), dataBuf);
}

}  // namespace vtr::editor
