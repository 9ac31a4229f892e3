#pragma once

#include <QObject>
#include <array>

#include "settings/CpiLevels.h"
#include "settings/PointerSettings.h"

namespace vtr::shell {

class ImageControl;
class LabelButton;
class MainWindow;
class NumberEdit;

// The Advanced page (2): CPI levels, fire key and the three pointer bars.
// Its controls live in the window's page container and are registered with
// the window by name, so the layout places them and tests find them.
//
// The page draws the editor's models and hands every click and keystroke to
// them; it keeps no settings of its own.
class AdvancedPage final : public QObject {
    Q_OBJECT
  public:
    explicit AdvancedPage(MainWindow& window);

    // --- the click handlers, by the number in the clicked control's name ---
    void DPILevel_OnClick(int level);
    void CurrentDPI_OnClick(int level);
    void DPIValue_OnClick(int level, int segment);
    void PointerBar_OnClick(settings::PointerBar bar, int segment);

    // Every control drawn from the models again.
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Level {
        LabelButton* label = nullptr;
        ImageControl* check = nullptr;
        std::array<ImageControl*, settings::kCpiBarSegments> segments{};
        LabelButton* value = nullptr;
        NumberEdit* colour = nullptr;
    };
    struct Bar {
        std::array<ImageControl*, settings::kPointerSteps> segments{};
        std::array<LabelButton*, settings::kPointerSteps> labels{};
    };

    void buildLevels();
    void buildFireKey();
    void buildBars();
    void drawLevel(int level);
    void drawLevels();
    void drawBar(settings::PointerBar bar);
    void drawFireKey();
    void applyColours();

    MainWindow& window_;
    std::array<Level, settings::kCpiLevelCount> levels_{};
    std::array<Bar, 3> bars_{};
    NumberEdit* repeat_ = nullptr;
    NumberEdit* delay_ = nullptr;
    QObject* pressed_ = nullptr;
};

}  // namespace vtr::shell
