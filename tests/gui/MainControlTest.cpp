#include <QCheckBox>
#include <QLineEdit>

#include "WindowFixture.h"
#include "keys/FunctionCode.h"
#include "keys/KeyCatalogue.h"
#include "shell/CombinationDialog.h"
#include "shell/MainControlPage.h"
#include "shell/MenuPanel.h"
#include "shell/QtVirtualKeys.h"
#include "shell/SkinControls.h"

namespace vtr::shell {
namespace {

class MainControlTest : public WindowTest {
  protected:
    keys::ButtonAssignment& buttons() { return window->editor().settings().buttons; }

    std::string caption(int button) {
        return window->caption(QStringLiteral("Key%1").arg(button)).toStdString();
    }

    // The names of the pop-up menus on show.
    std::vector<std::string> openMenus() {
        std::vector<std::string> open;
        for (const char* name : {"Pnl_Main", "Pnl_MseKey", "Pnl_Special", "Pnl_Media", "Pnl_WWW",
                                 "Pnl_MyPC", "LB_Name"}) {
            if (widget(name)->isVisible()) {
                open.emplace_back(name);
            }
        }
        return open;
    }

    // Through the menus as a user goes: the label, the category, the item.
    void pick(int button, const QString& category, const QString& item) {
        click(QStringLiteral("Key%1").arg(button));
        hover(category);
        click(item);
    }

    void deleteAllMacros() {
        editor::Editor& editor = window->editor();
        while (!editor.macroEditor().macroNames().empty()) {
            ASSERT_TRUE(
                editor.macroAction([](macros::MacroEditor& m) { return m.LB_MacroNameClick(0); }));
            ASSERT_TRUE(
                editor.macroAction([](macros::MacroEditor& m) { return m.Btn_DelMacroClick(); }));
        }
    }

    // A point of the page's background picture, above the page buttons.
    QPoint onBackground() {
        const QPoint point(520, 20);
        QWidget* at = window->childAt(point);
        EXPECT_TRUE(at != nullptr && at->objectName() == "Img_Base_1");
        return point;
    }
    void clickBackground() {
        moveTo(onBackground());
        clickAt(onBackground());
    }

