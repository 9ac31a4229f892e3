#include "shell/AdvancedPage.h"

#include <QMouseEvent>

#include "shell/MainWindow.h"
#include "shell/NumberEdit.h"
#include "shell/SkinControls.h"

namespace vtr::shell {

namespace {

using settings::PointerBar;

// Sizes of the controls without a picture of their own; the panel picture
// leaves a place of this size for each.
constexpr QSize kLevelLabelSize(40, 16);
constexpr QSize kValueLabelSize(40, 16);
constexpr QSize kStepLabelSize(24, 14);
constexpr QSize kColourBoxSize(20, 18);
constexpr QSize kFireKeyBoxSize(40, 20);
constexpr int kFireKeyPoints = 9;
constexpr int kColourBoxPoints = 8;

// The colours a descriptor does not give: the page's own dark boxes with pale
// figures.
const QColor kBoxText(122, 138, 156);
const QColor kBoxBack(10, 16, 22);

const struct {
    PointerBar bar;
    const char* segment;
    const char* label;
} kBars[] = {
    {PointerBar::Speed, "Img_Spd", "lbl_Spd"},
    {PointerBar::DoubleClick, "Img_DbSpd", "lbl_DbSpd"},
    {PointerBar::ScrollLines, "Img_ScrSpd", "lbl_ScrSpd"},
};

QString name(const char* base, int n, const char* tail = "") {
    return QString::fromLatin1(base) + QString::number(n) + QString::fromLatin1(tail);
}

QString fromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename T>
T& at(std::array<T, settings::kCpiLevelCount>& levels, int level) {
    return levels[static_cast<std::size_t>(level - 1)];
}

}  // namespace

AdvancedPage::AdvancedPage(MainWindow& window) : QObject(&window), window_(window) {
    buildLevels();
    buildFireKey();
    buildBars();
    connect(&window_, &MainWindow::settingsShown, this, &AdvancedPage::refresh);
    connect(&window_, &MainWindow::pointerSettingsRead, this, &AdvancedPage::refresh);
    connect(&window_, &MainWindow::languageSwitched, this, [this] {
        applyColours();
        refresh();
    });
    // The pointer settings are read again after a device read, and a fire key
    // picked on page 1 normalises the fire-key boxes: both show here.
    connect(&window_, &MainWindow::pageShown, this, [this](int page) {
        if (page == 2) {
            refresh();
        }
    });
    // Storing the settings normalises every box; the boxes show what went out.
    connect(&window_, &MainWindow::settingsStored, this, &AdvancedPage::refresh);
    // Built when first needed, after the window's layout: it shows the
    // current language's colours and the settings at once.
    applyColours();
    refresh();
}

void AdvancedPage::buildLevels() {
    QWidget* page = window_.page(2);
    auto& cpi = window_.editor().settings().cpi;
    for (int n = 1; n <= settings::kCpiLevelCount; ++n) {
        Level& level = at(levels_, n);
        level.check = new ImageControl(name("Img_DPI", n), page);
        level.check->setPicture(fromStd(settings::CheckImageName(settings::Picture::Normal)));
        level.check->installEventFilter(this);
        window_.addControl(level.check);

        level.label = new LabelButton(name("lbl_DPI", n), page);
        level.label->resize(kLevelLabelSize);
        level.label->setCaption(name("DPI", n));
        connect(level.label, &LabelButton::clicked, this, [this, n] { DPILevel_OnClick(n); });
        window_.addControl(level.label);

        for (int k = 1; k <= settings::kCpiBarSegments; ++k) {
            auto* segment = new ImageControl(name("Img_DPI", n, "_") + QString::number(k), page);
            // The layout spaces the segments by the width of the first.
            segment->setPicture(fromStd(settings::BarImageName(
                k == 1 ? settings::Picture::Selected : settings::Picture::Normal)));
            segment->installEventFilter(this);
            level.segments[static_cast<std::size_t>(k - 1)] = segment;
            window_.addControl(segment);
        }

        level.value = new LabelButton(name("lbl_DPI", n, "Value"), page);
        level.value->resize(kValueLabelSize);
        window_.addControl(level.value);

        level.colour = new NumberEdit(name("Edt_CPI", n, "Color"), cpi.colourBox(n).rule(), page);
        level.colour->resize(kColourBoxSize);
        level.colour->setAlignment(Qt::AlignCenter);
        QFont font = level.colour->font();
        font.setPointSize(kColourBoxPoints);
        level.colour->setFont(font);
        connect(level.colour, &QLineEdit::textEdited, this, [this, n](const QString& text) {
            window_.editor().settings().cpi.colourBox(n).setText(text.toStdString());
        });
        // `RefreshCPIColorValue`: the level's own leave rule (level 8 has none).
        connect(level.colour, &NumberEdit::left, this, [this, n](NumberEdit* edit) {
            auto& box = window_.editor().settings().cpi;
            box.leaveColourBox(n);
            edit->setNumberText(QString::fromStdString(box.colourBox(n).text()));
        });
        window_.addControl(level.colour);
    }
}

void AdvancedPage::buildFireKey() {
    QWidget* page = window_.page(2);
    keys::FireKey& fireKey = window_.editor().settings().fireKey;
    const struct {
        NumberEdit** edit;
        const char* name;
        text::NumberBox* box;
    } boxes[] = {{&repeat_, "Edt_Repeat1", &fireKey.repeat},
                 {&delay_, "Edt_DelayTime1", &fireKey.delay}};
    for (const auto& b : boxes) {
        auto* edit = new NumberEdit(b.name, b.box->rule(), page);
        edit->resize(kFireKeyBoxSize);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont font = edit->font();
        font.setPointSize(kFireKeyPoints);
        edit->setFont(font);
        text::NumberBox* box = b.box;
        connect(edit, &QLineEdit::textEdited, this,
                [box](const QString& text) { box->setText(text.toStdString()); });
        // `RepeatValue_OnClick`, `DelayTimeValue_OnClick`.
        connect(edit, &NumberEdit::left, this, [box](NumberEdit* left) {
            box->normalise();
            left->setNumberText(QString::fromStdString(box->text()));
        });
        *b.edit = edit;
        window_.addControl(edit);
    }
}

void AdvancedPage::buildBars() {
    QWidget* page = window_.page(2);
    for (const auto& kind : kBars) {
        Bar& bar = bars_[static_cast<std::size_t>(kind.bar)];
        for (int k = 1; k <= settings::kPointerSteps; ++k) {
            auto* segment = new ImageControl(name(kind.segment, k), page);
            segment->setPicture(k == 1 ? "Bar1_E" : "Bar1_D");
            segment->installEventFilter(this);
            bar.segments[static_cast<std::size_t>(k - 1)] = segment;
            window_.addControl(segment);

            auto* label = new LabelButton(name(kind.label, k), page);
            label->resize(kStepLabelSize);
            label->setCaption(QString::number(k));
            bar.labels[static_cast<std::size_t>(k - 1)] = label;
            window_.addControl(label);
        }
    }
}

// --- clicks ---

bool AdvancedPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) {
        return QObject::eventFilter(watched, event);
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    auto* image = qobject_cast<ImageControl*>(watched);
    if (image == nullptr) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        pressed_ = watched;
        return true;
    }
    const bool click = pressed_ == watched && image->rect().contains(mouse->position().toPoint());
    pressed_ = nullptr;
    if (!click) {
        return true;
    }
    for (int n = 1; n <= settings::kCpiLevelCount; ++n) {
        const Level& level = at(levels_, n);
        if (level.check == image) {
            CurrentDPI_OnClick(n);
            return true;
        }
        for (int k = 1; k <= settings::kCpiBarSegments; ++k) {
            if (level.segments[static_cast<std::size_t>(k - 1)] == image) {
                DPIValue_OnClick(n, k);
                return true;
            }
        }
    }
    for (const auto& kind : kBars) {
        const Bar& bar = bars_[static_cast<std::size_t>(kind.bar)];
        for (int k = 1; k <= settings::kPointerSteps; ++k) {
            if (bar.segments[static_cast<std::size_t>(k - 1)] == image) {
                PointerBar_OnClick(kind.bar, k);
                return true;
            }
        }
    }
    return true;
}

