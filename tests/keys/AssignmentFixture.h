#pragma once

#include <gtest/gtest.h>

#include "image/ConfigImage.h"
#include "image/DefaultImage.h"
#include "keys/ButtonAssignment.h"
#include "keys/FireKey.h"
#include "keys/FunctionCode.h"
#include "keys/MacroDirectory.h"
#include "text/Language.h"

namespace vtr::keys::testing {

// The nine buttons as the built-in default image leaves them after a decode:
// Left Key, Middle Key, Right Key, Backward, Forward, CPI, Fire Key, Win+D,
// LED Switch, in English.
class AssignmentTest : public ::testing::Test {
  protected:
    AssignmentTest() {
        image::ConfigImage defaults;
        image::LoadDefaultImage(defaults);
        working_ = image::ToWorkingImage(defaults);
        for (int button = 1; button <= kButtonCount; ++button) {
            const std::size_t at = image::kWorkingProfileOffset + 3 * (button - 1);
            buttons_.codeTexts()[button - 1] =
                BytesToCodeText({working_[at], working_[at + 1], working_[at + 2]});
        }
        buttons_.RefreshProfileKeys();
    }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (int button = 1; button <= kButtonCount; ++button) {
            captions.push_back(buttons_.captionText(button));
        }
        return captions;
    }

    // The button's table bytes agree with its code text.
    void ExpectCode(int button, const std::string& code) const {
        EXPECT_EQ(buttons_.codeText(button), code) << "Key" << button;
        EXPECT_EQ(std::optional<CodeBytes>(buttons_.tableBytes(button)), CodeTextToBytes(code))
            << "Key" << button;
    }

    text::Languages languages_;
    image::WorkingImage working_{};
    FireKey fireKey_;
    NoMacros noMacros_;
    ButtonAssignment buttons_{working_, languages_, fireKey_, noMacros_};
};

}  // namespace vtr::keys::testing
