#include "shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWindow>

#include "resources/Resources.h"
#include "shell/AdvancedPage.h"
#include "shell/BusyWindow.h"
#include "shell/DialogPrompts.h"
#include "shell/LightPage.h"
#include "shell/MacroPage.h"
#include "shell/MainControlPage.h"
#include "shell/PaintTrace.h"
#include "shell/Skin.h"
#include "shell/SkinControls.h"
#include "text/LayoutDescriptor.h"

namespace vtr::shell {

namespace {

// The shared buttons, each in four copies (one per page), with the key of
// their caption.
const struct {
    const char* name;
    const char* textKey;
} kSharedButtons[] = {
    {"Confirm", "Str000"}, {"Apply", "Str001"}, {"Reset", "Str002"},  {"Exit", "Str003"},
    {"Main", "Str004"},    {"Adv", "Str007"},   {"Breath", "Str008"}, {"Macro", "Str014"},
    {"Save", "Str009"},    {"Load", "Str010"},  {"Lang1", "Str011"},  {"Lang2", "Str012"},
    {"Lang3", "Str013"},   {"Web", ""},
};

// The page buttons in page order.
const QString kPageButtons[] = {"Main", "Adv", "Breath", "Macro"};

QString copyName(const QString& base, int copy) {
    return base + QLatin1Char('_') + QString::number(copy);
}

QString backgroundPicture(int language) {
    return QStringLiteral("L%1_BackGround").arg(language);
}

QString panelPicture(int page, int language) {
    return QStringLiteral("L%1_Back%2").arg(language).arg(page);
}

// Where the controls lie before any descriptor has placed them.
struct DesignPosition {
    const char* button;
    int x;
    int y;
};
const DesignPosition kDesignPositions[] = {
    {"Main", 176, 39},   {"Adv", 276, 39},      {"Breath", 376, 39}, {"Macro", 476, 39},
    {"Save", 576, 39},   {"Load", 676, 39},     {"Lang1", 20, 519},  {"Lang2", 115, 519},
    {"Lang3", 210, 519}, {"Confirm", 560, 513}, {"Apply", 615, 513}, {"Reset", 670, 513},
    {"Exit", 725, 513},  {"Web", 1317, 1500},
};
constexpr int kInset = 12;

// The window's controls by name, as the layout finds them.
class ControlTable final : public LayoutTarget {
  public:
    explicit ControlTable(const QHash<QString, QWidget*>& controls) : controls_(controls) {}
    QWidget* control(const QString& name) const override { return controls_.value(name, nullptr); }

  private:
    const QHash<QString, QWidget*>& controls_;
};

std::unique_ptr<text::LayoutDescriptor> readDescriptor(const std::string& resource) {
    const auto bytes = resources::find(resource);
    if (bytes.empty()) {
        return nullptr;
    }
    std::string section = resource;
    for (char& c : section) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return std::make_unique<text::LayoutDescriptor>(text::LayoutDescriptor::Parse(bytes, section));
}

}  // namespace

void MainWindow::PrefetchStartPictures() {
    Skin::prefetch(
        {backgroundPicture(1), panelPicture(1, 1), "SetS_02", "SetS_01", "BtnS_01", "KeyS_01"});
}

std::unique_ptr<DialogPrompts> MainWindow::ownPrompts(MainWindow* window, const Services& s) {
    if (s.prompts != nullptr) {
        return nullptr;
    }
    return std::make_unique<DialogPrompts>(window, [window] { return window->titleText(); });
}

MainWindow::MainWindow(Services services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      services_(std::move(services)),
      ownPrompts_(ownPrompts(this, services_)),
      editor_(services_.backend, services_.clock,
              services_.prompts != nullptr ? *services_.prompts : *ownPrompts_,
              services_.pointerStore),
      hover_([this] { return editor_.devicePresent(); }) {
    setObjectName("Form1");
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - kWidth) / 2, area.top() + (area.height() - kHeight) / 2);
    }

    buildPages();
    buildSharedButtons();
    buildKeys();
    setDesignPositions();
    attachHover();
    wireEditor();
    buildPageContents();
    raiseBlockers();

    showOnly(1);
    loadStartPictures();
    {
        const auto org = readDescriptor("ORG");
        const DescriptorKeys keys(org.get(), "ORG");
        PlaceWebButton(keys, ControlTable(controls_));
        if (const auto address = keys.text("Web")) {
            webAddress_ = QUrl::fromUserInput(QString::fromStdString(*address));
        }
    }
    // Language 1's layout and table come with the switch to language 1 below;
    // nothing is drawn before it.
    language_ = 1;
    // The pointer settings come after the first frame (see paintEvent).
    editor_.FormCreate(false);
    updateTitle();

    busy_ = new BusyWindow(this);
    busy_->placeOver(geometry());

    devTimer_.setInterval(kDevTimerIntervalMs);
    connect(&devTimer_, &QTimer::timeout, this, &MainWindow::DevTimerTimer);
    if (services_.pollTimer) {
        devTimer_.start();
    }

    Btn_Lang1_0Click();
    update();
}

