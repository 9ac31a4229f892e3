#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "device/Clock.h"
#include "device/HidBackend.h"
#include "device/Transport.h"
#include "editor/Prompts.h"
#include "editor/SettingsSession.h"
#include "image/ConfigImage.h"
#include "macros/MacroEditor.h"
#include "macros/MacroMemory.h"
#include "macros/MacroRecorder.h"
#include "settings/PointerSettings.h"
#include "settings/PointerSettingsStore.h"
#include "text/Language.h"

namespace vtr::editor {

// What the window does around the editor's work; every hook may be empty.
struct EditorHooks {
    // Lets pending window messages run (during transfers and waits).
    std::function<void()> pumpMessages;
    // The busy window and the input blockers, shown (true) or hidden.
    std::function<void(bool)> setBusy;
    // Progress of a transfer: chunks done of all the chunks of this transfer.
    std::function<void(int done, int total)> progress;
    // The hot-plug timer switched on or off around transfers.
    std::function<void(bool)> pollTimerEnabled;
    // Every pop-up menu hidden.
    std::function<void()> hideAllMenus;
    // The settings were decoded anew: redraw everything.
    std::function<void()> settingsChanged;
    // Error mode switched on or off; page 1 is shown either way.
    std::function<void()> errorModeChanged;
    // Macro names and the macro step view are to be rebuilt from the macro area.
    std::function<void()> macrosChanged;
    // Confirm finished or Exit: the window closes.
    std::function<void()> closeWindow;
};

// The whole editing session without any drawing: the configuration image and
// its default copy, the settings models, the pointer settings, the device
// connection with its hot-plug poll, and one method per user action. It talks
// to the user only through `Prompts`.
class Editor {
  public:
    Editor(device::HidBackend& backend, device::Clock& clock, Prompts& prompts,
           settings::PointerSettingsStore& pointerStore);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    EditorHooks& hooks() { return hooks_; }

    // --- start-up and the connection ---

    // The start-up order: shared state reset, the default image's ids and type,
    // the defaults shown, the pointer settings read, language 1. The window
    // reads the pointer settings after its first frame instead (asking the
    // desktop for them may start a session bus), so it passes false.
    void FormCreate(bool readPointerSettings = true);
    // The pointer settings read from the system anew.
    void RefreshPointerSettings();
    // `DataBuf` from the built-in defaults, then shown.
    void InitNoDevice();
    // The hot-plug poll (every 3.5 s): counts the candidate mouse's interfaces
    // and opens and reads the mouse when the count rises, reports it lost when
    // the count falls.
    void DevTimerTimer();
    // Opens, identifies and reads the mouse at once, without the poll's waiting
    // (command-line tool). Returns whether the mouse was read.
    bool ConnectNow();
    // Identifies the opened mouse and reads it when its type fits.
    void ReadDevInfo();
    // The full read into `DataBuf`, then the decode.
    void Btn_Read();
    // The not-found message and error mode.
    void ReportNoDevice(bool mayNotOpen = false);
    // The window is closing: the device is closed; nothing is sent.
    void FormCloseQuery();

    // --- the bottom buttons; each returns whether it did what it says ---

    bool Btn_Apply_0Click();
    // Apply, then the window closes; it stays open when the write failed.
    bool Btn_Confirm_0Click();
    bool Btn_Reset_0Click();
    void Btn_Exit_0Click();
    bool Btn_Save_0Click();
    bool Btn_Load_0Click();

    // Encode and write (Apply, Confirm); defaults restored and written (Reset).
    bool DownloadParameter();
    bool DefaultParameter();

    // Writes only the pointer settings (as Apply does) and passes them to the
    // live system.
    void ChangePointerSettings();

    // The language of the texts, 1..3; button captions are re-translated.
    void setLanguage(int language);

    // --- the macro page ---

    // One operation of the macro editor: its message is shown, MacroChanged set
    // as it says. Returns whether the operation took place.
    bool macroAction(const std::function<macros::MacroResult(macros::MacroEditor&)>& action);
    // One call of the macro recorder: its message is shown, MacroChanged set as
    // it says, and the macro page redrawn. Returns the result for the capture
    // it starts or stops.
    macros::RecorderResult recorderAction(
        const std::function<macros::RecorderResult(macros::MacroRecorder&)>& action);
    // A plain message box with these words (not a language key).
    void showText(const std::string& text) { prompts_.message(text); }
    // Clearing a macro asks first.
    bool Btn_ClearClick();
    // Macro files, with their dialogs.
    bool Btn_ExportOneClick();
    bool Btn_ExportClick();
    bool Btn_ImportOneClick();
    bool Btn_ImportClick();
    // The button table and the macro area into the mouse, bindings recomputed
    // first. A failed write says so and keeps MacroChanged.
    bool Btn_SaveMacroClick();

    macros::MacroEditor& macroEditor() { return macroEditor_; }
    macros::MacroRecorder& macroRecorder() { return macroRecorder_; }
    const macros::MacroMemory& macroMemory() const { return macroMemory_; }

    // --- state ---

    bool devicePresent() const { return transport_.devicePresent(); }
    int deviceType() const { return deviceType_; }
    int imageType() const { return imageType_; }
    bool errorMode() const { return errorMode_; }
    // The mouse is open but of the other device type.
    bool rejected() const { return rejected_; }
    // The mouse's settings were read since it was opened.
    bool deviceRead() const { return read_; }
    bool macroChanged() const { return macroChanged_; }
    void setMacroChanged(bool changed) { macroChanged_ = changed; }

    image::ConfigImage& dataBuf() { return dataBuf_; }
    const image::ConfigImage& defaultBuf() const { return defaultBuf_; }
    SettingsSession& settings() { return settings_; }
    settings::PointerSettings& pointer() { return pointer_; }
    const text::Languages& languages() const { return languages_; }
    device::Transport& transport() { return transport_; }

  private:
    struct Candidate {
        std::uint16_t vendorId;
        std::uint16_t productId;
    };

    void pump();
    void wait(int steps, int stepMs);
    void setBusy(bool busy);
    void RefreshErrorAP();
    void ShowFirstPage();
    void decode();
    void parseMacros(int type);
    int countCandidateInterfaces();
    bool candidateMayNotOpen();
    bool openCandidate();
    // Refuses a write with a message when there is no mouse or it was rejected.
    bool writeAllowed();
    // The configuration transaction around a write; false (with the message)
    // when anything was not acknowledged.
    bool writeTransaction(bool withMacros);
    void message(const std::string& key);
    bool handle(const macros::MacroResult& result);

    device::Clock& clock_;
    Prompts& prompts_;
    settings::PointerSettingsStore& pointerStore_;
    device::Transport transport_;
    EditorHooks hooks_;

    text::Languages languages_;
    image::ConfigImage dataBuf_;
    image::ConfigImage defaultBuf_;
    SettingsSession settings_;
    settings::PointerSettings pointer_;
    macros::MacroMemory macroMemory_;
    macros::MacroEditor macroEditor_{macroMemory_};
    macros::MacroRecorder macroRecorder_{macroEditor_};

    std::vector<Candidate> candidates_;
    int imageType_ = 0;
    int deviceType_ = 0;
    int previousCount_ = 0;
    bool pollBusy_ = false;
    bool errorMode_ = false;
    bool rejected_ = false;
    bool read_ = false;
    bool macroChanged_ = false;
    int transferDone_ = 0;
    int transferTotal_ = 0;
};

}  // namespace vtr::editor
