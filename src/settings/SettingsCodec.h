#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "image/ConfigImage.h"
#include "keys/FireKey.h"
#include "settings/CpiLevels.h"
#include "settings/Lighting.h"

namespace vtr::text {
class Languages;
}

// The translation between the configuration image and the editor's settings.
// Decoding copies `DataBuf` into the working image, repairs what fails its
// checks, rebuilds the nine code texts and sets every settings model from the
// bytes; encoding reads the models back into the working image, recomputes the
// check bytes and complements and copies the sections into `DataBuf`.
//
// Positions: A n is working-image offset n (section A), B n offset 38 + n
// (section B), P n offset 43 + n (the button function table).
namespace vtr::settings {

inline constexpr int kButtonCount = 9;

// The code texts of `Key1` ... `Key9`: six upper-case hex digits after a decode;
// the button assignment editor may leave eight-digit combination texts.
using CodeTexts = std::array<std::string, kButtonCount>;

// Everything the codec reads and writes besides `DataBuf`. The models are
// owned by the caller (the editor session), which shares the working image and
// the code texts with the button assignment editor; the codec holds no state.
struct SettingsRefs {
    image::WorkingImage& working;
    CodeTexts& codeTexts;
    CpiLevels& cpi;
    Lighting& lighting;
    keys::FireKey& fireKey;
    const text::Languages& languages;  // the CPI value texts, current language
};

// The last step of a decode: show page 1 and refresh the button captions from
// the code texts. May be empty.
using ShowFirstPage = std::function<void()>;
// Parses the macro area of `DataBuf` for the device type in use. May be empty.
using ParseMacroArea = std::function<void()>;

// A code text naming the fire key: its first two characters are "04".
bool IsFireKeyText(std::string_view codeText);

// The whole decode, run after every device read, default load, profile load and
// reset: working image from `dataBuf`, the three checks with their repairs, the
// code texts, then `RefreshUI`.
void DataBufToUI(const image::ConfigImage& dataBuf, const SettingsRefs& settings,
                 const ShowFirstPage& showFirstPage = {});

// Sets every model from the working image: CPI levels, the two switches, the
// lighting mode words, the group shown and the option selected, the timing
// boxes, the fire-key boxes; last `showFirstPage`.
void RefreshUI(const SettingsRefs& settings, const ShowFirstPage& showFirstPage = {});

// The fire-key boxes from the last fire-key button in the order Key1 ... Key9
// (repeat = P 1 shifted right by one, delay = P 2); with none they keep their
// texts.
void RefreshFireKeyMode(const CodeTexts& codeTexts, const image::WorkingImage& working,
                        keys::FireKey& fireKey);

// The models into sections A and B of the working image (check byte aside).
// Every box is normalised by its leave rule before its value is taken, so the
// boxes show what was stored.
void UIToDataBuf(const SettingsRefs& settings);

// The fire-key boxes (normalised) into every fire-key button: 04, repeat x 2,
// delay. The code texts stay as they are.
void FireKeyAndFireKeyModeToDataBuf(const CodeTexts& codeTexts, keys::FireKey& fireKey,
                                    image::WorkingImage& working);

// The whole encode (Save Profile, Apply): `UIToDataBuf`, the section A check
// byte, the fire-key buttons, the button table check byte, then sections A, B
// and the button table into `dataBuf`. The macro areas are not touched.
void DataBufToMemo_OnClick(const SettingsRefs& settings, image::ConfigImage& dataBuf);

// After `dataBuf` was filled from a file: parse its macro area, then decode.
void MemoToDataBuf_OnClick(const image::ConfigImage& dataBuf, const SettingsRefs& settings,
                           const ParseMacroArea& parseMacroArea,
                           const ShowFirstPage& showFirstPage = {});

}  // namespace vtr::settings