MainWindow::~MainWindow() {
    devTimer_.stop();
    hover_.timer().stop();
    editor_.hooks() = editor::EditorHooks{};
    // The pages first, while their controls and the capture still exist.
    delete macroPage_;
    delete lightPage_;
    delete advancedPage_;
    delete mainControlPage_;
    macroPage_ = nullptr;
    lightPage_ = nullptr;
    advancedPage_ = nullptr;
    mainControlPage_ = nullptr;
    // The controls go before the members their signals reach.
    for (Page& page : pages_) {
        delete page.container;
        page.container = nullptr;
    }
    controls_.clear();
    delete busy_;
    busy_ = nullptr;
}

// --- building ---

void MainWindow::buildPages() {
    for (int n = 1; n <= kPageCount; ++n) {
        Page& page = pages_[static_cast<std::size_t>(n - 1)];
        page.container = new QWidget(this);
        page.container->setObjectName(QStringLiteral("gbPage%1").arg(n));
        page.container->setGeometry(0, 0, kWidth, kHeight);
        page.base = new ImageControl(copyName("Img_Base", n), page.container);
        page.panel = new ImageControl(QStringLiteral("Img_P%1").arg(n), page.container);
        page.blocker = new InputBlocker(copyName("Disable_All", n), page.container);
        page.blocker->setGeometry(0, 0, kWidth, kHeight);
        page.blocker->hide();
        page.base->installEventFilter(this);
        for (QWidget* w :
             std::initializer_list<QWidget*>{page.container, page.base, page.panel, page.blocker}) {
            controls_.insert(w->objectName(), w);
        }
    }
    pages_[0].container->installEventFilter(this);
}

void MainWindow::buildSharedButtons() {
    for (const auto& kind : kSharedButtons) {
        SharedButton button;
        button.name = kind.name;
        button.textKey = kind.textKey;
        for (int n = 1; n <= kPageCount; ++n) {
            QWidget* container = pages_[static_cast<std::size_t>(n - 1)].container;
            auto* image = new ImageControl(copyName("Img_" + button.name, n), container);
            auto* label = new LabelButton(copyName("Btn_" + button.name, n), container);
            button.images[static_cast<std::size_t>(n - 1)] = image;
            button.labels[static_cast<std::size_t>(n - 1)] = label;
            controls_.insert(image->objectName(), image);
            controls_.insert(label->objectName(), label);
        }
        sharedButtons_.push_back(button);
    }
    const std::vector<std::pair<QString, void (MainWindow::*)()>> handlers = {
        {"Confirm", &MainWindow::Btn_Confirm_0Click}, {"Apply", &MainWindow::Btn_Apply_0Click},
        {"Reset", &MainWindow::Btn_Reset_0Click},     {"Exit", &MainWindow::Btn_Exit_0Click},
        {"Main", &MainWindow::Btn_Main_0Click},       {"Adv", &MainWindow::Btn_Adv_0Click},
        {"Breath", &MainWindow::Btn_Breath_0Click},   {"Macro", &MainWindow::Btn_Macro_0Click},
        {"Save", &MainWindow::Btn_Save_0Click},       {"Load", &MainWindow::Btn_Load_0Click},
        {"Lang1", &MainWindow::Btn_Lang1_0Click},     {"Lang2", &MainWindow::Btn_Lang2_0Click},
        {"Lang3", &MainWindow::Btn_Lang3_0Click},     {"Web", &MainWindow::Btn_Web_0Click},
    };
    for (const auto& [name, handler] : handlers) {
        for (LabelButton* label : shared(name).labels) {
            connect(label, &LabelButton::clicked, this,
                    [this, handler = handler] { (this->*handler)(); });
        }
    }
}