    std::string codeOf(int tag) {
        return keys::CodeForMenuTag(tag, window->editor().settings().fireKey);
    }
};

// --- the menus ---

TEST_F(MainControlTest, ClickingALabelOpensTheCategoryMenuAndHoveringACategoryItsFunctions) {
    startAndRead();
    click("Key4");
    EXPECT_EQ(buttons().selectedButton(), 4);
    EXPECT_EQ(openMenus(), std::vector<std::string>{"Pnl_Main"});
    auto* label = qobject_cast<LabelButton*>(widget("Key4"));
    EXPECT_EQ(label->textColour(), QColor(Qt::white));
    EXPECT_FALSE(window->labelRunTimer().isActive()) << "the caption stops scrolling";
    EXPECT_EQ(window->picture("Img_Key4"), "KeyS_01") << "the hover picture goes";

    const QRect area = label->geometry();
    EXPECT_EQ(widget("Pnl_Main")->pos(),
              QPoint(area.x() + area.width() / 2, area.y() + area.height() / 2))
        << "opens at the label's centre";

    auto* standard = qobject_cast<MenuItem*>(widget("Key_Standard"));
    EXPECT_EQ(standard->caption(), " * Standard Mouse Key");
    EXPECT_TRUE(standard->hasMarker());
    hover("Key_Standard");
    EXPECT_TRUE(standard->highlighted());
    EXPECT_EQ(openMenus(), (std::vector<std::string>{"Pnl_Main", "Pnl_MseKey"}));
    const QRect item = standard->geometry();
    EXPECT_EQ(widget("Pnl_MseKey")->pos(),
              widget("Pnl_Main")->pos() + QPoint(item.right() + 1, item.top()));

    hover("Key_Media");
    EXPECT_FALSE(standard->highlighted()) << "leaving takes the highlight away";
    EXPECT_EQ(openMenus(), (std::vector<std::string>{"Pnl_Main", "Pnl_Media"}));
    hover("Key_VolumePlus");
    EXPECT_EQ(openMenus(), (std::vector<std::string>{"Pnl_Main", "Pnl_Media"}))
        << "leaving a category keeps its submenu";
    EXPECT_TRUE(qobject_cast<MenuItem*>(widget("Key_VolumePlus"))->highlighted());

    hover("Key_Assembly");
    EXPECT_EQ(openMenus(), std::vector<std::string>{"Pnl_Main"});
    EXPECT_TRUE(qobject_cast<MenuItem*>(widget("Key_Assembly"))->highlighted());

    hover("Key_Media");
    click("Key_VolumePlus");
    EXPECT_TRUE(openMenus().empty()) << "a pick closes every menu";
    EXPECT_EQ(caption(4), "Volume +");
    EXPECT_EQ(buttons().codeText(4), codeOf(1304));
    EXPECT_EQ(buttons().tableBytes(4), keys::CodeTextToBytes(codeOf(1304)).value());
}

TEST_F(MainControlTest, TheLastLeftKeyCannotBeGivenAway) {
    startAndRead();
    ASSERT_EQ(caption(1), "Left Key");
    for (int n = 2; n <= 9; ++n) {
        ASSERT_NE(buttons().captionText(n), "Left Key") << n;
    }
    const std::string leftCode = buttons().codeText(1);

    pick(1, "Key_Standard", "Key_Right");
    EXPECT_EQ(caption(1), "Left Key") << "refused without a word";
    EXPECT_EQ(buttons().codeText(1), leftCode);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(openMenus().empty());

    pick(3, "Key_Standard", "Key_Middle");
    EXPECT_EQ(caption(3), "Middle Key");
    pick(3, "Key_Standard", "Key_Right");
    EXPECT_EQ(caption(3), "Right Key");
    EXPECT_EQ(buttons().codeText(3), codeOf(901));

    // With a second Left Key the first one is free to go, but not both.
    pick(3, "Key_Standard", "Key_Left");
    pick(1, "Key_Standard", "Key_Right");
    EXPECT_EQ(caption(1), "Right Key");
    EXPECT_EQ(buttons().codeText(1), codeOf(901));
    pick(3, "Key_Special", "Key_CPI");
    EXPECT_EQ(caption(3), "Left Key");
}

TEST_F(MainControlTest, MenusOpenAwayFromTheWindowEdges) {
    startAndRead();
    struct Case {
        QRect label;
        QPoint pnlMain;
        const char* category;
        const char* submenu;
        QPoint submenuAt;  // relative to Pnl_Main
    };
    // Pnl_Main is 190 x 170 with items of 24 inset by 1; Pnl_Media is 164 x 168,
    // Pnl_Special 164 x 120.
    const Case cases[] = {
        // Centre (650, 300): 650 + 190 reaches 800, so it opens to the left; so
        // do its submenus (460 + 190 + 164 >= 800).
        {{640, 290, 20, 20}, {460, 300}, "Key_Media", "Pnl_Media", {-164, 49}},
        // Centre (200, 500): 500 + 170 reaches 600, so it opens upwards.
        {{190, 490, 20, 20}, {200, 330}, "Key_Special", "Pnl_Special", {189, 25}},
        // Centre (200, 429): 429 + 170 stays short of 600, so it opens
        // downwards; a submenu that would reach the bottom ends level with its
        // item's bottom edge.
        {{190, 419, 20, 20}, {200, 429}, "Key_MyPC", "Pnl_MyPC", {189, 97 + 24 - 72}},
        {{190, 419, 20, 20}, {200, 429}, "Key_Media", "Pnl_Media", {189, 49 + 24 - 168}},
        {{190, 419, 20, 20}, {200, 429}, "Key_Special", "Pnl_Special", {189, 25}},
        // Room everywhere: right and down from the centre.
        {{290, 190, 20, 20}, {300, 200}, "Key_Special", "Pnl_Special", {189, 25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.submenu);
        widget("Key4")->setGeometry(c.label);
        click("Key4");
        EXPECT_EQ(widget("Pnl_Main")->pos(), c.pnlMain);
        hover(c.category);
        ASSERT_TRUE(widget(c.submenu)->isVisible());
        EXPECT_EQ(widget(c.submenu)->pos(), c.pnlMain + c.submenuAt);
        clickBackground();
    }
}

TEST_F(MainControlTest, MenusCloseOnTheBackgroundTheMousePictureAndAPageSwitch) {
    startAndRead();
    const auto openAll = [this] {
        click("Key1");
        hover("Key_WWW");
        ASSERT_EQ(openMenus().size(), 2u);
    };
    openAll();
    clickBackground();
    EXPECT_TRUE(openMenus().empty()) << "background";

    openAll();
    QWidget* picture = widget("Img_P1");
    QPoint onPicture = picture->geometry().topLeft() + QPoint(picture->width() / 2, 4);
    for (const char* name : {"Pnl_Main", "Pnl_WWW"}) {
        if (widget(name)->geometry().contains(onPicture)) {
            onPicture = picture->geometry().bottomLeft() + QPoint(picture->width() / 2, -4);
        }
    }
    moveTo(onPicture);
    clickAt(onPicture);
    EXPECT_TRUE(openMenus().empty()) << "mouse picture";

    openAll();
    moveTo(nowhere());
    click("Btn_Adv_1");
    EXPECT_EQ(window->shownPage(), 2);
    click("Btn_Main_2");
    EXPECT_TRUE(openMenus().empty()) << "page switch";
}

TEST_F(MainControlTest, TheMacroItemListsTheMacrosAndAPickBindsOne) {
    startAndRead();
    const keys::MacroDirectory& macros = buttons().macros();
    ASSERT_GE(macros.nameCount(), 2u);

    click("Key5");
    hover("Key_Macro");
    EXPECT_EQ(openMenus(), (std::vector<std::string>{"Pnl_Main", "LB_Name"}));
    auto* list = qobject_cast<MacroList*>(widget("LB_Name"));
    ASSERT_EQ(static_cast<std::size_t>(list->count()), macros.nameCount());
    EXPECT_EQ(list->item(1)->text().toStdString(), macros.name(1));
    EXPECT_EQ(list->size(), QSize(164, 100));

    const QPoint row = list->mapTo(window.get(), list->rowRect(1).center());
    moveTo(row);
    clickAt(row);
    EXPECT_TRUE(openMenus().empty());
    EXPECT_EQ(caption(5), macros.name(1));
    EXPECT_EQ(buttons().codeText(5), keys::MacroCodeText(macros.startAddresses()[1]));
}

TEST_F(MainControlTest, WithoutMacrosTheMacroItemOpensNothing) {
    startAndRead();
    deleteAllMacros();
    click("Key5");
    hover("Key_Standard");
    ASSERT_EQ(openMenus().size(), 2u);
    hover("Key_Macro");
    EXPECT_EQ(openMenus(), std::vector<std::string>{"Pnl_Main"})
        << "no list, and the open submenu closes";
}

TEST_F(MainControlTest, MenuTextsFollowTheLanguage) {
    startAndRead();
    const auto* media = qobject_cast<MenuItem*>(widget("Key_Media"));
    click("Btn_Lang3_1");
    EXPECT_EQ(media->caption().toStdString(),
              " * " + window->editor().languages().text(3, "Str203"));
    click("Btn_Lang1_1");
    EXPECT_EQ(media->caption(), " * Media Fn");
}

// --- the combination-key dialog ---

class CombinationTest : public MainControlTest {
  public:
    // Through "User-defined", or through "Macro" when `item` says so.
    CombinationDialog* open(int button, const QString& item = "Key_Assembly") {
        click(QStringLiteral("Key%1").arg(button));
        click(item);
        CombinationDialog* dialog = window->mainControlPage().combinationDialog();
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        }
        return dialog;
    }
    void press(CombinationDialog* dialog, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(dialog->windowHandle(), key, mods);
        QApplication::processEvents();
    }
    void clickIn(CombinationDialog* dialog, const QString& name) {
        QWidget* w = dialog->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        const QPoint at = w->mapTo(dialog, w->rect().center());
        QTest::mouseMove(dialog->windowHandle(), at);
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    std::string editText(CombinationDialog* dialog) { return dialog->edit()->text().toStdString(); }
};

TEST_F(CombinationTest, OpensCentredBelowTheMiddleWithItsControls) {
    startAndRead();
    CombinationDialog* dialog = open(2);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(openMenus().empty());
    EXPECT_EQ(dialog->objectName(), "TForm2");
    EXPECT_EQ(dialog->pos(), window->pos() + QPoint((800 - 354) / 2, (600 - 179) / 2 + 40));
    EXPECT_EQ(dialog->title()->text(), "Assembly Key");
    for (const char* name : {"CB_Ctrl", "CB_Shift", "CB_Alt", "CB_Win"}) {
        auto* box = dialog->findChild<QCheckBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(box->y(), 96);
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(QApplication::focusWidget(), dialog->edit());
}

TEST_F(CombinationTest, CapturedKeysAndBoxesBecomeTheButtonsCombination) {
    startAndRead();
    struct Case {
        const char* what;
        std::function<void(CombinationTest&, CombinationDialog*)> enter;
        const char* edit;
        keys::CodeBytes bytes;
        const char* code;
    };
    const Case cases[] = {
        {"Ctrl box, then A",
         [](CombinationTest& t, CombinationDialog* d) {
             t.clickIn(d, "CB_Ctrl");
             t.press(d, Qt::Key_A);
         },
         "Ctrl+A",
         {0x02, 0x01, 0x04},
         "02010400"},
        {"A, then the Ctrl box",
         [](CombinationTest& t, CombinationDialog* d) {
             t.press(d, Qt::Key_A);
             t.clickIn(d, "CB_Ctrl");
         },
         "Ctrl+A",
         {0x02, 0x01, 0x04},
         "02010400"},
        {"A then B",
         [](CombinationTest& t, CombinationDialog* d) {
             t.press(d, Qt::Key_A);
             t.press(d, Qt::Key_B);
         },
         "A+B",
         {0x02, 0x00, 0x04},
         "02000405"},
        {"Enter",
         [](CombinationTest& t, CombinationDialog* d) { t.press(d, Qt::Key_Return); },
         "Enter",
         {0x02, 0x00, 0x28},
         "02002800"},
        {"Esc, then Shift+A swallowed",
         [](CombinationTest& t, CombinationDialog* d) {
             t.press(d, Qt::Key_Escape);
             t.press(d, Qt::Key_A, Qt::ShiftModifier);
         },
         "Esc",
         {0x02, 0x00, 0x29},
         "02002900"},
        {"keypad 1 with the Shift and Alt boxes",
         [](CombinationTest& t, CombinationDialog* d) {
             t.clickIn(d, "CB_Shift");
             t.clickIn(d, "CB_Alt");
             t.press(d, Qt::Key_1, Qt::KeypadModifier);
         },
         "Shift+Alt+1 (numeric pad)",
         {0x02, 0x06, 0x59},
         "02065900"},
        {"A, then Clear",
         [](CombinationTest& t, CombinationDialog* d) {
             t.press(d, Qt::Key_A);
             t.clickIn(d, "IB_Cancel");
         },
         "",
         {0x02, 0x00, 0x00},
         "02000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CombinationDialog* dialog = open(4);
        ASSERT_NE(dialog, nullptr);
        c.enter(*this, dialog);
        EXPECT_TRUE(dialog->isVisible()) << "no key closes the dialog";
        EXPECT_EQ(QApplication::focusWidget(), dialog->edit());
        EXPECT_EQ(editText(dialog), c.edit);
        clickIn(dialog, "IB_Confirm");
        EXPECT_EQ(window->mainControlPage().combinationDialog(), nullptr);
        EXPECT_EQ(caption(4), c.edit);
        EXPECT_EQ(buttons().codeText(4), c.code);
        EXPECT_EQ(buttons().tableBytes(4), c.bytes);
    }
}

TEST_F(CombinationTest, TheButtonSelectedAtConfirmTakesTheResultAndCloseTakesNothing) {
    startAndRead();
    const std::string key2 = buttons().codeText(2);
    CombinationDialog* dialog = open(2);
    ASSERT_NE(dialog, nullptr);
    press(dialog, Qt::Key_A);
    click("Key3");  // the main window stays usable
    clickBackground();
    clickIn(dialog, "IB_Confirm");
    EXPECT_EQ(caption(3), "A");
    EXPECT_EQ(buttons().codeText(2), key2);

    const std::string key6 = buttons().codeText(6);
    const std::string caption6 = caption(6);
    dialog = open(6);
    ASSERT_NE(dialog, nullptr);
    press(dialog, Qt::Key_Z);
    clickIn(dialog, "IB_Close");
    EXPECT_EQ(window->mainControlPage().combinationDialog(), nullptr);
    EXPECT_EQ(buttons().codeText(6), key6);
    EXPECT_EQ(caption(6), caption6);

    // A second opening starts empty; a click on "Macro" opens it too.
    dialog = open(6, "Key_Macro");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(editText(dialog), "");
    EXPECT_EQ(dialog->model().count(), 0);
}

// --- Qt keys as virtual keys ---

TEST(QtVirtualKeysTest, EveryTranslatedKeyIsACatalogueKeyThatMapsBackToItself) {
    const auto catalogue = keys::KeyCatalogue();
    for (const QtKeyMapping& m : QtKeyMappings()) {
        const Qt::KeyboardModifiers mods = m.keypad ? Qt::KeypadModifier : Qt::NoModifier;
        EXPECT_EQ(VirtualKeyOf(m.qtKey, mods), m.virtualKey) << std::hex << m.qtKey;
        const int index = keys::VirtualKeyToKeyIndex(m.virtualKey);
        EXPECT_NE(index, keys::kNoKeyIndex)
            << "Qt key 0x" << std::hex << m.qtKey << " gives virtual key 0x" << m.virtualKey
            << ", which the catalogue does not name";
        EXPECT_EQ(catalogue[static_cast<std::size_t>(index)].virtualKey, m.virtualKey);
    }
}

TEST(QtVirtualKeysTest, KeypadKeysAndModifiers) {
    EXPECT_EQ(VirtualKeyOf(Qt::Key_5, Qt::NoModifier), 0x35);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_5, Qt::KeypadModifier), 0x65);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Minus, Qt::KeypadModifier), 0x6D);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Minus, Qt::NoModifier), 0xBD);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Home, Qt::KeypadModifier), 0x24) << "keypad without Num Lock";
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Enter, Qt::KeypadModifier), 0x0D);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_A, Qt::ShiftModifier), 0x41);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_unknown, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Dead_Grave, Qt::NoModifier), 0);

    const keys::ShiftState ctrlKey = ShiftStateOf(Qt::Key_Control, Qt::NoModifier);
    EXPECT_TRUE(ctrlKey.ctrl) << "a modifier key is held while it goes down";
    const keys::ShiftState plain = ShiftStateOf(Qt::Key_A, Qt::KeypadModifier | Qt::MetaModifier);
    EXPECT_FALSE(plain.ctrl || plain.shift || plain.alt);
    EXPECT_TRUE(ShiftStateOf(Qt::Key_A, Qt::AltModifier).alt);
}

}  // namespace
}  // namespace vtr::shell
