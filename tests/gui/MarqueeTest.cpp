#include <gtest/gtest.h>

#include <vector>

#include "QtPrinters.h"
#include "shell/Marquee.h"

namespace vtr::shell {
namespace {

std::vector<QString> run(Marquee& marquee, int ticks) {
    std::vector<QString> shown;
    for (int i = 0; i < ticks; ++i) {
        shown.push_back(marquee.tick());
    }
    return shown;
}

TEST(MarqueeTest, TextRunsLeftWithAGapOfFourSpaces) {
    const struct {
        const char* name;
        QString caption;
        std::vector<QString> shown;
    } cases[] = {
        {"word",
         "Apply",
         {"pply    A", "ply    Ap", "ly    App", "y    Appl", "    Apply", "   Apply "}},
        {"one character", "A", {"    A", "   A ", "  A  ", " A   ", "A    ", "    A"}},
        {"empty", "", {"    ", "    "}},
        {"Chinese", "应用", {"用    应", "    应用"}},
        {"outside the basic plane",
         QString::fromUtf8("\xF0\x9F\x98\x80x"),
         {QString::fromUtf8("x    \xF0\x9F\x98\x80"), QString::fromUtf8("    \xF0\x9F\x98\x80x")}},
    };
    for (const auto& c : cases) {
        Marquee marquee;
        marquee.enter("Btn_Apply_1", c.caption);
        EXPECT_EQ(run(marquee, static_cast<int>(c.shown.size())), c.shown) << c.name;
        EXPECT_EQ(marquee.savedCaption(), c.caption) << c.name;
        EXPECT_EQ(marquee.labelName(), "Btn_Apply_1");
    }
}

TEST(MarqueeTest, EnteringAgainStartsOverAndTheCountWrapsWithoutANewGap) {
    Marquee marquee;
    marquee.enter("Key1", "Left Key");
    run(marquee, 3);
    marquee.enter("Key2", "Fire");
    EXPECT_EQ(marquee.tick(), "ire    F");

    marquee.enter("Key3", "AB");
    run(marquee, 65535);
    EXPECT_EQ(marquee.ticks(), 65535);
    const QString before = marquee.text();
    EXPECT_EQ(marquee.tick(), before.mid(1) + before.left(1)) << "a plain step at the wrap";
    EXPECT_EQ(marquee.ticks(), 2);
}

TEST(MarqueeTest, LanguageResetKeepsTheLabelAndStartsTheNewCaption) {
    Marquee marquee;
    marquee.enter("Btn_Lang3_1", "English");
    run(marquee, 4);
    marquee.reset("简体中文");
    EXPECT_EQ(marquee.ticks(), 0);
    EXPECT_EQ(marquee.labelName(), "Btn_Lang3_1");
    EXPECT_EQ(marquee.savedCaption(), "简体中文");
    EXPECT_EQ(marquee.tick(), "体中文    简");
}

}  // namespace
}  // namespace vtr::shell
