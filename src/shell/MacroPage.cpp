#include "shell/MacroPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "shell/DelayBox.h"
#include "shell/MacroNameDialog.h"
#include "shell/MainWindow.h"
#include "shell/SkinControls.h"
#include "shell/StepView.h"

namespace vtr::shell {

namespace {

using macros::DelayMode;
using macros::InsertEntry;
using macros::MacroEditor;
using macros::MacroRecorder;

const QColor kGrey(114, 113, 113);
const QColor kLampColour(255, 170, 60);

// The three delay modes in the order of their choices and lamps.
constexpr std::array<DelayMode, 3> kModes = {DelayMode::Record, DelayMode::Default,
                                             DelayMode::None};

int modeIndex(DelayMode mode) {
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        if (kModes[i] == mode) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

macros::MouseButton mouseButton(platform::CaptureButton button) {
    switch (button) {
        case platform::CaptureButton::Left:
            return macros::MouseButton::Left;
        case platform::CaptureButton::Right:
            return macros::MouseButton::Right;
        case platform::CaptureButton::Middle:
            return macros::MouseButton::Middle;
        case platform::CaptureButton::Forward:
            return macros::MouseButton::Forward;
        case platform::CaptureButton::Backward:
            return macros::MouseButton::Backward;
    }
    return macros::MouseButton::Left;
}

// The list's own look: no frame, rows of the descriptor's height, a quiet
// scroll bar that fits the dark panel.
const char* const kScrollBarStyle =
    "QScrollBar:vertical { background: rgb(20, 28, 36); width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: rgb(70, 110, 140); min-height: 16px;"
    " border-radius: 4px; margin: 1px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

}  // namespace

// A delay-mode lamp: the chosen mode's lamp is lit, the others are hidden so
// the socket drawn in the panel shows.
class MacroPage::Lamp final : public QWidget {
  public:
    Lamp(const QString& name, QWidget* parent) : QWidget(parent) {
        setObjectName(name);
        resize(12, 12);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient glow(QPointF(5, 5), 7);
        glow.setColorAt(0, kLampColour.lighter(150));
        glow.setColorAt(1, isEnabled() ? kLampColour : kGrey);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(QRectF(1, 1, 10, 10));
    }
};

MacroPage::MacroPage(MainWindow& window)
    : QObject(&window), window_(window), page_(window.page(4)) {
    elapsed_.start();
    build();
    attachHover();
    editor::Editor& editor = window_.editor();
    editor.hooks().macrosChanged = [this] { refresh(); };
    connect(&window_, &MainWindow::languageSwitched, this, [this] {
        applyTexts();
        refresh();
    });
    connect(&window_, &MainWindow::pageShown, this, [this](int page) {
        if (page == 4) {
            refresh();
        }
    });
    applyTexts();
    refresh();
    // A page built late is laid out by the window after this constructor,
    // which gives every label the layout's colour: the page's own colours
    // (grey for what is read-only) follow.
    QTimer::singleShot(0, this, [this] { refresh(); });
}

MacroPage::~MacroPage() {
    if (window_.editor().macroRecorder().recording()) {
        window_.inputCapture().stop();
    }
    if (nameDialog_ != nullptr) {
        delete nameDialog_.data();
    }
}

// --- building ---

MacroPage::Pair MacroPage::makePair(const QString& name, QWidget* parent, const char* picture) {
    Pair pair;
    pair.image = new ImageControl("Img_" + name, parent);
    pair.image->setPicture(picture);
    pair.label = new LabelButton("Btn_" + name, parent);
    pair.label->setGeometry(pair.image->geometry());
    window_.addControl(pair.image);
    window_.addControl(pair.label);
    return pair;
}

LabelButton* MacroPage::makeLabel(const QString& name, QWidget* parent, QSize size) {
    auto* label = new LabelButton(name, parent);
    label->resize(size);
    window_.addControl(label);
    return label;
}

void MacroPage::build() {
    names_ = new QListWidget(page_);
    names_->setObjectName("LB_MacroName");
    names_->setFrameShape(QFrame::NoFrame);
    names_->setGeometry(121, 155, 180, 120);
    names_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    names_->setUniformItemSizes(true);
    names_->setFocusPolicy(Qt::NoFocus);
    names_->verticalScrollBar()->setStyleSheet(kScrollBarStyle);
    window_.addControl(names_);
    const auto choose = [this](int row) {
        macroAction([row](MacroEditor& m) { return m.LB_MacroNameClick(row); });
    };
    // A click on a name, also on the one already chosen; and a selection the
    // pointer dragged to another name.
    connect(names_, &QListWidget::itemClicked, this,
            [this, choose](QListWidgetItem* item) { choose(names_->row(item)); });
    connect(names_, &QListWidget::currentRowChanged, this, [this, choose](int row) {
        if (!refreshing_ && row >= 0) {
            choose(row);
        }
    });

    MacroEditor& model = window_.editor().macroEditor();
    steps_ = new StepView(
        "LB_macro",
        {[&model] { return model.rowCount(); }, [&model](int r) { return model.row(r); },
         [&model] { return model.selectedRow(); }},
        page_);
    steps_->setGeometry(330, 155, 166, 288);
    steps_->verticalScrollBar()->setStyleSheet(kScrollBarStyle);
    window_.addControl(steps_);
    connect(steps_, &StepView::rowClicked, this, [this](int row) {
        window_.editor().macroEditor().setSelectedRow(row);
        refresh();
    });
    connect(steps_, &StepView::scrolled, this,
            [this](int top) { window_.editor().macroEditor().setTopRow(top); });

    editor::Editor& editor = window_.editor();
    start_ = makePair("Start", page_, "MacroS_01");
    del_ = makePair("Del", page_, "MacroS_01");
    insert_ = makePair("Insert", page_, "MacroS_01");
    clear_ = makePair("Clear", page_, "MacroS_01");
    saveMacro_ = makePair("SaveMacro", page_, "MacroS_01");
    newName_ = makePair("NewName", page_, "MacroS_01");
    newMacro_ = makePair("NewMacro", page_, "MacroS_01");
    delMacro_ = makePair("DelMacro", page_, "MacroS_01");
    exportOne_ = makePair("ExportOne", page_, "MacroS_01");
    export_ = makePair("Export", page_, "MacroS_01");
    importOne_ = makePair("ImportOne", page_, "MacroS_01");
    import_ = makePair("Import", page_, "MacroS_01");

    const auto onClick = [this](const Pair& pair, const char* picture,
                                std::function<void()> action) {
        connect(pair.label, &LabelButton::clicked, this,
                [this, pair, picture, action] { press(pair, picture, action); });
    };
    onClick(start_, "MacroS_03", [this] { recordClick(false); });
    onClick(del_, "MacroS_03", [this] { macroAction(&MacroEditor::Btn_DelClick); });
    onClick(insert_, "MacroS_03", [this] { macroAction(&MacroEditor::Btn_InsertClick); });
    onClick(clear_, "MacroS_03", [&editor] { editor.Btn_ClearClick(); });
    onClick(saveMacro_, "MacroS_03", [this, &editor] {
        editor.Btn_SaveMacroClick();
        refresh();
    });
    onClick(newName_, "MacroS_03", [this] {
        if (window_.editor().macroAction(&MacroEditor::Btn_NewNameClick)) {
            openNameDialog();
        }
    });
    onClick(newMacro_, "MacroS_03", [this] {
        if (window_.editor().macroAction(&MacroEditor::Btn_NewMacroClick)) {
            openNameDialog();
        }
    });
    onClick(delMacro_, "MacroS_03", [this] { macroAction(&MacroEditor::Btn_DelMacroClick); });
    onClick(exportOne_, "MacroS_03", [&editor] { editor.Btn_ExportOneClick(); });
    onClick(export_, "MacroS_03", [&editor] { editor.Btn_ExportClick(); });
    onClick(importOne_, "MacroS_03", [&editor] { editor.Btn_ImportOneClick(); });
    onClick(import_, "MacroS_03", [&editor] { editor.Btn_ImportClick(); });

    // The delay panel: its captions are printed in the panel picture.
    delayGroup_ = new QWidget(page_);
    delayGroup_->setObjectName("Gb_Delay");
    delayGroup_->setGeometry(106, 293, 207, 162);
    window_.addControl(delayGroup_);
    const char* const delayNames[] = {"RecDelay", "DelayTime", "NoDelay"};
    for (std::size_t i = 0; i < 3; ++i) {
        delayLamps_[i] = new Lamp(QStringLiteral("LED_") + delayNames[i], delayGroup_);
        delayLamps_[i]->move(16, 40 + 26 * static_cast<int>(i));
        window_.addControl(delayLamps_[i]);
        delayChoices_[i] =
            makeLabel(QStringLiteral("IB_") + delayNames[i], delayGroup_, QSize(150, 16));
        delayChoices_[i]->move(14, 40 + 26 * static_cast<int>(i));
        connect(delayChoices_[i], &LabelButton::clicked, this, [this, i] {
            window_.editor().macroEditor().setDelayMode(kModes[i]);
            refresh();
        });
    }
    delay_ = new DelayBox(
        "Edt_Delay", [&model]() -> macros::DelayEdit& { return model.delayEdit(); }, delayGroup_);
    delay_->setGeometry(100, 122, 60, 20);
    window_.addControl(delay_);

    // The insert panel over its backdrop, both at the same place.
    insertBase_ = new ImageControl("Img_InsertBase", page_);
    insertBase_->setPicture("InsertDelayBase");
    insertBase_->move(106, 293);
    window_.addControl(insertBase_);
    insertGroup_ = new QWidget(page_);
    insertGroup_->setObjectName("Gb_Insert");
    insertGroup_->setGeometry(106, 293, 207, 162);
    window_.addControl(insertGroup_);

    insertList_ = new QComboBox(insertGroup_);
    insertList_->setObjectName("CB_Insert");
    insertList_->setGeometry(10, 10, 187, 22);
    insertList_->setFocusPolicy(Qt::NoFocus);
    window_.addControl(insertList_);
    connect(insertList_, &QComboBox::activated, this, [this](int index) {
        if (refreshing_ || index < 0 || index > 3) {
            return;
        }
        window_.editor().macroEditor().CB_InsertChange(static_cast<InsertEntry>(index));
        refresh();
    });

    insertDelay_ = new DelayBox(
        "Edt_InsertDelay", [&model]() -> macros::DelayEdit& { return model.insertDelayEdit(); },
        insertGroup_);
    insertDelay_->setGeometry(96, 40, 40, 20);
    window_.addControl(insertDelay_);
    delayCaption_ = makeLabel("lbl_Delay", insertGroup_, QSize(70, 16));
    delayCaption_->move(22, 42);
    unit_ = makeLabel("lbl_s_A", insertGroup_, QSize(24, 16));
    unit_->move(140, 42);

    const char* const insertNames[] = {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"};
    for (std::size_t i = 0; i < 3; ++i) {
        insertLamps_[i] = new Lamp(QStringLiteral("LED_") + insertNames[i], insertGroup_);
        insertLamps_[i]->move(16, 70 + 20 * static_cast<int>(i));
        window_.addControl(insertLamps_[i]);
        insertChoices_[i] =
            makeLabel(QStringLiteral("IB_") + insertNames[i], insertGroup_, QSize(120, 16));
        insertChoices_[i]->move(14, 70 + 20 * static_cast<int>(i));
        // The caption's leading spaces leave room for the lamp.
        insertChoices_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        connect(insertChoices_[i], &LabelButton::clicked, this, [this, i] {
            window_.editor().macroEditor().setInsertDelayMode(kModes[i]);
            refresh();
        });
    }
    // Covers the mode choices while keys are recorded into the panel.
    insertCover_ = new InputBlocker("GB_Dis", insertGroup_);
    window_.addControl(insertCover_);

    insertStart_ = makePair("InsertStart", insertGroup_, "MacroS_01");
    ok_ = makePair("OK", insertGroup_, "MacroBtnS_01");
    cancel_ = makePair("Cancel", insertGroup_, "MacroBtnS_01");
    insertStart_.image->move(8, 130);
    ok_.image->move(116, 130);
    cancel_.image->move(160, 130);
    for (const Pair* pair : {&insertStart_, &ok_, &cancel_}) {
        pair->label->setGeometry(pair->image->geometry());
    }
    onClick(insertStart_, "MacroS_03", [this] { recordClick(true); });
    onClick(ok_, "MacroBtnS_03", [this] { macroAction(&MacroEditor::Btn_OKClick); });
    onClick(cancel_, "MacroBtnS_03", [this] { macroAction(&MacroEditor::Btn_CancelClick); });
}

void MacroPage::attachHover() {
    familyF_ = {"MacroS_02", "MacroS_01", true, false, {}, {}};
    familyG_ = {"MacroBtnS_02", "MacroBtnS_01", true, false, {}, {}};
    familyRecord_ = {"MacroS_02", "MacroS_01", true, false, {}, [this](bool over) {
                         window_.editor().macroRecorder().setPointerOverRecordButton(over);
                     }};
    HoverStates& hover = window_.hoverStates();
    for (const Pair* pair : {&saveMacro_, &insert_, &import_, &export_, &del_, &clear_, &newName_,
                             &newMacro_, &delMacro_, &exportOne_, &importOne_}) {
        hover.attach(pair->label, &familyF_, {pair->image});
    }
    for (const Pair* pair : {&ok_, &cancel_}) {
        hover.attach(pair->label, &familyG_, {pair->image});
    }
    for (const Pair* pair : {&start_, &insertStart_}) {
        hover.attach(pair->label, &familyRecord_, {pair->image});
    }
}

void MacroPage::applyTexts() {
    const text::Languages& languages = window_.editor().languages();
    const auto text = [&languages](const char* key) {
        return QString::fromStdString(languages.text(key));
    };
    del_.label->setCaption(text("Str408"));
    insert_.label->setCaption(text("Str409"));
    clear_.label->setCaption(text("Str403"));
    saveMacro_.label->setCaption(text("Str431"));
    newName_.label->setCaption(text("Str402"));
    newMacro_.label->setCaption(text("Str432"));
    delMacro_.label->setCaption(text("Str433"));
    exportOne_.label->setCaption(text("Str404"));
    export_.label->setCaption(text("Str405"));
    importOne_.label->setCaption(text("Str406"));
    import_.label->setCaption(text("Str407"));
    cancel_.label->setCaption(text("Str422"));
    delayCaption_->setCaption(text("Str417"));
    unit_->setCaption(text("Str418"));
    const char* const modes[] = {"Str414", "Str415", "Str416"};
    for (std::size_t i = 0; i < 3; ++i) {
        insertChoices_[i]->setCaption(QStringLiteral("       ") + text(modes[i]));
    }
    refreshing_ = true;
    insertList_->clear();
    for (const char* key : {"Str410", "Str411", "Str412", "Str413"}) {
        insertList_->addItem(text(key));
    }
    refreshing_ = false;
}

// --- actions ---

void MacroPage::press(const Pair& pair, const char* picture, const std::function<void()>& action) {
    pair.image->setPicture(picture);
    action();
}

void MacroPage::macroAction(
    const std::function<macros::MacroResult(macros::MacroEditor&)>& action) {
    window_.editor().macroAction(action);
}

void MacroPage::recordClick(bool insert) {
    editor::Editor& editor = window_.editor();
    platform::InputCapture& capture = window_.inputCapture();
    // The capture is started before the recording: starting a normal recording
    // discards the macro's steps, which must not happen when nothing could be
    // recorded.
    const bool starting = !editor.macroRecorder().recording();
    if (starting && !startCapture()) {
        return;
    }
    const macros::RecorderResult result = editor.recorderAction([insert](MacroRecorder& r) {
        return insert ? r.Btn_InsertStartClick() : r.Btn_StartClick();
    });
    if (starting && !result.started && capture.running()) {
        capture.stop();
    }
    handleRecorder(result);
}

void MacroPage::handleRecorder(const macros::RecorderResult& result) {
    platform::InputCapture& capture = window_.inputCapture();
    if (result.stopped && capture.running()) {
        capture.stop();
    }
}

bool MacroPage::startCapture() {
    platform::InputCapture& capture = window_.inputCapture();
    if (capture.running()) {
        return true;
    }
    platform::CaptureSink sink;
    sink.key = [this](std::uint16_t virtualKey, bool down) { onKey(virtualKey, down); };
    sink.button = [this](platform::CaptureButton button, bool press) { onButton(button, press); };
    std::string error;
    if (capture.start(std::move(sink), error)) {
        return true;
    }
    window_.editor().showText(
        error.empty() ? std::string("Keys and mouse buttons cannot be recorded here.") : error);
    return false;
}

void MacroPage::onKey(std::uint16_t virtualKey, bool down) {
    editor::Editor& editor = window_.editor();
    if (!editor.macroRecorder().recording()) {
        return;
    }
    const macros::KeyType type = keyboard_.receive(down);
    const std::uint32_t now = clock_ ? clock_() : static_cast<std::uint32_t>(elapsed_.elapsed());
    handleRecorder(editor.recorderAction([virtualKey, type, now](MacroRecorder& r) {
        return r.KeyboardHook1Receive(virtualKey, type, now);
    }));
}

void MacroPage::onButton(platform::CaptureButton button, bool press) {
    MacroRecorder& recorder = window_.editor().macroRecorder();
    if (!recorder.mouseRecording()) {
        return;
    }
    recorder.MouseHookProc(mouseButton(button), press);
    if (passPending_) {
        return;
    }
    // The worker's turn runs after the events already queued, as the worker
    // thread would take the marks a moment later.
    passPending_ = true;
    QTimer::singleShot(0, this, [this] {
        passPending_ = false;
        editor::Editor& editor = window_.editor();
        if (!editor.macroRecorder().mouseRecording()) {
            return;
        }
        const std::uint32_t now =
            clock_ ? clock_() : static_cast<std::uint32_t>(elapsed_.elapsed());
        handleRecorder(
            editor.recorderAction([now](MacroRecorder& r) { return r.TPThreadPass(now); }));
    });
}

void MacroPage::openNameDialog() {
    if (nameDialog_ != nullptr) {
        nameDialog_->close();
    }
    const text::Languages& languages = window_.editor().languages();
    const auto text = [&languages](const char* key) {
        return QString::fromStdString(languages.text(key));
    };
    nameDialog_ = new MacroNameDialog(
        &window_, {text("Str510"), text("Str511"), text("Str512")},
        [this](const QString& name) {
            const std::string utf8 = name.toStdString();
            macroAction([&utf8](MacroEditor& m) { return m.ApplyMacroName(utf8); });
        },
        [this] { window_.editor().macroEditor().IB_CloseClick(); });
    nameDialog_->show();
}

// --- drawing ---

void MacroPage::setCaption(LabelButton* label, const QString& caption) {
    HoverStates& hover = window_.hoverStates();
    if (hover.hovered() != label || hover.marquee().labelName() != label->objectName()) {
        label->setCaption(caption);
        return;
    }
    // The hovered label scrolls its caption and gets the saved one back when
    // the pointer leaves: a new caption (Record becoming Stop) starts the
    // scrolling over, so leaving shows the new one.
    if (hover.marquee().savedCaption() != caption) {
        hover.resetMarquee(caption);
        label->setCaption(caption);
    }
}

QColor MacroPage::labelColour() const {
    return window_.layoutValues().macroLabel.value_or(QColor(Qt::white));
}

QColor MacroPage::valueColour() const {
    return window_.layoutValues().macroValue.value_or(QColor(Qt::white));
}

QColor MacroPage::backColour() const {
    return window_.layoutValues().macroBack.value_or(QColor(Qt::black));
}

void MacroPage::refresh() {
    refreshing_ = true;
    refreshNames();
    steps_->setEnabled(window_.editor().macroEditor().stepViewEnabled());
    steps_->refresh(window_.editor().macroEditor().topRow());
    window_.editor().macroEditor().setTopRow(steps_->topRow());
    refreshButtons();
    refreshDelayPanel();
    refreshInsertPanel();
    refreshing_ = false;
}

void MacroPage::refreshNames() {
    const MacroEditor& model = window_.editor().macroEditor();
    const int rowHeight = window_.layoutValues().macroNameHeight.value_or(20);
    QStringList wanted;
    for (const std::u16string& name : model.macroNames()) {
        wanted << QString::fromStdU16String(name);
    }
    QStringList shown;
    for (int i = 0; i < names_->count(); ++i) {
        shown << names_->item(i)->text();
    }
    if (wanted != shown) {
        names_->clear();
        for (const QString& name : wanted) {
            auto* item = new QListWidgetItem(name, names_);
            item->setSizeHint(QSize(0, rowHeight));
        }
    }
    QPalette colours = names_->palette();
    colours.setColor(QPalette::Text, valueColour());
    colours.setColor(QPalette::Base, backColour());
    colours.setColor(QPalette::Window, backColour());
    QColor mark = valueColour();
    mark.setAlpha(70);
    colours.setColor(QPalette::Highlight, mark);
    colours.setColor(QPalette::HighlightedText, Qt::white);
    colours.setColor(QPalette::Disabled, QPalette::Text, kGrey);
    colours.setColor(QPalette::Disabled, QPalette::HighlightedText, kGrey);
    names_->setPalette(colours);
    QPalette stepColours = steps_->palette();
    stepColours.setColor(QPalette::Text, valueColour());
    stepColours.setColor(QPalette::Base, backColour());
    steps_->setPalette(stepColours);

    const int selected = model.selectedMacro();
    names_->setCurrentRow(selected >= 0 && selected < names_->count() ? selected : -1);
    if (selected < 0) {
        names_->clearSelection();
    }
    names_->setEnabled(model.macroButtonsEnabled());
}

void MacroPage::refreshButtons() {
    editor::Editor& editor = window_.editor();
    const MacroEditor& model = editor.macroEditor();
    const MacroRecorder& recorder = editor.macroRecorder();
    const text::Languages& languages = editor.languages();
    const bool normalRecording = recorder.recording() && !recorder.insertMode();
    setCaption(start_.label,
               QString::fromStdString(languages.text(normalRecording ? "Str401" : "Str400")));
    start_.label->setEnabled(!model.insertPanelOpen());
    const bool enabled = model.macroButtonsEnabled();
    for (const Pair* pair : {&clear_, &export_, &import_, &del_, &insert_, &saveMacro_, &newName_,
                             &newMacro_, &delMacro_, &exportOne_, &importOne_}) {
        pair->label->setEnabled(enabled);
    }
    // A type-2 mouse has five fixed macros: they are neither named, added nor
    // removed.
    const bool named = model.type() != 2;
    for (const Pair* pair : {&newName_, &newMacro_, &delMacro_}) {
        pair->image->setVisible(named);
        pair->label->setVisible(named);
    }
}

void MacroPage::refreshDelayPanel() {
    const MacroEditor& model = window_.editor().macroEditor();
    delayGroup_->setVisible(!model.insertPanelOpen());
    const bool enabled = model.delayPanelEnabled();
    delayGroup_->setEnabled(enabled);
    const int chosen = modeIndex(model.delayMode());
    for (int i = 0; i < 3; ++i) {
        delayLamps_[static_cast<std::size_t>(i)]->setVisible(i == chosen);
    }
    delay_->refresh(enabled, valueColour(), backColour());
}

void MacroPage::refreshInsertPanel() {
    editor::Editor& editor = window_.editor();
    const MacroEditor& model = editor.macroEditor();
    const MacroRecorder& recorder = editor.macroRecorder();
    const text::Languages& languages = editor.languages();
    const bool open = model.insertPanelOpen();
    insertBase_->setVisible(open);
    insertGroup_->setVisible(open);
    const bool keys =
        model.insertEntry() == InsertEntry::KeyFront || model.insertEntry() == InsertEntry::KeyBack;
    insertBase_->setPicture(keys ? "InsertKeyBase" : "InsertDelayBase");
    insertList_->setCurrentIndex(static_cast<int>(model.insertEntry()));
    const bool controls = model.insertControlsEnabled();
    const bool recording = open && recorder.insertMode();
    insertList_->setEnabled(controls);
    QPalette listColours = insertList_->palette();
    listColours.setColor(QPalette::Base, backColour());
    listColours.setColor(QPalette::Button, backColour());
    listColours.setColor(QPalette::Window, backColour());
    listColours.setColor(QPalette::Text, labelColour());
    listColours.setColor(QPalette::ButtonText, labelColour());
    listColours.setColor(QPalette::WindowText, labelColour());
    insertList_->setPalette(listColours);
    QPalette popup = listColours;
    QColor mark = valueColour();
    mark.setAlpha(90);
    popup.setColor(QPalette::Highlight, mark);
    popup.setColor(QPalette::HighlightedText, Qt::white);
    insertList_->view()->setPalette(popup);

    delayCaption_->setVisible(!keys);
    setCaption(ok_.label, QString::fromStdString(languages.text(keys ? "Str421" : "Str420")));
    const int chosen = modeIndex(model.insertDelayMode());
    QRect choices;
    for (int i = 0; i < 3; ++i) {
        const auto n = static_cast<std::size_t>(i);
        insertLamps_[n]->setVisible(keys && i == chosen);
        insertChoices_[n]->setVisible(keys);
        insertChoices_[n]->setEnabled(controls);
        insertChoices_[n]->setTextColour(controls ? labelColour() : kGrey);
        choices |= insertChoices_[n]->geometry();
    }
    insertCover_->setGeometry(choices);
    insertCover_->setVisible(recording);
    insertCover_->raise();
    insertStart_.image->setVisible(keys);
    insertStart_.label->setVisible(keys);
    setCaption(insertStart_.label,
               QString::fromStdString(languages.text(recording ? "Str401" : "Str400")));
    for (const Pair* pair : {&ok_, &cancel_}) {
        pair->label->setEnabled(controls);
        pair->label->setTextColour(controls ? QColor(Qt::white) : kGrey);
    }
    const bool editable = model.insertDelayEdit().editable();
    insertDelay_->refresh(open && editable && !recording, valueColour(), backColour());
    unit_->setTextColour(editable && !recording ? labelColour() : kGrey);
    delayCaption_->setTextColour(labelColour());
}

}  // namespace vtr::shell
