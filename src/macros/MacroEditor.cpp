#include "macros/MacroEditor.h"

#include <algorithm>
#include <array>

#include "image/FileIo.h"
#include "image/MemoryMap.h"
#include "keys/ButtonAssignment.h"
#include "macros/MacroFiles.h"
#include "text/Utf.h"

namespace vtr::macros {
namespace {

constexpr const char* kSpaceShortage = "Str104";
constexpr const char* kFileTooLong = "Str103";
constexpr const char* kClearQuestion = "Str430";
// New Macro is refused beyond this many macro bytes (a new entry takes 34).
constexpr int kNewMacroByteLimit = 476;

MacroResult Changed() {
    return MacroResult{.done = true, .macroChanged = true};
}

}  // namespace

void MacroEditor::bind(int type, std::span<std::uint8_t> area) {
    if (memory_.bound() && type == memory_.type() && area.data() == memory_.area().data() &&
        std::min(area.size(), image::macroAreaSize(type)) == memory_.area().size()) {
        return;  // the same area again: the page keeps its state
    }
    memory_.bind(type, area);
    selected_ = -1;
    clearSteps();
    topRow_ = 0;
    insertOpen_ = false;
    pending_ = NameOperation::None;
    normalRecording_ = false;
    insertRecording_ = false;
}

void MacroEditor::ReadAndRefreshMacro() {
    memory_.ReadAndRefreshMacro();
    if (type() == image::kDeviceType10) {
        selected_ = -1;
        clearSteps();
    } else if (macroButtonsEnabled()) {
        showSteps();
    }
}

int MacroEditor::rowCount() const {
    return steps_.empty() ? 0 : static_cast<int>(steps_.size()) - 1;
}

void MacroEditor::setSelectedRow(int row) {
    if (!stepViewEnabled()) {
        return;
    }
    selectedRow_ = row >= 0 && row < rowCount() ? row : -1;
}

bool MacroEditor::selectedSlotValid() const {
    return selected_ >= 0 && static_cast<std::size_t>(selected_) < memory_.slotCount() &&
           static_cast<std::size_t>(selected_) < memory_.macroNames().size();
}

void MacroEditor::clearSteps() {
    steps_.clear();
    selectedRow_ = -1;
}

void MacroEditor::showSteps() {
    clearSteps();
    if (!selectedSlotValid() || !memory_.hasMacro(static_cast<std::size_t>(selected_))) {
        return;
    }
    DecodedSteps decoded = MacroBufToSteps(memory_.record(static_cast<std::size_t>(selected_)));
    steps_ = std::move(decoded.lines);
    selectedRow_ = rowCount() - 1;
    if (decoded.mode == DelayMode::Default) {
        delay_.setValue(decoded.defaultDelay);
    }
    delayMode_ = decoded.mode;
    delay_.setEditable(decoded.mode == DelayMode::Default);
}

MacroResult MacroEditor::LB_MacroNameClick(int index) {
    if (!macroButtonsEnabled()) {
        return {};
    }
    selected_ =
        index >= 0 && static_cast<std::size_t>(index) < memory_.macroNames().size() ? index : -1;
    showSteps();
    return MacroResult{.done = true};
}

void MacroEditor::setDelayMode(DelayMode mode) {
    if (!delayPanelEnabled()) {
        return;
    }
    delayMode_ = mode;
    delay_.setEditable(mode == DelayMode::Default);
}

MacroResult MacroEditor::Btn_DelClick() {
    const int r = selectedRow_;
    if (!macroButtonsEnabled() || r < 0 || r >= rowCount()) {
        return {};
    }
    MacroResult result{.macroChanged = true};
    const auto at = static_cast<std::size_t>(r) + 1;
    const std::string line = steps_[at];
    const std::optional<int> kind = LineKind(line);
    const std::string_view name = StepName(line);
    bool releasePair = false;

    if (kind == 1) {
        // The first release of the same name after the press.
        std::size_t partner = 0;
        for (std::size_t j = at + 1; j < steps_.size() && partner == 0; ++j) {
            if (LineKind(steps_[j]) == 2 && StepName(steps_[j]) == name) {
                partner = j;
            }
        }
        if (partner == 0) {
            return result;
        }
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(partner));
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (kind == 2) {
        // The nearest press of the same name before the release.
        std::size_t partner = 0;
        for (std::size_t j = at - 1; j >= 1 && partner == 0; --j) {
            if (LineKind(steps_[j]) == 1 && StepName(steps_[j]) == name) {
                partner = j;
            }
        }
        if (partner == 0) {
            return result;
        }
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(at));
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(partner));
        releasePair = true;
    } else {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(at));
    }

    const int back = releasePair ? 2 : 1;
    int next = r - back;
    if (next < 0) {
        next = 0;
    }
    selectedRow_ = rowCount() == 0 ? -1 : std::min(next, rowCount() - 1);

    if (selectedSlotValid() &&
        !StepsToMacroBuf(memory_, static_cast<std::size_t>(selected_), steps_)) {
        result.message = kSpaceShortage;
        return result;
    }
    result.done = true;
    return result;
}

