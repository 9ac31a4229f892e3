#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "settings/Lighting.h"

namespace vtr::shell {

class ImageControl;
class LabelButton;
class MainWindow;
class NumberEdit;

// The Breathing Light page (3): the lighting switches, modes and their timing boxes.
// Its controls live in the window's page container and are registered with
// the window by name, so the layout places them and tests find them.
//
// Every option is a caption-less label over a small picture (the caption is
// part of the panel picture); the selection lives in the editor's lighting
// model. Of the three groups of modes only the one the mouse's variant uses
// is shown.
class LightPage final : public QObject {
    Q_OBJECT
  public:
    explicit LightPage(MainWindow& window);

    // Selects option 1..n of the group `Img_<stem>` belongs to ("MCPIOn",
    // "LEDNTMode3"), as a click on its label does.
    void selectOption(const QString& stem);

    // Every control drawn from the model again.
    void refresh();

  private:
    struct Option {
        QString stem;  // "LEDNTMode3": `Img_LEDNTMode3`, `lbl_LEDNTMode3`
        settings::OptionGroup settings::Lighting::*group;
        int number;
        settings::LightingGroup shownWith;  // None: always shown
        ImageControl* image = nullptr;
        LabelButton* label = nullptr;
    };
    struct Box {
        text::NumberBox settings::Lighting::*box;
        settings::LightingGroup shownWith;
        NumberEdit* edit = nullptr;
    };

    void buildOptions();
    void buildBoxes();
    void applyColours();

    MainWindow& window_;
    std::vector<Option> options_;
    std::vector<Box> boxes_;
};

}  // namespace vtr::shell
