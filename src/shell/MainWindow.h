#pragma once

#include <QHash>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "device/Clock.h"
#include "device/HidBackend.h"
#include "editor/Editor.h"
#include "editor/Prompts.h"
#include "platform/InputCapture.h"
#include "settings/PointerSettingsStore.h"
#include "shell/HoverStates.h"
#include "shell/Layout.h"

class QSystemTrayIcon;

namespace vtr::shell {

class AdvancedPage;
class BusyWindow;
class DialogPrompts;
class ImageControl;
class InputBlocker;
class LabelButton;
class LightPage;
class MacroPage;
class MainControlPage;

// The editor's window: a border-less, skinned 800 × 600 window in the shape of
// its pictures, with four pages (Main Control, Advanced, Breathing Light,
// Macro). Every page carries its own copy of the shared buttons; every click
// goes to the editor, and the editor's notifications come back as pictures.
class MainWindow final : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "VTR6420KD Gaming Mouse v1.0";
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr int kPageCount = 4;
    static constexpr int kKeyCount = 9;
    static constexpr int kDevTimerIntervalMs = 3500;

    // What the window works with; all must outlive it.
    struct Services {
        device::HidBackend& backend;
        device::Clock& clock;
        settings::PointerSettingsStore& pointerStore;
        // Null: the window's own message boxes and file dialogs.
        editor::Prompts* prompts = nullptr;
        // Opens the web button's address; null: the desktop's default handler.
        std::function<void(const QUrl&)> openUrl = {};
        // The hot-plug poll runs every 3.5 s; off, it runs only when called.
        bool pollTimer = true;
        // The macro recorder's system-wide capture; null: this system's own.
        platform::InputCapture* capture = nullptr;
    };

    explicit MainWindow(Services services);
    ~MainWindow() override;

    // Starts decoding the pictures the window shows first, on a thread of
    // their own; called before the application object exists, it shortens
    // the time to the first frame.
    static void PrefetchStartPictures();

    editor::Editor& editor() { return editor_; }
    BusyWindow& busyWindow() { return *busy_; }

    // --- the handlers of the buttons (any copy) ---
    void Btn_Main_0Click() { switchPage(1); }
    void Btn_Adv_0Click() { switchPage(2); }
    void Btn_Breath_0Click() { switchPage(3); }
    void Btn_Macro_0Click() { switchPage(4); }
    void Btn_Lang1_0Click() { switchLanguage(1); }
    void Btn_Lang2_0Click() { switchLanguage(2); }
    void Btn_Lang3_0Click() { switchLanguage(3); }
    void Btn_Confirm_0Click();
    void Btn_Apply_0Click();
    void Btn_Reset_0Click();
    void Btn_Exit_0Click();
    void Btn_Save_0Click();
    void Btn_Load_0Click();
    void Btn_Web_0Click();
    // The hot-plug poll, as the timer runs it.
    void DevTimerTimer();
    // Every pop-up panel hidden.
    void HideAllMenu();
    // The current page's container shown again (page 1 in error mode).
    void RefreshAPPage();

    // --- for the pages built on this window ---

    // The container of page 1..4 (controls added to it lie under its input
    // blocker once `raiseBlockers` ran).
    QWidget* page(int number) const;
    void raiseBlockers();
    // Makes a page's control known by its object name (for the layout, the
    // shape and `control`).
    void addControl(QWidget* control);
    platform::InputCapture& inputCapture();
    // Pages 2 to 4 are built when first shown (or looked at), which keeps
    // them out of the time to the first frame.
    MainControlPage& mainControlPage() { return *mainControlPage_; }
    AdvancedPage& advancedPage();
    LightPage& lightPage();
    MacroPage& macroPage();
    // Builds page 2, 3 or 4 if it is not built yet.
    void ensurePage(int page);
    // A pop-up panel that HideAllMenu hides.
    void addMenuPanel(QWidget* panel);
    HoverStates& hoverStates() { return hover_; }
    // The colours and sizes of the current language's descriptor.
    const LayoutValues& layoutValues() const { return layoutValues_; }

    // --- what tests and scripts look at ---

