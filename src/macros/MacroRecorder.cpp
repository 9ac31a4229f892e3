#include "macros/MacroRecorder.h"

#include <algorithm>
#include <cstdio>

#include "image/MemoryMap.h"
#include "keys/KeyCatalogue.h"

namespace vtr::macros {
namespace {

constexpr const char* kSpaceShortage = "Str104";
constexpr int kMsPerDelayPair = 2040;

constexpr std::array<MouseButton, 5> kMarkOrder = {MouseButton::Left, MouseButton::Right,
                                                   MouseButton::Middle, MouseButton::Forward,
                                                   MouseButton::Backward};

std::size_t MarkIndex(MouseButton button) {
    return static_cast<std::size_t>(std::find(kMarkOrder.begin(), kMarkOrder.end(), button) -
                                    kMarkOrder.begin());
}

// The four code digits of a key step: modifier keys "81mm"/"01mm", every other
// key "82uu"/"02uu" with its HID usage.
std::string KeyCode(std::uint16_t virtualKey, int keyIndex, bool press) {
    int modifier = 0;
    switch (virtualKey) {
        case 0x11:
            modifier = 0x01;
            break;
        case 0x10:
            modifier = 0x02;
            break;
        case 0x12:
            modifier = 0x04;
            break;
        case 0x5B:
            modifier = 0x08;
            break;
        case 0x5C:
            modifier = 0x80;
            break;
        default:
            break;
    }
    char code[5];
    if (modifier != 0) {
        std::snprintf(code, sizeof code, "%02X%02X", press ? 0x81 : 0x01, modifier);
    } else {
        std::snprintf(code, sizeof code, "%02X%02X", press ? 0x82 : 0x02,
                      keys::KeyIndexToDeviceKey(keyIndex));
    }
    return code;
}

}  // namespace

void MacroRecorder::setByteLimit() {
    const bool noDelay =
        editor_.delayMode_ == DelayMode::None || editor_.insertMode_ == DelayMode::None;
    if (editor_.type() == image::kDeviceType2) {
        byteLimit_ = noDelay ? 160 : 156;
    } else {
        byteLimit_ = noDelay ? 504 : 500;
    }
}

DelayMode MacroRecorder::activeMode() const {
    return editor_.insertRecording_ ? editor_.insertMode_ : editor_.delayMode_;
}

int MacroRecorder::activeDelay() const {
    return editor_.insertRecording_ ? editor_.insertDelay_.value() : editor_.delay_.value();
}

void MacroRecorder::addHeaderIfEmpty() {
    if (editor_.steps_.empty()) {
        const DelayEdit& delay = editor_.delay_;
        editor_.steps_.push_back(HeaderLine(editor_.delayMode_, delay.text().empty()
                                                                    ? std::to_string(delay.value())
                                                                    : delay.text()));
    }
}

bool MacroRecorder::limitReached(int limit) const {
    return editor_.memory_.totalBytes() > limit || recordedBytes_ > kRecordedByteLimit;
}

std::vector<std::string> MacroRecorder::delayLines(std::uint32_t nowMs, bool split) {
    const DelayMode mode = activeMode();
    if (mode == DelayMode::None) {
        return {};
    }
    std::vector<std::string> lines;
    if (lastEventTime_) {
        const std::uint32_t gap = nowMs - *lastEventTime_;
        const int value = mode == DelayMode::Record
                              ? static_cast<int>(std::min<std::uint32_t>(gap, kMaxGap))
                              : activeDelay();
        if (split) {
            for (int k = 0; k < value / kMsPerDelayPair; ++k) {
                lines.push_back(DelayLine(kMsPerDelayPair));
            }
            if (value % kMsPerDelayPair > 0) {
                lines.push_back(DelayLine(value % kMsPerDelayPair));
            }
        } else {
            lines.push_back(DelayLine(value));
        }
    }
    lastEventTime_ = nowMs;
    return lines;
}

bool MacroRecorder::fits(const std::vector<std::string>& lines) const {
    const MacroMemory& memory = editor_.memory_;
    StepLines all = editor_.steps_;
    all.insert(all.end(), lines.begin(), lines.end());
    const auto bytes = StepsToStepBytes(std::span(all).subspan(1), MaxStepBytes(memory.type()));
    if (!bytes) {
        return false;
    }
    const std::vector<std::uint8_t> record = StepBytesToRecord(*bytes, memory.type());
    const std::size_t stored =
        record.size() + (memory.type() == image::kDeviceType10 ? kNameFieldSize : 0);
    return memory.bytesOfOtherSlots(slot_) + static_cast<int>(stored) <=
           static_cast<int>(memory.areaSize());
}

void MacroRecorder::addStep(std::vector<std::string> delays, std::string step, int stepBytes,
                            RecorderResult& result) {
    std::vector<std::string> lines = std::move(delays);
    lines.push_back(std::move(step));
    // What the counters allow can still be a few bytes more than the record
    // holds (exact multiples of 2040 ms encode longer than they count): such a
    // step is not taken and the recording ends with what fits.
    if (!fits(lines)) {
        stopRequest_ = true;
        return;
    }
    int count = stepBytes;
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
        count += DelayLineCount(std::stoll(lines[k].substr(2)));
    }
    StepLines& steps = editor_.steps_;
    for (std::string& line : lines) {
        if (editor_.insertRecording_) {
            const std::size_t offset = editor_.insertEntry_ == InsertEntry::KeyFront ? 1 : 2;
            const std::size_t at =
                std::min(static_cast<std::size_t>(insertPosition_) + offset, steps.size());
            steps.insert(steps.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
            ++insertPosition_;
            editor_.selectedRow_ = std::min(insertPosition_, editor_.rowCount() - 1);
        } else {
            steps.push_back(std::move(line));
            editor_.selectedRow_ = editor_.rowCount() - 1;
        }
        ++result.linesAdded;
    }
    editor_.memory_.addToTotal(count);
    recordedBytes_ += count;
}

void MacroRecorder::applyStopRule(RecorderResult& result) {
    if (!limitReached(byteLimit_) && !stopRequest_) {
        return;
    }
    if (editor_.normalRecording_) {
        stopNormal(result);
    } else if (editor_.insertRecording_) {
        stopInsert(result);
    }
}

RecorderResult MacroRecorder::Btn_StartClick() {
    RecorderResult result;
    setByteLimit();
    if (editor_.insertOpen_ || editor_.insertRecording_ || !editor_.selectedSlotValid()) {
        return result;
    }
    result.macroChanged = true;
    if (editor_.normalRecording_) {
        stopNormal(result);
    } else {
        startNormal(result);
    }
    return result;
}

void MacroRecorder::startNormal(RecorderResult& result) {
    MacroMemory& memory = editor_.memory_;
    slot_ = static_cast<std::size_t>(editor_.selected_);
    editor_.clearSteps();
    // The macro's record goes; type 10 keeps its name field.
    if (memory.type() == image::kDeviceType2) {
        memory.clearSlot(slot_);
    } else {
        memory.setSlot(slot_, {}, static_cast<std::uint16_t>(kNameFieldSize));
    }
    memory.RefreshMacro();
    recordedBytes_ = 0;

    if (memory.totalBytes() >= byteLimit_) {
        if (memory.type() == image::kDeviceType10) {
            memory.setEmptyRecord(slot_);
            memory.RefreshMacro();
        }
        result.message = kSpaceShortage;
        return;
    }
    stopRequest_ = false;
    mouseRecording_ = true;
    marks_ = {};
    editor_.normalRecording_ = true;
    lastEventTime_.reset();
    lastKey_ = -1;
    heldKeys_ = 0;
    editor_.clearSteps();
    result.started = true;
}

void MacroRecorder::stopNormal(RecorderResult& result) {
    stopRequest_ = false;
    mouseRecording_ = false;
    editor_.normalRecording_ = false;
    lastEventTime_.reset();
    MacroMemory& memory = editor_.memory_;
    if (!StepsToMacroBuf(memory, slot_, editor_.steps_)) {
        // Only when the area changed under the recording: the macro stays
        // without steps.
        if (memory.type() == image::kDeviceType2) {
            memory.clearSlot(slot_);
        } else if (memory.hasMacro(slot_)) {
            memory.setEmptyRecord(slot_);
        }
        memory.RefreshMacro();
        editor_.showSteps();
        result.message = kSpaceShortage;
    }
    result.stopped = true;
}

void MacroRecorder::stopInsert(RecorderResult& result) {
    mouseRecording_ = false;
    editor_.insertRecording_ = false;
    lastEventTime_.reset();
    result.stopped = true;
}

RecorderResult MacroRecorder::Btn_InsertStartClick() {
    RecorderResult result;
    setByteLimit();
    if (editor_.insertRecording_) {
        stopInsert(result);
        return result;
    }
    const bool keyEntry = editor_.insertEntry_ == InsertEntry::KeyFront ||
                          editor_.insertEntry_ == InsertEntry::KeyBack;
    if (editor_.normalRecording_ || !editor_.insertOpen_ || !keyEntry ||
        !editor_.selectedSlotValid() || editor_.selectedRow_ < 0 ||
        editor_.selectedRow_ >= editor_.rowCount() || editor_.memory_.totalBytes() >= byteLimit_) {
        return result;
    }
    slot_ = static_cast<std::size_t>(editor_.selected_);
    stopRequest_ = false;
    mouseRecording_ = true;
    marks_ = {};
    editor_.insertRecording_ = true;
    insertPosition_ = editor_.selectedRow_;
    lastEventTime_.reset();
    lastKey_ = -1;
    heldKeys_ = 0;
    result.started = true;
    return result;
}

RecorderResult MacroRecorder::KeyboardHook1Receive(std::uint16_t virtualKey, KeyType keyType,
                                                   std::uint32_t nowMs) {
    RecorderResult result;
    if (!recording()) {
        return result;
    }
    // Side-specific modifiers come as the generic ones: right Ctrl is
    // recorded as Ctrl.
    const std::uint16_t key = keys::GenericModifier(virtualKey);
    const int index = keys::VirtualKeyToKeyIndex(key);
    if (index == keys::kKey255Index) {
        return result;
    }
    addHeaderIfEmpty();

    const char* prefix = nullptr;
    switch (keyType) {
        case KeyType::FirstDown:
            if (key == lastKey_ && heldKeys_ != 0) {
                return result;
            }
            if (limitReached(byteLimit_ - 2)) {
                stopRequest_ = true;
            } else {
                prefix = "1 ";
            }
            lastKey_ = key;
            ++heldKeys_;
            break;
        case KeyType::LaterDown:
            if (key == lastKey_) {
                return result;  // an automatic repeat
            }
            ++heldKeys_;
            if (limitReached(byteLimit_ - 2)) {
                stopRequest_ = true;
            } else {
                prefix = "1 ";
            }
            lastKey_ = key;
            break;
        case KeyType::Up:
            if (limitReached(byteLimit_)) {
                stopRequest_ = true;
            } else {
                prefix = "2 ";
            }
            lastKey_ = key;
            // A key held since before the recording started was not counted.
            heldKeys_ = std::max(0, heldKeys_ - 1);
            break;
    }

    if (prefix) {
        std::vector<std::string> delays = delayLines(nowMs, false);
        std::string step = std::string(prefix) + std::string(keys::KeyIndexToName(index)) +
                           " CODE:" + KeyCode(key, index, keyType != KeyType::Up);
        addStep(std::move(delays), std::move(step), 2, result);
    }
    applyStopRule(result);
    return result;
}

void MacroRecorder::MouseHookProc(MouseButton button, bool press) {
    if (!mouseRecording_ || (button == MouseButton::Left && pointerOverRecordButton_)) {
        return;
    }
    const std::size_t index = MarkIndex(button);
    if (index < marks_.size()) {
        marks_[index][press ? 0 : 1] = true;
    }
}

RecorderResult MacroRecorder::TPThreadPass(std::uint32_t nowMs) {
    RecorderResult result;
    if (!mouseRecording_) {
        return result;
    }
    addHeaderIfEmpty();
    for (std::size_t b = 0; b < kMarkOrder.size(); ++b) {
        for (int half = 0; half < 2; ++half) {
            if (!mouseRecording_ || !marks_[b][static_cast<std::size_t>(half)]) {
                continue;
            }
            std::vector<std::string> delays = delayLines(nowMs, true);
            marks_[b][static_cast<std::size_t>(half)] = false;
            addStep(std::move(delays), MouseStepLine(kMarkOrder[b], half == 0), 1, result);
            applyStopRule(result);
        }
    }
    return result;
}

}  // namespace vtr::macros