MacroResult MacroEditor::Btn_InsertClick() {
    if (!macroButtonsEnabled()) {
        return {};
    }
    rememberedTopRow_ = topRow_;
    rememberedRow_ = selectedRow_;
    insertOpen_ = true;
    CB_InsertChange(InsertEntry::DelayFront);
    return Changed();
}

void MacroEditor::CB_InsertChange(InsertEntry entry) {
    if (!insertControlsEnabled()) {
        return;
    }
    insertEntry_ = entry;
    if (entry == InsertEntry::KeyFront || entry == InsertEntry::KeyBack) {
        insertMode_ = DelayMode::Record;
        insertDelay_.setEditable(false);
    } else {
        insertDelay_.setEditable(true);
    }
}

void MacroEditor::setInsertDelayMode(DelayMode mode) {
    if (!insertControlsEnabled() ||
        (insertEntry_ != InsertEntry::KeyFront && insertEntry_ != InsertEntry::KeyBack)) {
        return;
    }
    insertMode_ = mode;
    insertDelay_.setEditable(mode == DelayMode::Default);
}

MacroResult MacroEditor::Btn_OKClick() {
    if (!insertControlsEnabled()) {
        return {};
    }
    MacroResult result{.macroChanged = true};
    if (insertEntry_ == InsertEntry::KeyFront || insertEntry_ == InsertEntry::KeyBack) {
        if (selectedSlotValid() &&
            !StepsToMacroBuf(memory_, static_cast<std::size_t>(selected_), steps_)) {
            result.message = kSpaceShortage;
            return result;
        }
        closeInsertPanel();
        result.done = true;
        return result;
    }

    const int r = selectedRow_;
    if (r < 0 || r >= rowCount()) {
        return {};
    }
    const int row = insertEntry_ == InsertEntry::DelayFront ? r : r + 1;
    const auto at = steps_.begin() + row + 1;
    const auto inserted = steps_.insert(at, DelayLine(insertDelay_.value()));
    if (selectedSlotValid() &&
        !StepsToMacroBuf(memory_, static_cast<std::size_t>(selected_), steps_)) {
        steps_.erase(inserted);
        result.message = kSpaceShortage;
        return result;
    }
    selectedRow_ = row;
    closeInsertPanel();
    result.done = true;
    return result;
}

MacroResult MacroEditor::Btn_CancelClick() {
    if (!insertControlsEnabled()) {
        return {};
    }
    closeInsertPanel();
    showSteps();
    // Lines recorded into the panel were counted in the total; they are gone.
    memory_.CheckMacroLen();
    topRow_ = rememberedTopRow_;
    selectedRow_ = rememberedRow_ >= 0 && rememberedRow_ < rowCount() ? rememberedRow_ : -1;
    return MacroResult{.done = true};
}

void MacroEditor::InitKeysParameters() {
    if (buttons_) {
        buttons_->InitKeysParameters();
    }
}

void MacroEditor::RefreshKeysParameters() {
    if (!buttons_) {
        return;
    }
    std::array<bool, kSlots10> present{};
    for (std::size_t i = 0; i < memory_.slotCount(); ++i) {
        present[i] = memory_.hasMacro(i);
    }
    buttons_->RefreshKeysParameters(std::span<const bool>(present).first(memory_.slotCount()));
}

