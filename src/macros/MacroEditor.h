#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/ConfigImage.h"
#include "macros/MacroInputs.h"
#include "macros/MacroMemory.h"
#include "macros/StepList.h"

namespace vtr::keys {
class ButtonAssignment;
}

// The macro page without its drawing: the macro list selection, the step list
// and its view's selection, the delay panel, the insert panel, the pending name
// operation, and every macro operation of the page.
//
// How the editor drives it. It owns one MacroMemory and one MacroEditor over it
// for the whole run, and hands the button model to `setButtons` so that clearing
// and deleting macros keep the buttons' bindings. When the device type is known:
// `bind(type, dataBuf.macroArea(type))`; after the area was filled as a whole:
// `ReadAndRefreshMacro()`. Each user action is one call; its MacroResult says
// whether it took place, whether MacroChanged is to be set, and which message
// (a language key) to show. The editor keeps MacroChanged itself: nothing here
// clears it. Questions (Str430) are asked through the callback the call takes.
// While a recording runs or the insert panel is open the macro buttons are
// disabled (`macroButtonsEnabled()`); the calls behind them then do nothing.
namespace vtr::macros {

struct MacroResult {
    // The operation took place; for New Macro and Rename: the name dialog is to
    // be opened.
    bool done = false;
    // MacroChanged is to be set (also when the operation itself stopped short,
    // where the page sets the flag before asking or checking).
    bool macroChanged = false;
    // Language key of a message to show ("Str103", "Str104"), or empty.
    std::string message = {};
    // A file could not be read or written: the system's words.
    std::string error = {};
};

// The pending operation of the name dialog.
enum class NameOperation { None, New, Rename };

// CB_Insert's entries.
enum class InsertEntry { DelayFront = 0, DelayBack = 1, KeyFront = 2, KeyBack = 3 };

// Yes/No question with the language key of its text; true for Yes.
using AskQuestion = std::function<bool(std::string_view key)>;

class MacroEditor {
  public:
    explicit MacroEditor(MacroMemory& memory) : memory_(memory) {}
    MacroEditor(const MacroEditor&) = delete;
    MacroEditor& operator=(const MacroEditor&) = delete;

    // The buttons whose macro bindings clearing and deleting keep (may be null).
    void setButtons(keys::ButtonAssignment* buttons) { buttons_ = buttons; }

    MacroMemory& memory() { return memory_; }
    const MacroMemory& memory() const { return memory_; }
    int type() const { return memory_.type(); }

    // The memory works on `area` from now on; selection, step list and panels
    // start afresh (binding the same type and area again changes nothing, so it
    // may precede every parse). Parse with ReadAndRefreshMacro.
    void bind(int type, std::span<std::uint8_t> area);
    // The area was filled as a whole: parse it (ReadAndRefreshMacro1/2). Type 10
    // rebuilds the macro list, so no macro is selected afterwards and the step
    // view is empty; type 2 keeps the selected slot and shows its steps anew.
    void ReadAndRefreshMacro();

    // --- state for drawing ---

    // Index into the macro list (LB_MacroName), -1 for none.
    int selectedMacro() const { return selected_; }
    const std::vector<std::u16string>& macroNames() const { return memory_.macroNames(); }
    // The step list (mmo_macro), header first.
    const StepLines& steps() const { return steps_; }
    // Rows of the step view (LB_macro): one per step line.
    int rowCount() const;
    // LB_macroDrawItem: icon and text of a row.
    StepRow row(int r) const { return StepRowOf(steps_, r); }
    int selectedRow() const { return selectedRow_; }
    // A click on a step row (ignored while the step view is disabled, and for a
    // row outside the view; -1 clears the selection).
    void setSelectedRow(int row);
    int topRow() const { return topRow_; }
    void setTopRow(int row) { topRow_ = row; }

    DelayMode delayMode() const { return delayMode_; }
    DelayEdit& delayEdit() { return delay_; }
    const DelayEdit& delayEdit() const { return delay_; }
    // The macro list and the buttons of DisableMacroButtons.
    bool macroButtonsEnabled() const { return !normalRecording_ && !insertOpen_; }
    bool stepViewEnabled() const { return !normalRecording_; }
    // The delay panel (its three choices and Edt_Delay); hidden while the insert
    // panel is open.
    bool delayPanelEnabled() const { return !normalRecording_ && !insertOpen_; }

    bool insertPanelOpen() const { return insertOpen_; }
    InsertEntry insertEntry() const { return insertEntry_; }
    DelayMode insertDelayMode() const { return insertMode_; }
    DelayEdit& insertDelayEdit() { return insertDelay_; }
    const DelayEdit& insertDelayEdit() const { return insertDelay_; }
    // CB_Insert, the mode choices, OK and Cancel (disabled while keys are
    // recorded into the panel).
    bool insertControlsEnabled() const { return insertOpen_ && !insertRecording_; }

    NameOperation pendingName() const { return pending_; }

    // --- the macro page ---

    // LB_MacroNameClick: selects a macro (an index outside the list selects
    // none) and shows its steps; a slot with a macro also sets the delay mode it
    // was made with.
    MacroResult LB_MacroNameClick(int index);

    // IB_RecDelayClick, IB_DelayTimeClick, IB_NoDelayClick: Edt_Delay stays
    // enabled and is editable only for default delay.
    void setDelayMode(DelayMode mode);

    // Btn_DelClick: removes the selected step; a press goes with the first
    // release of the same name after it, a release with the nearest press
    // before it; a step without its partner stays. Then encodes.
    MacroResult Btn_DelClick();

