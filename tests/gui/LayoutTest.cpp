#include <map>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "shell/Layout.h"
#include "shell/ReportOnce.h"
#include "shell/SkinControls.h"
#include "text/LayoutDescriptor.h"

namespace vtr::shell {
namespace {

text::LayoutDescriptor descriptor(const std::string& lines) {
    const std::string text = "[test]\n" + lines;
    return text::LayoutDescriptor::Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), "test");
}

class LayoutTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetReportSink([this](const std::string& text) { reports.push_back(text); });
        start();
    }
    void TearDown() override {
        SetReportSink(nullptr);
        WindowTest::TearDown();
    }

    // Each test's resource name is its own, so its reports are its own.
    void apply(const std::string& lines) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        held = descriptor(lines);
        window->applyDescriptor(DescriptorKeys(&held, std::string("TEST-") + info->name()));
    }

    QRect geometryOf(const QString& name) { return widget(name)->geometry(); }

    text::LayoutDescriptor held;
    std::vector<std::string> reports;
};

TEST_F(LayoutTest, InsetPairNarrowsTheLabelOnEveryPage) {
    apply("Btn_Space_F=12\nBtn_Space_B=12\nBtn_B1_Enable=1\nBtn_B1_X=176\nBtn_B1_Y=39\n");
    for (int n = 1; n <= 4; ++n) {
        const QRect image = geometryOf(QStringLiteral("Img_Main_%1").arg(n));
        EXPECT_EQ(image.topLeft(), QPoint(176, 39));
        ASSERT_EQ(image.width(), 90);
        EXPECT_EQ(geometryOf(QStringLiteral("Btn_Main_%1").arg(n)),
                  QRect(188, 39, 66, image.height()));
    }
}

TEST_F(LayoutTest, PairLabelTakesTheImageSizeAndSingleKeysWork) {
    apply(
        "Btn_A2_Enable=1\nBtn_A2_X=300\nBtn_A2_Y=400\nKey8_Enable=1\nKey8_X=20\nKey8_Y=30\n"
        "Key7_Enable=0\n");
    for (int n = 1; n <= 4; ++n) {
        const QRect image = geometryOf(QStringLiteral("Img_Apply_%1").arg(n));
        EXPECT_EQ(image.topLeft(), QPoint(300, 400));
        EXPECT_EQ(geometryOf(QStringLiteral("Btn_Apply_%1").arg(n)), image);
    }
    EXPECT_EQ(geometryOf("Img_Key8").topLeft(), QPoint(20, 30));
    EXPECT_EQ(geometryOf("Key8"), geometryOf("Img_Key8"));
    EXPECT_FALSE(widget("Key8")->isHidden());
    EXPECT_TRUE(widget("Key7")->isHidden());
    EXPECT_TRUE(widget("Img_Key7")->isHidden());
}

TEST_F(LayoutTest, HiddenPairIsNotPlacedWhateverItsPlaceSays) {
    const QRect before = geometryOf("Img_Reset_3");
    apply("Btn_A3_Enable=0\nBtn_A3_X=oops\n");
    for (int n = 1; n <= 4; ++n) {
        EXPECT_TRUE(widget(QStringLiteral("Btn_Reset_%1").arg(n))->isHidden());
        EXPECT_TRUE(widget(QStringLiteral("Img_Reset_%1").arg(n))->isHidden());
    }
    EXPECT_EQ(geometryOf("Img_Reset_3"), before);
    for (const std::string& report : reports) {
        EXPECT_EQ(report.find("Btn_A3_"), std::string::npos) << report;
    }

    apply("Btn_A3_Enable=1\nBtn_A3_X=10\nBtn_A3_Y=20\n");
    EXPECT_FALSE(widget("Btn_Reset_3")->isHidden());
    EXPECT_EQ(geometryOf("Img_Reset_3").topLeft(), QPoint(10, 20));
}