MacroResult MacroEditor::Btn_ClearClick(const AskQuestion& ask) {
    if (!macroButtonsEnabled() || !selectedSlotValid()) {
        return {};
    }
    MacroResult result{.macroChanged = true};
    if (!ask || !ask(kClearQuestion)) {
        return result;
    }
    clearSteps();
    const auto slot = static_cast<std::size_t>(selected_);
    if (type() == image::kDeviceType2) {
        memory_.clearSlot(slot);
        memory_.RefreshMacro();
    } else {
        InitKeysParameters();
        memory_.setEmptyRecord(slot);
        memory_.RefreshMacro();
    }
    RefreshKeysParameters();
    result.done = true;
    return result;
}

MacroResult MacroEditor::Btn_DelMacroClick() {
    if (type() != image::kDeviceType10 || !macroButtonsEnabled() || !selectedSlotValid()) {
        return {};
    }
    const auto slot = static_cast<std::size_t>(selected_);
    clearSteps();
    InitKeysParameters();
    memory_.macroNames().erase(memory_.macroNames().begin() + selected_);
    memory_.clearSlot(slot);
    memory_.RefreshMacro();
    memory_.ReadAndRefreshMacro();
    selected_ = -1;
    RefreshKeysParameters();
    return Changed();
}

MacroResult MacroEditor::Btn_NewMacroClick() {
    if (type() != image::kDeviceType10 || !macroButtonsEnabled()) {
        return {};
    }
    if (memory_.macroNames().size() >= kSlots10 || memory_.totalBytes() > kNewMacroByteLimit) {
        return MacroResult{.message = kSpaceShortage};
    }
    pending_ = NameOperation::New;
    clearSteps();
    return Changed();
}

MacroResult MacroEditor::Btn_NewNameClick() {
    if (type() != image::kDeviceType10 || !macroButtonsEnabled() || !selectedSlotValid()) {
        return {};
    }
    pending_ = NameOperation::Rename;
    return Changed();
}

MacroResult MacroEditor::ApplyMacroName(std::string_view name) {
    const NameOperation operation = pending_;
    pending_ = NameOperation::None;
    const std::u16string units = LimitMacroName(text::ToUtf16(name));
    // While a recording runs or the insert panel is open, the selection must
    // not move: their steps belong to the selected macro.
    if (units.empty() || type() != image::kDeviceType10 || !macroButtonsEnabled()) {
        return {};
    }
    if (operation == NameOperation::Rename) {
        if (!selectedSlotValid()) {
            return {};
        }
        const auto slot = static_cast<std::size_t>(selected_);
        memory_.macroNames()[slot] = units;
        memory_.setName(slot, units);
        memory_.RefreshMacro();
        return Changed();
    }
    if (operation != NameOperation::New) {
        return {};
    }
    // The dialog does not block the page: check the room again.
    const std::size_t slot = memory_.macroNames().size();
    if (slot >= kSlots10 ||
        memory_.totalBytes() + kEmptyEntry10 > static_cast<int>(memory_.areaSize())) {
        return MacroResult{.message = kSpaceShortage};
    }
    memory_.macroNames().push_back(units);
    memory_.setName(slot, units);
    memory_.setEmptyRecord(slot);
    memory_.RefreshMacro();
    selected_ = static_cast<int>(slot);
    clearSteps();
    return Changed();
}

std::vector<std::uint8_t> MacroEditor::ExportOneBytes() const {
    if (!selectedSlotValid()) {
        return {};
    }
    const auto slot = static_cast<std::size_t>(selected_);
    std::vector<std::uint8_t> bytes;
    if (type() == image::kDeviceType10) {
        const NameField field = memory_.nameField(slot);
        bytes.assign(field.begin(), field.end());
    }
    const std::span<const std::uint8_t> buffer = memory_.recordBuffer(slot);
    bytes.insert(bytes.end(), buffer.begin(), buffer.end());
    return bytes;
}

std::vector<std::uint8_t> MacroEditor::ExportAllBytes() const {
    return std::vector<std::uint8_t>(memory_.area().begin(), memory_.area().end());
}