    // Btn_InsertClick: opens the insert panel on entry 0.
    MacroResult Btn_InsertClick();
    // CB_InsertChange: entries 0 and 1 insert a delay (Edt_InsertDelay
    // editable), 2 and 3 record keys (record delay chosen, the edit read-only).
    void CB_InsertChange(InsertEntry entry);
    // IB_InsertRecDelayClick, IB_InsertDelayTimeClick, IB_InsertNoDelayClick.
    void setInsertDelayMode(DelayMode mode);
    // Btn_OKClick: keys: the step list is encoded; delays: the delay is put
    // before (entry 0) or after (entry 1) the selected step and encoded, and
    // nothing happens without a selected step. Steps that do not fit are
    // refused with Str104 and the panel stays open.
    MacroResult Btn_OKClick();
    // Btn_CancelClick: closes the panel and shows the macro as it is stored.
    MacroResult Btn_CancelClick();

    // Btn_ClearClick: asks Str430 first; the macro loses its steps (type 2: the
    // slot becomes empty; type 10: the record 01 FF) and the buttons' bindings
    // are recomputed.
    MacroResult Btn_ClearClick(const AskQuestion& ask);
    // Btn_DelMacroClick (type 10): the macro goes, later macros move up, buttons
    // follow their macros by name and a button of the deleted macro gets its
    // fallback function. No macro is selected afterwards.
    MacroResult Btn_DelMacroClick();
    // Btn_NewMacroClick (type 10): refused with Str104 at 15 macros or more than
    // 476 bytes; otherwise the name dialog is to be opened for a new macro.
    MacroResult Btn_NewMacroClick();
    // Btn_NewNameClick (type 10, a macro selected): the name dialog is to be
    // opened to rename it.
    MacroResult Btn_NewNameClick();
    // ApplyMacroName (IB_ConfirmClick of the dialog): the pending operation
    // with this name (UTF-8, cut to 14 UTF-16 code units); an empty name does
    // nothing. New: a macro with the empty record 01 FF is added at the end and
    // selected (Str104 when it no longer fits). Rename: the selected macro's name
    // changes; bound buttons keep their captions. Either way nothing is pending
    // afterwards.
    MacroResult ApplyMacroName(std::string_view name);
    // IB_CloseClick: the dialog closes without applying.
    void IB_CloseClick() { pending_ = NameOperation::None; }

    // --- macro files ---

    // Export one (a macro selected): type 2 the 164-byte record buffer, type 10
    // the 32-byte name field and the 256-byte record buffer. Empty without a
    // selected macro.
    std::vector<std::uint8_t> ExportOneBytes() const;
    // Export all: the macro area as packed (164 or 512 bytes).
    std::vector<std::uint8_t> ExportAllBytes() const;
    // Import one into the selected macro from the bytes of a file (any length:
    // only the first 164 or 288 are used). A first record byte of 0 changes
    // nothing; a macro that would not fit restores the area and gives Str103.
    MacroResult ImportOne(std::span<const std::uint8_t> file);
    // Import all: the first 164 or 512 bytes of the file over the macro area
    // (what the file does not supply stays), then parsed.
    MacroResult ImportAll(std::span<const std::uint8_t> file);

    // The same with files: written atomically, ".bin" appended to a name that
    // does not already end in it (any case); read without a size check.
    MacroResult ExportOneTo(const std::filesystem::path& path) const;
    MacroResult ExportAllTo(const std::filesystem::path& path) const;
    MacroResult ImportOneFrom(const std::filesystem::path& path);
    MacroResult ImportAllFrom(const std::filesystem::path& path);

  private:
    friend class MacroRecorder;

    // Empties the step list and the view, then (MacroBufToSteps) shows the
    // selected macro's steps with the last row selected and applies the delay
    // mode it was made with.
    void showSteps();
    void clearSteps();
    void closeInsertPanel() { insertOpen_ = false; }
    void InitKeysParameters();
    void RefreshKeysParameters();
    bool selectedSlotValid() const;

    MacroMemory& memory_;
    keys::ButtonAssignment* buttons_ = nullptr;

    int selected_ = -1;
    StepLines steps_;
    int selectedRow_ = -1;
    int topRow_ = 0;

    DelayMode delayMode_ = DelayMode::Record;
    DelayEdit delay_;

    bool insertOpen_ = false;
    InsertEntry insertEntry_ = InsertEntry::DelayFront;
    DelayMode insertMode_ = DelayMode::Record;
    DelayEdit insertDelay_;
    int rememberedTopRow_ = 0;
    int rememberedRow_ = -1;

    NameOperation pending_ = NameOperation::None;

    // Set by the recorder.
    bool normalRecording_ = false;
    bool insertRecording_ = false;
};

// Save Macro, once the mouse has answered and its memory is ready: the buttons'
// macro codes follow their macros' current addresses (RefreshMacroAddr), the
// button table gets its check byte and is copied into `image`. Then the editor
// writes the button table at 64 and the ranges of MacroWriteRanges. Nothing here
// touches MacroChanged.
void PrepareMacroSave(keys::ButtonAssignment& buttons, image::WorkingImage& working,
                      image::ConfigImage& image);

// A range of the macro area as Save Macro writes it: type 2 one of 164 bytes at
// 92; type 10 two of 256 bytes at 512 and 768.
struct MacroWriteRange {
    std::uint16_t address;
    std::size_t areaOffset;
    std::size_t size;
};
std::vector<MacroWriteRange> MacroWriteRanges(int type);

}  // namespace vtr::macros