TEST_F(LayoutTest, DefectiveKeysLeaveTheirControlsAndAreReportedOnce) {
    const QRect confirm = geometryOf("Img_Confirm_1");
    const QRect apply1 = geometryOf("Img_Apply_1");
    const QColor colour = qobject_cast<LabelButton*>(widget("Btn_Exit_2"))->textColour();
    const std::string lines =
        "Btn_A1_Enable=1\nBtn_A1_X=abc\nBtn_A1_Y=10\nBtn_A2_Enable=1\nBtn_A2_Y=10\n"
        "Color_A_R=1\nColor_A_G=2\nColor_A_B=300\n";
    apply(lines);
    apply(lines);
    EXPECT_EQ(geometryOf("Img_Confirm_1"), confirm);
    EXPECT_EQ(geometryOf("Img_Apply_1"), apply1);
    EXPECT_EQ(qobject_cast<LabelButton*>(widget("Btn_Exit_2"))->textColour(), colour);

    auto count = [&](const std::string& key) {
        int n = 0;
        for (const std::string& report : reports) {
            n += report.find("key " + key + " ") != std::string::npos ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(count("Btn_A1_X"), 1);
    EXPECT_EQ(count("Btn_A2_X"), 1);
    EXPECT_EQ(count("Color_A_B"), 1);
    EXPECT_EQ(count("Btn_A1_Y"), 0);
}

TEST_F(LayoutTest, FontSizesColoursAndTheKeyBlockerFollowTheDescriptor) {
    apply(
        "Size_A=11\nColor_A_R=0\nColor_A_G=255\nColor_A_B=255\nSize_C=13\nColor_C_R=1\n"
        "Color_C_G=2\nColor_C_B=3\nDisable_X=5\nDisable_Y=6\nDisable_H=70\nDisable_W=80\n"
        "P1_X=111\nP1_Y=122\nP4_X=13\nP4_Y=14\n");
    for (const char* name : {"Btn_Confirm_1", "Btn_Apply_4", "Btn_Reset_2", "Btn_Exit_3"}) {
        auto* label = qobject_cast<LabelButton*>(widget(name));
        EXPECT_EQ(label->font().pointSize(), 11) << name;
        EXPECT_EQ(label->textColour(), QColor(0, 255, 255)) << name;
    }
    auto* key = qobject_cast<LabelButton*>(widget("Key9"));
    EXPECT_EQ(key->font().pointSize(), 13);
    EXPECT_EQ(key->textColour(), QColor(1, 2, 3));
    EXPECT_EQ(geometryOf("Disable"), QRect(5, 6, 80, 70));
    EXPECT_EQ(geometryOf("Img_P1").topLeft(), QPoint(111, 122));
    EXPECT_EQ(geometryOf("Img_P4").topLeft(), QPoint(13, 14));
}

// --- the patterns, on controls of the pages still to come ---

class FakeTarget final : public LayoutTarget {
  public:
    QWidget* control(const QString& name) const override {
        const auto it = controls_.find(name);
        return it == controls_.end() ? nullptr : it->second;
    }
    QWidget* add(const QString& name, QSize size = {10, 10}) {
        QWidget* w =
            name.startsWith("lbl_") ? new LabelButton(name, &parent_) : new QWidget(&parent_);
        w->setObjectName(name);
        w->resize(size);
        controls_[name] = w;
        return w;
    }
    QPoint at(const QString& name) const { return control(name)->pos(); }

  private:
    QWidget parent_;
    std::map<QString, QWidget*> controls_;
};

class LayoutPatternsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetReportSink([this](const std::string& text) { reports.push_back(text); });
    }
    void TearDown() override { SetReportSink(nullptr); }

    LayoutValues apply(const std::string& lines) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        held = descriptor(lines);
        return ApplyDescriptor(DescriptorKeys(&held, std::string("PATTERN-") + info->name()),
                               target);
    }

    FakeTarget target;
    text::LayoutDescriptor held;
    std::vector<std::string> reports;
};

TEST_F(LayoutPatternsTest, BarsSpaceTheirSegmentsByTheFirstOnesWidth) {
    for (int k = 1; k <= 10; ++k) {
        target.add(QStringLiteral("Img_Spd%1").arg(k), {24, 7});
        target.add(QStringLiteral("lbl_Spd%1").arg(k));
    }
    for (int k = 1; k <= 8; ++k) {
        target.add(QStringLiteral("Img_DPI3_%1").arg(k), {19, 7});
    }
    apply("Spd_X=104\nSpd_Y=200\nDPI3_Steps_X=50\nDPI3_Steps_Y=60\n");
    EXPECT_EQ(target.at("Img_Spd1"), QPoint(104, 200));
    EXPECT_EQ(target.at("Img_Spd10"), QPoint(320, 200));
    EXPECT_EQ(target.at("lbl_Spd10"), QPoint(316, 208));
    EXPECT_EQ(target.at("lbl_Spd1"), QPoint(100, 208));
    EXPECT_EQ(target.at("Img_DPI3_8"), QPoint(183, 60));
}

