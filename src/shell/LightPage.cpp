#include "shell/LightPage.h"

#include "shell/MainWindow.h"
#include "shell/NumberEdit.h"
#include "shell/SkinControls.h"

namespace vtr::shell {

namespace {

using settings::Lighting;
using settings::LightingGroup;

// The option labels start 4 pixels left of their picture and 2 above it, and
// cover the caption the panel picture prints after it.
constexpr int kOptionHeight = 20;
constexpr QSize kBoxSize(34, 18);
constexpr int kBoxPoints = 8;
const QColor kBoxBack(10, 16, 22);

const struct {
    const char* stem;
    settings::OptionGroup Lighting::*group;
    int number;
    LightingGroup shownWith;
    int width;
} kOptions[] = {
    {"MCPIOn", &Lighting::mcpi, settings::kOn, LightingGroup::None, 60},
    {"MCPIOff", &Lighting::mcpi, settings::kOff, LightingGroup::None, 60},
    {"LEDKeyOn", &Lighting::ledKey, settings::kOn, LightingGroup::None, 60},
    {"LEDKeyOff", &Lighting::ledKey, settings::kOff, LightingGroup::None, 60},
    {"LEDNTMode1", &Lighting::ntMode, 1, LightingGroup::NT, 150},
    {"LEDNTMode2", &Lighting::ntMode, 2, LightingGroup::NT, 150},
    {"LEDNTMode3", &Lighting::ntMode, 3, LightingGroup::NT, 150},
    {"LEDNTMode4", &Lighting::ntMode, 4, LightingGroup::NT, 150},
    {"LEDNTMode5", &Lighting::ntMode, 5, LightingGroup::NT, 150},
    {"LEDColorMode1", &Lighting::colourMode, 1, LightingGroup::ColourMode, 75},
    {"LEDColorMode2", &Lighting::colourMode, 2, LightingGroup::ColourMode, 75},
    {"LEDColorBre1", &Lighting::colourBreathing, 1, LightingGroup::ColourBreathing, 120},
    {"LEDColorBre2", &Lighting::colourBreathing, 2, LightingGroup::ColourBreathing, 120},
    {"LEDColorBre3", &Lighting::colourBreathing, 3, LightingGroup::ColourBreathing, 120},
    {"LEDColorBre4", &Lighting::colourBreathing, 4, LightingGroup::ColourBreathing, 120},
};

const struct {
    const char* name;
    text::NumberBox Lighting::*box;
    LightingGroup shownWith;
} kBoxes[] = {
    {"edt_LEDNTMode1Time", &Lighting::ntMode1Time, LightingGroup::NT},
    {"edt_LEDNTMode2Time", &Lighting::ntMode2Time, LightingGroup::NT},
    {"edt_LEDNTMode2Hold", &Lighting::ntMode2Hold, LightingGroup::NT},
    {"edt_LEDNTMode3Time", &Lighting::ntMode3Time, LightingGroup::NT},
    {"edt_LEDNTMode3Count", &Lighting::ntMode3Count, LightingGroup::NT},
    {"edt_OffTime", &Lighting::offTime, LightingGroup::ColourBreathing},
    {"edt_RiseTime", &Lighting::riseTime, LightingGroup::ColourBreathing},
    {"edt_LightTime", &Lighting::lightTime, LightingGroup::ColourBreathing},
    {"edt_FallTime", &Lighting::fallTime, LightingGroup::ColourBreathing},
};

// Whether a control that belongs to `group` shows while `visible` is on the
// page. Before anything was decoded the mode group stands for all.
bool shows(LightingGroup group, LightingGroup visible) {
    if (group == LightingGroup::None) {
        return true;
    }
    return group == (visible == LightingGroup::None ? LightingGroup::NT : visible);
}

}  // namespace

LightPage::LightPage(MainWindow& window) : QObject(&window), window_(window) {
    buildOptions();
    buildBoxes();
    connect(&window_, &MainWindow::settingsShown, this, &LightPage::refresh);
    connect(&window_, &MainWindow::languageSwitched, this, [this] {
        applyColours();
        refresh();
    });
    connect(&window_, &MainWindow::pageShown, this, [this](int page) {
        if (page == 3) {
            refresh();
        }
    });
    // Storing the settings normalises every box; the boxes show what went out.
    connect(&window_, &MainWindow::settingsStored, this, &LightPage::refresh);
    // Built when first needed, after the window's layout: it shows the
    // current language's colours and the settings at once.
    applyColours();
    refresh();
}

void LightPage::buildOptions() {
    QWidget* page = window_.page(3);
    for (const auto& kind : kOptions) {
        Option option{kind.stem, kind.group, kind.number, kind.shownWith};
        option.image = new ImageControl(QStringLiteral("Img_") + kind.stem, page);
        option.image->setPicture("RdS_D");
        option.label = new LabelButton(QStringLiteral("lbl_") + kind.stem, page);
        option.label->resize(kind.width, kOptionHeight);
        option.label->setCursor(Qt::PointingHandCursor);
        const QString stem = option.stem;
        connect(option.label, &LabelButton::clicked, this, [this, stem] { selectOption(stem); });
        window_.addControl(option.image);
        window_.addControl(option.label);
        options_.push_back(option);
    }
}

void LightPage::buildBoxes() {
    QWidget* page = window_.page(3);
    Lighting& lighting = window_.editor().settings().lighting;
    for (const auto& kind : kBoxes) {
        text::NumberBox& box = lighting.*kind.box;
        auto* edit = new NumberEdit(kind.name, box.rule(), page);
        edit->resize(kBoxSize);
        edit->setAlignment(Qt::AlignCenter);
        QFont font = edit->font();
        font.setPointSize(kBoxPoints);
        edit->setFont(font);
        connect(edit, &QLineEdit::textEdited, this,
                [&box](const QString& text) { box.setText(text.toStdString()); });
        // `edt_LEDNTMode1TimeExit` and the others: the box's leave rule.
        connect(edit, &NumberEdit::left, this, [&box](NumberEdit* left) {
            box.normalise();
            left->setNumberText(QString::fromStdString(box.text()));
        });
        window_.addControl(edit);
        boxes_.push_back({kind.box, kind.shownWith, edit});
    }
}

void LightPage::selectOption(const QString& stem) {
    Lighting& lighting = window_.editor().settings().lighting;
    for (const Option& option : options_) {
        if (option.stem == stem) {
            (lighting.*option.group).select(option.number);
            break;
        }
    }
    refresh();
}

void LightPage::refresh() {
    Lighting& lighting = window_.editor().settings().lighting;
    for (const Option& option : options_) {
        const settings::OptionGroup& group = lighting.*option.group;
        const std::string_view picture = group.pictureName(option.number);
        option.image->setPicture(QString::fromLatin1(picture.data(), picture.size()));
        const bool shown = shows(option.shownWith, lighting.visible);
        option.image->setVisible(shown);
        option.label->setVisible(shown);
    }
    for (const Box& box : boxes_) {
        box.edit->setNumberText(QString::fromStdString((lighting.*box.box).text()));
        box.edit->setVisible(shows(box.shownWith, lighting.visible));
    }
}

void LightPage::applyColours() {
    const QColor back = window_.layoutValues().fireKeyBack.value_or(kBoxBack);
    for (const Box& box : boxes_) {
        // The descriptor gives the figures' colour (set by the layout).
        box.edit->setColours(box.edit->palette().color(QPalette::Text), back);
    }
}

}  // namespace vtr::shell