MacroResult MacroEditor::ImportOne(std::span<const std::uint8_t> file) {
    if (!memory_.bound() || !macroButtonsEnabled() || !selectedSlotValid()) {
        return {};
    }
    MacroResult result{.macroChanged = true};
    const auto slot = static_cast<std::size_t>(selected_);
    const bool type10 = type() == image::kDeviceType10;
    const std::vector<std::uint8_t> savedArea(memory_.area().begin(), memory_.area().end());

    NameField field{};
    std::vector<std::uint8_t> record(memory_.bufferSize(), 0);
    std::span<const std::uint8_t> rest = file;
    if (type10) {
        const std::size_t n = std::min(rest.size(), kNameFieldSize);
        std::copy_n(rest.begin(), n, field.begin());
        rest = rest.subspan(n);
    }
    std::copy_n(rest.begin(), std::min(rest.size(), record.size()), record.begin());
    const std::size_t length = record[0];

    if (length != 0) {
        const auto stored = static_cast<std::uint16_t>(length + 1 + (type10 ? kNameFieldSize : 0));
        memory_.setSlot(slot, record, stored);
        if (type10) {
            memory_.setNameField(slot, field);
        }
        memory_.CheckMacroLen();
        if (memory_.totalBytes() <= static_cast<int>(memory_.areaSize())) {
            memory_.RefreshMacro();
            result.done = true;
        } else {
            std::copy(savedArea.begin(), savedArea.end(), memory_.area().begin());
            result.message = kFileTooLong;
        }
        ReadAndRefreshMacro();
    }
    showSteps();
    return result;
}

MacroResult MacroEditor::ImportAll(std::span<const std::uint8_t> file) {
    if (!memory_.bound() || !macroButtonsEnabled()) {
        return {};
    }
    const std::span<std::uint8_t> area = memory_.area();
    std::copy_n(file.begin(), std::min(file.size(), area.size()), area.begin());
    ReadAndRefreshMacro();
    showSteps();
    return Changed();
}

namespace {

MacroResult WriteMacroFile(const std::filesystem::path& path,
                           const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        return {};
    }
    if (auto error = image::WriteFileAtomically(MacroFilePath(path), bytes)) {
        return MacroResult{.error = std::move(*error)};
    }
    return MacroResult{.done = true};
}

}  // namespace

MacroResult MacroEditor::ExportOneTo(const std::filesystem::path& path) const {
    if (!macroButtonsEnabled()) {
        return {};
    }
    return WriteMacroFile(path, ExportOneBytes());
}

MacroResult MacroEditor::ExportAllTo(const std::filesystem::path& path) const {
    if (!macroButtonsEnabled()) {
        return {};
    }
    return WriteMacroFile(path, ExportAllBytes());
}

MacroResult MacroEditor::ImportOneFrom(const std::filesystem::path& path) {
    if (!memory_.bound() || !macroButtonsEnabled() || !selectedSlotValid()) {
        return {};
    }
    std::string error;
    const auto bytes = image::ReadFileHead(path, SingleMacroFileSize(type()), error);
    if (!bytes) {
        return MacroResult{.macroChanged = true, .error = error};
    }
    return ImportOne(*bytes);
}

MacroResult MacroEditor::ImportAllFrom(const std::filesystem::path& path) {
    if (!memory_.bound() || !macroButtonsEnabled()) {
        return {};
    }
    std::string error;
    const auto bytes = image::ReadFileHead(path, AllMacrosFileSize(type()), error);
    if (!bytes) {
        return MacroResult{.macroChanged = true, .error = error};
    }
    return ImportAll(*bytes);
}

void PrepareMacroSave(keys::ButtonAssignment& buttons, image::WorkingImage& working,
                      image::ConfigImage& image) {
    buttons.RefreshMacroAddr();
    working[image::kWorkingProfileOffset + image::kProfileCheckOffset] =
        image::ButtonTableCheckByte(working);
    std::copy_n(working.begin() + image::kWorkingProfileOffset, image::kProfileAreaSize,
                image.profileArea.begin());
}

std::vector<MacroWriteRange> MacroWriteRanges(int type) {
    if (type == image::kDeviceType2) {
        return {{image::kMacroAddress2, 0, image::kMacroAreaSize2}};
    }
    if (type == image::kDeviceType10) {
        return {{image::kMacroAddress10, 0, 256}, {image::kMacroAddress10 + 256, 256, 256}};
    }
    return {};
}

}  // namespace vtr::macros
