#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "QtPrinters.h"
#include "shell/Skin.h"
#include "shell/SkinControls.h"
#include "shell/SkinDialog.h"

namespace vtr::shell {
namespace {

class SkinDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main.setGeometry(100, 50, 800, 600);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        dialog = new SkinDialog(&main, {"TForm9", "lbl_Title", "Edt_Entry"}, 40);
        dialog->setTexts("Title", "OK", "Cancel");
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.data()));
        // The pointer comes in over the background.
        QTest::mouseMove(dialog->windowHandle(), QPoint(30, 100));
        QTest::mouseMove(dialog->windowHandle(), QPoint(31, 100));
    }
    void TearDown() override { delete dialog.data(); }

    void moveTo(const QString& name) {
        QWidget* w = dialog->control(name);
        QTest::mouseMove(dialog->windowHandle(), w->mapTo(dialog.data(), w->rect().center()));
        QApplication::processEvents();
    }

    QWidget main;
    QPointer<SkinDialog> dialog;
};

TEST_F(SkinDialogTest, SitsCentredOverTheMainWindowInTheShapeOfItsBackground) {
    EXPECT_EQ(dialog->pos(), QPoint(100 + (800 - 354) / 2, 50 + (600 - 179) / 2 + 40));
    EXPECT_EQ(dialog->size(), QSize(354, 179));
    EXPECT_EQ(dialog->mask(), Skin::shape("DialogBack"));
    // The see-through corners are outside, the entry line inside.
    EXPECT_FALSE(dialog->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(dialog->mask().contains(QPoint(60, 75)));
    EXPECT_TRUE(dialog->edit()->hasFocus());
}

TEST_F(SkinDialogTest, HoverPicturesShowOnlyWhileThePointerIsOverTheirButton) {
    QWidget* confirmHover = dialog->control("Img_Confirm");
    QWidget* cancelHover = dialog->control("Img_Cancel");
    EXPECT_TRUE(confirmHover->isHidden());
    moveTo("IB_Confirm");
    EXPECT_FALSE(confirmHover->isHidden());
    EXPECT_TRUE(cancelHover->isHidden());
    moveTo("IB_Cancel");
    EXPECT_TRUE(confirmHover->isHidden());
    EXPECT_FALSE(cancelHover->isHidden());
    moveTo("Edt_Entry");
    EXPECT_TRUE(cancelHover->isHidden());
}

TEST_F(SkinDialogTest, ButtonsSignalAndTheCloseAreaCloses) {
    int confirms = 0, cancels = 0, closes = 0;
    QObject::connect(dialog, &SkinDialog::confirmClicked, [&] { ++confirms; });
    QObject::connect(dialog, &SkinDialog::cancelClicked, [&] { ++cancels; });
    QObject::connect(dialog, &SkinDialog::closeClicked, [&] { ++closes; });
    QTest::mouseClick(dialog->control("IB_Confirm"), Qt::LeftButton);
    QTest::mouseClick(dialog->control("IB_Cancel"), Qt::LeftButton);
    EXPECT_EQ(confirms, 1);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(dialog->isVisible());
    QTest::mouseClick(dialog->control("IB_Close"), Qt::LeftButton);
    EXPECT_EQ(closes, 1);
    // Closed dialogs delete themselves.
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

}  // namespace
}  // namespace vtr::shell