TEST_F(LayoutPatternsTest, OptionsAndDelayRowsSitBesideTheirLabels) {
    for (const char* name :
         {"Img_MCPIOn", "lbl_MCPIOn", "Img_LEDColorBre4", "lbl_LEDColorBre4", "LED_RecDelay",
          "LED_DelayTime", "LED_NoDelay", "IB_RecDelay", "IB_DelayTime", "IB_NoDelay",
          "Edt_InsertDelay", "lbl_Delay", "lbl_s_A", "Gb_Insert", "Img_InsertBase"}) {
        target.add(name);
    }
    apply(
        "MCPIOn_X=30\nMCPIOn_Y=40\nLEDColorBre4_X=5\nLEDColorBre4_Y=6\nRecDelay_X=10\n"
        "RecDelay_Y=20\nRecDelay_H=25\nInsertDelayEdit_X=100\nInsertDelayEdit_Y=50\n"
        "Insert_X=300\nInsert_Y=310\n");
    EXPECT_EQ(target.at("Img_MCPIOn"), QPoint(30, 40));
    EXPECT_EQ(target.at("lbl_MCPIOn"), QPoint(26, 38));
    EXPECT_EQ(target.at("lbl_LEDColorBre4"), QPoint(1, 4));
    EXPECT_EQ(target.at("LED_RecDelay"), QPoint(10, 20));
    EXPECT_EQ(target.at("IB_DelayTime"), QPoint(8, 45));
    EXPECT_EQ(target.at("LED_NoDelay"), QPoint(10, 70));
    EXPECT_EQ(target.at("IB_NoDelay"), QPoint(8, 70));
    EXPECT_EQ(target.at("Edt_InsertDelay"), QPoint(100, 50));
    EXPECT_EQ(target.at("lbl_Delay"), QPoint(26, 52));
    EXPECT_EQ(target.at("lbl_s_A"), QPoint(144, 52));
    EXPECT_EQ(target.at("Gb_Insert"), QPoint(300, 310));
    EXPECT_EQ(target.at("Img_InsertBase"), QPoint(300, 310));
}

TEST_F(LayoutPatternsTest, ColoursAndSizesReachTheirControlsAndTheOwnersOfTheRest) {
    target.add("lbl_Spd4");
    target.add("lbl_DPI2");
    target.add("lbl_DPI2Value");
    QWidget* box = target.add("Edt_Repeat1");
    const LayoutValues values = apply(
        "Size_D=9\nColor_D_Selected_R=0\nColor_D_Selected_G=255\nColor_D_Selected_B=0\n"
        "Color_D_notSelected_R=9\nColor_D_notSelected_G=8\nColor_D_notSelected_B=7\n"
        "Color_D_Back_R=1\nColor_D_Back_G=1\nColor_D_Back_B=1\nMacroNameHeight=20\n");
    EXPECT_EQ(values.cpiSelected, QColor(0, 255, 0));
    EXPECT_EQ(values.cpiNotSelected, QColor(9, 8, 7));
    EXPECT_EQ(values.macroNameHeight, 20);
    EXPECT_FALSE(values.macroLabel) << "no Color_F keys";
    EXPECT_EQ(target.control("lbl_Spd4")->font().pointSize(), 9);
    EXPECT_EQ(target.control("lbl_DPI2Value")->font().pointSize(), 9);
    EXPECT_EQ(target.control("lbl_DPI2")->font().pointSize(), 10)
        << "level labels one point larger";
    EXPECT_EQ(qobject_cast<LabelButton*>(target.control("lbl_Spd4"))->textColour(),
              QColor(9, 8, 7));
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(9, 8, 7));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(1, 1, 1));
}

TEST_F(LayoutPatternsTest, KeysOfControlsTheWindowLacksAreNotRead) {
    apply("");
    for (const std::string& report : reports) {
        for (const char* absent : {"Spd_X", "MCPIOn_X", "P3_X", "Btn_A1_Enable", "Key1_Enable",
                                   "Size_A", "BtnStart_X", "RecDelay_H"}) {
            EXPECT_EQ(report.find(std::string("key ") + absent + " "), std::string::npos) << report;
        }
    }
}

// The shipped descriptors as the window applies them.
TEST_F(LayoutTest, ShippedLayoutsShowWhatEachLanguageOffers) {
    const struct {
        int language;
        bool breathInside;
        std::vector<int> keys;
    } cases[] = {{1, false, {1, 2, 3, 4, 5, 6}},
                 {2, true, {1, 2, 3, 4, 5, 6, 8}},
                 {3, false, {1, 2, 3, 4, 5, 6}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        switchLanguage(c.language);
        EXPECT_TRUE(widget("Btn_Lang2_1")->isHidden());
        EXPECT_EQ(window->rect().contains(geometryOf("Btn_Breath_1")), c.breathInside);
        EXPECT_FALSE(window->rect().intersects(geometryOf("Img_Web_1")));
        for (int n = 1; n <= 9; ++n) {
            const bool shown = std::find(c.keys.begin(), c.keys.end(), n) != c.keys.end();
            EXPECT_EQ(!widget(QStringLiteral("Key%1").arg(n))->isHidden(), shown) << n;
        }
        for (const char* name : {"Btn_Confirm_1", "Btn_Main_1", "Btn_Adv_1", "Btn_Macro_1",
                                 "Btn_Save_1", "Btn_Load_1", "Btn_Lang1_1", "Btn_Lang3_1"}) {
            EXPECT_TRUE(window->rect().contains(geometryOf(name))) << name;
        }
    }
    EXPECT_TRUE(reports.empty()) << reports.front();
}

}  // namespace
}  // namespace vtr::shell