void AdvancedPage::DPILevel_OnClick(int level) {
    auto& cpi = window_.editor().settings().cpi;
    const auto current = cpi.current();
    if (!cpi.toggle(level)) {
        return;
    }
    drawLevel(level);
    if (current && current != cpi.current()) {
        drawLevel(*current);
        if (cpi.current()) {
            drawLevel(*cpi.current());
        }
    }
}

void AdvancedPage::CurrentDPI_OnClick(int level) {
    auto& cpi = window_.editor().settings().cpi;
    if (cpi.makeCurrent(level)) {
        drawLevels();
    }
}

void AdvancedPage::DPIValue_OnClick(int level, int segment) {
    auto& settings = window_.editor().settings();
    if (settings.cpi.setValue(level, segment, settings.languages())) {
        drawLevel(level);
    }
}

void AdvancedPage::PointerBar_OnClick(PointerBar bar, int segment) {
    if (window_.editor().pointer().click(bar, segment)) {
        drawBar(bar);
    }
}

// --- drawing ---

void AdvancedPage::refresh() {
    drawLevels();
    for (const auto& kind : kBars) {
        drawBar(kind.bar);
    }
    drawFireKey();
}

void AdvancedPage::drawLevel(int n) {
    const auto& cpi = window_.editor().settings().cpi;
    const LayoutValues& colours = window_.layoutValues();
    Level& level = at(levels_, n);
    const bool enabled = cpi.isEnabled(n);
    const auto& labelColour = enabled ? colours.cpiSelected : colours.cpiNotSelected;
    if (labelColour) {
        level.label->setTextColour(*labelColour);
    }
    const bool live = cpi.isLive(n);
    level.check->setEnabled(live);
    level.check->setPicture(fromStd(settings::CheckImageName(cpi.checkImage(n))));
    for (int k = 1; k <= settings::kCpiBarSegments; ++k) {
        ImageControl* segment = level.segments[static_cast<std::size_t>(k - 1)];
        segment->setEnabled(live);
        segment->setPicture(fromStd(settings::BarImageName(cpi.barSegment(n, k))));
    }
    level.value->setCaption(QString::fromStdString(cpi.valueText(n)));
    level.colour->setNumberText(QString::fromStdString(cpi.colourBox(n).text()));
}

