#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "QtPrinters.h"
#include "shell/NumberEdit.h"

namespace vtr::shell {
namespace {

class NumberEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        holder.resize(200, 100);
        other = new QLineEdit(&holder);
        other->move(0, 50);
        holder.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&holder));
    }

    NumberEdit* box(text::NumberBox::Rule rule, const QString& start = {}) {
        auto* edit = new NumberEdit("Edt_Test", rule, &holder);
        edit->setNumberText(start);
        edit->show();
        edit->setFocus();
        edit->end(false);
        return edit;
    }

    QWidget holder;
    QLineEdit* other = nullptr;
};

TEST_F(NumberEditTest, TakesDigitsAndBackspaceOnlyUpToItsLength) {
    NumberEdit* edit = box({.emptyDefault = 2, .largest = 127});
    QTest::keyClicks(edit, "1x2-3 45");
    EXPECT_EQ(edit->text(), "123");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "12");
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "12");
}

TEST_F(NumberEditTest, PastedTextKeepsItsDigitsAsFarAsThereIsRoom) {
    NumberEdit* edit = box({.maxLength = 3}, "");
    edit->insert("1a2b34");  // what pasting and dropping do
    EXPECT_EQ(edit->text(), "123");
    NumberEdit* delay = box({.largest = 10200, .maxLength = 5}, "7");
    delay->insert("x 8 9 0 1 2 3");
    EXPECT_EQ(delay->text(), "78901");
}

TEST_F(NumberEditTest, LeavingAppliesTheLeaveRule) {
    const struct {
        const char* typed;
        const char* after;
    } cases[] = {{"200", "127"}, {"", "2"}, {"007", "007"}, {"1", "2"}, {"127", "127"}};
    for (const auto& c : cases) {
        NumberEdit* edit = box({.emptyDefault = 2, .largest = 127, .oneMeansEmpty = true});
        int leaves = 0;
        QObject::connect(edit, &NumberEdit::left, [&leaves] { ++leaves; });
        QTest::keyClicks(edit, c.typed);
        other->setFocus();
        EXPECT_EQ(edit->text(), c.after) << c.typed;
        EXPECT_EQ(leaves, 1) << c.typed;
        delete edit;
    }
}

TEST_F(NumberEditTest, TheProgramsTextIsShownAsSetAndValuedByTheRule) {
    NumberEdit* edit = box({.emptyDefault = 5, .largest = 255});
    edit->setNumberText("999");
    EXPECT_EQ(edit->text(), "999");
    EXPECT_EQ(edit->value(), 255);
    edit->setNumberText("");
    EXPECT_EQ(edit->value(), 5);
}

}  // namespace
}  // namespace vtr::shell