void MainWindow::buildKeys() {
    QWidget* container = pages_[0].container;
    for (int n = 1; n <= kKeyCount; ++n) {
        auto* image = new ImageControl(QStringLiteral("Img_Key%1").arg(n), container);
        auto* label = new LabelButton(QStringLiteral("Key%1").arg(n), container);
        keyImages_[static_cast<std::size_t>(n - 1)] = image;
        keyLabels_[static_cast<std::size_t>(n - 1)] = label;
        controls_.insert(image->objectName(), image);
        controls_.insert(label->objectName(), label);
    }
    keyBlocker_ = new InputBlocker("Disable", container);
    controls_.insert(keyBlocker_->objectName(), keyBlocker_);
}

void MainWindow::buildPageContents() {
    // Each page sets its start pictures when it is built: the layout spaces
    // bars by the width of their first segment. Page 1 is shown first; the
    // others wait until they are needed.
    mainControlPage_ = new MainControlPage(*this);
}

void MainWindow::ensurePage(int page) {
    if (buildingPage_) {
        return;
    }
    buildingPage_ = true;
    bool built = false;
    if (page == 2 && advancedPage_ == nullptr) {
        advancedPage_ = new AdvancedPage(*this);
        built = true;
    } else if (page == 3 && lightPage_ == nullptr) {
        lightPage_ = new LightPage(*this);
        built = true;
    } else if (page == 4 && macroPage_ == nullptr) {
        macroPage_ = new MacroPage(*this);
        built = true;
    }
    buildingPage_ = false;
    if (built) {
        placeLatePage();
    }
}

void MainWindow::ensureAllPages() {
    for (int page = 2; page <= kPageCount; ++page) {
        ensurePage(page);
    }
}

void MainWindow::placeLatePage() {
    raiseBlockers();
    if (!layoutTaken_) {
        return;
    }
    // The current language's layout again: it places the new controls and
    // leaves the others where it put them before.
    const std::string resource = "ORG" + std::to_string(language_);
    const auto descriptor = readDescriptor(resource);
    takeLayoutValues(
        ApplyDescriptor(DescriptorKeys(descriptor.get(), resource), ControlTable(controls_)));
    updateShape();
}

AdvancedPage& MainWindow::advancedPage() {
    ensurePage(2);
    return *advancedPage_;
}

LightPage& MainWindow::lightPage() {
    ensurePage(3);
    return *lightPage_;
}

MacroPage& MainWindow::macroPage() {
    ensurePage(4);
    return *macroPage_;
}

void MainWindow::addControl(QWidget* control) {
    controls_.insert(control->objectName(), control);
}

platform::InputCapture& MainWindow::inputCapture() {
    if (services_.capture != nullptr) {
        return *services_.capture;
    }
    if (ownCapture_ == nullptr) {
        ownCapture_ = platform::OpenSystemInputCapture();
    }
    return *ownCapture_;
}

void MainWindow::setDesignPositions() {
    for (const Page& page : pages_) {
        page.base->move(0, 0);
    }
    pages_[0].panel->move(170, 120);
    pages_[1].panel->move(48, 132);
    pages_[2].panel->move(140, 160);
    pages_[3].panel->move(100, 130);
    for (const auto& position : kDesignPositions) {
        SharedButton& button = shared(position.button);
        for (std::size_t i = 0; i < kPageCount; ++i) {
            button.images[i]->move(position.x, position.y);
        }
    }
    for (int n = 0; n < kKeyCount; ++n) {
        const int column = n < 5 ? 0 : 1;
        const int row = n < 5 ? n : n - 5;
        keyImages_[static_cast<std::size_t>(n)]->move(190 + column * 270, 160 + row * 50);
    }
    keyBlocker_->setGeometry(180, 150, 440, 300);
}

void MainWindow::raiseBlockers() {
    keyBlocker_->raise();
    for (const Page& page : pages_) {
        page.blocker->raise();
    }
}