void AdvancedPage::drawLevels() {
    for (int n = 1; n <= settings::kCpiLevelCount; ++n) {
        drawLevel(n);
    }
}

void AdvancedPage::drawBar(PointerBar kind) {
    const auto& pointer = window_.editor().pointer();
    Bar& bar = bars_[static_cast<std::size_t>(kind)];
    for (int k = 1; k <= settings::kPointerSteps; ++k) {
        bar.segments[static_cast<std::size_t>(k - 1)]->setPicture(
            fromStd(pointer.segmentImage(kind, k)));
    }
}

void AdvancedPage::drawFireKey() {
    const keys::FireKey& fireKey = window_.editor().settings().fireKey;
    repeat_->setNumberText(QString::fromStdString(fireKey.repeat.text()));
    delay_->setNumberText(QString::fromStdString(fireKey.delay.text()));
}

void AdvancedPage::applyColours() {
    const LayoutValues& values = window_.layoutValues();
    const QColor text = values.cpiNotSelected.value_or(kBoxText);
    const QColor back = values.fireKeyBack.value_or(kBoxBack);
    repeat_->setColours(text, back);
    delay_->setColours(text, back);
    for (Level& level : levels_) {
        level.colour->setColours(text, back);
    }
}

}  // namespace vtr::shell
