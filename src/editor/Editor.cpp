#include "editor/Editor.h"

#include <algorithm>
#include <cctype>

#include "device/DeviceOperations.h"
#include "device/Protocol.h"
#include "image/DefaultImage.h"
#include "image/FileIo.h"
#include "image/MemoryMap.h"

namespace vtr::editor {

namespace img = vtr::image;
using namespace vtr::device::protocol;

namespace {

constexpr int kOpenWaitSteps = 21;  // 2.1 s for a freshly plugged mouse to settle
constexpr int kOpenWaitStepMs = 100;
constexpr int kButtonWaitSteps = 11;  // the bottom buttons' pressed look, 110 ms
constexpr int kButtonWaitStepMs = 10;
constexpr int kCountPairs = 5;
constexpr int kAgreeingPairsNeeded = 2;
// A profile file longer than this is not one; the bytes after the macro area
// are ignored anyway.
constexpr std::size_t kLargestProfileFile = 64 * 1024;

bool endsWithBin(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    if (name.size() < 4) {
        return false;
    }
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".bin";
}

}  // namespace

Editor::Editor(device::HidBackend& backend, device::Clock& clock, Prompts& prompts,
               settings::PointerSettingsStore& pointerStore)
    : clock_(clock),
      prompts_(prompts),
      pointerStore_(pointerStore),
      transport_(backend, clock),
      settings_(languages_) {
    macroEditor_.setButtons(&settings_.buttons);
    settings_.buttons.setMacros(macroMemory_);
    transport_.setBetweenChunks([this](int, int) {
        ++transferDone_;
        if (hooks_.progress) {
            hooks_.progress(transferDone_, transferTotal_);
        }
        pump();
    });
}

void Editor::pump() {
    if (hooks_.pumpMessages) {
        hooks_.pumpMessages();
    }
}

void Editor::wait(int steps, int stepMs) {
    for (int i = 0; i < steps; ++i) {
        clock_.sleepMs(stepMs);
        pump();
    }
}

void Editor::setBusy(bool busy) {
    if (hooks_.pollTimerEnabled) {
        hooks_.pollTimerEnabled(!busy);
    }
    if (hooks_.setBusy) {
        hooks_.setBusy(busy);
    }
    pump();
}

void Editor::message(const std::string& key) {
    prompts_.message(languages_.text(key));
}

void Editor::RefreshErrorAP() {
    errorMode_ = true;
    if (hooks_.errorModeChanged) {
        hooks_.errorModeChanged();
    }
}

void Editor::ShowFirstPage() {
    errorMode_ = false;
    if (hooks_.errorModeChanged) {
        hooks_.errorModeChanged();
    }
}

void Editor::decode() {
    settings_.decode(dataBuf_);
    if (hooks_.settingsChanged) {
        hooks_.settingsChanged();
    }
}

void Editor::parseMacros(int type) {
    if (img::isDeviceType(type)) {
        macroEditor_.bind(type, dataBuf_.macroArea(type));
        macroEditor_.ReadAndRefreshMacro();
    }
    if (hooks_.macrosChanged) {
        hooks_.macrosChanged();
    }
}

// --- start-up ---

void Editor::FormCreate(bool readPointerSettings) {
    previousCount_ = 0;
    errorMode_ = false;
    deviceType_ = 0;
    rejected_ = false;
    read_ = false;
    macroChanged_ = false;
    settings_.lighting.words.clear();

    const img::DefaultHeader header = img::ReadDefaultHeader();
    imageType_ = header.imageType();
    InitNoDevice();
    if (readPointerSettings) {
        RefreshPointerSettings();
    }

    transport_.CloseDevice();
    candidates_ = {{header.vendorId(), header.productId()}};
    setLanguage(1);
}

void Editor::RefreshPointerSettings() {
    pointer_.RefreshMouseSystemParameterA(pointerStore_);
    pointer_.RefreshMouseSystemParameterB(pointerStore_);
}

void Editor::InitNoDevice() {
    img::LoadDefaultImage(defaultBuf_);
    dataBuf_.parameterArea = defaultBuf_.parameterArea;
    dataBuf_.profileArea = defaultBuf_.profileArea;
    if (img::isDeviceType(imageType_)) {
        const auto from = defaultBuf_.macroArea(imageType_);
        std::copy(from.begin(), from.end(), dataBuf_.macroArea(imageType_).begin());
        parseMacros(imageType_);
    }
    decode();
}

// --- the connection ---

int Editor::countCandidateInterfaces() {
    int count = 0;
    for (const Candidate& candidate : candidates_) {
        if (candidate.vendorId != 0 && candidate.productId != 0) {
            count += transport_.CountInterfaces(candidate.vendorId, candidate.productId);
        }
    }
    return count;
}

bool Editor::candidateMayNotOpen() {
    // The configuration interface is there, but opening it fails: almost always
    // the permissions of its device node.
    for (const Candidate& candidate : candidates_) {
        for (const auto& info : transport_.backend().enumerate()) {
            if (info.vendorId == candidate.vendorId && info.productId == candidate.productId &&
                info.featureReportLength == kReportLength &&
                transport_.backend().open(info.path) == nullptr) {
                return true;
            }
        }
    }
    return false;
}

void Editor::DevTimerTimer() {
    // A recording works on the macro area that a read would replace.
    if (pollBusy_ || macroRecorder_.recording()) {
        return;
    }
    pollBusy_ = true;
    int count = 0;
    int agreeing = 0;
    for (int pair = 0; pair < kCountPairs; ++pair) {
        const int a = countCandidateInterfaces();
        const int b = countCandidateInterfaces();
        agreeing += a == b ? 1 : 0;
        count = a;
    }
    if (count != previousCount_ && agreeing >= kAgreeingPairsNeeded) {
        if (count < previousCount_) {
            ReportNoDevice();
            transport_.CloseDevice();
            read_ = false;
        } else {
            for (const Candidate& candidate : candidates_) {
                if (candidate.vendorId == 0 || candidate.productId == 0) {
                    continue;
                }
                wait(kOpenWaitSteps, kOpenWaitStepMs);
                if (transport_.OpenDevice(candidate.vendorId, candidate.productId)) {
                    read_ = false;
                    ReadDevInfo();
                    break;
                }
                ReportNoDevice(candidateMayNotOpen());
            }
        }
        previousCount_ = count;
    }
    pollBusy_ = false;
}

bool Editor::openCandidate() {
    for (const Candidate& candidate : candidates_) {
        if (candidate.vendorId != 0 && candidate.productId != 0 &&
            transport_.OpenDevice(candidate.vendorId, candidate.productId)) {
            return true;
        }
    }
    return false;
}

bool Editor::ConnectNow() {
    if (!openCandidate()) {
        ReportNoDevice(candidateMayNotOpen());
        return false;
    }
    read_ = false;
    previousCount_ = countCandidateInterfaces();
    ReadDevInfo();
    return read_;
}

void Editor::ReadDevInfo() {
    if (!transport_.SendCommand(OpenCmd) || !transport_.SendCommand(StatusCmd)) {
        return;
    }
    const bool ready = (transport_.report()[2] & kMemoryReadyMask) != 0;
    if (transport_.report()[1] != kSignature) {
        return;
    }
    if (!ready) {
        transport_.SendCommand(CloseCmd);
        return;
    }
    if (const int type = device::ReadDeviceType(transport_); type != 0) {
        deviceType_ = type;
    }
    if (deviceType_ != 0 && deviceType_ == imageType_) {
        rejected_ = false;
        Btn_Read();
    } else if (deviceType_ != 0 && imageType_ != 0) {
        transport_.SendCommand(CloseCmd);
        rejected_ = true;
        message("Str102");
        RefreshErrorAP();
    }
}

void Editor::Btn_Read() {
    setBusy(true);
    // Read into a copy, so that a failed read never reaches the editor.
    img::ConfigImage read = dataBuf_;
    transferDone_ = 0;
    transferTotal_ = device::ReadAllChunkCount(deviceType_);
    device::TransferTotals totals = device::ReadAllAreas(transport_, deviceType_, read);
    if (!totals.ok()) {
        transferDone_ = 0;
        totals = device::ReadAllAreas(transport_, deviceType_, read);
    }
    transport_.SendCommand(SystemReloadCmd);
    transport_.SendCommand(CloseCmd);
    if (totals.ok()) {
        dataBuf_ = read;
        read_ = true;
        parseMacros(deviceType_);
        decode();
        RefreshPointerSettings();
        ShowFirstPage();
    }
    setBusy(false);
    if (!totals.ok()) {
        message("Str105");
        RefreshErrorAP();
    }
}

void Editor::ReportNoDevice(bool mayNotOpen) {
    if (hooks_.hideAllMenus) {
        hooks_.hideAllMenus();
    }
    std::string text = languages_.text("Str100") + "\r" + languages_.text("Str101");
    if (mayNotOpen) {
        text += "\r" + languages_.text("Str107");
    }
    prompts_.message(text);
    pump();
    RefreshErrorAP();
    settings_.lighting.words.clear();
    if (hooks_.macrosChanged) {
        hooks_.macrosChanged();
    }
}

void Editor::FormCloseQuery() {
    transport_.CloseDevice();
}

// --- writing ---

bool Editor::writeAllowed() {
    if (!devicePresent()) {
        message("Str020");
        return false;
    }
    if (rejected_) {
        message("Str102");
        return false;
    }
    if (!read_) {
        // Without a complete read the editor does not know the mouse's
        // settings; writing would replace them with whatever it shows.
        message("Str105");
        return false;
    }
    return true;
}

bool Editor::writeTransaction(bool withMacros) {
    transferDone_ = 0;
    transferTotal_ = device::WriteAllChunkCount(deviceType_, withMacros);
    const device::TransactionResult result =
        device::ConfigTransaction(transport_, [&](device::Transport& t) {
            return device::WriteAllAreas(t, deviceType_, dataBuf_, withMacros).ok();
        });
    return result.ranBody() && result.bodyOk;
}

bool Editor::DownloadParameter() {
    if (hooks_.hideAllMenus) {
        hooks_.hideAllMenus();
    }
    setBusy(true);
    settings_.encode(dataBuf_);
    pump();
    ChangePointerSettings();
    const bool written = writeTransaction(macroChanged_);
    setBusy(false);
    if (written) {
        macroChanged_ = false;
    } else {
        message("Str106");
    }
    return written;
}

bool Editor::DefaultParameter() {
    if (hooks_.hideAllMenus) {
        hooks_.hideAllMenus();
    }
    setBusy(true);
    img::LoadDefaultImage(defaultBuf_);
    dataBuf_.parameterArea = defaultBuf_.parameterArea;
    dataBuf_.profileArea = defaultBuf_.profileArea;
    if (img::isDeviceType(deviceType_)) {
        const auto from = defaultBuf_.macroArea(deviceType_);
        std::copy(from.begin(), from.end(), dataBuf_.macroArea(deviceType_).begin());
    }
    parseMacros(deviceType_);
    decode();
    const bool written = writeTransaction(true);
    setBusy(false);
    if (!written) {
        message("Str106");
    }
    return written;
}

void Editor::ChangePointerSettings() {
    pointer_.Write(pointerStore_);
}

bool Editor::Btn_Apply_0Click() {
    wait(kButtonWaitSteps, kButtonWaitStepMs);
    return writeAllowed() && DownloadParameter();
}

bool Editor::Btn_Confirm_0Click() {
    if (!Btn_Apply_0Click()) {
        return false;
    }
    wait(kButtonWaitSteps, kButtonWaitStepMs);
    FormCloseQuery();
    if (hooks_.closeWindow) {
        hooks_.closeWindow();
    }
    return true;
}

bool Editor::Btn_Reset_0Click() {
    wait(kButtonWaitSteps, kButtonWaitStepMs);
    return writeAllowed() && DefaultParameter();
}

void Editor::Btn_Exit_0Click() {
    FormCloseQuery();
    if (hooks_.closeWindow) {
        hooks_.closeWindow();
    }
}

// --- profile files ---

bool Editor::Btn_Save_0Click() {
    if (hooks_.hideAllMenus) {
        hooks_.hideAllMenus();
    }
    if (!devicePresent()) {
        message("Str020");
        return false;
    }
    auto path = prompts_.saveFile({"SaveFile(*.bin)", "*.bin"});
    if (!path) {
        return false;
    }
    settings_.encode(dataBuf_);
    if (!endsWithBin(*path)) {
        *path += ".bin";
    }
    std::vector<std::uint8_t> bytes = dataBuf_.toProfileBytes(deviceType_);
    if (bytes.empty()) {
        // No known layout: the settings without a macro area.
        bytes = dataBuf_.toProfileBytes(img::kDeviceType2);
        bytes.resize(img::kProfileFileMacroOffset);
    }
    if (const auto error = img::WriteFileAtomically(*path, bytes)) {
        prompts_.message(*error);
        return false;
    }
    return true;
}

bool Editor::Btn_Load_0Click() {
    if (hooks_.hideAllMenus) {
        hooks_.hideAllMenus();
    }
    if (!devicePresent()) {
        message("Str020");
        return false;
    }
    const auto path = prompts_.openFile({"LoadFile(*.bin)", "*.bin"});
    if (!path) {
        return false;
    }
    std::string error;
    const auto bytes = img::ReadFileBytes(*path, kLargestProfileFile, error);
    if (!bytes) {
        prompts_.message(error);
        return false;
    }
    if (bytes->size() < img::kParameterAreaSize) {
        message("Str108");
        return false;
    }
    if ((*bytes)[img::kDeviceTypeAddress] != deviceType_) {
        message("Str109");
        return false;
    }
    dataBuf_.loadProfileBytes(*bytes, deviceType_);
    // A file with macros replaces the mouse's macro area at the next Apply, so
    // that the buttons bound to its macros find them there.
    if (bytes->size() > img::kProfileFileMacroOffset) {
        macroChanged_ = true;
    }
    parseMacros(deviceType_);
    decode();
    return true;
}

// --- the macro page ---

bool Editor::handle(const macros::MacroResult& result) {
    if (result.macroChanged) {
        macroChanged_ = true;
    }
    if (!result.message.empty()) {
        message(result.message);
    }
    if (!result.error.empty()) {
        prompts_.message(result.error);
    }
    if (hooks_.macrosChanged) {
        hooks_.macrosChanged();
    }
    return result.done;
}

bool Editor::macroAction(const std::function<macros::MacroResult(macros::MacroEditor&)>& action) {
    return handle(action(macroEditor_));
}

macros::RecorderResult Editor::recorderAction(
    const std::function<macros::RecorderResult(macros::MacroRecorder&)>& action) {
    macros::RecorderResult result = action(macroRecorder_);
    if (result.macroChanged) {
        macroChanged_ = true;
    }
    if (!result.message.empty()) {
        message(result.message);
    }
    if (hooks_.macrosChanged) {
        hooks_.macrosChanged();
    }
    return result;
}

bool Editor::Btn_ClearClick() {
    return macroAction([this](macros::MacroEditor& m) {
        return m.Btn_ClearClick(
            [this](std::string_view key) { return prompts_.question(languages_.text(key)); });
    });
}

bool Editor::Btn_ExportOneClick() {
    if (macroEditor_.selectedMacro() < 0 || !macroEditor_.macroButtonsEnabled()) {
        return false;
    }
    const auto path = prompts_.saveFile({"SaveFile(*.bin)", "*.bin"});
    return path && handle(macroEditor_.ExportOneTo(*path));
}

bool Editor::Btn_ExportClick() {
    if (!macroEditor_.macroButtonsEnabled() || !macroMemory_.bound()) {
        return false;
    }
    const auto path = prompts_.saveFile({"SaveFile(*.bin)", "*.bin"});
    return path && handle(macroEditor_.ExportAllTo(*path));
}

bool Editor::Btn_ImportOneClick() {
    if (macroEditor_.selectedMacro() < 0 || !macroEditor_.macroButtonsEnabled()) {
        return false;
    }
    macroChanged_ = true;
    const auto path = prompts_.openFile({"LoadFile(*.bin)", "*.bin"});
    return path && handle(macroEditor_.ImportOneFrom(*path));
}

bool Editor::Btn_ImportClick() {
    if (!macroEditor_.macroButtonsEnabled() || !macroMemory_.bound()) {
        return false;
    }
    const auto path = prompts_.openFile({"LoadFile(*.bin)", "*.bin"});
    return path && handle(macroEditor_.ImportAllFrom(*path));
}

bool Editor::Btn_SaveMacroClick() {
    if (!macroEditor_.macroButtonsEnabled() || !writeAllowed()) {
        return false;
    }
    macroChanged_ = true;
    setBusy(true);
    const auto ranges = macros::MacroWriteRanges(deviceType_);
    transferDone_ = 0;
    transferTotal_ = device::protocol::chunkCount(img::kProfileAreaSize);
    for (const auto& range : ranges) {
        transferTotal_ += device::protocol::chunkCount(static_cast<int>(range.size));
    }
    const device::TransactionResult result =
        device::ConfigTransaction(transport_, [&](device::Transport& t) {
            macros::PrepareMacroSave(settings_.buttons, settings_.working, dataBuf_);
            bool ok = t.WriteMemory(img::kProfileAddress, dataBuf_.profileArea).ok();
            const auto area = dataBuf_.macroArea(deviceType_);
            for (const auto& range : ranges) {
                ok =
                    t.WriteMemory(range.address, area.subspan(range.areaOffset, range.size)).ok() &&
                    ok;
            }
            return ok;
        });
    setBusy(false);
    const bool written = result.ranBody() && result.bodyOk;
    if (written) {
        macroChanged_ = false;
    } else {
        message("Str110");
    }
    if (hooks_.settingsChanged) {
        hooks_.settingsChanged();
    }
    return written;
}

void Editor::setLanguage(int language) {
    languages_.setCurrent(language);
    settings_.buttons.RetranslateCaptions();
}

}  // namespace vtr::editor