void MainWindow::loadStartPictures() {
    for (int n = 1; n <= kPageCount; ++n) {
        const Page& page = pages_[static_cast<std::size_t>(n - 1)];
        page.base->setPicture(backgroundPicture(1));
        page.panel->setPicture(panelPicture(n, 1));
    }
    for (const char* name : {"Confirm", "Apply", "Reset", "Exit"}) {
        setPictures(name, "BtnS_01");
    }
    setPictures("Main", "SetS_02");
    setPictures("Lang1", "SetS_02");
    for (const char* name : {"Adv", "Breath", "Macro", "Save", "Load", "Lang2", "Lang3"}) {
        setPictures(name, "SetS_01");
    }
    for (ImageControl* image : keyImages_) {
        image->setPicture("KeyS_01");
    }
    setPictures("Web", "WebS_01");
    // Labels lie over their images until a descriptor places them.
    for (SharedButton& button : sharedButtons_) {
        const bool inset = button.name != "Confirm" && button.name != "Apply" &&
                           button.name != "Reset" && button.name != "Exit" && button.name != "Web";
        for (std::size_t i = 0; i < kPageCount; ++i) {
            const QRect r = button.images[i]->geometry();
            button.labels[i]->setGeometry(inset ? r.adjusted(kInset, 0, -kInset, 0) : r);
        }
    }
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        keyLabels_[i]->setGeometry(keyImages_[i]->geometry());
    }
}

void MainWindow::attachHover() {
    familyA_ = {"BtnS_02", "BtnS_01", true, false, {}, {}};
    familyB_ = {"SetS_03",
                "SetS_01",
                true,
                false,
                [this] {
                    if (!editor_.errorMode()) {
                        setPictures(kPageButtons[currentPage_ - 1], "SetS_02");
                    }
                },
                {}};
    familyC_ = {"KeyS_02", "KeyS_01", true, false, {}, {}};
    familyD_ = {"SetS_03",
                "SetS_01",
                true,
                false,
                [this] { setPictures(QStringLiteral("Lang%1").arg(language_), "SetS_02"); },
                {}};
    familyWeb_ = {"WebS_03", "WebS_01", false, true, {}, {}};

    auto allCopies = [](const SharedButton& b) {
        return std::vector<ImageControl*>(b.images.begin(), b.images.end());
    };
    for (const char* name : {"Confirm", "Apply", "Reset", "Exit"}) {
        const SharedButton& b = shared(name);
        for (LabelButton* label : b.labels) {
            hover_.attach(label, &familyA_, allCopies(b));
        }
    }
    for (const QString& name : kPageButtons) {
        const SharedButton& b = shared(name);
        for (std::size_t i = 0; i < kPageCount; ++i) {
            hover_.attach(b.labels[i], &familyB_, {b.images[i]});
        }
    }
    // The profile buttons' pressed look goes to all four copies, so their
    // hover does too, and leaving clears it everywhere.
    for (const char* name : {"Save", "Load"}) {
        const SharedButton& b = shared(name);
        for (LabelButton* label : b.labels) {
            hover_.attach(label, &familyB_, allCopies(b));
        }
    }
    for (const char* name : {"Lang1", "Lang2", "Lang3"}) {
        const SharedButton& b = shared(name);
        for (std::size_t i = 0; i < kPageCount; ++i) {
            hover_.attach(b.labels[i], &familyD_, {b.images[i]});
        }
    }
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        hover_.attach(keyLabels_[i], &familyC_, {keyImages_[i]});
    }
    const SharedButton& web = shared("Web");
    for (LabelButton* label : web.labels) {
        hover_.attach(label, &familyWeb_, allCopies(web));
    }
}

void MainWindow::wireEditor() {
    editor::EditorHooks& hooks = editor_.hooks();
    hooks.pumpMessages = [this] { pump(); };
    hooks.setBusy = [this](bool busy) { setBusy(busy); };
    hooks.progress = [this](int done, int total) { busy_->setProgress(done, total); };
    hooks.pollTimerEnabled = [this](bool on) {
        if (on && services_.pollTimer) {
            devTimer_.start();
        } else {
            devTimer_.stop();
        }
    };
    hooks.hideAllMenus = [this] { HideAllMenu(); };
    hooks.settingsChanged = [this] { showSettingsOnPageOne(); };
    hooks.errorModeChanged = [this] {
        if (editor_.errorMode()) {
            enterErrorMode();
        } else {
            leaveErrorMode();
        }
    };
    hooks.closeWindow = [this] { close(); };
}

// --- lookups ---

