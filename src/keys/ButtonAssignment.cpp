#include "keys/ButtonAssignment.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "keys/ButtonMenus.h"

namespace vtr::keys {
namespace {

const std::string kEmpty;
// Type 2 has five macro slots named "Macro1" ... "Macro5".
constexpr std::size_t kType2MacroCount = 5;
const text::Caption kNoCaption;

std::size_t TableOffset(int button) {
    return image::kWorkingProfileOffset + 3 * static_cast<std::size_t>(button - 1);
}

}  // namespace

ButtonAssignment::ButtonAssignment(image::WorkingImage& working, const text::Languages& languages,
                                   FireKey& fireKey, const MacroDirectory& macros)
    : working_(working), languages_(languages), fireKey_(fireKey), macros_(&macros) {}

const std::string& ButtonAssignment::codeText(int button) const {
    return valid(button) ? codeTexts_[button - 1] : kEmpty;
}

const text::Caption& ButtonAssignment::caption(int button) const {
    return valid(button) ? captions_[button - 1] : kNoCaption;
}

CodeBytes ButtonAssignment::tableBytes(int button) const {
    CodeBytes bytes{};
    if (valid(button)) {
        std::copy_n(working_.begin() + TableOffset(button), bytes.size(), bytes.begin());
    }
    return bytes;
}

bool ButtonAssignment::setCode(int button, std::string code) {
    if (!valid(button)) {
        return false;
    }
    const std::optional<CodeBytes> bytes = CodeTextToBytes(code);
    if (!bytes) {
        return false;
    }
    codeTexts_[button - 1] = std::move(code);
    std::copy(bytes->begin(), bytes->end(), working_.begin() + TableOffset(button));
    return true;
}

void ButtonAssignment::setCaption(int button, text::Caption caption) {
    if (valid(button)) {
        captions_[button - 1] = std::move(caption);
    }
}

void ButtonAssignment::ShowPnlMain_OnClick(std::string_view labelName) {
    const char last = labelName.empty() ? '\0' : labelName.back();
    selected_ = last >= '0' && last <= '9' ? last - '0' : -1;
}

text::Caption ButtonAssignment::itemCaption(std::string_view textKey) const {
    return text::Caption{.text = WithoutMenuMarker(MenuItemCaption(languages_, textKey)),
                         .key = std::string(textKey)};
}

std::string ButtonAssignment::codeForTag(int tag) {
    if (tag == kFireKeyTag) {
        // The values are used as they would stand after leaving their boxes.
        fireKey_.repeat.normalise();
        fireKey_.delay.normalise();
    }
    return CodeForMenuTag(tag, fireKey_);
}

bool ButtonAssignment::KeyStatusOnClick(int tag) {
    const FunctionEntry* entry = FindFunction(tag);
    if (!entry || !valid(selected_)) {
        return false;
    }
    text::Caption& caption = captions_[selected_ - 1];
    text::Caption remembered = caption;
    caption = itemCaption(entry->textKey);

    const std::string leftKey = languages_.text("Str210");
    const bool leftKeyRemains =
        std::any_of(captions_.begin(), captions_.end(),
                    [&](const text::Caption& c) { return c.text == leftKey; });
    if (!leftKeyRemains) {
        caption = std::move(remembered);
        return false;
    }
    return setCode(selected_, codeForTag(tag));
}

bool ButtonAssignment::LB_NameClick(int row) {
    const std::span<const std::uint16_t> addresses = macros_->startAddresses();
    if (!valid(selected_) || row < 0 || static_cast<std::size_t>(row) >= addresses.size()) {
        return false;
    }
    const auto slot = static_cast<std::size_t>(row);
    captions_[selected_ - 1] = text::Caption::Verbatim(macros_->name(slot));
    return setCode(selected_, MacroCodeText(addresses[slot]));
}

void ButtonAssignment::Key_AssemblyClick() {
    pending_ = PendingCombination{};
}

bool ButtonAssignment::ApplyCombinationKey() {
    if (!pending_.confirmed || !valid(selected_) || !CodeTextToBytes(pending_.codeText)) {
        return false;
    }
    captions_[selected_ - 1] = text::Caption::Verbatim(pending_.displayText);
    return setCode(selected_, pending_.codeText);
}

void ButtonAssignment::RefreshProfileKeys() {
    for (int i = 0; i < kButtonCount; ++i) {
        captions_[i] = DescribeFunction(codeTexts_[i], languages_, *macros_);
    }
}

void ButtonAssignment::RetranslateCaptions() {
    for (text::Caption& caption : captions_) {
        caption = text::Retranslate(languages_, caption, languages_.current());
    }
}

void ButtonAssignment::ApplyFallback(int button) {
    const FallbackFunction* fallback = FallbackFor(button);
    if (!fallback) {
        return;
    }
    if (fallback->tag == 0) {
        captions_[button - 1] = text::Caption::Verbatim(std::string(fallback->caption));
        setCode(button, std::string(fallback->codeText));
        return;
    }
    const FunctionEntry* entry = FindFunction(fallback->tag);
    captions_[button - 1] = itemCaption(entry->textKey);
    setCode(button, codeForTag(fallback->tag));
}

bool ButtonAssignment::carriesMacroCode(int button) const {
    const std::string& code = codeText(button);
    return code.size() >= 2 && code[0] == '0' && code[1] == '6';
}

bool ButtonAssignment::carriesMacro(int button, const std::string& name) const {
    return carriesMacroCode(button) && captions_[button - 1].text == name;
}

void ButtonAssignment::InitKeysParameters() {
    macroMarks_.fill(false);
    if (macros_->deviceType() != image::kDeviceType10) {
        return;
    }
    for (int button = 1; button <= kButtonCount; ++button) {
        for (std::size_t k = 0; k < macros_->nameCount(); ++k) {
            if (carriesMacro(button, macros_->name(k))) {
                macroMarks_[button - 1] = true;
            }
        }
    }
}

void ButtonAssignment::RefreshKeysParameters(std::span<const bool> slotHasMacro) {
    const int type = macros_->deviceType();
    if (type == image::kDeviceType2) {
        for (int button = 1; button <= kButtonCount; ++button) {
            for (std::size_t m = 0; m < kType2MacroCount; ++m) {
                const bool present = m < slotHasMacro.size() && slotHasMacro[m];
                if (!present && carriesMacro(button, "Macro" + std::to_string(m + 1))) {
                    ApplyFallback(button);
                }
            }
        }
    } else if (type == image::kDeviceType10) {
        const std::span<const std::uint16_t> addresses = macros_->startAddresses();
        for (int button = 1; button <= kButtonCount; ++button) {
            if (!macroMarks_[button - 1]) {
                continue;
            }
            macroMarks_[button - 1] = false;
            std::optional<std::size_t> found;
            for (std::size_t k = 0; k < macros_->nameCount() && k < addresses.size(); ++k) {
                if (captions_[button - 1].text == macros_->name(k)) {
                    found = k;  // the last equal name wins
                }
            }
            if (found) {
                setCode(button, MacroCodeText(addresses[*found]));
            } else {
                ApplyFallback(button);
            }
        }
    }
    macroMarks_.fill(false);
}

void ButtonAssignment::RefreshMacroAddr() {
    const int type = macros_->deviceType();
    if (!image::isDeviceType(type)) {
        return;
    }
    const std::span<const std::uint16_t> addresses = macros_->startAddresses();
    const std::size_t count = type == image::kDeviceType2 ? kType2MacroCount : macros_->nameCount();
    for (int button = 1; button <= kButtonCount; ++button) {
        std::optional<std::uint16_t> address;
        for (std::size_t j = 0; j < count && j < addresses.size(); ++j) {
            const std::string name =
                type == image::kDeviceType2 ? "Macro" + std::to_string(j + 1) : macros_->name(j);
            if (carriesMacro(button, name)) {
                address = addresses[j];
            }
        }
        if (address) {
            setCode(button, MacroCodeText(*address));
        }
    }
}

}  // namespace vtr::keys