    int currentPage() const { return currentPage_; }
    // The page whose container is visible.
    int shownPage() const;
    int language() const { return language_; }
    // A control by name ("Btn_Apply_2", "Img_Key3", "gbPage2", "Disable");
    // null when the window has none of that name. Builds the pages not yet
    // built when the name is not known.
    QWidget* control(const QString& name);
    // The picture an image control shows ("SetS_02"); empty for no such control.
    QString picture(const QString& imageName);
    // The caption a label button shows; empty for no such control.
    QString caption(const QString& labelName);
    bool blockersShown() const;
    QTimer& devTimer() { return devTimer_; }
    QTimer& labelRunTimer() { return hover_.timer(); }
    QUrl webAddress() const { return webAddress_; }
    // The application title (taskbar text) now.
    static QString applicationTitle();
    // Lays the window out by a descriptor other than the shipped one.
    void applyDescriptor(const DescriptorKeys& keys);

  signals:
    // A language switch is about to apply language n, and has applied it.
    void languageSwitching(int language);
    void languageSwitched(int language);
    // Page 1..4 was shown by a page switch or by RefreshAPPage.
    void pageShown(int page);
    // The settings were decoded anew and every page is to show them.
    void settingsShown();
    // Apply, Confirm or Save Profile stored the settings (normalising what
    // the boxes held).
    void settingsStored();
    // The desktop's pointer settings were read (after the first frame).
    void pointerSettingsRead();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct SharedButton {
        QString name;     // "Apply"
        QString textKey;  // "Str001"; empty for the web button
        std::array<LabelButton*, kPageCount> labels{};
        std::array<ImageControl*, kPageCount> images{};
    };
    struct Page {
        QWidget* container = nullptr;
        ImageControl* base = nullptr;
        ImageControl* panel = nullptr;
        InputBlocker* blocker = nullptr;
    };

    static std::unique_ptr<DialogPrompts> ownPrompts(MainWindow* window, const Services& s);

    void buildPages();
    void buildSharedButtons();
    void buildKeys();
    void setDesignPositions();
    void attachHover();
    void wireEditor();
    void buildPageContents();
    void ensureAllPages();
    // Places the controls of a page built after the layout was applied.
    void placeLatePage();
    void loadStartPictures();

    SharedButton& shared(const QString& name);
    void setPictures(const QString& button, const QString& picture);
    void switchPage(int page);
    // Steps of a page switch after its checks.
    void showPage(int page);
    void showOnly(int page);
    // Page 1 as a decode leaves it: the marker on page 1, its pictures.
    void showSettingsOnPageOne();
    void enterErrorMode();
    void leaveErrorMode();
    void switchLanguage(int language);
    void ApplyLayout(int language);
    void applyLanguageTable(int language);
    void takeLayoutValues(const LayoutValues& values);
    void refreshKeyCaptions();
    void updateTitle();
    // The program's icon for the window and in the notification area, where
    // there is one.
    void showIcons();
    void setBusy(bool busy);
    void message(const char* key);
    void pump();
    // Runs a button's action unless another one is still running (its waits
    // let clicks through).
    void runAction(const std::function<void()>& action);
    // The window's shape: the opaque pixels of what the shown page shows.
    QRegion shape() const;
    void updateShape();
    QString titleText() const;

    Services services_;
    std::unique_ptr<DialogPrompts> ownPrompts_;
    editor::Editor editor_;
    HoverStates hover_;
    QTimer devTimer_;
    BusyWindow* busy_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;

    std::array<Page, kPageCount> pages_{};
    std::vector<SharedButton> sharedButtons_;
    std::array<LabelButton*, kKeyCount> keyLabels_{};
    std::array<ImageControl*, kKeyCount> keyImages_{};
    InputBlocker* keyBlocker_ = nullptr;
    QHash<QString, QWidget*> controls_;
    std::vector<QWidget*> menuPanels_;
    std::unique_ptr<platform::InputCapture> ownCapture_;
    MainControlPage* mainControlPage_ = nullptr;
    AdvancedPage* advancedPage_ = nullptr;
    LightPage* lightPage_ = nullptr;
    MacroPage* macroPage_ = nullptr;

    HoverFamily familyA_;
    HoverFamily familyB_;
    HoverFamily familyD_;
    HoverFamily familyC_;
    HoverFamily familyWeb_;

    int currentPage_ = 1;
    int language_ = 1;
    QUrl webAddress_;
    LayoutValues layoutValues_;
    bool layoutTaken_ = false;
    bool buildingPage_ = false;
    bool actionRunning_ = false;
    bool firstFramePainted_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace vtr::shell