MainWindow::SharedButton& MainWindow::shared(const QString& name) {
    for (SharedButton& button : sharedButtons_) {
        if (button.name == name) {
            return button;
        }
    }
    Q_UNREACHABLE();
}

void MainWindow::setPictures(const QString& button, const QString& picture) {
    for (ImageControl* image : shared(button).images) {
        image->setPicture(picture);
    }
}

QWidget* MainWindow::page(int number) const {
    if (number < 1 || number > kPageCount) {
        return nullptr;
    }
    return pages_[static_cast<std::size_t>(number - 1)].container;
}

void MainWindow::addMenuPanel(QWidget* panel) {
    menuPanels_.push_back(panel);
}

QWidget* MainWindow::control(const QString& name) {
    if (QWidget* found = controls_.value(name, nullptr)) {
        return found;
    }
    if (mainControlPage_ != nullptr) {
        mainControlPage_->ensureMenus();
    }
    ensureAllPages();
    return controls_.value(name, nullptr);
}

QString MainWindow::picture(const QString& imageName) {
    const auto* image = qobject_cast<const ImageControl*>(control(imageName));
    return image != nullptr ? image->pictureName() : QString();
}

QString MainWindow::caption(const QString& labelName) {
    const auto* label = qobject_cast<const LabelButton*>(control(labelName));
    return label != nullptr ? label->caption() : QString();
}

int MainWindow::shownPage() const {
    for (int n = 1; n <= kPageCount; ++n) {
        if (!pages_[static_cast<std::size_t>(n - 1)].container->isHidden()) {
            return n;
        }
    }
    return 0;
}

bool MainWindow::blockersShown() const {
    return !pages_[0].blocker->isHidden();
}

QString MainWindow::applicationTitle() {
    return QGuiApplication::applicationDisplayName();
}

QString MainWindow::titleText() const {
    return QString::fromStdString(editor_.languages().text("Title"));
}

// --- pages ---

void MainWindow::message(const char* key) {
    editor::Prompts& prompts = services_.prompts != nullptr ? *services_.prompts : *ownPrompts_;
    prompts.message(editor_.languages().text(key));
}

void MainWindow::switchPage(int page) {
    if (!editor_.devicePresent()) {
        message("Str020");
        return;
    }
    if (editor_.errorMode()) {
        return;
    }
    showPage(page);
}

void MainWindow::showPage(int page) {
    ensurePage(page);
    HideAllMenu();
    for (const QString& name : kPageButtons) {
        setPictures(name, "SetS_01");
    }
    currentPage_ = page;
    showOnly(page);
    keyBlocker_->hide();
    if (page == 1) {
        editor_.settings().buttons.RefreshProfileKeys();
        refreshKeyCaptions();
    }
    setPictures(kPageButtons[page - 1], "SetS_02");
    pages_[static_cast<std::size_t>(page - 1)].panel->setPicture(panelPicture(page, language_));
    emit pageShown(page);
    updateShape();
}

void MainWindow::showOnly(int page) {
    // The page to show first, so the window is never empty between the two.
    pages_[static_cast<std::size_t>(page - 1)].container->show();
    for (int n = 1; n <= kPageCount; ++n) {
        if (n != page) {
            pages_[static_cast<std::size_t>(n - 1)].container->hide();
        }
    }
}

void MainWindow::RefreshAPPage() {
    const int page = editor_.errorMode() ? 1 : currentPage_;
    showOnly(page);
    emit pageShown(page);
    updateShape();
}

void MainWindow::showSettingsOnPageOne() {
    pages_[0].panel->setPicture(panelPicture(1, language_));
    for (const QString& name : kPageButtons) {
        setPictures(name, "SetS_01");
    }
    setPictures("Main", "SetS_02");
    currentPage_ = 1;
    showOnly(1);
    editor_.settings().buttons.RefreshProfileKeys();
    refreshKeyCaptions();
    emit settingsShown();
    updateShape();
}

void MainWindow::enterErrorMode() {
    // A mouse of the other type stays open; only a missing, lost or unread
    // mouse locks the keys.
    if (!editor_.rejected()) {
        keyBlocker_->show();
    }
    showOnly(1);
    setPictures("Main", "SetS_02");
    for (const char* name : {"Adv", "Breath", "Macro"}) {
        setPictures(name, "SetS_01");
    }
    updateShape();
}

