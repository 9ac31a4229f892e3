#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/CheckByte.h"
#include "image/ConfigImage.h"
#include "image/DefaultImage.h"
#include "keys/ButtonAssignment.h"
#include "keys/FireKey.h"
#include "keys/FunctionCode.h"
#include "macros/MacroEditor.h"
#include "macros/MacroMemory.h"
#include "macros/StepList.h"
#include "text/Language.h"

namespace vtr::macros::testing {

using Bytes = std::vector<std::uint8_t>;

// [L, steps..., check].
inline Bytes Record(const Bytes& steps) {
    Bytes record{static_cast<std::uint8_t>(steps.size() + 1)};
    record.insert(record.end(), steps.begin(), steps.end());
    record.push_back(image::CheckByte(record));
    return record;
}

// A type-10 entry: name field, then the record.
inline Bytes Entry10(std::u16string_view name, const Bytes& record) {
    const auto field = MakeNameField(name);
    Bytes entry(field.begin(), field.end());
    entry.insert(entry.end(), record.begin(), record.end());
    return entry;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Step lines of tapping a letter key: press, 96 ms, release.
inline StepLines Tap(const std::string& header, const std::string& name, const std::string& usage) {
    return {header, "1 " + name + " CODE:82" + usage, "0 96", "2 " + name + " CODE:02" + usage};
}

// The configuration image, the macro tables and the macro page over them, and
// the nine buttons of the built-in defaults (Left Key, Middle Key, Right Key,
// Backward, Forward, CPI, Fire Key, Win+D, LED Switch) reading their macro names
// from the tables.
class MacroTest : public ::testing::Test {
  protected:
    MacroTest() {
        image::ConfigImage defaults;
        image::LoadDefaultImage(defaults);
        working_ = image::ToWorkingImage(defaults);
        for (int button = 1; button <= keys::kButtonCount; ++button) {
            const std::size_t at = image::kWorkingProfileOffset + 3 * (button - 1);
            buttons_.codeTexts()[button - 1] =
                keys::BytesToCodeText({working_[at], working_[at + 1], working_[at + 2]});
        }
        buttons_.RefreshProfileKeys();
        editor_.setButtons(&buttons_);
    }

    // The area of `type` holds `bytes` (zero after them); then it is parsed.
    void Load(int type, const Bytes& bytes) {
        const auto area = image_.macroArea(type);
        std::fill(area.begin(), area.end(), 0);
        std::copy_n(bytes.begin(), std::min(bytes.size(), area.size()), area.begin());
        editor_.bind(type, area);
        editor_.ReadAndRefreshMacro();
    }

    Bytes Area(int type) const {
        const auto area = image_.macroArea(type);
        return Bytes(area.begin(), area.end());
    }
    Bytes Area() const { return Area(memory_.type()); }

    // Type 10: a new macro through the page's own operations, with these steps.
    void AddMacro(const std::string& name, const StepLines& lines) {
        ASSERT_TRUE(editor_.Btn_NewMacroClick().done) << name;
        ASSERT_TRUE(editor_.ApplyMacroName(name).done) << name;
        ASSERT_TRUE(
            StepsToMacroBuf(memory_, static_cast<std::size_t>(editor_.selectedMacro()), lines))
            << name;
    }

    // A button given the macro of list row `row`, as the binding menu does.
    void Bind(int button, int row) {
        buttons_.ShowPnlMain_OnClick("Key" + std::to_string(button));
        ASSERT_TRUE(buttons_.LB_NameClick(row));
    }

    void ExpectButton(int button, const std::string& caption, const std::string& code) const {
        EXPECT_EQ(buttons_.captionText(button), caption) << "Key" << button;
        EXPECT_EQ(buttons_.codeText(button), code) << "Key" << button;
        EXPECT_EQ(std::optional<keys::CodeBytes>(buttons_.tableBytes(button)),
                  keys::CodeTextToBytes(code))
            << "Key" << button;
    }

    image::ConfigImage image_;
    MacroMemory memory_;
    MacroEditor editor_{memory_};
    text::Languages languages_;
    image::WorkingImage working_{};
    keys::FireKey fireKey_;
    keys::ButtonAssignment buttons_{working_, languages_, fireKey_, memory_};
};

}  // namespace vtr::macros::testing