void MainWindow::leaveErrorMode() {
    showOnly(1);
    if (currentPage_ == 1) {
        showPage(1);
    }
    pump();
}

void MainWindow::refreshKeyCaptions() {
    for (int n = 1; n <= kKeyCount; ++n) {
        keyLabels_[static_cast<std::size_t>(n - 1)]->setCaption(
            QString::fromStdString(editor_.settings().buttons.captionText(n)));
    }
}

void MainWindow::HideAllMenu() {
    for (QWidget* panel : menuPanels_) {
        panel->hide();
    }
}

// --- languages and layout ---

void MainWindow::switchLanguage(int language) {
    for (int n = 1; n <= 3; ++n) {
        setPictures(QStringLiteral("Lang%1").arg(n), n == language ? "SetS_02" : "SetS_01");
    }
    emit languageSwitching(language);
    language_ = language;
    ApplyLayout(language);
    emit languageSwitched(language);
    updateTitle();
    RefreshAPPage();
    hover_.resetMarquee(shared(QStringLiteral("Lang%1").arg(language)).labels[0]->caption());
}

void MainWindow::ApplyLayout(int language) {
    for (int n = 1; n <= kPageCount; ++n) {
        const Page& page = pages_[static_cast<std::size_t>(n - 1)];
        page.base->setPicture(backgroundPicture(language));
        // Every page's panel, so that page 1 shown in error mode is never left
        // in the language before.
        page.panel->setPicture(panelPicture(n, language));
    }
    const std::string resource = "ORG" + std::to_string(language);
    const auto descriptor = readDescriptor(resource);
    takeLayoutValues(
        ApplyDescriptor(DescriptorKeys(descriptor.get(), resource), ControlTable(controls_)));
    applyLanguageTable(language);
}

void MainWindow::applyDescriptor(const DescriptorKeys& keys) {
    ensureAllPages();
    takeLayoutValues(ApplyDescriptor(keys, ControlTable(controls_)));
    updateShape();
}

void MainWindow::takeLayoutValues(const LayoutValues& values) {
    // The row height of the macro names is taken once, at the start.
    const std::optional<int> rowHeight = layoutValues_.macroNameHeight;
    layoutValues_ = values;
    if (layoutTaken_) {
        layoutValues_.macroNameHeight = rowHeight;
    }
    layoutTaken_ = true;
}

void MainWindow::applyLanguageTable(int language) {
    editor_.setLanguage(language);
    for (SharedButton& button : sharedButtons_) {
        if (button.textKey.isEmpty()) {
            continue;
        }
        const QString text =
            QString::fromStdString(editor_.languages().text(button.textKey.toStdString()));
        for (LabelButton* label : button.labels) {
            label->setCaption(text);
        }
    }
    refreshKeyCaptions();
}

void MainWindow::updateTitle() {
    const QString title = titleText();
    QGuiApplication::setApplicationDisplayName(title);
    // The window's own caption stays (scripts find the window by it); the
    // window system shows it with the application title, so it is given again.
    setWindowTitle(kTitle);
    if (windowHandle() != nullptr) {
        windowHandle()->setTitle(kTitle);
    }
    if (tray_ != nullptr) {
        tray_->setToolTip(title);
    }
}

// --- the bottom, profile and web buttons ---

void MainWindow::runAction(const std::function<void()>& action) {
    if (actionRunning_) {
        return;
    }
    actionRunning_ = true;
    action();
    actionRunning_ = false;
}

void MainWindow::Btn_Confirm_0Click() {
    runAction([this] {
        setPictures("Confirm", "BtnS_03");
        editor_.Btn_Confirm_0Click();
        emit settingsStored();
    });
}

void MainWindow::Btn_Apply_0Click() {
    runAction([this] {
        setPictures("Apply", "BtnS_03");
        editor_.Btn_Apply_0Click();
        emit settingsStored();
    });
}

void MainWindow::Btn_Reset_0Click() {
    runAction([this] {
        setPictures("Reset", "BtnS_03");
        editor_.Btn_Reset_0Click();
    });
}

void MainWindow::Btn_Exit_0Click() {
    editor_.Btn_Exit_0Click();
}

void MainWindow::Btn_Save_0Click() {
    runAction([this] {
        setPictures("Save", "SetS_02");
        editor_.Btn_Save_0Click();
        emit settingsStored();
    });
}

void MainWindow::Btn_Load_0Click() {
    runAction([this] {
        setPictures("Load", "SetS_02");
        editor_.Btn_Load_0Click();
    });
}

void MainWindow::Btn_Web_0Click() {
    setPictures("Web", "WebS_02");
    if (services_.openUrl) {
        services_.openUrl(webAddress_);
    } else {
        QDesktopServices::openUrl(webAddress_);
    }
}

void MainWindow::DevTimerTimer() {
    editor_.DevTimerTimer();
}

// --- the editor's notifications ---

void MainWindow::pump() {
    QCoreApplication::processEvents();
}

void MainWindow::setBusy(bool busy) {
    TraceBusy(busy);
    if (busy) {
        hover_.setSuspended(true);
        for (const Page& page : pages_) {
            page.blocker->show();
        }
        busy_->setProgress(0, 0);
        // Not after the window has closed (a poll that was waiting goes on).
        if (isVisible()) {
            busy_->show();
            busy_->raise();
        }
    } else {
        busy_->hide();
        busy_->setProgress(0, 0);
        for (const Page& page : pages_) {
            page.blocker->hide();
        }
        hover_.setSuspended(false);
    }
}

// --- the window ---

QRegion MainWindow::shape() const {
    // The pictures of the page on show, each in its own shape; any other
    // control (a box, a list) as its rectangle. Labels and blockers lie over
    // pictures and add nothing.
    const int shown = shownPage();
    if (shown == 0) {
        return {};
    }
    QWidget* container = pages_[static_cast<std::size_t>(shown - 1)].container;
    QRegion region;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden() || !child->geometry().intersects(rect())) {
            continue;
        }
        if (const auto* image = qobject_cast<const ImageControl*>(child)) {
            if (!image->pictureName().isEmpty()) {
                region += Skin::shape(image->pictureName()).translated(image->pos());
            }
        } else if (qobject_cast<const LabelButton*>(child) == nullptr &&
                   qobject_cast<const InputBlocker*>(child) == nullptr) {
            region += child->geometry();
        }
    }
    return region.intersected(rect());
}

void MainWindow::updateShape() {
    if (!isVisible()) {
        return;
    }
    const QRegion region = shape();
    if (region != mask()) {
        clearMask();
        setMask(region);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A mask set before the window first appears is lost on X11.
    clearMask();
    setMask(shape());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    editor_.FormCloseQuery();
    busy_->hide();
    event->accept();
}

void MainWindow::paintEvent(QPaintEvent*) {
    TracePaint("main");
    if (!firstFramePainted_) {
        firstFramePainted_ = true;
        // Once this frame is complete. The icons (looking for a notification
        // area can take a while) and the desktop's pointer settings (asking
        // for them may start a session bus) come after the window.
        QTimer::singleShot(0, this, [this] {
            TraceFirstFrame();
            editor_.RefreshPointerSettings();
            emit pointerSettingsRead();
            showIcons();
        });
    }
}

void MainWindow::showIcons() {
    setWindowIcon(QIcon(Skin::picture("AppIcon")));
    if (tray_ == nullptr && QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = new QSystemTrayIcon(windowIcon(), this);
        tray_->setToolTip(titleText());
        tray_->show();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool background = std::any_of(pages_.begin(), pages_.end(),
                                        [watched](const Page& p) { return p.base == watched; });
    if (background) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                if (mouse->button() != Qt::LeftButton) {
                    break;
                }
                HideAllMenu();
                // The window manager moves the window where it can; elsewhere
                // (no window manager) the window follows the pointer itself.
                if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
                    return true;
                }
                dragging_ = true;
                dragOffset_ = mouse->globalPosition().toPoint() - pos();
                return true;
            case QEvent::MouseMove:
                if (dragging_ && (mouse->buttons() & Qt::LeftButton)) {
                    move(mouse->globalPosition().toPoint() - dragOffset_);
                    return true;
                }
                break;
            case QEvent::MouseButtonRelease:
                if (dragging_) {
                    dragging_ = false;
                    return true;
                }
                break;
            default:
                break;
        }
        return false;
    }
    if (watched == pages_[0].container && event->type() == QEvent::MouseButtonPress) {
        HideAllMenu();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vtr::shell
